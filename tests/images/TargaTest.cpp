// The Targa codec: pixel rules, row order, run-length packets and malformed data.
#include <gtest/gtest.h>

#include "images/TargaImage.h"
#include "images/UniversalImage.h"
#include "PictureTestSupport.h"

namespace quillora {
namespace {

using testing_pictures::FrameMatches;
using testing_pictures::TargaHeader;

TTarga Decode(std::vector<uint8_t> bytes)
{
    TMemoryStream stream(std::move(bytes));
    TTarga targa;
    targa.LoadFromStream(stream);
    return targa;
}

void Append(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes)
{
    out.insert(out.end(), bytes);
}

TEST(Targa, SixteenBitPixelsExpandFiveBitsTimesEight)
{
    auto bytes = TargaHeader(2, 2, 1, 16);
    Append(bytes, {0xFF, 0x7F, 0x1F, 0x80}); // 0x7FFF, then blue 31 with the unused top bit
    TTarga t = Decode(bytes);
    EXPECT_TRUE(FrameMatches(t.Picture(), 2, 1,
                             [](int x, int) { return x == 0 ? MakeArgb(255, 248, 248, 248) : MakeArgb(255, 0, 0, 248); }));
}

TEST(Targa, RowOrderFollowsBitFiveOnly)
{
    // Two rows of one grey pixel each: 10 stored first, then 20.
    struct Case {
        uint8_t descriptor;
        uint8_t top;
    } cases[] = {{0x00, 20}, {0x10, 20}, {0x20, 10}, {0x30, 10}};
    for (const Case& c : cases) {
        auto bytes = TargaHeader(3, 1, 2, 8, c.descriptor);
        Append(bytes, {10, 20});
        TTarga t = Decode(bytes);
        ASSERT_EQ(t.Picture().Height(), 2);
        EXPECT_EQ(t.Picture().Pixel(0, 0), MakeArgb(255, c.top, c.top, c.top)) << "descriptor " << int(c.descriptor);
    }
}

TEST(Targa, RunPacket0x83RepeatsFourTimes)
{
    auto bytes = TargaHeader(11, 4, 1, 8);
    Append(bytes, {0x83, 77});
    TTarga t = Decode(bytes);
    EXPECT_TRUE(FrameMatches(t.Picture(), 4, 1, [](int, int) { return MakeArgb(255, 77, 77, 77); }));
}

TEST(Targa, ImageIdIsSkipped)
{
    auto bytes = TargaHeader(3, 1, 1, 8, 0, 0, 0, 0, 3);
    Append(bytes, {'a', 'b', 'c', 99});
    EXPECT_EQ(Decode(bytes).Picture().Pixel(0, 0), MakeArgb(255, 99, 99, 99));
}

TEST(Targa, ColourMapBeyondTheTableIsReadPastAndIndexesOutsideAreBlack)
{
    // 1200 entries of 24 bits: every entry is read, the first 1000 are kept.
    auto bytes = TargaHeader(1, 3, 1, 8, 0, 1, 1200, 24);
    for (int i = 0; i < 1200; ++i) Append(bytes, {uint8_t(i), 1, 2});
    Append(bytes, {5, 255, 7});
    TTarga t = Decode(bytes);
    EXPECT_EQ(t.ColorMapLength(), 1200);
    EXPECT_EQ(t.Picture().Pixel(0, 0), MakeArgb(255, 2, 1, 5));
    EXPECT_EQ(t.Picture().Pixel(1, 0), MakeArgb(255, 2, 1, 255));
    EXPECT_EQ(t.ColorMapEntry(1100), 0xFF000000u);

    auto shortMap = TargaHeader(1, 2, 1, 8, 0, 1, 2, 24);
    Append(shortMap, {1, 2, 3, 4, 5, 6, 1, 9});
    TTarga s = Decode(shortMap);
    EXPECT_EQ(s.Picture().Pixel(0, 0), MakeArgb(255, 6, 5, 4));
    EXPECT_EQ(s.Picture().Pixel(1, 0), 0xFF000000u) << "index 9 of a two-entry map";
}

TEST(Targa, WhatIsNotDecodedGivesAnEmptyPicture)
{
    struct Case {
        uint8_t type, depth;
    } cases[] = {{0, 8}, {1, 16}, {2, 8}, {3, 16}, {9, 24}, {10, 15}, {2, 24}};
    for (const Case& c : cases) {
        // The last case has a zero width.
        int width = c.type == 2 && c.depth == 24 ? 0 : 2;
        auto bytes = TargaHeader(c.type, width, 2, c.depth);
        bytes.resize(bytes.size() + 64, 0);
        TMemoryStream stream(bytes);
        TUniversalImage image;
        image.LoadFromStreamAs(stream, pfTarga);
        EXPECT_TRUE(image.IsEmpty()) << "type " << int(c.type) << " depth " << int(c.depth);
    }
}

TEST(Targa, TruncatedDataRaisesStreamReadError)
{
    std::vector<std::vector<uint8_t>> cases;
    cases.push_back({0, 0, 2, 0, 0}); // a short header
    auto plain = TargaHeader(2, 4, 4, 24);
    plain.resize(plain.size() + 4 * 4 * 3 - 1); // one byte short
    cases.push_back(plain);
    auto rle = TargaHeader(10, 4, 4, 24);
    Append(rle, {0x87, 1, 2, 3, 0x05, 1, 2, 3}); // 8 repeated, then a literal packet that stops early
    cases.push_back(rle);
    auto map = TargaHeader(1, 1, 1, 8, 0, 1, 500, 32);
    map.resize(map.size() + 100);
    cases.push_back(map);
    auto id = TargaHeader(3, 1, 1, 8, 0, 0, 0, 0, 200);
    cases.push_back(id);
    for (size_t i = 0; i < cases.size(); ++i) {
        TMemoryStream stream(cases[i]);
        TTarga t;
        try {
            t.LoadFromStream(stream);
            ADD_FAILURE() << "case " << i << " decoded";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), u"Stream read error") << "case " << i;
        }
    }
}

