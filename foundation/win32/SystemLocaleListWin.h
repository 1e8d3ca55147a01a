#pragma once
// The locales of the system (EnumSystemLocalesEx) with their abbreviated language
// names (LOCALE_SABBREVLANGNAME), and the user's default language (GetUserDefaultLangID).

#include "foundation/LocaleList.h"

namespace quillora {

class TSystemLocaleList : public ILocaleList {
public:
    // The specific locales of the system in its order, each language id once: neutral
    // locales, alternate sorts (but Spanish (Traditional Sort), 0x040A) and locales
    // without a language id of their own (custom and transient ones) are left out.
    std::vector<TLocaleInfo> Locales() const override;
    TLanguageId UserDefaultLanguage() const override;
};

} // namespace quillora
