#include "elements/VisualElement.h"

#include "elements/FindReplace.h"

#include <climits>

#include "elements/CustomSheet.h"
#include "elements/Messages.h"
#include "elements/Filer.h"
#include "elements/MessagesSign.h"
#include "elements/Operations.h"
#include "elements/Scheme.h"
#include "elements/Unaccepted.h"
#include "foundation/Knot.h"

namespace quillora {

namespace {

bool SchemeIsReadOnly(const TScheme* scheme) { return scheme && scheme->ReadOnly(); }

// Keeps the scheme's undo group open for the lifetime of the guard.
class TSchemeGroupGuard {
public:
    explicit TSchemeGroupGuard(TScheme* scheme) : scheme_(scheme)
    {
        if (scheme_) scheme_->BeginGroup(false);
    }
    ~TSchemeGroupGuard()
    {
        if (scheme_) scheme_->EndGroup();
    }
    TSchemeGroupGuard(const TSchemeGroupGuard&) = delete;
    TSchemeGroupGuard& operator=(const TSchemeGroupGuard&) = delete;

private:
    TScheme* scheme_;
};

} // namespace

// ---- life ----

TVisualElement::TVisualElement() = default;

TVisualElement::~TVisualElement()
{
    BeginDestroy();
    if (visualParent_) {
        TVisualElement* parent = visualParent_;
        parent->RemoveVisualChild(this);
        visualParent_ = nullptr;
    }
    while (TVisualElement* child = firstVisual_) {
        RemoveVisualChild(child);
        child->visualParent_ = nullptr;
    }
    if (sheet_) SetSheet(nullptr);
    FreeMessagesSign();
}

void TVisualElement::Create()
{
    TElement::Create();
    visualState_ = vsVisible;
    descent_ = 3;
    UpdateDisabled();
    UpdateInSelection();
    UpdateVisible();
}

// ---- queries ----

bool TVisualElement::IsFocused() const { return sheet_ && sheet_->GetFocused() == this; }
bool TVisualElement::IsPressed() const { return sheet_ && sheet_->GetCapture() == this; }
bool TVisualElement::IsHovered() const { return sheet_ && sheet_->GetHover() == this; }

bool TVisualElement::IsReadOnly() const
{
    return HasVisualOption(voReadOnly) || (sheet_ && sheet_->GetReadOnly()) || SchemeIsReadOnly(Scheme());
}

bool TVisualElement::IsVisualAncestorOf(const TVisualElement* element) const
{
    for (const TVisualElement* e = element ? element->visualParent_ : nullptr; e; e = e->visualParent_)
        if (e == this) return true;
    return false;
}

bool TVisualElement::IsFocusAncestorOf(const TVisualElement* element) const
{
    for (TVisualElement* e = element ? const_cast<TVisualElement*>(element)->GetFocusParent() : nullptr; e;
         e = e->GetFocusParent())
        if (e == this) return true;
    return false;
}

// ---- coordinates ----

TPoint TVisualElement::ToParent(TPoint point) const { return {point.X + left_, point.Y + top_}; }
TPoint TVisualElement::FromParent(TPoint point) const { return {point.X - left_, point.Y - top_}; }

TPoint TVisualElement::ToSheet(TPoint point) const
{
    for (const TVisualElement* e = this; e; e = e->visualParent_) point = e->ToParent(point);
    return point;
}

TPoint TVisualElement::FromSheet(TPoint point) const
{
    for (const TVisualElement* e = this; e; e = e->visualParent_) point = e->FromParent(point);
    return point;
}

TRect TVisualElement::ToParent(const TRect& rect) const
{
    TRect r = rect;
    r.Offset(left_, top_);
    return r;
}

TRect TVisualElement::ToSheet(const TRect& rect) const
{
    TPoint p = ToSheet(TPoint{0, 0});
    TRect r = rect;
    r.Offset(p.X, p.Y);
    return r;
}

TRect TVisualElement::GetBoundsRect() const { return Bounds(left_, top_, width_, height_); }
TRect TVisualElement::GetLocalRect() const { return Bounds(0, 0, width_, height_); }

// ---- visual tree ----

void TVisualElement::SetVisualParent(TVisualElement* newParent, TVisualElement* before)
{
    if (newParent == visualParent_) {
        if (!newParent || before == nextVisual_) return;
        newParent->MoveVisualChild(this, before);
        Invalidate();
        return;
    }
    if (TVisualElement* oldParent = visualParent_) {
        const TRect oldArea = GetBoundsRect();
        oldParent->RemoveVisualChild(this);
        visualParent_ = nullptr;
        oldParent->InvalidateRect(oldArea);
    }
    visualParent_ = newParent;
    RecomputeInAutoHide();
    if (newParent) {
        newParent->InsertVisualChild(this, before);
        Invalidate();
    }
    VisualParentChanged();
}

void TVisualElement::InsertVisualChild(TVisualElement* child, TVisualElement* before)
{
    if (before && before->visualParent_ != this) before = nullptr;
    child->nextVisual_ = before;
    child->prevVisual_ = before ? before->prevVisual_ : lastVisual_;
    if (child->prevVisual_) child->prevVisual_->nextVisual_ = child;
    else firstVisual_ = child;
    if (before) before->prevVisual_ = child;
    else lastVisual_ = child;
    child->SetSheet(sheet_);
}

void TVisualElement::RemoveVisualChild(TVisualElement* child)
{
    if (child->prevVisual_) child->prevVisual_->nextVisual_ = child->nextVisual_;
    else firstVisual_ = child->nextVisual_;
    if (child->nextVisual_) child->nextVisual_->prevVisual_ = child->prevVisual_;
    else lastVisual_ = child->prevVisual_;
    child->prevVisual_ = child->nextVisual_ = nullptr;
    child->SetSheet(nullptr);
    if (HasVisualOption(voMultiSelect) && child->HasVisualState(vsSelected)) ReportSelection();
}

void TVisualElement::MoveVisualChild(TVisualElement* child, TVisualElement* before)
{
    if (child == before || child->nextVisual_ == before) return;
    // Unlink without touching the sheet, then link again.
    if (child->prevVisual_) child->prevVisual_->nextVisual_ = child->nextVisual_;
    else firstVisual_ = child->nextVisual_;
    if (child->nextVisual_) child->nextVisual_->prevVisual_ = child->prevVisual_;
    else lastVisual_ = child->prevVisual_;
    if (before && before->visualParent_ != this) before = nullptr;
    child->nextVisual_ = before;
    child->prevVisual_ = before ? before->prevVisual_ : lastVisual_;
    if (child->prevVisual_) child->prevVisual_->nextVisual_ = child;
    else firstVisual_ = child;
    if (before) before->prevVisual_ = child;
    else lastVisual_ = child;
}

void TVisualElement::SetSheetOfSubtree(TCustomSheet* sheet)
{
    sheet_ = sheet;
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) c->SetSheetOfSubtree(sheet);
}

