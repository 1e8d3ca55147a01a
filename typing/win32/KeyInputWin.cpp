#include "typing/win32/KeyInputWin.h"

#include <vector>

#include "foundation/win32/WinInclude.h"
#include "foundation/win32/TimingTrace.h"

namespace quillora {

namespace {
// Dispatching queued messages stops after this long even when handlers keep posting.
constexpr ULONGLONG PumpLimitMs = 250;

// The records go out with their numbers unchanged: the flags and the keys the sender
// presses (and the keys the layout names for characters) are Windows' own.
static_assert(kfExtendedKey == KEYEVENTF_EXTENDEDKEY && kfKeyUp == KEYEVENTF_KEYUP && kfUnicode == KEYEVENTF_UNICODE);
static_assert(mfMove == MOUSEEVENTF_MOVE && mfLeftDown == MOUSEEVENTF_LEFTDOWN && mfLeftUp == MOUSEEVENTF_LEFTUP &&
              mfRightDown == MOUSEEVENTF_RIGHTDOWN && mfRightUp == MOUSEEVENTF_RIGHTUP && mfAbsolute == MOUSEEVENTF_ABSOLUTE);
static_assert(kcBack == VK_BACK && kcTab == VK_TAB && kcReturn == VK_RETURN && kcShift == VK_SHIFT &&
              kcControl == VK_CONTROL && kcMenu == VK_MENU && kcEnd == VK_END && kcHome == VK_HOME &&
              kcLeft == VK_LEFT && kcUp == VK_UP && kcRight == VK_RIGHT && kcDown == VK_DOWN && kcDelete == VK_DELETE);
static_assert(kcPrior == VK_PRIOR && kcNext == VK_NEXT && kcSnapshot == VK_SNAPSHOT && kcInsert == VK_INSERT &&
              kcLWin == VK_LWIN && kcRWin == VK_RWIN && kcApps == VK_APPS && kcDivide == VK_DIVIDE &&
              kcNumLock == VK_NUMLOCK && kcRControl == VK_RCONTROL && kcRMenu == VK_RMENU);
static_assert(kcA == 'A' && kcV == 'V' && kcZ == 'Z' && kc0 == '0' && kc9 == '9');
} // namespace

unsigned TWinInputInjector::SendInput(const TInputsArray& inputs)
{
    if (inputs.empty()) return 0;
    std::vector<INPUT> records(inputs.size());
    for (size_t i = 0; i < inputs.size(); ++i) {
        const TInputRecord& in = inputs[i];
        INPUT& out = records[i];
        if (in.Type == itMouse) {
            out.type = INPUT_MOUSE;
            out.mi.dx = in.Dx;
            out.mi.dy = in.Dy;
            out.mi.mouseData = 0;
            out.mi.dwFlags = in.Flags;
            if ((in.Flags & mfMove) && (in.Flags & mfAbsolute)) {
                // A point that moves the pointer goes in the system's normalised form over
                // the whole virtual screen, so it reaches every monitor.
                const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
                const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
                if (width > 1 && height > 1) {
                    out.mi.dx = MulDiv(in.Dx - left, 65535, width - 1);
                    out.mi.dy = MulDiv(in.Dy - top, 65535, height - 1);
                    out.mi.dwFlags |= MOUSEEVENTF_VIRTUALDESK;
                }
            }
            out.mi.time = 0;
            out.mi.dwExtraInfo = 0;
        } else {
            out.type = INPUT_KEYBOARD;
            out.ki.wVk = in.Vk;
            out.ki.wScan = in.Scan;
            out.ki.dwFlags = in.Flags;
            out.ki.time = 0;
            out.ki.dwExtraInfo = 0;
        }
    }
    // For measurements: when the records were ready and when the system had taken them,
    // counted from the key that chose the snippet.
    TraceSinceSpanStart("typing-sendinput-start");
    const UINT sent = ::SendInput(static_cast<UINT>(records.size()), records.data(), sizeof(INPUT));
    TraceSinceSpanStart("typing-sendinput-end");
    return sent;
}

void TWinInputInjector::Sleep(unsigned milliseconds)
{
    ::Sleep(milliseconds);
}

uint64_t TWinInputInjector::TickCount()
{
    return GetTickCount64();
}

void TWinInputInjector::ProcessPendingMessages()
{
    const ULONGLONG start = GetTickCount64();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the message loop, which ends on it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        if (GetTickCount64() - start >= PumpLimitMs) return;
    }
}

unsigned TWinInputInjector::HeldModifiers()
{
    auto down = [](int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; };
    unsigned held = 0;
    if (down(VK_SHIFT)) held |= hmShift;
    if (down(VK_CONTROL)) held |= hmControl;
    if (down(VK_MENU)) held |= hmAlt;
    if (down(VK_LWIN) || down(VK_RWIN)) held |= hmWin;
    return held;
}

bool TWinInputInjector::CursorPos(TPoint& point)
{
    POINT p;
    if (!::GetCursorPos(&p)) return false;
    point = {p.x, p.y};
    return true;
}

void TWinInputInjector::SetCursorPos(TPoint point)
{
    ::SetCursorPos(point.X, point.Y);
}

bool TWinInputInjector::MouseButtonsSwapped()
{
    return GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

} // namespace quillora
