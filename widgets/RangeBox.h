#pragma once
// TRangeBox: the scrolling viewport. It shows a part of a larger virtual area (the range)
// in its window, keeps the scroll position within limits that depend on its clipping
// policy, drives the window's scroll bars, scrolls with the keyboard, the wheel and by
// dragging with a mouse button (panning), converts pointer input and paint requests
// between window (client) and range coordinates, and mirrors a caret rectangle as the
// window's caret. What it shows is a painted view (render/PaintedView.h), put in by the
// composition.
//
// It is the view of its window (TViewHost): the window hands it the input, it passes what
// it does not take to the content in range coordinates. TPlaceBox is the plain painted
// control it builds on.

#include <cstdint>
#include <functional>

#include "foundation/Geometry.h"
#include "foundation/ViewHost.h"
#include "render/PaintedView.h"

namespace quillora {

// The pointer on the screen, for panning: the cursor is held at the viewport's centre
// and hidden while the content follows the mouse. Asked as Service<TScreenPointer>().
class TScreenPointer {
public:
    virtual ~TScreenPointer() = default;
    // Screen coordinates.
    virtual TPoint GetPosition() const = 0;
    virtual void SetPosition(TPoint point) = 0;
    // Hides (false) or shows again (true) the pointer.
    virtual void ShowPointer(bool show) = 0;
};

// A screen pointer that only remembers where it was put (platforms without one).
class TMemoryScreenPointer : public TScreenPointer {
public:
    TPoint GetPosition() const override { return position_; }
    void SetPosition(TPoint point) override { position_ = point; }
    void ShowPointer(bool show) override { shown_ = show; }
    bool Shown() const { return shown_; }

private:
    TPoint position_;
    bool shown_ = true;
};

// A plain painted control: its window's paint requests go to OnPaint with the target to
// present the picture on and the rectangle to draw (client coordinates).
class TPlaceBox : public TView {
public:
    explicit TPlaceBox(TViewHost& host) : host_(host) {}
    TViewHost& Host() const { return host_; }

    // Paints `rect` (client coordinates) onto `target`. The base calls OnPaint.
    virtual void PaintClient(TPaintTarget& target, const TRect& rect);
    std::function<void(TPaintTarget& target, const TRect& rect)> OnPaint;

protected:
    TViewHost& host_;
};

enum TRangeBoxClipping : uint8_t {
    rbcCenter = 0,  // a range smaller than the window is centred
    rbcTopLeft = 1, // ... kept at the top-left corner
    rbcClip = 2,    // ... may be moved within the window
    rbcFree = 3,    // the range may be scrolled until only the spacing shows
};

using TRangeBoxOptions = uint16_t;
enum TRangeBoxOption : uint16_t {
    rboLeftBtnMove = 1 << 0,         // dragging with the left button pans
    rboRightBtnMove = 1 << 1,        // dragging with the right button pans
    rboWantArrows = 1 << 2,          // the control takes the arrow keys
    rboWantTab = 1 << 3,             // the control takes Tab
    rboResizeCenter = 1 << 4,        // a resize keeps the centre in place
    rboKeysMoveHorz = 1 << 5,        // Left and Right scroll by 12 pixels
    rboKeysMoveVert = 1 << 6,        // Up and Down scroll by 12 pixels
    rboCtrlKeysMoveHorz = 1 << 7,    // Ctrl+Left and Ctrl+Right scroll by 12 pixels
    rboCtrlKeysMoveVert = 1 << 8,    // Ctrl+Up and Ctrl+Down scroll by 12 pixels
    rboNotBuffered = 1 << 9,         // paint straight into the window
    rboScrollFullRepaint = 1 << 10,  // a scroll repaints everything instead of moving pixels
    rboShowPageRect = 1 << 11,       // a dotted rectangle around the range
    rboDisableNoScrollHorz = 1 << 12, // the horizontal bar stays (disabled) when nothing scrolls
    rboDisableNoScrollVert = 1 << 13, // the same for the vertical bar
};

enum TRangeBoxScrollBars : uint8_t { rsbNone, rsbHorizontal, rsbVertical, rsbBoth };

class TRangeBox : public TPlaceBox, public TScrollingViewport {
public:
    static constexpr int KeyStep = 12;
    static constexpr int WheelStep = 26;
    static constexpr int LineStep = 10;
    static constexpr int PanThreshold = 4;

    explicit TRangeBox(TViewHost& host);
    ~TRangeBox() override;

    // The view shown (none: nothing); not owned: it stays until it is replaced or the box
    // goes. It is told of the viewport and of every scroll.
    void SetContent(TPaintedView* content);
    TPaintedView* Content() const { return content_; }

