// The settings defaults of the running system: the message font and the border width.
#include "foundation/win32/SettingsPlatformWin.h"

#include "foundation/win32/WinInclude.h"

namespace quillora {

namespace {

int ScreenPixelsPerInch()
{
    HDC dc = GetDC(nullptr);
    int ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(nullptr, dc);
    return ppi > 0 ? ppi : 96;
}

TFontData FontFromLogFont(const LOGFONTW& lf)
{
    TFontData font;
    font.Name = String(reinterpret_cast<const Char*>(lf.lfFaceName));
    int height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    font.Size = MulDiv(height, 72, ScreenPixelsPerInch());
    font.Color = clWindowText;
    font.Style = 0;
    if (lf.lfWeight >= FW_BOLD) font.Style |= fsBold;
    if (lf.lfItalic) font.Style |= fsItalic;
    if (lf.lfUnderline) font.Style |= fsUnderline;
    if (lf.lfStrikeOut) font.Style |= fsStrikeOut;
    font.Charset = lf.lfCharSet;
    return font;
}

} // namespace

TFontData TWinSettingsPlatform::MessageFont() const
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return FontFromLogFont(metrics.lfMessageFont);
    LOGFONTW lf{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == sizeof(lf)) return FontFromLogFont(lf);
    return TFontData();
}

int TWinSettingsPlatform::BorderWidth() const
{
    return GetSystemMetrics(SM_CXBORDER);
}

} // namespace quillora
