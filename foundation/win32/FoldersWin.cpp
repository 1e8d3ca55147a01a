// The program's and the user's temporary folders.
#include <vector>

#include "foundation/Utils.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

String GetProgramFolder()
{
    String path = ModuleFileName();
    size_t slash = path.find_last_of(u"\\/");
    return slash == String::npos ? String() : path.substr(0, slash + 1);
}

String GetTempFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    DWORD n = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n > buffer.size()) {
        buffer.resize(n);
        n = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    }
    if (n == 0 || n > buffer.size()) return {};
    // The long form of a short (8.3) name, so that names built on it read as the user sees them.
    DWORD m = GetLongPathNameW(buffer.data(), nullptr, 0);
    if (m > 0) {
        std::vector<wchar_t> longer(m);
        DWORD k = GetLongPathNameW(buffer.data(), longer.data(), m);
        if (k > 0 && k < m) return IncludeTrailingPathDelimiter(FromWide(longer.data(), k));
    }
    return IncludeTrailingPathDelimiter(FromWide(buffer.data(), n));
}

} // namespace quillora
