// The settings defaults of the running system: the message font and the border width.
#include "foundation/win32/SettingsPlatformWin.h"

#include "foundation/win32/FontDataWin.h"

namespace quillora {

namespace {

TFontData FontFromLogFont(const LOGFONTW& lf)
{
    TFontData font = FontDataFromLogFont(lf);
    font.Color = clWindowText;
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
