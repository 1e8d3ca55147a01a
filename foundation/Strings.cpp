#include "foundation/Strings.h"

namespace quillora {

String Utf8ToString(std::string_view s)
{
    String out;
    out.reserve(s.size());
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        unsigned c = p[i];
        if (c < 0x80) {
            out.push_back(static_cast<Char>(c));
            ++i;
            continue;
        }
        int extra;
        uint32_t cp;
        uint32_t minimum;
        if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; minimum = 0x80; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; minimum = 0x800; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; minimum = 0x10000; }
        else { out.push_back(ReplacementCharacter); ++i; continue; }
        if (i + extra >= n) { // truncated sequence
            out.push_back(ReplacementCharacter);
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (!ok || cp < minimum || cp > MaxCodePoint || IsSurrogate(cp)) {
            out.push_back(ReplacementCharacter);
            ++i;
            continue;
        }
        i += extra + 1;
        AppendCodePoint(out, cp);
    }
    return out;
}

std::string StringToUtf8(StringView s)
{
    std::string out;
    out.reserve(s.size());
    const size_t n = s.size();
    for (size_t i = 0; i < n; i += CodePointLength(s, i)) {
        uint32_t cp = CodePointAt(s, i);
        if (IsSurrogate(cp)) cp = ReplacementCharacter; // a lone one
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

String AsciiToString(std::string_view ascii)
{
    String out(ascii.size(), u'\0');
    for (size_t i = 0; i < ascii.size(); ++i)
        out[i] = static_cast<unsigned char>(ascii[i]);
    return out;
}

String IntToString(long long value)
{
    return AsciiToString(std::to_string(value));
}

void AppendCodePoint(String& text, char32_t code)
{
    Char units[2];
    text.append(units, static_cast<size_t>(SplitCodePoint(code, units)));
}

Char AsciiUpper(Char c) { return (c >= u'a' && c <= u'z') ? static_cast<Char>(c - 32) : c; }
Char AsciiLower(Char c) { return (c >= u'A' && c <= u'Z') ? static_cast<Char>(c + 32) : c; }

String AsciiUpperCase(StringView text)
{
    String out(text);
    for (auto& c : out) c = AsciiUpper(c);
    return out;
}

String AsciiLowerCase(StringView text)
{
    String out(text);
    for (auto& c : out) c = AsciiLower(c);
    return out;
}

bool SameTextAscii(StringView a, StringView b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

} // namespace quillora
