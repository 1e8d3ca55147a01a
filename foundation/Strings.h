#pragma once
// UTF-16 strings: conversions at the core's edges, code points and surrogate pairs, and the
// two rules of letter case.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillora {

using String = std::u16string;
using StringView = std::u16string_view;
using Char = char16_t;

// UTF-8 <-> UTF-16. Invalid UTF-8 sequences decode to U+FFFD; lone surrogates
// encode as U+FFFD.
String Utf8ToString(std::string_view utf8);
std::string StringToUtf8(StringView text);

// ASCII-only convenience for literals and numbers (every byte taken as a code unit).
String AsciiToString(std::string_view ascii);

String IntToString(long long value);

// ---- code points ----
// A code point above U+FFFF is a surrogate pair: a lead (high) surrogate followed by a
// trail (low) one. A surrogate without its partner (a lone surrogate) counts as one code
// point of its own, so that these helpers never lose text or cut a pair in two.

constexpr char32_t MaxCodePoint = 0x10FFFF;
constexpr Char ReplacementCharacter = u'\xFFFD';

constexpr bool IsLeadSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsTrailSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The code point of a lead and a trail surrogate.
constexpr char32_t CombineSurrogates(Char lead, Char trail)
{
    return 0x10000 + ((static_cast<char32_t>(lead) - 0xD800) << 10) + (static_cast<char32_t>(trail) - 0xDC00);
}

// A code point as UTF-16 units: `units` gets one (up to U+FFFF) or two (a pair); returns
// how many. A value above MaxCodePoint becomes U+FFFD.
constexpr int SplitCodePoint(char32_t code, Char units[2])
{
    if (code > MaxCodePoint) code = ReplacementCharacter;
    if (code < 0x10000) {
        units[0] = static_cast<Char>(code);
        return 1;
    }
    code -= 0x10000;
    units[0] = static_cast<Char>(0xD800 + (code >> 10));
    units[1] = static_cast<Char>(0xDC00 + (code & 0x3FF));
    return 2;
}

// Appends a code point as UTF-16.
void AppendCodePoint(String& text, char32_t code);

// The units of the code point that starts at `index`: 2 for a surrogate pair, 1 for
// anything else, 0 at or past the end.
constexpr size_t CodePointLength(StringView text, size_t index)
{
    if (index >= text.size()) return 0;
    return IsLeadSurrogate(text[index]) && index + 1 < text.size() && IsTrailSurrogate(text[index + 1]) ? 2 : 1;
}

// The units of the code point that ends just before `index` (a step back over it): 2 for
// a surrogate pair, 1 for anything else, 0 at the start.
constexpr size_t CodePointLengthBefore(StringView text, size_t index)
{
    if (index == 0 || index > text.size()) return 0;
    return index >= 2 && IsTrailSurrogate(text[index - 1]) && IsLeadSurrogate(text[index - 2]) ? 2 : 1;
}

// The code point that starts at `index` < size (a lone surrogate is itself).
constexpr char32_t CodePointAt(StringView text, size_t index)
{
    return CodePointLength(text, index) == 2 ? CombineSurrogates(text[index], text[index + 1]) : text[index];
}

// The length in units of the longest common beginning of `a` and `b` that ends on a
// code point boundary (a shared lead surrogate of two different pairs is not shared),
// code points compared with `same` (of two views of one code point each).
template <class TSame>
size_t CommonPrefixLength(StringView a, StringView b, TSame&& same)
{
    size_t n = 0;
    while (n < a.size() && n < b.size()) {
        const size_t length = CodePointLength(a, n);
        if (length != CodePointLength(b, n) || !same(a.substr(n, length), b.substr(n, length))) break;
        n += length;
    }
    return n;
}

// The same with code points compared exactly.
inline size_t CommonPrefixLength(StringView a, StringView b)
{
    return CommonPrefixLength(a, b, [](StringView x, StringView y) { return x == y; });
}

// ---- letter case: two rules ----
// User text (snippets, list items, key names) folds with FoldCase: Unicode's simple case
// folding, one code point to one, the same in every language. Letters of every script and
// plane fold to their small forms, and a folding never leaves its plane, so a folded text
// has the length of the text. What would need more than one code point is left alone:
// the sharp s U+00DF stays itself and does not match "ss" (its capital U+1E9E folds to
// it), the capital I with dot U+0130 stays itself, and the dotless i U+0131 is not the
// small form of "I". The user's locale, where the platform has one, compares user text
// instead (foundation/TextCompare.h).
//
// Names in file formats and keywords (setting values, colour and font style names, file
// extensions, link schemes, date-mask letters) fold only the ASCII letters: they must
// match the same way whatever the user's language (in a Turkish locale "FILE" and "file"
// would differ), and nothing beyond ASCII is ever a keyword.

// The simple case folding of a code point (surrogates and unassigned code points fold to
// themselves).
char32_t FoldCase(char32_t code);

Char AsciiUpper(Char c);
Char AsciiLower(Char c);
String AsciiUpperCase(StringView text);
String AsciiLowerCase(StringView text);
bool SameTextAscii(StringView a, StringView b);

} // namespace quillora
