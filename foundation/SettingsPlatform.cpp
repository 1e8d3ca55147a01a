#include "foundation/SettingsPlatform.h"

#include <algorithm>

namespace quillora {

namespace {
const TSettingsPlatform* substitute = nullptr;
} // namespace

const TSettingsPlatform& SettingsPlatform()
{
    return substitute ? *substitute : PlatformSettingsDefaults();
}

void SetSettingsPlatform(const TSettingsPlatform* platform)
{
    substitute = platform;
}

TFontData DefaultDropDownFont(const TSettingsPlatform& platform)
{
    TFontData font = platform.MessageFont();
    font.Size = std::max(font.Size, 10);
    return font;
}

#ifndef _WIN32
namespace {
// A fixed system: "Segoe UI" 9 pt, borders of one pixel.
class TFixedSettingsPlatform : public TSettingsPlatform {
public:
    TFontData MessageFont() const override
    {
        TFontData font;
        font.Name = u"Segoe UI";
        font.Size = 9;
        font.Color = clWindowText;
        font.Style = 0;
        font.Charset = DefaultCharset;
        return font;
    }
    int BorderWidth() const override { return 1; }
};
} // namespace

const TSettingsPlatform& PlatformSettingsDefaults()
{
    static const TFixedSettingsPlatform instance;
    return instance;
}
#endif

} // namespace quillora
