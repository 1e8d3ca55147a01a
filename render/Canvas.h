#pragma once
// TCustomSheetCanvas: the sheet canvas over 32-bit bitmaps. Every paint is double
// buffered: BeginPaint creates an off-screen bitmap the size of the area to repaint,
// filled with the window colour; the element tree draws into it in element-relative
// coordinates (moving the origin to each element); EndPaint hands the finished bitmap to
// its target (the window) in one step and frees it.
//
// Two coordinate paths agree: drawing into the buffer's pixels converts a point as
// X + Offset.X - Origin.X, Y + Offset.Y - Origin.Y, and platform drawing into the buffer
// (through its storage's drawing context) has that translation as its origin. Everything
// is clipped to the buffer; any rectangle or origin of the int range is safe. Drawing
// outside a paint does nothing; theme queries and measuring work at any time.
//
// Text uses the theme fonts of the sheet settings, realised through the device-context
// manager. The fonts, the line heights and the cache of element text widths are renewed by
// ResetFonts and whenever the theme is dropped or rescaled.

#include <array>
#include <map>
#include <memory>

#include "foundation/Colors.h"
#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "render/Bitmap32.h"
#include "render/Font.h"
#include "render/SheetCanvas.h"

namespace quillora {

class TSheetSettingsTheme;
class TSheetTheme;

// Receives the finished buffer of a paint.
class TPaintTarget {
public:
    virtual ~TPaintTarget() = default;
    // Shows `buffer` with its top-left corner at `at` (sheet coordinates).
    virtual void Present(const TBitmap32& buffer, TPoint at) = 0;
};

// A paint target that copies the buffer (colour and alpha as they are) into a bitmap.
class TBitmapPaintTarget final : public TPaintTarget {
public:
    explicit TBitmapPaintTarget(TBitmap32& target) : target_(target) {}
    void Present(const TBitmap32& buffer, TPoint at) override;

private:
    TBitmap32& target_;
};

// The element-class image lists of 12, 16 and 32 pixels, as the canvas draws them. The
// element model provides them as FindService<TCanvasImageLists>() (foundation/Service.h);
// while none is provided, image list images draw nothing.
class TCanvasImageLists {
public:
    virtual ~TCanvasImageLists() = default;
    // Image `index` of the list of `size`; null when there is none. Drawn with the
    // image's own draw mode.
    virtual const TBitmap32* GetImage(TSheetThemeImage size, int index) const = 0;
};

class TCustomSheetCanvas : public TSheetCanvas {
public:
    // Fonts are taken from the theme of `settings`, which must outlive the canvas.
    explicit TCustomSheetCanvas(TSheetSettingsTheme& settings);
    ~TCustomSheetCanvas() override;

    TSheetSettingsTheme& Settings() const { return settings_; }

    // ---- the life of a paint ----
    // Starts painting `rect` (sheet coordinates). An empty rectangle creates no buffer
    // and everything until EndPaint draws nothing. When the buffer cannot be made, the
    // error passes on and no paint is in progress.
    void BeginPaint(const TRect& rect);
    // Hands the buffer to `target` (null: drops it) at the painted rectangle's top-left
    // corner and frees it. Safe without a paint in progress.
    void EndPaint(TPaintTarget* target);
    bool IsPainting() const { return buffer_ != nullptr; }
    // The buffer of the paint in progress; null outside a paint.
    TBitmap32* Buffer() const { return buffer_.get(); }
    // The painted rectangle's top-left corner, and the sum of the origin moves since BeginPaint.
    TPoint Origin() const { return origin_; }
    TPoint Offset() const;
    // The buffer pixel of a point in the current coordinates, moved by `shift` pixels
    // right and down (clamped to the int range).
    TPoint ToBuffer(int x, int y, int shift = 0) const;
    TRect ToBuffer(const TRect& rect) const;

    // ---- TSheetCanvas ----
    void MoveOrigin(int dx, int dy) override;
    TRect GetClipRect() const override;
    bool RectVisible(const TRect& rect) const override;

