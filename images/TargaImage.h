#pragma once
// The system's own Targa codec: colour-mapped, true-colour and grey images, plain or
// run-length encoded, decoded into one 32-bit frame.

#include <array>
#include <cstddef>
#include <cstdint>

#include "foundation/Streams.h"
#include "images/Frame.h"

namespace quillora {

class TByteReader;

class TTarga {
public:
    static constexpr size_t HeaderSize = 18;
    static constexpr int MaxColorMapEntries = 1000;

    // Whether `bytes` (at least 22 of them) look like a Targa header that the content
    // sniffing accepts: small origins and a size from 1 x 1 to 1000 x 1000.
    static bool IsPlausibleHeader(const uint8_t* bytes, size_t size);

    // Decodes the picture at the stream's position; the stream is left after the data
    // read. Truncated data raises "Stream read error". Image type 0, and combinations of
    // type and depth that the codec does not decode, give an empty picture.
    void LoadFromStream(TMemoryStream& stream);

    uint8_t ImageType() const { return imageType_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int PixelDepth() const { return pixelDepth_; }
    uint8_t Descriptor() const { return descriptor_; }
    int ColorMapLength() const { return colorMapLength_; }
    // The colour map as ARGB (opaque); entries past the map's length are opaque black.
    uint32_t ColorMapEntry(int index) const
    {
        return index >= 0 && index < MaxColorMapEntries ? colorMap_[size_t(index)] : 0xFF000000u;
    }

    // The decoded picture; the alpha of 32-bit pixels is kept, every other pixel is opaque.
    const TFrame& Picture() const { return picture_; }
    TFrame& Picture() { return picture_; }

private:
    void ReadColorMap(TByteReader& reader, int entrySize);
    void ReadPixels(TByteReader& reader, bool runLength);
    uint32_t ConvertPixel(const uint8_t* pixel) const;

    uint8_t imageType_ = 0;
    int width_ = 0;
    int height_ = 0;
    int pixelDepth_ = 0;
    uint8_t descriptor_ = 0;
    int colorMapLength_ = 0;
    std::array<uint32_t, MaxColorMapEntries> colorMap_{};
    TFrame picture_;
};

} // namespace quillora
