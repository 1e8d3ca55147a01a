#include "library/ExpandButton.h"

#include "elements/CustomSheet.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "elements/Filer.h"
#include "foundation/Utils.h"
#include "render/SheetCanvas.h"

namespace quillora {

namespace {

const Char* const CollapseSound = u"diExpandButtonCollapseSound";
const Char* const ExpandSound = u"diExpandButtonExpandSound";

// The focused button shown after its state changed.
void ShowIfFocused(TExpandButton& button)
{
    if (button.IsFocused() && button.Sheet()) button.Sheet()->ShowFocused();
}

} // namespace

// ---- TExpandButton ----

TExpandButton* TExpandButton::NewButton(TElement* owner, TVisualElement* visualParent, bool expanded)
{
    auto* button = NewVisualPart<TExpandButton>(owner, nullptr, visualParent);
    if (expanded) {
        button->defaultExpanded_ = true;
        button->expanded_ = true;
    }
    return button;
}

void TExpandButton::Create()
{
    TCustomButtonElement::Create();
    SetVisualOptions(VisualOptions() | voFocusable);
    flags_ |= efSavedInline | efValue;
}

void TExpandButton::SetLogicFrameStyle(bool value)
{
    if (logicFrameStyle_ == value) return;
    logicFrameStyle_ = value;
    UpdateSize();
    Invalidate();
}

void TExpandButton::AddControlled(TElement* container)
{
    if (!container) return;
    controlled_.push_back(container->ID());
    UpdateEmpty();
}

std::vector<TElement*> TExpandButton::Controlled() const
{
    std::vector<TElement*> list;
    TScheme* scheme = Scheme();
    if (!scheme) return list;
    for (int32_t id : controlled_)
        if (TElement* element = scheme->FindElement(id))
            if (!element->HasState(esDestroying)) list.push_back(element);
    return list;
}

void TExpandButton::SetExpanded(bool value)
{
    auto* operation = new TExpandButtonOperation(this, value);
    operation->Perform();
}

void TExpandButton::SetExpandedRaw(bool value)
{
    if (expanded_ == value) return;
    expanded_ = value;
    // Repainted before the owner hears of it: the owner's reaction (showing or hiding
    // containers, a relayout) must be the last thing that touches the button.
    Invalidate();
    NotifyNode(ebnExpandedChanged, 0, 0);
}

void TExpandButton::Execute()
{
    if (TCustomSheet* sheet = Sheet()) sheet->PlaySheetSound(expanded_ ? CollapseSound : ExpandSound);
    SetExpanded(!expanded_);
}

bool TExpandButton::IsEmpty()
{
    for (TElement* container : Controlled())
        if (container->HasFlag(efValue) && container->HasState(esNotEmpty)) return false;
    bool empty = true;
    NotifyNode(ebnQueryEmpty, reinterpret_cast<intptr_t>(&empty), 0);
    return empty;
}

String TExpandButton::ValueName(TSchemeFiler* filer)
{
    // The parameter name that the owner gives the button, else "Value".
    String name;
    GetKnotName(filer, name);
    return name.empty() ? String(u"Value") : name;
}

void TExpandButton::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TCustomButtonElement::LoadFromKnot(filer, knot);
    if (filer && filer->HasOption(soNoPositions)) return;
    SetExpandedRaw(knot->ReadBool(ValueName(filer), defaultExpanded_));
}

void TExpandButton::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TCustomButtonElement::SaveToKnot(filer, knot);
    if (filer && filer->HasOption(soNoPositions)) return;
    if (expanded_ != defaultExpanded_) knot->WriteBool(ValueName(filer), expanded_);
}

TSheetThemeElement TExpandButton::ImageElement()
{
    TSheetThemeElement element = logicFrameStyle_ ? (expanded_ ? steLogicFrameExpanded : steLogicFrameCollapsed)
                                                  : (expanded_ ? steExpanded : steCollapsed);
    // The "Data" variant follows each image.
    if (HasState(esNotEmpty)) element = static_cast<TSheetThemeElement>(element + 1);
    return element;
}

