#pragma once
// Operations of the undo engine tied to a scheme and to one element. An element
// operation refers to its element by identifier and looks it up each time it runs, so
// that it survives the element being destroyed and re-created from an exact copy.

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "foundation/UndoRedo.h"

namespace quillora {

class TElement;
class TKnot;
class TScheme;
class TVisualElement;

// An operation recorded by a scheme's undo engine. With BatchMessages the scheme's
// messages are batched while the operation and its children run.
class TSchemeOperation : public TOperation {
public:
    TSchemeOperation(TScheme* scheme, bool batchMessages) : scheme_(scheme), batchMessages_(batchMessages) {}

    TScheme* OperationScheme() const { return scheme_; }
    bool BatchMessages() const { return batchMessages_; }

    // Hands the operation to the scheme's undo engine (without one it runs once and is
    // destroyed). The operation must have been made with new; the caller no longer
    // owns it, also when this throws.
    void Perform();
    using TOperation::Perform;

protected:
    void BeforeExecute() override;
    void AfterExecute() override;

private:
    TScheme* scheme_;
    bool batchMessages_;
};

// The group that TScheme::BeginGroup opens.
class TSchemeGroupingOperation : public TGroupingOperation {
public:
    TSchemeGroupingOperation(TScheme* scheme, bool batchMessages, String caption = {})
        : TGroupingOperation(std::move(caption)), scheme_(scheme), batchMessages_(batchMessages)
    {
    }

    TScheme* OperationScheme() const { return scheme_; }
    bool BatchMessages() const { return batchMessages_; }

protected:
    void BeforeExecute() override;
    void AfterExecute() override;

private:
    TScheme* scheme_;
    bool batchMessages_;
};

// Pairs of an element identifier and a data knot (owned), for elements that must be
// restored together with an operation's own element.
class TElementOperationDependents {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    void Add(int32_t elementID, std::unique_ptr<TKnot> data);
    int32_t GetElementIdentifiers(int index) const;
    TKnot* GetDatas(int index) const { return items_[static_cast<size_t>(index)].second.get(); }
    // Appends every pair to `other` and empties this list.
    void MoveTo(TElementOperationDependents& other);

private:
    std::vector<std::pair<String, std::unique_ptr<TKnot>>> items_; // identifier as decimal text
};

class TElementOperation : public TSchemeOperation {
public:
    // ElementID, WasFocused and the scheme are taken from `element`.
    TElementOperation(TElement* element, bool batchMessages);
    ~TElementOperation() override;

    int32_t ElementID() const { return elementID_; }
    bool WasFocused() const { return wasFocused_; }
    // The dependents' lists; none until first used.
    TElementOperationDependents* RedoDependents() const { return redoDependents_.get(); }
    TElementOperationDependents* UndoDependents() const { return undoDependents_.get(); }
    TElementOperationDependents& GetRedoDependents();
    TElementOperationDependents& GetUndoDependents();
    // Appends this operation's dependents to those of `other` and empties its own
    // (for operations that merge into their predecessor).
    void MoveDependentsTo(TElementOperation& other);

protected:
    // Finds the element (nothing happens without it) and, inside an update of its
    // sheet, ApplyTo; while redoing, then RedoDependent of every dependent found.
    void DoExecute() override;
    // The same with RevertOn and UndoDependent.
    void DoUndo() override;

public:
    // 14: focuses the element when it had the focus at creation and has it not now;
    // subclasses do or redo their change here.
    virtual void ApplyTo(TElement* element);
    // 15: the same; subclasses undo their change here.
    virtual void RevertOn(TElement* element);
    // 16: reserved.
    virtual int Reserved16() { return 0; }

private:
    void Run(bool undo);

    int32_t elementID_;
    bool wasFocused_;
    std::unique_ptr<TElementOperationDependents> redoDependents_;
    std::unique_ptr<TElementOperationDependents> undoDependents_;
};

// Disables or enables a visual element.
class TVisualElementDisableOperation : public TElementOperation {
public:
    TVisualElementDisableOperation(TVisualElement* element, bool batchMessages);

    bool NewValue = false;
    bool OldValue = false;

    void ApplyTo(TElement* element) override;
    void RevertOn(TElement* element) override;
};

// TVisualElement::SetDisabledUndoable: a disable operation with `value`, without
// message batch, performed through the element's scheme.
void PerformDisableOperation(TVisualElement& element, bool value);

} // namespace quillora
