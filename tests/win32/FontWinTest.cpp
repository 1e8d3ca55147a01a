// GDI fonts of the text engine: realisation, metrics, measuring and drawing onto bitmaps.
#include <gtest/gtest.h>

#include <climits>

#include "foundation/Service.h"
#include "foundation/win32/WinInclude.h"
#include "render/Bitmap32.h"
#include "render/DeviceContextManager.h"
#include "render/win32/Bitmap32Win.h"
#include "render/win32/FontWin.h"

namespace quillora {
namespace {

constexpr TColor32 White = 0xFFFFFFFF;

std::unique_ptr<TFont> MakeFont(int size, TFontStyles style = 0, const String& name = u"Tahoma")
{
    return Service<TDeviceContextManager>().CreateFont(name, size, 0, 0, fpDefault, DefaultCharset, style);
}

bool IsInk(TColor32 pixel)
{
    return RedOf(pixel) < 128 && GreenOf(pixel) < 128 && BlueOf(pixel) < 128;
}

TEST(GdiFont, MetricsFollowTheRequestedSize)
{
    TDeviceContextManager& manager = Service<TDeviceContextManager>();
    const int ppi = manager.PixelsPerInch();
    ASSERT_GT(ppi, 0);
    auto small = MakeFont(8);
    auto large = MakeFont(20);
    ASSERT_NE(GdiFontHandle(*small), nullptr);
    EXPECT_GT(small->Ascent(), 0);
    EXPECT_GE(small->Descent(), 0);
    EXPECT_GT(small->AveCharWidth(), 0);
    // The character height is the requested one; the cell adds the internal leading.
    EXPECT_GE(small->Height(), FontPixelHeight(8, ppi));
    EXPECT_LE(small->Height(), 2 * FontPixelHeight(8, ppi));
    EXPECT_GT(large->Height(), small->Height());
    EXPECT_GT(large->TextWidth(u"Snippet"), small->TextWidth(u"Snippet"));
    EXPECT_EQ(small->TabWidth(), 8 * small->AveCharWidth());
    EXPECT_GE(MakeFont(20, fsBold)->TextWidth(u"Snippet"), large->TextWidth(u"Snippet"));
    // A face that is not installed still gives a font (the platform's default face).
    auto missing = MakeFont(10, 0, u"No Such Face At All");
    EXPECT_GT(missing->TextWidth(u"abc"), 0);
}

TEST(GdiFont, ControlCharactersMeasureAsTheReplacementCharacter)
{
    auto font = MakeFont(10);
    EXPECT_EQ(font->TextWidth(u"a\tb\x01"), font->TextWidth(u"a\uFFFDb\uFFFD"));
    EXPECT_EQ(font->TextWidth(nullptr, 0), 0);
}

TEST(GdiFont, DrawnTextIsOpaqueAndStaysInItsCell)
{
    auto font = MakeFont(12);
    TBitmap32 bitmap(120, 40);
    bitmap.Clear(White);
    const int width = font->DrawText(bitmap, 5, 4, clBlack, u"Hello");
    EXPECT_EQ(width, font->TextWidth(u"Hello"));
    int ink = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const TColor32 p = bitmap.Pixel(x, y);
            ASSERT_EQ(AlphaOf(p), 0xFF) << x << "," << y;
            const bool inCell = x >= 5 && x < 5 + width + 2 && y >= 4 && y < 4 + font->Height();
            if (!inCell) {
                ASSERT_EQ(p, White) << x << "," << y;
            }
            ink += IsInk(p);
        }
    EXPECT_GT(ink, 10);

    // On a transparent bitmap the drawn pixels become opaque, the others stay.
    TBitmap32 clear(120, 40);
    clear.Clear(0);
    font->DrawText(clear, 5, 4, clBlack, u"Hello");
    int opaque = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) opaque += AlphaOf(clear.Pixel(x, y)) == 0xFF;
    EXPECT_GT(opaque, 10);
    EXPECT_EQ(clear.Pixel(110, 35), 0u);
}

TEST(GdiFont, DrawingHonoursTheClipRectangleAndIgnoresTheViewport)
{
    auto font = MakeFont(14, fsBold);
    TBitmap32 bitmap(100, 40);
    bitmap.Clear(White);
    bitmap.SetClipRect(Rect(20, 0, 40, 40));
    SetViewportOrgEx(BitmapDC(bitmap), 30, 10, nullptr);
    font->DrawText(bitmap, 2, 2, clBlack, u"WWWWWWWWWW");
    int inside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool clipped = x >= 20 && x < 40;
            if (!clipped) {
                ASSERT_EQ(bitmap.Pixel(x, y), White) << x << "," << y;
            }
            inside += IsInk(bitmap.Pixel(x, y));
        }
    EXPECT_GT(inside, 0);
    POINT origin{};
    GetViewportOrgEx(BitmapDC(bitmap), &origin);
    EXPECT_EQ(origin.x, 30) << "the viewport origin is restored";
    // Far positions draw nothing and do not fail.
    font->DrawText(bitmap, INT_MIN, INT_MAX, clBlack, u"W");
    font->DrawText(bitmap, INT_MAX - 2, 0, clBlack, u"W");
}

} // namespace
} // namespace quillora
