#include "render/FontFixed.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "render/Bitmap32.h"
#include "render/Color32.h"

namespace quillora {

namespace {

class TFixedFont final : public TFont {
public:
    TFixedFont(const TFontMetrics& metrics, TFontStyles style) : TFont(metrics), style_(style) {}

protected:
    int MeasureChars(const Char* chars, int count) const override
    {
        int64_t width = 0;
        for (int i = 0; i < count; ++i) width += FixedCharWidth(chars[i], AveCharWidth(), style_);
        return static_cast<int>(std::min<int64_t>(width, INT32_MAX));
    }

    void DrawChars(TBitmap32& target, int x, int y, TColor rgb, const Char* chars, int count) const override
    {
        const TColor32 color = ColorToColor32(rgb);
        const TRect clip = target.ClipRect();
        const int64_t top = static_cast<int64_t>(y) + 1;
        const int64_t baseline = static_cast<int64_t>(y) + Ascent();
        if (top >= clip.Bottom || baseline + 2 <= clip.Top) return;
        int64_t left = x;
        for (int i = 0; i < count && left < clip.Right; ++i) {
            const int advance = FixedCharWidth(chars[i], AveCharWidth(), style_);
            if (chars[i] != u' ' && chars[i] != u'\u00A0' && advance > 0 && left + advance > clip.Left)
                FillClipped(target, left, top, left + std::max(1, advance - 1), baseline, color);
            left += advance;
        }
        const int64_t right = left;
        if (style_ & fsUnderline) FillClipped(target, x, baseline + 1, right, baseline + 2, color);
        if (style_ & fsStrikeOut) {
            const int64_t row = baseline - Ascent() / 2;
            FillClipped(target, x, row, right, row + 1, color);
        }
    }

private:
    // Fills the rectangle after cutting it to the clip rectangle, so that coordinates
    // beyond the int range never reach the bitmap.
    static void FillClipped(TBitmap32& target, int64_t left, int64_t top, int64_t right, int64_t bottom, TColor32 color)
    {
        const TRect clip = target.ClipRect();
        left = std::max<int64_t>(left, clip.Left);
        top = std::max<int64_t>(top, clip.Top);
        right = std::min<int64_t>(right, clip.Right);
        bottom = std::min<int64_t>(bottom, clip.Bottom);
        if (left >= right || top >= bottom) return;
        target.FillRect(Rect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)),
                        color);
    }

    TFontStyles style_;
};

} // namespace

TFontMetrics FixedFontMetrics(int size, TFontStyles style)
{
    const int points = size == INT32_MIN ? INT32_MAX : std::abs(size);
    int height = FontPixelHeight(points, TFixedFontManager::FixedPixelsPerInch);
    if (height <= 0) height = 16;
    TFontMetrics m;
    m.Descent = height / 4;
    m.Ascent = height - m.Descent;
    m.AveCharWidth = (height + 1) / 2 + ((style & fsBold) ? 1 : 0);
    return m;
}

int FixedCharWidth(Char c, int aveCharWidth, TFontStyles style)
{
    if (c < 32) return 0;
    const int plain = aveCharWidth - ((style & fsBold) ? 1 : 0);
    const int width = (c >= u'A' && c <= u'Z') ? plain + plain / 2 : plain;
    return width + ((style & fsBold) ? 1 : 0);
}

std::unique_ptr<TFont> TFixedFontManager::CreateFont(const String& name, int size, int escapement, int orientation,
                                                     TFontPitch pitch, TFontCharset charset, TFontStyles style)
{
    return std::make_unique<TFixedFont>(FixedFontMetrics(size, style), style);
}

} // namespace quillora
