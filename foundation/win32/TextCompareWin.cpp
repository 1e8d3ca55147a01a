// Locale comparison through the user's default locale.
#include "foundation/win32/WinInclude.h"

#include "foundation/TextCompare.h"

namespace quillora {

bool SameTextIgnoreCase(StringView a, StringView b)
{
    if (a.empty() || b.empty()) return a.size() == b.size();
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(a.data()),
                          static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

} // namespace quillora