    void DrawThemeImage(TSheetThemeElement element, TPoint point, uint32_t color = 0) override;
    void DrawThemeFrame(TSheetThemeElement element, const TRect& rect, uint32_t color = 0) override;
    int GetThemeImageHeight(TSheetThemeElement element) override;
    TPoint GetThemeImageSize(TSheetThemeElement element) override;
    int GetThemeZoneWidth(TSheetThemeElement element) override;
    int GetThemeZoneHeight(TSheetThemeElement element) override;
    TRect GetThemeMargins(TSheetThemeElement element) override;
    TRect GetThemePadding(TSheetThemeElement element) override;
    TRect GetThemeMouseTransparent(TSheetThemeElement element) override;
    void FillDisabled(const TRect& rect) override;
    void FillSelection(const TRect& rect, bool active) override;

    // Element captions in the element font: a font with a shadow colour is drawn in it
    // one pixel right and down first.
    void DrawElementText(int x, int y, const String& text) override;
    // Text in the fixed font in `color`; clNone takes the font's own colour.
    void DrawFixedText(int x, int y, TColor color, const String& text) override;
    // Cached per text (letter case included) until the fonts are reset.
    int ElementTextWidth(const String& text) override;
    int FixedTextWidth(const String& text) override;
    int CodeTextWidth(const String& text) override;
    void ResetFonts() override;
    bool GetThemeTextFont(TSheetThemeFont font, TThemeTextFont& data) override;
    // Freed whenever the theme is dropped or rescaled and on ResetFonts.
    TCanvasThemeCache* GetThemeCache() override;
    void SetThemeCache(std::unique_ptr<TCanvasThemeCache> cache) override;
    int GetFixedLineHeight() const override;
    int GetElementLineHeight() const override;
    int GetCodeLineHeight() const override;

    // Radius > 0: a rounded rectangle with corner ellipses of radius x radius pixels, its
    // outline in penColor and its inside in brushColor. Radius 0: the one-pixel outline
    // in penColor, then the rectangle shrunk by one pixel filled with brushColor (the
    // whole rectangle when there is no pen). clNone skips a step.
    void DrawRectangle(const TRect& rect, int radius, TColor brushColor, TColor penColor) override;
    // The dotted focus rectangle: every other pixel of the outline inverted, the dots
    // aligned to the sheet's pixels; drawing it twice restores the pixels.
    void DrawFocusRect(const TRect& rect) override;
    void DrawThickFocusRect(const TRect& rect) override;
    void DrawBitmap(int x, int y, const TBitmap32& bitmap) override;
    void DrawCharImage(int x, int y, int index) override;
    void DrawSmallImage(int x, int y, int index) override;
    void DrawLargeImage(int x, int y, int index) override;

    int DrawFontText(const TFont& font, int x, int y, TColor color, const Char* chars, int count) override;

    // The realised theme font (made now when needed).
    const TFont& ThemeFont(TSheetThemeFont font);
    // How many texts the element width cache holds.
    int CachedTextWidthCount() const { return static_cast<int>(textWidths_.size()); }

private:
    TSheetTheme& Theme();
    // Renews the fonts when the theme changed since they were made.
    void FollowTheme() const;
    void ResetFontsNow() const;
    void DrawImageListImage(TSheetThemeImage size, int x, int y, int index);
    const TFont& RealisedFont(TSheetThemeFont font) const;
    void DrawThemeText(TSheetThemeFont font, int x, int y, int shift, TColor color, const String& text);
    void ApplyDrawingOrigin();

    TSheetSettingsTheme& settings_;
    // Realised theme fonts, renewed with the theme; the line heights and the width cache
    // belong to them.
    mutable std::array<std::unique_ptr<TFont>, SheetThemeFontCount> fonts_;
    mutable uint64_t fontGeneration_ = 0;
    uint64_t cacheGeneration_ = 0;
    mutable int fixedLineHeight_ = 0;
    mutable int elementLineHeight_ = 0;
    mutable int codeLineHeight_ = 0;
    mutable std::map<String, int> textWidths_;

    std::unique_ptr<TBitmap32> buffer_;
    TPoint origin_;
    int64_t offsetX_ = 0;
    int64_t offsetY_ = 0;
};

} // namespace quillora
