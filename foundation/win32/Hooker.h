#pragma once
// THooker: intercepts the window messages of a control. Before the control sees a
// message, OnBeforeMessage may handle it; OnAfterMessage hears it afterwards. Errors
// raised by the two handlers go to the application's error handler and do not stop the
// message.
//
// The control is a plain window, or a window object (TWindow) whose window may be
// destroyed and made again: then the hook is removed when the window is destroyed and
// installed again on the new window, a moment later, from the message loop. It is dropped
// for good when the hooker or the control object is being destroyed.
#include "foundation/win32/WinInclude.h"

#include <functional>
#include <memory>

namespace quillora {

class TWindow;
class THookerUtilityWindow;

class THooker {
public:
    using TBeforeMessage = std::function<void(THooker& sender, MSG& message, LRESULT& result, bool& handled)>;
    using TAfterMessage = std::function<void(THooker& sender, const MSG& message)>;

    // The message, posted to the hooker's own utility window, that installs the hook
    // again after the control's window was destroyed.
    static constexpr UINT ReinstallMessage = 0xB052;

    THooker();
    // Restores the control's own window procedure.
    ~THooker();
    THooker(const THooker&) = delete;
    THooker& operator=(const THooker&) = delete;

    // The hooked window; null when none.
    HWND Control() const { return hooked_; }
    // The window object whose windows are hooked; null when the control is a plain window.
    TWindow* ControlWindow() const { return controlWindow_; }
    // Hooks a plain window (the previous control is released first); null releases.
    void SetControl(HWND control);
    // Hooks the windows of `control`: its window now, when it has one, and each window
    // it makes again after one was destroyed.
    void SetControl(TWindow& control);

    TBeforeMessage OnBeforeMessage;
    TAfterMessage OnAfterMessage;

private:
    friend class THookerUtilityWindow;
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Hook(HWND window);
    void Unhook();
    void Release();
    // The control's window is being destroyed.
    void ControlDestroyed();
    // From the utility window: the hook onto the control's new window.
    void Reinstall();
    bool ControlObjectAlive() const;
    template <class F> void CallHandler(F&& call);

    HWND hooked_ = nullptr;
    WNDPROC previous_ = nullptr;
    TWindow* controlWindow_ = nullptr;
    std::weak_ptr<void> controlLifetime_;
    std::unique_ptr<THookerUtilityWindow> utility_;
    bool reinstallPending_ = false;
};

} // namespace quillora
