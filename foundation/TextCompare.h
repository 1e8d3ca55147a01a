#pragma once
// Comparison of user text the way the user's locale sees it, case ignored. On Windows
// this is the user's default locale; elsewhere the simple case folding of
// foundation/Strings.h (FoldCase) stands in, code point by code point, a surrogate pair
// as one and a lone surrogate matching only itself.

#include <cstddef>

#include "foundation/Strings.h"

namespace quillora {

// True when the locale reports `a` and `b` equal with case ignored.
bool SameTextIgnoreCase(StringView a, StringView b);

// True when the first length(`prefix`) units of `text` equal `prefix` with case ignored.
bool StartsWithIgnoreCase(StringView text, StringView prefix);

// The length in units of the longest common beginning of `a` and `b`, code point by code
// point, with case ignored as SameTextIgnoreCase ignores it.
size_t CommonPrefixIgnoreCase(StringView a, StringView b);

} // namespace quillora