void TVisualElement::SetSheet(TCustomSheet* sheet)
{
    if (sheet == sheet_) return;
    DetachingFromSheet();
    SetSheetOfSubtree(sheet);
    if (HasState(esDestroying)) return;
    const bool attached = sheet != nullptr;
    if (sheet) {
        sheet->BeginUpdate();
        try {
            UpdateLayout(true, attached, attached, attached);
        } catch (...) {
            sheet->EndUpdate();
            throw;
        }
        sheet->EndUpdate();
    } else {
        UpdateLayout(true, false, false, false);
    }
}

void TVisualElement::DetachingFromSheet()
{
    FreeMessagesSign();
    if (sheet_) sheet_->ElementRemoved(this);
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) c->DetachingFromSheet();
}

void TVisualElement::VisualParentChanged()
{
    UpdateDisabled();
    UpdateInSelection();
    UpdateVisible();
}

// ---- geometry ----

bool TVisualElement::SetBounds(int left, int top, int width, int height, int descent)
{
    Invalidate();
    if (left == left_ && top == top_ && width == width_ && height == height_ && descent == descent_) return false;
    const TRect oldRect = GetBoundsRect();
    const int oldDescent = descent_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    descent_ = descent;
    Invalidate();
    if (left != oldRect.Left || top != oldRect.Top) PositionChanged();
    if (visualParent_) visualParent_->ChildBoundsChanged(this, oldRect, oldDescent);
    if (sheet_ && sheet_->GetRoot() == this) sheet_->SizeChanged();
    BoundsChanged(oldRect, oldDescent);
    return true;
}

