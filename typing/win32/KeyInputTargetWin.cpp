#include "foundation/win32/WinInclude.h"
#include "typing/win32/KeyInputWin.h"

#include <oleacc.h>

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
    if (thread == 0 || thread == own || thread == watchedThread_) return AsHandle(GetFocus());
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

bool TWinFocusTarget::TakenKeyState(TWindowHandle window, TKeyCode key, uint8_t& state)
{
    const DWORD own = GetCurrentThreadId();
    const DWORD thread = window ? GetWindowThreadProcessId(AsWindow(window), nullptr) : 0;
    // Our own thread takes its keys only when it dispatches messages: not watchable here.
    if (thread == 0 || thread == own) return false;
    // GetKeyState answers from the key state of the calling thread's input, which the
    // target's thread updates as it reads its key messages: shared until EndKeyWatch
    // (attaching anew copies a state of its own into the shared input).
    if (watchedThread_ != thread) {
        EndKeyWatch();
        if (!AttachThreadInput(own, thread, TRUE)) return false;
        watchedThread_ = thread;
    }
    const SHORT keyState = GetKeyState(key);
    state = static_cast<uint8_t>((keyState & 0x8000 ? 0x80 : 0) | (keyState & 0x0001));
    return true;
}

namespace {

// The integrity level of a process's token (its rights: medium for a user's programs,
// high for those run as administrator); false when it cannot be read.
bool IntegrityLevel(HANDLE process, DWORD& level)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
    alignas(TOKEN_MANDATORY_LABEL) BYTE buffer[64] = {};
    DWORD size = 0;
    bool read = GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &size) != FALSE;
    CloseHandle(token);
    if (!read) return false;
    PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
    if (!IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return false;
    level = *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
    return true;
}

} // namespace

bool TWinFocusTarget::AcceptsInput(TWindowHandle window)
{
    DWORD processId = 0;
    if (!window || !GetWindowThreadProcessId(AsWindow(window), &processId)) return true;
    if (processId == GetCurrentProcessId()) return true;
    DWORD own = 0;
    if (!IntegrityLevel(GetCurrentProcess(), own)) return true;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    // A process whose rights cannot even be looked at from here is above ours.
    if (!process) return GetLastError() != ERROR_ACCESS_DENIED;
    DWORD level = 0;
    const bool read = IntegrityLevel(process, level);
    const DWORD error = read ? 0 : GetLastError();
    CloseHandle(process);
    if (!read) return error != ERROR_ACCESS_DENIED;
    return level <= own;
}

TWindowHandle TWinFocusTarget::CaretOwnerWindow()
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(0, &info)) return 0;
    return AsHandle(info.hwndFocus ? info.hwndFocus : info.hwndActive);
}

TWinFocusTarget::TComScope::TComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

TWinFocusTarget::TComScope::~TComScope()
{
    if (SUCCEEDED(result_)) CoUninitialize();
}

bool TWinFocusTarget::AccessibleCaret(TRect& screenRect)
{
    HWND window = AsWindow(CaretOwnerWindow());
    if (!window) return false;
    TComScope com;
    bool found = false;
    IAccessible* caret = nullptr;
    if (SUCCEEDED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CARET), IID_IAccessible,
                                             reinterpret_cast<void**>(&caret))) &&
        caret) {
        VARIANT self;
        VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        long left = 0, top = 0, width = 0, height = 0;
        if (caret->accLocation(&left, &top, &width, &height, self) == S_OK && (width > 0 || height > 0)) {
            screenRect = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
                          static_cast<int>(top + height)};
            found = true;
        }
        caret->Release();
    }
    return found;
}

bool TWinFocusTarget::CapsLockOn()
{
    // The toggles of the lock keys are the system's, kept for every thread alike; the
    // state of an attached target would start from a copy of this thread's own.
    return (GetKeyState(VK_CAPITAL) & 0x0001) != 0;
}

void TWinFocusTarget::EndKeyWatch()
{
    if (watchedThread_) AttachThreadInput(GetCurrentThreadId(), watchedThread_, FALSE);
    watchedThread_ = 0;
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
