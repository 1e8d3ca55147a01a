#include <gtest/gtest.h>

#include "render/Bitmap32.h"
#include "render/win32/Bitmap32Win.h"

namespace quillora {
namespace {

constexpr TColor32 White = 0xFFFFFFFF;

TEST(Bitmap32DC, GdiFillLandsInThePixelsAndResetAlphaMakesItOpaque)
{
    TBitmap32 bitmap(8, 6);
    bitmap.Clear(White);
    HDC dc = BitmapDC(bitmap);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(bitmap.Pixel(0, 0), White); // the pixels moved into the DIB section

    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    const RECT area{2, 1, 5, 4};
    FillRect(dc, &area, brush);
    DeleteObject(brush);

    const TRect rect = Rect(2, 1, 5, 4);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            if (rect.Contains({x, y}))
                EXPECT_EQ(bitmap.Pixel(x, y) & 0xFFFFFF, 0xFF0000u) << x << "," << y;
            else
                EXPECT_EQ(bitmap.Pixel(x, y), White) << x << "," << y;
        }
    bitmap.ResetAlpha(rect);
    EXPECT_EQ(bitmap.Pixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(bitmap.Pixel(4, 3), 0xFFFF0000u);

    // Pixels written by the core are what GDI reads.
    bitmap.FillRect(Rect(0, 5, 8, 6), Color32(0x10, 0x20, 0x30));
    EXPECT_EQ(GetPixel(dc, 7, 5), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(BitmapDC(bitmap), dc);
}

TEST(Bitmap32DC, TextDrawnThroughTheContextStaysInsideItsExtent)
{
    TBitmap32 bitmap(60, 30);
    bitmap.Clear(White);
    HDC dc = BitmapDC(bitmap);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    ASSERT_TRUE(TextOutW(dc, 4, 3, L"Xg", 2));
    SIZE extent{};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, L"Xg", 2, &extent));
    ASSERT_GT(extent.cx, 0);
    ASSERT_LT(4 + extent.cx, 60);
    ASSERT_LT(3 + extent.cy, 30);

    int dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            const TColor32 pixel = bitmap.Pixel(x, y);
            const bool inside = x >= 4 && x < 4 + extent.cx && y >= 3 && y < 3 + extent.cy;
            if (RedOf(pixel) < 128) {
                ++dark;
                EXPECT_TRUE(inside) << x << "," << y;
            }
            if (!inside)
                EXPECT_EQ(pixel, White) << x << "," << y;
        }
    EXPECT_GT(dark, 5);
}

TEST(Bitmap32DC, ContextSurvivesResizingAndEmptySizes)
{
    TBitmap32 bitmap;
    HDC dc = BitmapDC(bitmap); // a context without pixels, for measuring
    SIZE extent{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, L"W", 1, &extent));
    EXPECT_GT(extent.cx, 0);

    bitmap.SetSize(4, 4);
    EXPECT_EQ(BitmapDC(bitmap), dc);
    SetViewportOrgEx(dc, -1, -1, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    const RECT area{2, 2, 3, 3};
    FillRect(dc, &area, brush);
    EXPECT_EQ(bitmap.Pixel(1, 1) & 0xFFFFFF, 0x0000FFu); // through the viewport origin
    EXPECT_EQ(bitmap.Pixel(2, 2), 0u);

    bitmap.SetSize(0, 0);
    bitmap.SetSize(9, 3);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    const RECT wide{0, 0, 9, 3};
    FillRect(dc, &wide, brush);
    DeleteObject(brush);
    EXPECT_EQ(bitmap.Pixel(8, 2) & 0xFFFFFF, 0x0000FFu);
}

TEST(Bitmap32DC, CopyToAnotherContext)
{
    TBitmap32 source(3, 2);
    source.Clear(Color32(1, 2, 3));
    source.SetPixel(2, 1, Color32(200, 100, 50, 0));
    TBitmap32 target(6, 4);
    target.Clear(White);
    CopyBitmapToDC(source, BitmapDC(target), 1, 1);
    EXPECT_EQ(target.Pixel(0, 0), White);
    EXPECT_EQ(target.Pixel(1, 1) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(target.Pixel(3, 1) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(target.Pixel(1, 2) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(target.Pixel(3, 2) & 0xFFFFFF, 0xC86432u);
    EXPECT_EQ(target.Pixel(4, 2), White);
    EXPECT_EQ(target.Pixel(1, 3), White);
}

} // namespace
} // namespace quillora
