#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "foundation/Exceptions.h"
#include "foundation/FixedLocaleList.h"
#include "foundation/GeneratedStringTables.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/StringIds.h"

using namespace quillora;
using namespace std::string_view_literals;

namespace {

const TStringTableEntry English[] = {
    {2021, u"English"sv},
    {2073, u"Save changes in \"%1\"?"sv},
    {2077, u"File not found: %1"sv},
    {2078, u"Path not found: %1"sv},
    {2405, u"Format"sv},
    {4000, u"Quillora"sv},
};
const TStringTableEntry German[] = {{2021, u"Deutsch"sv}, {4000, u"Quillora"sv}};
const TStringTableEntry Bulgarian[] = {{2021, u"Български"sv}};
const TStringTableEntry Title[] = {{4000, u"Quillora"sv}};

const TStringTable Tables[] = {
    {1033, English, std::size(English)},
    {1031, German, std::size(German)},
    {1026, Bulgarian, std::size(Bulgarian)},
    {0x0404, Title, 1}, // Chinese (Taiwan)
    {0x0804, Title, 1}, // Chinese (PRC)
    {0x1004, Title, 1}, // Chinese (Singapore)
    {0x0405, Title, 1}, // Czech
    {0x0816, Title, 1}, // Portuguese (Portugal)
};

// Records every lookup that reaches the tables.
struct RecordingSource : IStringTableSource {
    TTableStringSource tables{Tables};
    mutable std::vector<std::pair<int, TLanguageId>> lookups;
    String FindString(int id, TLanguageId language) const override
    {
        lookups.emplace_back(id, language);
        return tables.FindString(id, language);
    }
};

struct Observer {
    std::vector<int> codes;
    void OnNotify(TItfObject*, int notify, intptr_t, intptr_t) { codes.push_back(notify); }
};

// Provides the small tables and locale list above and restores the languages after.
struct Localized : testing::Test {
    RecordingSource source;
    TFixedLocaleList locales{{{1033, u"ENU"}, {0x0C07, u"DEA"}, {1031, u"DEU"}, {1026, u"BGR"},
                              {0x0404, u"CHT"}, {0x0405, u"CSY"}, {0x0411, u"DEU"}},
                             1033};
    TProvide<IStringTableSource> provideSource{source};
    TProvide<ILocaleList> provideLocales{locales};
    TLanguageId savedLanguage = Localization().Language();
    TLanguageId savedFallback = Localization().FallbackLanguage();

