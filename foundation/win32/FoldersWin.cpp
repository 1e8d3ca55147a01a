// The program's and the user's temporary folders, and environment references in paths.
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

String ExpandEnvironmentVariables(const String& text)
{
    if (text.empty()) return text;
    std::vector<wchar_t> buffer(text.size() + 256);
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD n = ExpandEnvironmentStringsW(WidePtr(text), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return text;
        if (n <= buffer.size()) return FromWide(buffer.data(), n - 1); // n counts the terminator
        buffer.resize(n);
    }
    return text;
}

} // namespace quillora