void TVisualElement::Invalidate() { InvalidateRect(GetLocalRect()); }

void TVisualElement::InvalidateRect(const TRect& rect)
{
    if (HasState(esDestroying) || !sheet_ || !IsVisible()) return;
    if (sheet_->IsUpdating()) {
        sheet_->Invalidate(nullptr);
        return;
    }
    TRect limit;
    GetInvalidateRect(limit);
    TRect r{std::max(rect.Left, limit.Left), std::max(rect.Top, limit.Top), std::min(rect.Right, limit.Right),
            std::min(rect.Bottom, limit.Bottom)};
    if (r.IsEmpty()) return;
    if (visualParent_) visualParent_->InvalidateRect(ToParent(r));
    else {
        r = ToParent(r);
        sheet_->Invalidate(&r);
    }
}

void TVisualElement::GetInvalidateRect(TRect& rect) { rect = GetLocalRect(); }

void TVisualElement::PositionChanged()
{
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) c->PositionChanged();
    PlaceMessagesSign();
    if (IsFocused()) sheet_->UpdateCaret();
}

void TVisualElement::GetAvailableSize(TVisualElement* child, int& width, int& height)
{
    if (visualParent_) visualParent_->GetAvailableSize(this, width, height);
    else if (sheet_ && sheet_->GetRoot() == this) sheet_->GetAvailableSize(width, height);
    else width = height = INT_MAX;
}

void TVisualElement::GetMargins(TRect& rect)
{
    TSheetCanvas* canvas = sheet_ ? sheet_->GetCanvas() : nullptr;
    rect = canvas ? canvas->GetThemeMargins(steField) : TRect{};
}

void TVisualElement::GetMouseTransparent(TRect& rect) { rect = {}; }
void TVisualElement::GetPadding(TRect& rect) { rect = {}; }

// ---- drawing ----

void TVisualElement::PaintAll(TSheetCanvas& canvas, int paintFlags)
{
    const int dx = left_, dy = top_;
    canvas.MoveOrigin(dx, dy);
    try {
        Paint(canvas, paintFlags);
        PaintChildren(canvas, paintFlags);
        if (IsEffectivelyDisabled() && !(visualParent_ && visualParent_->IsEffectivelyDisabled()))
            PaintDisabled(canvas);
        if (HasVisualState(vsExternalEditing)) PaintExternalEditing(canvas);
        if (HasState(esMarked) && !(paintFlags & pfNoMark)) PaintMark(canvas);
    } catch (...) {
        canvas.MoveOrigin(-dx, -dy);
        throw;
    }
    canvas.MoveOrigin(-dx, -dy);
}

void TVisualElement::PaintChildren(TSheetCanvas& canvas, int paintFlags)
{
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_)
        if (c->IsVisible() && canvas.RectVisible(c->GetBoundsRect())) PaintChild(canvas, paintFlags, c);
}

void TVisualElement::PaintChild(TSheetCanvas& canvas, int paintFlags, TVisualElement* child)
{
    child->PaintAll(canvas, paintFlags);
}

void TVisualElement::Paint(TSheetCanvas& canvas, int paintFlags) {}
void TVisualElement::PaintDisabled(TSheetCanvas& canvas) { canvas.FillDisabled(GetLocalRect()); }
void TVisualElement::PaintExternalEditing(TSheetCanvas& canvas)
{
    canvas.DrawThemeFrame(steExternalEditingMode, GetLocalRect());
}
void TVisualElement::PaintMark(TSheetCanvas& canvas) { canvas.DrawThemeFrame(steMark, GetLocalRect()); }
void TVisualElement::PaintOverlay(TSheetCanvas& canvas) {}

// ---- hit testing ----

