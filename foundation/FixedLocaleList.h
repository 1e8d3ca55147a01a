#pragma once
// A locale list given as data: the list of platforms without a locale database of
// their own, and the stand-in of tests.

#include "foundation/LocaleList.h"

namespace quillora {

class TFixedLocaleList : public ILocaleList {
public:
    TFixedLocaleList(std::vector<TLocaleInfo> locales, TLanguageId userDefault)
        : locales_(std::move(locales)), userDefault_(userDefault) {}

    std::vector<TLocaleInfo> Locales() const override { return locales_; }
    TLanguageId UserDefaultLanguage() const override { return userDefault_; }

private:
    std::vector<TLocaleInfo> locales_;
    TLanguageId userDefault_;
};

// Every language that has a string table, with its code, and a few regional variants
// and languages without one (German (Austria) "DEA", English (United Kingdom) "ENG",
// Czech "CSY", ...), ordered by language id as the platforms list them.
const std::vector<TLocaleInfo>& StandardLocales();

} // namespace quillora
