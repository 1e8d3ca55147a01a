// The date-and-time mask language over fixed English (United States) conventions and
// over a few made-up locales.
#include <gtest/gtest.h>

#include "foundation/LocaleFormat.h"
#include "foundation/Service.h"
#include "library/DateMask.h"

using namespace quillora;

namespace {

TDateTimeParts Moment(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
    return {year, month, day, hour, minute, second, ms};
}

const TDateTimeParts Sat = Moment(2024, 2, 3, 9, 5, 7, 8);         // Saturday morning
const TDateTimeParts LeapPm = Moment(2024, 2, 29, 13, 7, 0, 0);     // Thursday afternoon
const TDateTimeParts Midnight = Moment(2024, 2, 3);
const TDateTimeParts Noon = Moment(2024, 2, 3, 12, 0, 0, 0);
const TDateTimeParts LateDec = Moment(2024, 12, 4, 23, 59, 59, 999); // Wednesday
const TDateTimeParts AfterMidnightMs = Moment(2024, 2, 3, 0, 0, 0, 1);
const TDateTimeParts Y2005 = Moment(2005, 7, 1, 0, 30, 0, 0);
const TDateTimeParts Y2000 = Moment(2000, 2, 29, 6, 0, 0, 0);
const TDateTimeParts Y5 = Moment(5, 1, 1);

struct TMaskCase {
    const char16_t* Mask;
    TDateTimeParts At;
    const char16_t* Expected;
};

const TMaskCase MaskCases[] = {
    // day
    {u"d", Sat, u"3"},
    {u"dd", Sat, u"03"},
    {u"d", LeapPm, u"29"},
    {u"ddd", Sat, u"Sat"},
    {u"dddd", Sat, u"Saturday"},
    {u"ddddd", Sat, u"2/3/2024"},
    {u"dddddd", Sat, u"Saturday, February 3, 2024"},
    {u"ddddddddd", LeapPm, u"Thursday, February 29, 2024"},
    {u"DDDD", LeapPm, u"Thursday"},
    {u"Dd", Sat, u"33"},       // two one-letter specifiers
    {u"dDd", Sat, u"333"},
    // month, and minutes right after an h
    {u"m", Sat, u"2"},
    {u"mm", Sat, u"02"},
    {u"mmm", LateDec, u"Dec"},
    {u"mmmm", LateDec, u"December"},
    {u"MMMMMM", Sat, u"February"},
    {u"hh:mm", Sat, u"09:05"},
    {u"h:m", Sat, u"9:5"},
    {u"hh:mmmm", Sat, u"09:05"},
    {u"hh:nn mm", Sat, u"09:05 02"},   // the last letter is an n
    {u"h x m", Sat, u"9 x 2"},        // any letter counts as the last one
    {u"h 'x' m", Sat, u"9 x 5"},      // quoted text does not
    {u"hm", Sat, u"95"},
    {u"mm hh", Sat, u"02 09"},
    // year
    {u"y", Sat, u"24"},
    {u"yy", Sat, u"24"},
    {u"yyy", Sat, u"2024"},
    {u"yyyy", Sat, u"2024"},
    {u"YYYYYY", Sat, u"2024"},
    {u"yy", Y2005, u"05"},
    {u"y", Y2000, u"00"},
    {u"yyyy", Y5, u"0005"},
    // hour, 24-hour clock without a designator
    {u"h", Sat, u"9"},
    {u"hh", Sat, u"09"},
    {u"hhhh", Sat, u"09"},
    {u"h:nn", LeapPm, u"13:07"},
    {u"hh", Midnight, u"00"},
    {u"h", Noon, u"12"},
    // minute, second, millisecond
    {u"n", Sat, u"5"},
    {u"nn", Sat, u"05"},
    {u"NNN", LeapPm, u"07"},
    {u"s", Sat, u"7"},
    {u"ss", Sat, u"07"},
    {u"sss", LateDec, u"59"},
    {u"z", Sat, u"8"},
    {u"zz", Sat, u"08"},
    {u"zzz", Sat, u"008"},
    {u"zzzzz", Sat, u"008"},
    {u"z", LateDec, u"999"},
    {u"zz", LateDec, u"999"},
    // locale times and the composite c
    {u"t", Sat, u"9:05 AM"},
    {u"tt", Sat, u"9:05:07 AM"},
    {u"t", LeapPm, u"1:07 PM"},
    {u"TTT", Midnight, u"12:00:00 AM"},
    {u"c", Sat, u"2/3/2024 9:05:07 AM"},
    {u"c", Midnight, u"2/3/2024"},
    {u"c", AfterMidnightMs, u"2/3/2024 12:00:00 AM"},
    {u"c", Noon, u"2/3/2024 12:00:00 PM"},
    {u"", Sat, u"2/3/2024 9:05:07 AM"},
    {u"", Midnight, u"2/3/2024"},
    // the designators and the 12-hour clock
    {u"h:nn AM/PM", LeapPm, u"1:07 PM"},
    {u"h:nn am/pm", LeapPm, u"1:07 pm"},
    {u"h:nn Am/pM", LeapPm, u"1:07 pM"},
    {u"h:nn am/pm", Sat, u"9:05 am"},
    {u"h:nn am/pm", Midnight, u"12:00 am"},
    {u"h:nn am/pm", Noon, u"12:00 pm"},
    {u"hh am/pm", LateDec, u"11 pm"},
    {u"hh a/p", LeapPm, u"01 p"},
    {u"h A/P", Sat, u"9 A"},
    {u"h AMPM", LeapPm, u"1 PM"},
    {u"hh ampm", Midnight, u"12 AM"},
    {u"AMPM h", LeapPm, u"PM 1"},        // a designator already written
    {u"am/pm h:nn", LeapPm, u"pm 1:07"},
    {u"h hh am/pm", LeapPm, u"13 01 pm"},  // an h before the next a
    {u"h aaa am/pm", LeapPm, u"13 Thu pm"}, // the next a starts a day name
    {u"h 'a' am/pm", LeapPm, u"1 a pm"},   // quoted text is skipped
    {u"h 'am/pm'", LeapPm, u"13 am/pm"},
    {u"h \"am/pm", LeapPm, u"13 am/pm"},
    {u"h x am/pm", LeapPm, u"1 x pm"},
    // other a
    {u"aaa", Sat, u"Sat"},
    {u"AAAA", Sat, u"Saturday"},
    {u"aaaa", LeapPm, u"Thursday"},
    {u"aAaA", LeapPm, u"aAaA"},   // four one-letter a
    {u"AAa", LeapPm, u"AAa"},
    {u"aaaaa", Sat, u"Saturdaya"},
    {u"a", Sat, u"a"},
    {u"aa", Sat, u"aa"},
    {u"Ab", Sat, u"Ab"},
    {u"am/p", Sat, u"a2/p"},  // no designator: the m is a month
    // separators
    {u"yyyy/mm/dd", Sat, u"2024/02/03"},
    {u"h:n:s", Sat, u"9:5:7"},
    // alternative calendar (Gregorian for this locale)
    {u"e", Sat, u"24"},
    {u"e", Y2005, u"5"},
    {u"ee", Y2005, u"05"},
    {u"eee", Y2005, u"2005"},
    {u"e", Y2000, u"0"},
    {u"g", Sat, u"A.D."},
    {u"gg", Sat, u"A.D."},
    // quoted text
    {u"'Today' dd", LateDec, u"Today 04"},
    {u"\"Today\" dd", LateDec, u"Today 04"},
    {u"dd 'never closed mm", LateDec, u"04 never closed mm"},
    {u"dd \"it's\"", LateDec, u"04 it's"},
    {u"'it''s'", LateDec, u"its"},
    {u"''", LateDec, u""},
    {u"'", LateDec, u""},
    {u"'dd'dd", LateDec, u"dd04"},
    // unknown letters and other characters
    {u"b f i j k l o p q r u v w x", Sat, u"b f i j k l o p q r u v w x"},
    {u"BJK", Sat, u"BJK"},
    {u"dd.mm.yyyy - hh,nn;ss (z) [c]", Sat, u"03.02.2024 - 09,05;07 (8) [2/3/2024 9:05:07 AM]"},
    {u"dd\U0001F600mm", Sat, u"03\U0001F600" u"02"},
    {u"\u00e9t\u00e9", Sat, u"\u00e99:05 AM\u00e9"},
    // the preset masks
    {u"yyyy.mm.dd", Sat, u"2024.02.03"},
    {u"yyyy.mm.dd hh:nn", Sat, u"2024.02.03 09:05"},
    {u"yyyy.mm.dd hh:nn:ss", Sat, u"2024.02.03 09:05:07"},
    {u"dd.mm.yy", Sat, u"03.02.24"},
    {u"dd.mm.yy hh:nn", Sat, u"03.02.24 09:05"},
    {u"dd.mm.yy hh:nn:ss", Sat, u"03.02.24 09:05:07"},
    {u"dd.mm.yyyy", Sat, u"03.02.2024"},
    {u"dd.mm.yyyy hh:nn", Sat, u"03.02.2024 09:05"},
    {u"dd.mm.yyyy hh:nn:ss", LateDec, u"04.12.2024 23:59:59"},
    // leap days and weekdays across centuries
    {u"dddd d mmmm yyyy", LeapPm, u"Thursday 29 February 2024"},
    {u"ddd", Y2000, u"Tue"},
    {u"ddd", Moment(1900, 3, 1), u"Thu"},
    {u"dddd", Moment(1, 1, 1), u"Monday"},
    {u"dddd", Moment(9999, 12, 31), u"Friday"},
};

TEST(DateMask, FormatsEveryCaseOfTheTable)
{
    const TFixedLocaleFormat english(EnglishUnitedStatesFormatSettings());
    for (const TMaskCase& c : MaskCases)
        EXPECT_EQ(FormatDateMask(c.Mask, c.At, english), String(c.Expected)) << StringToUtf8(c.Mask);
}

TEST(DateMask, PresetsAreMadeOfNumbersOnly)
{
    const TFixedLocaleFormat english(EnglishUnitedStatesFormatSettings());
    EXPECT_EQ(DateMaskPresets()[2], DefaultDateMask);
    for (StringView preset : DateMaskPresets()) {
        const String text = FormatDateMask(preset, LateDec, english);
        EXPECT_EQ(text.find_first_not_of(u"0123456789.: "), String::npos) << StringToUtf8(preset);
        EXPECT_EQ(text.size(), preset.size()) << StringToUtf8(text); // every field is full width
    }
}

TLocaleFormatSettings Customised(String timeSeparator)
{
    TLocaleFormatSettings s = EnglishUnitedStatesFormatSettings();
    s.DateSeparator = u"-";
    s.TimeSeparator = std::move(timeSeparator);
    return s;
}

TEST(DateMask, SeparatorsComeFromTheLocale)
{
    const TFixedLocaleFormat colon(Customised(u":"));
    EXPECT_EQ(FormatDateMask(u"dd.mm.yyyy hh:nn", Sat, colon), u"03.02.2024 09:05");
    EXPECT_EQ(FormatDateMask(u"hh:mm", Sat, colon), u"09:05");
    EXPECT_EQ(FormatDateMask(u"yyyy/mm/dd", Sat, colon), u"2024-02-03");

    const TFixedLocaleFormat stop(Customised(u"."));
    EXPECT_EQ(FormatDateMask(u"hh:nn", Sat, stop), u"09.05");
    // The short date of the locale is written with the locale's separator too.
    EXPECT_EQ(FormatDateMask(u"ddddd", Sat, stop), u"2-3-2024");

    const TFixedLocaleFormat none(Customised(u""));
    EXPECT_EQ(FormatDateMask(u"hh:nn:ss", Sat, none), u"090507");
}

TEST(DateMask, LocaleFormatsExpandOneLevelDeep)
{
    TLocaleFormatSettings s = EnglishUnitedStatesFormatSettings();
    s.ShortDateFormat = u"dd.mm.yyyy<c><t><tt><ddddd><dddddd>";
    s.LongDateFormat = u"";
    s.ShortTimeFormat = u"hh.nn 'c' t";
    s.LongTimeFormat = u"h:nn:ss AMPM";
    const TFixedLocaleFormat odd(s);
    EXPECT_EQ(FormatDateMask(u"ddddd", Sat, odd), u"03.02.2024<><><><><>");
    EXPECT_EQ(FormatDateMask(u"dddddd", Sat, odd), u"");
    EXPECT_EQ(FormatDateMask(u"t", LeapPm, odd), u"13.07 c ");
    EXPECT_EQ(FormatDateMask(u"c", LeapPm, odd), u"29.02.2024<><><><><> 1:07:00 PM");
}

TEST(DateMask, DesignatorsAndEraNamesComeFromTheLocale)
{
    TLocaleFormatSettings s = EnglishUnitedStatesFormatSettings();
    s.TimeAmString = u"\u5348\u524d";
    s.TimePmString = u"";
    s.ShortEraNames = true;
    const TFixedLocaleFormat eastern(s, u"\u4ee4\u548c");
    EXPECT_EQ(FormatDateMask(u"AMPM h", Sat, eastern), u"\u5348\u524d 9");
    EXPECT_EQ(FormatDateMask(u"ampm|h", LeapPm, eastern), u"|1");
    EXPECT_EQ(FormatDateMask(u"g", Sat, eastern), u"\u4ee4");
    EXPECT_EQ(FormatDateMask(u"gg", Sat, eastern), u"\u4ee4\u548c");
    EXPECT_EQ(FormatDateMask(u"ggg", Sat, eastern), u"\u4ee4\u548c");

    const TFixedLocaleFormat pair(s, u"\U0001F600x");
    EXPECT_EQ(FormatDateMask(u"g", Sat, pair), u"\U0001F600");
}

TEST(DateMask, MomentsOutsideTheirRangesGiveNoNames)
{
    const TFixedLocaleFormat english(EnglishUnitedStatesFormatSettings());
    TDateTimeParts bad = Moment(2024, 13, 40, 25, 61, 61, 1000);
    EXPECT_FALSE(bad.IsValid());
    EXPECT_EQ(FormatDateMask(u"mmm|mmmm|mm|dd|hh|nn|zzz", bad, english), u"||13|40|25|61|1000");
    EXPECT_EQ(FormatDateMask(u"yyyy|yy", Moment(-3, 1, 1), english), u"-0003|97");
    // Month 13 of 2024 is January 2025; 40 days on is a Sunday.
    EXPECT_EQ(FormatDateMask(u"dddd", bad, english), u"Sunday");
}

TEST(DateMask, WithoutConventionsTheProvidedOnesFormat)
{
    TFixedLocaleFormat stop(Customised(u"."));
    TProvide<ILocaleFormat> provideStop(stop);
    EXPECT_EQ(FormatDateMask(u"hh:nn", Sat), u"09.05");
}

TEST(DateTimeParts, ValidityAndWeekdays)
{
    EXPECT_TRUE(Moment(2024, 2, 29).IsValid());
    EXPECT_FALSE(Moment(2023, 2, 29).IsValid());
    EXPECT_FALSE(Moment(1900, 2, 29).IsValid());
    EXPECT_TRUE(Moment(2000, 2, 29, 23, 59, 59, 999).IsValid());
    EXPECT_FALSE(Moment(0, 1, 1).IsValid());
    EXPECT_FALSE(Moment(2024, 4, 31).IsValid());
    EXPECT_EQ(Moment(1970, 1, 1).DayOfWeek(), 4);
    EXPECT_EQ(Moment(1899, 12, 30).DayOfWeek(), 6);
    EXPECT_EQ(Moment(2024, 0, 1).DayOfWeek(), Moment(2023, 12, 1).DayOfWeek());
    EXPECT_EQ(Moment(2024, 3, 0).DayOfWeek(), Moment(2024, 2, 29).DayOfWeek());
}

struct TPictureCase {
    const char16_t* Picture;
    const char16_t* Mask;
    const char16_t* Formatted; // at Sat, or LeapPm for time pictures
};

TEST(LocalePictureToMask, ConvertsPlatformPictures)
{
    const TFixedLocaleFormat english(EnglishUnitedStatesFormatSettings());
    const TPictureCase cases[] = {
        {u"M/d/yyyy", u"m/d/yyyy", u"2/3/2024"},
        {u"dddd, MMMM d, yyyy", u"dddd, mmmm d, yyyy", u"Saturday, February 3, 2024"},
        {u"h:mm:ss tt", u"h:nn:ss AMPM", u"1:07:00 PM"},
        {u"HH:mm", u"hh:nn", u"13:07"},
        {u"H.mm' Uhr'", u"h.nn 'Uhr'", u"13.07 Uhr"},
        {u"dddd, d' de 'MMMM' de 'yyyy", u"dddd, d 'de 'mmmm 'de 'yyyy", u"Saturday, 3 de February de 2024"},
        {u"h 'o''clock' t", u"h 'o'\"'\"'clock 'AMPM", u"1 o'clock PM"},
        {u"''h", u"\"'\"h", u"'13"},
        {u"yyyy\"MM\"dd", u"yyyy'\"'mm'\"'dd", u"2024\"02\"03"},
        {u"dd x MM", u"dd 'x 'mm", u"03 x 02"},
        {u"'unclosed dd", u"'unclosed dd'", u"unclosed dd"},
        {u"", u"", u""},
    };
    for (const TPictureCase& c : cases) {
        const String mask = LocalePictureToMask(c.Picture);
        EXPECT_EQ(mask, String(c.Mask)) << StringToUtf8(c.Picture);
        const bool time = String(c.Picture).find_first_of(u"hHt") != String::npos;
        if (*c.Picture) {
            EXPECT_EQ(FormatDateMask(mask, time ? LeapPm : Sat, english), String(c.Formatted))
                << StringToUtf8(c.Picture);
        }
    }
}

} // namespace
