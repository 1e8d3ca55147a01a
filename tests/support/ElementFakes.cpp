#include "support/ElementFakes.h"

namespace quillora::testing {

TFakeSheet::TFakeSheet()
    : root_(TElement::NewElement<TVisualElement>(nullptr)), canvas_(new TRecordingCanvas())
{
    root_->SetSheet(this);
    root_->SetBounds(0, 0, 1000, 1000);
}

TFakeSheet::~TFakeSheet()
{
    delete root_;
    delete canvas_;
}

void TFakeSheet::SetFocused(TVisualElement* element)
{
    if (element == focused_) return;
    // Keep the element's auto-hide ancestors shown while it takes the focus.
    if (element) element->UpdateAutoHide(true, true, false);
    if (element && !element->IsVisible()) {
        element->UpdateAutoHide(false, true, true);
        element = nullptr;
        if (element == focused_) return;
    }
    TVisualElement* old = focused_;
    if (old) old->FocusChanging();
    if (element) element->FocusChanging();
    focused_ = element;
    if (old) old->FocusChanged();
    if (element) {
        element->FocusChanged();
        element->UpdateAutoHide(false, false, true);
    }
    Log.push_back("FocusChanged");
}

void TFakeSheet::SetCapture(TVisualElement* element)
{
    if (element == capture_) return;
    TVisualElement* old = capture_;
    capture_ = element;
    if (old) old->PressedChanged();
    if (element) element->PressedChanged();
}

void TFakeSheet::SetHover(TVisualElement* element)
{
    if (element == hover_) return;
    TVisualElement* old = hover_;
    hover_ = element;
    if (old) old->MouseLeave();
    if (element) element->MouseEnter();
}

void TFakeSheet::ElementRemoved(TVisualElement* element)
{
    if (focused_ == element) focused_ = nullptr;
    if (capture_ == element) capture_ = nullptr;
    if (hover_ == element) hover_ = nullptr;
}

void TFakeSheet::Invalidate(const TRect* rect)
{
    if (!rect) Invalidated.push_back("all");
    else
        Invalidated.push_back(std::to_string(rect->Left) + "," + std::to_string(rect->Top) + " " +
                              std::to_string(rect->Width()) + "x" + std::to_string(rect->Height()));
}

} // namespace quillora::testing
