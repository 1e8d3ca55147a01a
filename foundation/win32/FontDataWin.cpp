#include "foundation/win32/FontDataWin.h"

namespace quillora {

int ScreenPixelsPerInch()
{
    HDC dc = GetDC(nullptr);
    int ppi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(nullptr, dc);
    return ppi > 0 ? ppi : 96;
}

TFontData FontDataFromLogFont(const LOGFONTW& lf)
{
    TFontData font;
    font.Name = String(reinterpret_cast<const Char*>(lf.lfFaceName));
    const int height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    font.Size = MulDiv(height, 72, ScreenPixelsPerInch());
    font.Style = 0;
    if (lf.lfWeight >= FW_BOLD) font.Style |= fsBold;
    if (lf.lfItalic) font.Style |= fsItalic;
    if (lf.lfUnderline) font.Style |= fsUnderline;
    if (lf.lfStrikeOut) font.Style |= fsStrikeOut;
    font.Charset = lf.lfCharSet;
    return font;
}

} // namespace quillora
