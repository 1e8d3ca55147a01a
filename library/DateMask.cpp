#include "library/DateMask.h"

#include "foundation/Service.h"

namespace quillora {

namespace {

bool IsAsciiLetter(Char c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

bool IsQuote(Char c) { return c == u'\'' || c == u'"'; }

// Whether `text` holds `pattern` (capital ASCII letters and punctuation) at `pos`,
// letters compared without regard to case.
bool MatchesAt(StringView text, size_t pos, StringView pattern)
{
    if (text.size() - pos < pattern.size()) return false;
    for (size_t k = 0; k < pattern.size(); ++k)
        if (AsciiUpper(text[pos + k]) != pattern[k]) return false;
    return true;
}

bool StartsMeridiem(StringView mask, size_t pos)
{
    return MatchesAt(mask, pos, u"AM/PM") || MatchesAt(mask, pos, u"A/P") || MatchesAt(mask, pos, u"AMPM");
}

// The end of the quoted text that starts at `pos` (past its closing quote), or the end
// of the mask when the quote has no partner.
size_t QuotedEnd(StringView mask, size_t pos)
{
    const size_t close = mask.find(mask[pos], pos + 1);
    return close == StringView::npos ? mask.size() : close + 1;
}

String Padded(long long value, size_t digits)
{
    const bool negative = value < 0;
    String text = IntToString(negative ? -value : value);
    if (text.size() < digits) text.insert(0, digits - text.size(), u'0');
    if (negative) text.insert(0, 1, u'-');
    return text;
}

template <size_t N>
const String& Name(const std::array<String, N>& names, int index)
{
    static const String none;
    return index >= 0 && static_cast<size_t>(index) < N ? names[index] : none;
}

class TDateMaskFormatter {
public:
    TDateMaskFormatter(const TDateTimeParts& moment, const ILocaleFormat& locale)
        : moment_(moment), locale_(locale), settings_(locale.Settings())
    {
    }

    // Appends `mask` formatted; `nested` for a locale format inside a composite.
    void Append(String& out, StringView mask, bool nested) const
    {
        if (mask.empty()) mask = u"c";
        const size_t n = mask.size();
        Char lastLetter = 0;
        bool meridiemDone = false;
        size_t i = 0;
        while (i < n) {
            const Char c = mask[i];
            if (IsQuote(c)) {
                const size_t close = mask.find(c, i + 1);
                const size_t textEnd = close == StringView::npos ? n : close;
                out.append(mask.substr(i + 1, textEnd - (i + 1)));
                i = close == StringView::npos ? n : close + 1;
                continue;
            }
            if (c == u'/') {
                out += settings_.DateSeparator;
                ++i;
                continue;
            }
            if (c == u':') {
                out += settings_.TimeSeparator;
                ++i;
                continue;
            }
            if (!IsAsciiLetter(c)) {
                out += c;
                ++i;
                continue;
            }
            const Char letter = AsciiUpper(c);
            size_t run = 1;
            while (i + run < n && mask[i + run] == c) ++run;
            switch (letter) {
            case u'D':
                if (run <= 2)
                    AppendNumber(out, moment_.Day, run);
                else if (run == 3)
                    out += Name(settings_.ShortDayNames, moment_.DayOfWeek());
                else if (run == 4)
                    out += Name(settings_.LongDayNames, moment_.DayOfWeek());
                else if (!nested)
                    Append(out, run == 5 ? settings_.ShortDateFormat : settings_.LongDateFormat, true);
                break;
            case u'M':
                if (lastLetter == u'H')
                    AppendNumber(out, moment_.Minute, run);
                else if (run <= 2)
                    AppendNumber(out, moment_.Month, run);
                else
                    out += Name(run == 3 ? settings_.ShortMonthNames : settings_.LongMonthNames, moment_.Month - 1);
                break;
            case u'Y':
                out += run <= 2 ? Padded(((moment_.Year % 100) + 100) % 100, 2) : Padded(moment_.Year, 4);
                break;
            case u'H': {
                int hour = moment_.Hour;
                if (meridiemDone || MeridiemAhead(mask, i + run)) {
                    hour %= 12;
                    if (hour == 0) hour = 12;
                }
                AppendNumber(out, hour, run);
                break;
            }
            case u'N': AppendNumber(out, moment_.Minute, run); break;
            case u'S': AppendNumber(out, moment_.Second, run); break;
            case u'Z': out += Padded(moment_.Millisecond, run > 3 ? 3 : run); break;
            case u'T':
                if (!nested) Append(out, run == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, true);
                break;
            case u'C':
                if (!nested) {
                    Append(out, settings_.ShortDateFormat, true);
                    if (moment_.Hour || moment_.Minute || moment_.Second || moment_.Millisecond) {
                        out += u' ';
                        Append(out, settings_.LongTimeFormat, true);
                    }
                }
                break;
            case u'A':
                run = AppendA(out, mask, i, meridiemDone);
                break;
            case u'E': {
                String year = locale_.AltCalendarDate(moment_, run <= 2 ? u"yy" : u"yyyy");
                if (run == 1 && year.size() > 1 && year[0] == u'0') year.erase(0, 1);
                out += year;
                break;
            }
            case u'G': {
                String era = locale_.AltCalendarDate(moment_, u"gg");
                if (run == 1 && settings_.ShortEraNames && !era.empty()) {
                    era.resize(CodePointLength(era, 0));
                }
                out += era;
                break;
            }
            default:
                out.append(mask.substr(i, run));
                break;
            }
            lastLetter = letter;
            i += run;
        }
    }

private:
    static void AppendNumber(String& out, int value, size_t run) { out += Padded(value, run >= 2 ? 2 : run); }

    // Whether, from `pos` on, the first a outside quoted text begins a morning/afternoon
    // specifier before any h.
    static bool MeridiemAhead(StringView mask, size_t pos)
    {
        while (pos < mask.size()) {
            const Char c = mask[pos];
            if (IsQuote(c)) {
                pos = QuotedEnd(mask, pos);
                continue;
            }
            if (c == u'h' || c == u'H') return false;
            if (c == u'a' || c == u'A') return StartsMeridiem(mask, pos);
            ++pos;
        }
        return false;
    }

    // The specifiers that start with an a at `pos`; returns the characters read.
    size_t AppendA(String& out, StringView mask, size_t pos, bool& meridiemDone) const
    {
        const bool morning = moment_.Hour < 12;
        if (MatchesAt(mask, pos, u"AM/PM")) {
            out.append(mask.substr(morning ? pos : pos + 3, 2));
            meridiemDone = true;
            return 5;
        }
        if (MatchesAt(mask, pos, u"A/P")) {
            out += mask[morning ? pos : pos + 2];
            meridiemDone = true;
            return 3;
        }
        if (MatchesAt(mask, pos, u"AMPM")) {
            out += morning ? settings_.TimeAmString : settings_.TimePmString;
            meridiemDone = true;
            return 4;
        }
        // The day names take a run of one letter in one case, like every other specifier.
        size_t run = 1;
        while (pos + run < mask.size() && run < 4 && mask[pos + run] == mask[pos]) ++run;
        if (run == 4) {
            out += Name(settings_.LongDayNames, moment_.DayOfWeek());
            return 4;
        }
        if (run == 3) {
            out += Name(settings_.ShortDayNames, moment_.DayOfWeek());
            return 3;
        }
        out += mask[pos];
        return 1;
    }

    const TDateTimeParts& moment_;
    const ILocaleFormat& locale_;
    const TLocaleFormatSettings& settings_;
};

} // namespace

String FormatDateMask(StringView mask, const TDateTimeParts& moment, const ILocaleFormat& locale)
{
    String out;
    TDateMaskFormatter(moment, locale).Append(out, mask, false);
    return out;
}

String FormatDateMask(StringView mask, const TDateTimeParts& moment)
{
    return FormatDateMask(mask, moment, Service<ILocaleFormat>());
}

const std::array<StringView, 9>& DateMaskPresets()
{
    static constexpr std::array<StringView, 9> presets = {
        u"yyyy.mm.dd", u"yyyy.mm.dd hh:nn", u"yyyy.mm.dd hh:nn:ss", u"dd.mm.yy",           u"dd.mm.yy hh:nn",
        u"dd.mm.yy hh:nn:ss", u"dd.mm.yyyy",  u"dd.mm.yyyy hh:nn",    u"dd.mm.yyyy hh:nn:ss",
    };
    return presets;
}

} // namespace quillora
