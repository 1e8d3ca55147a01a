#include "widgets/RangeBox.h"

#include <algorithm>
#include <climits>

#include "foundation/Service.h"

namespace quillora {

void TPlaceBox::PaintClient(TPaintTarget& target, const TRect& rect)
{
    if (OnPaint) OnPaint(target, rect);
}

namespace {

// Presents a picture drawn in range coordinates at its place in the window.
class TShiftedTarget final : public TPaintTarget {
public:
    TShiftedTarget(TPaintTarget& target, TPoint shift) : target_(target), shift_(shift) {}
    void Present(const TBitmap32& buffer, TPoint at) override
    {
        target_.Present(buffer, {at.X - shift_.X, at.Y - shift_.Y});
    }

private:
    TPaintTarget& target_;
    TPoint shift_;
};

int Clamp(int value, int min, int max)
{
    if (value < min) value = min;
    if (value > max) value = max;
    return value;
}

} // namespace

TRangeBox::TRangeBox(TViewHost& host) : TPlaceBox(host)
{
    const TRect client = host.ClientRect();
    clientSize_ = {client.Width(), client.Height()};
}

TRangeBox::~TRangeBox()
{
    if (panning_) StopPanning();
    if (content_) content_->AttachViewport(nullptr, nullptr);
}

void TRangeBox::SetContent(TPaintedView* content)
{
    if (content == content_) return;
    if (content_) content_->AttachViewport(nullptr, nullptr);
    content_ = content;
    if (content_) content_->AttachViewport(this, &host_);
    host_.Invalidate(nullptr);
}

// ---- limits ----

void TRangeBox::AxisLimits(TRangeBoxClipping clipping, int range, int client, int spacing, int& min, int& max)
{
    if (clipping == rbcFree) {
        min = spacing - client;
        max = range - spacing;
    } else if (range + 2 * spacing >= client) {
        min = -spacing;
        max = range - client + spacing;
    } else {
        switch (clipping) {
        case rbcTopLeft:
            min = max = -spacing;
            break;
        case rbcClip:
            min = range - client + spacing;
            max = -spacing;
            break;
        default: // rbcCenter: the odd pixel goes to the right and bottom
            min = max = (range - client) / 2;
            break;
        }
    }
    max = std::max(max, min);
}

void TRangeBox::Limits(TPoint& min, TPoint& max) const
{
    const TPoint client = ClientSize();
    AxisLimits(clipping_, rangeWidth_, client.X, spacing_, min.X, max.X);
    AxisLimits(clipping_, rangeHeight_, client.Y, spacing_, min.Y, max.Y);
}

// ---- fields ----

void TRangeBox::SetRange(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == rangeWidth_ && height == rangeHeight_) return;
    rangeWidth_ = width;
    rangeHeight_ = height;
    UpdateScrollBars();
}

void TRangeBox::SetClipping(TRangeBoxClipping clipping)
{
    if (clipping == clipping_) return;
    clipping_ = clipping;
    UpdateScrollBars();
}

void TRangeBox::SetScrollBars(TRangeBoxScrollBars bars)
{
    if (bars == scrollBars_) return;
    scrollBars_ = bars;
    UpdateScrollBars();
}

void TRangeBox::SetSpacing(int spacing)
{
    if (spacing == spacing_) return;
    spacing_ = spacing;
    UpdateScrollBars();
}

void TRangeBox::SetOptions(TRangeBoxOptions options)
{
    const TRangeBoxOptions changed = options ^ options_;
    options_ = options;
    if (changed & (rboDisableNoScrollHorz | rboDisableNoScrollVert)) UpdateScrollBars();
    if (changed & (rboNotBuffered | rboShowPageRect)) host_.Invalidate(nullptr);
}

bool TRangeBox::WantsArrows() const
{
    return HasOption(rboWantArrows | rboKeysMoveHorz | rboKeysMoveVert | rboCtrlKeysMoveHorz | rboCtrlKeysMoveVert);
}

