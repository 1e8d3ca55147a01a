#include "foundation/win32/Hooker.h"

#include "foundation/ErrorHandler.h"
#include "foundation/win32/Window.h"

namespace quillora {

namespace {
constexpr wchar_t HookerProperty[] = L"QuilloraHooker";
}

// The hooker's own message-only window: the hook comes back through it after the
// control's window was made again.
class THookerUtilityWindow : public TWindow {
public:
    explicit THookerUtilityWindow(THooker& owner) : owner_(owner)
    {
        TWindowParams params;
        params.Style = 0;
        params.X = params.Y = params.Width = params.Height = 0;
        params.Parent = HWND_MESSAGE;
        CreateHandle({L"QuilloraHookerUtility"}, params);
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == THooker::ReinstallMessage) {
            owner_.Reinstall();
            return 0;
        }
        return TWindow::WindowProc(msg, wParam, lParam);
    }

private:
    THooker& owner_;
};

THooker::THooker() = default;

THooker::~THooker() { Release(); }

void THooker::SetControl(HWND control)
{
    if (control && control == hooked_ && !controlWindow_) return;
    Release();
    if (control) Hook(control);
}

void THooker::SetControl(TWindow& control)
{
    if (controlWindow_ == &control && hooked_ && hooked_ == control.Handle()) return;
    Release();
    controlWindow_ = &control;
    controlLifetime_ = control.Lifetime();
    if (control.Handle()) Hook(control.Handle());
}

void THooker::Hook(HWND window)
{
    hooked_ = window;
    SetPropW(window, HookerProperty, reinterpret_cast<HANDLE>(this));
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THooker::HookProc)));
}

void THooker::Unhook()
{
    if (!hooked_) return;
    if (IsWindow(hooked_)) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hooked_, GWLP_WNDPROC)) == &THooker::HookProc)
            SetWindowLongPtrW(hooked_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(hooked_, HookerProperty);
    }
    hooked_ = nullptr;
    previous_ = nullptr;
}

void THooker::Release()
{
    Unhook();
    controlWindow_ = nullptr;
    controlLifetime_.reset();
    reinstallPending_ = false;
}

bool THooker::ControlObjectAlive() const
{
    return controlWindow_ && !controlLifetime_.expired() && !controlWindow_->Destroying();
}

void THooker::ControlDestroyed()
{
    Unhook();
    if (!ControlObjectAlive()) {
        // A plain window, or the control object goes: nothing will come back.
        Release();
        return;
    }
    // The object stays and may make its window again: hook that one, once the code that
    // destroys the window now has run.
    if (!utility_) utility_ = std::make_unique<THookerUtilityWindow>(*this);
    reinstallPending_ = utility_->Handle() && PostMessageW(utility_->Handle(), ReinstallMessage, 0, 0);
}

void THooker::Reinstall()
{
    if (!reinstallPending_) return;
    reinstallPending_ = false;
    if (!ControlObjectAlive()) {
        Release();
        return;
    }
    if (!hooked_ && controlWindow_->Handle()) Hook(controlWindow_->Handle());
}

template <class F> void THooker::CallHandler(F&& call)
{
    try {
        call();
    } catch (...) {
        // Errors of the handlers are told and do not stop the message.
        HandleCurrentException();
    }
}

LRESULT CALLBACK THooker::HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<THooker*>(GetPropW(hwnd, HookerProperty));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    WNDPROC previous = self->previous_;
    MSG message {hwnd, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    LRESULT result = 0;
    bool handled = false;
    if (msg != WM_QUIT && self->OnBeforeMessage)
        self->CallHandler([&] { self->OnBeforeMessage(*self, message, result, handled); });
    if (handled && msg != WM_DESTROY) return result;
    result = CallWindowProcW(previous, hwnd, message.message, message.wParam, message.lParam);
    if (self->OnAfterMessage) self->CallHandler([&] { self->OnAfterMessage(*self, message); });
    if (msg == WM_DESTROY) self->ControlDestroyed();
    return result;
}

} // namespace quillora
