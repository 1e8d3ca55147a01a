#pragma once
// The core's own input: key codes, the modifier set, and the key and pointer events that
// a window hands to the views of the core. Windows turns its messages into these in one
// place (the window base); tests make them directly.
//
// Key codes are the numbers of the keyboard's keys as Windows numbers its virtual keys,
// so stored shortcuts and the typing engine's keys keep their meaning; the Windows side
// pins every value it passes through unchanged.

#include <cstdint>

#include "foundation/Geometry.h"
#include "foundation/Strings.h"

namespace quillora {

// ---- key codes ----
using TKeyCode = uint16_t;

enum TKey : TKeyCode {
    kcNone = 0x00,
    kcLButton = 0x01,
    kcRButton = 0x02,
    kcCancel = 0x03,
    kcMButton = 0x04,
    kcBack = 0x08,
    kcTab = 0x09,
    kcClear = 0x0C,
    kcReturn = 0x0D,
    kcShift = 0x10,
    kcControl = 0x11,
    kcMenu = 0x12, // Alt
    kcPause = 0x13,
    kcCapital = 0x14,
    kcEscape = 0x1B,
    kcSpace = 0x20,
    kcPrior = 0x21, // Page Up
    kcNext = 0x22,  // Page Down
    kcEnd = 0x23,
    kcHome = 0x24,
    kcLeft = 0x25,
    kcUp = 0x26,
    kcRight = 0x27,
    kcDown = 0x28,
    kcSnapshot = 0x2C,
    kcInsert = 0x2D,
    kcDelete = 0x2E,
    kc0 = 0x30, // '0'..'9' follow in order
    kc9 = 0x39,
    kcA = 0x41, // 'A'..'Z' follow in order
    kcC = 0x43,
    kcF = 0x46,
    kcS = 0x53,
    kcV = 0x56,
    kcX = 0x58,
    kcY = 0x59,
    kcZ = 0x5A,
    kcLWin = 0x5B,
    kcRWin = 0x5C,
    kcApps = 0x5D, // the context-menu key
    kcNumpad0 = 0x60,
    kcNumpad9 = 0x69,
    kcMultiply = 0x6A,
    kcAdd = 0x6B,
    kcSubtract = 0x6D,
    kcDecimal = 0x6E,
    kcDivide = 0x6F,
    kcF1 = 0x70, // F1..F24 follow in order
    kcF3 = 0x72,
    kcF4 = 0x73,
    kcF5 = 0x74,
    kcF10 = 0x79,
    kcF24 = 0x87,
    kcNumLock = 0x90,
    kcScroll = 0x91,
    kcLShift = 0xA0,
    kcRShift = 0xA1,
    kcLControl = 0xA2,
    kcRControl = 0xA3,
    kcLMenu = 0xA4,
    kcRMenu = 0xA5,
};

// The key of a letter or digit ('A'..'Z', '0'..'9'); kcNone for other characters.
constexpr TKeyCode KeyOfChar(char c)
{
    if (c >= 'a' && c <= 'z') return static_cast<TKeyCode>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<TKeyCode>(c);
    return kcNone;
}

// ---- modifiers and buttons held ----
using TShiftState = uint16_t;
enum TShiftStateFlag : uint16_t {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,   // left button held
    ssRight = 0x10,  // right button held
    ssMiddle = 0x20, // middle button held
    ssDouble = 0x40, // the press is the second of a series
};
constexpr TShiftState ssModifiers = ssShift | ssAlt | ssCtrl;

// ---- key events ----
// One key of the keyboard. KeyDown and KeyUp carry Key; KeyPress carries the character
// the key typed in Char. A receiver that acts on the event consumes it, and the sender
// then does nothing further with it.
struct TKeyEvent {
    TKeyCode Key = kcNone;
    Char Ch = 0;
    TShiftState Shift = 0;
    // Milliseconds of the platform's message clock when the key was pressed.
    uint32_t Time = 0;
    // The key is held down and repeats.
    bool Repeat = false;

    static TKeyEvent Down(TKeyCode key, TShiftState shift = 0, uint32_t time = 0) { return {key, 0, shift, time}; }
    static TKeyEvent Press(Char ch, TShiftState shift = 0, uint32_t time = 0) { return {kcNone, ch, shift, time}; }

    bool Consumed() const { return Key == kcNone && Ch == 0; }
    void Consume()
    {
        Key = kcNone;
        Ch = 0;
    }
    bool HasShift() const { return (Shift & ssShift) != 0; }
    bool HasCtrl() const { return (Shift & ssCtrl) != 0; }
    bool HasAlt() const { return (Shift & ssAlt) != 0; }
    // Only these modifiers (of Shift, Ctrl and Alt) are held.
    bool Modifiers(TShiftState exactly) const { return (Shift & ssModifiers) == exactly; }
};

// ---- pointer events ----
enum TPointerButton : uint8_t {
    pbNone = 0, // a move, or a wheel turn
    pbLeft = 1,
    pbRight = 2,
    pbMiddle = 3,
};

// A press, move, release or wheel turn of the pointer.
struct TPointerEvent {
    // In the receiver's coordinates; (-1, -1) when the pointer left the view.
    TPoint Point;
    // The button pressed or released; pbNone for moves and wheel turns.
    TPointerButton Button = pbNone;
    // Modifier keys and the buttons held (ssLeft, ssRight, ssMiddle).
    TShiftState Shift = 0;
    // Presses in a series, counted by TClickCounter: 1 single, 2 double, 3 triple,
    // 4 quadruple. 1 for moves and releases.
    int ClickCount = 1;
    // Milliseconds of the platform's message clock.
    uint32_t Time = 0;
    // Wheel turns: multiples of WheelDelta, positive away from the user.
    int WheelDelta = 0;

    static constexpr int WheelNotch = 120;

    bool IsLeft() const { return Button == pbLeft; }
    bool HasShift() const { return (Shift & ssShift) != 0; }
    bool HasCtrl() const { return (Shift & ssCtrl) != 0; }
    bool HasAlt() const { return (Shift & ssAlt) != 0; }
    // The same event at another point (for a receiver with other coordinates).
    TPointerEvent At(TPoint point) const
    {
        TPointerEvent moved = *this;
        moved.Point = point;
        return moved;
    }
};

// Counts the presses of a series: a press of the same button within the double-click
// time of the previous press and within the double-click distance of its position (in
// both directions) continues the series, any other press starts a new one.
class TClickCounter {
public:
    // `screenPoint`: where the press happened, in screen coordinates. Returns the count
    // of this press (1 for the first of a series).
    int Press(TPointerButton button, TPoint screenPoint, uint32_t time, uint32_t doubleClickTime,
              TPoint doubleClickDistance);
    // Forgets the series (the view lost the pointer or the focus).
    void Reset() { count_ = 0; }

private:
    TPointerButton button_ = pbNone;
    TPoint point_;
    uint32_t time_ = 0;
    int count_ = 0;
};

} // namespace quillora
