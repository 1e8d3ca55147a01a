// The icon and cursor codec: directory and image bounds, PNG entries, mask rules.
#include <gtest/gtest.h>

#include "images/IconImage.h"
#include "images/UniversalImage.h"
#include "PictureTestSupport.h"

namespace quillora {
namespace {

using testing_pictures::PutLe16;
using testing_pictures::PutLe32;
using testing_pictures::TFakePlatformDecoder;

struct TImage {
    uint8_t width, height;
    std::vector<uint8_t> data;
    uint32_t bytesInRes; // usually data.size()
};

std::vector<uint8_t> IconFile(uint16_t type, const std::vector<TImage>& images, int count = -1)
{
    std::vector<uint8_t> out;
    PutLe16(out, 0);
    PutLe16(out, type);
    PutLe16(out, unsigned(count < 0 ? int(images.size()) : count));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (const TImage& i : images) {
        out.insert(out.end(), {i.width, i.height, 0, 0});
        PutLe16(out, 1);
        PutLe16(out, 32);
        PutLe32(out, i.bytesInRes);
        PutLe32(out, offset);
        offset += uint32_t(i.data.size());
    }
    for (const TImage& i : images) out.insert(out.end(), i.data.begin(), i.data.end());
    return out;
}

// A bitmap image: 40-byte header, colour table, colour rows, mask rows (rows padded to 4).
std::vector<uint8_t> Dib(int32_t width, int32_t headerHeight, uint16_t bits, size_t payload)
{
    std::vector<uint8_t> d;
    PutLe32(d, 40);
    PutLe32(d, uint32_t(width));
    PutLe32(d, uint32_t(headerHeight));
    PutLe16(d, 1);
    PutLe16(d, bits);
    d.resize(40 + payload, 0);
    return d;
}

TImage Image(std::vector<uint8_t> data, uint8_t width = 1, uint8_t height = 1)
{
    uint32_t size = uint32_t(data.size());
    return TImage{width, height, std::move(data), size};
}

// A 1 x 1 24-bit image: header, 4 bytes of colour (one padded row), 4 bytes of mask.
std::vector<uint8_t> OnePixel(uint8_t r, uint8_t g, uint8_t b, bool masked)
{
    auto d = Dib(1, 2, 24, 8);
    d[40] = b;
    d[41] = g;
    d[42] = r;
    d[44] = masked ? 0x80 : 0;
    return d;
}

String LoadError(const std::vector<uint8_t>& bytes)
{
    TMemoryStream stream(bytes);
    TIconImage icon;
    try {
        icon.LoadFromStream(stream);
    } catch (const Exception& e) {
        return e.Message();
    }
    return u"(no error)";
}

TEST(Icon, MalformedFilesGiveTheCodecErrors)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char16_t* error;
    };
    auto tooLarge = Image(Dib(16, 32, 8, 100));
    auto bigHeader = Image(Dib(0x7FFFFFFF, 0x7FFFFFFE, 32, 16));
    auto negative = Image(Dib(-4, 8, 24, 64));
    auto zeroHeight = Image(Dib(4, 1, 24, 64)); // a header height of 1 halves to 0
    auto twoBits = Image(Dib(1, 2, 2, 64));
    auto compressed = Image(Dib(1, 2, 24, 64));
    compressed.data[16] = 1;
    auto shortRes = Image(OnePixel(1, 2, 3, false));
    shortRes.bytesInRes = 30;
    auto pastEnd = Image(OnePixel(1, 2, 3, false));
    pastEnd.bytesInRes = 1000;
    std::vector<Case> cases = {
        {"no images", IconFile(1, {}), u"Stream read error"},
        {"short header", {0, 0, 1}, u"Stream read error"},
        {"directory past the end", IconFile(1, {}, 40), u"Stream read error"},
        {"image past the end", IconFile(1, {pastEnd}), u"Stream read error"},
        {"bitmap larger than its byte count", IconFile(1, {tooLarge}), u"Invalid icon format"},
        {"size overflowing the byte count", IconFile(1, {bigHeader}), u"Invalid icon format"},
        {"negative width", IconFile(1, {negative}), u"Invalid icon format"},
        {"zero height", IconFile(1, {zeroHeight}), u"Invalid icon format"},
        {"byte count below the header", IconFile(1, {shortRes}), u"Invalid icon format"},
        {"two bits per pixel", IconFile(1, {twoBits}), u"Error while allocating icon data"},
        {"compressed bitmap", IconFile(1, {compressed}), u"Error while allocating icon data"},
    };
    for (const Case& c : cases) EXPECT_EQ(LoadError(c.bytes), String(c.error)) << c.what;
}

