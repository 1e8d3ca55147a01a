#include "typing/win32/FocusedWindowNotifier.h"

#include "foundation/Exceptions.h"
#include "foundation/win32/WinInclude.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {

const wchar_t NotifyWindowClass[] = L"QuilloraFocusedWindowNotify";
constexpr UINT_PTR PollTimerId = 1;

// The one notify window of the process and the notifier it reports to; the system's
// event procedure has no other way to find them.
HWND NotifyWindow = nullptr;
TFocusedWindowNotifier* NotifyOwner = nullptr;

// Called on the thread that set the hook (out of context): only posts, so the handler
// runs later from the message loop, never inside the system's callback.
void CALLBACK ForegroundEventProc(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD)
{
    if (event == EVENT_SYSTEM_FOREGROUND && NotifyWindow)
        PostMessageW(NotifyWindow, FocusedWindowMessage(), reinterpret_cast<WPARAM>(window), 0);
}

} // namespace

struct TNotifyWindowProc {
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == FocusedWindowMessage()) {
            if (window == NotifyWindow && NotifyOwner) NotifyOwner->Changed(static_cast<TWindowHandle>(wParam));
            return 0;
        }
        if (message == WM_TIMER && wParam == PollTimerId) {
            if (window == NotifyWindow && NotifyOwner) NotifyOwner->Poll();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

unsigned FocusedWindowMessage()
{
    static const UINT message = RegisterWindowMessageW(L"QuilloraFocusedWindowMessage");
    return message;
}

TFocusedWindowNotifier::~TFocusedWindowNotifier()
{
    Stop();
}

void TFocusedWindowNotifier::Start()
{
    Stop();
    if (NotifyOwner) NotifyOwner->Stop();

    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = &TNotifyWindowProc::Proc;
    wc.hInstance = instance;
    wc.lpszClassName = NotifyWindowClass;
    if (!RegisterClassW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception(SystemErrorText(GetLastError()));
    HWND window = CreateWindowExW(0, NotifyWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!window) throw Exception(SystemErrorText(GetLastError()));

    NotifyWindow = window;
    NotifyOwner = this;
    window_ = reinterpret_cast<TWindowHandle>(window);
    lastForeground_ = reinterpret_cast<TWindowHandle>(GetForegroundWindow());
    hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &ForegroundEventProc, 0, 0,
                            WINEVENT_OUTOFCONTEXT);
    // Some systems never call the event procedure for the foreground: compare as well.
    SetTimer(window, PollTimerId, PollIntervalMs, nullptr);
}

void TFocusedWindowNotifier::Stop()
{
    if (hook_) UnhookWinEvent(static_cast<HWINEVENTHOOK>(hook_));
    hook_ = nullptr;
    if (!window_) return;
    HWND window = reinterpret_cast<HWND>(window_);
    window_ = 0;
    if (NotifyWindow == window) {
        NotifyWindow = nullptr;
        NotifyOwner = nullptr;
    }
    KillTimer(window, PollTimerId);
    DestroyWindow(window);
}

void TFocusedWindowNotifier::Changed(TWindowHandle foreground)
{
    // The event of a window already seen in front is no change (the poll may have
    // seen it first).
    if (foreground == lastForeground_) return;
    lastForeground_ = foreground;
    // The handler may stop or free this notifier: call a copy and touch nothing after.
    auto handler = OnChange;
    if (handler) handler(*this);
}

void TFocusedWindowNotifier::Poll()
{
    Changed(reinterpret_cast<TWindowHandle>(GetForegroundWindow()));
}

} // namespace quillora