    void TearDown() override
    {
        Localization().SetLanguage(savedLanguage);
        Localization().SetFallbackLanguage(savedFallback);
    }
    void Use(TLanguageId language, TLanguageId fallback)
    {
        Localization().SetLanguage(language);
        Localization().SetFallbackLanguage(fallback);
        source.lookups.clear();
    }
};

TEST_F(Localized, LoadStringLooksInTheLanguageThenOnceInTheFallback)
{
    struct Case {
        TLanguageId language, fallback;
        int id;
        StringView expected;
        std::vector<std::pair<int, TLanguageId>> lookups;
    };
    const Case cases[] = {
        {1031, 1033, 2405, u"Format", {{2405, 1031}, {2405, 1033}}}, // only in English
        {1031, 1033, 2021, u"Deutsch", {{2021, 1031}}},
        {1031, 1033, 9999, u"", {{9999, 1031}, {9999, 1033}}},       // in neither: empty
        {1031, 0, 2405, u"", {{2405, 1031}}},                        // no fallback language
        {1033, 1033, 9999, u"", {{9999, 1033}}},                     // fallback equals language
        {1026, 1031, 2405, u"", {{2405, 1026}, {2405, 1031}}},       // one fallback, not two
        {0x0C07, 1033, 2021, u"English", {{2021, 0x0C07}, {2021, 1033}}}, // language without a table
    };
    for (const Case& c : cases) {
        Use(c.language, c.fallback);
        EXPECT_EQ(LoadString(c.id), c.expected) << c.language << " " << c.id;
        EXPECT_EQ(source.lookups, c.lookups) << c.language << " " << c.id;
    }
    EXPECT_EQ(LoadLanguageString(2405, 1031), u"") << "a table lookup never falls back";
    EXPECT_EQ(LoadLanguageString(2021, 0x0C07), u"") << "no table for the regional variant";
}

TEST_F(Localized, SettingALanguageNotifiesOnlyOnChange)
{
    Use(1033, 1033);
    Observer observer;
    TLocalization& l = Localization();
    l.AddNotifyEvent(BindNotify<&Observer::OnNotify>(&observer));
    l.SetLanguage(1033);
    l.SetFallbackLanguage(1033);
    EXPECT_TRUE(observer.codes.empty());
    l.SetLanguage(1031);
    EXPECT_EQ(observer.codes, std::vector<int>{LanguageChangedNotify});
    l.SetLanguage(1031);
    l.SetFallbackLanguage(0);
    l.SetFallbackLanguage(0);
    EXPECT_EQ(observer.codes, (std::vector<int>{1, 1}));
    EXPECT_EQ(l.Language(), 1031);
    EXPECT_EQ(l.FallbackLanguage(), 0);
    l.RemoveNotifyEvent(BindNotify<&Observer::OnNotify>(&observer));
}

TEST(FormatText, FillsTheFirstOccurrenceOfEachPlaceholderOnce)
{
    const std::vector<String> ten = {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"i", u"j"};
    struct Case {
        StringView text;
        std::vector<String> args;
        StringView expected;
    };
    const Case cases[] = {
        {u"Save changes in \"%1\"?", {u"Notes.tpt"}, u"Save changes in \"Notes.tpt\"?"},
        {u"%1 and %1", {u"x"}, u"x and %1"},             // only the first is filled
        {u"%2, %1", {u"a", u"b"}, u"b, a"},              // placeholders in any order
        {u"%1 %10", ten, u"a j"},                        // "%1" is not the start of "%10"
        {u"%10 %1", ten, u"j a"},
        {u"%12", {u"a"}, u"%12"},
        {u"%1 %2", {u"%2", u"b"}, u"%2 b"},              // inserted text is not scanned again
        {u"%2 %1", {u"%2", u"b"}, u"b %2"},
        {u"%2%1", {u"5", u"b"}, u"b5"},                  // "%2" before an inserted digit
        {u"%1%1", {u""}, u"%1"},
        {u"%1\u00A0replacements", {u"3"}, u"3\u00A0replacements"},
        {u"100% of %1", {}, u"100% of %1"},              // no arguments: as it is
        {u"", {u"a"}, u""},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatText(c.text, c.args), c.expected) << StringToUtf8(c.text);
}

TEST_F(Localized, FormatStringAndTheFileErrorsUseTheTable)
{
    Use(1031, 1033);
    EXPECT_EQ(FormatString(sidSaveChanges, {u"Notes.tpt"}), u"Save changes in \"Notes.tpt\"?");
    EXPECT_EQ(FormatString(9999, {u"x"}), u"");
    try {
        RaiseFileNotFound(u"C:\\a.tpt");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"File not found: C:\\a.tpt");
    }
    try {
        RaisePathNotFound(u"C:\\missing\\");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Path not found: C:\\missing\\");
    }
}

TEST_F(Localized, FindLanguageByCodeTakesTheFirstExactMatch)
{
    struct Case {
        StringView code;
        bool found;
        TLanguageId id;
    };
    const Case cases[] = {
        {u"DEU", true, 1031}, // first of two locales with that code
        {u"DEA", true, 0x0C07},
        {u"ENU", true, 1033},
        {u"deu", false, 0},   // case matters
        {u"DE", false, 0},
        {u"", false, 0},
        {u"XYZ", false, 0},
    };
    for (const Case& c : cases) {
        TLanguageId id = 0;
        EXPECT_EQ(FindLanguageByCode(c.code, id), c.found) << StringToUtf8(c.code);
        EXPECT_EQ(id, c.id) << StringToUtf8(c.code);
    }
}

TEST_F(Localized, GetLanguageCodesAppendsTheLocalesWhoseTableHasTheString)
{
    std::vector<String> codes = {u"kept"};
    GetLanguageCodes(codes, TitleStringId);
    EXPECT_EQ(codes, (std::vector<String>{u"kept", u"ENU", u"DEU", u"CHT", u"CSY"}));
    codes.clear();
    GetLanguageCodes(codes, 2021);
    EXPECT_EQ(codes, (std::vector<String>{u"ENU", u"DEU", u"BGR"}));
}

TEST_F(Localized, DefaultLanguageCodeFollowsThePrimaryLanguageAndTheExactTable)
{
    struct Case {
        TLanguageId user;
        StringView expected;
    };
    const Case cases[] = {
        {1033, u"ENU"},
        {1031, u"DEU"},
        {0x0C07, u"ENU"}, // German (Austria): no table of its own
        {1026, u"ENU"},   // Bulgarian: only the common strings
        {0x0404, u"CHT"}, // sublanguage 1
        {0x0804, u"CHS"},
        {0x1004, u"CHS"},
        {0x0816, u"PTB"}, // by the primary language once the exact table has the string
        {0x0405, u"ENU"}, // a language without a code of its own
    };
    for (const Case& c : cases) {
        TFixedLocaleList list({}, c.user);
        TProvide<ILocaleList> provideList(list);
        EXPECT_EQ(GetDefaultLanguageCode(TitleStringId), c.expected) << c.user;
    }
}

