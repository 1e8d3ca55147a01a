#pragma once
// A view that paints a larger area than its window shows, and the scrolling viewport
// that shows it. The viewport (a control of the widget kit) keeps the scroll position,
// turns the window's input into the view's (pointer points in range coordinates) and
// asks the view to paint parts of the range; the view tells the viewport how large its
// range is, which part must be visible and where its caret is. Neither knows the other's
// class: the composition puts a view into a viewport.

#include "foundation/Geometry.h"
#include "foundation/ViewHost.h"
#include "render/Canvas.h"

namespace quillora {

// What a painted view asks of the viewport that shows it. Rectangles and points are in
// range coordinates (the view's own) unless said otherwise.
class TScrollingViewport {
public:
    virtual ~TScrollingViewport() = default;

    // The size of the view's whole area; negative values count as 0.
    virtual void SetRange(int width, int height) = 0;
    // The range point at the top-left corner of the visible area.
    virtual TPoint Position() const = 0;
    // Scrolls to `position`, limited to what the viewport allows.
    virtual void SetPosition(TPoint position) = 0;
    // Width (X) and height (Y) of the visible area.
    virtual TPoint ClientSize() const = 0;
    // Scrolls as little as needed so that `rect` is inside the visible area.
    virtual void MakeRectVisible(const TRect& rect) = 0;
    // The text caret to mirror as the platform's caret (for screen readers and input
    // methods); an empty rectangle: none.
    virtual void SetCaretRect(const TRect& rect) = 0;
    // Repaints `rect`; everything when none.
    virtual void InvalidateRangeRect(const TRect* rect) = 0;
    // A range point on the screen (to place pop-ups).
    virtual TPoint RangeToScreen(TPoint point) const = 0;
    // Whether Tab is the view's key (typed into a text) rather than the dialog's.
    virtual void SetWantsTab(bool wants) {}
};

// A view that paints itself in range coordinates. Its input (TView) arrives with the
// pointer in range coordinates; keys, the wheel, timers and focus as they are.
class TPaintedView : public TView {
public:
    // Draws `rect` of the range and hands the finished picture to `target`, with its
    // top-left corner at `rect`'s (range coordinates).
    virtual void Paint(TPaintTarget& target, const TRect& rect) = 0;
    // The view is shown in `viewport` now (none: no longer); `host` is the viewport's
    // window, for timers, the cursor, the pointer capture and menus.
    virtual void AttachViewport(TScrollingViewport* viewport, TViewHost* host) {}
    // The viewport scrolled to `position` (by the user or by SetPosition).
    virtual void Scrolled(TPoint position) {}
};

} // namespace quillora
