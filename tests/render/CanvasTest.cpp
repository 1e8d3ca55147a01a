// The bitmap-backed sheet canvas, with the fixed-metric fonts and the built-in theme.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "render/Blend.h"
#include "render/Canvas.h"
#include "render/FontFixed.h"
#include "render/SheetSettingsTheme.h"
#include "render/Theme.h"
#include "shell/Settings.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

namespace fs = std::filesystem;

class CanvasTest : public ::testing::Test {
protected:
    TFixedFontManager fonts_;
    TProvide<TDeviceContextManager> provideFonts_{fonts_};
    TSettings settings_{Service<TSettingsPlatform>()};
    TSheetSettingsTheme look_{settings_.Sheet()};
    TCustomSheetCanvas canvas_{look_};
    const TColor32 window_ = ColorToColor32(clWindow);

    TColor32 At(int x, int y) const { return canvas_.Buffer()->Pixel(x, y); }
};

TEST_F(CanvasTest, PaintsIntoABufferOfTheUpdateRectangleAndHandsItOn)
{
    canvas_.BeginPaint(Rect(100, 50, 130, 70));
    ASSERT_TRUE(canvas_.IsPainting());
    EXPECT_EQ(canvas_.Buffer()->Width(), 30);
    EXPECT_EQ(canvas_.Buffer()->Height(), 20);
    EXPECT_EQ(At(0, 0), window_);
    EXPECT_EQ(At(29, 19), window_);
    EXPECT_EQ(canvas_.Buffer()->OuterColor(), window_);
    EXPECT_EQ(canvas_.GetClipRect(), Rect(100, 50, 130, 70));

    canvas_.DrawRect(Rect(100, 50, 102, 52), clNone, clRed);
    TBitmap32 window(200, 100);
    TBitmapPaintTarget target(window);
    canvas_.EndPaint(&target);
    EXPECT_FALSE(canvas_.IsPainting());
    EXPECT_EQ(window.Pixel(100, 50), ColorToColor32(clRed));
    EXPECT_EQ(window.Pixel(101, 51), ColorToColor32(clRed));
    EXPECT_EQ(window.Pixel(102, 52), window_);
    EXPECT_EQ(window.Pixel(129, 69), window_);
    EXPECT_EQ(window.Pixel(130, 70), 0u) << "nothing beyond the painted rectangle";
    canvas_.EndPaint(&target); // a second end is harmless
}

TEST_F(CanvasTest, EmptyOrOversizedPaintsCreateNoBuffer)
{
    canvas_.BeginPaint(Rect(5, 5, 5, 20));
    EXPECT_FALSE(canvas_.IsPainting());
    canvas_.DrawRect(Rect(0, 0, 50, 50), clRed, clRed);
    canvas_.DrawElementText(0, 0, u"x");
    canvas_.FillSelection(Rect(0, 0, 50, 50), true);
    EXPECT_FALSE(canvas_.RectVisible(Rect(0, 0, 50, 50)));
    TBitmap32 window(10, 10);
    TBitmapPaintTarget target(window);
    canvas_.EndPaint(&target);
    EXPECT_EQ(window.Pixel(5, 5), 0u);

    EXPECT_THROW(canvas_.BeginPaint(Rect(INT_MIN, 0, INT_MAX, 10)), Exception);
    EXPECT_FALSE(canvas_.IsPainting());
    EXPECT_THROW(canvas_.BeginPaint(Rect(0, 0, 100000, 100000)), Exception);
    EXPECT_FALSE(canvas_.IsPainting());
    EXPECT_EQ(canvas_.ElementTextWidth(u"e"), 8) << "measuring works without a paint";
}

TEST_F(CanvasTest, OriginMovesTranslateEveryDrawingPath)
{
    canvas_.BeginPaint(Rect(100, 100, 200, 200));
    canvas_.MoveOrigin(120, 130);
    EXPECT_EQ(canvas_.Offset(), (TPoint{120, 130}));
    EXPECT_EQ(canvas_.GetClipRect(), Rect(-20, -30, 80, 70));
    EXPECT_EQ(canvas_.ToBuffer(0, 0), (TPoint{20, 30}));

    canvas_.DrawRect(Rect(0, 0, 1, 1), clNone, clRed);
    EXPECT_EQ(At(20, 30), ColorToColor32(clRed));
    // A realised font draws at the same translation: its first box starts one row below
    // the top of the cell.
    const TFont& font = canvas_.ThemeFont(stfFixed);
    EXPECT_EQ(canvas_.DrawFontText(font, 10, 0, clBlue, u"a", 1), font.AveCharWidth());
    EXPECT_EQ(At(30, 31), ColorToColor32(clBlue));
    EXPECT_EQ(At(30, 30), window_);
    TBitmap32 dot(1, 1);
    dot.Clear(Color32(0, 255, 0));
    canvas_.DrawBitmap(5, 5, dot);
    EXPECT_EQ(At(25, 35), Color32(0, 255, 0));

    canvas_.MoveOrigin(-120, -130);
    EXPECT_EQ(canvas_.GetClipRect(), Rect(100, 100, 200, 200));
}

