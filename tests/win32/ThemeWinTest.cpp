// The installed font faces as GDI reports them, and the built-in theme through GDI+.

#include <gtest/gtest.h>

#include "foundation/Service.h"
#include "foundation/win32/WinInclude.h"
#include "render/Theme.h"
#include "render/ThemeFontFaces.h"

namespace quillora {
namespace {

int CALLBACK TakeFirstFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM target)
{
    *reinterpret_cast<std::wstring*>(target) = font->lfFaceName;
    return 0;
}

// The face of some installed font family.
std::wstring AnyInstalledFace()
{
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    std::wstring face;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(dc, &all, TakeFirstFace, reinterpret_cast<LPARAM>(&face), 0);
    ReleaseDC(nullptr, dc);
    return face;
}

TEST(ThemeFontFacesWin, InstalledFacesAreFoundWithoutRegardToCase)
{
    const std::wstring face = AnyInstalledFace();
    ASSERT_FALSE(face.empty());
    const String name(face.begin(), face.end());
    EXPECT_TRUE(Service<TFontFaces>().IsInstalled(name));
    EXPECT_TRUE(Service<TFontFaces>().IsInstalled(AsciiUpperCase(name)));
    EXPECT_FALSE(Service<TFontFaces>().IsInstalled(u"No Such Face Quillora"));
    EXPECT_FALSE(Service<TFontFaces>().IsInstalled(u""));
    EXPECT_FALSE(Service<TFontFaces>().IsInstalled(String(40, u'A'))); // longer than any face name
}

TEST(ThemeFontFacesWin, BuiltInThemeTakesAnInstalledFaceOrNone)
{
    TSheetTheme theme;
    LoadTheme(theme, u"Default");
    ASSERT_EQ(theme.Image().Width(), 150);
    EXPECT_EQ(theme.GetElements(steElement).ColorOver(), Color32(103, 130, 254, 133));
    for (int f = 0; f < SheetThemeFontCount; ++f) {
        const String& name = theme.GetFonts(TSheetThemeFont(f)).Name;
        EXPECT_TRUE(name.empty() || Service<TFontFaces>().IsInstalled(name)) << StringToUtf8(name);
    }
}

} // namespace
} // namespace quillora
