#include "foundation/Node.h"

#include "foundation/Lists.h"

namespace quillora {

// ---- TItfObject ----

void TItfObject::AddNotifyEvent(const TItfNotifyEvent& event)
{
    handlers_.push_back({event, nextSerial_++});
}

void TItfObject::RemoveNotifyEvent(const TItfNotifyEvent& event)
{
    int index = IndexOfNotifyEvent(event);
    if (index >= 0) handlers_.erase(handlers_.begin() + index);
}

int TItfObject::IndexOfNotifyEvent(const TItfNotifyEvent& event) const
{
    for (int i = static_cast<int>(handlers_.size()) - 1; i >= 0; --i)
        if (handlers_[static_cast<size_t>(i)].Event == event) return i;
    return -1;
}

void TItfObject::Notify(int notify, intptr_t param1, intptr_t param2)
{
    if (handlers_.empty()) return;
    // Registrations carry increasing serials; the walk goes down from the newest serial
    // that existed at the start, always to the next lower serial still registered, so
    // it keeps its place whatever the handlers add or remove.
    uint64_t below = nextSerial_;
    for (;;) {
        const Registration* next = nullptr;
        for (auto it = handlers_.rbegin(); it != handlers_.rend(); ++it) {
            if (it->Serial < below) {
                next = &*it;
                break;
            }
        }
        if (!next) return;
        below = next->Serial;
        TItfNotifyEvent event = next->Event; // the call may change the list
        event(this, notify, param1, param2);
    }
}

// ---- TNode ----

// The sibling chain, kept by the intrusive list algorithms.
struct TNodeLinkAccess {
    static TNode*& Next(TNode* n) { return n->nextSibling_; }
    static TNode*& Prev(TNode* n) { return n->prevSibling_; }
};
using SiblingList = TBidirectionalList<TNode, TNodeLinkAccess>;

TNode::~TNode()
{
    SetParent(nullptr, nullptr);
    DeleteChildren();
}

void TNode::DeleteChildren()
{
    while (lastChild_) delete lastChild_;
}

void TNode::ParentChanging(TNode* newParent, TNode* before)
{
    if (newParent) newParent->ChildInserting(this, before);
}

void TNode::LinkBefore(TNode* parent, TNode* before)
{
    SiblingList::InsertBefore(this, before, parent->firstChild_, parent->lastChild_);
    parent_ = parent;
}

void TNode::Unlink()
{
    SiblingList::Remove(this, parent_->firstChild_, parent_->lastChild_);
    parent_ = nullptr;
}

void TNode::SetParent(TNode* newParent, TNode* before)
{
    if (newParent && newParent == parent_) {
        if (before == nextSibling_) return; // already in place
        ParentChanging(newParent, before);
        SiblingList::Move(this, before, parent_->firstChild_, parent_->lastChild_);
        ParentChanged();
        parent_->ChildrenChanged();
        return;
    }
    if (!newParent && !parent_) return;
    ParentChanging(newParent, before);
    if (TNode* oldParent = parent_) {
        Unlink();
        ParentChanged();
        oldParent->ChildrenChanged();
    }
    if (newParent) {
        LinkBefore(newParent, before);
        ParentChanged();
        newParent->ChildrenChanged();
    }
}

int TNode::IndexInParent() const
{
    if (!parent_) return -1;
    int index = 0;
    for (const TNode* p = prevSibling_; p; p = p->prevSibling_) ++index;
    return index;
}

int TNode::Level() const
{
    int level = 0;
    for (const TNode* p = parent_; p; p = p->parent_) ++level;
    return level;
}

TNode* TNode::Root()
{
    TNode* n = this;
    while (n->parent_) n = n->parent_;
    return n;
}

const TNode* TNode::Root() const
{
    const TNode* n = this;
    while (n->parent_) n = n->parent_;
    return n;
}

TNode* TNode::PriorNode() const
{
    if (prevSibling_) {
        TNode* n = prevSibling_;
        while (n->lastChild_) n = n->lastChild_;
        return n;
    }
    return parent_;
}

int TNode::AbsoluteIndex() const
{
    int index = 0;
    for (const TNode* n = PriorNode(); n; n = n->PriorNode()) ++index;
    return index;
}

int TNode::ChildCount() const
{
    int count = 0;
    for (const TNode* c = firstChild_; c; c = c->nextSibling_) ++count;
    return count;
}

TNode* TNode::ChildAt(int index) const
{
    return SiblingList::GetItem(firstChild_, index);
}

intptr_t TNode::NotifyNode(int notify, intptr_t param1, intptr_t param2)
{
    return Notification(notify, param1, param2);
}

void TNode::NotifyUp(int notify, intptr_t param1, intptr_t param2)
{
    for (TNode* n = this; n; n = n->parent_) n->Notification(notify, param1, param2);
}

void TNode::NotifyTree(int notify, intptr_t param1, bool preOrder, intptr_t param2)
{
    ForEach([&](TNode* n) { n->Notification(notify, param1, param2); }, preOrder);
}

void TNode::NotifyChildren(int notify, intptr_t param1, bool recursive, bool preOrder, intptr_t param2)
{
    if (preOrder) {
        for (TNode* c = firstChild_; c;) {
            TNode* next = c->nextSibling_;
            if (recursive) c->NotifyTree(notify, param1, true, param2);
            else c->Notification(notify, param1, param2);
            c = next;
        }
    } else {
        for (TNode* c = lastChild_; c;) {
            TNode* prev = c->prevSibling_;
            if (recursive) c->NotifyTree(notify, param1, false, param2);
            else c->Notification(notify, param1, param2);
            c = prev;
        }
    }
}

void TNode::ForEach(const std::function<void(TNode*)>& callback, bool preOrder)
{
    if (preOrder) {
        callback(this);
        for (TNode* c = firstChild_; c;) {
            TNode* next = c->nextSibling_;
            c->ForEach(callback, true);
            c = next;
        }
    } else {
        for (TNode* c = lastChild_; c;) {
            TNode* prev = c->prevSibling_;
            c->ForEach(callback, false);
            c = prev;
        }
        callback(this);
    }
}

void TNode::CollectNodes(std::vector<TNode*>& list)
{
    ForEach([&](TNode* n) { list.push_back(n); }, true);
}

} // namespace quillora