TVisualElement* TVisualElement::HitTest(TPoint point, int hitFlags)
{
    if (HasVisualState(vsInSelection) && !(hitFlags & hfInSelection)) return nullptr;
    if (HasVisualOption(voPassive) && !(hitFlags & hfPassive)) return nullptr;
    if (!ContainsPoint(point)) return nullptr;
    if (hitFlags & hfChildren) {
        int childFlags = hitFlags | hfSelf;
        if (!(hitFlags & hfDescendants)) childFlags &= ~hfChildren;
        for (TVisualElement* c = lastVisual_; c; c = c->prevVisual_)
            if (c->IsVisible())
                if (TVisualElement* hit = c->HitTest(c->FromParent(point), childFlags)) return hit;
    }
    return (hitFlags & hfSelf) ? this : nullptr;
}

bool TVisualElement::ContainsPoint(TPoint point)
{
    TRect bands;
    GetMouseTransparent(bands);
    return point.X >= bands.Left && point.Y >= bands.Top && point.X < width_ - bands.Right &&
           point.Y < height_ - bands.Bottom;
}

// ---- cached states ----

void TVisualElement::SetVisualStateBit(TVisualState bit, bool value)
{
    if (value) visualState_ = static_cast<TVisualState>(visualState_ | bit);
    else visualState_ = static_cast<TVisualState>(visualState_ & ~bit);
}

void TVisualElement::UpdateCachedState(TVisualState bit, bool (TVisualElement::*compute)(), void (TVisualElement::*changed)())
{
    if (HasState(esDestroying)) return;
    const bool value = (this->*compute)();
    if (value == HasVisualState(bit)) return;
    SetVisualStateBit(bit, value);
    (this->*changed)();
}

void TVisualElement::UpdateDisabled()
{
    UpdateCachedState(vsEffectivelyDisabled, &TVisualElement::ComputeDisabled, &TVisualElement::EffectivelyDisabledChanged);
}

void TVisualElement::UpdateInSelection()
{
    UpdateCachedState(vsInSelection, &TVisualElement::ComputeInSelection, &TVisualElement::InSelectionChanged);
}

void TVisualElement::UpdateVisible()
{
    UpdateCachedState(vsVisible, &TVisualElement::ComputeVisible, &TVisualElement::VisibleChanged);
}

bool TVisualElement::ComputeDisabled()
{
    return HasVisualState(vsDisabled) || (visualParent_ && visualParent_->IsEffectivelyDisabled());
}

bool TVisualElement::ComputeInSelection()
{
    return HasVisualState(vsSelected) || (visualParent_ && visualParent_->HasVisualState(vsInSelection));
}

bool TVisualElement::HasShownValueOrFocusInside()
{
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) {
        if ((c->HasFlag(efValue) && c->HasState(esHasValue)) || c->IsFocused()) return true;
        if (c->HasShownValueOrFocusInside()) return true;
    }
    return false;
}

bool TVisualElement::ComputeVisible()
{
    if (visualParent_ && !(visualParent_->IsVisible() && visualParent_->IsChildVisible(this))) return false;
    if (!HasVisualOption(voAutoHide)) return true;
    return HasVisualState(vsKeepVisible) || (HasFlag(efValue) && HasState(esHasValue)) || IsFocused() ||
           HasShownValueOrFocusInside();
}

bool TVisualElement::IsChildVisible(TVisualElement* child) { return true; }

void TVisualElement::EffectivelyDisabledChanged()
{
    if (visualParent_) visualParent_->ChildDisabledChanged(this);
    PropagateDisabled();
    if (HasFlag(efValue)) Recheck();
    Invalidate();
}

void TVisualElement::InSelectionChanged() { PropagateSelection(); }

void TVisualElement::VisibleChanged()
{
    if (visualParent_) visualParent_->ChildVisibleChanged(this);
    PropagateVisible();
    UpdateMessagesSign();
    if (!IsVisible() && sheet_) {
        if (IsHovered()) sheet_->SetHover(nullptr);
        if (IsFocused()) sheet_->SetFocused(nullptr);
        if (TVisualElement* owner = sheet_->GetDropDownOwner())
            if (owner == this || IsVisualAncestorOf(owner)) sheet_->CloseDropDown(false);
    }
}

void TVisualElement::PropagateDisabled()
{
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) c->UpdateDisabled();
}

void TVisualElement::PropagateSelection()
{
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) c->UpdateInSelection();
}

