// The date and time conventions that Windows gives for English (United States).
#include <gtest/gtest.h>

#include "foundation/Service.h"
#include "foundation/win32/LocaleFormatWin.h"
#include "library/DateMask.h"

using namespace quillora;

namespace {

TEST(WinLocaleFormat, EnglishUnitedStatesMatchesTheFixedConventions)
{
    const TWinLocaleFormat windows(u"en-US");
    const TLocaleFormatSettings& got = windows.Settings();
    const TLocaleFormatSettings& want = EnglishUnitedStatesFormatSettings();
    EXPECT_EQ(got.DateSeparator, want.DateSeparator);
    EXPECT_EQ(got.TimeSeparator, want.TimeSeparator);
    EXPECT_EQ(got.ShortDateFormat, want.ShortDateFormat);
    EXPECT_EQ(got.LongDateFormat, want.LongDateFormat);
    EXPECT_EQ(got.ShortTimeFormat, want.ShortTimeFormat);
    EXPECT_EQ(got.LongTimeFormat, want.LongTimeFormat);
    EXPECT_EQ(got.TimeAmString, want.TimeAmString);
    EXPECT_EQ(got.TimePmString, want.TimePmString);
    EXPECT_EQ(got.ShortMonthNames, want.ShortMonthNames);
    EXPECT_EQ(got.LongMonthNames, want.LongMonthNames);
    EXPECT_EQ(got.ShortDayNames, want.ShortDayNames);
    EXPECT_EQ(got.LongDayNames, want.LongDayNames);
    EXPECT_FALSE(got.ShortEraNames);
}

TEST(WinLocaleFormat, FormatsMasksInEnglish)
{
    const TWinLocaleFormat windows(u"en-US");
    const TDateTimeParts moment{2024, 2, 29, 13, 7, 5, 0};
    EXPECT_EQ(FormatDateMask(u"c", moment, windows), u"2/29/2024 1:07:05 PM");
    EXPECT_EQ(FormatDateMask(u"dddddd", moment, windows), u"Thursday, February 29, 2024");
    EXPECT_EQ(FormatDateMask(u"ddd mmm t", moment, windows), u"Thu Feb 1:07 PM");
    EXPECT_EQ(FormatDateMask(u"hh:nn ampm", {2024, 2, 29, 0, 0, 0, 0}, windows), u"12:00 AM");
}

TEST(WinLocaleFormat, AlternativeCalendarOfEnglishIsGregorian)
{
    const TWinLocaleFormat windows(u"en-US");
    const TDateTimeParts moment{2005, 6, 1, 0, 0, 0, 0};
    EXPECT_EQ(windows.AltCalendarDate(moment, u"yyyy"), u"2005");
    EXPECT_EQ(windows.AltCalendarDate(moment, u"yy"), u"05");
    EXPECT_EQ(FormatDateMask(u"e|ee|eee", moment, windows), u"5|05|2005");
    EXPECT_FALSE(windows.AltCalendarDate(moment, u"gg").empty());
    // A moment the platform cannot take gives nothing rather than failing.
    EXPECT_EQ(windows.AltCalendarDate({2005, 2, 30, 0, 0, 0, 0}, u"yyyy"), u"");
}

TEST(WinLocaleFormat, UserDefaultLocaleIsTheProvidedOne)
{
    // The provided conventions are the user's default locale's, with names.
    const ILocaleFormat& first = Service<ILocaleFormat>();
    ASSERT_NE(dynamic_cast<const TWinLocaleFormat*>(&first), nullptr);
    for (const String& name : first.Settings().LongMonthNames) EXPECT_FALSE(name.empty());
    for (const String& name : first.Settings().LongDayNames) EXPECT_FALSE(name.empty());
}

} // namespace
