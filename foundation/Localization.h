#pragma once
// Every user-visible text comes from a string table by a numeric id, in the current
// language, with one fallback language behind it. Languages are kept in the settings
// by their three-letter locale code ("ENU", "DEU", ...), never by id.

#include <vector>

#include "foundation/LanguageId.h"
#include "foundation/LocaleList.h"
#include "foundation/Node.h"
#include "foundation/StringIds.h"
#include "foundation/StringTableSource.h"
#include "foundation/Strings.h"

namespace quillora {

constexpr int TitleStringId = sidTitle;   // the application title

// Notify code of TLocalization: the language or the fallback language changed.
constexpr int LanguageChangedNotify = 1;

class TLocalization : public TItfObject {
public:
    TLanguageId Language() const { return language_; }
    TLanguageId FallbackLanguage() const { return fallbackLanguage_; }
    // Store the id when it differs, then Notify(1, 0, 0); nothing when it is unchanged.
    void SetLanguage(TLanguageId id);
    void SetFallbackLanguage(TLanguageId id);

    // The platform services behind the lookups: Service<IStringTableSource>() and
    // Service<ILocaleList>().
    const IStringTableSource& StringTables() const;
    const ILocaleList& Locales() const;

private:
    TLanguageId language_ = 0;
    TLanguageId fallbackLanguage_ = 0; // 0: none
};

// The process-wide instance.
TLocalization& Localization();

// String `id` of exactly that language's table; empty when there is none.
String LoadLanguageString(int id, TLanguageId language);
// In the current language, else once in the fallback language (when it is set and
// differs). A missing string is empty, never an error.
String LoadString(int id);
// LoadString(id) with "%1", "%2", ... filled in order by `args`.
String FormatString(int id, const std::vector<String>& args);
// Fills the placeholders of `text`: for K = 1..n the first "%K" (not the start of a
// longer number, so "%1" never matches inside "%10") is replaced by the K-th
// argument; inserted text is never scanned for later placeholders.
String FormatText(StringView text, const std::vector<String>& args);

// The id of the first locale of the locale list whose code equals `code` exactly
// (case matters); false for an unknown or empty code.
bool FindLanguageByCode(StringView code, TLanguageId& id);
// The code for the language of the user's default locale, by its primary language
// ("CHT" or "CHS" by the sublanguage); "ENU" for any other language, and also when
// the table of the user's exact language id lacks string `checkId`.
String GetDefaultLanguageCode(int checkId);
// Appends, in the order of the locale list, the code of every locale whose language
// has string `checkId` in its table.
void GetLanguageCodes(std::vector<String>& list, int checkId);
// Applies a language setting: SetLanguage of the language with that code, or of the
// fallback language when no locale has it.
void ApplyLanguage(StringView code);

// Errors with the messages of strings 2077 ("File not found: %1") and 2078 ("Path not found: %1").
[[noreturn]] void RaiseFileNotFound(const String& fileName);
[[noreturn]] void RaisePathNotFound(const String& fileName);

} // namespace quillora
