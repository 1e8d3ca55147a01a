#pragma once
// Comparison of texts the way the user's locale sees them. On Windows this is the
// user's default locale with case ignored; elsewhere a simple case folding of the
// Latin, Greek and Cyrillic letters stands in (enough for tests and tools).

#include "foundation/Strings.h"

namespace quillora {

// True when the locale reports `a` and `b` equal with case ignored.
bool SameTextIgnoreCase(StringView a, StringView b);

} // namespace quillora
