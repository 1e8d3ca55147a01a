#include "editor/Sheet.h"

#include <algorithm>

#include "elements/CustomElements.h"
#include "elements/PanelElement.h"
#include "elements/Sounds.h"
#include "elements/VisualElement.h"
#include "render/SheetSettings.h"

namespace quillora {

namespace {

// The order in which an update's recorded notifications are raised at its end; the caret
// (0) is brought up to date between focus and show.
constexpr int PendingOrder[] = {shnSizeChanged, shnFocusChanged, 0, shnShowFocused, shnFocusedContentChanged,
                                shnFocusedValueChanged, shnFocusedUpdated, shnRepaint};

bool IsArrow(TKeyCode key) { return key == kcLeft || key == kcUp || key == kcRight || key == kcDown; }

} // namespace

TSheet::TSheet(TSheetSettings* settings, std::unique_ptr<TSheetCanvas> canvas)
    : settings_(settings), canvas_(std::move(canvas))
{
    bufferCanvas_ = dynamic_cast<TCustomSheetCanvas*>(canvas_.get());
    root_ = TElement::NewElement<TSheetElement>(nullptr);
    root_->SetSheet(this);
    if (settings_) settings_->AddNotifyEvent(BindNotify<&TSheet::SettingsChanged>(this));
}

TSheet::~TSheet()
{
    // Nothing the tree does while it goes reaches the listeners or the timers.
    destroying_ = true;
    if (settings_) settings_->RemoveNotifyEvent(BindNotify<&TSheet::SettingsChanged>(this));
    StopTimer(DelayTimerId);
    StopTimer(ShowTimerId);
    dropDown_.reset();
    if (document_) document_->SetVisualParent(nullptr, nullptr);
    delete root_;
}

void TSheet::SetHost(TViewHost* host)
{
    if (host == host_) return;
    const bool delayRuns = delayed_ != nullptr;
    const bool showRuns = showTimerRuns_;
    StopTimer(DelayTimerId);
    StopTimer(ShowTimerId);
    host_ = host;
    if (delayRuns) StartTimer(DelayTimerId);
    if (showRuns) StartTimer(ShowTimerId);
}

void TSheet::SetDocument(TVisualElement* root)
{
    if (root == document_) return;
    BeginUpdate();
    if (document_) document_->SetVisualParent(nullptr, nullptr);
    document_ = root;
    if (document_) document_->SetVisualParent(root_, nullptr);
    RaiseOrRecord(shnSizeChanged);
    RaiseOrRecord(shnRepaint);
    EndUpdate();
}

TVisualElement* TSheet::GetRoot() const { return root_; }

void TSheet::GetAvailableSize(int& width, int& height) const
{
    width = viewSize_.X;
    height = viewSize_.Y;
}

int TSheet::GetDefaultTextDescent() const
{
    if (bufferCanvas_) return bufferCanvas_->ThemeFont(stfValue).Descent();
    return 3;
}

// ---- notifications and updates ----

void TSheet::Raise(int notify, intptr_t param)
{
    if (destroying_) return;
    Notify(notify, param);
}

void TSheet::RaiseOrRecord(int notify)
{
    if (destroying_) return;
    if (updateCount_ > 0) {
        if (std::find(pending_.begin(), pending_.end(), notify) == pending_.end()) pending_.push_back(notify);
        return;
    }
    if (notify == 0) UpdateCaret();
    else Raise(notify, notify == shnShowFocused ? 1 : 0);
}

void TSheet::BeginUpdate() { ++updateCount_; }

void TSheet::EndUpdate()
{
    if (updateCount_ <= 0) return;
    if (--updateCount_ > 0) return;
    if (pendingWidth_ || pendingHeight_) {
        const bool width = pendingWidth_;
        const bool height = pendingHeight_;
        pendingWidth_ = pendingHeight_ = false;
        ++updateCount_;
        root_->UpdateLayout(false, false, width, height);
        --updateCount_;
    }
    std::vector<int> pending;
    pending.swap(pending_);
    for (int notify : PendingOrder)
        if (std::find(pending.begin(), pending.end(), notify) != pending.end()) RaiseOrRecord(notify);
}

void TSheet::Invalidate(const TRect* rect)
{
    if (destroying_) return;
    if (updateCount_ > 0 || !rect) {
        RaiseOrRecord(shnRepaint);
        return;
    }
    Raise(shnRepaint, reinterpret_cast<intptr_t>(rect));
}

void TSheet::SizeChanged() { RaiseOrRecord(shnSizeChanged); }

void TSheet::ShowFocused() { RaiseOrRecord(shnShowFocused); }

void TSheet::ReportFocusedState() { RaiseOrRecord(shnFocusedUpdated); }

// The edit actions depend on the selection: the form hears it as an update of the focused element.
void TSheet::ReportSelection() { RaiseOrRecord(shnFocusedUpdated); }

void TSheet::ReportFocusedContent() { RaiseOrRecord(shnFocusedContentChanged); }

void TSheet::MarkChanged(TVisualElement*) {}

void TSheet::UpdateCaret()
{
    if (destroying_) return;
    if (updateCount_ > 0) {
        RaiseOrRecord(0);
        return;
    }
    TSheetFocusKind kind = fkNone;
    TRect rect;
    if (focused_ && focused_->IsVisible()) {
        bool visible = false;
        TRect local;
        focused_->GetCaret(visible, local);
        // A caret, or else the rectangle an element asks to be shown with a focus rectangle.
        if (visible) kind = fkCaret;
        else if (!local.IsEmpty()) kind = fkFocusRect;
        if (kind != fkNone) rect = focused_->ToSheet(local);
    }
    if (kind == focusKind_ && rect == focusRect_) return;
    focusKind_ = kind;
    focusRect_ = rect;
    Raise(shnCaretChanged);
}

// ---- element states ----

void TSheet::SetFocused(TVisualElement* element)
{
    if (element == focused_ || destroying_) return;
    BeginUpdate();
    CloseDropDown(false);
    if (element && element->Sheet() != this) element = nullptr;
    if (element) {
        // Its auto-hide ancestors stay shown while it takes the focus.
        element->UpdateAutoHide(true, true, false);
        if (AutoShowFocused) {
            if (!element->IsVisible()) element->MakeVisible();
            if (!element->IsVisible()) {
                element->UpdateAutoHide(false, true, true);
                element = nullptr;
            }
        }
    }
    if (element != focused_) {
        TVisualElement* old = focused_;
        if (old) old->FocusChanging();
        if (element) element->FocusChanging();
        focused_ = element;
        if (old && old->Sheet() == this) old->FocusChanged();
        if (element) {
            element->FocusChanged();
            element->UpdateAutoHide(false, false, true);
        }
        if (!element || !element->HasVisualState(vsInSelection)) ClearSelection();
        UpdateCaret();
        if (focused_) {
            showTimerRuns_ = true;
            StartTimer(ShowTimerId);
        }
        RaiseOrRecord(shnFocusChanged);
    }
    EndUpdate();
}

void TSheet::SetCapture(TVisualElement* element)
{
    if (element == capture_) return;
    TVisualElement* old = capture_;
    capture_ = element;
    if (old) old->PressedChanged();
    if (element) element->PressedChanged();
    UpdateCursor();
}

void TSheet::SetHover(TVisualElement* element)
{
    if (element == hover_) return;
    TVisualElement* old = hover_;
    hover_ = element;
    if (old) old->MouseLeave();
    if (element) element->MouseEnter();
    Raise(shnHoverChanged);
    UpdateCursor();
}

void TSheet::UpdateCursor()
{
    TVisualElement* target = capture_ ? capture_ : hover_;
    const TCursor cursor = target ? target->GetCursor(target->FromSheet(mousePos_)) : crDefault;
    if (cursor == cursor_) return;
    cursor_ = cursor;
    Raise(shnCursorChanged);
}

void TSheet::ElementRemoved(TVisualElement* element)
{
    if (!element) return;
    if (element == document_) document_ = nullptr;
    if (destroying_) return;
    if (capture_ == element) capture_ = nullptr;
    if (hover_ == element) hover_ = nullptr;
    selection_.erase(std::remove(selection_.begin(), selection_.end(), element), selection_.end());
    if (delayed_ == element) {
        delayed_ = nullptr;
        StopTimer(DelayTimerId);
    }
    // A list whose element goes is closed without choosing: its choice would reach a
    // freed element. Every element of a removed subtree is reported, so the owner is.
    auto goes = [element](TDropDownList* list) {
        return list && list->Owner() && (list->Owner() == element || element->IsVisualAncestorOf(list->Owner()));
    };
    if (goes(dropDown_.get())) CloseDropDown(false);
    if (goes(closing_)) closingOwnerGone_ = true;
    if (focused_ == element) {
        focused_ = nullptr;
        BeginUpdate();
        UpdateCaret();
        RaiseOrRecord(shnFocusChanged);
        EndUpdate();
    }
}

void TSheet::SetSelected(TVisualElement* element, bool selected)
{
    if (!element) return;
    const auto it = std::find(selection_.begin(), selection_.end(), element);
    if (selected == (it != selection_.end())) return;
    if (selected) selection_.push_back(element);
    else selection_.erase(it);
    element->SetSelected(selected);
}

void TSheet::ClearSelection()
{
    while (!selection_.empty()) {
        TVisualElement* element = selection_.back();
        selection_.pop_back();
        element->SetSelected(false);
    }
}

// ---- drop-down list ----

TVisualElement* TSheet::GetDropDownOwner() const { return dropDown_ ? dropDown_->Owner() : nullptr; }

void TSheet::OpenDropDown(TDropDownList* list)
{
    std::unique_ptr<TDropDownList> held(list);
    CloseDropDown(false);
    if (!held || destroying_) return;
    PlaySheetSound(u"diClassesDropDownSound");
    dropDown_ = std::move(held);
    dropDown_->Shown = true;
    TDropDownList* raw = dropDown_.get();
    dropDown_->OnChanged = [this, raw] {
        if (dropDown_.get() == raw) Raise(shnDropDownChanged);
    };
    Raise(shnDropDownOpened);
}

void TSheet::CloseDropDown(bool accept)
{
    if (!dropDown_) return;
    if (accept) PlaySheetSound(u"diClassesValueSound");
    std::unique_ptr<TDropDownList> list = std::move(dropDown_);
    list->Shown = false;
    TDropDownList* outer = closing_;
    const bool outerGone = closingOwnerGone_;
    closing_ = list.get();
    closingOwnerGone_ = false;
    Raise(shnDropDownClosed);
    // The listeners of the closing may have removed the owner; its choice then goes nowhere.
    if (accept && !closingOwnerGone_ && !destroying_ && list->OnSelect) list->OnSelect(list->Owner());
    closing_ = outer;
    closingOwnerGone_ = outerGone;
}

// ---- delayed focus action and timers ----

void TSheet::DelayFocusAction(TVisualElement* element)
{
    if (!element || destroying_) return;
    delayed_ = element;
    StartTimer(DelayTimerId);
}

void TSheet::StartTimer(int id)
{
    if (host_) host_->StartTimer(id, TimerInterval);
}

void TSheet::StopTimer(int id)
{
    if (id == ShowTimerId) showTimerRuns_ = false;
    if (host_) host_->StopTimer(id);
}

void TSheet::Timer(int id)
{
    if (destroying_) return;
    if (id == DelayTimerId) {
        TVisualElement* element = delayed_;
        delayed_ = nullptr;
        StopTimer(DelayTimerId);
        if (auto* delayed = dynamic_cast<IDelayedFocusElement*>(element))
            delayed->DelayedFocusAction(settings_ ? settings_->DropDownOnFocusNew().Value() : true);
    } else if (id == ShowTimerId) {
        // The view follows a new focus only once the button is released.
        if (leftHeld_) return;
        StopTimer(ShowTimerId);
        Raise(shnShowFocused, 1);
    }
}

void TSheet::PlaySheetSound(const String& name) { PlaySchemeSound(name); }

// ---- keyboard ----

void TSheet::KeyDown(TKeyEvent& event)
{
    if (event.Key == kcReturn && dropDown_) {
        TDropDownItem* selected = dropDown_->Selected();
        if (!selected || selected->Selectable) CloseDropDown(true);
        event.Consume();
    }
    if (event.Key == kcEscape) {
        CancelMode();
        event.Consume();
    }
    if (event.Key == kcNone) return;
    if (focused_) focused_->KeyDown(event);
    if (IsArrow(event.Key) && !event.HasShift() && focused_) {
        const bool horizontal = event.Key == kcLeft || event.Key == kcRight;
        const bool forward = event.Key == kcRight || event.Key == kcDown;
        TVisualElement* from = nullptr;
        if (TVisualElement* next = focused_->FindNextFocusable(horizontal, forward, true, false, from))
            next->SetFocus(horizontal, forward, std::nullopt, from, String());
        event.Consume();
    }
}

void TSheet::KeyPress(TKeyEvent& event)
{
    if (event.Ch == 0) return;
    if (dropDown_ && event.Ch == u' ') {
        TDropDownItem* selected = dropDown_->Selected();
        if (selected && selected->FirstItem()) {
            PlaySheetSound(u"diClassesDropDownSound");
            selected->SetExpanded(!selected->Expanded());
            event.Consume();
            return;
        }
    }
    if (event.Ch >= 32 || event.Ch == u'\t' || event.Ch == u'\r') {
        if (focused_) focused_->KeyPress(event);
        return;
    }
    // Other control characters (Backspace among them) reach elements only as keys.
    event.Consume();
}

void TSheet::KeyUp(TKeyEvent& event)
{
    if (focused_ && event.Key != kcNone) focused_->KeyUp(event);
}

// ---- mouse ----

TVisualElement* TSheet::ElementAtPoint(TPoint point, bool forHint)
{
    int flags = hfSelf | hfChildren | hfDescendants | hfInSelection;
    if (forHint) flags |= hfPassive;
    return root_->HitTest(root_->FromParent(point), flags);
}

void TSheet::MouseDown(const TPointerEvent& event)
{
    mousePos_ = event.Point;
    if (event.Button == pbLeft) leftHeld_ = true;
    TVisualElement* target = nullptr;
    if (capture_) target = focused_;
    else {
        target = ElementAtPoint(event.Point, false);
        SetHover(target);
    }
    if (target) target->MouseDown(event.At(target->FromSheet(event.Point)));
    UpdateCursor();
}

void TSheet::MouseMove(const TPointerEvent& event)
{
    mousePos_ = event.Point;
    TVisualElement* target = capture_;
    if (!target) {
        const bool left = event.Point.X == -1 && event.Point.Y == -1;
        target = left ? nullptr : ElementAtPoint(event.Point, false);
        SetHover(target);
    }
    if (target) target->MouseMove(event.Point.X == -1 && event.Point.Y == -1 ? event : event.At(target->FromSheet(event.Point)));
    UpdateCursor();
}

void TSheet::MouseUp(const TPointerEvent& event)
{
    mousePos_ = event.Point;
    if (event.Button == pbLeft) leftHeld_ = false;
    TVisualElement* target = capture_ ? capture_ : hover_;
    if (target) target->MouseUp(event.At(target->FromSheet(event.Point)));
    UpdateCursor();
}

void TSheet::MouseLeave()
{
    TPointerEvent event;
    event.Point = {-1, -1};
    MouseMove(event);
}

bool TSheet::DropFiles(const std::vector<String>& fileNames, TPoint point)
{
    if (fileNames.empty() || !root_) return false;
    for (TVisualElement* element = ElementAtPoint(point, false); element; element = element->VisualParent())
        if (element->DropFilesAt(fileNames, element->FromSheet(point))) return true;
    return false;
}

void TSheet::CancelMode()
{
    leftHeld_ = false;
    CloseDropDown(false);
    if (capture_) {
        TVisualElement* element = capture_;
        element->CancelPress();
        if (capture_ == element) SetCapture(nullptr);
    }
}

// ---- window state ----

void TSheet::SetActive(bool value)
{
    if (value == active_) return;
    active_ = value;
    if (focused_) {
        if (focused_->HasVisualState(vsWantsActivation)) focused_->ActivationChanged();
        focused_->Invalidate();
    }
    Raise(shnActiveChanged);
}

void TSheet::SetReadOnly(bool value)
{
    if (value == readOnly_) return;
    readOnly_ = value;
    Raise(shnReadOnlyChanged);
}

void TSheet::SetScrollPos(TPoint point)
{
    if (point == scrollPos_) return;
    scrollPos_ = point;
    Raise(shnScrollPosChanged);
}

void TSheet::SetViewSize(TPoint size)
{
    if (size == viewSize_) return;
    const bool width = size.X != viewSize_.X;
    const bool height = size.Y != viewSize_.Y;
    viewSize_ = size;
    if (updateCount_ > 0) {
        pendingWidth_ |= width;
        pendingHeight_ |= height;
        return;
    }
    RelayOut(width, height);
}

void TSheet::RelayOut(bool widthChanged, bool heightChanged)
{
    BeginUpdate();
    root_->UpdateLayout(false, false, widthChanged, heightChanged);
    EndUpdate();
}

void TSheet::SettingsChanged(TItfObject*, int, intptr_t, intptr_t)
{
    if (destroying_) return;
    canvas_->ResetFonts();
    BeginUpdate();
    root_->UpdateLayout(false, true, false, false);
    EndUpdate();
    Raise(shnRepaint);
}

int TSheet::GetWidth() const { return root_->Left() + root_->Width(); }

int TSheet::GetHeight() const { return root_->Top() + root_->Height(); }

// ---- painting ----

void TSheet::Paint(TPaintTarget* target, const TRect& rect, int flags)
{
    if (rect.IsEmpty()) return;
    if (!active_) flags |= pfInactive;
    if (bufferCanvas_) bufferCanvas_->BeginPaint(rect);
    try {
        root_->PaintAll(*canvas_, flags);
        if (!(flags & spfNoFocusRect)) {
            if (focusKind_ == fkFocusRect) canvas_->DrawFocusRect(focusRect_);
            else if (focusKind_ == fkThickFocusRect) canvas_->DrawThickFocusRect(focusRect_);
        }
        if (!(flags & spfNoCaret)) PaintCaret();
    } catch (...) {
        if (bufferCanvas_) bufferCanvas_->EndPaint(target);
        throw;
    }
    if (bufferCanvas_) bufferCanvas_->EndPaint(target);
}

void TSheet::PaintCaret()
{
    if (!focused_ || !focused_->IsVisible()) return;
    const TPoint at = focused_->ToSheet(TPoint {0, 0});
    canvas_->MoveOrigin(at.X, at.Y);
    try {
        focused_->PaintOverlay(*canvas_);
    } catch (...) {
        canvas_->MoveOrigin(-at.X, -at.Y);
        throw;
    }
    canvas_->MoveOrigin(-at.X, -at.Y);
}

// ---- session data ----

namespace {

// The elements of the document in pre-order, the document's root first.
void Walk(TElement* element, std::vector<TElement*>& out)
{
    out.push_back(element);
    for (TElement* child = element->FirstElement(); child; child = child->NextElement()) Walk(child, out);
}

} // namespace

void TSheet::SaveFocusData(TKnot& knot) const
{
    if (focused_ && document_) {
        std::vector<TElement*> elements;
        Walk(document_, elements);
        const auto it = std::find(elements.begin(), elements.end(), focused_);
        if (it != elements.end()) {
            knot.WriteInteger(u"FocusedElement", static_cast<int32_t>(it - elements.begin()));
            knot.WriteString(u"FocusedElementType", focused_->GetClass().GetClassName());
            String data;
            focused_->GetFocusData(data);
            knot.WriteString(u"FocusData", data);
        }
    }
    knot.WriteInteger(u"ScreenPosX", scrollPos_.X);
    knot.WriteInteger(u"ScreenPosY", scrollPos_.Y);
}

void TSheet::LoadFocusData(TKnot& knot)
{
    const int32_t index = knot.ReadInteger(u"FocusedElement", -1);
    const String type = knot.ReadString(u"FocusedElementType");
    const String data = knot.ReadString(u"FocusData");
    if (document_ && index >= 0) {
        std::vector<TElement*> elements;
        Walk(document_, elements);
        if (index < static_cast<int32_t>(elements.size())) {
            auto* element = dynamic_cast<TVisualElement*>(elements[index]);
            if (element && element->HasVisualOption(voFocusable) && element->IsVisible() &&
                element->GetClass().GetClassName() == type)
                element->SetFocus(false, true, std::nullopt, nullptr, data);
        }
    }
    SetScrollPos({knot.ReadInteger(u"ScreenPosX", 0), knot.ReadInteger(u"ScreenPosY", 0)});
}

} // namespace quillora
