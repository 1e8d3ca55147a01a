#pragma once
// Shared pieces of the theme tests: the test themes' folder and a fixed list of installed
// font faces.

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "render/ThemeFontFaces.h"

namespace quillora::theme_test {

inline String ThemesFolder() { return Utf8ToString(QUILLORA_TEST_DATA "/themes/"); }
inline String ThemeFile(const char* name) { return ThemesFolder() + Utf8ToString(name); }
// The built-in theme's own source files.
inline String DefaultThemeSource(const char* extension)
{
    return Utf8ToString(QUILLORA_TEST_DATA "/../../resources/themes/Default") + Utf8ToString(extension);
}

inline std::string RectText(const TRect& r)
{
    return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom) + ")";
}

class TFixedFontFaces final : public TFontFaces {
public:
    explicit TFixedFontFaces(std::vector<String> faces) : faces_(std::move(faces)) {}
    bool IsInstalled(StringView face) const override
    {
        return std::any_of(faces_.begin(), faces_.end(), [&](const String& f) { return SameTextAscii(f, face); });
    }

private:
    std::vector<String> faces_;
};

} // namespace quillora::theme_test