TEST(Targa, HugeSizeWithLittleDataFailsBeforeAllocating)
{
    // 65535 x 65535 pixels announced by 20 bytes of data, plain and run-length encoded.
    for (uint8_t type : {uint8_t(2), uint8_t(10)}) {
        auto bytes = TargaHeader(type, 65535, 65535, 32);
        bytes.resize(bytes.size() + 20, 0xFF);
        TMemoryStream stream(bytes);
        TTarga t;
        EXPECT_THROW(t.LoadFromStream(stream), Exception) << "type " << int(type);
        EXPECT_TRUE(t.Picture().Empty());
    }
}

TEST(Targa, LargerThan1000IsReadOnlyByExtension)
{
    auto bytes = TargaHeader(11, 1001, 1, 8);
    for (int i = 0; i < 7; ++i) Append(bytes, {0xFF, 3}); // 7 x 128 + 105 = 1001
    Append(bytes, {0x80 | 104, 3});
    TMemoryStream stream(bytes);
    EXPECT_EQ(PictureFormatOfContent(stream), pfPlatform);
    EXPECT_EQ(PictureFormatOfExtension(u"C:\\pictures\\big.TGA"), pfTarga);
    TUniversalImage image;
    image.LoadFromStreamAs(stream, PictureFormatOfExtension(u"big.TGA"));
    ASSERT_EQ(image.FrameCount(), 1);
    EXPECT_EQ(image.GetSize(), (TPictureSize{1001, 1}));
    EXPECT_EQ(image.Frames(0).Pixel(1000, 0), MakeArgb(255, 3, 3, 3));
}

TEST(Targa, PlausibleHeaderBounds)
{
    auto good = TargaHeader(2, 1000, 1, 24);
    good.resize(22);
    EXPECT_TRUE(TTarga::IsPlausibleHeader(good.data(), good.size()));
    EXPECT_FALSE(TTarga::IsPlausibleHeader(good.data(), 21));
    struct Change {
        size_t offset;
        uint8_t value;
    } bad[] = {{1, 2}, {2, 4}, {2, 12}, {7, 8}, {9, 4}, {12, 0xE9}, {12, 0}, {14, 0}};
    for (const Change& c : bad) {
        auto bytes = good;
        bytes[c.offset] = c.value;
        if (c.offset == 12 && c.value == 0) bytes[13] = 0;
        EXPECT_FALSE(TTarga::IsPlausibleHeader(bytes.data(), bytes.size())) << "offset " << c.offset;
    }
}

} // namespace
} // namespace quillora
