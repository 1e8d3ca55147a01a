#include "foundation/win32/WinInclude.h"
#include "typing/win32/KeyInputWin.h"

namespace quillora {

namespace {

HWND AsWindow(TWindowHandle window) { return reinterpret_cast<HWND>(window); }
TWindowHandle AsHandle(HWND window) { return reinterpret_cast<TWindowHandle>(window); }

} // namespace

TWindowHandle TWinFocusTarget::FocusWindow()
{
    HWND foreground = GetForegroundWindow();
    const DWORD own = GetCurrentThreadId();
    const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    if (thread == 0 || thread == own) return AsHandle(GetFocus());
    // GetFocus names another thread's focused control only while the two threads share
    // their input state: attached just for the question.
    if (AttachThreadInput(own, thread, TRUE)) {
        HWND focus = GetFocus();
        AttachThreadInput(own, thread, FALSE);
        return AsHandle(focus);
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(thread, &info)) return AsHandle(info.hwndFocus);
    return 0;
}

TCharDelivery TWinFocusTarget::SendChar(TWindowHandle window, char16_t unit)
{
    HWND hwnd = AsWindow(window);
    if (!hwnd) return cdNoWindow;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(hwnd, WM_CHAR, static_cast<WPARAM>(unit), 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, CharTimeoutMs,
                            &result))
        return cdDelivered;
    // Failed: the window is gone, or its thread is hung or did not answer in time.
    return IsWindow(hwnd) ? cdNotAnswering : cdNoWindow;
}

bool TWinFocusTarget::ForegroundCaret(TWindowHandle& caretWindow, TRect& caretRect)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(0, &info)) return false;
    caretWindow = AsHandle(info.hwndCaret);
    caretRect = {info.rcCaret.left, info.rcCaret.top, info.rcCaret.right, info.rcCaret.bottom};
    return true;
}

bool TWinFocusTarget::ClientToScreen(TWindowHandle window, TPoint& point)
{
    if (!window) return false;
    POINT p{point.X, point.Y};
    if (!::ClientToScreen(AsWindow(window), &p)) return false;
    point = {p.x, p.y};
    return true;
}

} // namespace quillora