void TVisualElement::PropagateVisible()
{
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) c->UpdateVisible();
}

// ---- auto-hide ----

void TVisualElement::RecomputeInAutoHide()
{
    const bool value =
        visualParent_ && (visualParent_->HasVisualOption(voAutoHide) || visualParent_->HasVisualState(vsInAutoHide));
    if (value == HasVisualState(vsInAutoHide)) return;
    SetVisualStateBit(vsInAutoHide, value);
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) c->RecomputeInAutoHide();
}

static TVisualElement* NextAutoHideAncestor(TVisualElement* e)
{
    for (TVisualElement* p = e->VisualParent(); p; p = p->VisualParent())
        if (p->HasVisualOption(voAutoHide)) return p;
    return nullptr;
}

void TVisualElement::UpdateAutoHide(bool keep, bool recompute, bool release)
{
    TVisualElement* e = this;
    if (!HasVisualOption(voAutoHide)) {
        if (!HasVisualState(vsInAutoHide)) return;
        e = NextAutoHideAncestor(this);
    }
    while (e) {
        if (keep) e->SetVisualStateBit(vsKeepVisible, true);
        if (recompute) e->UpdateVisible();
        if (release) e->SetVisualStateBit(vsKeepVisible, false);
        if (!e->HasVisualState(vsInAutoHide)) break;
        e = NextAutoHideAncestor(e);
    }
}

// ---- state setters ----

void TVisualElement::SetDisabled(bool value)
{
    if (value == HasVisualState(vsDisabled)) return;
    SetVisualStateBit(vsDisabled, value);
    DisabledChanged();
    ReportFocusedState();
}

void TVisualElement::DisabledChanged() { UpdateDisabled(); }

void TVisualElement::SetDisabledUndoable(bool value) { PerformDisableOperation(*this, value); }

void TVisualElement::SetSelected(bool value)
{
    if (value == HasVisualState(vsSelected)) return;
    SetVisualStateBit(vsSelected, value);
    SelectedChanged();
    if (visualParent_) visualParent_->ChildSelectionChanged(this);
}

void TVisualElement::SelectedChanged() { UpdateInSelection(); }

void TVisualElement::SetExternalEditing(bool value)
{
    if (value == HasVisualState(vsExternalEditing)) return;
    SetVisualStateBit(vsExternalEditing, value);
    ExternalEditingChanged();
    Invalidate();
}

void TVisualElement::SetMarked(bool value)
{
    if (value == HasState(esMarked)) return;
    if (value) IncludeState(esMarked);
    else ExcludeState(esMarked);
    Invalidate();
    if (sheet_) sheet_->MarkChanged(this);
}

void TVisualElement::SetWantsActivation(bool value) { SetVisualStateBit(vsWantsActivation, value); }

void TVisualElement::SetVisualOptions(TVisualOptions options)
{
    if (options == visualOptions_) return;
    const bool wasReadOnly = IsReadOnly();
    const TVisualOptions old = visualOptions_;
    visualOptions_ = options;
    if ((old ^ options) & voAutoHide) {
        for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_) c->RecomputeInAutoHide();
        UpdateVisible();
    }
    if (wasReadOnly != IsReadOnly()) ReportFocusedState();
}

void TVisualElement::SetPressed(bool value)
{
    if (!sheet_ || value == IsPressed()) return;
    sheet_->SetCapture(value ? this : nullptr);
}

void TVisualElement::Focus()
{
    if (!IsFocused()) SetFocus(false, true, std::nullopt, nullptr, String());
}

void TVisualElement::SetFocus(bool horizontal, bool forward, std::optional<TPoint> point, TVisualElement* from,
                              const String& focusData)
{
    if (sheet_) sheet_->SetFocused(this);
}

void TVisualElement::BeginSelectionBatch() { SetVisualStateBit(vsSelectionBatch, true); }

void TVisualElement::EndSelectionBatch()
{
    SetVisualStateBit(vsSelectionBatch, false);
    if (HasVisualState(vsSelectionChangePending)) {
        SetVisualStateBit(vsSelectionChangePending, false);
        ChildSelectionChanged(nullptr);
    }
}

