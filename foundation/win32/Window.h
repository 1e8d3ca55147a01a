#pragma once
// TWindow: the base of the program's windows. It registers its window class once per
// process, routes every message of its window to the object (WindowProc), catches every
// error at that edge and hands it to the application's error handler, turns input
// messages into the core's events, and serves as the host of a core view (TViewHost):
// painting, the caret, the pointer, scroll bars, timers and menus.
//
//   class TMyForm : public TWindow {
//       LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
//       {
//           if (msg == WM_CLOSE) { ...; return 0; }
//           return TWindow::WindowProc(msg, wParam, lParam); // input, then the default
//       }
//   };
//   form.CreateHandle({L"TMyForm"}, {L"Caption", WS_OVERLAPPEDWINDOW});
#include "foundation/win32/WinInclude.h"

#include <memory>
#include <string>
#include <vector>

#include "foundation/Input.h"
#include "foundation/ViewHost.h"

namespace quillora {

// What a window class is registered with (once per process, at its first window).
struct TWindowClass {
    const wchar_t* Name = nullptr;
    UINT Style = 0;
    HICON Icon = nullptr;
    HICON SmallIcon = nullptr;
    // The arrow when none.
    HCURSOR Cursor = nullptr;
    HBRUSH Background = nullptr;
};

// How and where a window is made.
struct TWindowParams {
    const wchar_t* Caption = L"";
    DWORD Style = WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = 0;
    int X = CW_USEDEFAULT;
    int Y = CW_USEDEFAULT;
    int Width = CW_USEDEFAULT;
    int Height = CW_USEDEFAULT;
    // HWND_MESSAGE makes a window that only receives messages.
    HWND Parent = nullptr;
    HMENU Menu = nullptr;
    // The program's module when none.
    HINSTANCE Instance = nullptr;
};

class TWindow : public TViewHost {
public:
    TWindow();
    // Destroys the window when it is still there; the subclass's own handlers no longer
    // run then (a subclass that must see its WM_DESTROY calls DestroyHandle first).
    ~TWindow() override;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    // Registers `windowClass` unless this process did already, and creates the window
    // for this object. False when the system refused; the object has no window then.
    bool CreateHandle(const TWindowClass& windowClass, const TWindowParams& params);
    // Destroys the window; the object stays and may make another one.
    void DestroyHandle();
    HWND Handle() const { return handle_; }
    // The object is being destroyed: its window goes for good.
    bool Destroying() const { return destroying_; }
    // Expires when the object is gone, for those that may outlive it.
    std::weak_ptr<void> Lifetime() const { return lifetime_; }
    // The object of a window made by TWindow; null for other windows.
    static TWindow* FromHandle(HWND window);

    // The view that gets the window's input and notices; none: only the window's own
    // handlers. Not owned.
    void SetView(TView* view) { view_ = view; }
    TView* View() const { return view_; }

    // ---- showing ----
    // Shows and activates the window, maximized when it was maximized while hidden.
    void Show();
    // Maximizes a visible window; a hidden one comes back maximized at Show.
    void Maximize();
    // Maximized, or hidden and to come back maximized.
    bool Maximized() const;
    // While the user drags or sizes the window (and it is not maximized), its edges snap
    // to the edges of the work area.
    void SetSnapToScreenEdges(bool snap) { snapToScreenEdges_ = snap; }

    // ---- the class record ----
    // This process registered the class `name` through a window of this kind.
    static bool ClassRegistered(const wchar_t* name);

