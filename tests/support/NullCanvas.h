#pragma once
// A canvas that draws nothing and measures everything as zero, with an unbounded clip:
// the base of the tests' recording canvases, which override what they watch.

#include "render/SheetCanvas.h"

namespace quillora::testing {

class TNullCanvas : public TSheetCanvas {
public:
    void MoveOrigin(int, int) override {}
    TRect GetClipRect() const override { return Rect(0, 0, 10000, 10000); }
    bool RectVisible(const TRect&) const override { return true; }
    void DrawThemeImage(TSheetThemeElement, TPoint, uint32_t) override {}
    void DrawThemeFrame(TSheetThemeElement, const TRect&, uint32_t) override {}
    int GetThemeImageHeight(TSheetThemeElement) override { return 0; }
    TPoint GetThemeImageSize(TSheetThemeElement) override { return {}; }
    int GetThemeZoneWidth(TSheetThemeElement) override { return 0; }
    int GetThemeZoneHeight(TSheetThemeElement) override { return 0; }
    TRect GetThemeMargins(TSheetThemeElement) override { return {}; }
    TRect GetThemePadding(TSheetThemeElement) override { return {}; }
    TRect GetThemeMouseTransparent(TSheetThemeElement) override { return {}; }
    void FillDisabled(const TRect&) override {}
    void FillSelection(const TRect&, bool) override {}
    void DrawElementText(int, int, const String&) override {}
    void DrawFixedText(int, int, TColor, const String&) override {}
    int ElementTextWidth(const String&) override { return 0; }
    int FixedTextWidth(const String&) override { return 0; }
    int CodeTextWidth(const String&) override { return 0; }
    void ResetFonts() override {}
    int GetFixedLineHeight() const override { return 0; }
    int GetElementLineHeight() const override { return 0; }
    int GetCodeLineHeight() const override { return 0; }
    void DrawRectangle(const TRect&, int, TColor, TColor) override {}
    void DrawFocusRect(const TRect&) override {}
    void DrawThickFocusRect(const TRect&) override {}
    void DrawBitmap(int, int, const TBitmap32&) override {}
    void DrawCharImage(int, int, int) override {}
    void DrawSmallImage(int, int, int) override {}
    void DrawLargeImage(int, int, int) override {}
};

} // namespace quillora::testing
