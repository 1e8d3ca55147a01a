#include "foundation/LocaleFormat.h"

namespace quillora {

namespace {

// Days since 1970-01-01 of a day of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, long long m, long long d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

String Padded(long long value, size_t digits)
{
    String text = IntToString(value);
    if (text.size() < digits) text.insert(0, digits - text.size(), u'0');
    return text;
}

bool NeedsQuotes(Char c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

int TDateTimeParts::DayOfWeek() const
{
    // Months outside 1..12 carry into the year; days outside the month count on.
    long long y = Year;
    long long m = Month - 1;
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12 + 1;
    const long long days = DaysFromCivil(y, m, 1) + (static_cast<long long>(Day) - 1);
    return static_cast<int>(((days + 4) % 7 + 7) % 7); // 1970-01-01 was a Thursday
}

bool TDateTimeParts::IsValid() const
{
    return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 && Day <= DaysInMonth(Year, Month) &&
           Hour >= 0 && Hour <= 23 && Minute >= 0 && Minute <= 59 && Second >= 0 && Second <= 59 &&
           Millisecond >= 0 && Millisecond <= 999;
}

String TFixedLocaleFormat::AltCalendarDate(const TDateTimeParts& moment, StringView picture) const
{
    if (picture == u"yy") return Padded(((moment.Year % 100) + 100) % 100, 2);
    if (picture == u"yyyy") return Padded(moment.Year, 4);
    if (picture == u"gg") return eraName_;
    return {};
}

const TLocaleFormatSettings& EnglishUnitedStatesFormatSettings()
{
    static const TLocaleFormatSettings settings = [] {
        TLocaleFormatSettings s;
        s.DateSeparator = u"/";
        s.TimeSeparator = u":";
        s.ShortDateFormat = u"m/d/yyyy";
        s.LongDateFormat = u"dddd, mmmm d, yyyy";
        s.ShortTimeFormat = u"h:nn AMPM";
        s.LongTimeFormat = u"h:nn:ss AMPM";
        s.TimeAmString = u"AM";
        s.TimePmString = u"PM";
        s.ShortMonthNames = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                             u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
        s.LongMonthNames = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                            u"July",    u"August",   u"September", u"October", u"November", u"December"};
        s.ShortDayNames = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
        s.LongDayNames = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
        return s;
    }();
    return settings;
}

String LocalePictureToMask(StringView picture)
{
    String out;
    String quoted; // literal characters waiting for their apostrophes
    auto flush = [&] {
        if (quoted.empty()) return;
        out += u'\'';
        out += quoted;
        out += u'\'';
        quoted.clear();
    };
    auto literal = [&](Char c) {
        if (c == u'\'') {
            flush();
            out += u"\"'\"";
        } else if (c == u'"') {
            flush();
            out += u"'\"'";
        } else if (NeedsQuotes(c) || !quoted.empty()) {
            quoted += c;
        } else {
            out += c;
        }
    };

    const size_t n = picture.size();
    size_t i = 0;
    while (i < n) {
        const Char c = picture[i];
        if (c == u'\'') {
            if (i + 1 < n && picture[i + 1] == u'\'') { // '' outside quotes: one apostrophe
                literal(u'\'');
                i += 2;
                continue;
            }
            ++i;
            while (i < n) {
                if (picture[i] == u'\'') {
                    if (i + 1 < n && picture[i + 1] == u'\'') {
                        literal(u'\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                literal(picture[i++]);
            }
            continue;
        }
        Char letter = 0;
        switch (c) {
        case u'd': case u'y': case u'g': case u'h': case u's': letter = c; break;
        case u'M': letter = u'm'; break;
        case u'H': letter = u'h'; break;
        case u'm': letter = u'n'; break;
        case u't': letter = u't'; break;
        default: break;
        }
        if (!letter) {
            literal(c);
            ++i;
            continue;
        }
        size_t run = 1;
        while (i + run < n && picture[i + run] == c) ++run;
        flush();
        if (letter == u't')
            out += u"AMPM";
        else
            out.append(run, letter);
        i += run;
    }
    flush();
    return out;
}

} // namespace quillora
