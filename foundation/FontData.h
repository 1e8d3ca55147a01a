#pragma once
// The platform-neutral description of a font that settings and knots read and write.

#include <cstdint>

#include "foundation/Colors.h"
#include "foundation/Strings.h"

namespace quillora {

enum TFontStyle : uint8_t {
    fsBold = 0x01,
    fsItalic = 0x02,
    fsUnderline = 0x04,
    fsStrikeOut = 0x08,
};
using TFontStyles = uint8_t; // a set of TFontStyle bits

using TFontCharset = uint8_t;
constexpr TFontCharset DefaultCharset = 1;

struct TFontData {
    String Name = u"Tahoma";
    int Size = 8; // points
    TColor Color = clWindowText;
    TFontStyles Style = 0;
    TFontCharset Charset = DefaultCharset;

    bool operator==(const TFontData&) const = default;
};

// The platform's standard character-set identifiers ("ANSI_CHARSET", "DEFAULT_CHARSET", ...).
struct TCharsetIdent {
    TFontCharset Value;
    const char* Name;
};
inline constexpr TCharsetIdent CharsetIdents[] = {
    {0, "ANSI_CHARSET"},
    {1, "DEFAULT_CHARSET"},
    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},
    {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},
    {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},
    {162, "TURKISH_CHARSET"},
    {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},
    {178, "ARABIC_CHARSET"},
    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},
    {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};

// The identifier of a character set; false when it has none.
inline bool CharsetToIdent(TFontCharset charset, String& ident)
{
    for (const auto& c : CharsetIdents)
        if (c.Value == charset) {
            ident = AsciiToString(c.Name);
            return true;
        }
    return false;
}

// An identifier (compared ignoring ASCII case) to its character set; false when unknown.
inline bool IdentToCharset(StringView ident, TFontCharset& charset)
{
    for (const auto& c : CharsetIdents)
        if (SameTextAscii(ident, AsciiToString(c.Name))) {
            charset = c.Value;
            return true;
        }
    return false;
}

} // namespace quillora
