// The text element's editing layer: its creation with the focus, the routing of keys and
// the mouse to it, the caret, the cursor and what its notifications do.
#include "elements/CustomSheet.h"
#include "render/Canvas.h"
#include "render/SheetSettingsTheme.h"
#include "text/TextElement.h"
#include "text/TextorInteractive.h"

namespace quillora {

TSheetSettings* TTextorElement::SheetSettings() const
{
    TCustomSheet* sheet = Sheet();
    auto* canvas = sheet ? dynamic_cast<TCustomSheetCanvas*>(sheet->GetCanvas()) : nullptr;
    return canvas ? &canvas->Settings().Settings() : nullptr;
}

void TTextorElement::CreateInteractive()
{
    if (interactive_) return;
    auto layer = std::make_unique<TSchemeTextorInteractive>(*text_);
    layer->CanEditCallback = [this]() { return !IsReadOnly(); };
    layer->EnterElementCallback = [this](TVisualElement* element, bool atEnd) {
        TVisualElement* target = nullptr;
        if (!element->FindFocusable(true, !atEnd, true, true, target) || !target) return false;
        target->SetFocus(true, !atEnd, std::nullopt, nullptr, String());
        return true;
    };
    InitInteractive(*layer);
    interactive_ = std::move(layer);
    // The layer starts where the element's selection is (at the text start when that
    // place no longer exists).
    if (!SetSelection(selection_, caretAtStart_)) SetSelection({});
    interactive_->AddNotifyEvent(BindNotify<&TTextorElement::InteractiveNotify>(this));
    Invalidate();
}

void TTextorElement::DropInteractive()
{
    if (!interactive_) return;
    interactive_->RemoveNotifyEvent(BindNotify<&TTextorElement::InteractiveNotify>(this));
    interactive_.reset();
    if (Sheet() && !HasState(esDestroying)) Invalidate();
}

void TTextorElement::InteractiveNotify(TItfObject* sender, int notify, intptr_t param1, intptr_t param2)
{
    if (!interactive_) return;
    switch (notify) {
    case tinCaret:
    case tinSelection: {
        bool atStart = false;
        const TTextorLocationRange old = selection_;
        selection_ = interactive_->GetSelectionLocations(atStart);
        caretAtStart_ = atStart;
        if (!Sheet()) break;
        if (notify == tinCaret) {
            Sheet()->UpdateCaret();
            if (param1 && !(textState_ & tesApplyingSelection)) Sheet()->ShowFocused();
        } else {
            Invalidate();
            if (!(textState_ & tesApplyingSelection) && !(old == selection_)) ReportSelection();
        }
        break;
    }
    case tinLink: {
        const auto* pos = reinterpret_cast<const TTextorPosition*>(param1);
        if (pos && pos->Portion) LinkClicked(pos->Portion);
        break;
    }
    case tinReplaceSelection:
        ReplaceSelection(reinterpret_cast<const String*>(param1), false);
        if (Sheet() && Sheet()->GetDropDownOwner() == this) Sheet()->CloseDropDown(false);
        break;
    default:
        break;
    }
}

bool TTextorElement::GetCaretRect(TRect& rect)
{
    if (!interactive_ || !text_->IsLaidOut()) return false;
    rect = interactive_->CaretRect();
    TRect padding;
    GetPadding(padding);
    rect.Offset(padding.Left, padding.Top);
    return true;
}

void TTextorElement::GetCaret(bool& visible, TRect& rect)
{
    visible = IsFocused() && GetCaretRect(rect);
    if (!visible) rect = TRect{};
}

TPoint TTextorElement::TextPoint(TPoint point)
{
    TRect padding;
    GetPadding(padding);
    return TPoint{point.X - padding.Left, point.Y - padding.Top};
}

TCursor TTextorElement::GetCursor(TPoint point)
{
    if (interactive_) return TextorCursor(interactive_->CursorKind());
    if (HasDropDown()) return TextorCursor(tckFieldDropDownBeam);
    if (!(textOptions_ & toLineBreaks)) return TextorCursor(IsContentMode() ? tckFieldElementsBeam : tckFieldBeam);
    return TextorCursor((textOptions_ & (toTextMask | toTabs)) ? tckContainerTextBeam : tckContainerBeam);
}

void TTextorElement::KeyDown(TKeyEvent& event)
{
    if (HasDropDown()) {
        TCustomDropDownElement::KeyDown(event);
        if (event.Consumed()) return;
    }
    if (interactive_) interactive_->KeyDown(event);
    if (!event.Consumed() && !HasDropDown()) TVisualElement::KeyDown(event);
}

void TTextorElement::KeyPress(TKeyEvent& event)
{
    if (event.Ch == u'\r' && !(textOptions_ & toLineBreaks) && commitPending_) {
        CommitChange();
        event.Consume();
        return;
    }
    if (interactive_ && ((textOptions_ & toTextMask) || event.Ch == u'\r' || event.Ch == u'\t'))
        interactive_->KeyPress(event);
    if (!event.Consumed()) TCustomDropDownElement::KeyPress(event);
}

void TTextorElement::KeyUp(TKeyEvent& event)
{
    if (interactive_) interactive_->KeyUp(event);
}

void TTextorElement::MouseDown(const TPointerEvent& event)
{
    if (!event.IsLeft()) {
        if (interactive_) interactive_->MouseDown(TextPoint(event.Point), false, event.Shift, event.ClickCount);
        TCustomDropDownElement::MouseDown(event);
        return;
    }
    if (HasVisualOption(voPressable)) {
        if (HasVisualOption(voFocusable) && !IsFocused()) Focus();
        SetPressed(true);
    }
    if (interactive_) interactive_->MouseDown(TextPoint(event.Point), true, event.Shift, event.ClickCount);
    else if (event.ClickCount == 2) DblClick();
}

void TTextorElement::MouseMove(const TPointerEvent& event)
{
    if (interactive_) interactive_->MouseMove(TextPoint(event.Point));
}

void TTextorElement::MouseUp(const TPointerEvent& event)
{
    if (interactive_) interactive_->MouseUp(TextPoint(event.Point), event.IsLeft());
    TCustomDropDownElement::MouseUp(event);
}

void TTextorElement::CancelPress()
{
    if (interactive_) interactive_->CancelPress();
    TCustomDropDownElement::CancelPress();
}

void TTextorElement::PaintChildren(TSheetCanvas& canvas, int paintFlags)
{
    // Embedded elements are drawn with their rows; other children as usual.
    for (TVisualElement* child = FirstVisual(); child; child = child->NextVisual())
        if (!child->Portion() && child->IsVisible() && canvas.RectVisible(child->GetBoundsRect()))
            PaintChild(canvas, paintFlags, child);
}

} // namespace quillora
