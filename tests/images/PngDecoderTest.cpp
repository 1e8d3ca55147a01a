// The native build's platform decoder (libpng): its errors and the size bound.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "foundation/Exceptions.h"
#include "images/PngDecoder.h"
#include "images/UniversalImage.h"

namespace quillora {
namespace {

void PutBe32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& body)
{
    PutBe32(png, uint32_t(body.size()));
    std::vector<uint8_t> typed(type, type + 4);
    typed.insert(typed.end(), body.begin(), body.end());
    png.insert(png.end(), typed.begin(), typed.end());
    PutBe32(png, uint32_t(crc32(0, typed.data(), uInt(typed.size()))));
}

// An RGBA PNG of the given size whose one IDAT chunk holds `idat`.
std::vector<uint8_t> Png(uint32_t width, uint32_t height, const std::vector<uint8_t>& idat)
{
    std::vector<uint8_t> png = {137, 'P', 'N', 'G', 13, 10, 26, 10};
    std::vector<uint8_t> header;
    PutBe32(header, width);
    PutBe32(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", idat);
    Chunk(png, "IEND", {});
    return png;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw)
{
    uLongf size = compressBound(uLong(raw.size()));
    std::vector<uint8_t> out(size);
    compress(out.data(), &size, raw.data(), uLong(raw.size()));
    out.resize(size);
    return out;
}

String DecodeError(const std::vector<uint8_t>& bytes, TFrame* frame = nullptr)
{
    TMemoryStream stream(bytes);
    TFrame local;
    try {
        TPngDecoder().Decode(stream, frame ? *frame : local);
    } catch (const Exception& e) {
        return e.Message();
    }
    return u"(no error)";
}

TEST(PngDecoder, DecodesAndReportsErrors)
{
    // 2 x 1: filter byte 0, then two RGBA pixels.
    auto good = Png(2, 1, Deflate({0, 255, 0, 0, 255, 1, 2, 3, 128}));
    TMemoryStream stream(good);
    TUniversalImage image;
    image.LoadFromStream(stream);
    ASSERT_EQ(image.FrameCount(), 1);
    EXPECT_EQ(image.Frames(0).Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.Frames(0).Pixel(1, 0), 0x80010203u);

    auto truncated = good;
    truncated.resize(truncated.size() - 20);
    TFrame frame;
    EXPECT_NE(DecodeError(truncated, &frame).find(u"Invalid PNG image"), String::npos);
    EXPECT_TRUE(frame.Empty()) << "no half-decoded frame is left";
    EXPECT_NE(DecodeError({'G', 'I', 'F', '8', '9', 'a', 0, 0}).find(u"Unsupported picture format"), String::npos);
    EXPECT_NE(DecodeError({}).find(u"Unsupported picture format"), String::npos);
}

TEST(PngDecoder, SizeTheDataCannotHoldFailsBeforeAllocating)
{
    // 16000 x 16000 RGBA would take 1 GB; 100 bytes of deflate data cannot produce it.
    auto huge = Png(16000, 16000, Deflate(std::vector<uint8_t>(100, 0)));
    EXPECT_NE(DecodeError(huge).find(u"too short"), String::npos);
    // Beyond the frame limit whatever the data.
    auto wide = Png(1000000, 1000000, Deflate(std::vector<uint8_t>(100, 0)));
    EXPECT_NE(DecodeError(wide).find(u"Invalid PNG image"), String::npos);
}

} // namespace
} // namespace quillora
#endif
