// The sheet canvas with GDI fonts: a sample picture of theme decorations and text, the
// buffer's device context and painting into a window's device context.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>

#include "foundation/Service.h"
#include "foundation/Streams.h"
#include "foundation/win32/WinInclude.h"
#include "images/UniversalImage.h"
#include "render/Canvas.h"
#include "render/SheetSettingsTheme.h"
#include "render/Theme.h"
#include "render/win32/Bitmap32Win.h"
#include "render/win32/CanvasWin.h"
#include "shell/Settings.h"

namespace quillora {
namespace {

bool IsDark(TColor32 pixel)
{
    return RedOf(pixel) < 140 && GreenOf(pixel) < 140 && BlueOf(pixel) < 140;
}

// Writes the bitmap as a PNG file.
void SavePng(const TBitmap32& bitmap, const std::filesystem::path& file)
{
    TUniversalImage image;
    TFrame& frame = image.AddFrame();
    frame.SetSize(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) frame.SetPixel(x, y, bitmap.Pixel(x, y));
    TMemoryStream png;
    image.SaveFrameToStream(0, pePng, png);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.Data()), static_cast<std::streamsize>(png.Size()));
}

class CanvasWinTest : public ::testing::Test {
protected:
    TSettings settings_{Service<TSettingsPlatform>()};
    TSheetSettingsTheme look_{settings_.Sheet()};
    TCustomSheetCanvas canvas_{look_};
};

TEST_F(CanvasWinTest, SamplePictureOfDecorationsAndText)
{
    const TColor32 window = ColorToColor32(clWindow);
    canvas_.BeginPaint(Rect(0, 0, 360, 150));
    canvas_.DrawThemeFrame(steSheet, Rect(0, 0, 360, 150));

    // A titled element box with its caption.
    canvas_.MoveOrigin(10, 10);
    canvas_.DrawThemeFrame(steElement, Rect(0, 0, 170, 34));
    canvas_.DrawElementText(12, 8, u"Element caption");
    canvas_.MoveOrigin(-10, -10);

    // A field with code text, a comment, signs and expand buttons.
    canvas_.DrawThemeFrame(steField, Rect(190, 10, 350, 40));
    const TFont& code = canvas_.ThemeFont(stfValue);
    canvas_.DrawFontText(code, 200, 16, clBlack, u"code text", 9);
    canvas_.DrawThemeFrame(steComment, Rect(190, 50, 350, 80));
    canvas_.DrawThemeImage(steErrorSign, TPoint{10, 55});
    canvas_.DrawThemeImage(steNeedValueSign, TPoint{30, 55});
    canvas_.DrawThemeImage(steCollapsed, TPoint{50, 52});
    canvas_.DrawThemeImage(steExpandedData, TPoint{75, 52});
    canvas_.DrawThemeFrame(steLine, Rect(10, 82, 180, 83));

    // A line of fixed text on plain window colour, selected in part.
    canvas_.DrawFixedText(10, 95, clWindowText, u"Fixed text line 0123");
    canvas_.FillSelection(Rect(10, 118, 120, 132), true);
    canvas_.DrawRectangle(Rect(130, 118, 180, 140), 8, clYellow, clMaroon);
    canvas_.DrawFocusRect(Rect(190, 95, 350, 140));

    TBitmap32 picture(360, 150);
    TBitmapPaintTarget target(picture);
    canvas_.EndPaint(&target);
    const std::filesystem::path file = std::filesystem::current_path() / "canvas-sample.png";
    SavePng(picture, file);
    std::cout << "canvas sample: " << file.string() << std::endl;
    EXPECT_TRUE(std::filesystem::exists(file));

    // Text pixels where the fixed line is, window colour beside it.
    const int lineHeight = canvas_.GetFixedLineHeight();
    const int lineWidth = canvas_.FixedTextWidth(u"Fixed text line 0123");
    ASSERT_GT(lineHeight, 5);
    ASSERT_GT(lineWidth, 50);
    int dark = 0;
    for (int y = 95; y < 95 + lineHeight; ++y)
        for (int x = 10; x < 10 + lineWidth; ++x) dark += IsDark(picture.Pixel(x, y));
    EXPECT_GT(dark, 20);
    for (int y = 95; y < 95 + lineHeight; ++y)
        for (int x = 10 + lineWidth + 2; x < 185; ++x) ASSERT_EQ(picture.Pixel(x, y), window) << x << "," << y;
    // The element box was drawn (tinted, not window colour) and carries light caption text.
    EXPECT_NE(picture.Pixel(20, 27), window);
    EXPECT_EQ(AlphaOf(picture.Pixel(100, 100)), 0xFF);
}

TEST_F(CanvasWinTest, TheBufferContextFollowsTheOriginMoves)
{
    canvas_.BeginPaint(Rect(100, 100, 160, 160));
    HDC dc = CanvasHandle(canvas_);
    ASSERT_NE(dc, nullptr);
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, -100);
    canvas_.MoveOrigin(110, 120);
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 10);
    EXPECT_EQ(origin.y, 20);
    // Drawing through the context in element coordinates lands where pixel drawing does.
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    const RECT area{0, 0, 2, 2};
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    canvas_.Buffer()->ResetAlpha(canvas_.Buffer()->BoundsRect());
    EXPECT_EQ(canvas_.Buffer()->Pixel(10, 20), Color32(255, 0, 0));
    canvas_.DrawRect(Rect(2, 0, 3, 1), clNone, clBlue);
    EXPECT_EQ(canvas_.Buffer()->Pixel(12, 20), Color32(0, 0, 255));

    // The finished buffer goes to a device context at the painted rectangle.
    TBitmap32 window(200, 200);
    window.Clear(0xFF000000u);
    HDC windowDC = BitmapDC(window);
    TDCPaintTarget target(windowDC);
    canvas_.EndPaint(&target);
    EXPECT_EQ(CanvasHandle(canvas_), nullptr);
    EXPECT_EQ(GetPixel(windowDC, 110, 120), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(windowDC, 112, 120), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(windowDC, 99, 99), RGB(0, 0, 0));
}

TEST_F(CanvasWinTest, MeasuringUsesTheThemeFontsOfTheFontSize)
{
    const int normal = canvas_.ElementTextWidth(u"Measured caption");
    const int height = canvas_.GetElementLineHeight();
    EXPECT_GT(normal, 30);
    EXPECT_GT(height, 8);
    settings_.Sheet().FontSize().SetValue(sfsGreat);
    EXPECT_GT(canvas_.ElementTextWidth(u"Measured caption"), normal);
    EXPECT_GT(canvas_.GetElementLineHeight(), height);
}

} // namespace
} // namespace quillora
