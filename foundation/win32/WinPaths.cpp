#include "foundation/win32/WinPaths.h"

#include <vector>

namespace quillora {

String ModuleFileName()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return FromWide(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

String SystemErrorText(DWORD error)
{
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    String out = n && text ? FromWide(text, n) : String();
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == u'\r' || out.back() == u'\n' || out.back() == u' ')) out.pop_back();
    if (out.empty()) out = u"System error " + IntToString(static_cast<long long>(error));
    return out;
}

} // namespace quillora