void TExpandButton::Paint(TSheetCanvas& canvas, int paintFlags)
{
    canvas.DrawThemeImage(ImageElement(), {0, 0});
    if (IsFocused()) canvas.DrawFocusRect(GetLocalRect());
}

void TExpandButton::GetMargins(TRect& rect)
{
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    rect = canvas ? canvas->GetThemeMargins(steCollapsed) : TRect{};
}

void TExpandButton::UpdateSize()
{
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    if (!canvas) return;
    const TPoint size = canvas->GetThemeImageSize(logicFrameStyle_ ? steLogicFrameCollapsed : steCollapsed);
    SetBounds(Left(), Top(), size.X, size.Y);
}

void TExpandButton::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged)
{
    TCustomButtonElement::UpdateLayout(attached, styleChanged, widthChanged, heightChanged);
    UpdateEmpty();
    UpdateSize();
}

void TExpandButton::FocusChanged()
{
    TCustomButtonElement::FocusChanged();
    Invalidate();
}

void TExpandButton::GetHint(String& text) { text = u"Collapse/Expand"; }

TCursor TExpandButton::GetCursor(TPoint) { return crExpandButton; }

// ---- the commands over a tree ----

namespace {

void CollectButtons(TElement& element, std::vector<int32_t>& ids)
{
    if (auto* button = dynamic_cast<TExpandButton*>(&element)) ids.push_back(button->ID());
    for (TElement* child = element.FirstElement(); child; child = child->NextElement()) CollectButtons(*child, ids);
}

} // namespace

int ExpandButtons(TElement& root, TExpandAllMode mode)
{
    TBusyCursor busy;
    // Buttons are collected first and looked up again by identifier: expanding one may
    // change the tree (an owner that builds or drops parts as it opens).
    std::vector<int32_t> ids;
    CollectButtons(root, ids);
    TScheme* scheme = root.Scheme();
    auto* visual = dynamic_cast<TVisualElement*>(&root);
    TCustomSheet* sheet = visual ? visual->Sheet() : nullptr;
    int changed = 0;
    if (sheet) sheet->BeginUpdate();
    if (scheme) scheme->BeginGroup(false);
    try {
        for (int32_t id : ids) {
            auto* button = dynamic_cast<TExpandButton*>(scheme ? scheme->FindElement(id) : nullptr);
            if (!button) continue;
            bool value = mode == eamExpandAll;
            if (mode == eamExpandedNotEmpty) value = !button->IsEmpty() && !button->IsEffectivelyDisabled();
            if (value == button->Expanded()) continue;
            button->SetExpanded(value);
            ++changed;
        }
    } catch (...) {
        if (scheme) scheme->EndGroup();
        if (sheet) sheet->EndUpdate();
        throw;
    }
    if (scheme) scheme->EndGroup();
    if (sheet) {
        sheet->EndUpdate();
        sheet->ShowFocused();
    }
    return changed;
}

// ---- TExpandButtonOperation ----

TExpandButtonOperation::TExpandButtonOperation(TExpandButton* button, bool newValue)
    : TElementOperation(button, false), NewValue(newValue)
{
}

void TExpandButtonOperation::ApplyTo(TElement* element)
{
    TElementOperation::ApplyTo(element);
    auto* button = dynamic_cast<TExpandButton*>(element);
    if (!button) return;
    OldValue = button->Expanded();
    button->SetExpandedRaw(NewValue);
    ShowIfFocused(*button);
}

void TExpandButtonOperation::RevertOn(TElement* element)
{
    TElementOperation::RevertOn(element);
    auto* button = dynamic_cast<TExpandButton*>(element);
    if (!button) return;
    button->SetExpandedRaw(OldValue);
    ShowIfFocused(*button);
}

} // namespace quillora