TPoint TRangeBox::ClientSize() const
{
    const TRect client = host_.ClientRect();
    return {client.Width(), client.Height()};
}

// ---- position ----

void TRangeBox::SetPosition(TPoint position)
{
    TPoint min, max;
    Limits(min, max);
    position.X = Clamp(position.X, min.X, max.X);
    position.Y = Clamp(position.Y, min.Y, max.Y);
    if (position == position_) return;
    if (OnScrolling) OnScrolling();
    const TPoint old = position_;
    position_ = position;
    if (HasOption(rboScrollFullRepaint)) host_.Invalidate(nullptr);
    else host_.ScrollClient(old.X - position.X, old.Y - position.Y);
    SetScrollPositions();
    UpdateCaret();
    if (content_) content_->Scrolled(position_);
    if (OnScrolled) OnScrolled();
}

void TRangeBox::MakeRectVisible(const TRect& rect)
{
    const TPoint client = ClientSize();
    TPoint p = position_;
    if (p.X + client.X < rect.Right) p.X = rect.Right - client.X;
    if (rect.Left < p.X) p.X = rect.Left;
    if (p.Y + client.Y < rect.Bottom) p.Y = rect.Bottom - client.Y;
    if (rect.Top < p.Y) p.Y = rect.Top;
    SetPosition(p);
}

TRect TRangeBox::ClientToRange(const TRect& r) const
{
    TRect result = r;
    result.Offset(position_.X, position_.Y);
    return result;
}

TRect TRangeBox::RangeToClient(const TRect& r) const
{
    TRect result = r;
    result.Offset(-position_.X, -position_.Y);
    return result;
}

void TRangeBox::InvalidateRangeRect(const TRect* rect)
{
    if (!rect) {
        host_.Invalidate(nullptr);
        return;
    }
    const TRect client = RangeToClient(*rect);
    host_.Invalidate(&client);
}

TPoint TRangeBox::RangeToScreen(TPoint point) const { return host_.ClientToScreen(RangeToClient(point)); }

// ---- scroll bars ----

void TRangeBox::SetScrollPositions()
{
    for (TScrollBarKind bar : {sbHorizontal, sbVertical}) {
        const bool used = scrollBars_ == rsbBoth || (bar == sbHorizontal ? scrollBars_ == rsbHorizontal
                                                                          : scrollBars_ == rsbVertical);
        if (!used) continue;
        TScrollRange& range = bars_[bar];
        const int pos = bar == sbHorizontal ? position_.X : position_.Y;
        if (range.Pos == pos) continue;
        range.Pos = pos;
        host_.SetScrollRange(bar, range);
    }
}

void TRangeBox::UpdateScrollBars()
{
    TPoint min, max;
    Limits(min, max);
    const TPoint client = ClientSize();
    for (TScrollBarKind bar : {sbHorizontal, sbVertical}) {
        const bool horizontal = bar == sbHorizontal;
        const bool used = scrollBars_ == rsbBoth || (horizontal ? scrollBars_ == rsbHorizontal
                                                                : scrollBars_ == rsbVertical);
        TScrollRange range;
        if (used) {
            const int c = horizontal ? client.X : client.Y;
            range.Min = horizontal ? min.X : min.Y;
            range.Max = (horizontal ? max.X : max.Y) + c - 1;
            range.Page = c;
            range.Pos = Clamp(horizontal ? position_.X : position_.Y, range.Min, horizontal ? max.X : max.Y);
            range.DisableNoScroll = HasOption(horizontal ? rboDisableNoScrollHorz : rboDisableNoScrollVert);
        }
        bars_[bar] = range;
        host_.SetScrollRange(bar, range);
    }
    SetPosition(position_);
    host_.Invalidate(nullptr);
}

