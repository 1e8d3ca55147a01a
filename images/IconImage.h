#pragma once
// The system's own icon and cursor codec: one entry per image of the file, bitmap images
// decoded here, PNG images kept as streams for the platform decoder.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/Streams.h"
#include "images/Frame.h"

namespace quillora {

struct TIconEntry {
    int Width = 0;    // a stored 0 means 256; for bitmaps the header's width
    int Height = 0;   // for bitmaps half the header's height
    int BitCount = 0; // for bitmaps the header's bit count
    int HotSpotX = 0; // cursors only
    int HotSpotY = 0;
    uint32_t BytesInRes = 0;
    bool IsPng = false;
    std::vector<uint8_t> Png; // the whole image when IsPng (PNG or MNG signature)

    // Bitmap images: the colour table (ARGB, opaque), the colour image and the AND mask,
    // both stored bottom-up with rows padded to 4 bytes.
    std::vector<uint32_t> ColorTable;
    std::vector<uint8_t> ColorBits;
    std::vector<uint8_t> MaskBits;
};

class TIconImage {
public:
    // Reads the header, the directory and every image, which must follow the directory
    // in directory order. Raises "Stream read error" on truncated data or an icon without
    // images, "Invalid icon format" when a bitmap image is larger than its byte count, and
    // "Error while allocating icon data" for a bitmap the codec cannot represent.
    void LoadFromStream(TMemoryStream& stream);

    bool IsCursor() const { return cursor_; }
    int Count() const { return int(entries_.size()); }
    const TIconEntry& Entries(int index) const { return entries_[size_t(index)]; }

    // The frame of entry `index`: PNG images through the platform decoder, bitmap images
    // with their mask applied (see the .cpp).
    void ToFrame(int index, TFrame& frame) const;

private:
    void ReadBitmap(TIconEntry& entry, const uint8_t* data);

    bool cursor_ = false;
    std::vector<TIconEntry> entries_;
};

} // namespace quillora