TEST_F(Localized, ApplyLanguageUsesTheFallbackForAnUnknownCode)
{
    Use(1033, 1033);
    const std::pair<StringView, TLanguageId> cases[] = {
        {u"DEU", 1031}, {u"xyz", 1033}, {u"DEA", 0x0C07}, {u"", 1033}, {u"deu", 1033}};
    for (const auto& [code, id] : cases) {
        ApplyLanguage(code);
        EXPECT_EQ(Localization().Language(), id) << StringToUtf8(code);
    }
}

// The tables built from resources/strings.
TEST(GeneratedStringTables, HoldTheLanguageNamesAndTheTitleOfTheFullyTranslatedLanguages)
{
    struct Language {
        TLanguageId id;
        StringView code, name;
        bool all;
    };
    const Language languages[] = {
        {1025, u"ARA", u"العربية", false}, {1026, u"BGR", u"Български", false},
        {1028, u"CHT", u"繁體中文", false},  {1030, u"DAN", u"Dansk", false},
        {1031, u"DEU", u"Deutsch", true},   {1033, u"ENU", u"English", true},
        {1034, u"ESP", u"Español", true},   {1036, u"FRA", u"Français", true},
        {1040, u"ITA", u"Italiano", true},  {1041, u"JPN", u"日本語", true},
        {1043, u"NLD", u"Nederlands", true}, {1044, u"NOR", u"Norsk bokmål", false},
        {1045, u"PLK", u"Polski", true},    {1046, u"PTB", u"Português", true},
        {1048, u"ROM", u"Română", false},   {1049, u"RUS", u"Русский", true},
        {1050, u"HRV", u"Hrvatski", false}, {1053, u"SVE", u"Svenska", false},
        {1058, u"UKR", u"Українська", false}, {1060, u"SLV", u"Slovenski jezik", false},
        {2052, u"CHS", u"汉语", true},
    };
    TTableStringSource tables(GeneratedStringTables());
    EXPECT_EQ(GeneratedStringTables().size(), std::size(languages));
    for (const Language& l : languages) {
        EXPECT_EQ(tables.FindString(2021, l.id), l.name) << l.id;
        EXPECT_EQ(tables.FindString(TitleStringId, l.id), l.all ? u"Quillora" : u"") << l.id;
        const std::vector<TLocaleInfo>& standard = StandardLocales();
        EXPECT_NE(std::find(standard.begin(), standard.end(), TLocaleInfo{l.id, String(l.code)}), standard.end())
            << "the standard locale list knows " << StringToUtf8(l.code);
    }
}

TEST(GeneratedStringTables, KeepTheEnglishTextsExactly)
{
    TTableStringSource tables(GeneratedStringTables());
    const std::pair<int, StringView> cases[] = {
        {2077, u"File not found: %1"},
        {2078, u"Path not found: %1"},
        {2073, u"Save changes in \"%1\"?"},
        {2405, u"Format"},
        {2944, u"The program has made %1\u00A0replacements"},
        {2070, u"About\u00A0%1"},
        {4004, u"Import from File..."},
        {4005, u"Export to\u00A0File..."},
        {2328, u"The format of\u00A0the data provided is\u00A0of\u00A0a\u00A0newer version\u00A0— perhaps you should "
               u"update the program version"},
        {2067, u"The newer version of\u00A0the program is\u00A0available: %1. You currently use the version: %2.\r\n"
               u"\r\nPress OK\u00A0to\u00A0go\u00A0on\u00A0the program download page"},
        {4186, u"Normal\r\nLarge\r\nExtra large"},
        {6817, u"Date and time in\u00A0a\u00A0specified format."},
    };
    for (const auto& [id, text] : cases) EXPECT_EQ(tables.FindString(id, 1033), text) << id;
    // Each language answers from its own table only; the common-only ones have no
    // program strings.
    EXPECT_EQ(tables.FindString(4025, 1031), u"&Rückgängig");
    EXPECT_EQ(tables.FindString(2320, 1058), u"");
    EXPECT_EQ(tables.FindString(4000, 1026), u"");
}

#ifndef _WIN32
// Without string resources and a locale database: the generated tables and the
// standard locale list, with English as the user's language.
TEST(NativeLocalization, OffersExactlyTheFullyTranslatedLanguages)
{
    std::vector<String> codes;
    GetLanguageCodes(codes, TitleStringId);
    EXPECT_EQ(codes, (std::vector<String>{u"DEU", u"ENU", u"ESP", u"FRA", u"ITA", u"JPN", u"NLD", u"PLK", u"PTB",
                                          u"RUS", u"CHS"}));
    TLanguageId id = 0;
    EXPECT_TRUE(FindLanguageByCode(u"DEU", id));
    EXPECT_EQ(id, 1031);
    EXPECT_EQ(GetDefaultLanguageCode(TitleStringId), u"ENU");
}
#endif

} // namespace
