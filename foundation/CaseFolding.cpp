// FoldCase: Unicode's simple case folding, from the runs of foundation/CaseFoldingData.inc.
#include <algorithm>
#include <cstdint>

#include "foundation/Strings.h"

namespace quillora {

namespace {

struct TCaseFoldRun {
    char32_t First;
    char32_t Last;
    int32_t Offset;
    uint8_t Step;
};

#include "foundation/CaseFoldingData.inc"

} // namespace

char32_t FoldCase(char32_t code)
{
    if (code < 0x80) return code >= U'A' && code <= U'Z' ? code + 32 : code;
    const auto* end = std::end(CaseFoldRuns);
    const auto* run = std::upper_bound(std::begin(CaseFoldRuns), end, code,
                                       [](char32_t c, const TCaseFoldRun& r) { return c < r.First; });
    if (run == std::begin(CaseFoldRuns)) return code;
    --run;
    if (code > run->Last || (code - run->First) % run->Step != 0) return code;
    return static_cast<char32_t>(static_cast<int32_t>(code) + run->Offset);
}

} // namespace quillora
