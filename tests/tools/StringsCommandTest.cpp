// The strings command of quillora-tool: the fallback to English that it shows, and the
// strings that it reports as missing, on small tables of its own.
#include <gtest/gtest.h>

#include <iterator>

#include "foundation/GeneratedStringTables.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "tools/quillora-tool/StringsCommand.h"

using namespace quillora;
using namespace quillora::tool;
using namespace std::string_view_literals;

namespace {

const TStringTableEntry English[] = {
    {2021, u"English"sv}, {2024, u"Cancel"sv}, {2067, u"One\r\nTwo"sv}, {2320, u"Actions"sv}, {4000, u"Quillora"sv},
};
const TStringTableEntry German[] = {{2021, u"Deutsch"sv}, {2999, u"Nur deutsch"sv}, {4000, u"Quillora"sv}};
const TStringTableEntry Bulgarian[] = {{2021, u"Български"sv}, {2024, u"Отказ"sv}};

const TStringTable Tables[] = {
    {1026, Bulgarian, std::size(Bulgarian)},
    {1031, German, std::size(German)},
    {1033, English, std::size(English)},
};

struct StringsCommand : testing::Test {
    TTableStringSource source{Tables};
    TProvide<IStringTableSource> provide{source};
    TLanguageId savedLanguage = Localization().Language();
    TLanguageId savedFallback = Localization().FallbackLanguage();

    void TearDown() override
    {
        Localization().SetLanguage(savedLanguage);
        Localization().SetFallbackLanguage(savedFallback);
    }
};

String Shown(const std::vector<TShownString>& shown)
{
    String text;
    for (const TShownString& s : shown) text += IntToString(s.Id) + u'=' + s.Text + u';';
    return text;
}

TEST_F(StringsCommand, ShowsTheLanguageWithEnglishBehindIt)
{
    Localization().SetLanguage(1026);
    Localization().SetFallbackLanguage(0);
    const struct {
        TLanguageId language;
        StringView expected;
    } cases[] = {
        // Every id of any table; the language's own text first, English where it has none.
        {1031, u"2021=Deutsch;2024=Cancel;2067=One\r\nTwo;2320=Actions;2999=Nur deutsch;4000=Quillora;"},
        // A language with only the common strings shows the program's own in English.
        {1026, u"2021=Български;2024=Отказ;2067=One\r\nTwo;2320=Actions;4000=Quillora;"},
        {1033, u"2021=English;2024=Cancel;2067=One\r\nTwo;2320=Actions;4000=Quillora;"},
        // A language without a table: all English.
        {0x0C07, u"2021=English;2024=Cancel;2067=One\r\nTwo;2320=Actions;4000=Quillora;"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shown(ShownStrings(c.language, Tables)), c.expected) << c.language;
    // The program's languages are left as they were.
    EXPECT_EQ(Localization().Language(), 1026);
    EXPECT_EQ(Localization().FallbackLanguage(), 0);
}

TEST_F(StringsCommand, MissingAreTheEnglishIdsThatFallBack)
{
    // All strings: every English id; common only: the English ids 2021 to 2078.
    EXPECT_EQ(MissingStrings(1031, true, Tables), (std::vector<int>{2024, 2067, 2320}));
    EXPECT_EQ(MissingStrings(1031, false, Tables), (std::vector<int>{2024, 2067}));
    EXPECT_EQ(MissingStrings(1026, false, Tables), (std::vector<int>{2067}));
    EXPECT_EQ(MissingStrings(1026, true, Tables), (std::vector<int>{2067, 2320, 4000}));
    EXPECT_EQ(MissingStrings(LangEnglish, true, Tables), std::vector<int>{});
    EXPECT_EQ(MissingStrings(0x0C07, false, Tables), (std::vector<int>{2021, 2024, 2067}));
}

TEST(StringsCommandText, EscapesAsTheTableSources)
{
    EXPECT_EQ(EscapeTableText(u"a\r\nb\tc\\d\u00A0e"), u"a\\r\\nb\\tc\\\\d\u00A0e");
    EXPECT_EQ(EscapeTableText(u""), u"");
}

} // namespace
