#pragma once
// The clipboard formats of data elements on Windows: the two registered formats
// "Loomwise Binary Data" and "Loomwise Binary Data Type", and the system's pictures
// (a device-independent bitmap, an enhanced metafile, a metafile picture).

#include "library/DataElementUtils.h"

namespace quillora {

class TWinDataClipboard : public TDataClipboard {
public:
    TWinDataClipboard();

    bool GetPrivateBlocks(std::vector<uint8_t>& typeBlock, std::vector<uint8_t>& dataBlock, bool& hasData) override;
    bool CanPaste() override;
    bool GetPicture(uint16_t allowed, TMemoryStream& data, int& dataType) override;
    void Put(const TMemoryStream& compressedData, const String& type, const TFrame* picture) override;

private:
    unsigned dataFormat_;
    unsigned typeFormat_;
};

} // namespace quillora
