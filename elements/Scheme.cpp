#include "elements/Scheme.h"

#include <algorithm>

#include "elements/Element.h"
#include "elements/Messages.h"
#include "elements/Operations.h"
#include "foundation/UndoRedo.h"

namespace quillora {

TScheme::TScheme(const TElementClass* rootClass, String schemeName)
    : schemeName_(std::move(schemeName)), rootClass_(rootClass),
      ownMessages_(std::make_unique<TElementMessages>()), messages_(ownMessages_.get())
{
    if (rootClass_) root_.reset(rootClass_->Create(this));
}

TScheme::~TScheme()
{
    root_.reset();
    // Elements that outlive the scheme (helpers not in the root's tree) are freed later
    // by their owners: they must not reach back into the scheme then.
    for (TElement* e : elements_)
        if (e) e->ForgetScheme();
    elements_.clear();
    index_.clear();
    byID_.clear();
    pending_.clear();
}

void TScheme::SetFileName(const String& fileName)
{
    if (fileName == fileName_) return;
    fileName_ = fileName;
    Notify(snFileNameChanged);
}

void TScheme::SetReadOnly(bool value)
{
    if (value == readOnly_) return;
    readOnly_ = value;
    Notify(snReadOnlyChanged);
}

void TScheme::SetSchemeMessages(TElementMessages* messages) { messages_ = messages ? messages : ownMessages_.get(); }

// ---- registration ----

int32_t TScheme::RegisterElement(TElement* element)
{
    int32_t id = TElement::TakeNewID();
    if (element && !index_.count(element)) {
        index_.emplace(element, elements_.size());
        elements_.push_back(element);
    }
    return id;
}

void TScheme::UnregisterElement(TElement* element)
{
    auto it = index_.find(element);
    if (it != index_.end()) {
        elements_[it->second] = nullptr;
        index_.erase(it);
        if (elements_.size() > 64 && index_.size() < elements_.size() / 2) CompactElements();
    }
    auto cached = byID_.find(element->ID());
    if (cached != byID_.end() && cached->second == element) byID_.erase(cached);
    if (element->HasState(esCheckPending))
        for (TElement*& e : pending_)
            if (e == element) e = nullptr;
}

void TScheme::CompactElements()
{
    elements_.erase(std::remove(elements_.begin(), elements_.end(), nullptr), elements_.end());
    for (size_t i = 0; i < elements_.size(); ++i) index_[elements_[i]] = i;
}

TElement* TScheme::FindElement(int32_t id) const
{
    if (id == 0) return nullptr;
    auto cached = byID_.find(id);
    if (cached != byID_.end()) {
        if (index_.count(cached->second) && cached->second->ID() == id) return cached->second;
        byID_.erase(cached);
    }
    for (TElement* e : elements_)
        if (e && e->ID() == id) {
            byID_[id] = e;
            return e;
        }
    return nullptr;
}

std::vector<TElement*> TScheme::Elements() const
{
    std::vector<TElement*> list;
    list.reserve(index_.size());
    for (TElement* e : elements_)
        if (e) list.push_back(e);
    return list;
}

// ---- updates and deferred checks ----

void TScheme::AddPendingCheck(TElement* element)
{
    if (!element || element->HasState(esCheckPending)) return;
    pending_.push_back(element);
    element->IncludeState(esCheckPending);
}

std::vector<TElement*> TScheme::PendingChecks() const
{
    std::vector<TElement*> list;
    for (TElement* e : pending_)
        if (e) list.push_back(e);
    return list;
}

void TScheme::EndUpdate()
{
    if (updateCount_ > 0) --updateCount_;
    if (updateCount_ > 0 || !root_ || runningChecks_) return;
    // A check may change elements: ones destroyed meanwhile leave a null slot, ones
    // deferred again by a nested update are appended and reached by this same walk.
    runningChecks_ = true;
    struct Reset {
        TScheme* s;
        ~Reset()
        {
            s->pending_.clear();
            s->runningChecks_ = false;
        }
    } reset{this};
    for (size_t i = 0; i < pending_.size(); ++i) {
        TElement* e = pending_[i];
        if (!e) continue;
        pending_[i] = nullptr;
        e->ExcludeState(esCheckPending);
        e->Revalidate();
    }
}

// ---- undo groups and message batches ----

void TScheme::BeginGroup(bool batchMessages, const String& caption)
{
    if (batchMessages) BeginMessages();
    groupBatches_.push_back(batchMessages);
    if (undoRedo_) undoRedo_->BeginGroup(new TSchemeGroupingOperation(this, batchMessages, caption));
}

void TScheme::EndGroup()
{
    bool batched = false;
    if (!groupBatches_.empty()) {
        batched = groupBatches_.back();
        groupBatches_.pop_back();
    }
    struct EndBatch {
        TScheme* s;
        bool on;
        ~EndBatch()
        {
            if (on) s->EndMessages();
        }
    } endBatch{this, batched};
    if (undoRedo_) undoRedo_->EndGroup();
}

void TScheme::BeginMessages() { messages_->BeginBatch(); }

void TScheme::EndMessages() { messages_->EndBatch(); }

} // namespace quillora
