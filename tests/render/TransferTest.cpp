#include <gtest/gtest.h>

#include <climits>

#include "render/Bitmap32.h"
#include "render/Blend.h"
#include "tests/render/RasterTestUtil.h"

namespace quillora {
namespace {

using rastertest::Blank;
using rastertest::Fill;
using rastertest::LetterColor;
using rastertest::Rows;
using TRows = std::vector<std::string>;

constexpr TRect Everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

struct TBlockCase {
    int X;
    int Y;
    TRect Source;
    TRect Clip;
    TRows Expected;
};

TEST(Transfer, BlockIsClippedToBothBitmaps)
{
    TBitmap32 source;
    Fill(source, {"abc", "def"});
    const TBlockCase cases[] = {
        {0, 0, Rect(0, 0, 3, 2), Everything, {"abc.", "def.", "...."}},
        {2, 1, Rect(0, 0, 3, 2), Everything, {"....", "..ab", "..de"}},
        {-1, -1, Rect(0, 0, 3, 2), Everything, {"ef..", "....", "...."}},
        {1, 0, Rect(1, 1, 3, 2), Everything, {".ef.", "....", "...."}},
        // Parts of the source rectangle outside the source are not drawn, the rest keeps its place.
        {0, 0, Rect(1, 0, 5, 5), Everything, {"bc..", "ef..", "...."}},
        {0, 0, Rect(-1, -1, 2, 1), Everything, {"....", ".ab.", "...."}},
        {0, 0, Rect(0, 0, 3, 2), Rect(1, 0, 3, 9), {".bc.", ".ef.", "...."}},
        {0, 0, Rect(0, 0, 3, 2), Rect(5, 5, 9, 9), Blank(4, 3)},
        {4, 0, Rect(0, 0, 3, 2), Everything, Blank(4, 3)},
        {0, -2, Rect(0, 0, 3, 2), Everything, Blank(4, 3)},
        {0, 0, Rect(2, 0, 1, 2), Everything, Blank(4, 3)}, // negative width
        // Extreme coordinates: the whole int range as the source rectangle.
        {INT_MIN, INT_MIN, Everything, Everything, {"abc.", "def.", "...."}},
        {INT_MAX, INT_MAX, Everything, Everything, Blank(4, 3)},
        {INT_MIN, INT_MAX, Rect(INT_MAX - 1, INT_MIN, INT_MAX, INT_MIN + 1), Everything, Blank(4, 3)},
    };
    for (const TBlockCase& c : cases) {
        TBitmap32 dest(4, 3);
        dest.SetClipRect(c.Clip);
        dest.Draw(c.X, c.Y, c.Source, source);
        EXPECT_EQ(Rows(dest), c.Expected) << "at " << c.X << "," << c.Y << " from " << c.Source.Left << "," << c.Source.Top;
    }
}

TEST(Transfer, SourceDrawModeDecides)
{
    TBitmap32 source;
    Fill(source, {"A.b"});
    TBitmap32 dest;
    Fill(dest, {"ccc"});
    dest.Draw(0, 0, source); // opaque: copied as they are
    EXPECT_EQ(Rows(dest), (TRows{"A.b"}));

    Fill(dest, {"ccc"});
    source.SetDrawMode(dmBlend);
    dest.Draw(0, 0, source);
    EXPECT_EQ(dest.Pixel(0, 0), BlendPixel(LetterColor('A'), LetterColor('c')));
    EXPECT_EQ(Rows(dest).front().substr(1), "cb");

    Fill(dest, {"..."});
    source.SetCombineMode(cmMerge);
    dest.Draw(0, 0, source);
    EXPECT_EQ(Rows(dest), (TRows{"A.b"}));
}

TEST(Transfer, OntoItselfReadsTheSourceBeforeWriting)
{
    TBitmap32 bitmap;
    Fill(bitmap, {"abcd", "efgh"});
    bitmap.Draw(1, 0, Rect(0, 0, 3, 2), bitmap);
    EXPECT_EQ(Rows(bitmap), (TRows{"aabc", "eefg"}));
    bitmap.Draw(Rect(0, 0, 4, 2), Rect(0, 0, 2, 1), bitmap);
    EXPECT_EQ(Rows(bitmap), (TRows{"aaaa", "aaaa"}));
}

struct TStretchCase {
    TRows Source;
    TRect Dest;
    TRect SourceRect;
    TRows Expected;
};

TEST(Transfer, StretchSamplesNearestPixelCentres)
{
    const TStretchCase cases[] = {
        {{"ab"}, Rect(0, 0, 4, 1), Rect(0, 0, 2, 1), {"aabb."}},
        {{"abc"}, Rect(0, 0, 2, 1), Rect(0, 0, 3, 1), {"ac..."}},
        {{"abc"}, Rect(0, 0, 5, 1), Rect(0, 0, 3, 1), {"aabcc"}},
        {{"abcde"}, Rect(1, 0, 4, 1), Rect(1, 0, 4, 1), {".bcd."}}, // equal sizes: a block transfer
        {{"ab", "cd"}, Rect(0, 0, 4, 4), Rect(0, 0, 2, 2), {"aabb.", "aabb.", "ccdd.", "ccdd."}},
        {{"ab", "cd"}, Rect(1, 1, 3, 4), Rect(1, 0, 2, 2), {".....", ".bb..", ".dd..", ".dd.."}},
        // Clipped by the destination: the mapping stays that of the whole rectangle.
        {{"ab"}, Rect(-2, 0, 2, 1), Rect(0, 0, 2, 1), {"bb..."}},
        {{"abcd"}, Rect(-4, -1, 4, 1), Rect(0, 0, 4, 1), {"ccdd."}},
        // Samples outside the source are not drawn.
        {{"ab"}, Rect(0, 0, 4, 1), Rect(-1, 0, 1, 1), {"..aa."}},
        {{"ab"}, Rect(0, 0, 4, 1), Rect(1, 0, 3, 1), {"bb..."}},
        {{"ab"}, Rect(0, 0, 4, 1), Rect(5, 0, 7, 1), {"....."}},
        // Empty and extreme rectangles.
        {{"ab"}, Rect(0, 0, 0, 1), Rect(0, 0, 2, 1), {"....."}},
        {{"ab"}, Rect(0, 0, 4, 1), Rect(2, 0, 2, 1), {"....."}},
        {{"ab"}, Rect(INT_MIN, 0, INT_MAX, 1), Rect(0, 0, 2, 1), {"bbbbb"}},
        {{"ab"}, Rect(0, 0, 4, 1), Rect(INT_MIN, 0, INT_MAX, 1), {"....."}},
        {{"ab"}, Everything, Everything, {"ab..."}}, // equal sizes: a block transfer
        {{"ab"}, Rect(0, INT_MIN, 3, INT_MAX), Rect(0, 0, 2, 1), {"abb.."}},
    };
    for (const TStretchCase& c : cases) {
        TBitmap32 source;
        Fill(source, c.Source);
        TBitmap32 dest(5, static_cast<int>(c.Expected.size()));
        dest.Draw(c.Dest, c.SourceRect, source);
        EXPECT_EQ(Rows(dest), c.Expected) << c.Source[0] << " into " << c.Dest.Left << ".." << c.Dest.Right;
    }
}

TEST(Transfer, StretchHonoursClipAndBlend)
{
    TBitmap32 source;
    Fill(source, {"Ab"});
    source.SetDrawMode(dmBlend);
    TBitmap32 dest;
    Fill(dest, {"cccc", "cccc"});
    dest.SetClipRect(Rect(1, 1, 4, 2));
    dest.Draw(Rect(0, 0, 4, 2), Rect(0, 0, 2, 1), source);
    EXPECT_EQ(Rows(dest), (TRows{"cccc", "c?bb"}));
    EXPECT_EQ(dest.Pixel(1, 1), BlendPixel(LetterColor('A'), LetterColor('c')));
}

struct TTileCase {
    TRect Dest;
    TRect SourceRect;
    TRect Clip;
    TRows Expected;
};

TEST(Transfer, TilesAlignToTheDestinationCorner)
{
    TBitmap32 source;
    Fill(source, {"ab", "cd"});
    const TTileCase cases[] = {
        {Rect(0, 0, 5, 3), Rect(0, 0, 2, 2), Everything, {"ababa", "cdcdc", "ababa"}},
        {Rect(-1, -1, 4, 2), Rect(0, 0, 2, 2), Everything, {"dcdc.", "baba.", "....."}},
        {Rect(1, 1, 4, 3), Rect(1, 0, 2, 2), Everything, {".....", ".bbb.", ".ddd."}},
        {Rect(0, 0, 5, 3), Rect(0, 0, 2, 2), Rect(1, 1, 3, 3), {".....", ".dc..", ".ba.."}},
        // The source rectangle is cut to the source first.
        {Rect(0, 0, 5, 1), Rect(1, 0, 9, 1), Everything, {"bbbbb", ".....", "....."}},
        {Rect(0, 0, 5, 1), Rect(3, 0, 9, 1), Everything, Blank(5, 3)},
        {Rect(0, 0, 5, 3), Rect(0, 0, 2, 0), Everything, Blank(5, 3)},
        {Rect(4, 0, 0, 3), Rect(0, 0, 2, 2), Everything, Blank(5, 3)},
        // Tiles far outside the bitmap are skipped without losing the pattern.
        {Everything, Rect(0, 0, 2, 2), Everything, {"ababa", "cdcdc", "ababa"}},
        {Rect(INT_MIN + 1, INT_MIN, 5, 3), Rect(0, 0, 2, 2), Everything, {"babab", "dcdcd", "babab"}},
    };
    for (const TTileCase& c : cases) {
        TBitmap32 dest(5, 3);
        dest.SetClipRect(c.Clip);
        dest.Tile(c.Dest, c.SourceRect, source);
        EXPECT_EQ(Rows(dest), c.Expected) << c.Dest.Left << "," << c.Dest.Top;
    }
}

TEST(Transfer, WideTilesRepeatExactly)
{
    TBitmap32 source(70, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 70; ++x)
            source.SetPixel(x, y, Color32(static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0));
    for (int width : {3, 70}) {
        TBitmap32 dest(200, 5);
        dest.Tile(Rect(-5, -1, 190, 5), Rect(0, 0, width, 2), source);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 200; ++x)
                ASSERT_EQ(dest.Pixel(x, y), x < 190 ? source.Pixel((x + 5) % width, (y + 1) % 2) : 0u) << width << ": " << x << "," << y;
    }
    // A narrow, tall tile over a wide destination (too many repeated rows to keep them all).
    TBitmap32 tall(2, 3000);
    for (int y = 0; y < 3000; ++y)
        for (int x = 0; x < 2; ++x)
            tall.SetPixel(x, y, Color32(static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(y >> 8)));
    TBitmap32 dest(700, 4);
    dest.Tile(Rect(-1, -2998, 700, 4), tall.BoundsRect(), tall);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 700; ++x)
            ASSERT_EQ(dest.Pixel(x, y), tall.Pixel((x + 1) % 2, (y + 2998) % 3000)) << x << "," << y;
}

} // namespace
} // namespace quillora
