#pragma once
// Windows for the tests of the keystroke sender, the keyboard hook and the foreground
// tracking: a frame with an edit control that has the focus (made by the test's thread or,
// as another program's window would be, by a thread of its own), a stand-in for the list
// window that collects the tokens posted to it, and key presses made with SendInput.

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "foundation/win32/WinInclude.h"

namespace quillora::test {

inline bool HaveDisplay()
{
    wchar_t buffer[64];
    return GetEnvironmentVariableW(L"DISPLAY", buffer, 64) > 0;
}

// Dispatches this thread's messages until `done` holds or `ms` have passed.
inline bool PumpUntil(const std::function<bool()>& done, unsigned ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done && done()) return true;
        if (GetTickCount64() >= end) return done ? done() : true;
        Sleep(5);
    }
}

// Where and how an edit window is made.
struct TEditWindowOptions {
    // Made and run by a thread of its own, with its own input queue, as another
    // program's window would be; otherwise by the calling thread, whose messages the
    // test then dispatches.
    bool OwnThread = false;
    bool MultiLine = false;
    int Left = 100;
    int Top = 100;
};

// A top-level frame with an edit control that has the focus.
class TEditWindow {
public:
    static constexpr UINT ActivateMessage = WM_APP + 1;

    explicit TEditWindow(TEditWindowOptions options = {}) : options_(options)
    {
        if (!options_.OwnThread) {
            Create();
            PumpUntil(nullptr, 100);
            return;
        }
        HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, ready] {
            Create();
            threadId_ = GetCurrentThreadId();
            SetEvent(ready);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (frame_) DestroyWindow(frame_);
        });
        WaitForSingleObject(ready, 20000);
        CloseHandle(ready);
        PumpUntil([this] { return Ready(); }, 1000);
    }
    ~TEditWindow()
    {
        if (options_.OwnThread) {
            PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
            thread_.join();
        } else if (frame_) {
            DestroyWindow(frame_);
            PumpUntil(nullptr, 20);
        }
    }
    TEditWindow(const TEditWindow&) = delete;
    TEditWindow& operator=(const TEditWindow&) = delete;

    HWND Frame() const { return frame_; }
    HWND Edit() const { return edit_; }
    // In front, its edit focused (the focus of another thread's window cannot be seen).
    bool Ready() const
    {
        return edit_ && GetForegroundWindow() == frame_ && (options_.OwnThread || GetFocus() == edit_);
    }
    // Brings the frame to the front from its own thread and focuses the edit.
    bool BringToFront()
    {
        SendMessageW(frame_, ActivateMessage, 0, 0);
        return PumpUntil([this] { return Ready(); }, 1000);
    }
    std::wstring Text() const
    {
        wchar_t buffer[256] = {};
        GetWindowTextW(edit_, buffer, 256);
        return buffer;
    }
    // Where the selection ends.
    DWORD Caret() const
    {
        DWORD start = 0, end = 0;
        SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return end;
    }

private:
    void Create()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &TEditWindow::FrameProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuilloraTestEditFrame";
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc); // fails harmlessly once the class exists
        frame_ = CreateWindowExW(0, wc.lpszClassName, L"Quillora test window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 options_.Left, options_.Top, 480, 160, nullptr, nullptr, wc.hInstance, nullptr);
        if (!frame_) return;
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | (options_.MultiLine ? ES_MULTILINE : ES_AUTOHSCROLL);
        edit_ = CreateWindowExW(0, L"EDIT", L"", style, 10, 10, 440, options_.MultiLine ? 90 : 30, frame_, nullptr,
                                wc.hInstance, nullptr);
        SetWindowLongPtrW(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(edit_));
        Activate(frame_);
    }
    static void Activate(HWND frame)
    {
        SetForegroundWindow(frame);
        SetFocus(reinterpret_cast<HWND>(GetWindowLongPtrW(frame, GWLP_USERDATA)));
    }
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == ActivateMessage) {
            Activate(window);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    TEditWindowOptions options_;
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
};

// The application typed into in the hook tests: a multi-line edit in front, on a thread
// of its own.
class TTargetWindow : public TEditWindow {
public:
    explicit TTargetWindow(int left = 100, int top = 100)
        : TEditWindow({.OwnThread = true, .MultiLine = true, .Left = left, .Top = top})
    {
    }
};

// Stands in for the list: a popup shown without activation on this thread that reads
// each token message (WM_NULL, wParam = length, lParam = atom) and deletes the atom.
class TTokenWindow {
public:
    TTokenWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &TTokenWindow::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QuilloraHookTestList";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"",
                                  WS_POPUP | WS_BORDER, 600, 400, 200, 150, nullptr, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TTokenWindow()
    {
        if (window_) DestroyWindow(window_);
    }
    TTokenWindow(const TTokenWindow&) = delete;
    TTokenWindow& operator=(const TTokenWindow&) = delete;

    HWND Window() const { return window_; }
    void Show() { ShowWindow(window_, SW_SHOWNOACTIVATE); }

    std::vector<std::wstring> tokens;
    // Atoms whose name did not have the length the message gave.
    int badMessages = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<TTokenWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NULL && self) {
            const ATOM atom = static_cast<ATOM>(lParam & 0xFFFF);
            std::wstring name(wParam + 1, L'\0');
            const UINT length = GlobalGetAtomNameW(atom, name.data(), static_cast<int>(name.size()));
            GlobalDeleteAtom(atom);
            if (length != wParam) ++self->badMessages;
            name.resize(length);
            self->tokens.push_back(name);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

// Presses and releases keys with SendInput, one batch per call, each key with the
// modifier key (VK_SHIFT, VK_CONTROL, ...) held when one is given.
inline void PressKeys(const std::vector<WORD>& keys, WORD modifier = 0)
{
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD vk : keys) {
        if (modifier) add(modifier, false);
        add(vk, false);
        add(vk, true);
        if (modifier) add(modifier, true);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A character sent as Unicode input (a key the layout may not have).
inline void PressUnicode(wchar_t unit)
{
    INPUT inputs[2] = {};
    for (int i = 0; i < 2; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wScan = unit;
        inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(2, inputs, sizeof(INPUT));
}

} // namespace quillora::test