    // ---- fields ----
    int RangeWidth() const { return rangeWidth_; }
    int RangeHeight() const { return rangeHeight_; }
    TRangeBoxClipping Clipping() const { return clipping_; }
    void SetClipping(TRangeBoxClipping clipping);
    TRangeBoxOptions Options() const { return options_; }
    bool HasOption(TRangeBoxOptions option) const { return (options_ & option) != 0; }
    void SetOptions(TRangeBoxOptions options);
    TRangeBoxScrollBars ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TRangeBoxScrollBars bars);
    int Spacing() const { return spacing_; }
    void SetSpacing(int spacing);
    const TRect& CaretRect() const { return caretRect_; }
    // The caret shown in the window (client coordinates); empty when none.
    const TRect& ShownCaret() const { return shownCaret_; }
    bool Panning() const { return panning_; }
    // Whether the window takes the arrow keys and Tab (dialog navigation leaves them).
    bool WantsArrows() const;
    bool WantsTab() const { return HasOption(rboWantTab); }

    // The limits of one axis for range size `range`, client size `client` and `spacing`.
    static void AxisLimits(TRangeBoxClipping clipping, int range, int client, int spacing, int& min, int& max);
    // The limits of the position: (Min.X, Min.Y) and (Max.X, Max.Y).
    void Limits(TPoint& min, TPoint& max) const;

    // ---- TScrollingViewport ----
    void SetRange(int width, int height) override;
    TPoint Position() const override { return position_; }
    void SetPosition(TPoint position) override;
    TPoint ClientSize() const override;
    void MakeRectVisible(const TRect& rect) override;
    void SetCaretRect(const TRect& rect) override;
    void InvalidateRangeRect(const TRect* rect) override;
    TPoint RangeToScreen(TPoint point) const override;
    void SetWantsTab(bool wants) override
    {
        SetOptions(wants ? (options_ | rboWantTab) : (options_ & ~rboWantTab));
    }

    void ScrollBy(int dx, int dy) { SetPosition({position_.X + dx, position_.Y + dy}); }
    TPoint ClientToRange(TPoint p) const { return {p.X + position_.X, p.Y + position_.Y}; }
    TPoint RangeToClient(TPoint p) const { return {p.X - position_.X, p.Y - position_.Y}; }
    TRect ClientToRange(const TRect& r) const;
    TRect RangeToClient(const TRect& r) const;
    TRect GetPageRect() const { return Rect(0, 0, rangeWidth_, rangeHeight_); }

    // The window was made: the bars, their positions and the caret follow the model.
    void WindowCreated();
    // Sets both scroll bars from the range, the limits and the client size, then limits
    // the position again and repaints.
    void UpdateScrollBars();
    void UpdateCaret();

    // ---- painting: `rect` in client coordinates; the content draws in range coordinates ----
    void PaintClient(TPaintTarget& target, const TRect& rect) override;

    // ---- events ----
    std::function<void()> OnScrolling; // before the position changes
    std::function<void()> OnScrolled;  // after
    std::function<void()> OnCancelMode;

    // ---- TView: the window's input ----
    void KeyDown(TKeyEvent& event) override;
    void KeyPress(TKeyEvent& event) override;
    void KeyUp(TKeyEvent& event) override;
    void PointerDown(const TPointerEvent& event) override;
    void PointerMove(const TPointerEvent& event) override;
    void PointerUp(const TPointerEvent& event) override;
    void PointerLeave() override;
    bool Wheel(const TPointerEvent& event) override;
    bool ContextMenu(TPoint screenPoint, bool byKeyboard) override;
    void Scroll(TScrollBarKind bar, TScrollCode code, int position) override;
    void Timer(int id) override;
    void FocusChanged(bool focused) override;
    void Resized(int width, int height) override;
    void CancelMode() override;
    // Dropped files go to the view at their range point.
    bool DropFiles(const std::vector<String>& fileNames, TPoint point) override;

private:
    void StartPanning();
    void StopPanning();
    void SetScrollPositions();

    TPaintedView* content_ = nullptr;
    int rangeWidth_ = 100;
    int rangeHeight_ = 100;
    TPoint position_;
    TRangeBoxClipping clipping_ = rbcCenter;
    TRangeBoxOptions options_ = 0;
    TRangeBoxScrollBars scrollBars_ = rsbNone;
    int spacing_ = 0;
    TRect caretRect_;
    TRect shownCaret_;
    bool caretShown_ = false;
    bool panning_ = false;
    bool leftDown_ = false;
    bool rightDown_ = false;
    // Where the move button was pressed (client); while panning, the pointer's screen
    // position before it.
    TPoint pressPoint_;
    // The screen point at the centre of the client area, where the pointer is held.
    TPoint panCenter_;
    TPoint clientSize_;
    // What the scroll bars were last set to.
    TScrollRange bars_[2];
};

} // namespace quillora
