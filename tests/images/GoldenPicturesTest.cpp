// The golden pictures of tests/data/images (written by tools/make-picture-samples.py, whose
// formulas are repeated here) decode to the expected frames, by extension and by content.
#include <gtest/gtest.h>

#include "foundation/Files.h"
#include "images/UniversalImage.h"
#include "images/IconImage.h"
#include "images/PictureSize.h"
#include "PictureTestSupport.h"

namespace quillora {
namespace {

using testing_pictures::FrameMatches;

String DataFile(const char* name)
{
    return Utf8ToString(std::string(QUILLORA_TEST_DATA) + "/images/" + name);
}

TMemoryStream DataStream(const char* name)
{
    std::string bytes = ReadWholeFile(DataFile(name));
    return TMemoryStream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

constexpr uint32_t Opaque(int r, int g, int b)
{
    return MakeArgb(255, uint8_t(r), uint8_t(g), uint8_t(b));
}

// Loads the file by its extension and by its content; both must give the same frames.
// Small icons and cursors are the exception the container's sniffing knows of: their first
// 22 bytes pass as a Targa header, so by content they are read as Targa. They are then
// compared with the icon codec reading the same stream.
TUniversalImage LoadBothWays(const char* name, TPictureFormat sniffed)
{
    TUniversalImage byName;
    byName.LoadFromFile(DataFile(name));
    TMemoryStream stream = DataStream(name);
    EXPECT_EQ(PictureFormatOfContent(stream), sniffed) << name;
    TUniversalImage byContent;
    if (sniffed == pfTarga && PictureFormatOfExtension(DataFile(name)) == pfIcon)
        byContent.LoadFromStreamAs(stream, pfIcon);
    else
        byContent.LoadFromStream(stream);
    EXPECT_EQ(byName.FrameCount(), byContent.FrameCount()) << name;
    for (int i = 0; i < byName.FrameCount() && i < byContent.FrameCount(); ++i)
        EXPECT_TRUE(byName.Frames(i) == byContent.Frames(i)) << name << " frame " << i;
    return byName;
}

TEST(GoldenPictures, TargaTrueColour24BottomUp)
{
    TUniversalImage image = LoadBothWays("truecolor24.tga", pfTarga);
    ASSERT_EQ(image.FrameCount(), 1);
    EXPECT_EQ(image.GetSize(), (TPictureSize{4, 3}));
    EXPECT_TRUE(FrameMatches(image.Frames(0), 4, 3,
                             [](int x, int y) { return Opaque(10 + 60 * x, 20 + 80 * y, 5 + 30 * (x + y)); }));
}

TEST(GoldenPictures, TargaTrueColour32TopDownKeepsAlpha)
{
    TUniversalImage image = LoadBothWays("truecolor32.tga", pfTarga);
    ASSERT_EQ(image.FrameCount(), 1);
    EXPECT_TRUE(FrameMatches(image.Frames(0), 3, 2, [](int x, int y) {
        return MakeArgb(uint8_t(60 + 80 * x + 30 * y), uint8_t(40 * x + 1), uint8_t(50 * y + 2), 7);
    }));
}

TEST(GoldenPictures, TargaRunLengthPacketCarriesIntoNextRow)
{
    TUniversalImage image = LoadBothWays("rle-truecolor.tga", pfTarga);
    ASSERT_EQ(image.FrameCount(), 1);
    const uint32_t R = Opaque(200, 30, 30), G = Opaque(30, 200, 60);
    const uint32_t rows[3][5] = {
        {Opaque(10, 20, 30), Opaque(20, 40, 60), Opaque(30, 60, 90), Opaque(40, 80, 120), Opaque(50, 100, 150)},
        {R, R, R, G, G},
        {R, R, R, R, R},
    };
    EXPECT_TRUE(FrameMatches(image.Frames(0), 5, 3, [&](int x, int y) { return rows[y][x]; }));
}

TEST(GoldenPictures, TargaRunLengthColourMappedWith16BitEntries)
{
    TUniversalImage image = LoadBothWays("rle-mapped.tga", pfTarga);
    ASSERT_EQ(image.FrameCount(), 1);
    // 0x7FFF gives 248 in every channel (5-bit values times 8); index 5 lies outside the map.
    const uint32_t white = Opaque(248, 248, 248), blue = Opaque(0, 0, 248), red = Opaque(248, 0, 0);
    const uint32_t black = Opaque(0, 0, 0);
    const uint32_t rows[2][3] = {{red, red, blue}, {white, black, white}};
    EXPECT_TRUE(FrameMatches(image.Frames(0), 3, 2, [&](int x, int y) { return rows[y][x]; }));
}

uint32_t Icon4Pixel(int x, int y)
{
    int index = (x + y) % 16;
    uint32_t color = index == 0 ? Opaque(0, 0, 0) : Opaque(index * 16, 255 - index * 16, index * 8);
    bool masked = x < 4 && y < 4;
    if (!masked) return color;
    return index == 0 ? 0u : 0xFF000000u; // black under the mask is transparent, the rest turns black
}

TEST(GoldenPictures, IconWithBitmapAndPngImages)
{
    TUniversalImage image = LoadBothWays("multi.ico", pfTarga);
    ASSERT_EQ(image.FrameCount(), 3);
    EXPECT_EQ(image.GetSize(), (TPictureSize{16, 16}));
    EXPECT_TRUE(FrameMatches(image.Frames(0), 16, 16, Icon4Pixel));
    EXPECT_TRUE(FrameMatches(image.Frames(1), 32, 32, [](int x, int y) {
        return y == 31 ? 0u : MakeArgb(uint8_t(255 - y * 8), uint8_t(x * 8), uint8_t(y * 8), 128);
    }));
    // The 256-pixel image (stored width 0) is a PNG, decoded by the platform decoder.
    EXPECT_TRUE(FrameMatches(image.Frames(2), 256, 256, [](int x, int y) {
        return MakeArgb(uint8_t(255 - x / 2), uint8_t(x), uint8_t(y), uint8_t((x + y) & 255));
    }));
}

TEST(GoldenPictures, IconDirectoryEntries)
{
    TMemoryStream stream = DataStream("multi.ico");
    TIconImage icon;
    icon.LoadFromStream(stream);
    EXPECT_FALSE(icon.IsCursor());
    ASSERT_EQ(icon.Count(), 3);
    EXPECT_EQ(icon.Entries(0).BitCount, 4);
    EXPECT_EQ(icon.Entries(1).BitCount, 32);
    EXPECT_TRUE(icon.Entries(2).IsPng);
    EXPECT_EQ(icon.Entries(2).Width, 256);
    EXPECT_EQ(icon.Entries(2).Height, 256);

    TPictureSize size;
    ASSERT_TRUE(ReadIconSize(stream.Data(), stream.Size(), true, size));
    EXPECT_EQ(size, (TPictureSize{32, 32})); // the widest entry whose width byte is not 0
}

TEST(GoldenPictures, CursorFramesAndHotSpots)
{
    TUniversalImage image = LoadBothWays("arrow.cur", pfTarga);
    ASSERT_EQ(image.FrameCount(), 2);
    EXPECT_TRUE(FrameMatches(image.Frames(0), 16, 16, [](int x, int y) {
        bool white = (x + y) % 2 == 1;
        if (x < 8) return white ? Opaque(255, 255, 255) : Opaque(0, 0, 0);
        return white ? 0xFF000000u : 0u; // masked: white turns black, black turns transparent
    }));
    EXPECT_TRUE(FrameMatches(image.Frames(1), 24, 24, [](int x, int y) { return Opaque(x * 10, y * 10, 77); }));

    TMemoryStream stream = DataStream("arrow.cur");
    TIconImage cursor;
    cursor.LoadFromStream(stream);
    EXPECT_TRUE(cursor.IsCursor());
    ASSERT_EQ(cursor.Count(), 2);
    EXPECT_EQ(cursor.Entries(0).HotSpotX, 3);
    EXPECT_EQ(cursor.Entries(0).HotSpotY, 5);
    EXPECT_EQ(cursor.Entries(1).HotSpotX, 11);
    EXPECT_EQ(cursor.Entries(1).HotSpotY, 12);
    EXPECT_EQ(cursor.Entries(1).BitCount, 24);
}

TEST(GoldenPictures, PngThroughThePlatformDecoder)
{
    TUniversalImage image = LoadBothWays("small.png", pfPlatform);
    ASSERT_EQ(image.FrameCount(), 1);
    EXPECT_TRUE(FrameMatches(image.Frames(0), 3, 2, [](int x, int y) {
        return MakeArgb(uint8_t(255 - 70 * x - 20 * y), uint8_t(100 * x), uint8_t(120 * y), 33);
    }));
}

TEST(GoldenPictures, PngEncodeRoundTrip)
{
    TUniversalImage image;
    image.LoadFromFile(DataFile("truecolor32.tga"));
    TMemoryStream png;
    image.SaveFrameToStream(0, pePng, png);
    ASSERT_GT(png.Size(), 8u);
    EXPECT_EQ(png.Data()[1], 'P');
    png.SetPosition(0);
    TUniversalImage back;
    back.LoadFromStream(png);
    ASSERT_EQ(back.FrameCount(), 1);
    EXPECT_TRUE(back.Frames(0) == image.Frames(0));

    TMemoryStream source = DataStream("small.png");
    TMemoryStream converted = TUniversalImage::Convert(source, pePng);
    TUniversalImage fromConverted, original;
    fromConverted.LoadFromStream(converted);
    original.LoadFromFile(DataFile("small.png"));
    ASSERT_EQ(fromConverted.FrameCount(), 1);
    EXPECT_TRUE(fromConverted.Frames(0) == original.Frames(0));
}

} // namespace
} // namespace quillora