TEST(Icon, MaskRulesAndTrailingBytesOfAnImage)
{
    auto first = OnePixel(0, 0, 0, true); // black under the mask: transparent
    first.resize(first.size() + 13, 0xEE); // bytes beyond the parts are skipped
    std::vector<TImage> images = {Image(first), Image(OnePixel(9, 8, 7, true)), Image(OnePixel(9, 8, 7, false))};
    TMemoryStream stream(IconFile(1, images));
    TUniversalImage image;
    image.LoadFromStream(stream);
    ASSERT_EQ(image.FrameCount(), 3);
    EXPECT_EQ(image.Frames(0).Pixel(0, 0), 0u);
    EXPECT_EQ(image.Frames(1).Pixel(0, 0), 0xFF000000u) << "a coloured pixel under the mask turns black";
    EXPECT_EQ(image.Frames(2).Pixel(0, 0), MakeArgb(255, 9, 8, 7));
}

TEST(Icon, PngEntryGoesToThePlatformDecoderAndFramesBeforeAnErrorStay)
{
    std::vector<uint8_t> png = {137, 'P', 'N', 'G', 13, 10, 26, 10, 1, 2, 3};
    std::vector<uint8_t> mng = {138, 'M', 'N', 'G', 13, 10, 26, 10};
    TMemoryStream stream(IconFile(1, {Image(OnePixel(1, 2, 3, false)), Image(png, 0, 0), Image(mng)}));
    TFakePlatformDecoder fake;
    TProvide<TPlatformDecoder> provideFake(fake);
    TUniversalImage image;
    image.LoadFromStream(stream);
    ASSERT_EQ(image.FrameCount(), 3);
    EXPECT_EQ(fake.Decodes, 2);
    EXPECT_EQ(fake.LastInput, mng);
    EXPECT_EQ(image.Frames(1).Pixel(1, 0), 0x55667788u);

    fake.Fail = true;
    stream.SetPosition(0);
    EXPECT_THROW(image.LoadFromStream(stream), Exception);
    EXPECT_EQ(image.FrameCount(), 1) << "the bitmap frame decoded before the failing PNG stays";
}

TEST(Icon, IconWhoseHeaderLooksLikeTargaIsTargaAsStreamButIconByExtension)
{
    // Icon header 00 00 01 00 01 00, then an entry 1 x 16 at 1 bit: bytes 0-21 read as a
    // colour-mapped Targa header with entry size 16, width 1 (the bit count), height 176
    // (the byte count) and pixel depth 0.
    auto dib = Dib(1, 32, 1, 8 + 16 * 4 + 16 * 4);
    TImage entry{1, 16, dib, uint32_t(dib.size())};
    auto bytes = IconFile(1, {entry});
    bytes[12] = 1; // the entry's bit count word (planes stay 1)
    bytes[13] = 0;
    TMemoryStream stream(bytes);
    ASSERT_EQ(PictureFormatOfContent(stream), pfTarga);
    TUniversalImage asStream;
    asStream.LoadFromStream(stream);
    EXPECT_TRUE(asStream.IsEmpty()) << "read by the Targa codec, which has nothing to decode";

    stream.SetPosition(0);
    TUniversalImage asFile;
    asFile.LoadFromStreamAs(stream, PictureFormatOfExtension(u"x.ico"));
    ASSERT_EQ(asFile.FrameCount(), 1);
    EXPECT_EQ(asFile.GetSize(), (TPictureSize{1, 16}));
}

} // namespace
} // namespace quillora
