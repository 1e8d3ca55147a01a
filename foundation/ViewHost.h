#pragma once
// What a view of the core asks of the window that shows it (TViewHost), and what the
// window hands to the view (TView). A view never sees a platform handle: it repaints,
// places the caret, captures the pointer, scrolls, runs timers and opens menus through
// its host, and gets its input as the core's own events (foundation/Input.h). The
// window base of Windows implements the host; tests use a recording fake.

#include <cstdint>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Input.h"
#include "foundation/Strings.h"
#include "foundation/UtilsServices.h"

namespace quillora {

// ---- menus as data ----
struct TMenuItem {
    // What the item runs; 0 for separators and submenus.
    int Command = 0;
    // With its accelerator ampersand ("&File"); empty for a separator.
    String Caption;
    // Shown right of the caption ("Ctrl+Z").
    String ShortCut;
    bool Enabled = true;
    bool Checked = false;
    // Drawn bold; what a double click on a tray icon runs.
    bool Default = false;
    bool Visible = true;
    // A submenu when not empty.
    std::vector<TMenuItem> Items;

    static TMenuItem Separator() { return {}; }
    static TMenuItem Item(int command, String caption, String shortCut = {})
    {
        TMenuItem item;
        item.Command = command;
        item.Caption = std::move(caption);
        item.ShortCut = std::move(shortCut);
        return item;
    }
    static TMenuItem Submenu(String caption, std::vector<TMenuItem> items)
    {
        TMenuItem item;
        item.Caption = std::move(caption);
        item.Items = std::move(items);
        return item;
    }
    bool IsSeparator() const { return Command == 0 && Caption.empty() && Items.empty(); }
    bool operator==(const TMenuItem&) const = default;
};
using TMenu = std::vector<TMenuItem>;

// The item that runs `command` anywhere in `menu`; null when there is none.
const TMenuItem* FindMenuItem(const TMenu& menu, int command);
TMenuItem* FindMenuItem(TMenu& menu, int command);

// ---- scrolling ----
enum TScrollBarKind : uint8_t {
    sbHorizontal = 0,
    sbVertical = 1,
};

struct TScrollRange {
    int Min = 0;
    int Max = 0;
    // The visible part; the position runs from Min to Max - Page + 1.
    int Page = 0;
    int Pos = 0;
    // The bar stays visible, disabled, when nothing can be scrolled.
    bool DisableNoScroll = false;
    bool operator==(const TScrollRange&) const = default;
};

// What the user did with a scroll bar.
enum TScrollCode : uint8_t {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scTrack,    // dragging the thumb; the position follows
    scPosition, // the thumb was let go at the position
    scTop,
    scBottom,
    scEndScroll,
};

// ---- the host ----
class TViewHost {
public:
    virtual ~TViewHost() = default;

    // ---- painting ----
    // Repaints `rect` (client coordinates) later; everything when none.
    virtual void Invalidate(const TRect* rect) = 0;
    // Paints what is waiting to be repainted now.
    virtual void UpdateNow() = 0;
    virtual TRect ClientRect() const = 0;
    // Moves the pixels of the client area by (dx, dy) and repaints the strip uncovered;
    // by default everything is repainted.
    virtual void ScrollClient(int dx, int dy) { Invalidate(nullptr); }

    // ---- caret ----
    // Shows the caret as `rect` (client coordinates), moving or resizing it as needed.
    virtual void ShowCaret(const TRect& rect) = 0;
    virtual void HideCaret() = 0;

    // ---- pointer ----
    // Every pointer event goes to the view until ReleasePointer, wherever the pointer is.
    virtual void CapturePointer() = 0;
    virtual void ReleasePointer() = 0;
    virtual bool HasPointerCapture() const = 0;
    virtual void SetCursor(TCursor cursor) = 0;

    // ---- keyboard focus ----
    virtual void TakeFocus() = 0;
    virtual bool HasFocus() const = 0;

    // ---- scroll bars ----
    virtual void SetScrollRange(TScrollBarKind bar, const TScrollRange& range) = 0;
    virtual TScrollRange GetScrollRange(TScrollBarKind bar) const = 0;

    // ---- timers (the view's Timer gets the id) ----
    // Starts the timer `id`, or restarts it when it runs.
    virtual void StartTimer(int id, unsigned milliseconds) = 0;
    virtual void StopTimer(int id) = 0;

    // ---- coordinates ----
    virtual TPoint ClientToScreen(TPoint point) const = 0;
    virtual TPoint ScreenToClient(TPoint point) const = 0;

    // ---- menus ----
    // Opens `menu` at `screenPoint` and waits for the choice: the command of the chosen
    // item, 0 when none was chosen.
    virtual int ShowPopupMenu(const TMenu& menu, TPoint screenPoint) = 0;

    // ---- hints ----
    // Shows `text` as a hint below `screenPoint` (the pointer) after the usual pause, at
    // most `maxWidth` pixels wide (0: a third of the screen's width), replacing the hint
    // shown.
    virtual void ShowHint(const String& text, TPoint screenPoint, int maxWidth) {}
    virtual void HideHint() {}

    // ---- dropped files ----
    // Whether files dragged from the shell may be dropped on the window; they reach the
    // view's DropFiles. Off at first.
    virtual void AcceptFiles(bool accept) {}

    // ---- what the user set for the pointer ----
    // Milliseconds within which a second press counts as a double click.
    virtual uint32_t DoubleClickTime() const = 0;
    // How far (in pixels, each direction) a second press may be from the first.
    virtual TPoint DoubleClickDistance() const = 0;
};

// ---- the view ----
// Input and notices that a window passes to the view it shows. Every operation does
// nothing by default.
class TView {
public:
    virtual ~TView() = default;

    virtual void KeyDown(TKeyEvent& event) {}
    virtual void KeyPress(TKeyEvent& event) {}
    virtual void KeyUp(TKeyEvent& event) {}
    // Presses carry the count of their series (TClickCounter).
    virtual void PointerDown(const TPointerEvent& event) {}
    virtual void PointerMove(const TPointerEvent& event) {}
    virtual void PointerUp(const TPointerEvent& event) {}
    // The pointer left the view.
    virtual void PointerLeave() {}
    // A wheel turn; true when the view scrolled.
    virtual bool Wheel(const TPointerEvent& event) { return false; }
    // The context menu was asked for at `screenPoint` (by the right button or the
    // keyboard); true when the view showed one.
    virtual bool ContextMenu(TPoint screenPoint, bool byKeyboard) { return false; }
    virtual void Scroll(TScrollBarKind bar, TScrollCode code, int position) {}
    virtual void Timer(int id) {}
    virtual void FocusChanged(bool focused) {}
    virtual void Resized(int width, int height) {}
    // A press, drag or capture was cut short by the system (a menu, a dialog).
    virtual void CancelMode() {}
    // Files (full names) were dropped on the view at `point` (client coordinates; range
    // coordinates for a painted view); true when the view took any of them.
    virtual bool DropFiles(const std::vector<String>& fileNames, TPoint point) { return false; }
};

} // namespace quillora
