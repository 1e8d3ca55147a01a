// The keystroke sender's platform outside Windows: nothing to type into, so nothing is
// injected; the pauses and the clock are real (the Windows build defines the real services).
#ifndef _WIN32

#include <chrono>
#include <thread>

#include "typing/KeyInputServices.h"

namespace quillora {

namespace {

class TNativeInputInjector : public TInputInjector {
public:
    unsigned SendInput(const TInputsArray&) override { return 0; }
    void Sleep(unsigned milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
    uint64_t TickCount() override
    {
        auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
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
};

class TNativeFocusTarget : public TFocusTarget {
public:
    TWindowHandle FocusWindow() override { return 0; }
    TCharDelivery SendChar(TWindowHandle, char16_t) override { return cdNoWindow; }
    bool ForegroundCaret(TWindowHandle&, TRect&) override { return false; }
    bool ClientToScreen(TWindowHandle, TPoint&) override { return false; }
};

} // namespace

const TKeyInputServices& PlatformKeyInputServices()
{
    static TNativeInputInjector input;
    static TNativeKeyboardLayout layout;
    static TNativeFocusTarget target;
    static const TKeyInputServices services{&input, &layout, &target};
    return services;
}

} // namespace quillora

#endif
