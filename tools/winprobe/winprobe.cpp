// winprobe: a small console helper that end-to-end tests run under Wine to look at
// and steer windows of other processes.
//   winprobe wait-window CLASS [TIMEOUT_MS]   exit 0 once a top-level window of CLASS exists
//   winprobe wait-gone CLASS [TIMEOUT_MS]     exit 0 once no such window exists
//   winprobe close CLASS                      posts WM_CLOSE to it
//   winprobe post CLASS MSG                   posts message MSG (decimal or 0x hex)
//   winprobe title CLASS                      prints its caption as UTF-8
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void PrintUtf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
}

bool WaitFor(const wchar_t* cls, bool present, DWORD timeout)
{
    DWORD start = GetTickCount();
    for (;;) {
        bool found = FindWindowW(cls, nullptr) != nullptr;
        if (found == present) return true;
        if (GetTickCount() - start > timeout) return false;
        Sleep(50);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fputs("usage: winprobe wait-window|wait-gone|close|post|title CLASS ...\n", stderr);
        return 2;
    }
    std::wstring cmd = argv[1];
    const wchar_t* cls = argv[2];
    DWORD timeout = argc > 3 ? static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 0)) : 10000;
    if (cmd == L"wait-window") return WaitFor(cls, true, timeout) ? 0 : 1;
    if (cmd == L"wait-gone") return WaitFor(cls, false, timeout) ? 0 : 1;
    HWND hwnd = FindWindowW(cls, nullptr);
    if (!hwnd) {
        std::fputs("winprobe: window not found\n", stderr);
        return 1;
    }
    if (cmd == L"close") return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == L"post" && argc > 3) {
        UINT msg = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        return PostMessageW(hwnd, msg, 0, 0) ? 0 : 1;
    }
    if (cmd == L"title") {
        wchar_t buf[512];
        int n = GetWindowTextW(hwnd, buf, 512);
        PrintUtf8(std::wstring(buf, static_cast<size_t>(n)));
        return 0;
    }
    std::fputs("winprobe: unknown command\n", stderr);
    return 2;
}
