#pragma once
// The undo/redo engine. Every change of a document is a TOperation that knows how to
// do, undo and redo itself; TUndoRedo runs operations, keeps the done and the undone
// ones, merges small consecutive operations, nests operations started while another
// one runs (they become its children) and collects a group into one history entry.

#include <cstdint>
#include <vector>

#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

class TUndoRedo;

enum TOperationPhase : uint8_t {
    opIdle = 0,
    opDoing = 1,     // being done for the first time
    opUndoing = 2,
    opRedoing = 3,
};

// Bits of TOperation::GetFlags.
enum TOperationFlag : int {
    ofModifiesDocument = 0x01, // running it marks the document modified
    ofNotRecorded = 0x02,      // not kept in the history (with ofModifiesDocument: clears it)
};

// Notification codes that TUndoRedo sends through Notify.
enum TUndoRedoNotify : int {
    urHistoryChanged = 1, // an operation or a group was added
    urUndone = 2,
    urRedone = 3,
    urModifiedChanged = 4,
    urCleared = 6,
};

// An undoable change. Its children are the operations that happened inside it; they
// are redone before and undone after the operation's own effect.
class TOperation : public TNode {
public:
    TOperation() = default;

    TOperationPhase Phase() const { return phase_; }

    // Does (first) or redoes the operation: BeforeExecute, the children first to last,
    // DoExecute, AfterExecute. AfterExecute also runs when a step failed; the failure
    // then passes on.
    void Execute(bool first);
    // BeforeExecute, DoUndo, the children last to first, AfterExecute (also on failure).
    void UndoOperation();

    // Hands the operation over: with an engine, engine->Add(this); without one it is
    // done once and destroyed. The operation must have been created with new; the
    // caller no longer owns it, also when this throws.
    void Perform(TUndoRedo* engine);

protected:
    // Runs at the end of doing, undoing or redoing, also when that failed.
    virtual void AfterExecute() {}
    // Runs at the start of doing, undoing or redoing.
    virtual void BeforeExecute() {}
    // Does (first time) or redoes the operation's own effect.
    virtual void DoExecute() {}
    // Undoes the operation's own effect.
    virtual void DoUndo() {}

public:
    // The name shown with Undo and Redo.
    virtual String GetCaption() const { return {}; }
    // TOperationFlag bits.
    virtual int GetFlags() const { return ofModifiesDocument; }
    // An operation that can absorb itself into `previous` (its previous sibling in
    // the history) does so and returns true; it is then destroyed.
    virtual bool MergeWith(TOperation* previous) { return false; }

private:
    friend class TUndoRedo;
    void FinishPhase();

    TOperationPhase phase_ = opIdle;
};

// One history entry made of many operations (its children).
class TGroupingOperation : public TOperation {
public:
    explicit TGroupingOperation(String caption = {}) : caption_(std::move(caption)) {}

    const String& Caption() const { return caption_; }
    void SetCaption(String caption) { caption_ = std::move(caption); }

    // The own caption when set, else the first child's, else empty.
    String GetCaption() const override;
    // The OR of the children's flags; 0 without children.
    int GetFlags() const override;

private:
    String caption_;
};

class TUndoRedo : public TItfObject {
public:
    // The history steps kept by default: a step is one recorded operation or group, and
    // consecutive typing merges into one step, so this covers hours of editing while the
    // memory the history holds stays bounded.
    static constexpr int DefaultLimit = 1000;

    TUndoRedo() = default;
    // Destroys the history and an open group.
    ~TUndoRedo() override;

    // Runs the operation and records it (takes ownership, also when it fails): as the
    // last entry of the history when nothing else runs, otherwise as the last child of
    // the innermost running operation (the open group, or the operation whose
    // execution started this one). Empties the redo list, lets the operation merge
    // into its previous sibling, notifies urHistoryChanged. An ofNotRecorded operation
    // is destroyed after it ran (clearing the history when it modifies the document).
    void Add(TOperation* operation);
    // Undoes the last done operation and moves it to the front of the redo list.
    // Nothing when there is none.
    void Undo();
    // Redoes the first undone operation and appends it to the history. Nothing when
    // there is none.
    void Redo();
    // Destroys every done and undone operation; notifies urCleared.
    void Clear();
    // Destroys the undone operations (nothing can be redone any more); notifies
    // urHistoryChanged when there were any.
    void ClearRedo();

    // Opens a group (takes ownership of `group`): while it is open, everything added
    // becomes its child. A request while a group is open or an operation runs only
    // counts the depth; its group object is destroyed.
    void BeginGroup(TOperation* group);
    // Closes the outermost group: records it when it collected operations (one history
    // entry, urHistoryChanged); an empty group is destroyed without notification.
    void EndGroup();

    // The most steps the history keeps (0: no bound). When a recorded step goes beyond
    // it, the oldest steps are destroyed; they can no longer be undone. Steps that could
    // be redone count too, so undoing and redoing never exceeds it either.
    int Limit() const { return limit_; }
    // Applies the bound at once (the oldest steps beyond it are destroyed).
    void SetLimit(int steps);
    // The number of steps that Undo can take back.
    int UndoCount() const { return undoCount_; }

    bool Modified() const { return modified_; }
    // Stores the value; notifies urModifiedChanged when it changes.
    void SetModified(bool value);

    bool CanUndo() const { return undoList_.HasChildren(); }
    bool CanRedo() const { return redoList_.HasChildren(); }
    // The operation that Undo (Redo) would run next, or null.
    TOperation* NextUndo() const;
    TOperation* NextRedo() const;

    // Children: the done operations, oldest first.
    const TNode& UndoList() const { return undoList_; }
    // Children: the undone operations, the next to redo first.
    const TNode& RedoList() const { return redoList_; }
    int GroupDepth() const { return groupDepth_; }
    TOperation* CurrentGroup() const { return currentGroup_; }
    // The operations being run, innermost last.
    const std::vector<TOperation*>& Running() const { return running_; }

private:
    enum TRunKind { rkDo, rkUndo, rkRedo };
    // Runs the operation; on failure destroys it and passes the failure on. After
    // success marks the document modified when the operation says so.
    void Run(TOperation* operation, TRunKind kind);
    void RemoveRunning(TOperation* operation);
    // Appends a finished step to the history and destroys the oldest steps beyond the
    // limit (never the one just recorded).
    void Record(TOperation* operation);
    void TrimHistory();

    TNode undoList_;
    TNode redoList_;
    bool modified_ = false;
    int limit_ = DefaultLimit;
    int undoCount_ = 0;
    int groupDepth_ = 0;
    TOperation* currentGroup_ = nullptr;
    std::vector<TOperation*> running_;
};

} // namespace quillora
