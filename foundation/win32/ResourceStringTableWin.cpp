#include "foundation/win32/ResourceStringTableWin.h"

namespace quillora {

namespace {

struct LanguageSearch {
    WORD Language;
    bool Found;
};

BOOL CALLBACK MatchLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    auto* search = reinterpret_cast<LanguageSearch*>(param);
    if (language != search->Language) return TRUE;
    search->Found = true;
    return FALSE;
}

// Whether the module holds the string block in exactly that language.
bool HasBlock(HMODULE module, WORD block, WORD language)
{
    LanguageSearch search{language, false};
    EnumResourceLanguagesW(module, RT_STRING, MAKEINTRESOURCEW(block), MatchLanguage,
                           reinterpret_cast<LONG_PTR>(&search));
    return search.Found;
}

} // namespace

String TResourceStringTableSource::FindString(int id, TLanguageId language) const
{
    if (id < 0 || id > 0xFFFF) return {};
    HMODULE module = module_ ? module_ : GetModuleHandleW(nullptr);
    WORD block = static_cast<WORD>(id / 16 + 1);
    if (!HasBlock(module, block, language)) return {};
    HRSRC info = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), language);
    if (!info) return {};
    HGLOBAL handle = LoadResource(module, info);
    if (!handle) return {};
    auto* data = static_cast<const char16_t*>(LockResource(handle));
    size_t units = SizeofResource(module, info) / sizeof(char16_t);
    if (!data) return {};

    size_t at = 0;
    for (int position = id % 16; position > 0; --position) {
        if (at >= units) return {};
        at += 1 + data[at];
    }
    if (at >= units) return {};
    size_t length = data[at];
    if (at + 1 + length > units) return {};
    return String(data + at + 1, length);
}

} // namespace quillora
