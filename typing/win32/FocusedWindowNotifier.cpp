#include "typing/win32/FocusedWindowNotifier.h"

#include "foundation/Exceptions.h"
#include "foundation/win32/Window.h"
#include "foundation/win32/WinInclude.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {

constexpr UINT_PTR PollTimerId = 1;

// The one notify window of the process and the notifier it belongs to; the system's event
// procedure has no other way to find them.
HWND NotifyWindow = nullptr;
TFocusedWindowNotifier* NotifyOwner = nullptr;

// Called on the thread that set the hook (out of context): only posts, so the handler
// runs later from the message loop, never inside the system's callback.
void CALLBACK ForegroundEventProc(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD)
{
    if (event == EVENT_SYSTEM_FOREGROUND && NotifyWindow)
        PostMessageW(NotifyWindow, FocusedWindowMessage(), reinterpret_cast<WPARAM>(window), 0);
}

} // namespace

unsigned FocusedWindowMessage()
{
    static const UINT message = RegisterWindowMessageW(L"QuilloraFocusedWindowMessage");
    return message;
}

// The notifier's handler may stop or free the notifier, and this window with it: after
// calling the owner, nothing here touches the object again.
class TFocusedWindowNotifier::TNotifyWindow : public TWindow {
public:
    explicit TNotifyWindow(TFocusedWindowNotifier& owner) : owner_(owner) {}

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == FocusedWindowMessage()) {
            owner_.Changed(static_cast<TWindowHandle>(wParam));
            return 0;
        }
        if (msg == WM_TIMER && wParam == PollTimerId) {
            owner_.Poll();
            return 0;
        }
        return TWindow::WindowProc(msg, wParam, lParam);
    }

private:
    TFocusedWindowNotifier& owner_;
};

TFocusedWindowNotifier::TFocusedWindowNotifier() : window_(std::make_unique<TNotifyWindow>(*this)) {}

TFocusedWindowNotifier::~TFocusedWindowNotifier()
{
    Stop();
}

bool TFocusedWindowNotifier::Started() const
{
    return window_->Handle() != nullptr;
}

void TFocusedWindowNotifier::Start()
{
    Stop();
    // One notify window for the process: another notifier that runs stops.
    if (NotifyOwner) NotifyOwner->Stop();

    TWindowParams params;
    params.Style = 0;
    params.X = params.Y = params.Width = params.Height = 0;
    params.Parent = HWND_MESSAGE;
    if (!window_->CreateHandle({L"QuilloraFocusedWindowNotify"}, params))
        throw Exception(SystemErrorText(GetLastError()));
    HWND window = window_->Handle();
    NotifyWindow = window;
    NotifyOwner = this;
    lastForeground_ = reinterpret_cast<TWindowHandle>(GetForegroundWindow());
    hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &ForegroundEventProc, 0, 0,
                            WINEVENT_OUTOFCONTEXT);
    // Some systems never call the event procedure for the foreground: compare as well.
    SetTimer(window, PollTimerId, PollIntervalMs, nullptr);
}

void TFocusedWindowNotifier::Stop()
{
    if (hook_) UnhookWinEvent(static_cast<HWINEVENTHOOK>(hook_));
    hook_ = nullptr;
    HWND window = window_->Handle();
    if (!window) return;
    if (NotifyWindow == window) {
        NotifyWindow = nullptr;
        NotifyOwner = nullptr;
    }
    KillTimer(window, PollTimerId);
    window_->DestroyHandle();
}

void TFocusedWindowNotifier::Changed(TWindowHandle foreground)
{
    // The event of a window already seen in front is no change (the poll may have
    // seen it first).
    if (foreground == lastForeground_) return;
    lastForeground_ = foreground;
    // The handler may stop or free this notifier: call a copy and touch nothing after.
    auto handler = OnChange;
    if (handler) handler(*this);
}

void TFocusedWindowNotifier::Poll()
{
    Changed(reinterpret_cast<TWindowHandle>(GetForegroundWindow()));
}

} // namespace quillora
