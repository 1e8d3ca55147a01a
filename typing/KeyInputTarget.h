#pragma once
// The application that receives the typed input, as far as the sender asks about it:
// its focused control, character messages to that control and its text caret.

#include <cstdint>

#include "foundation/Geometry.h"
#include "foundation/Input.h"

namespace quillora {

// A window of any process (the platform's handle); 0 is no window.
using TWindowHandle = uintptr_t;

enum TCharDelivery {
    cdDelivered,
    // No window to send to, or the window is gone.
    cdNoWindow,
    // The window's thread did not take the message within the bound.
    cdNotAnswering,
};

class TFocusTarget {
public:
    virtual ~TFocusTarget() = default;
    // The control that has the keyboard focus in the foreground application.
    virtual TWindowHandle FocusWindow() = 0;
    // Delivers one character message synchronously; the wait is bounded.
    virtual TCharDelivery SendChar(TWindowHandle window, char16_t unit) = 0;
    // The caret window and caret rectangle (client coordinates) of the foreground
    // thread; false when the platform cannot tell.
    virtual bool ForegroundCaret(TWindowHandle& caretWindow, TRect& caretRect) = 0;
    // Whether `window` takes injected input from this program: false for a window of a
    // process with higher rights (run as administrator), which drops it without an error.
    virtual bool AcceptsInput(TWindowHandle window) = 0;
    // The caret that the focused control of the foreground application exposes to
    // accessibility clients, in screen coordinates, for programs that draw their own
    // caret instead of the system's; false when it exposes none.
    virtual bool AccessibleCaret(TRect& screenRect) = 0;
    // The caret that the focused element of the foreground application exposes through
    // UI Automation's text pattern (its caret range, else its selection), in screen
    // coordinates; false where it exposes none or the platform has no UI Automation.
    virtual bool AutomationCaret(TRect& screenRect) = 0;
    // Converts a client point of `window` to screen coordinates; false for no window.
    virtual bool ClientToScreen(TWindowHandle window, TPoint& point) = 0;
    // The state of `key` as the thread of `window` has taken it from its input queue so
    // far: 0x80 while down, 0x01 toggled by every press. It changes only when that
    // thread reads the key's messages, so it tells when injected keys have been taken.
    // False when it cannot be read (no window, or the thread's input is out of reach).
    // Watching may hold on to that thread's input until EndKeyWatch.
    virtual bool TakenKeyState(TWindowHandle window, TKeyCode key, uint8_t& state) = 0;
    // Whether Caps Lock is on for the focused application (it turns the letters it
    // types to the other case).
    virtual bool CapsLockOn() = 0;
    virtual void EndKeyWatch() = 0;
};

} // namespace quillora
