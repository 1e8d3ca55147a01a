#include <gtest/gtest.h>

#include <climits>

#include "foundation/Exceptions.h"
#include "render/Bitmap32.h"
#include "render/Tint.h"
#include "tests/render/RasterTestUtil.h"

namespace quillora {
namespace {

using rastertest::Blank;
using rastertest::Fill;
using rastertest::LetterColor;
using rastertest::Rows;
using TRows = std::vector<std::string>;

constexpr TRect Everything{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

TEST(Bitmap32, SizeClearsAndBoundsNegativeAndHugeSizes)
{
    TBitmap32 bitmap(3, 2);
    EXPECT_EQ(bitmap.BoundsRect(), Rect(0, 0, 3, 2));
    EXPECT_EQ(bitmap.ClipRect(), Rect(0, 0, 3, 2));
    EXPECT_EQ(Rows(bitmap), Blank(3, 2));

    bitmap.Clear(LetterColor('a'));
    bitmap.SetClipRect(Rect(1, 1, 2, 2));
    bitmap.SetSize(3, 2); // same size: nothing changes
    EXPECT_EQ(Rows(bitmap), (TRows{"aaa", "aaa"}));
    EXPECT_EQ(bitmap.ClipRect(), Rect(1, 1, 2, 2));

    EXPECT_THROW(bitmap.SetSize(100000, 100000), Exception);
    EXPECT_THROW(bitmap.SetSize(INT_MAX, INT_MAX), Exception);
    EXPECT_EQ(Rows(bitmap), (TRows{"aaa", "aaa"})); // a failed resize keeps the bitmap

    for (auto [w, h] : {std::pair{-1, 5}, std::pair{5, -1}, std::pair{0, 7}, std::pair{INT_MIN, INT_MIN}}) {
        bitmap.SetSize(w, h);
        EXPECT_TRUE(bitmap.Empty());
        EXPECT_EQ(bitmap.Width(), 0);
        EXPECT_EQ(bitmap.Height(), 0);
        EXPECT_EQ(bitmap.Bits(), nullptr);
        EXPECT_EQ(bitmap.ClipRect(), TRect{});
        // Drawing on an empty bitmap does nothing.
        bitmap.FillRect(Everything, 1);
        bitmap.FillRectBlend(Everything, 0x80FFFFFF);
        bitmap.FrameRect(Everything, 1);
        bitmap.SetPixel(0, 0, 1);
        bitmap.Clear(1);
        bitmap.SetSize(2, 2);
        EXPECT_EQ(Rows(bitmap), Blank(2, 2));
    }
}

TEST(Bitmap32, PixelsOutsideReadTheOuterColourAndIgnoreWrites)
{
    TBitmap32 bitmap(2, 2);
    bitmap.SetOuterColor(0x12345678);
    bitmap.SetPixel(1, 0, LetterColor('b'));
    for (auto [x, y] : {std::pair{-1, 0}, std::pair{2, 0}, std::pair{0, -1}, std::pair{0, 2}, std::pair{INT_MIN, INT_MAX}}) {
        EXPECT_EQ(bitmap.Pixel(x, y), 0x12345678u);
        bitmap.SetPixel(x, y, LetterColor('c'));
    }
    bitmap.SetClipRect(Rect(0, 0, 1, 1));
    bitmap.SetPixel(1, 1, LetterColor('c')); // outside the clip rectangle
    bitmap.SetPixel(0, 0, LetterColor('a'));
    EXPECT_EQ(Rows(bitmap), (TRows{"ab", ".."}));
}

struct TFillCase {
    TRect Clip;
    TRect Rect;
    TRows Fill;
    TRows Frame;
};

TEST(Bitmap32, FillAndFrameAreClipped)
{
    const TFillCase cases[] = {
        {Everything, Rect(1, 1, 4, 4), {".....", ".aaa.", ".aaa.", ".aaa."}, {".....", ".aaa.", ".a.a.", ".aaa."}},
        {Everything, Rect(-2, 2, 3, 9), {".....", ".....", "aaa..", "aaa.."}, {".....", ".....", "aaa..", "..a.."}},
        {Everything, Rect(1, 1, 2, 4), {".....", ".a...", ".a...", ".a..."}, {".....", ".a...", ".a...", ".a..."}},
        {Rect(2, 0, 9, 2), Rect(1, 0, 4, 3), {"..aa.", "..aa.", ".....", "....."}, {"..aa.", "...a.", ".....", "....."}},
        {Everything, Everything, {"aaaaa", "aaaaa", "aaaaa", "aaaaa"}, Blank(5, 4)},
        {Everything, Rect(3, 1, 1, 4), Blank(5, 4), Blank(5, 4)},                 // negative width
        {Everything, Rect(INT_MAX, INT_MAX, INT_MIN, INT_MIN), Blank(5, 4), Blank(5, 4)},
        {Rect(7, 7, 9, 9), Everything, Blank(5, 4), Blank(5, 4)},                 // clip outside: nothing
    };
    for (const TFillCase& c : cases) {
        TBitmap32 bitmap(5, 4);
        bitmap.SetClipRect(c.Clip);
        bitmap.FillRect(c.Rect, LetterColor('a'));
        EXPECT_EQ(Rows(bitmap), c.Fill) << c.Rect.Left << "," << c.Rect.Top;
        bitmap.Clear(0);
        bitmap.FrameRect(c.Rect, LetterColor('a'));
        EXPECT_EQ(Rows(bitmap), c.Frame) << c.Rect.Left << "," << c.Rect.Top;
    }
}

TEST(Bitmap32, FillRectBlendByCombineMode)
{
    TBitmap32 bitmap(3, 1);
    bitmap.Clear(0xFF0000FF);
    bitmap.FillRectBlend(Rect(0, 0, 1, 1), 0x80FF0000);
    bitmap.FillRectBlend(Rect(1, 0, 2, 1), 0x00FF0000); // transparent: nothing
    bitmap.FillRectBlend(Rect(2, 0, 9, 1), 0xFFFF0000); // opaque: fills
    EXPECT_EQ(bitmap.Pixel(0, 0), 0xFF80007Fu);
    EXPECT_EQ(bitmap.Pixel(1, 0), 0xFF0000FFu);
    EXPECT_EQ(bitmap.Pixel(2, 0), 0xFFFF0000u);

    // Over transparent pixels Blend darkens, Merge keeps the colour.
    bitmap.Clear(0);
    bitmap.FillRectBlend(Rect(0, 0, 1, 1), 0x80FFFFFF);
    bitmap.SetCombineMode(cmMerge);
    bitmap.FillRectBlend(Rect(1, 0, 2, 1), 0x80FFFFFF);
    EXPECT_EQ(bitmap.Pixel(0, 0), 0x80808080u);
    EXPECT_EQ(bitmap.Pixel(1, 0), 0x80FFFFFFu);
    EXPECT_EQ(bitmap.Pixel(2, 0), 0u);
}

TEST(Bitmap32, ResetAlphaMakesARectangleOpaque)
{
    TBitmap32 bitmap(3, 2);
    bitmap.Clear(0x00102030);
    bitmap.SetClipRect(Rect(0, 0, 3, 1));
    bitmap.ResetAlpha(Rect(1, -5, 10, 10));
    bitmap.ResetClipRect();
    bitmap.ResetAlpha(Rect(0, 1, 1, 2), 0x40);
    EXPECT_EQ(bitmap.Pixel(0, 0), 0x00102030u);
    EXPECT_EQ(bitmap.Pixel(1, 0), 0xFF102030u);
    EXPECT_EQ(bitmap.Pixel(2, 0), 0xFF102030u);
    EXPECT_EQ(bitmap.Pixel(0, 1), 0x40102030u);
    EXPECT_EQ(bitmap.Pixel(2, 1), 0x00102030u);
}

TEST(Bitmap32, AssignCopiesPixelsAndModes)
{
    TBitmap32 source;
    Fill(source, {"ab", "cd"});
    source.SetDrawMode(dmBlend);
    source.SetCombineMode(cmMerge);
    source.SetOuterColor(5);
    TBitmap32 copy(7, 7);
    copy.Assign(source);
    EXPECT_EQ(Rows(copy), (TRows{"ab", "cd"}));
    EXPECT_EQ(copy.DrawMode(), dmBlend);
    EXPECT_EQ(copy.CombineMode(), cmMerge);
    EXPECT_EQ(copy.OuterColor(), 5u);
    copy.Assign(copy);
    EXPECT_EQ(Rows(copy), (TRows{"ab", "cd"}));
}

TEST(Bitmap32, CopyTintedTintsThePartInsideTheSource)
{
    TBitmap32 source(3, 2);
    source.SetPixel(1, 0, 0xC8FFFFFF);
    source.SetPixel(2, 0, 0x00FFFFFF);
    source.SetPixel(1, 1, 0xFF102030);
    source.SetDrawMode(dmBlend);
    TBitmap32 tinted;
    CopyTinted(tinted, source, Rect(1, -1, 9, 1), 0x856782FE);
    ASSERT_EQ(tinted.Width(), 2);
    ASSERT_EQ(tinted.Height(), 1);
    EXPECT_EQ(tinted.Pixel(0, 0), 0xC8B0BEFEu);
    EXPECT_EQ(tinted.Pixel(1, 0), 0x00FFFFFFu);
    EXPECT_EQ(tinted.DrawMode(), dmBlend);

    CopyTinted(tinted, source, Rect(5, 5, 9, 9), 0x856782FE);
    EXPECT_TRUE(tinted.Empty());
    CopyTinted(source, source, Rect(1, 1, 2, 2), 0xFFFFFFFF); // onto itself
    EXPECT_EQ(source.Width(), 1);
    EXPECT_EQ(source.Pixel(0, 0), 0xFFFFFFFFu);
}

} // namespace
} // namespace quillora
