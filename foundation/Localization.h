#pragma once
// Every user-visible text comes from a string table by a numeric id, in the current
// language, with one fallback language behind it.

#include <cstdint>
#include <vector>

#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

using TLanguageId = uint16_t;

constexpr int TitleStringId = 4000;       // the application title
constexpr TLanguageId LangEnglish = 1033;

class TLocalization : public TItfObject {
public:
    TLanguageId Language() const { return language_; }
    TLanguageId FallbackLanguage() const { return fallbackLanguage_; }
    // Store the id when it differs, then Notify(1, 0, 0).
    void SetLanguage(TLanguageId id);
    void SetFallbackLanguage(TLanguageId id);

private:
    TLanguageId language_ = 0;
    TLanguageId fallbackLanguage_ = 0;
};

// The process-wide instance.
TLocalization& Localization();

// String `id` of exactly that language's table; empty when there is none.
String LoadLanguageString(int id, TLanguageId language);
// In the current language, else once in the fallback language.
String LoadString(int id);
// LoadString(id) with "%1", "%2", ... filled in order by `args`.
String FormatString(int id, const std::vector<String>& args);
// Fills the placeholders of `text`: for K = 1..n the first "%K" (not the start of a
// longer number, so "%1" never matches inside "%10") is replaced by the K-th
// argument; inserted text is never scanned for later placeholders.
String FormatText(StringView text, const std::vector<String>& args);

// Errors with the messages of strings 2077 ("File not found: %1") and 2078 ("Path not found: %1").
[[noreturn]] void RaiseFileNotFound(const String& fileName);
[[noreturn]] void RaisePathNotFound(const String& fileName);

} // namespace quillora
