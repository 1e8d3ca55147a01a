#pragma once
// Byte encodings of the files the system reads and writes.

#include <string>
#include <string_view>

#include "foundation/Strings.h"

namespace quillora {

enum class TTextEncoding {
    Ansi,     // the platform's default ANSI code page, no byte-order mark
    Utf8,     // with the mark EF BB BF
    Utf16LE,  // with the mark FF FE
    Utf16BE,  // with the mark FE FF
};

// Decodes bytes by their byte-order mark (dropped); without one, as ANSI.
String DecodeText(std::string_view bytes);
// The encoding's byte-order mark followed by the encoded text.
std::string EncodeText(StringView text, TTextEncoding encoding);

// By the provided ANSI code page (Service<TAnsiCodePage>(), foundation/AnsiCodePage.h).
String DecodeAnsi(std::string_view bytes);
std::string EncodeAnsi(StringView text);

// Windows-1252, the code page that stands for the ANSI code page where the platform has none.
String DecodeCp1252(std::string_view bytes);
std::string EncodeCp1252(StringView text);

} // namespace quillora
