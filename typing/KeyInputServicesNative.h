#pragma once
// The keystroke sender's platform outside Windows: nothing to type into, so nothing is
// injected; the pauses and the clock are real.

#include "typing/KeyInputServices.h"

namespace quillora {

class TNativeInputInjector : public TInputInjector {
public:
    unsigned SendInput(const TInputsArray&) override { return 0; }
    void Sleep(unsigned milliseconds) override;
    uint64_t TickCount() override;
    void ProcessPendingMessages() override {}
    unsigned HeldModifiers() override { return 0; }
    bool CursorPos(TPoint&) override { return false; }
    void SetCursorPos(TPoint) override {}
    bool MouseButtonsSwapped() override { return false; }
};

class TNativeKeyboardLayout : public TKeyboardLayout {
public:
    int16_t VkKeyScan(char16_t) override { return -1; }
    uint16_t ScanCode(TKeyCode) override { return 0; }
    bool IsDeadKey(TKeyCode) override { return false; }
    char16_t TypedUnit(TKeyCode, bool, bool) override { return 0; }
};

class TNativeFocusTarget : public TFocusTarget {
public:
    TWindowHandle FocusWindow() override { return 0; }
    TCharDelivery SendChar(TWindowHandle, char16_t) override { return cdNoWindow; }
    bool ForegroundCaret(TWindowHandle&, TRect&) override { return false; }
    bool AccessibleCaret(TRect&) override { return false; }
    bool AutomationCaret(TRect&) override { return false; }
    bool AcceptsInput(TWindowHandle) override { return true; }
    bool ClientToScreen(TWindowHandle, TPoint&) override { return false; }
    bool TakenKeyState(TWindowHandle, TKeyCode, uint8_t&) override { return false; }
    void EndKeyWatch() override {}
    bool CapsLockOn() override { return false; }
};

} // namespace quillora
