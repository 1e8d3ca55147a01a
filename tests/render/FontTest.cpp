// The font engine's portable rules (height, control characters) and the fixed-metric
// engine that native builds and tests rely on.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "render/Bitmap32.h"
#include "render/DeviceContextManager.h"
#include "render/FontFixed.h"

namespace quillora {
namespace {

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndReportsFailure)
{
    struct Case {
        int A, B, C, Expected;
    } cases[] = {
        {8, 96, 72, 11},   // 10.67
        {9, 96, 72, 12},   // exact
        {11, 120, 72, 18}, // 18.33
        {1, 1, 2, 1},      // 0.5 up
        {-1, 1, 2, -1},    // -0.5 away from zero
        {3, -1, 2, -2},
        {-7, -3, 2, 11},   // 10.5
        {5, 7, 0, -1},     // no divisor
        {INT_MAX, INT_MAX, 1, -1},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.A, c.B, c.C), c.Expected) << c.A << " * " << c.B << " / " << c.C;
    EXPECT_EQ(FontPixelHeight(10, 96), 13);
}

TEST(FixedFontTest, MetricsFollowTheHeightRule)
{
    struct Case {
        int Size;
        TFontStyles Style;
        int Ascent, Descent, Ave;
    } cases[] = {
        {8, 0, 9, 2, 6},     // 11 pixels
        {11, 0, 12, 3, 8},   // 15 pixels
        {15, 0, 15, 5, 10},  // 20 pixels
        {-8, 0, 9, 2, 6},    // a negative size counts as its magnitude
        {0, 0, 12, 4, 8},    // the default height
        {8, fsBold, 9, 2, 7},
        {INT_MIN, 0, 12, 4, 8}, // too large for any height: the default
    };
    TFixedFontManager manager;
    for (const Case& c : cases) {
        auto font = manager.CreateFont(u"Any", c.Size, 0, 0, fpDefault, DefaultCharset, c.Style);
        EXPECT_EQ(font->Ascent(), c.Ascent) << c.Size;
        EXPECT_EQ(font->Descent(), c.Descent) << c.Size;
        EXPECT_EQ(font->AveCharWidth(), c.Ave) << c.Size;
        EXPECT_EQ(font->TabWidth(), 8 * c.Ave) << c.Size;
        EXPECT_EQ(font->Height(), c.Ascent + c.Descent) << c.Size;
    }
}

TEST(FixedFontTest, WidthsDependOnLetterCaseAndStyle)
{
    TFixedFontManager manager;
    auto plain = manager.CreateFont(u"Tahoma", 11, 0, 0, fpDefault, DefaultCharset, 0);
    auto bold = manager.CreateFont(u"Tahoma", 11, 0, 0, fpDefault, DefaultCharset, fsBold);
    EXPECT_EQ(plain->TextWidth(u"Enter"), 12 + 4 * 8);
    EXPECT_EQ(plain->TextWidth(u"ENTER"), 5 * 12);
    EXPECT_EQ(bold->TextWidth(u"Enter"), 13 + 4 * 9);
    EXPECT_EQ(plain->TextWidth(u""), 0);
}

// A font that records the characters that reach the platform.
class TRecordingFont final : public TFont {
public:
    TRecordingFont() : TFont(TFontMetrics{10, 3, 5}) {}
    mutable std::vector<String> Measured;
    mutable std::vector<String> Drawn;

protected:
    int MeasureChars(const Char* chars, int count) const override
    {
        Measured.emplace_back(chars, chars + count);
        return 7 * count;
    }
    void DrawChars(TBitmap32&, int, int, TColor, const Char* chars, int count) const override
    {
        Drawn.emplace_back(chars, chars + count);
    }
};

TEST(FontTest, ControlCharactersAreMeasuredAndDrawnAsReplacementCharacters)
{
    TRecordingFont font;
    const String text = u"a\tb\x01\x1F c";
    EXPECT_EQ(font.TextWidth(text.data(), 4), 28);
    ASSERT_EQ(font.Measured.size(), 1u);
    EXPECT_EQ(font.Measured[0], u"a\uFFFDb\uFFFD");
    EXPECT_EQ(text, u"a\tb\x01\x1F c") << "the caller's characters stay";

    TBitmap32 bitmap(4, 4);
    EXPECT_EQ(font.DrawText(bitmap, 0, 0, clBlack, text), 7 * 7);
    ASSERT_EQ(font.Drawn.size(), 1u);
    EXPECT_EQ(font.Drawn[0], u"a\uFFFDb\uFFFD\uFFFD c");

    // Characters at and above 32 go through unchanged.
    font.TextWidth(u" ~\u00E9");
    EXPECT_EQ(font.Measured.back(), u" ~\u00E9");
}

