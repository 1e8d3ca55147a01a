#include "foundation/win32/WinInclude.h"
#include "typing/win32/KeyInputWin.h"

namespace quillora {

namespace {

// The layout of the thread that owns the foreground window, the one that translates the
// keys the sender injects; the program's own when nothing is in the foreground.
HKL TargetLayout()
{
    HWND foreground = GetForegroundWindow();
    DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    return GetKeyboardLayout(thread);
}

} // namespace

int16_t TWinKeyboardLayout::VkKeyScan(char16_t unit)
{
    return VkKeyScanExW(static_cast<WCHAR>(unit), TargetLayout());
}

uint16_t TWinKeyboardLayout::ScanCode(TKeyCode key)
{
    return static_cast<uint16_t>(MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, TargetLayout()));
}

bool TWinKeyboardLayout::IsDeadKey(TKeyCode key)
{
    // The character of the unshifted key, with the top bit set for a dead key.
    return (MapVirtualKeyExW(key, MAPVK_VK_TO_CHAR, TargetLayout()) & 0x80000000u) != 0;
}

char16_t TWinKeyboardLayout::TypedUnit(TKeyCode key, bool shift, bool capsLock)
{
    const HKL layout = TargetLayout();
    BYTE state[256] = {};
    if (shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    if (capsLock) state[VK_CAPITAL] = 0x01;
    wchar_t out[4] = {};
    // Flag 4: the call leaves the keyboard state (a pending dead key) as it is.
    const UINT scan = MapVirtualKeyExW(key, MAPVK_VK_TO_VSC, layout);
    const int length = ToUnicodeEx(key, scan, state, out, 4, 4, layout);
    return length == 1 ? static_cast<char16_t>(out[0]) : 0;
}

} // namespace quillora
