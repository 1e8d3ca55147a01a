#pragma once
// THooker: intercepts the window messages of a control. Before the control sees a
// message, OnBeforeMessage may handle it; OnAfterMessage hears it afterwards.
#include "foundation/win32/WinInclude.h"

#include <functional>

namespace quillora {

class THooker {
public:
    using TBeforeMessage = std::function<void(THooker& sender, MSG& message, LRESULT& result, bool& handled)>;
    using TAfterMessage = std::function<void(THooker& sender, const MSG& message)>;

    THooker() = default;
    // Restores the control's own window procedure.
    ~THooker();
    THooker(const THooker&) = delete;
    THooker& operator=(const THooker&) = delete;

    HWND Control() const { return control_; }
    // Hooks the control (the previous one is released first); null releases.
    void SetControl(HWND control);

    TBeforeMessage OnBeforeMessage;
    TAfterMessage OnAfterMessage;

private:
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Release();

    HWND control_ = nullptr;
    WNDPROC previous_ = nullptr;
};

} // namespace quillora
