#include "foundation/win32/InputWin.h"

#include <windowsx.h>

namespace quillora {

// ---- values that pass through unchanged ----
static_assert(kcLButton == VK_LBUTTON && kcRButton == VK_RBUTTON && kcCancel == VK_CANCEL && kcMButton == VK_MBUTTON);
static_assert(kcBack == VK_BACK && kcTab == VK_TAB && kcClear == VK_CLEAR && kcReturn == VK_RETURN);
static_assert(kcShift == VK_SHIFT && kcControl == VK_CONTROL && kcMenu == VK_MENU && kcPause == VK_PAUSE);
static_assert(kcCapital == VK_CAPITAL && kcEscape == VK_ESCAPE && kcSpace == VK_SPACE);
static_assert(kcPrior == VK_PRIOR && kcNext == VK_NEXT && kcEnd == VK_END && kcHome == VK_HOME);
static_assert(kcLeft == VK_LEFT && kcUp == VK_UP && kcRight == VK_RIGHT && kcDown == VK_DOWN);
static_assert(kcSnapshot == VK_SNAPSHOT && kcInsert == VK_INSERT && kcDelete == VK_DELETE);
static_assert(kc0 == '0' && kc9 == '9' && kcA == 'A' && kcC == 'C' && kcF == 'F' && kcS == 'S' && kcV == 'V' &&
              kcX == 'X' && kcY == 'Y' && kcZ == 'Z');
static_assert(kcLWin == VK_LWIN && kcRWin == VK_RWIN && kcApps == VK_APPS);
static_assert(kcNumpad0 == VK_NUMPAD0 && kcNumpad9 == VK_NUMPAD9 && kcMultiply == VK_MULTIPLY && kcAdd == VK_ADD);
static_assert(kcSubtract == VK_SUBTRACT && kcDecimal == VK_DECIMAL && kcDivide == VK_DIVIDE);
static_assert(kcF1 == VK_F1 && kcF3 == VK_F3 && kcF5 == VK_F5 && kcF10 == VK_F10 && kcF24 == VK_F24);
static_assert(kcNumLock == VK_NUMLOCK && kcScroll == VK_SCROLL);
static_assert(kcLShift == VK_LSHIFT && kcRShift == VK_RSHIFT && kcLControl == VK_LCONTROL && kcRControl == VK_RCONTROL);
static_assert(kcLMenu == VK_LMENU && kcRMenu == VK_RMENU);
static_assert(TPointerEvent::WheelNotch == WHEEL_DELTA);
static_assert(sbHorizontal == SB_HORZ && sbVertical == SB_VERT);
static_assert(sizeof(Char) == sizeof(wchar_t));

namespace {
bool Down(int key) { return GetKeyState(key) < 0; }

TShiftState ButtonsOfKeyboard()
{
    TShiftState shift = 0;
    if (Down(VK_LBUTTON)) shift |= ssLeft;
    if (Down(VK_RBUTTON)) shift |= ssRight;
    if (Down(VK_MBUTTON)) shift |= ssMiddle;
    return shift;
}
} // namespace

TShiftState KeyboardShiftState()
{
    TShiftState shift = ButtonsOfKeyboard();
    if (Down(VK_SHIFT)) shift |= ssShift;
    if (Down(VK_CONTROL)) shift |= ssCtrl;
    if (Down(VK_MENU)) shift |= ssAlt;
    return shift;
}

TShiftState PointerShiftState(WPARAM keys)
{
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (Down(VK_MENU)) shift |= ssAlt;
    return shift;
}

bool IsKeyMessage(UINT msg)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return true;
    default:
        return false;
    }
}

TKeyEvent KeyEventOf(UINT msg, WPARAM wParam, LPARAM lParam, uint32_t time)
{
    TKeyEvent event;
    if (msg == WM_CHAR || msg == WM_SYSCHAR)
        event.Ch = static_cast<Char>(wParam);
    else
        event.Key = static_cast<TKeyCode>(wParam);
    event.Shift = KeyboardShiftState();
    // The system messages carry Alt in the key data ("context code"), also when the
    // keyboard state was made without it.
    if ((msg == WM_SYSKEYDOWN || msg == WM_SYSKEYUP || msg == WM_SYSCHAR) && (lParam & (1 << 29))) event.Shift |= ssAlt;
    event.Time = time;
    event.Repeat = (msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && (lParam & (1 << 30)) != 0;
    return event;
}

TPointerButton PointerButtonOf(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return pbLeft;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
        return pbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        return pbMiddle;
    default:
        return pbNone;
    }
}

bool IsPointerPress(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return true;
    default:
        return false;
    }
}

bool IsPointerRelease(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }

TPointerEvent PointerEventOf(UINT msg, WPARAM wParam, LPARAM lParam, uint32_t time)
{
    TPointerEvent event;
    event.Point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    event.Button = PointerButtonOf(msg);
    if (msg == WM_MOUSEWHEEL) {
        event.WheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
        event.Shift = PointerShiftState(GET_KEYSTATE_WPARAM(wParam));
    } else {
        event.Shift = PointerShiftState(wParam);
    }
    event.Time = time;
    return event;
}

bool ScrollCodeOf(int request, TScrollCode& code)
{
    switch (request) {
    case SB_LINEUP: code = scLineUp; return true;
    case SB_LINEDOWN: code = scLineDown; return true;
    case SB_PAGEUP: code = scPageUp; return true;
    case SB_PAGEDOWN: code = scPageDown; return true;
    case SB_THUMBTRACK: code = scTrack; return true;
    case SB_THUMBPOSITION: code = scPosition; return true;
    case SB_TOP: code = scTop; return true;
    case SB_BOTTOM: code = scBottom; return true;
    case SB_ENDSCROLL: code = scEndScroll; return true;
    default: return false;
    }
}

} // namespace quillora
