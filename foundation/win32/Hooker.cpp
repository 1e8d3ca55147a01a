#include "foundation/win32/Hooker.h"

#include "foundation/Exceptions.h"
#include "foundation/Utils.h"

namespace quillora {

namespace {
constexpr wchar_t HookerProperty[] = L"QuilloraHooker";
}

THooker::~THooker() { Release(); }

void THooker::SetControl(HWND control)
{
    if (control == control_) return;
    Release();
    if (!control) return;
    control_ = control;
    SetPropW(control_, HookerProperty, reinterpret_cast<HANDLE>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THooker::HookProc)));
}

void THooker::Release()
{
    if (!control_) return;
    if (IsWindow(control_)) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control_, GWLP_WNDPROC)) == &THooker::HookProc)
            SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(control_, HookerProperty);
    }
    control_ = nullptr;
    previous_ = nullptr;
}

LRESULT CALLBACK THooker::HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<THooker*>(GetPropW(hwnd, HookerProperty));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    WNDPROC previous = self->previous_;
    MSG message {hwnd, msg, wParam, lParam, 0, {}};
    LRESULT result = 0;
    bool handled = false;
    if (msg != WM_QUIT && self->OnBeforeMessage) {
        try {
            self->OnBeforeMessage(*self, message, result, handled);
        } catch (const Exception& e) {
            // Errors of the handlers are shown and do not stop the message.
            ShowMessageBox(e.Message(), {}, mbIconError);
        }
    }
    if (handled && msg != WM_DESTROY) return result;
    if (msg == WM_NCDESTROY) {
        // The control goes: the hook goes with it.
        self->Release();
        return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    }
    result = CallWindowProcW(previous, hwnd, message.message, message.wParam, message.lParam);
    if (self->OnAfterMessage) {
        try {
            self->OnAfterMessage(*self, message);
        } catch (const Exception& e) {
            ShowMessageBox(e.Message(), {}, mbIconError);
        }
    }
    return result;
}

} // namespace quillora