void TRangeBox::WindowCreated()
{
    const TRect client = host_.ClientRect();
    clientSize_ = {client.Width(), client.Height()};
    UpdateScrollBars();
    SetScrollPositions();
    UpdateCaret();
}

// ---- caret ----

void TRangeBox::SetCaretRect(const TRect& rect)
{
    if (rect == caretRect_) return;
    caretRect_ = rect;
    UpdateCaret();
}

void TRangeBox::UpdateCaret()
{
    const TRect wanted = host_.HasFocus() ? caretRect_ : TRect {};
    if (wanted.IsEmpty()) {
        if (caretShown_) {
            host_.HideCaret();
            caretShown_ = false;
        }
        shownCaret_ = {};
        return;
    }
    const TRect client = RangeToClient(wanted);
    if (caretShown_ && client == shownCaret_) return;
    host_.ShowCaret(client);
    caretShown_ = true;
    shownCaret_ = client;
}

// ---- painting ----

void TRangeBox::PaintClient(TPaintTarget& target, const TRect& rect)
{
    if (rect.IsEmpty()) return;
    TPlaceBox::PaintClient(target, rect);
    if (!content_) return;
    TShiftedTarget shifted(target, position_);
    content_->Paint(shifted, ClientToRange(rect));
}

// ---- input ----

void TRangeBox::KeyDown(TKeyEvent& event)
{
    if (!panning_) {
        const bool ctrl = event.Modifiers(ssCtrl);
        const bool plain = event.Modifiers(0);
        TPoint delta;
        switch (event.Key) {
        case kcLeft:
        case kcRight:
            if ((plain && HasOption(rboKeysMoveHorz)) || (ctrl && HasOption(rboCtrlKeysMoveHorz)))
                delta.X = event.Key == kcLeft ? -KeyStep : KeyStep;
            break;
        case kcUp:
        case kcDown:
            if ((plain && HasOption(rboKeysMoveVert)) || (ctrl && HasOption(rboCtrlKeysMoveVert)))
                delta.Y = event.Key == kcUp ? -KeyStep : KeyStep;
            break;
        default:
            break;
        }
        if (delta.X != 0 || delta.Y != 0) {
            ScrollBy(delta.X, delta.Y);
            event.Consume();
        }
    }
    if (content_) content_->KeyDown(event);
}

void TRangeBox::KeyPress(TKeyEvent& event)
{
    if (content_) content_->KeyPress(event);
}

void TRangeBox::KeyUp(TKeyEvent& event)
{
    if (content_) content_->KeyUp(event);
}

void TRangeBox::PointerDown(const TPointerEvent& event)
{
    if (panning_) return;
    host_.TakeFocus();
    // The pointer stays with the control while a button is held.
    host_.CapturePointer();
    if ((event.Button == pbLeft && HasOption(rboLeftBtnMove)) ||
        (event.Button == pbRight && HasOption(rboRightBtnMove))) {
        (event.Button == pbLeft ? leftDown_ : rightDown_) = true;
        pressPoint_ = event.Point;
        return;
    }
    if (content_) content_->PointerDown(event.At(ClientToRange(event.Point)));
}

void TRangeBox::PointerMove(const TPointerEvent& event)
{
    if (panning_) {
        TScreenPointer& pointer = Service<TScreenPointer>();
        const TPoint at = pointer.GetPosition();
        pointer.SetPosition(panCenter_);
        ScrollBy(panCenter_.X - at.X, panCenter_.Y - at.Y);
        host_.UpdateNow();
        return;
    }
    if (leftDown_ || rightDown_) {
        if (std::abs(event.Point.X - pressPoint_.X) >= PanThreshold ||
            std::abs(event.Point.Y - pressPoint_.Y) >= PanThreshold)
            StartPanning();
        return;
    }
    if (content_) content_->PointerMove(event.At(ClientToRange(event.Point)));
}

