#pragma once
// quillora-tool strings CODE | --missing: the string tables as the program shows them.

#include <span>
#include <vector>

#include "foundation/GeneratedStringTables.h"
#include "foundation/LanguageId.h"
#include "foundation/Strings.h"

namespace quillora::tool {

// A language that the program is translated into: its three-letter code and whether
// all its strings are translated (otherwise only the common strings).
struct TTranslatedLanguage {
    StringView Code;
    bool AllStrings;
};

// The 21 languages of the program, English among them.
std::span<const TTranslatedLanguage> TranslatedLanguages();

// The common strings that every language translates.
constexpr int FirstCommonStringId = 2021;
constexpr int LastCommonStringId = 2078;

struct TShownString {
    int Id;
    String Text;
};

// Every id of `tables`, ascending, each once.
std::vector<int> StringIdsOf(std::span<const TStringTable> tables);

// The strings of `language` as the program shows them: for every id of `tables`, the
// text of LoadString with that language and English behind it, through the provided
// string table source; ids that read empty are left out. The languages of the
// localization are restored afterwards.
std::vector<TShownString> ShownStrings(TLanguageId language, std::span<const TStringTable> tables);

// The ids of the English table that `language` lacks in its own table, so that the
// program shows them in English: only the common ids unless `allStrings`.
std::vector<int> MissingStrings(TLanguageId language, bool allStrings, std::span<const TStringTable> tables);

// A text written as in the table sources: \t, \n, \r and \\ for TAB, LF, CR and backslash.
String EscapeTableText(StringView text);

// strings CODE | strings --missing; `args` starts with "strings".
int StringsCommand(const std::vector<String>& args);

} // namespace quillora::tool
