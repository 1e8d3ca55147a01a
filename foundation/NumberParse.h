#pragma once
// Integer parsing by the rules of the platform's number conversion: optional leading
// spaces, an optional sign, then decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X"; nothing may follow the digits.

#include <cstdint>

#include "foundation/Strings.h"

namespace quillora {

// False when `text` is not a number or does not fit: a decimal number must lie in the
// 32-bit signed range; hexadecimal digits may use all 32 bits ("$FFFFFFFF" is -1).
bool TryParseInt32(StringView text, int32_t& value);

// The value of a hexadecimal digit (either case), or -1.
inline int HexDigitValue(Char c)
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

} // namespace quillora
