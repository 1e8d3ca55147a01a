#pragma once
// The Win32 services of the keystroke sender: SendInput, the layout of the foreground
// application's thread, and that application's focused control and caret.

#include "typing/KeyInputServices.h"

namespace quillora {

class TWinInputInjector : public TInputInjector {
public:
    unsigned SendInput(const TInputsArray& inputs) override;
    void Sleep(unsigned milliseconds) override;
    uint64_t TickCount() override;
    void ProcessPendingMessages() override;
    unsigned HeldModifiers() override;
    bool CursorPos(TPoint& point) override;
    void SetCursorPos(TPoint point) override;
    bool MouseButtonsSwapped() override;
};

class TWinKeyboardLayout : public TKeyboardLayout {
public:
    int16_t VkKeyScan(char16_t unit) override;
    uint16_t ScanCode(TKeyCode key) override;
    bool IsDeadKey(TKeyCode key) override;
    char16_t TypedUnit(TKeyCode key, bool shift, bool capsLock) override;
};

class TWinFocusTarget : public TFocusTarget {
public:
    // How long a character message may wait for the target's thread.
    static constexpr unsigned CharTimeoutMs = 2000;

    TWindowHandle FocusWindow() override;
    TCharDelivery SendChar(TWindowHandle window, char16_t unit) override;
    bool ForegroundCaret(TWindowHandle& caretWindow, TRect& caretRect) override;
    bool AccessibleCaret(TRect& screenRect) override;
    bool AutomationCaret(TRect& screenRect) override;
    bool AcceptsInput(TWindowHandle window) override;
    bool ClientToScreen(TWindowHandle window, TPoint& point) override;
    bool TakenKeyState(TWindowHandle window, TKeyCode key, uint8_t& state) override;
    void EndKeyWatch() override;
    bool CapsLockOn() override;
    ~TWinFocusTarget() override { EndKeyWatch(); }

private:
    // The window whose caret the accessibility questions ask for: the foreground thread's
    // focused window, else its active one (0 when there is none).
    static TWindowHandle CaretOwnerWindow();

    // COM on this thread for one question; undone only when this scope set it up.
    class TComScope {
    public:
        TComScope();
        ~TComScope();
        TComScope(const TComScope&) = delete;
        TComScope& operator=(const TComScope&) = delete;

    private:
        long result_;
    };

    // The thread whose input this thread shares while it watches its keys.
    unsigned long watchedThread_ = 0;
};

} // namespace quillora
