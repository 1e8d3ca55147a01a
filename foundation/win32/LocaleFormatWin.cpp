#include "foundation/win32/LocaleFormatWin.h"

#include "foundation/win32/WinInclude.h"

namespace quillora {

namespace {

const wchar_t* Wide(const String& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

String Info(const wchar_t* locale, LCTYPE type)
{
    const int size = GetLocaleInfoEx(locale, type, nullptr, 0);
    if (size <= 1) return {};
    String value(static_cast<size_t>(size), u'\0');
    const int written = GetLocaleInfoEx(locale, type, reinterpret_cast<wchar_t*>(value.data()), size);
    value.resize(written > 0 ? static_cast<size_t>(written - 1) : 0);
    return value;
}

DWORD InfoNumber(const wchar_t* locale, LCTYPE type)
{
    DWORD value = 0;
    if (GetLocaleInfoEx(locale, type | LOCALE_RETURN_NUMBER, reinterpret_cast<wchar_t*>(&value),
                        sizeof(value) / sizeof(wchar_t)) == 0)
        return 0;
    return value;
}

} // namespace

TWinLocaleFormat::TWinLocaleFormat(String localeName) : localeName_(std::move(localeName))
{
    const wchar_t* locale = LocaleName();
    TLocaleFormatSettings& s = settings_;
    s.DateSeparator = Info(locale, LOCALE_SDATE);
    s.TimeSeparator = Info(locale, LOCALE_STIME);
    s.ShortDateFormat = LocalePictureToMask(Info(locale, LOCALE_SSHORTDATE));
    s.LongDateFormat = LocalePictureToMask(Info(locale, LOCALE_SLONGDATE));
    s.ShortTimeFormat = LocalePictureToMask(Info(locale, LOCALE_SSHORTTIME));
    s.LongTimeFormat = LocalePictureToMask(Info(locale, LOCALE_STIMEFORMAT));
    s.TimeAmString = Info(locale, LOCALE_S1159);
    s.TimePmString = Info(locale, LOCALE_S2359);
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = Info(locale, LOCALE_SABBREVMONTHNAME1 + i);
        s.LongMonthNames[i] = Info(locale, LOCALE_SMONTHNAME1 + i);
    }
    // The platform's day names start on Monday (1) and end on Sunday (7).
    for (int i = 0; i < 7; ++i) {
        const int day = (i + 6) % 7;
        s.ShortDayNames[i] = Info(locale, LOCALE_SABBREVDAYNAME1 + day);
        s.LongDayNames[i] = Info(locale, LOCALE_SDAYNAME1 + day);
    }
    const LANGID language = static_cast<LANGID>(InfoNumber(locale, LOCALE_ILANGUAGE));
    s.ShortEraNames = PRIMARYLANGID(language) == LANG_JAPANESE ||
                      language == MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL);
}

const wchar_t* TWinLocaleFormat::LocaleName() const
{
    return localeName_.empty() ? LOCALE_NAME_USER_DEFAULT : Wide(localeName_);
}

String TWinLocaleFormat::AltCalendarDate(const TDateTimeParts& moment, StringView picture) const
{
    if (!moment.IsValid()) return {};
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(moment.Year);
    time.wMonth = static_cast<WORD>(moment.Month);
    time.wDay = static_cast<WORD>(moment.Day);
    time.wDayOfWeek = static_cast<WORD>(moment.DayOfWeek());
    time.wHour = static_cast<WORD>(moment.Hour);
    time.wMinute = static_cast<WORD>(moment.Minute);
    time.wSecond = static_cast<WORD>(moment.Second);
    time.wMilliseconds = static_cast<WORD>(moment.Millisecond);
    const String format(picture);
    wchar_t buffer[100];
    const int n = GetDateFormatEx(LocaleName(), DATE_USE_ALT_CALENDAR, &time, Wide(format), buffer,
                                  static_cast<int>(sizeof(buffer) / sizeof(buffer[0])), nullptr);
    if (n <= 1) return {};
    return String(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(n - 1));
}

} // namespace quillora