void TVisualElement::ChildSelectionChanged(TVisualElement* child)
{
    if (HasVisualState(vsSelectionBatch)) SetVisualStateBit(vsSelectionChangePending, true);
    else if (HasVisualOption(voMultiSelect)) ReportSelection();
}

// ---- reports ----

void TVisualElement::ReportFocusedState()
{
    if (!sheet_) return;
    TVisualElement* e = this;
    if (HasVisualState(vsSelected) && visualParent_ && visualParent_->HasVisualOption(voMultiSelect)) e = visualParent_;
    if (e->IsFocused()) sheet_->ReportFocusedState();
}

void TVisualElement::ReportSelection()
{
    if (IsFocused()) sheet_->ReportSelection();
}

void TVisualElement::ReportFocusedContent()
{
    if (IsFocused()) sheet_->ReportFocusedContent();
}

// ---- element overrides ----

intptr_t TVisualElement::Notification(int notify, intptr_t param1, intptr_t param2)
{
    if (visualParent_ && visualParent_->VisualChildNotification(this, notify, param2, param1)) return 1;
    if (OfferToParent(notify, param1, param2)) return 1;
    return ReactToNotification(notify, param1, param2) ? 1 : 0;
}

bool TVisualElement::IsCheckable() { return !IsEffectivelyDisabled(); }

void TVisualElement::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name)
{
    if (child && child == messagesSign_) {
        name = u"MessagesSign";
        return;
    }
    TElement::GetChildKnotName(child, filer, name);
}

void TVisualElement::HasValueChanged()
{
    TElement::HasValueChanged();
    UpdateMessagesSign();
    UpdateAutoHide(false, true, false);
}

void TVisualElement::ErrorStateChanged() { UpdateMessagesSign(); }

void TVisualElement::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TElement::LoadFromKnot(filer, knot);
    LoadVisualElementItems(*this, *filer, *knot);
}

void TVisualElement::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TElement::SaveToKnot(filer, knot);
    SaveVisualElementItems(*this, *filer, *knot);
}

// ---- messages sign ----

void TVisualElement::FreeMessagesSign()
{
    if (!messagesSign_) return;
    TMessagesSignElement* sign = messagesSign_;
    messagesSign_ = nullptr;
    delete sign;
}

void TVisualElement::UpdateMessagesSign()
{
    const bool needed = !HasState(esDestroying) && HasFlag(efValue) && sheet_ && IsVisible() && !HasNoErrors();
    if (!needed) {
        FreeMessagesSign();
        return;
    }
    if (messagesSign_) messagesSign_->Invalidate();
    else {
        TVisualElement* root = sheet_->GetRoot();
        if (!root) return;
        messagesSign_ = TMessagesSignElement::CreateFor(*root, *this);
    }
    PlaceMessagesSign();
}

void TVisualElement::PlaceMessagesSign()
{
    if (!messagesSign_ || !sheet_) return;
    TVisualElement* sign = messagesSign_;
    TVisualElement* root = sheet_->GetRoot();
    const int h = sign->Height();
    TPoint p{0, -h / 2 - 1};
    for (const TVisualElement* e = this; e && e != root; e = e->visualParent_) p = e->ToParent(p);
    const int highest = -h / 4;
    if (p.Y < highest) p.Y = highest;
    sign->SetBounds(p.X, p.Y, sign->Width(), h, sign->Descent());
}

// ---- layout ----

void TVisualElement::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged)
{
    for (TVisualElement* c = firstVisual_; c; c = c->nextVisual_)
        if (attached || styleChanged || c->IsVisible()) c->UpdateLayout(attached, styleChanged, widthChanged, heightChanged);
    if ((attached || styleChanged) && HasFlag(efValue) && Messages()) Validate();
    UpdateMessagesSign();
}

// ---- palette ----

bool TVisualElement::ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked)
{
    if (item && item == GetDisablePaletteItem() && HasVisualOption(voCanDisable)) {
        if (checked != HasVisualState(vsDisabled)) SetDisabledUndoable(checked);
        return true;
    }
    return false;
}

