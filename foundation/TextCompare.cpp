// The portable stand-in; the Windows build has win32/TextCompareWin.cpp instead.
#include "foundation/TextCompare.h"

#ifndef _WIN32

namespace quillora {

namespace {
Char FoldCase(Char c)
{
    if (c >= u'A' && c <= u'Z') return static_cast<Char>(c + 32);
    if (c < 0x80) return c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<Char>(c + 32);
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A pairs: even upper, odd lower, except the stretch 0x139..0x148
        // and 0x179..0x17E where the upper letter is odd.
        bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        bool upper = oddUpper ? (c & 1) : !(c & 1);
        return upper ? static_cast<Char>(c + 1) : c;
    }
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<Char>(c + 32);
    if (c >= 0x410 && c <= 0x42F) return static_cast<Char>(c + 32);
    if (c >= 0x400 && c <= 0x40F) return static_cast<Char>(c + 80);
    return c;
}
} // namespace

bool SameTextIgnoreCase(StringView a, StringView b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

} // namespace quillora

#endif
