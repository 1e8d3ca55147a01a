#pragma once
// TItfObject: the base of long-lived model objects, with an ordered list of
// notification handlers. TNode: an ordered tree node that owns its children.

#include <cstdint>
#include <functional>
#include <vector>

namespace quillora {

class TItfObject;

// A bound method: object and procedure. Two events are the same when both are.
struct TItfNotifyEvent {
    using Proc = void (*)(void* object, TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void* Object = nullptr;
    Proc Procedure = nullptr;

    bool operator==(const TItfNotifyEvent& other) const = default;
    void operator()(TItfObject* sender, int notify, intptr_t p1, intptr_t p2) const
    {
        Procedure(Object, sender, notify, p1, p2);
    }
};

// Binds a member function void T::M(TItfObject*, int, intptr_t, intptr_t) to an object:
//   obj->AddNotifyEvent(BindNotify<&Observer::OnChange>(this));
template <auto Method, class T>
TItfNotifyEvent BindNotify(T* object)
{
    TItfNotifyEvent e;
    e.Object = object;
    e.Procedure = [](void* o, TItfObject* sender, int notify, intptr_t p1, intptr_t p2) {
        (static_cast<T*>(o)->*Method)(sender, notify, p1, p2);
    };
    return e;
}

class TItfObject {
public:
    TItfObject() = default;
    TItfObject(const TItfObject&) = delete;
    TItfObject& operator=(const TItfObject&) = delete;
    virtual ~TItfObject() = default;

    // Calls the handlers from the most recently added to the oldest. Handlers may add
    // and remove handlers meanwhile: each handler registered when the walk started and
    // still registered when its turn comes is called once; added ones are not called.
    virtual void Notify(int notify, intptr_t param1 = 0, intptr_t param2 = 0);

    void AddNotifyEvent(const TItfNotifyEvent& event);
    // Removes the most recently added occurrence; nothing when absent.
    void RemoveNotifyEvent(const TItfNotifyEvent& event);
    // Position of the most recently added occurrence; -1 when absent.
    int IndexOfNotifyEvent(const TItfNotifyEvent& event) const;
    int NotifyEventCount() const { return static_cast<int>(handlers_.size()); }

private:
    struct Registration {
        TItfNotifyEvent Event;
        uint64_t Serial;
    };
    std::vector<Registration> handlers_;
    uint64_t nextSerial_ = 1;
};

class TNode : public TItfObject {
public:
    TNode() = default;
    // Detaches the node from its parent (the parent hears ChildrenChanged), then
    // destroys the children, the last one first. Hooks of a subclass have already
    // run their course by then: a subclass that must hear its own detaching calls
    // SetParent(nullptr) in its destructor.
    ~TNode() override;

    TNode* FirstChild() const { return firstChild_; }
    TNode* LastChild() const { return lastChild_; }
    TNode* PrevSibling() const { return prevSibling_; }
    TNode* NextSibling() const { return nextSibling_; }
    TNode* Parent() const { return parent_; }
    bool HasChildren() const { return firstChild_ != nullptr; }

    // The one operation that changes the tree. `before` must be null or a child of
    // `newParent`; null appends. SetParent(nullptr, nullptr) detaches.
    void SetParent(TNode* newParent, TNode* before = nullptr);
    // Destroys the children, the last one first.
    void DeleteChildren();

    int IndexInParent() const;
    int Level() const;
    TNode* Root();
    const TNode* Root() const;
    TNode* PriorNode() const;
    int AbsoluteIndex() const;
    int ChildCount() const;
    TNode* ChildAt(int index) const;

    intptr_t NotifyNode(int notify, intptr_t param1 = 0, intptr_t param2 = 0);
    void NotifyUp(int notify, intptr_t param1 = 0, intptr_t param2 = 0);
    void NotifyTree(int notify, intptr_t param1, bool preOrder, intptr_t param2 = 0);
    void NotifyChildren(int notify, intptr_t param1, bool recursive, bool preOrder, intptr_t param2 = 0);
    // The walk of NotifyTree, including this node, calling `callback` on each node.
    void ForEach(const std::function<void(TNode*)>& callback, bool preOrder);
    // This node and all its descendants in pre-order.
    void CollectNodes(std::vector<TNode*>& list);
    // Only the nodes of class T or a subclass of it.
    template <class T>
    void CollectNodes(std::vector<T*>& list)
    {
        ForEach([&](TNode* n) { if (auto* t = dynamic_cast<T*>(n)) list.push_back(t); }, true);
    }

protected:
    virtual intptr_t Notification(int notify, intptr_t param1, intptr_t param2) { return 0; }
    virtual void ParentChanged() {}
    virtual void ChildrenChanged() {}
    virtual void ChildInserting(TNode* child, TNode* before) {}
    virtual void ParentChanging(TNode* newParent, TNode* before);

private:
    friend struct TNodeLinkAccess;
    void LinkBefore(TNode* parent, TNode* before);
    void Unlink();

    TNode* firstChild_ = nullptr;
    TNode* lastChild_ = nullptr;
    TNode* prevSibling_ = nullptr;
    TNode* nextSibling_ = nullptr;
    TNode* parent_ = nullptr;
};

} // namespace quillora
