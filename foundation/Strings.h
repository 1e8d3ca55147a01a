#pragma once
// UTF-16 strings and the conversions the core needs at its edges.

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

// Case folding of the ASCII letters only (file formats compare names this way).
Char AsciiUpper(Char c);
Char AsciiLower(Char c);
String AsciiUpperCase(StringView text);
String AsciiLowerCase(StringView text);
bool SameTextAscii(StringView a, StringView b);

} // namespace quillora
