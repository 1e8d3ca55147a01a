#pragma once
// TSheetCanvas: the one surface on which elements draw and measure. Drawing happens
// between the sheet's begin and end of a paint, in element-relative coordinates: an
// element moves the origin to its own top-left corner, draws, and moves it back.
// Theme queries and measuring work at any time. The bitmap-backed canvas implements it;
// tests use recording fakes.

#include <cstdint>
#include <memory>

#include "foundation/Colors.h"
#include "foundation/FontData.h"
#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "render/Font.h"
#include "render/SheetThemeTypes.h"

namespace quillora {

class TBitmap32;

// A theme font as the text engine's run attributes take it.
struct TThemeTextFont {
    String Name;   // empty: the platform's default face
    int Size = 0;  // points, scaled to the font size
    TFontStyles Style = 0;
    TColor Color = 0; // a Windows colour
};

// What a higher layer keeps with a canvas for as long as the theme and the font size stay
// (the text engine's run attributes of the theme fonts); freed when either changes.
class TCanvasThemeCache {
public:
    virtual ~TCanvasThemeCache() = default;
};

class TSheetCanvas {
public:
    TSheetCanvas() = default;
    TSheetCanvas(const TSheetCanvas&) = delete;
    TSheetCanvas& operator=(const TSheetCanvas&) = delete;
    virtual ~TSheetCanvas() = default;

    // ---- origin and clip ----
    // Translates the drawing coordinates by (dx, dy); the clip rectangle moves by (-dx, -dy).
    virtual void MoveOrigin(int dx, int dy) = 0;
    // The area being painted, in the current (translated) coordinates.
    virtual TRect GetClipRect() const = 0;
    // Whether `rect` (current coordinates) overlaps the area being painted.
    virtual bool RectVisible(const TRect& rect) const = 0;

    // ---- theme access (a colour of 0 means the theme element's own tint) ----
    virtual void DrawThemeImage(TSheetThemeElement element, TPoint point, uint32_t color = 0) = 0;
    virtual void DrawThemeFrame(TSheetThemeElement element, const TRect& rect, uint32_t color = 0) = 0;
    virtual int GetThemeImageHeight(TSheetThemeElement element) = 0;
    // Width and height of the element's image, as a point (X width, Y height).
    virtual TPoint GetThemeImageSize(TSheetThemeElement element) = 0;
    virtual int GetThemeZoneWidth(TSheetThemeElement element) = 0;
    virtual int GetThemeZoneHeight(TSheetThemeElement element) = 0;
    // Left, top, right and bottom insets.
    virtual TRect GetThemeMargins(TSheetThemeElement element) = 0;
    virtual TRect GetThemePadding(TSheetThemeElement element) = 0;
    virtual TRect GetThemeMouseTransparent(TSheetThemeElement element) = 0;
    virtual void FillDisabled(const TRect& rect) = 0;
    virtual void FillSelection(const TRect& rect, bool active) = 0;

    // ---- text ----
    virtual void DrawElementText(int x, int y, const String& text) = 0;
    virtual void DrawFixedText(int x, int y, TColor color, const String& text) = 0;
    virtual int ElementTextWidth(const String& text) = 0;
    virtual int FixedTextWidth(const String& text) = 0;
    virtual int CodeTextWidth(const String& text) = 0;
    virtual void ResetFonts() = 0;
    virtual int GetFixedLineHeight() const = 0;
    virtual int GetElementLineHeight() const = 0;
    virtual int GetCodeLineHeight() const = 0;

    // ---- other drawing (Windows colours; clNone draws nothing) ----
    virtual void DrawRectangle(const TRect& rect, int radius, TColor brushColor, TColor penColor) = 0;
    void DrawRect(const TRect& rect, TColor penColor, TColor brushColor) { DrawRectangle(rect, 0, brushColor, penColor); }
    virtual void DrawFocusRect(const TRect& rect) = 0;
    virtual void DrawThickFocusRect(const TRect& rect) = 0;
    virtual void DrawBitmap(int x, int y, const TBitmap32& bitmap) = 0;
    virtual void DrawCharImage(int x, int y, int index) = 0;
    virtual void DrawSmallImage(int x, int y, int index) = 0;
    virtual void DrawLargeImage(int x, int y, int index) = 0;

    // ---- the text engine's theme fonts ----
    // The theme font `font` for run attributes; false when the canvas has no theme.
    virtual bool GetThemeTextFont(TSheetThemeFont font, TThemeTextFont& data) { return false; }
    // The cache kept with the current theme and font size (none yet, or freed since the
    // theme or the font size changed), and a new one to keep.
    virtual TCanvasThemeCache* GetThemeCache() { return themeCache_.get(); }
    virtual void SetThemeCache(std::unique_ptr<TCanvasThemeCache> cache) { themeCache_ = std::move(cache); }

    // ---- the text engine's own drawing ----
    // Draws `count` characters of a realised font in `color` (a Windows colour) with the
    // top-left corner of their cell at (x, y), on a transparent background, and returns
    // their advance width. Canvases that do not paint only measure.
    virtual int DrawFontText(const TFont& font, int x, int y, TColor color, const Char* chars, int count)
    {
        return font.TextWidth(chars, count);
    }

protected:
    std::unique_ptr<TCanvasThemeCache> themeCache_;
};

} // namespace quillora