void TVisualElement::GetPaletteItems(TPaletteItemList& list)
{
    if (HasVisualOption(voCanDisable))
        if (TPaletteItem* disable = GetDisablePaletteItem()) list.push_back(disable);
    TElementClassList classes;
    GetAcceptedClassesFiltered(classes);
    for (const TElementClass* c : classes) GetElementClassPaletteItems(*c, list);
}

void TVisualElement::GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state)
{
    if (item && item == GetDisablePaletteItem()) state.Checked = HasVisualState(vsDisabled);
}

bool TVisualElement::ExecutePaletteSubItem(TVisualElement* target, TPaletteItem* item, const String& value)
{
    return false;
}

void TVisualElement::AdjustCommonPaletteItems(TPaletteItemList& list) {}

// ---- keyboard navigation ----

TVisualElement* TVisualElement::GetNextVisualChild(TVisualElement* previous, bool forward)
{
    if (previous) return forward ? previous->nextVisual_ : previous->prevVisual_;
    return forward ? firstVisual_ : lastVisual_;
}

TVisualElement* TVisualElement::GetFocusParent()
{
    if (visualParent_ && sheet_ && sheet_->GetRoot() == visualParent_) return nullptr;
    return visualParent_;
}

bool TVisualElement::FindFocusable(bool horizontal, bool forward, bool onlyVisible, bool skipDisabled,
                                   TVisualElement*& result)
{
    if (HasVisualOption(voFocusable) && (!onlyVisible || IsVisible()) && (!skipDisabled || !IsEffectivelyDisabled())) {
        result = this;
        return true;
    }
    for (TVisualElement* c = GetNextVisualChild(nullptr, forward); c; c = GetNextVisualChild(c, forward))
        if (c->FindFocusable(horizontal, forward, onlyVisible, skipDisabled, result)) return true;
    result = nullptr;
    return false;
}

TVisualElement* TVisualElement::FindNextFocusable(bool horizontal, bool forward, bool onlyVisible, bool skipDisabled,
                                                  TVisualElement*& from)
{
    TVisualElement* result = nullptr;
    TVisualElement* current = this;
    while (!result) {
        TVisualElement* parent = current->GetFocusParent();
        if (!parent) break;
        if (parent->HasVisualOption(voFocusable)) {
            result = parent;
            break;
        }
        for (TVisualElement* c = parent->GetNextVisualChild(current, forward); c && !result;
             c = parent->GetNextVisualChild(c, forward))
            if (!c->FindFocusable(horizontal, forward, onlyVisible, skipDisabled, result)) result = nullptr;
        current = parent;
    }
    if (result) {
        from = nullptr;
        for (TVisualElement* e = this; e; e = e->GetFocusParent())
            if (e->GetFocusParent() == result) {
                from = e;
                break;
            }
    }
    return result;
}

void TVisualElement::FocusFirst()
{
    TVisualElement* first = nullptr;
    if (!FindFocusable(false, true, true, false, first)) return;
    if (first == this) Focus();
    else first->FocusFirst();
}

void TVisualElement::MakeVisible()
{
    TSchemeGroupGuard group(Scheme());
    for (TVisualElement* e = this; e;) {
        TVisualElement* parent = e->GetFocusParent();
        if (parent && !e->IsVisible()) parent->ShowChild(e);
        e = parent;
    }
}

void TVisualElement::FindNextDefault(bool forward, TVisualElement* searchRoot, bool visibleOnly, bool enabledOnly,
                                     TVisualElement*& next, TVisualElement*& from)
{
    next = FindNextFocusable(true, forward, visibleOnly, enabledOnly, from);
    if (next && searchRoot && next != searchRoot && !searchRoot->IsFocusAncestorOf(next)) next = nullptr;
}

bool TVisualElement::FindNext(TFindMode mode, TFindData* findData, bool forward, TVisualElement*& next,
                              TVisualElement*& from)
{
    // No match in this element: the search goes on at the next focusable element inside
    // the request's scope.
    if (findData) FindNextDefault(forward, findData->SearchRoot, findData->VisibleOnly, findData->EnabledOnly, next, from);
    else FindNextDefault(forward, nullptr, false, false, next, from);
    return false;
}

// ---- mouse ----

