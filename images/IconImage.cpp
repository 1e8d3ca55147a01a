#include "images/IconImage.h"

#include <cstring>

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "images/ByteReader.h"
#include "images/PlatformDecoder.h"

namespace quillora {

namespace {

constexpr size_t BitmapHeaderSize = 40;
const uint8_t PngSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
const uint8_t MngSignature[8] = {138, 'M', 'N', 'G', 13, 10, 26, 10};

[[noreturn]] void RaiseInvalidIcon()
{
    throw Exception(u"Invalid icon format");
}

[[noreturn]] void RaiseAllocation()
{
    throw Exception(u"Error while allocating icon data");
}

uint32_t Le32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// Bytes of one DIB row of `width` pixels at `bits` per pixel, padded to 4 bytes.
uint64_t RowBytes(uint64_t width, uint64_t bits)
{
    return (width * bits + 31) / 32 * 4;
}

uint32_t Expand5(uint32_t v)
{
    return (v << 3) | (v >> 2);
}

} // namespace

void TIconImage::LoadFromStream(TMemoryStream& stream)
{
    entries_.clear();
    TByteReader reader(stream.Data(), stream.Size(), stream.Position());
    reader.U16LE(); // reserved
    cursor_ = reader.U16LE() == 2;
    int count = reader.U16LE();
    if (count == 0) RaiseStreamReadError();

    const uint8_t* directory = reader.Take(uint64_t(count) * 16);
    entries_.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
        const uint8_t* d = directory + size_t(i) * 16;
        TIconEntry& e = entries_[size_t(i)];
        e.Width = d[0] ? d[0] : 256;
        e.Height = d[1] ? d[1] : 256;
        uint16_t word1 = uint16_t(d[4] | (d[5] << 8)), word2 = uint16_t(d[6] | (d[7] << 8));
        e.BitCount = word2;
        if (cursor_) {
            e.HotSpotX = word1;
            e.HotSpotY = word2;
        }
        e.BytesInRes = Le32(d + 8);
    }

    // The stored offsets are not used: the images follow the directory one after the other.
    for (TIconEntry& e : entries_) {
        const uint8_t* data = reader.Take(e.BytesInRes);
        if (e.BytesInRes >= 8 && (std::memcmp(data, PngSignature, 8) == 0 || std::memcmp(data, MngSignature, 8) == 0)) {
            e.IsPng = true;
            e.Png.assign(data, data + e.BytesInRes);
        } else {
            ReadBitmap(e, data);
        }
    }
    stream.SetPosition(reader.Position());
}

void TIconImage::ReadBitmap(TIconEntry& e, const uint8_t* data)
{
    if (e.BytesInRes < BitmapHeaderSize) RaiseInvalidIcon();
    int32_t width = int32_t(Le32(data + 4));
    int32_t height = int32_t(Le32(data + 8)) / 2; // colour and mask together
    uint16_t bitCount = uint16_t(data[14] | (data[15] << 8));
    uint32_t compression = Le32(data + 16);
    if (width <= 0 || height <= 0) RaiseInvalidIcon();
    bool supported = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    if (!supported || compression != 0) RaiseAllocation();

    uint64_t colors = bitCount <= 8 ? uint64_t(1) << bitCount : 0;
    uint64_t colorBytes = RowBytes(uint64_t(width), bitCount) * uint64_t(height);
    uint64_t maskBytes = RowBytes(uint64_t(width), 1) * uint64_t(height);
    if (BitmapHeaderSize + colors * 4 + colorBytes + maskBytes > e.BytesInRes) RaiseInvalidIcon();
    if (uint64_t(width) * uint64_t(height) > MaxFramePixels) RaiseAllocation();

    e.Width = width;
    e.Height = height;
    e.BitCount = bitCount;
    const uint8_t* p = data + BitmapHeaderSize;
    e.ColorTable.resize(size_t(colors));
    for (size_t i = 0; i < colors; ++i, p += 4) e.ColorTable[i] = MakeArgb(255, p[2], p[1], p[0]);
    e.ColorBits.assign(p, p + colorBytes);
    p += colorBytes;
    e.MaskBits.assign(p, p + maskBytes);
}

void TIconImage::ToFrame(int index, TFrame& frame) const
{
    const TIconEntry& e = entries_[size_t(index)];
    if (e.IsPng) {
        TMemoryStream png(e.Png);
        Service<TPlatformDecoder>().Decode(png, frame);
        return;
    }
    frame.SetSize(e.Width, e.Height);
    const size_t colorRow = size_t(RowBytes(uint64_t(e.Width), uint64_t(e.BitCount)));
    const size_t maskRow = size_t(RowBytes(uint64_t(e.Width), 1));
    for (int y = 0; y < e.Height; ++y) {
        // Both images are stored bottom-up.
        const uint8_t* c = e.ColorBits.data() + size_t(e.Height - 1 - y) * colorRow;
        const uint8_t* m = e.MaskBits.data() + size_t(e.Height - 1 - y) * maskRow;
        uint32_t* out = frame.Row(y);
        for (int x = 0; x < e.Width; ++x) {
            uint32_t color;
            switch (e.BitCount) {
            case 1: color = e.ColorTable[(c[x / 8] >> (7 - x % 8)) & 1]; break;
            case 4: color = e.ColorTable[(c[x / 2] >> (x % 2 ? 0 : 4)) & 15]; break;
            case 8: color = e.ColorTable[c[x]]; break;
            case 16: {
                uint32_t v = uint32_t(c[2 * x] | (c[2 * x + 1] << 8));
                color = MakeArgb(255, uint8_t(Expand5((v >> 10) & 31)), uint8_t(Expand5((v >> 5) & 31)),
                                 uint8_t(Expand5(v & 31)));
                break;
            }
            case 24: color = MakeArgb(255, c[3 * x + 2], c[3 * x + 1], c[3 * x]); break;
            default: color = MakeArgb(c[4 * x + 3], c[4 * x + 2], c[4 * x + 1], c[4 * x]); break;
            }
            bool maskSet = (m[x / 8] >> (7 - x % 8)) & 1;
            if (maskSet) out[x] = (color & 0x00FFFFFFu) == 0 ? 0u : 0xFF000000u; // inverting pixels become black
            else out[x] = color;
        }
    }
}

} // namespace quillora
