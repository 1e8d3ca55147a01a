#pragma once
// The date and time conventions of a locale (separators, short and long date and time
// formats, day and month names, morning and afternoon designators, the alternative
// calendar), as the date-and-time mask language uses them. The process-wide instance
// is the user's default locale, read once at first use; tests substitute a fixed one.

#include <array>

#include "foundation/Strings.h"

namespace quillora {

// A moment of the proleptic Gregorian calendar, in local time.
struct TDateTimeParts {
    int Year = 1899;
    int Month = 12;       // 1..12
    int Day = 30;         // 1..31
    int Hour = 0;         // 0..23
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;

    // 0 = Sunday .. 6 = Saturday (any year, month and day; out-of-range months and days
    // count on into the following months).
    int DayOfWeek() const;
    // Year 1..9999 and every other part within its range (the day within its month).
    bool IsValid() const;

    bool operator==(const TDateTimeParts&) const = default;
};

// The conventions of one locale. The formats are written in the mask language (the
// platform's own pictures are converted by LocalePictureToMask).
struct TLocaleFormatSettings {
    String DateSeparator;
    String TimeSeparator;
    String ShortDateFormat;
    String LongDateFormat;
    String ShortTimeFormat;
    String LongTimeFormat;
    String TimeAmString;
    String TimePmString;
    std::array<String, 12> ShortMonthNames;  // January first
    std::array<String, 12> LongMonthNames;
    std::array<String, 7> ShortDayNames;     // Sunday first
    std::array<String, 7> LongDayNames;
    // A single era letter gives a shortened era name (Japanese, Chinese (Taiwan)).
    bool ShortEraNames = false;
};

// The conventions of the user's default locale, provided as Service<ILocaleFormat>()
// (foundation/Service.h): the system's on Windows, English (United States) elsewhere.
class ILocaleFormat {
public:
    virtual ~ILocaleFormat() = default;
    virtual const TLocaleFormatSettings& Settings() const = 0;
    // `moment` formatted in the locale's alternative calendar by a platform date picture
    // ("yy", "yyyy" or "gg"); empty when the platform cannot format it.
    virtual String AltCalendarDate(const TDateTimeParts& moment, StringView picture) const = 0;
};

// Fixed conventions: the locale of platforms without a locale database and the
// stand-in of tests. Its alternative calendar is the Gregorian one with `eraName`.
class TFixedLocaleFormat : public ILocaleFormat {
public:
    explicit TFixedLocaleFormat(TLocaleFormatSettings settings, String eraName = u"A.D.")
        : settings_(std::move(settings)), eraName_(std::move(eraName)) {}

    const TLocaleFormatSettings& Settings() const override { return settings_; }
    String AltCalendarDate(const TDateTimeParts& moment, StringView picture) const override;

private:
    TLocaleFormatSettings settings_;
    String eraName_;
};

// The conventions of English (United States).
const TLocaleFormatSettings& EnglishUnitedStatesFormatSettings();

// A platform date or time picture (d, M, y, g for the date; h, H, m, s, t for the
// time; text in apostrophes, a doubled apostrophe for one apostrophe) written in the
// mask language: M becomes m, m becomes n, H becomes h, a run of t becomes AMPM, other
// letters and the quote characters are quoted. The separators / and : stay as they are
// and so stand for the locale's own separators.
String LocalePictureToMask(StringView picture);

} // namespace quillora
