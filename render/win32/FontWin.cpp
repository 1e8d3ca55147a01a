#include "render/win32/FontWin.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "foundation/Exceptions.h"
#include "render/Bitmap32.h"
#include "render/win32/Bitmap32Win.h"

namespace quillora {

namespace {

// GDI takes coordinates well inside this bound only.
constexpr int64_t MaxGdiCoordinate = int64_t{1} << 26;

TFontMetrics ReadMetrics(HDC dc, HFONT font)
{
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW tm{};
    const BOOL ok = GetTextMetricsW(dc, &tm);
    SelectObject(dc, previous);
    if (!ok) throw Exception(AsciiToString("The metrics of a font could not be read"));
    TFontMetrics m;
    m.Ascent = tm.tmAscent;
    m.Descent = tm.tmDescent;
    m.AveCharWidth = tm.tmAveCharWidth;
    return m;
}

class TGdiFont final : public TFont {
public:
    TGdiFont(HDC measureDC, HFONT font, const TFontMetrics& metrics)
        : TFont(metrics), measureDC_(measureDC), font_(font)
    {
    }
    ~TGdiFont() override { DeleteObject(font_); }

    HFONT Handle() const { return font_; }

protected:
    int MeasureChars(const Char* chars, int count) const override
    {
        HGDIOBJ previous = SelectObject(measureDC_, font_);
        SIZE size{};
        const BOOL ok = GetTextExtentPoint32W(measureDC_, reinterpret_cast<const wchar_t*>(chars), count, &size);
        SelectObject(measureDC_, previous);
        return ok ? size.cx : 0;
    }

    void DrawChars(TBitmap32& target, int x, int y, TColor rgb, const Char* chars, int count) const override
    {
        // The pixels that the text may touch: its cell widened by one cell height on both
        // sides for overhangs, cut to the clip rectangle.
        const int64_t width = MeasureChars(chars, count);
        const int64_t slack = std::max(Height(), 1);
        const TRect clip = target.ClipRect();
        const int64_t left = std::max<int64_t>(int64_t{x} - slack, clip.Left);
        const int64_t right = std::min<int64_t>(int64_t{x} + width + slack, clip.Right);
        const int64_t top = std::max<int64_t>(y, clip.Top);
        const int64_t bottom = std::min<int64_t>(int64_t{y} + Height() + 1, clip.Bottom);
        if (left >= right || top >= bottom) return;
        if (x < -MaxGdiCoordinate || x > MaxGdiCoordinate || y < -MaxGdiCoordinate || y > MaxGdiCoordinate) return;
        const TRect area = Rect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom));

        HDC dc = BitmapDC(target);
        // GDI writes an alpha of 0 into the pixels it draws: mark the area opaque first, so
        // that afterwards the drawn pixels are exactly those of alpha 0.
        const int areaWidth = area.Width();
        std::vector<uint8_t> alphas(static_cast<size_t>(areaWidth) * static_cast<size_t>(area.Height()));
        for (int row = area.Top; row < area.Bottom; ++row) {
            TColor32* line = target.ScanLine(row) + area.Left;
            uint8_t* saved = alphas.data() + static_cast<size_t>(row - area.Top) * areaWidth;
            for (int i = 0; i < areaWidth; ++i) {
                saved[i] = AlphaOf(line[i]);
                line[i] |= 0xFF000000u;
            }
        }

        POINT origin{};
        SetViewportOrgEx(dc, 0, 0, &origin);
        HGDIOBJ previousFont = SelectObject(dc, font_);
        const int previousMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF previousColor = SetTextColor(dc, static_cast<COLORREF>(rgb & 0x00FFFFFF));
        const UINT previousAlign = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        RECT clipRect{area.Left, area.Top, area.Right, area.Bottom};
        ExtTextOutW(dc, x, y, ETO_CLIPPED, &clipRect, reinterpret_cast<const wchar_t*>(chars), static_cast<UINT>(count),
                    nullptr);
        SetTextAlign(dc, previousAlign);
        SetTextColor(dc, previousColor);
        SetBkMode(dc, previousMode);
        SelectObject(dc, previousFont);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);

        for (int row = area.Top; row < area.Bottom; ++row) {
            TColor32* line = target.ScanLine(row) + area.Left;
            const uint8_t* saved = alphas.data() + static_cast<size_t>(row - area.Top) * areaWidth;
            for (int i = 0; i < areaWidth; ++i)
                line[i] = WithAlpha(line[i], AlphaOf(line[i]) == 0 ? 0xFF : saved[i]);
        }
    }

private:
    HDC measureDC_;
    HFONT font_;
};

} // namespace

std::unique_ptr<TFont> CreateGdiFont(HDC measureDC, const LOGFONTW& logFont)
{
    HFONT font = CreateFontIndirectW(&logFont);
    if (!font) throw Exception(AsciiToString("A font could not be created"));
    TFontMetrics metrics;
    try {
        metrics = ReadMetrics(measureDC, font);
    } catch (...) {
        DeleteObject(font);
        throw;
    }
    return std::make_unique<TGdiFont>(measureDC, font, metrics);
}

HFONT GdiFontHandle(const TFont& font)
{
    const auto* gdi = dynamic_cast<const TGdiFont*>(&font);
    return gdi ? gdi->Handle() : nullptr;
}

} // namespace quillora
