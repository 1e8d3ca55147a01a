#include <gtest/gtest.h>

#include <climits>

#include "render/Blend.h"
#include "render/NinePart.h"
#include "tests/render/RasterTestUtil.h"

namespace quillora {
namespace {

using rastertest::Blank;
using rastertest::Fill;
using rastertest::LetterColor;
using rastertest::Rows;
using TRows = std::vector<std::string>;

constexpr TRect Everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

TEST(NinePart, SplitBorders)
{
    struct TCase {
        int64_t Size, First, Second, WantFirst, WantSecond;
    };
    const TCase cases[] = {
        {10, 3, 4, 3, 4}, // room for both bands
        {7, 3, 4, 3, 4},
        {5, 3, 4, 3, 2},  // the second band is cut
        {2, 3, 4, 2, 0},  // then the first
        {2, 0, 4, 0, 2},
        {0, 3, 4, 0, 0},
        {-5, 3, 4, 0, 0},
        {10, -1, -4, 0, 0},
        {int64_t{1} << 32, INT_MAX, INT_MAX, INT_MAX, INT_MAX},
    };
    for (const TCase& c : cases) {
        const TBorderParts parts = SplitBorders(c.Size, c.First, c.Second);
        EXPECT_EQ(parts.First, c.WantFirst) << c.Size << " " << c.First << " " << c.Second;
        EXPECT_EQ(parts.Second, c.WantSecond) << c.Size << " " << c.First << " " << c.Second;
    }
}

struct TFrameCase {
    TRect Zone;
    TFillMode Edges;
    TFillMode Client;
    TRect Rect;
    TRect SourceRect;
    TRows Expected;
};

TEST(NinePart, CornersKeptEdgesAndCentreFilled)
{
    TBitmap32 source;
    Fill(source, {"abcd", "efgh", "ijkl", "mnop"});
    const TRect all = Rect(0, 0, 4, 4);
    const TRect one = Rect(1, 1, 1, 1);
    const TFrameCase cases[] = {
        {one, fmStretch, fmStretch, Rect(0, 0, 6, 5), all, {"abbccd", "effggh", "ijjkkl", "ijjkkl", "mnnoop"}},
        {one, fmTile, fmTile, Rect(0, 0, 6, 5), all, {"abcbcd", "efgfgh", "ijkjkl", "efgfgh", "mnonop"}},
        {one, fmStretch, fmNone, Rect(0, 0, 6, 5), all, {"abbccd", "e....h", "i....l", "i....l", "mnnoop"}},
        {one, fmNone, fmNone, Rect(0, 0, 6, 5), all, {"a....d", "......", "......", "......", "m....p"}},
        {one, fmStretch, fmStretch, Rect(1, 1, 5, 5), all, {"......", ".abcd.", ".efgh.", ".ijkl.", ".mnop."}},
        // Narrow destinations: the second band is cut first, then the first.
        {one, fmStretch, fmStretch, Rect(0, 0, 2, 3), all, {"ad....", "il....", "mp....", "......", "......"}},
        {one, fmStretch, fmStretch, Rect(0, 0, 1, 2), all, {"a.....", "m.....", "......", "......", "......"}},
        {Rect(0, 1, 2, 1), fmStretch, fmStretch, Rect(0, 0, 1, 3), all, {"d.....", "l.....", "p.....", "......", "......"}},
        // Zones larger than the source: the source cells are cut, corners stretched to fit.
        {Rect(3, 3, 3, 3), fmStretch, fmStretch, Rect(0, 0, 6, 5), all, {"abcddd", "efghhh", "ijklll", "mnoppp", "mnoppp"}},
        // No zone: the whole source is the centre.
        {TRect{}, fmStretch, fmStretch, Rect(0, 0, 6, 5), all, {"abbcdd", "effghh", "ijjkll", "ijjkll", "mnnopp"}},
        // The source rectangle is cut to the source.
        {one, fmStretch, fmStretch, Rect(0, 0, 6, 5), Rect(1, 1, 9, 9), {"fggggh", "jkkkkl", "jkkkkl", "jkkkkl", "noooop"}},
        {one, fmStretch, fmStretch, Rect(0, 0, 6, 5), Rect(4, 0, 9, 9), Blank(6, 5)},
        {one, fmStretch, fmStretch, Rect(0, 0, 6, 5), Rect(2, 2, 1, 1), Blank(6, 5)},
        {one, fmStretch, fmStretch, Rect(6, 0, 0, 5), all, Blank(6, 5)},
        // The whole int range: only the centre is on the bitmap.
        {one, fmStretch, fmStretch, Everything, all, {"kkkkkk", "kkkkkk", "kkkkkk", "kkkkkk", "kkkkkk"}},
        {one, fmTile, fmTile, Everything, all, {"kjkjkj", "gfgfgf", "kjkjkj", "gfgfgf", "kjkjkj"}},
        // Bands wider than everything: one corner cell takes the rectangle, stretched from the source.
        {Rect(INT_MAX, INT_MAX, INT_MAX, INT_MAX), fmStretch, fmStretch, Rect(0, 0, 6, 5), all,
         {"abbcdd", "effghh", "ijjkll", "ijjkll", "mnnopp"}},
    };
    for (const TFrameCase& c : cases) {
        TBitmap32 dest(6, 5);
        DrawNinePart(dest, c.Rect, source, c.SourceRect, TNinePart{c.Zone, c.Edges, c.Edges, c.Edges, c.Edges, c.Client});
        EXPECT_EQ(Rows(dest), c.Expected) << "zone " << c.Zone.Left << " rect " << c.Rect.Left << "," << c.Rect.Top << ","
                                          << c.Rect.Right << "," << c.Rect.Bottom;
    }
}

TEST(NinePart, EachBandHasItsOwnMode)
{
    TBitmap32 source;
    Fill(source, {"abcd", "efgh", "ijkl", "mnop"});
    TBitmap32 dest(6, 5);
    DrawNinePart(dest, Rect(0, 0, 6, 5), source, Rect(0, 0, 4, 4), TNinePart{Rect(1, 1, 1, 1), fmTile, fmNone, fmStretch, fmTile, fmNone});
    EXPECT_EQ(Rows(dest), (TRows{"a....d", "e....h", "i....l", "e....l", "mnonop"}));
}

TEST(NinePart, BlendsAndClips)
{
    TBitmap32 source;
    Fill(source, {"A.b", "...", "b.A"});
    source.SetDrawMode(dmBlend);
    TBitmap32 dest;
    Fill(dest, {"cccc", "cccc", "cccc"});
    dest.SetClipRect(Rect(0, 0, 4, 2));
    DrawNinePart(dest, Rect(0, 0, 4, 3), source, source.BoundsRect(), TNinePart{Rect(1, 1, 1, 1)});
    EXPECT_EQ(Rows(dest), (TRows{"?ccb", "cccc", "cccc"}));
    EXPECT_EQ(dest.Pixel(0, 0), BlendPixel(LetterColor('A'), LetterColor('c')));
}

} // namespace
} // namespace quillora
