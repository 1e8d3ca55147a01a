#pragma once
// Synthesized input as the typing engine builds it: keyboard and mouse records with the
// platform's flag values, injected into the system input stream in batches, and the
// pauses, clock and pointer that the sender needs around them.

#include <cstdint>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Input.h"

namespace quillora {

enum TInputType : uint8_t {
    itMouse = 0,
    itKeyboard = 1,
};

// Keyboard record flags.
constexpr uint32_t kfExtendedKey = 0x0001;
constexpr uint32_t kfKeyUp = 0x0002;
constexpr uint32_t kfUnicode = 0x0004;

// The key that the target sees for a record with kfUnicode.
constexpr TKeyCode kcPacket = 0xE7;

// Mouse record flags.
constexpr uint32_t mfMove = 0x0001;
constexpr uint32_t mfLeftDown = 0x0002;
constexpr uint32_t mfLeftUp = 0x0004;
constexpr uint32_t mfRightDown = 0x0008;
constexpr uint32_t mfRightUp = 0x0010;
constexpr uint32_t mfAbsolute = 0x8000;

// One input record. Keyboard: `Vk` the key code (TKeyCode; 0 with kfUnicode), `Scan` the scan
// code or, with kfUnicode, the UTF-16 unit. Mouse: `Dx`, `Dy` the point in screen pixels (with
// mfMove | mfAbsolute the record carries it: the event happens there whatever the pointer does
// meanwhile). `Flags` of the kind.
struct TInputRecord {
    TInputType Type = itKeyboard;
    uint16_t Vk = 0;
    uint16_t Scan = 0;
    int Dx = 0;
    int Dy = 0;
    uint32_t Flags = 0;

    bool operator==(const TInputRecord&) const = default;
};

using TInputsArray = std::vector<TInputRecord>;

// Modifier keys that the user holds (bits of TInputInjector::HeldModifiers).
constexpr unsigned hmShift = 0x1;
constexpr unsigned hmControl = 0x2;
constexpr unsigned hmAlt = 0x4;
constexpr unsigned hmWin = 0x8;

class TInputInjector {
public:
    virtual ~TInputInjector() = default;
    // Injects the records in order, as one batch that no other input interrupts;
    // returns how many were injected.
    virtual unsigned SendInput(const TInputsArray& inputs) = 0;
    // Blocks the calling thread without dispatching messages.
    virtual void Sleep(unsigned milliseconds) = 0;
    // Milliseconds of a steady clock, for bounded waits.
    virtual uint64_t TickCount() = 0;
    // Dispatches the messages already waiting in the program's own queue, then returns.
    virtual void ProcessPendingMessages() = 0;
    // The modifier keys held down right now (hm* bits).
    virtual unsigned HeldModifiers() = 0;
    // The mouse pointer in screen pixels; false when it cannot be read.
    virtual bool CursorPos(TPoint& point) = 0;
    virtual void SetCursorPos(TPoint point) = 0;
    // Whether the primary and secondary mouse buttons are swapped.
    virtual bool MouseButtonsSwapped() = 0;
};

} // namespace quillora