TEST(FontTest, EmptyRunsTouchNothing)
{
    TRecordingFont font;
    TBitmap32 bitmap(4, 4);
    EXPECT_EQ(font.TextWidth(nullptr, 0), 0);
    EXPECT_EQ(font.TextWidth(nullptr, -5), 0);
    EXPECT_EQ(font.DrawText(bitmap, 0, 0, clBlack, nullptr, 0), 0);
    EXPECT_TRUE(font.Measured.empty());
    EXPECT_TRUE(font.Drawn.empty());

    // No colour, an empty bitmap or an empty clip rectangle: measured, not drawn.
    EXPECT_EQ(font.DrawText(bitmap, 0, 0, clNone, u"ab"), 14);
    TBitmap32 empty;
    EXPECT_EQ(font.DrawText(empty, 0, 0, clBlack, u"ab"), 14);
    bitmap.SetClipRect(Rect(2, 2, 2, 4));
    EXPECT_EQ(font.DrawText(bitmap, 0, 0, clBlack, u"ab"), 14);
    EXPECT_TRUE(font.Drawn.empty());
}

TEST(FixedFontTest, DrawsOneBoxPerVisibleCharacter)
{
    TFixedFontManager manager;
    auto font = manager.CreateFont(u"Tahoma", 9, 0, 0, fpDefault, DefaultCharset, 0); // 12 px: ascent 9, width 6
    TBitmap32 bitmap(40, 16);
    bitmap.Clear(Color32(255, 255, 255));
    EXPECT_EQ(font->DrawText(bitmap, 2, 3, clWindowText, u"a b"), 18);
    const TColor32 ink = ColorToColor32(clWindowText);
    const TColor32 paper = Color32(255, 255, 255);
    // "a": x 2..6, rows 4..11 (the top of the cell plus one to the baseline).
    EXPECT_EQ(bitmap.Pixel(2, 4), ink);
    EXPECT_EQ(bitmap.Pixel(6, 11), ink);
    EXPECT_EQ(bitmap.Pixel(7, 8), paper) << "a gap after each character";
    EXPECT_EQ(bitmap.Pixel(2, 3), paper);
    EXPECT_EQ(bitmap.Pixel(2, 12), paper) << "the baseline row stays";
    EXPECT_EQ(bitmap.Pixel(10, 8), paper) << "the space draws nothing";
    EXPECT_EQ(bitmap.Pixel(14, 8), ink);
    EXPECT_EQ(bitmap.Pixel(20, 8), paper);

    auto underlined = manager.CreateFont(u"Tahoma", 9, 0, 0, fpDefault, DefaultCharset, fsUnderline);
    bitmap.Clear(paper);
    underlined->DrawText(bitmap, 0, 0, clBlack, u"ab");
    EXPECT_EQ(bitmap.Pixel(11, 10), Color32(0, 0, 0)) << "underline one below the baseline";
    EXPECT_EQ(bitmap.Pixel(12, 10), paper);
}

TEST(FixedFontTest, DrawingStaysInsideTheClipRectangleForAnyPosition)
{
    TFixedFontManager manager;
    auto font = manager.CreateFont(u"Tahoma", 30, 0, 0, fpDefault, DefaultCharset, fsUnderline | fsStrikeOut);
    TBitmap32 bitmap(20, 20);
    const TColor32 paper = Color32(1, 2, 3);
    bitmap.Clear(paper);
    bitmap.SetClipRect(Rect(5, 5, 15, 15));
    const int positions[] = {INT_MIN, INT_MIN + 1, -100, -3, 0, 7, 14, 100, INT_MAX - 1, INT_MAX};
    for (int x : positions)
        for (int y : positions) font->DrawText(bitmap, x, y, clRed, u"WWW www");
    int inked = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 5 && x < 15 && y >= 5 && y < 15;
            if (!inside) {
                ASSERT_EQ(bitmap.Pixel(x, y), paper) << x << "," << y;
            }
            inked += bitmap.Pixel(x, y) != paper;
        }
    EXPECT_GT(inked, 0);
}

} // namespace
} // namespace quillora