void TVisualElement::MouseDown(const TPointerEvent& event)
{
    if (event.IsLeft() && event.ClickCount == 2) {
        DblClick();
        return;
    }
    if (event.IsLeft() && HasVisualOption(voPressable)) {
        if (HasVisualOption(voFocusable) && !IsFocused()) Focus();
        SetPressed(true);
        return;
    }
    if (visualParent_) visualParent_->MouseDown(event.At(ToParent(event.Point)));
}

void TVisualElement::MouseUp(const TPointerEvent& event)
{
    if (!event.IsLeft() || !IsPressed()) return;
    SetPressed(false);
    if (ContainsPoint(event.Point)) Click();
}

void TVisualElement::MouseMove(const TPointerEvent& event) {}
void TVisualElement::MouseEnter() {}
void TVisualElement::MouseLeave() {}
void TVisualElement::Click() {}
void TVisualElement::DblClick() {}
void TVisualElement::CancelPress() {}
TCursor TVisualElement::GetCursor(TPoint point) { return crDefault; }
bool TVisualElement::ContextPopup(TViewHost& host, TPoint screenPoint) { return false; }

// ---- keyboard ----

void TVisualElement::KeyDown(TKeyEvent& event) {}
void TVisualElement::KeyPress(TKeyEvent& event) {}
void TVisualElement::KeyUp(TKeyEvent& event) {}

// ---- edit commands ----

bool TVisualElement::CanDelete() { return false; }
bool TVisualElement::CanCopyText() { return false; }
bool TVisualElement::CanCopy() { return false; }
bool TVisualElement::CanPaste() { return HasVisualOption(voEditable) && !IsReadOnly(); }
void TVisualElement::Delete() {}
void TVisualElement::CopyText() {}
void TVisualElement::Copy() {}
bool TVisualElement::Paste() { return false; }
void TVisualElement::SelectAll() {}

// ---- remaining defaults ----

void TVisualElement::BoundsChanged(const TRect& oldRect, int oldDescent) {}
void TVisualElement::PressedChanged() {}
void TVisualElement::ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent) {}
void TVisualElement::ChildDisabledChanged(TVisualElement* child) {}
void TVisualElement::ChildVisibleChanged(TVisualElement* child) {}
void TVisualElement::ExternalEditingChanged() {}
void TVisualElement::FocusChanged() { UpdateAutoHide(false, true, false); }
void TVisualElement::FocusChanging()
{
    if (HasVisualState(vsWantsActivation)) ActivationChanged();
}
void TVisualElement::GetCaret(bool& visible, TRect& rect)
{
    visible = false;
    rect = {};
}
bool TVisualElement::HasSelection() { return false; }
void TVisualElement::ShowChild(TVisualElement* child) {}
bool TVisualElement::ShouldSaveChild(TSchemeFiler* filer, TElement* child) { return ElementShouldSaveChild(*filer, *child); }
void TVisualElement::ActivationChanged() {}
bool TVisualElement::VisualChildNotification(TVisualElement* child, int notify, intptr_t param2, intptr_t param1)
{
    return false;
}
void TVisualElement::Reserved101() {}
void TVisualElement::Reserved102() {}
void TVisualElement::Reserved103() {}
void TVisualElement::Reserved104(intptr_t param) {}
bool TVisualElement::DropFiles(const std::vector<String>& fileNames) { return false; }

void TVisualElement::GetHint(String& text)
{
    if (HasFlag(efPart))
        if (TElement* parent = ParentElement()) parent->GetChildHint(this, text);
}

void TVisualElement::GetKnotClassName(TSchemeFiler* filer, TKnot* knot, String& name) { name = knot ? knot->Name() : String(); }
void TVisualElement::GetFocusData(String& text) { text.clear(); }

void TVisualElement::ChildEventOut(intptr_t a, intptr_t b)
{
    if (HasFlag(efPart))
        if (TElement* parent = ParentElement()) parent->ChildEvent(this, a, b);
}

// The placeholder does not depend on the registry: an unknown element is kept (and saved
// back) even when nothing registered the placeholder class.
const TElementClass* TVisualElement::GetUnacceptedClass(TSchemeFiler* filer) { return &TElement_Unaccepted::Class(); }

} // namespace quillora
