// The comparisons built on SameTextIgnoreCase, and its portable stand-in; the Windows
// build has win32/TextCompareWin.cpp for the locale's comparison.
#include "foundation/TextCompare.h"

namespace quillora {

bool StartsWithIgnoreCase(StringView text, StringView prefix)
{
    return text.size() >= prefix.size() && SameTextIgnoreCase(text.substr(0, prefix.size()), prefix);
}

size_t CommonPrefixIgnoreCase(StringView a, StringView b) { return CommonPrefixLength(a, b, SameTextIgnoreCase); }

#ifndef _WIN32

bool SameTextIgnoreCase(StringView a, StringView b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i += CodePointLength(a, i)) {
        if (CodePointLength(a, i) != CodePointLength(b, i)) return false;
        if (FoldCase(CodePointAt(a, i)) != FoldCase(CodePointAt(b, i))) return false;
    }
    return true;
}

#endif

} // namespace quillora
