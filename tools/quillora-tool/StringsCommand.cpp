// The strings command: a language's table as the program shows it, and the strings
// that the translations still lack.
#include "tools/quillora-tool/StringsCommand.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include "foundation/Localization.h"

namespace quillora::tool {

namespace {
constexpr int ExitOk = 0;
constexpr int ExitMissing = 1;
constexpr int ExitFailure = 2;

const TTranslatedLanguage Languages[] = {
    {u"ARA", false}, {u"BGR", false}, {u"CHT", false}, {u"DAN", false}, {u"DEU", true},  {u"ENU", true},
    {u"ESP", true},  {u"FRA", true},  {u"ITA", true},  {u"JPN", true},  {u"NLD", true},  {u"NOR", false},
    {u"PLK", true},  {u"PTB", true},  {u"ROM", false}, {u"RUS", true},  {u"HRV", false}, {u"SVE", false},
    {u"UKR", false}, {u"SLV", false}, {u"CHS", true},
};

void Print(std::FILE* out, StringView text)
{
    std::string bytes = StringToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), out);
}

int Usage()
{
    std::fputs("usage: quillora-tool strings CODE\n"
               "       quillora-tool strings --missing\n",
               stderr);
    return ExitFailure;
}

// Sets the languages of the localization for its life and restores the ones before.
class TLanguageScope {
public:
    TLanguageScope(TLanguageId language, TLanguageId fallback)
        : language_(Localization().Language()), fallback_(Localization().FallbackLanguage())
    {
        Localization().SetLanguage(language);
        Localization().SetFallbackLanguage(fallback);
    }
    ~TLanguageScope()
    {
        Localization().SetLanguage(language_);
        Localization().SetFallbackLanguage(fallback_);
    }
    TLanguageScope(const TLanguageScope&) = delete;
    TLanguageScope& operator=(const TLanguageScope&) = delete;

private:
    TLanguageId language_;
    TLanguageId fallback_;
};

// The language of a code from the list of translated languages; false for any other code.
bool FindTranslatedLanguage(StringView code, TLanguageId& language, bool& allStrings)
{
    for (const TTranslatedLanguage& l : Languages) {
        if (l.Code != code) continue;
        allStrings = l.AllStrings;
        return FindLanguageByCode(code, language);
    }
    return false;
}

String IdsText(const std::vector<int>& ids)
{
    String text;
    for (int id : ids) {
        if (!text.empty()) text += u' ';
        text += IntToString(id);
    }
    return text;
}

int ShowCommand(StringView code)
{
    TLanguageId language = 0;
    bool allStrings = false;
    if (!FindTranslatedLanguage(code, language, allStrings)) {
        Print(stderr, u"quillora-tool: \"" + String(code) +
                          u"\" is not the code of a language of the program (ARA, BGR, ..., CHS)\n");
        return ExitFailure;
    }
    for (const TShownString& s : ShownStrings(language, GeneratedStringTables()))
        Print(stdout, IntToString(s.Id) + u'\t' + EscapeTableText(s.Text) + u'\n');
    std::fflush(stdout);
    return ExitOk;
}

int MissingCommand()
{
    size_t missing = 0;
    size_t languages = 0;
    for (const TTranslatedLanguage& l : Languages) {
        TLanguageId language = 0;
        if (!FindLanguageByCode(l.Code, language)) {
            Print(stderr, u"quillora-tool: the platform knows no language \"" + String(l.Code) + u"\"\n");
            return ExitFailure;
        }
        std::vector<int> ids = MissingStrings(language, l.AllStrings, GeneratedStringTables());
        if (ids.empty()) continue;
        Print(stdout, String(l.Code) + u'\t' + IdsText(ids) + u'\n');
        missing += ids.size();
        ++languages;
    }
    std::fflush(stdout);
    if (missing == 0) return ExitOk;
    Print(stderr, u"quillora-tool: " + IntToString(static_cast<long long>(missing)) +
                      u" translations missing in " + IntToString(static_cast<long long>(languages)) +
                      u" languages\n");
    return ExitMissing;
}

} // namespace

std::span<const TTranslatedLanguage> TranslatedLanguages()
{
    return Languages;
}

std::vector<int> StringIdsOf(std::span<const TStringTable> tables)
{
    std::set<int> ids;
    for (const TStringTable& table : tables)
        for (size_t i = 0; i < table.Count; ++i) ids.insert(table.Entries[i].Id);
    return {ids.begin(), ids.end()};
}

std::vector<TShownString> ShownStrings(TLanguageId language, std::span<const TStringTable> tables)
{
    TLanguageScope scope(language, LangEnglish);
    std::vector<TShownString> shown;
    for (int id : StringIdsOf(tables)) {
        String text = LoadString(id);
        if (!text.empty()) shown.push_back({id, std::move(text)});
    }
    return shown;
}

std::vector<int> MissingStrings(TLanguageId language, bool allStrings, std::span<const TStringTable> tables)
{
    std::vector<int> missing;
    if (language == LangEnglish) return missing;
    for (int id : StringIdsOf(tables)) {
        if (!allStrings && (id < FirstCommonStringId || id > LastCommonStringId)) continue;
        if (LoadLanguageString(id, LangEnglish).empty()) continue;
        if (LoadLanguageString(id, language).empty()) missing.push_back(id);
    }
    return missing;
}

String EscapeTableText(StringView text)
{
    String out;
    out.reserve(text.size());
    for (Char c : text) {
        switch (c) {
        case u'\t': out += u"\\t"; break;
        case u'\n': out += u"\\n"; break;
        case u'\r': out += u"\\r"; break;
        case u'\\': out += u"\\\\"; break;
        default: out += c;
        }
    }
    return out;
}

int StringsCommand(const std::vector<String>& args)
{
    if (args.size() != 2) return Usage();
    if (args[1] == u"--missing") return MissingCommand();
    if (args[1].starts_with(u"-")) return Usage();
    return ShowCommand(args[1]);
}

} // namespace quillora::tool
