// Loading a theme by name, the themes folder and the list of available themes.

#include <filesystem>
#include <system_error>

#include "foundation/Utils.h"
#include "render/Theme.h"

namespace quillora {

namespace {

bool IsDefaultName(const String& name) { return SameTextAscii(name, DefaultThemeName); }

// A theme name names a file inside the themes folder, never a path elsewhere.
bool IsPlainName(const String& name)
{
    for (Char c : name)
        if (IsPathDelimiter(c) || c == u':' || c < u' ')
            return false;
    return !name.empty() && name != u"." && name != u"..";
}

void LoadDefaultTheme(TSheetTheme& theme)
{
    try {
        theme.LoadFromResource(ProgramModule(), DefaultThemeResourceName);
    } catch (const std::exception&) {
        // The built-in theme is part of the program; should it ever fail, the theme stays
        // as it was rather than failing its caller.
    }
}

} // namespace

String GetThemesFolder() { return GetProgramFolder() + u"Themes" + PathDelimiter(); }

void LoadTheme(TSheetTheme& theme, const String& name) { LoadTheme(theme, name, GetThemesFolder()); }

void LoadTheme(TSheetTheme& theme, const String& name, const String& themesFolder)
{
    if (!IsDefaultName(name) && IsPlainName(name)) {
        try {
            theme.LoadFromFile(IncludeTrailingPathDelimiter(themesFolder) + name + u".txt");
            return;
        } catch (const std::exception&) {
            // Any failure of a theme file gives the built-in theme, without a message.
        }
    }
    LoadDefaultTheme(theme);
}

std::vector<String> GetThemeNames() { return GetThemeNames(GetThemesFolder()); }

std::vector<String> GetThemeNames(const String& themesFolder)
{
    std::vector<String> names{DefaultThemeName};
    std::error_code error;
    std::filesystem::directory_iterator it(std::filesystem::path(themesFolder), error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (!SameTextAscii(path.extension().u16string(), u".txt") || !it->is_regular_file(error))
            continue;
        names.push_back(path.stem().u16string());
    }
    return names;
}

} // namespace quillora
