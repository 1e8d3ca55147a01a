#pragma once
// The keyboard layout of the application that receives the typed keys.

#include <cstdint>

#include "foundation/Input.h"

namespace quillora {

// Shift-state bits of a key lookup (the high byte of TKeyboardLayout::VkKeyScan).
constexpr unsigned ksShift = 0x01;
constexpr unsigned ksControl = 0x02;
constexpr unsigned ksAlt = 0x04;

class TKeyboardLayout {
public:
    virtual ~TKeyboardLayout() = default;
    // The key that produces `unit` on the layout of the foreground application's
    // thread: the virtual key in the low byte, the shift state (ks* bits, and the
    // layout's own extra states above them) in the high byte; -1 when no key does.
    virtual int16_t VkKeyScan(char16_t unit) = 0;
    // The scan code of a key on that layout; 0 when it has none.
    virtual uint16_t ScanCode(TKeyCode key) = 0;
    // Whether `key` is a dead key on that layout: pressed, it types nothing at once and
    // changes the character of the next key ("^" then "a" gives "\u00E2").
    virtual bool IsDeadKey(TKeyCode key) = 0;
    // The one UTF-16 unit that `key` types on that layout with Shift held or not and
    // with Caps Lock on or off; 0 when it types nothing or more than one unit.
    virtual char16_t TypedUnit(TKeyCode key, bool shift, bool capsLock) = 0;
};

} // namespace quillora
