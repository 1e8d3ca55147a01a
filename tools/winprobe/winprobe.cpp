// winprobe: a small console helper that end-to-end tests run under Wine to look at
// and steer windows of other processes.
//   winprobe wait-window CLASS [TIMEOUT_MS]   exit 0 once a top-level window of CLASS exists
//   winprobe wait-gone CLASS [TIMEOUT_MS]     exit 0 once no such window exists
//   winprobe close CLASS                      posts WM_CLOSE to it
//   winprobe post CLASS MSG [WPARAM]          posts message MSG (decimal or 0x hex)
//   winprobe title CLASS                      prints its caption as UTF-8
//   winprobe text CLASS                       prints the text of its first Edit child (or
//                                             its own) as UTF-8, line breaks as "\n"
//   winprobe wait-visible CLASS [TIMEOUT_MS]  exit 0 once such a window is visible
//   winprobe wait-hidden CLASS [TIMEOUT_MS]   exit 0 once no such window is visible
//   winprobe wait-text CLASS FILE [TIMEOUT_MS] exit 0 once the text equals the UTF-8
//                                             content of FILE (one final "\n" ignored);
//                                             otherwise prints the text last seen
//   winprobe foreground CLASS                 exit 0 when such a window is in front
//   winprobe activate CLASS                   brings it to the front
//   winprobe rect CLASS                       prints its screen rectangle "L T R B"
//   winprobe clear CLASS                      empties the text of its first Edit child
//   winprobe showstate CLASS                  prints "hidden", "minimized", "maximized"
//                                             or "normal"
//   winprobe listcount CLASS                  prints the item count of its first ListBox (or list window)
//                                             child (Quillora's main window: its snippets)
//   winprobe time-typing CLASS FILE HOW [INTERVAL] [TIMEOUT_MS]
//                                             starts typing the UTF-8 content of FILE
//                                             into the first Edit child of CLASS and
//                                             times it: HOW "enter" presses Enter (the
//                                             program's list types it), "sendinput"
//                                             sends it in one SendInput call as the
//                                             program's records (layout keys, else
//                                             Unicode), "wmchar" sends one WM_CHAR per
//                                             unit with INTERVAL ms after each. Prints
//                                             "first MS full MS" (milliseconds to the
//                                             first character and to the whole text)
//   winprobe childrect CLASS CHILDCLASS       prints the screen rectangle "L T R B" of its
//                                             visible child window of CHILDCLASS; exit 1
//                                             when there is none or it is hidden
//   winprobe menus CLASS                      prints the captions of the menu bar of a
//                                             Quillora window, a line each (menus of
//                                             another process cannot be read under Wine:
//                                             the window hands each caption over as a
//                                             global atom, "QuilloraMenuCaption")
//   winprobe texts CLASS                      prints the text of each of its child
//                                             windows that has one, a line each (the
//                                             message of a message box)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

namespace {

void PrintUtf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fputc('\n', stdout);
}

std::wstring EditText(HWND hwnd)
{
    HWND edit = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
    if (!edit) edit = hwnd;
    LRESULT length = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT n = SendMessageW(edit, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        out += text[i];
    }
    return out;
}

bool WaitVisible(const wchar_t* cls, bool visible, DWORD timeout)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = FindWindowW(cls, nullptr);
        bool shown = hwnd && IsWindowVisible(hwnd);
        if (shown == visible) return true;
        if (GetTickCount() - start > timeout) return false;
        Sleep(20);
    }
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

std::wstring ReadUtf8File(const wchar_t* path, bool& ok)
{
    std::wstring text;
    ok = false;
    FILE* f = _wfopen(path, L"rb");
    if (!f) return text;
    std::string bytes;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
    if (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
    int m = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    text.resize(static_cast<size_t>(m));
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), m);
    ok = true;
    return text;
}

