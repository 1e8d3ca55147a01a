#include "images/TargaImage.h"

#include "images/ByteReader.h"

namespace quillora {

namespace {

uint16_t Word(const uint8_t* p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

// A 15/16-bit Targa colour: blue in bits 0-4, green 5-9, red 10-14, each times 8.
uint32_t Color16(uint16_t v)
{
    return MakeArgb(255, uint8_t(((v >> 10) & 31) * 8), uint8_t(((v >> 5) & 31) * 8), uint8_t((v & 31) * 8));
}

bool IsRunLength(uint8_t type)
{
    return type >= 9 && type <= 11;
}

} // namespace

bool TTarga::IsPlausibleHeader(const uint8_t* b, size_t size)
{
    if (size < 22) return false;
    uint8_t mapType = b[1], type = b[2], entrySize = b[7];
    uint16_t xOrigin = Word(b + 8), yOrigin = Word(b + 10), width = Word(b + 12), height = Word(b + 14);
    return mapType <= 1 && (entrySize == 0 || entrySize == 15 || entrySize == 16 || entrySize == 24 || entrySize == 32) &&
           (type <= 3 || (type >= 9 && type <= 11)) && xOrigin <= 1000 && yOrigin <= 1000 && width >= 1 &&
           width <= 1000 && height >= 1 && height <= 1000;
}

void TTarga::LoadFromStream(TMemoryStream& stream)
{
    picture_ = TFrame();
    colorMap_.fill(0xFF000000u);
    TByteReader reader(stream.Data(), stream.Size(), stream.Position());

    const uint8_t* h = reader.Take(HeaderSize);
    uint8_t idLength = h[0], mapType = h[1];
    imageType_ = h[2];
    colorMapLength_ = Word(h + 5);
    int entrySize = h[7];
    width_ = Word(h + 12);
    height_ = Word(h + 14);
    pixelDepth_ = h[16];
    descriptor_ = h[17];

    reader.Skip(idLength);
    if (mapType == 1) ReadColorMap(reader, entrySize);
    else colorMapLength_ = 0;

    uint8_t base = IsRunLength(imageType_) ? uint8_t(imageType_ - 8) : imageType_;
    bool decodable = (base == 1 && pixelDepth_ == 8) ||
                     (base == 2 && (pixelDepth_ == 16 || pixelDepth_ == 24 || pixelDepth_ == 32)) ||
                     (base == 3 && pixelDepth_ == 8);
    if (decodable && width_ > 0 && height_ > 0) ReadPixels(reader, IsRunLength(imageType_));
    stream.SetPosition(reader.Position());
}

void TTarga::ReadColorMap(TByteReader& reader, int entrySize)
{
    // Every entry is read, so that the pixel data is found after the map; only the first
    // MaxColorMapEntries are kept.
    size_t entryBytes = size_t((entrySize + 7) / 8);
    const uint8_t* map = reader.Take(uint64_t(colorMapLength_) * entryBytes);
    int kept = colorMapLength_ < MaxColorMapEntries ? colorMapLength_ : MaxColorMapEntries;
    for (int i = 0; i < kept; ++i) {
        const uint8_t* e = map + size_t(i) * entryBytes;
        switch (entrySize) {
        case 15:
        case 16: colorMap_[size_t(i)] = Color16(Word(e)); break;
        case 24:
        case 32: colorMap_[size_t(i)] = MakeArgb(255, e[2], e[1], e[0]); break;
        default: break; // an entry size the codec does not read: the entry stays black
        }
    }
}

uint32_t TTarga::ConvertPixel(const uint8_t* p) const
{
    switch (imageType_) {
    case 1:
    case 9: return ColorMapEntry(p[0]);
    case 3:
    case 11: return MakeArgb(255, p[0], p[0], p[0]);
    default: break;
    }
    switch (pixelDepth_) {
    case 16: return Color16(Word(p));
    case 24: return MakeArgb(255, p[2], p[1], p[0]);
    default: return MakeArgb(p[3], p[2], p[1], p[0]);
    }
}

void TTarga::ReadPixels(TByteReader& reader, bool runLength)
{
    const size_t pixelBytes = size_t(pixelDepth_ / 8);
    const uint64_t pixelCount = uint64_t(width_) * uint64_t(height_);
    // Check that the data can hold the picture before allocating it: plain data needs every
    // pixel, run-length data at least one packet of at most 128 pixels for each 128.
    uint64_t needed = runLength ? (pixelCount + 127) / 128 * (1 + pixelBytes) : pixelCount * pixelBytes;
    if (!reader.CanRead(needed)) RaiseStreamReadError();

    picture_.SetSize(width_, height_);
    const bool topDown = (descriptor_ & 0x20) != 0;
    // Run-length state carries over from row to row: a packet that runs past the end of a
    // row goes on in the next one.
    int packetLeft = 0;
    bool repeat = false;
    const uint8_t* packetPixel = nullptr;
    for (int r = 0; r < height_; ++r) {
        uint32_t* row = picture_.Row(topDown ? r : height_ - 1 - r);
        if (!runLength) {
            const uint8_t* src = reader.Take(uint64_t(width_) * pixelBytes);
            for (int x = 0; x < width_; ++x) row[x] = ConvertPixel(src + size_t(x) * pixelBytes);
            continue;
        }
        for (int x = 0; x < width_; ++x) {
            if (packetLeft == 0) {
                uint8_t header = reader.U8();
                packetLeft = (header & 0x7F) + 1;
                repeat = (header & 0x80) != 0;
                if (repeat) packetPixel = reader.Take(pixelBytes);
            }
            row[x] = ConvertPixel(repeat ? packetPixel : reader.Take(pixelBytes));
            --packetLeft;
        }
    }
}

} // namespace quillora
