#include "foundation/win32/SystemLocaleListWin.h"

#include <iterator>

#include "foundation/win32/WinInclude.h"

namespace quillora {

namespace {

BOOL CALLBACK AddLocale(LPWSTR name, DWORD flags, LPARAM param)
{
    auto* list = reinterpret_cast<std::vector<TLocaleInfo>*>(param);
    // Neutral locales ("de") stand for a language, not a locale; some systems give them
    // the id of a specific locale, which would then appear twice.
    if (flags & LOCALE_NEUTRALDATA) return TRUE;
    LCID lcid = LocaleNameToLCID(name, 0);
    LANGID language = LANGIDFROMLCID(lcid);
    // Alternate sorts other than Spanish (Traditional Sort), which has a language id of
    // its own (0x040A, "ESP"), repeat the language id of their locale.
    if (lcid == 0 || SORTIDFROMLCID(lcid) != SORT_DEFAULT) return TRUE;
    // Custom, transient and unknown locales have language ids whose primary language is
    // neutral (0x1000, 0x2000, ...): they name no language of their own.
    if (PRIMARYLANGID(language) == LANG_NEUTRAL) return TRUE;
    wchar_t code[16];
    int n = GetLocaleInfoW(lcid, LOCALE_SABBREVLANGNAME, code, static_cast<int>(std::size(code)));
    if (n <= 1) return TRUE;
    list->push_back({language, String(reinterpret_cast<const char16_t*>(code), static_cast<size_t>(n - 1))});
    return TRUE;
}

} // namespace

std::vector<TLocaleInfo> TSystemLocaleList::Locales() const
{
    std::vector<TLocaleInfo> list;
    EnumSystemLocalesEx(AddLocale, LOCALE_WINDOWS | LOCALE_ALTERNATE_SORTS, reinterpret_cast<LPARAM>(&list), nullptr);
    return list;
}

TLanguageId TSystemLocaleList::UserDefaultLanguage() const
{
    return GetUserDefaultLangID();
}

} // namespace quillora
