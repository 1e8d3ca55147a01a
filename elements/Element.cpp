#include "elements/Element.h"

#include <atomic>

#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "elements/ValueChecks.h"

namespace quillora {

namespace {

// The process-wide identifier counter, shared by all schemes.
std::atomic<int32_t> idCounter{0};

} // namespace

// ---- class ----

const TElementClass& TElement::Class()
{
    static const TElementClassOf<TElement> instance(u"TElement");
    return instance;
}

const TElementClass& TElement::GetClass() const { return Class(); }

bool TElement::ClassInheritsFrom(const TElementClass& other) { return &other == &Class(); }

// ---- identifiers ----

int32_t TElement::TakeNewID() { return idCounter.fetch_add(1) + 1; }

void TElement::RaiseIDCounter(int32_t id)
{
    int32_t current = idCounter.load();
    while (current < id && !idCounter.compare_exchange_weak(current, id)) {
    }
}

int32_t TElement::LastID() { return idCounter.load(); }

// ---- life ----

TElement::TElement() = default;

TElement::~TElement()
{
    BeginDestroy();
    if (registered_) {
        registered_ = false;
        scheme_->UnregisterElement(this);
    }
    messages_.reset();
    // The node part: unlink, then free the children while this is still an element.
    SetParent(nullptr, nullptr);
    DeleteChildren();
}

void TElement::Construct(TScheme* scheme)
{
    scheme_ = scheme;
    if (scheme_) {
        id_ = scheme_->RegisterElement(this);
        registered_ = true;
    }
    Create();
}

void TElement::ForgetScheme()
{
    registered_ = false;
    scheme_ = nullptr;
}

void TElement::BeginDestroy()
{
    if (HasState(esDestroying)) return;
    NotifyTree(enDestroying, 0, true);
    IncludeState(esDestroying); // also when a parent's ChildNotification took the code
}

void TElement::SetID(int32_t id)
{
    if (id == id_) return;
    int32_t old = id_;
    id_ = id;
    IDChanged(old);
}

// ---- tree access ----

TElement* TElement::ParentElement() const { return dynamic_cast<TElement*>(Parent()); }
TElement* TElement::FirstElement() const { return static_cast<TElement*>(FirstChild()); }
TElement* TElement::LastElement() const { return static_cast<TElement*>(LastChild()); }
TElement* TElement::NextElement() const { return static_cast<TElement*>(NextSibling()); }
TElement* TElement::PrevElement() const { return static_cast<TElement*>(PrevSibling()); }

// ---- messages ----

TElementMessages& TElement::GetMessages()
{
    if (!messages_) messages_ = std::make_unique<TElementMessages>();
    return *messages_;
}

void TElement::FreeMessages() { messages_.reset(); }

bool TElement::HasNoErrors() const { return !messages_ || !messages_->HasKind(FaultMessageKinds); }

// ---- flags and operations ----

void TElement::SetFlags(TElementFlags newFlags)
{
    if (newFlags == flags_) return;
    TElementFlags old = flags_;
    flags_ = newFlags;
    FlagsChanged(old);
}

TElement* TElement::GetOwnerElement()
{
    TElement* e = this;
    while (e && e->HasFlag(efPart)) e = e->ParentElement();
    return e ? e : this;
}

void TElement::GetAcceptedClassesFiltered(TElementClassList& list)
{
    GetAcceptedClasses(list);
    for (size_t i = list.size(); i-- > 0;)
        if (!list[i]->CanInsertInto(this)) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
}

void TElement::InitializeNewTree(intptr_t context) { NotifyTree(enInitializeNew, context, true); }

void TElement::UpdateHasValue()
{
    if (HasState(esDestroying)) return;
    bool value = HasValue();
    if (value == HasState(esHasValue)) return;
    if (value) IncludeState(esHasValue);
    else ExcludeState(esHasValue);
    HasValueChanged();
}

void TElement::UpdateEmpty()
{
    if (HasState(esDestroying)) return;
    bool empty = IsEmpty();
    if (empty == !HasState(esNotEmpty)) return;
    if (empty) ExcludeState(esNotEmpty);
    else IncludeState(esNotEmpty);
    EmptyChanged();
}

void TElement::Validate()
{
    if (HasState(esDestroying)) return;
    if (scheme_ && scheme_->IsUpdating()) {
        if (!HasState(esCheckPending)) {
            scheme_->AddPendingCheck(this);
            IncludeState(esCheckPending);
        }
        return;
    }
    const bool hadNoErrors = HasNoErrors();
    if (messages_) messages_->Clear();
    if (IsCheckable()) {
        if (HasState(esHasValue)) CheckValue();
        else if (HasFlag(efValueRequired))
            AddElementMessage(GetMessages(), mkValueRequired, sidValueMustBeSet, id_);
    }
    if (messages_ && messages_->Count() == 0) messages_.reset();
    if (HasNoErrors() != hadNoErrors) ErrorStateChanged();
}

void TElement::Recheck()
{
    UpdateHasValue();
    UpdateEmpty();
    Validate();
}

// ---- notifications ----

bool TElement::OfferToParent(int notify, intptr_t param1, intptr_t param2)
{
    TElement* parent = ParentElement();
    return parent && parent->ChildNotification(this, notify, param2, param1);
}

bool TElement::ReactToNotification(int notify, intptr_t param1, intptr_t param2)
{
    switch (notify) {
    case enParentChanged:
        AncestorsChanged();
        return true;
    case enDestroying:
        IncludeState(esDestroying);
        return true;
    case enInitializeNew:
        InitializeNew(param1);
        return true;
    default:
        return false;
    }
}

intptr_t TElement::Notification(int notify, intptr_t param1, intptr_t param2)
{
    if (OfferToParent(notify, param1, param2)) return 1;
    return ReactToNotification(notify, param1, param2) ? 1 : 0;
}

void TElement::ParentChanged() { NotifyTree(enParentChanged, 0, true); }
void TElement::ChildrenChanged() {}
void TElement::ChildInserting(TNode* child, TNode* before) {}
void TElement::ParentChanging(TNode* newParent, TNode* before) { TNode::ParentChanging(newParent, before); }

// ---- virtual defaults ----

void TElement::Create() {}
bool TElement::IsCheckable() { return true; }
void TElement::RedoDependent(TKnot* data) {}
void TElement::UndoDependent(TKnot* data) {}
void TElement::CheckValue() {}

void TElement::GetAcceptedClasses(TElementClassList& list)
{
    if (HasFlag(efPart))
        if (TElement* parent = ParentElement()) parent->GetChildAcceptedClasses(this, list);
}

bool TElement::HasValue() { return false; }
bool TElement::IsEmpty() { return !HasState(esHasValue); }
void TElement::InitializeNew(intptr_t context) {}

void TElement::FlagsChanged(TElementFlags oldFlags)
{
    if (((oldFlags ^ flags_) & (efValue | efValueRequired)) && HasFlag(efValue)) Recheck();
}

void TElement::GetChildAcceptedClasses(TElement* child, TElementClassList& list)
{
    if (HasFlag(efPart))
        if (TElement* parent = ParentElement()) parent->GetChildAcceptedClasses(child, list);
}

void TElement::GetChildHint(TElement* child, String& text)
{
    if (HasFlag(efPart))
        if (TElement* parent = ParentElement()) parent->GetChildHint(child, text);
}

void TElement::GetChildPaletteItems(TElement* child, TPaletteItemList& list)
{
    if (HasFlag(efPart))
        if (TElement* parent = ParentElement()) parent->GetChildPaletteItems(child, list);
}

void TElement::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name)
{
    if (HasFlag(efPart)) {
        if (TElement* parent = ParentElement()) parent->GetChildKnotName(child, filer, name);
    } else {
        name.clear();
    }
}