void AddKey(std::vector<INPUT>& inputs, WORD vk, WORD scan, DWORD flags)
{
    INPUT in {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = scan;
    in.ki.dwFlags = flags;
    inputs.push_back(in);
}

int TimeTyping(HWND hwnd, const std::wstring& text, const std::wstring& how, DWORD interval, DWORD timeout)
{
    HWND edit = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
    if (!edit) edit = hwnd;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    auto elapsed = [&] {
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    };
    const size_t base = static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
    double first = -1;
    auto poll = [&] {
        const size_t length = static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
        if (first < 0 && length > base) first = elapsed();
        return length;
    };
    if (how != L"enter" && how != L"sendinput" && how != L"wmchar") return 2;
    // The input goes out from a thread of its own while this one watches the text, so
    // the first character is seen when it arrives, also while a long SendInput call or
    // the character messages are still under way.
    auto send = [&] {
        if (how == L"enter") {
            std::vector<INPUT> inputs;
            AddKey(inputs, VK_RETURN, static_cast<WORD>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)), 0);
            AddKey(inputs, VK_RETURN, static_cast<WORD>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP);
            SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        } else if (how == L"sendinput") {
            std::vector<INPUT> inputs;
            for (wchar_t unit : text) {
                const SHORT scan = (unit >= 0xD800 && unit <= 0xDFFF) ? -1 : VkKeyScanW(unit);
                const WORD vk = static_cast<WORD>(scan & 0xFF);
                if (scan == -1 || (scan & 0xFE00) != 0) {
                    AddKey(inputs, 0, unit, KEYEVENTF_UNICODE);
                    AddKey(inputs, 0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
                    continue;
                }
                const WORD shiftScan = static_cast<WORD>(MapVirtualKeyW(VK_SHIFT, MAPVK_VK_TO_VSC));
                const WORD keyScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
                if (scan & 0x100) AddKey(inputs, VK_SHIFT, shiftScan, 0);
                AddKey(inputs, vk, keyScan, 0);
                AddKey(inputs, vk, keyScan, KEYEVENTF_KEYUP);
                if (scan & 0x100) AddKey(inputs, VK_SHIFT, shiftScan, KEYEVENTF_KEYUP);
            }
            SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        } else {
            for (wchar_t unit : text) {
                SendMessageW(edit, WM_CHAR, unit, 0);
                Sleep(interval);
            }
        }
    };
    QueryPerformanceCounter(&start);
    std::thread sender(send);
    for (;;) {
        if (poll() >= base + text.size()) break;
        if (elapsed() > timeout) {
            // The sender may be stuck in the target: not waited for.
            std::printf("first %.1f full timeout\n", first);
            std::fflush(stdout);
            ExitProcess(1);
        }
        Sleep(1);
    }
    const double full = elapsed();
    sender.join();
    std::printf("first %.1f full %.1f\n", first, full);
    return 0;
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
    if (cmd == L"wait-visible") return WaitVisible(cls, true, timeout) ? 0 : 1;
    if (cmd == L"wait-hidden") return WaitVisible(cls, false, timeout) ? 0 : 1;
    if (cmd == L"wait-text" && argc > 3) {
        std::wstring expected;
        if (FILE* f = _wfopen(argv[3], L"rb")) {
            std::string bytes;
            char buf[4096];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
            std::fclose(f);
            if (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
            int m = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
            expected.resize(static_cast<size_t>(m));
            MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), expected.data(), m);
        } else {
            std::fputs("winprobe: cannot read the expected text\n", stderr);
            return 2;
        }
        DWORD limit = argc > 4 ? static_cast<DWORD>(std::wcstoul(argv[4], nullptr, 0)) : 10000;
        DWORD start = GetTickCount();
        std::wstring text;
        for (;;) {
            HWND hwnd = FindWindowW(cls, nullptr);
            text = hwnd ? EditText(hwnd) : std::wstring();
            if (text == expected) return 0;
            if (GetTickCount() - start > limit) break;
            Sleep(50);
        }
        PrintUtf8(text);
        return 1;
    }
    HWND hwnd = FindWindowW(cls, nullptr);
    if (!hwnd) {
        std::fputs("winprobe: window not found\n", stderr);
        return 1;
    }
    if (cmd == L"close") return PostMessageW(hwnd, WM_CLOSE, 0, 0) ? 0 : 1;
    if (cmd == L"post" && argc > 3) {
        UINT msg = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        WPARAM wParam = argc > 4 ? static_cast<WPARAM>(std::wcstoul(argv[4], nullptr, 0)) : 0;
        return PostMessageW(hwnd, msg, wParam, 0) ? 0 : 1;
    }
    if (cmd == L"text") {
        PrintUtf8(EditText(hwnd));
        return 0;
    }
    if (cmd == L"foreground") return GetForegroundWindow() == hwnd ? 0 : 1;
    if (cmd == L"rect") {
        RECT r {};
        GetWindowRect(hwnd, &r);
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top), static_cast<long>(r.right),
                    static_cast<long>(r.bottom));
        return 0;
    }
    if (cmd == L"activate") {
        ShowWindow(hwnd, SW_SHOW);
        return SetForegroundWindow(hwnd) ? 0 : 1;
    }
    if (cmd == L"clear") {
        HWND edit = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
        return SendMessageW(edit ? edit : hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")) ? 0 : 1;
    }
    if (cmd == L"showstate") {
        const char* state = !IsWindowVisible(hwnd) ? "hidden"
                            : IsIconic(hwnd)       ? "minimized"
                            : IsZoomed(hwnd)       ? "maximized"
                                                   : "normal";
        std::printf("%s\n", state);
        return 0;
    }
    if (cmd == L"listcount") {
        HWND list = FindWindowExW(hwnd, nullptr, L"ListBox", nullptr);
        // Quillora's drop-down list draws its own rows and answers LB_GETCOUNT.
        if (!list) list = FindWindowExW(hwnd, nullptr, L"TDropDownListWindow", nullptr);
        if (!list) {
            // Quillora's main window shows its snippets in the editor: it answers how many.
            DWORD_PTR count = 0;
            if (SendMessageTimeoutW(hwnd, RegisterWindowMessageW(L"QuilloraSnippetCount"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                                    &count)) {
                std::printf("%ld\n", static_cast<long>(count));
                return 0;
            }
            std::fputs("winprobe: no list box\n", stderr);
            return 1;
        }
        std::printf("%ld\n", static_cast<long>(SendMessageW(list, LB_GETCOUNT, 0, 0)));
        return 0;
    }
    if (cmd == L"time-typing" && argc > 4) {
        bool ok = false;
        const std::wstring text = ReadUtf8File(argv[3], ok);
        if (!ok) return 2;
        const DWORD interval = argc > 5 ? static_cast<DWORD>(std::wcstoul(argv[5], nullptr, 0)) : 1;
        const DWORD limit = argc > 6 ? static_cast<DWORD>(std::wcstoul(argv[6], nullptr, 0)) : 120000;
        return TimeTyping(hwnd, text, argv[4], interval, limit);
    }
    if (cmd == L"childrect" && argc > 3) {
        HWND child = FindWindowExW(hwnd, nullptr, argv[3], nullptr);
        if (!child || !IsWindowVisible(child)) return 1;
        RECT r;
        GetWindowRect(child, &r);
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top), static_cast<long>(r.right),
                    static_cast<long>(r.bottom));
        return 0;
    }
    if (cmd == L"menus") {
        const UINT message = RegisterWindowMessageW(L"QuilloraMenuCaption");
        for (WPARAM index = 0;; ++index) {
            DWORD_PTR atom = 0;
            if (!SendMessageTimeoutW(hwnd, message, index, 0, SMTO_ABORTIFHUNG, 5000, &atom) || atom == 0) break;
            wchar_t buf[256];
            UINT n = GlobalGetAtomNameW(static_cast<ATOM>(atom), buf, 256);
            GlobalDeleteAtom(static_cast<ATOM>(atom));
            PrintUtf8(std::wstring(buf, n));
        }
        return 0;
    }
    if (cmd == L"texts") {
        for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t buf[2048];
            int n = GetWindowTextW(child, buf, 2048);
            if (n > 0) PrintUtf8(std::wstring(buf, static_cast<size_t>(n)));
        }
        return 0;
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
