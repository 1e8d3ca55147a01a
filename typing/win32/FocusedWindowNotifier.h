#pragma once
// Tells when another window comes to the front while the drop-down list is open, so
// that the list closes instead of typing into the wrong place.

#include <functional>
#include <memory>

#include "typing/KeyInputTarget.h"

namespace quillora {

// The message posted to the notifier's window on a change of the foreground window
// (registered once as "QuilloraFocusedWindowMessage").
unsigned FocusedWindowMessage();

class TFocusedWindowNotifier {
public:
    // Called on the main thread, from the message loop, on every change of the
    // foreground window while started. It may stop or free the notifier.
    std::function<void(TFocusedWindowNotifier& sender)> OnChange;

    // How often the foreground window is compared with the last one seen, for systems
    // whose window-event hook does not report foreground changes.
    static constexpr unsigned PollIntervalMs = 50;

    TFocusedWindowNotifier();
    ~TFocusedWindowNotifier();
    TFocusedWindowNotifier(const TFocusedWindowNotifier&) = delete;
    TFocusedWindowNotifier& operator=(const TFocusedWindowNotifier&) = delete;

    // Creates the hidden notify window and the window-event hook; the window in front
    // now is the one a change is measured from. There is one notify window for the
    // process: starting stops any other notifier that runs. Starting again restarts.
    void Start();
    // Removes the hook and destroys the notify window; nothing when stopped.
    void Stop();
    bool Started() const;

private:
    class TNotifyWindow;
    void Changed(TWindowHandle foreground);
    void Poll();

    void* hook_ = nullptr; // the window-event hook (FHook)
    // The message-only window that the hook posts to and the poll timer runs on; it has
    // a window only while started.
    std::unique_ptr<TNotifyWindow> window_;
    TWindowHandle lastForeground_ = 0;
};

} // namespace quillora
