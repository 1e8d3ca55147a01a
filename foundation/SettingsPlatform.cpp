#include "foundation/SettingsPlatform.h"

#include <algorithm>

namespace quillora {

TFontData DefaultDropDownFont(const TSettingsPlatform& platform)
{
    TFontData font = platform.MessageFont();
    font.Size = std::max(font.Size, 10);
    return font;
}

TFontData TFixedSettingsPlatform::MessageFont() const
{
    TFontData font;
    font.Name = u"Segoe UI";
    font.Size = 9;
    font.Color = clWindowText;
    font.Style = 0;
    font.Charset = DefaultCharset;
    return font;
}

} // namespace quillora
