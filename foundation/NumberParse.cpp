#include "foundation/NumberParse.h"

namespace quillora {

bool TryParseInt32(StringView text, int32_t& value)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && text[i] == u' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return false;
    uint64_t magnitude = 0;
    if (hex) {
        for (; i < n; ++i) {
            int d = HexDigitValue(text[i]);
            if (d < 0) return false;
            magnitude = magnitude * 16 + static_cast<uint64_t>(d);
            if (magnitude > 0xFFFFFFFFull) return false;
        }
        uint32_t bits = static_cast<uint32_t>(magnitude);
        if (negative) bits = 0u - bits;
        value = static_cast<int32_t>(bits);
        return true;
    }
    for (; i < n; ++i) {
        Char c = text[i];
        if (c < u'0' || c > u'9') return false;
        magnitude = magnitude * 10 + static_cast<uint64_t>(c - u'0');
        if (magnitude > 0x80000000ull) return false;
    }
    if (!negative && magnitude > 0x7FFFFFFFull) return false;
    value = negative ? static_cast<int32_t>(0 - magnitude) : static_cast<int32_t>(magnitude);
    return true;
}

} // namespace quillora