void TRangeBox::PointerUp(const TPointerEvent& event)
{
    const bool moveButton = (event.Button == pbLeft && leftDown_) || (event.Button == pbRight && rightDown_);
    if (event.Button == pbLeft) leftDown_ = false;
    if (event.Button == pbRight) rightDown_ = false;
    if ((event.Shift & (ssLeft | ssRight | ssMiddle)) == 0) host_.ReleasePointer();
    if (panning_) {
        StopPanning();
        return;
    }
    // A click of a move button that did not pan goes nowhere.
    if (moveButton) return;
    if (content_) content_->PointerUp(event.At(ClientToRange(event.Point)));
}

void TRangeBox::PointerLeave()
{
    if (content_) content_->PointerLeave();
}

bool TRangeBox::Wheel(const TPointerEvent& event)
{
    if (content_ && content_->Wheel(event.At(ClientToRange(event.Point)))) return true;
    if (event.WheelDelta < 0) ScrollBy(0, WheelStep);
    else if (event.WheelDelta > 0) ScrollBy(0, -WheelStep);
    return true;
}

bool TRangeBox::ContextMenu(TPoint screenPoint, bool byKeyboard)
{
    // No menu while panning (the right button may be the move button).
    if (panning_ || rightDown_) return true;
    return content_ && content_->ContextMenu(screenPoint, byKeyboard);
}

void TRangeBox::Scroll(TScrollBarKind bar, TScrollCode code, int position)
{
    host_.TakeFocus();
    const TPoint client = ClientSize();
    const bool horizontal = bar == sbHorizontal;
    const int c = horizontal ? client.X : client.Y;
    int value = horizontal ? position_.X : position_.Y;
    switch (code) {
    case scLineUp: value -= LineStep; break;
    case scLineDown: value += LineStep; break;
    case scPageUp: value -= c; break;
    case scPageDown: value += c; break;
    case scTrack:
    case scPosition: value = position; break;
    case scTop: value = 0; break;
    case scBottom: value = INT_MAX; break;
    default: return;
    }
    TPoint p = position_;
    (horizontal ? p.X : p.Y) = value;
    SetPosition(p);
}

void TRangeBox::Timer(int id)
{
    if (content_) content_->Timer(id);
}

void TRangeBox::FocusChanged(bool focused)
{
    UpdateCaret();
    if (content_) content_->FocusChanged(focused);
}

void TRangeBox::Resized(int width, int height)
{
    const TPoint old = clientSize_;
    clientSize_ = {width, height};
    if (HasOption(rboResizeCenter)) ScrollBy((old.X - width) / 2, (old.Y - height) / 2);
    UpdateScrollBars();
    if (content_) content_->Resized(width, height);
}

bool TRangeBox::DropFiles(const std::vector<String>& fileNames, TPoint point)
{
    return !panning_ && content_ && content_->DropFiles(fileNames, ClientToRange(point));
}

void TRangeBox::CancelMode()
{
    leftDown_ = false;
    rightDown_ = false;
    if (panning_) StopPanning();
    if (content_) content_->CancelMode();
    if (OnCancelMode) OnCancelMode();
}

// ---- panning ----

void TRangeBox::StartPanning()
{
    panning_ = true;
    TScreenPointer& pointer = Service<TScreenPointer>();
    pointer.ShowPointer(false);
    pressPoint_ = pointer.GetPosition();
    const TRect client = host_.ClientRect();
    const TPoint topLeft = host_.ClientToScreen(client.TopLeft());
    const TPoint bottomRight = host_.ClientToScreen(client.BottomRight());
    panCenter_ = {(topLeft.X + bottomRight.X) / 2, (topLeft.Y + bottomRight.Y) / 2};
    pointer.SetPosition(panCenter_);
}

void TRangeBox::StopPanning()
{
    panning_ = false;
    TScreenPointer& pointer = Service<TScreenPointer>();
    pointer.SetPosition(pressPoint_);
    pointer.ShowPointer(true);
}

} // namespace quillora
