#pragma once
// The one place where Windows' input messages become the core's events (foundation/
// Input.h), and where the core's geometry meets Windows' own. Key codes pass through
// unchanged; InputWin.cpp pins each of them to its virtual key.
#include "foundation/win32/WinInclude.h"

#include <cstdint>

#include "foundation/Geometry.h"
#include "foundation/Input.h"
#include "foundation/ViewHost.h"

namespace quillora {

inline TPoint ToPoint(POINT p) { return {static_cast<int>(p.x), static_cast<int>(p.y)}; }
inline POINT ToPOINT(TPoint p) { return {p.X, p.Y}; }
inline TRect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// Shift, Ctrl and Alt and the mouse buttons as the keyboard state of this thread has
// them (the state when the message being handled was sent).
TShiftState KeyboardShiftState();
// The keys and buttons that a mouse message reports (its MK_ flags), with Alt from the
// keyboard state.
TShiftState PointerShiftState(WPARAM keys);

// WM_KEYDOWN, WM_SYSKEYDOWN, WM_KEYUP, WM_SYSKEYUP, WM_CHAR and WM_SYSCHAR.
bool IsKeyMessage(UINT msg);
// The key event of a key message: the key (down and up) or the character (the two
// character messages), the modifiers, whether the key repeats, and `time`.
TKeyEvent KeyEventOf(UINT msg, WPARAM wParam, LPARAM lParam, uint32_t time);

// The button that a mouse button message presses or releases (the double-click
// messages count as presses); pbNone for other messages.
TPointerButton PointerButtonOf(UINT msg);
bool IsPointerPress(UINT msg);
bool IsPointerRelease(UINT msg);
// The pointer event of a mouse message in client coordinates (a wheel message's point
// is a screen point: the caller converts it). The click count is 1; the window counts
// the presses.
TPointerEvent PointerEventOf(UINT msg, WPARAM wParam, LPARAM lParam, uint32_t time);

// What a WM_HSCROLL or WM_VSCROLL request asks; false for requests the core does not know.
bool ScrollCodeOf(int request, TScrollCode& code);
inline int ScrollBarOf(TScrollBarKind bar) { return static_cast<int>(bar); }

} // namespace quillora
