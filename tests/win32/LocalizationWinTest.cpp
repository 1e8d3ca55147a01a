// The string resources of the test executable (generated from the same tables as the
// native ones) and the system's locale list.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "foundation/GeneratedStringTables.h"
#include "foundation/Localization.h"
#include "foundation/StringIds.h"
#include "foundation/win32/ResourceStringTableWin.h"
#include "foundation/win32/SystemLocaleListWin.h"

using namespace quillora;

namespace {

TEST(ResourceStringTables, HoldEveryStringOfTheSourceTablesExactly)
{
    TResourceStringTableSource resources;
    size_t checked = 0;
    for (const TStringTable& table : GeneratedStringTables()) {
        std::set<int> blocks;
        for (size_t i = 0; i < table.Count; ++i) {
            const TStringTableEntry& e = table.Entries[i];
            EXPECT_EQ(resources.FindString(e.Id, table.Language), String(e.Text)) << table.Language << " " << e.Id;
            blocks.insert(e.Id / 16);
            ++checked;
        }
        // The other places of the blocks that the language has are empty.
        for (int block : blocks)
            for (int id = block * 16; id < block * 16 + 16; ++id)
                if (TTableStringSource(GeneratedStringTables()).FindString(id, table.Language).empty())
                    EXPECT_EQ(resources.FindString(id, table.Language), u"") << table.Language << " " << id;
    }
    EXPECT_GT(checked, 150u);
}

TEST(ResourceStringTables, AnswerOnlyForTheRequestedLanguage)
{
    TResourceStringTableSource resources;
    struct Case {
        int id;
        TLanguageId language;
        StringView expected;
    };
    const Case cases[] = {
        {2021, 1049, u"Русский"},
        {2021, 2052, u"汉语"},
        {2021, 1028, u"繁體中文"},
        {2021, 1025, u"العربية"},
        {2021, 1044, u"Norsk bokmål"},
        {2070, 1033, u"About\u00A0%1"},
        {2067, 1033, u"The newer version of\u00A0the program is\u00A0available: %1. You currently use the version: %2."
                     u"\r\n\r\nPress OK\u00A0to\u00A0go\u00A0on\u00A0the program download page"},
        {4000, 1031, u"Quillora"},
        {4000, 1026, u""},   // Bulgarian has only the common strings; no English behind it
        {2320, 1058, u""},
        {2021, 0x0C07, u""}, // German (Austria): no block, no neutral or German fallback
        {2021, 0x0007, u""},
        {2021, 0x0000, u""},
        {2025, 1049, u""},   // a block of the language without that string
        {9999, 1033, u""},
        {-1, 1033, u""},
        {70000, 1033, u""},
    };
    for (const Case& c : cases) EXPECT_EQ(resources.FindString(c.id, c.language), c.expected) << c.language << " " << c.id;
}

// Cyrillic, Japanese, Chinese and Arabic texts come out of the resources as the UTF-16
// text that the UTF-8 table sources hold, quotes, no-break spaces and line breaks included.
TEST(ResourceStringTables, CarryNonLatinTextsIntact)
{
    TResourceStringTableSource resources;
    const struct {
        int id;
        TLanguageId language;
        StringView expected;
    } cases[] = {
        {2073, 1049, u"\u0421\u043E\u0445\u0440\u0430\u043D\u0438\u0442\u044C \u0438\u0437\u043C\u0435\u043D\u0435\u043D\u0438\u044F"
                     u" \u0432\u00A0\u00AB%1\u00BB?"}, // Сохранить изменения в «%1»?
        {4025, 1049, u"&Отменить"},
        {2336, 1049, u"Отключение выделенных элементов. Отключённые элементы считаются отсутствующими, например,"
                     u" они не\u00A0проверяются. Эти элементы можно включить в\u00A0любой момент."},
        {2073, 1041, u"\u300C%1\u300D\u3078\u306E\u5909\u66F4\u3092\u4FDD\u5B58\u3057\u307E\u3059\u304B?"}, // 「%1」への変更を保存しますか?
        {4032, 1041, u"テキストとしてコピー(&X)"},
        {4186, 1041, u"標準\r\n大\r\n特大"},
        {2073, 2052, u"\u662F\u5426\u4FDD\u5B58\u5BF9\u201C%1\u201D\u7684\u66F4\u6539\uFF1F"}, // 是否保存对“%1”的更改？
        {2809, 2052, u"该元素正处于[由第三方程序编辑]的模式，您需要选择“应用”或“取消”"},
        {2073, 1028, u"是否儲存對「%1」的變更？"},
        {2073, 1025, u"هل تريد حفظ التغييرات في \"%1\"؟"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resources.FindString(c.id, c.language), c.expected) << c.language << " " << c.id;

    // Through the program's lookup: the language's own text, English where it has none.
    TLanguageId savedLanguage = Localization().Language();
    TLanguageId savedFallback = Localization().FallbackLanguage();
    Localization().SetFallbackLanguage(LangEnglish);
    Localization().SetLanguage(1041);
    EXPECT_EQ(FormatString(sidSaveChanges, {u"メモ.tpt"}), u"「メモ.tpt」への変更を保存しますか?");
    Localization().SetLanguage(1026);
    EXPECT_EQ(LoadString(2024), u"Отказ");
    EXPECT_EQ(LoadString(2320), LoadLanguageString(2320, LangEnglish));
    EXPECT_FALSE(LoadString(2320).empty());
    Localization().SetLanguage(savedLanguage);
    Localization().SetFallbackLanguage(savedFallback);
}

TEST(ResourceStringTables, AreTheDefaultSourceOnWindows)
{
    EXPECT_NE(dynamic_cast<const TResourceStringTableSource*>(&Localization().StringTables()), nullptr);
    EXPECT_EQ(LoadLanguageString(2021, 2052), u"汉语");
}

TEST(SystemLocaleList, FindsTheLanguagesOfTheTablesByTheirCodes)
{
    EXPECT_NE(dynamic_cast<const TSystemLocaleList*>(&Localization().Locales()), nullptr);
    const std::pair<StringView, TLanguageId> cases[] = {
        {u"ARA", 1025}, {u"BGR", 1026}, {u"CHT", 1028}, {u"DAN", 1030}, {u"DEU", 1031}, {u"ENU", 1033},
        {u"ESP", 1034}, {u"FRA", 1036}, {u"ITA", 1040}, {u"JPN", 1041}, {u"NLD", 1043}, {u"NOR", 1044},
        {u"PLK", 1045}, {u"PTB", 1046}, {u"ROM", 1048}, {u"RUS", 1049}, {u"HRV", 1050}, {u"SVE", 1053},
        {u"UKR", 1058}, {u"SLV", 1060}, {u"CHS", 2052}, {u"DEA", 0x0C07},
    };
    for (const auto& [code, language] : cases) {
        TLanguageId id = 0;
        EXPECT_TRUE(FindLanguageByCode(code, id)) << StringToUtf8(code);
        EXPECT_EQ(id, language) << StringToUtf8(code);
    }
    TLanguageId id = 0;
    EXPECT_FALSE(FindLanguageByCode(u"deu", id));
    EXPECT_FALSE(FindLanguageByCode(u"", id));
}

TEST(SystemLocaleList, OffersExactlyTheFullyTranslatedLanguagesInItsOrder)
{
    std::vector<String> codes;
    GetLanguageCodes(codes, TitleStringId);

    std::vector<String> expected;
    const std::set<String> full = {u"DEU", u"ENU", u"ESP", u"FRA", u"ITA", u"JPN",
                                   u"NLD", u"PLK", u"PTB", u"RUS", u"CHS"};
    for (const TLocaleInfo& locale : TSystemLocaleList().Locales())
        if (full.count(locale.Code)) expected.push_back(locale.Code);
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(std::set<String>(codes.begin(), codes.end()), full);
    EXPECT_EQ(codes.size(), full.size());
}

TEST(SystemLocaleList, DefaultLanguageCodeOfTheUser)
{
    TSystemLocaleList system;
    TLanguageId user = system.UserDefaultLanguage();
    EXPECT_NE(user, 0);
    String code = GetDefaultLanguageCode(TitleStringId);
    if (LoadLanguageString(TitleStringId, user).empty()) {
        EXPECT_EQ(code, u"ENU");
    } else {
        TLanguageId id = 0;
        ASSERT_TRUE(FindLanguageByCode(code, id)) << StringToUtf8(code);
        EXPECT_EQ(PrimaryLanguage(id), PrimaryLanguage(user));
    }
}

} // namespace
