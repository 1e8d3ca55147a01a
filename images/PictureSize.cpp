#include "images/PictureSize.h"

#include "images/ByteReader.h"

namespace quillora {

namespace {

bool Accept(int64_t width, int64_t height, TPictureSize& result)
{
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX) return false;
    result = TPictureSize{int(width), int(height)};
    return true;
}

} // namespace

bool ReadBmpSize(const uint8_t* data, size_t size, TPictureSize& result)
{
    TByteReader r(data, size);
    if (!r.CanRead(14 + 40) || data[0] != 'B' || data[1] != 'M') return false;
    r.Skip(14 + 4);
    int64_t width = int32_t(r.U32LE());
    int64_t height = int32_t(r.U32LE());
    return Accept(width, height < 0 ? -height : height, result);
}

bool ReadIconSize(const uint8_t* data, size_t size, bool useHeight, TPictureSize& result)
{
    TByteReader r(data, size);
    if (!r.CanRead(6)) return false;
    r.U16LE();
    uint16_t type = r.U16LE(), count = r.U16LE();
    if (type != 1 && type != 2) return false;
    int width = 0, height = 0;
    for (int i = 0; i < count; ++i) {
        if (!r.CanRead(16)) return false;
        const uint8_t* entry = r.Take(16);
        if (entry[0] > width) {
            width = entry[0];
            height = useHeight ? entry[1] : entry[0];
        }
    }
    return Accept(width, height, result);
}

bool ReadJpegSize(const uint8_t* data, size_t size, TPictureSize& result)
{
    TByteReader r(data, size);
    if (!r.CanRead(2) || data[0] != 0xFF || data[1] != 0xD8) return false;
    r.Skip(2);
    // Every step moves on by at least four bytes, so the loop ends with the data.
    while (r.CanRead(4)) {
        uint8_t first = r.U8(), second = r.U8();
        if (first == 0xFF && second == 0xD9) return false;
        uint16_t length = r.U16BE();
        if (length < 2) return false;
        if (first == 0xFF && (second == 0xC0 || second == 0xC2)) {
            if (!r.CanRead(5)) return false;
            r.Skip(1);
            uint16_t height = r.U16BE();
            uint16_t width = r.U16BE();
            return Accept(width, height, result);
        }
        if (!r.CanRead(length - 2u)) return false;
        r.Skip(length - 2u);
    }
    return false;
}

bool ReadGifSize(const uint8_t* data, size_t size, TPictureSize& result)
{
    TByteReader r(data, size);
    if (!r.CanRead(10)) return false;
    r.Skip(6);
    uint16_t width = r.U16LE();
    uint16_t height = r.U16LE();
    return Accept(width, height, result);
}

bool ReadPngSize(const uint8_t* data, size_t size, TPictureSize& result)
{
    TByteReader r(data, size);
    if (!r.CanRead(24)) return false;
    r.Skip(16);
    uint32_t width = r.U32BE();
    uint32_t height = r.U32BE();
    return Accept(width, height, result);
}

} // namespace quillora
