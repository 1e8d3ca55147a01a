#pragma once
// The locales that the platform knows, each with its language id and its three-letter
// abbreviated language name ("ENU", "DEU", "DEA", ...), and the user's default language;
// provided as Service<ILocaleList>() (foundation/Service.h): the system's locales on
// Windows, the fixed list of FixedLocaleList.h elsewhere.

#include <vector>

#include "foundation/LanguageId.h"
#include "foundation/Strings.h"

namespace quillora {

struct TLocaleInfo {
    TLanguageId Language = 0;
    String Code;

    bool operator==(const TLocaleInfo&) const = default;
};

class ILocaleList {
public:
    virtual ~ILocaleList() = default;
    // In the platform's order.
    virtual std::vector<TLocaleInfo> Locales() const = 0;
    // The language of the user's regional setting (not of the platform's interface).
    virtual TLanguageId UserDefaultLanguage() const = 0;
};

} // namespace quillora
