// Text of the sheet canvas: theme fonts, line heights and the element width cache.
#include "render/Canvas.h"
#include "foundation/Service.h"
#include "render/DeviceContextManager.h"
#include "render/SheetSettingsTheme.h"
#include "render/Theme.h"

namespace quillora {

const TFont& TCustomSheetCanvas::ThemeFont(TSheetThemeFont font)
{
    FollowTheme();
    return RealisedFont(font);
}

const TFont& TCustomSheetCanvas::RealisedFont(TSheetThemeFont font) const
{
    std::unique_ptr<TFont>& slot = fonts_[font];
    if (!slot) {
        const TSheetThemeFontData& data = settings_.GetTheme().GetFonts(font);
        slot = Service<TDeviceContextManager>().CreateFont(data.Name, data.ScaledSize, 0, 0, fpDefault, DefaultCharset, data.Style);
    }
    return *slot;
}

void TCustomSheetCanvas::FollowTheme() const
{
    settings_.GetTheme();
    if (settings_.Generation() != fontGeneration_) ResetFontsNow();
}

void TCustomSheetCanvas::ResetFonts()
{
    settings_.GetTheme();
    ResetFontsNow();
    themeCache_.reset();
}

bool TCustomSheetCanvas::GetThemeTextFont(TSheetThemeFont font, TThemeTextFont& data)
{
    const TSheetThemeFontData& theme = settings_.GetTheme().GetFonts(font);
    data.Name = theme.Name;
    data.Size = theme.ScaledSize;
    data.Style = theme.Style;
    data.Color = theme.Color;
    return true;
}

TCanvasThemeCache* TCustomSheetCanvas::GetThemeCache()
{
    settings_.GetTheme();
    if (cacheGeneration_ != settings_.Generation()) {
        themeCache_.reset();
        cacheGeneration_ = settings_.Generation();
    }
    return themeCache_.get();
}

void TCustomSheetCanvas::SetThemeCache(std::unique_ptr<TCanvasThemeCache> cache)
{
    settings_.GetTheme();
    cacheGeneration_ = settings_.Generation();
    themeCache_ = std::move(cache);
}

void TCustomSheetCanvas::ResetFontsNow() const
{
    textWidths_.clear();
    for (auto& font : fonts_) font.reset();
    fontGeneration_ = settings_.Generation();
    elementLineHeight_ = RealisedFont(stfStone).Height();
    codeLineHeight_ = RealisedFont(stfValue).Height();
    fixedLineHeight_ = RealisedFont(stfFixed).Height();
}

int TCustomSheetCanvas::GetFixedLineHeight() const
{
    FollowTheme();
    return fixedLineHeight_;
}

int TCustomSheetCanvas::GetElementLineHeight() const
{
    FollowTheme();
    return elementLineHeight_;
}

int TCustomSheetCanvas::GetCodeLineHeight() const
{
    FollowTheme();
    return codeLineHeight_;
}

void TCustomSheetCanvas::DrawThemeText(TSheetThemeFont font, int x, int y, int shift, TColor color, const String& text)
{
    if (!buffer_ || text.empty()) return;
    const TFont& realised = ThemeFont(font);
    const TPoint at = ToBuffer(x, y, shift);
    realised.DrawText(*buffer_, at.X, at.Y, color, text);
}

void TCustomSheetCanvas::DrawElementText(int x, int y, const String& text)
{
    if (!buffer_) return;
    const TSheetThemeFontData& data = settings_.GetTheme().GetFonts(stfStone);
    const TColor color = data.Color;
    const TColor shadow = data.SecondColor;
    if (shadow != clNone) DrawThemeText(stfStone, x, y, 1, shadow, text);
    DrawThemeText(stfStone, x, y, 0, color, text);
}

void TCustomSheetCanvas::DrawFixedText(int x, int y, TColor color, const String& text)
{
    if (!buffer_) return;
    if (color == clNone) color = settings_.GetTheme().GetFonts(stfFixed).Color;
    DrawThemeText(stfFixed, x, y, 0, color, text);
}

int TCustomSheetCanvas::ElementTextWidth(const String& text)
{
    const TFont& font = ThemeFont(stfStone); // renews the cache first when the theme changed
    auto found = textWidths_.find(text);
    if (found != textWidths_.end()) return found->second;
    const int width = font.TextWidth(text);
    textWidths_.emplace(text, width);
    return width;
}

int TCustomSheetCanvas::FixedTextWidth(const String& text)
{
    return ThemeFont(stfFixed).TextWidth(text);
}

int TCustomSheetCanvas::CodeTextWidth(const String& text)
{
    return ThemeFont(stfValue).TextWidth(text);
}

int TCustomSheetCanvas::DrawFontText(const TFont& font, int x, int y, TColor color, const Char* chars, int count)
{
    if (!buffer_) return font.TextWidth(chars, count);
    const TPoint at = ToBuffer(x, y);
    return font.DrawText(*buffer_, at.X, at.Y, color, chars, count);
}

} // namespace quillora