TEST_F(CanvasTest, RectVisibleComparesWithTheBufferEdges)
{
    canvas_.BeginPaint(Rect(100, 100, 200, 200));
    struct Case {
        TRect R;
        bool Visible;
    } cases[] = {
        {Rect(120, 120, 130, 130), true},
        {Rect(0, 0, 1000, 1000), true},
        {Rect(90, 120, 100, 130), false},  // right edge on the buffer's left edge
        {Rect(90, 120, 101, 130), true},
        {Rect(200, 120, 210, 130), true},  // left edge on the buffer's right edge
        {Rect(201, 120, 210, 130), false},
        {Rect(120, 90, 130, 100), false},  // bottom edge on the buffer's top edge
        {Rect(120, 200, 130, 210), true},  // top edge on the buffer's bottom edge
        {Rect(120, 201, 130, 210), false},
        {Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(canvas_.RectVisible(c.R), c.Visible) << c.R.Left << "," << c.R.Top << "," << c.R.Right << "," << c.R.Bottom;
    canvas_.MoveOrigin(100, 100);
    EXPECT_FALSE(canvas_.RectVisible(Rect(-10, 20, 0, 30)));
    EXPECT_TRUE(canvas_.RectVisible(Rect(-10, 20, 1, 30)));
}

TEST_F(CanvasTest, SquareRectanglesDrawOutlineThenTheShrunkFill)
{
    const TColor32 red = ColorToColor32(clRed);
    const TColor32 blue = ColorToColor32(clBlue);
    canvas_.BeginPaint(Rect(0, 0, 20, 20));
    canvas_.DrawRectangle(Rect(2, 2, 8, 8), 0, clBlue, clRed);
    EXPECT_EQ(At(2, 2), red);
    EXPECT_EQ(At(7, 5), red);
    EXPECT_EQ(At(3, 3), blue);
    EXPECT_EQ(At(6, 6), blue);
    EXPECT_EQ(At(8, 8), window_);

    canvas_.DrawRect(Rect(10, 10, 14, 14), clNone, clBlue); // no pen: the whole rectangle
    EXPECT_EQ(At(10, 10), blue);
    EXPECT_EQ(At(13, 13), blue);
    canvas_.DrawRect(Rect(15, 15, 18, 18), clRed, clNone); // no brush: the outline only
    EXPECT_EQ(At(15, 15), red);
    EXPECT_EQ(At(16, 16), window_);
    canvas_.DrawRect(Rect(0, 15, 3, 18), clNone, clNone);
    EXPECT_EQ(At(1, 16), window_);
    // System colours are resolved.
    canvas_.DrawRect(Rect(0, 0, 1, 1), clNone, clWindowText);
    EXPECT_EQ(At(0, 0), ColorToColor32(clWindowText));
}

TEST_F(CanvasTest, RoundedRectanglesCutTheirCorners)
{
    const TColor32 red = ColorToColor32(clRed);
    const TColor32 blue = ColorToColor32(clBlue);
    canvas_.BeginPaint(Rect(0, 0, 40, 40));
    canvas_.DrawRectangle(Rect(0, 0, 20, 12), 8, clBlue, clRed);
    EXPECT_EQ(At(0, 0), window_);
    EXPECT_EQ(At(19, 11), window_);
    EXPECT_EQ(At(10, 0), red);
    EXPECT_EQ(At(0, 6), red);
    EXPECT_EQ(At(19, 6), red);
    EXPECT_EQ(At(10, 11), red);
    EXPECT_EQ(At(10, 6), blue);
    EXPECT_EQ(At(20, 6), window_);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 10; ++x) // left and right halves mirror each other
            ASSERT_EQ(At(x, y), At(19 - x, y)) << x << "," << y;

    // Without a pen the brush covers the same shape, edges included.
    canvas_.DrawRectangle(Rect(0, 20, 20, 32), 8, clBlue, clNone);
    EXPECT_EQ(At(10, 20), blue);
    EXPECT_EQ(At(19, 26), blue);
    EXPECT_EQ(At(0, 20), window_);
    EXPECT_EQ(At(20, 26), window_);
}

TEST_F(CanvasTest, FocusRectanglesInvertEveryOtherOutlinePixel)
{
    canvas_.BeginPaint(Rect(0, 0, 10, 10));
    canvas_.DrawFocusRect(Rect(0, 0, 6, 4));
    const TColor32 inverted = window_ ^ 0x00FFFFFFu;
    EXPECT_EQ(At(0, 0), inverted);
    EXPECT_EQ(At(1, 0), window_);
    EXPECT_EQ(At(2, 0), inverted);
    EXPECT_EQ(At(5, 1), inverted);
    EXPECT_EQ(At(0, 2), inverted);
    EXPECT_EQ(At(1, 3), inverted);
    EXPECT_EQ(At(2, 2), window_) << "the inside stays";
    canvas_.DrawFocusRect(Rect(0, 0, 6, 4));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(At(x, y), window_) << "drawing twice restores " << x << "," << y;

    // Thick: the inner rectangle too, unless it is empty.
    canvas_.DrawThickFocusRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(At(1, 1), inverted);
    EXPECT_EQ(At(2, 1), window_);
    canvas_.DrawThickFocusRect(Rect(0, 0, 5, 5));
    canvas_.DrawThickFocusRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(At(0, 0), inverted);
    EXPECT_EQ(At(1, 1), inverted) << "one-pixel outline only";
    EXPECT_EQ(At(0, 1), window_);
    canvas_.EndPaint(nullptr);

    // The dots keep their place on the sheet whatever the painted rectangle.
    canvas_.BeginPaint(Rect(1, 0, 10, 10));
    canvas_.DrawFocusRect(Rect(1, 0, 6, 4));
    EXPECT_EQ(At(0, 0), window_);
    EXPECT_EQ(At(1, 0), inverted);
}

TEST_F(CanvasTest, OverlaysBlendTheThemeColours)
{
    TSheetTheme& theme = look_.GetTheme();
    canvas_.BeginPaint(Rect(0, 0, 30, 10));
    canvas_.FillDisabled(Rect(0, 0, 10, 10));
    canvas_.FillSelection(Rect(10, 0, 20, 10), true);
    canvas_.FillSelection(Rect(20, 0, 30, 10), false);
    EXPECT_EQ(At(5, 5), BlendPixel(theme.DisableColor(), window_));
    EXPECT_EQ(At(15, 5), BlendPixel(theme.SelectColor(), window_));
    EXPECT_EQ(At(25, 5), BlendPixel(theme.SelectInactiveColor(), window_));
}

TEST_F(CanvasTest, ThemeDecorationsLandWhereTheElementDataDrawsThem)
{
    TSheetTheme& theme = look_.GetTheme();
    canvas_.BeginPaint(Rect(50, 50, 150, 110));
    canvas_.MoveOrigin(60, 55);
    canvas_.DrawThemeFrame(steField, Rect(0, 0, 70, 30));
    canvas_.DrawThemeImage(steErrorSign, TPoint{72, 2});
    canvas_.DrawThemeFrame(steElement, Rect(-5, 32, 40, 60), Color32(200, 20, 20, 150));

    TBitmap32 expected(100, 60);
    expected.Clear(window_);
    theme.GetElements(steField).DrawFrame(expected, Rect(10, 5, 80, 35));
    theme.GetElements(steErrorSign).DrawImage(expected, TPoint{82, 7});
    theme.GetElements(steElement).DrawFrame(expected, Rect(5, 37, 50, 65), Color32(200, 20, 20, 150));
    int differing = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x) differing += At(x, y) != expected.Pixel(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_NE(At(45, 20), window_) << "the field frame was drawn";
}

TEST_F(CanvasTest, ThemeQueriesReadTheScaledTheme)
{
    EXPECT_EQ(canvas_.GetThemePadding(steField), Rect(9, 1, 9, 1));
    EXPECT_EQ(canvas_.GetThemeMargins(steCollapsed), Rect(-2, -2, -2, -2));
    EXPECT_EQ(canvas_.GetThemeMouseTransparent(steDescription), Rect(8, 0, 2, 2));
    EXPECT_EQ(canvas_.GetThemeImageSize(steErrorSign), (TPoint{14, 14}));
    EXPECT_EQ(canvas_.GetThemeImageHeight(steLine), 1);
    EXPECT_EQ(canvas_.GetThemeZoneWidth(steField), 14);
    EXPECT_EQ(canvas_.GetThemeZoneHeight(steLogicFrame), 15);

    settings_.Sheet().FontSize().SetValue(sfsGreat);
    EXPECT_EQ(canvas_.GetThemePadding(steField), Rect(16, 1, 16, 1));
    EXPECT_EQ(canvas_.GetThemeMargins(steCollapsed), Rect(-3, -3, -3, -3));
    EXPECT_EQ(canvas_.GetThemeZoneWidth(steField), 14) << "zones are not scaled";
}

TEST_F(CanvasTest, ElementWidthsAreCachedByExactTextUntilTheFontsChange)
{
    EXPECT_EQ(canvas_.GetElementLineHeight(), 15); // 11 points
    EXPECT_EQ(canvas_.GetCodeLineHeight(), 15);
    EXPECT_EQ(canvas_.GetFixedLineHeight(), 13);   // 10 points
    EXPECT_EQ(canvas_.ElementTextWidth(u"Enter"), 12 + 4 * 8);
    EXPECT_EQ(canvas_.ElementTextWidth(u"ENTER"), 5 * 12);
    EXPECT_EQ(canvas_.ElementTextWidth(u"Enter"), 44);
    EXPECT_EQ(canvas_.CachedTextWidthCount(), 2);
    EXPECT_EQ(canvas_.FixedTextWidth(u"ab"), 14);
    EXPECT_EQ(canvas_.CodeTextWidth(u"ab"), 16);
    EXPECT_EQ(canvas_.CachedTextWidthCount(), 2) << "only element texts are cached";
    canvas_.ResetFonts();
    EXPECT_EQ(canvas_.CachedTextWidthCount(), 0);

    canvas_.ElementTextWidth(u"Enter");
    settings_.Sheet().FontSize().SetValue(sfsGreat);
    EXPECT_EQ(canvas_.ElementTextWidth(u"e"), 10) << "15 points";
    EXPECT_EQ(canvas_.CachedTextWidthCount(), 1) << "the old widths were dropped";
    EXPECT_EQ(canvas_.GetElementLineHeight(), 20);
    EXPECT_EQ(canvas_.GetFixedLineHeight(), 19);
    EXPECT_EQ(look_.GetTheme().GetFonts(stfStone).ScaledSize, 15);
}

TEST_F(CanvasTest, FixedTextTakesTheFontColourWhenGivenNone)
{
    const TColor fixedColor = look_.GetTheme().GetFonts(stfFixed).Color;
    canvas_.BeginPaint(Rect(0, 0, 40, 20));
    canvas_.DrawFixedText(0, 0, clNone, u"a");
    canvas_.DrawFixedText(20, 0, clRed, u"a");
    EXPECT_EQ(At(2, 5), ColorToColor32(fixedColor));
    EXPECT_EQ(At(22, 5), ColorToColor32(clRed));
}

TEST_F(CanvasTest, ElementTextWithoutShadowIsDrawnOnce)
{
    const TSheetThemeFontData& font = look_.GetTheme().GetFonts(stfStone);
    ASSERT_FALSE(font.HasSecondColor());
    canvas_.BeginPaint(Rect(0, 0, 40, 20));
    canvas_.DrawElementText(0, 0, u"a"); // a box of x 0..6, rows 1..11
    EXPECT_EQ(At(0, 1), ColorToColor32(font.Color));
    EXPECT_EQ(At(7, 12), window_);
}

// A theme like the built-in one whose element font has a shadow (the opaque black pixel
// at 28,0 of the theme image).
class ShadowThemeTest : public CanvasTest {
protected:
    void SetUp() override
    {
        const fs::path source = fs::path(QUILLORA_TEST_DATA) / ".." / ".." / "resources" / "themes";
        fs::copy_file(source / "Default.png", folder_ / "Shadow.png", fs::copy_options::overwrite_existing);
        std::ifstream in(source / "Default.txt", std::ios::binary);
        std::string info((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string font = "<ElementFont ";
        info.replace(info.find(font), font.size(), font + "SecondColor=\"28,0\" ");
        std::ofstream(folder_ / "Shadow.txt", std::ios::binary) << info;
        look_.SetThemesFolder((folder_ / "").u16string());
        settings_.Sheet().Theme().SetValue(u"Shadow");
    }
    testing::TempFolder temp_;
    const fs::path& folder_ = temp_.path;
};

TEST_F(ShadowThemeTest, ElementTextIsDrawnOverItsShadow)
{
    const TSheetThemeFontData& font = look_.GetTheme().GetFonts(stfStone);
    ASSERT_EQ(font.SecondColor, RGBColor(0, 0, 0));
    canvas_.BeginPaint(Rect(0, 0, 40, 20));
    canvas_.DrawElementText(0, 0, u"a"); // the text box x 0..6, rows 1..11; the shadow one further
    EXPECT_EQ(At(0, 1), ColorToColor32(font.Color));
    EXPECT_EQ(At(6, 11), ColorToColor32(font.Color)) << "the text lies over the shadow";
    EXPECT_EQ(At(7, 12), ColorToColor32(font.SecondColor));
    EXPECT_EQ(At(0, 12), window_);
}

TEST_F(CanvasTest, ThemeChangesReloadAndUnknownNamesGiveTheBuiltInTheme)
{
    look_.GetTheme();
    const uint64_t generation = look_.Generation();
    settings_.Sheet().Theme().SetValue(u"NoSuchTheme");
    EXPECT_NE(look_.Generation(), generation);
    EXPECT_EQ(canvas_.GetThemePadding(steField), Rect(9, 1, 9, 1));
    EXPECT_EQ(canvas_.GetFixedLineHeight(), 13);
}

class TFakeImageLists final : public TCanvasImageLists {
public:
    TFakeImageLists()
    {
        for (int i = 0; i < 3; ++i) {
            images_[i].SetSize(2, 2);
            images_[i].Clear(Color32(10 * (i + 1), 0, 0));
        }
    }
    const TBitmap32* GetImage(TSheetThemeImage size, int index) const override
    {
        return index == 0 ? &images_[size] : nullptr;
    }

private:
    TBitmap32 images_[3];
};

TEST_F(CanvasTest, ImageListsAreDrawnAtTheTranslatedPoint)
{
    TFakeImageLists lists;
    canvas_.BeginPaint(Rect(10, 10, 40, 40));
    canvas_.MoveOrigin(15, 15);
    {
        TProvide<TCanvasImageLists> provideLists(lists);
        canvas_.DrawCharImage(0, 0, 0);
        canvas_.DrawSmallImage(5, 0, 0);
        canvas_.DrawLargeImage(10, 0, 0);
        canvas_.DrawLargeImage(0, 10, 7); // no such image
    }
    canvas_.DrawSmallImage(0, 10, 0);
    EXPECT_EQ(At(5, 5), Color32(10, 0, 0));
    EXPECT_EQ(At(10, 5), Color32(20, 0, 0));
    EXPECT_EQ(At(15, 5), Color32(30, 0, 0));
    EXPECT_EQ(At(5, 15), window_);
}

TEST_F(CanvasTest, DrawingAnywhereStaysInsideTheBuffer)
{
    const int values[] = {INT_MIN, INT_MIN + 1, -70000, -3, 0, 4, 17, 70000, INT_MAX - 1, INT_MAX};
    canvas_.BeginPaint(Rect(-10, -10, 10, 10));
    TBitmap32 tile(3, 3);
    tile.Clear(Color32(1, 2, 3));
    for (int moves : {0, 1}) {
        if (moves) canvas_.MoveOrigin(INT_MAX, INT_MIN);
        for (int a : values)
            for (int b : values) {
                const TRect rects[] = {Rect(a, b, a, b), Rect(a, a, b, b), Rect(b, a, a, b), Rect(INT_MIN, a, INT_MAX, b)};
                for (const TRect& r : rects) {
                    canvas_.DrawRectangle(r, 0, clRed, clBlue);
                    canvas_.DrawRectangle(r, 5, clRed, clBlue);
                    canvas_.DrawRectangle(r, INT_MAX, clRed, clNone);
                    canvas_.DrawFocusRect(r);
                    canvas_.DrawThickFocusRect(r);
                    canvas_.FillDisabled(r);
                    canvas_.FillSelection(r, a < b);
                    canvas_.DrawThemeFrame(steField, r);
                    canvas_.DrawThemeFrame(steLogicFrame, r);
                    canvas_.RectVisible(r);
                }
                canvas_.DrawThemeImage(steErrorSign, TPoint{a, b});
                canvas_.DrawBitmap(a, b, tile);
                canvas_.DrawElementText(a, b, u"Wx\ty");
                canvas_.DrawFixedText(a, b, clNone, u"Wx");
            }
    }
    EXPECT_EQ(canvas_.Buffer()->Width(), 20);
    canvas_.EndPaint(nullptr);
}

} // namespace
} // namespace quillora
