#include "text/CharClasses.h"

#include <algorithm>
#include <iterator>

namespace quillora {

namespace {

struct TCharRange {
    int First;
    int Last;
};

#include "text/CharClassesData.inc"

template <size_t N>
bool InRanges(const TCharRange (&ranges)[N], int code)
{
    // The first range whose last code is not below `code`.
    const TCharRange* it =
        std::lower_bound(std::begin(ranges), std::end(ranges), code, [](const TCharRange& r, int c) { return r.Last < c; });
    return it != std::end(ranges) && it->First <= code;
}

} // namespace

bool IsLetterCode(int code)
{
    if (code < 0 || code > 0xFFFF) return false;
    if (code < 128) return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
    return InRanges(LetterRanges, code);
}

bool IsDigitCode(int code)
{
    if (code < 0 || code > 0xFFFF) return false;
    if (code < 128) return code >= '0' && code <= '9';
    return InRanges(DigitRanges, code);
}

bool IsWordCode(int code) { return code == '_' || IsLetterCode(code) || IsDigitCode(code); }

bool IsWhiteSpaceCode(int code)
{
    if (code < 0 || code > 0xFFFF) return false;
    if (code <= 255) return code == 32 || (code >= 9 && code <= 13) || code == 133 || code == 160;
    return InRanges(SeparatorRanges, code);
}

} // namespace quillora