    // ---- TViewHost ----
    void Invalidate(const TRect* rect) override;
    void UpdateNow() override;
    TRect ClientRect() const override;
    void ScrollClient(int dx, int dy) override;
    void ShowCaret(const TRect& rect) override;
    void HideCaret() override;
    void CapturePointer() override;
    void ReleasePointer() override;
    bool HasPointerCapture() const override;
    void SetCursor(TCursor cursor) override;
    void TakeFocus() override;
    bool HasFocus() const override;
    void SetScrollRange(TScrollBarKind bar, const TScrollRange& range) override;
    TScrollRange GetScrollRange(TScrollBarKind bar) const override;
    void StartTimer(int id, unsigned milliseconds) override;
    void StopTimer(int id) override;
    TPoint ClientToScreen(TPoint point) const override;
    TPoint ScreenToClient(TPoint point) const override;
    int ShowPopupMenu(const TMenu& menu, TPoint screenPoint) override;
    void ShowHint(const String& text, TPoint screenPoint, int maxWidth) override;
    void HideHint() override;
    void AcceptFiles(bool accept) override;
    // The hint's tooltip window while a hint shows; null otherwise (for tests).
    HWND HintWindow() const { return hintShown_ ? hintWindow_ : nullptr; }
    uint32_t DoubleClickTime() const override;
    TPoint DoubleClickDistance() const override;

protected:
    // Every message of the window. The base turns input into the handlers below and
    // leaves the rest to the system's default handling; a subclass handles what it
    // needs and passes everything else here. Errors raised here reach the error
    // handler, and the message then counts as handled.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // The system's default handling.
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // ---- input (each passes to the view, when there is one) ----
    // A key event that the handler consumes is not handled further by the system.
    virtual void KeyDown(TKeyEvent& event);
    virtual void KeyPress(TKeyEvent& event);
    virtual void KeyUp(TKeyEvent& event);
    // Presses carry the count of their series.
    virtual void PointerDown(const TPointerEvent& event);
    virtual void PointerMove(const TPointerEvent& event);
    virtual void PointerUp(const TPointerEvent& event);
    virtual void PointerLeave();
    // True when it scrolled; otherwise the parent gets the wheel.
    virtual bool Wheel(const TPointerEvent& event);
    // True when a menu was shown; otherwise the parent is asked.
    virtual bool ContextMenu(TPoint screenPoint, bool byKeyboard);
    virtual void Scroll(TScrollBarKind bar, TScrollCode code, int position);
    // Timers started with StartTimer (or SetTimer without a procedure).
    virtual void Timer(int id);
    virtual void FocusChanged(bool focused);
    virtual void Resized(int width, int height);
    virtual void CancelMode();
    // Files dropped from the shell (AcceptFiles) at `point` (client coordinates).
    virtual bool DropFiles(const std::vector<String>& fileNames, TPoint point);

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    // The base's handling of one message; false when it is not one of the base's.
    bool HandleInput(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool HandleKey(UINT msg, WPARAM wParam, LPARAM lParam);
    void HandlePointer(UINT msg, WPARAM wParam, LPARAM lParam);
    void TrackLeave();
    void CreateSystemCaret();
    void DestroySystemCaret();
    bool SetClientCursor();
    void SnapPosition(WINDOWPOS& position) const;
    void PopUpHint();
    void HandleDropFiles(WPARAM drop);

    HWND handle_ = nullptr;
    TView* view_ = nullptr;
    std::shared_ptr<int> lifetime_;
    bool destroying_ = false;
    TClickCounter clicks_;
    bool trackingLeave_ = false;
    // The caret the view asked for, and whether the system's caret is made for it.
    TRect caret_;
    bool caretShown_ = false;
    bool systemCaret_ = false;
    int caretWidth_ = 0;
    int caretHeight_ = 0;
    TCursor cursor_ = crDefault;
    bool maximizeOnShow_ = false;
    bool snapToScreenEdges_ = false;
    // Files may be dropped on the window (kept for a window made again).
    bool acceptFiles_ = false;
    bool inSizeMove_ = false;
    // The hint: its tooltip window (made on first use), the text and place waiting for
    // the pause to end, and when the last hint went (a hint soon after shows sooner).
    HWND hintWindow_ = nullptr;
    bool hintShown_ = false;
    std::wstring hintText_;
    TPoint hintPoint_;
    int hintMaxWidth_ = 0;
    DWORD hintHiddenAt_ = 0;
};

} // namespace quillora
