#include "elements/Operations.h"

#include "elements/CustomSheet.h"
#include "elements/Element.h"
#include "elements/Scheme.h"
#include "elements/VisualElement.h"
#include "foundation/Knot.h"
#include "foundation/NumberParse.h"

namespace quillora {

// ---- scheme operations ----

void TSchemeOperation::Perform() { TOperation::Perform(scheme_ ? scheme_->UndoRedo() : nullptr); }

void TSchemeOperation::BeforeExecute()
{
    if (batchMessages_ && scheme_) scheme_->BeginMessages();
}

void TSchemeOperation::AfterExecute()
{
    if (batchMessages_ && scheme_) scheme_->EndMessages();
}

void TSchemeGroupingOperation::BeforeExecute()
{
    if (batchMessages_ && scheme_) scheme_->BeginMessages();
}

void TSchemeGroupingOperation::AfterExecute()
{
    if (batchMessages_ && scheme_) scheme_->EndMessages();
}

// ---- dependents ----

void TElementOperationDependents::Add(int32_t elementID, std::unique_ptr<TKnot> data)
{
    items_.emplace_back(IntToString(elementID), std::move(data));
}

int32_t TElementOperationDependents::GetElementIdentifiers(int index) const
{
    int32_t id = 0;
    return TryParseInt32(items_[static_cast<size_t>(index)].first, id) ? id : 0;
}

void TElementOperationDependents::MoveTo(TElementOperationDependents& other)
{
    for (auto& item : items_) other.items_.push_back(std::move(item));
    items_.clear();
}

// ---- element operations ----

namespace {
bool ElementIsFocused(TElement* element)
{
    auto* visual = dynamic_cast<TVisualElement*>(element);
    return visual && visual->IsFocused();
}
} // namespace

TElementOperation::TElementOperation(TElement* element, bool batchMessages)
    : TSchemeOperation(element ? element->Scheme() : nullptr, batchMessages), elementID_(element ? element->ID() : 0),
      wasFocused_(ElementIsFocused(element))
{
}

TElementOperation::~TElementOperation() = default;

TElementOperationDependents& TElementOperation::GetRedoDependents()
{
    if (!redoDependents_) redoDependents_ = std::make_unique<TElementOperationDependents>();
    return *redoDependents_;
}

TElementOperationDependents& TElementOperation::GetUndoDependents()
{
    if (!undoDependents_) undoDependents_ = std::make_unique<TElementOperationDependents>();
    return *undoDependents_;
}

void TElementOperation::MoveDependentsTo(TElementOperation& other)
{
    if (redoDependents_ && redoDependents_->Count() > 0) redoDependents_->MoveTo(other.GetRedoDependents());
    if (undoDependents_ && undoDependents_->Count() > 0) undoDependents_->MoveTo(other.GetUndoDependents());
}

void TElementOperation::Run(bool undo)
{
    TScheme* scheme = OperationScheme();
    TElement* element = scheme ? scheme->FindElement(elementID_) : nullptr;
    if (!element) return;
    auto* visual = dynamic_cast<TVisualElement*>(element);
    TCustomSheet* sheet = visual ? visual->Sheet() : nullptr;
    if (sheet) sheet->BeginUpdate();
    struct EndSheetUpdate {
        TCustomSheet* sheet;
        ~EndSheetUpdate()
        {
            if (sheet) sheet->EndUpdate();
        }
    } end{sheet};
    if (undo) {
        RevertOn(element);
    } else {
        ApplyTo(element);
    }
    TElementOperationDependents* dependents = undo ? undoDependents_.get()
                                              : Phase() == opRedoing ? redoDependents_.get()
                                                                     : nullptr;
    if (!dependents) return;
    for (int i = 0; i < dependents->Count(); ++i)
        if (TElement* dependent = scheme->FindElement(dependents->GetElementIdentifiers(i))) {
            if (undo) dependent->UndoDependent(dependents->GetDatas(i));
            else dependent->RedoDependent(dependents->GetDatas(i));
        }
}

void TElementOperation::DoExecute() { Run(false); }

void TElementOperation::DoUndo() { Run(true); }

void TElementOperation::ApplyTo(TElement* element)
{
    if (!wasFocused_) return;
    if (auto* visual = dynamic_cast<TVisualElement*>(element))
        if (!visual->IsFocused()) visual->Focus();
}

void TElementOperation::RevertOn(TElement* element) { TElementOperation::ApplyTo(element); }

// ---- disabling ----

TVisualElementDisableOperation::TVisualElementDisableOperation(TVisualElement* element, bool batchMessages)
    : TElementOperation(element, batchMessages)
{
}

namespace {
void RefreshFocusedState(TVisualElement& element)
{
    if (element.IsFocused()) element.ReportFocusedState();
}
} // namespace

void TVisualElementDisableOperation::ApplyTo(TElement* element)
{
    TElementOperation::ApplyTo(element);
    auto* visual = dynamic_cast<TVisualElement*>(element);
    if (!visual) return;
    OldValue = visual->HasVisualState(vsDisabled);
    visual->SetDisabled(NewValue);
    RefreshFocusedState(*visual);
}

void TVisualElementDisableOperation::RevertOn(TElement* element)
{
    TElementOperation::RevertOn(element);
    auto* visual = dynamic_cast<TVisualElement*>(element);
    if (!visual) return;
    visual->SetDisabled(OldValue);
    RefreshFocusedState(*visual);
}

void PerformDisableOperation(TVisualElement& element, bool value)
{
    auto* operation = new TVisualElementDisableOperation(&element, false);
    operation->NewValue = value;
    operation->Perform();
}

} // namespace quillora