void TElement::HasValueChanged() { NotifyNode(enHasValueChanged); }

void TElement::IDChanged(int32_t oldID)
{
    if (!messages_) return;
    const String oldText = IntToString(oldID);
    const String newText = IntToString(id_);
    for (int i = 0; i < messages_->Count(); ++i)
        for (TElementMessagePart& part : messages_->GetItems(i).Parts)
            if (part.Kind == mpElements && part.Data == oldText) part.Data = newText;
}

void TElement::EmptyChanged() { NotifyNode(enEmptyChanged); }
void TElement::ErrorStateChanged() {}
void TElement::AncestorsChanged() {}

bool TElement::ShouldSavePart(TSchemeFiler* filer, TElement* part) { return ElementShouldSavePart(*filer, *part); }

bool TElement::ChildNotification(TElement* child, int notify, intptr_t param2, intptr_t param1) { return false; }

void TElement::Revalidate() { Validate(); }

void TElement::ChildEvent(TElement* child, intptr_t a, intptr_t b)
{
    if (HasFlag(efPart))
        if (TElement* parent = ParentElement()) parent->ChildEvent(this, a, b);
}

void TElement::Changed()
{
    Recheck();
    if (!HasState(esDestroying)) NotifyNode(enChanged);
}

void TElement::LoadFromKnot(TSchemeFiler* filer, TKnot* knot) { LoadElementItems(*this, *filer, *knot); }
void TElement::SaveTo(TKnot* knot, int mode, int options) { SaveElementTo(*this, *knot, mode, options); }
void TElement::SaveToKnot(TSchemeFiler* filer, TKnot* knot) { SaveElementItems(*this, *filer, *knot); }

void TElement::GetText(String& builder)
{
    for (TElement* e = FirstElement(); e; e = e->NextElement())
        if (e->HasFlag(efPart)) e->GetText(builder);
}

bool TElement::IsDefault(TSchemeFiler* filer, TKnot* knot) { return false; }
bool TElement::SavesInline(TSchemeFiler* filer) { return ElementSavesInline(*this, *filer); }

void TElement::GetKnotName(TSchemeFiler* filer, String& name)
{
    name.clear();
    if (TElement* parent = ParentElement()) parent->GetChildKnotName(this, filer, name);
}

TKnot* TElement::SaveChildToKnot(TElement* child, TSchemeFiler* filer, TKnot* knot)
{
    return SaveChildElement(*this, *child, *filer, *knot);
}

TElement* TElement::CreateChildFromKnot(TSchemeFiler* filer, TKnot* knot, TElement* before,
                                        const TElementClassList& acceptedClasses)
{
    return CreateChildElement(*this, *filer, *knot, before, acceptedClasses);
}

} // namespace quillora
