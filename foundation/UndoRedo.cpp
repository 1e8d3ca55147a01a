#include "foundation/UndoRedo.h"

#include <algorithm>
#include <exception>
#include <memory>

namespace quillora {

// ---- TOperation ----

void TOperation::FinishPhase()
{
    try {
        AfterExecute();
    } catch (...) {
        phase_ = opIdle;
        throw;
    }
    phase_ = opIdle;
}

void TOperation::Execute(bool first)
{
    phase_ = first ? opDoing : opRedoing;
    try {
        BeforeExecute();
        // Only the children present now: an operation added meanwhile (it becomes a
        // child of the running operation) has already been done by the engine.
        TNode* last = LastChild();
        for (TNode* child = FirstChild(); child;) {
            TNode* next = child == last ? nullptr : child->NextSibling();
            if (auto* op = dynamic_cast<TOperation*>(child)) op->Execute(first);
            child = next;
        }
        DoExecute();
    } catch (...) {
        FinishPhase();
        throw;
    }
    FinishPhase();
}

void TOperation::UndoOperation()
{
    phase_ = opUndoing;
    try {
        BeforeExecute();
        DoUndo();
        TNode* first = FirstChild();
        for (TNode* child = LastChild(); child;) {
            TNode* prev = child == first ? nullptr : child->PrevSibling();
            if (auto* op = dynamic_cast<TOperation*>(child)) op->UndoOperation();
            child = prev;
        }
    } catch (...) {
        FinishPhase();
        throw;
    }
    FinishPhase();
}

void TOperation::Perform(TUndoRedo* engine)
{
    if (engine) {
        engine->Add(this);
        return;
    }
    std::unique_ptr<TOperation> self(this);
    Execute(true);
}

// ---- TGroupingOperation ----

String TGroupingOperation::GetCaption() const
{
    if (!caption_.empty()) return caption_;
    if (auto* first = dynamic_cast<const TOperation*>(FirstChild())) return first->GetCaption();
    return {};
}

int TGroupingOperation::GetFlags() const
{
    int flags = 0;
    for (const TNode* child = FirstChild(); child; child = child->NextSibling())
        if (auto* op = dynamic_cast<const TOperation*>(child)) flags |= op->GetFlags();
    return flags;
}

// ---- TUndoRedo ----

TUndoRedo::~TUndoRedo()
{
    // An open group is held by the engine alone (it is in no list yet).
    delete currentGroup_;
    currentGroup_ = nullptr;
    redoList_.DeleteChildren();
    undoList_.DeleteChildren();
}

TOperation* TUndoRedo::NextUndo() const
{
    return static_cast<TOperation*>(undoList_.LastChild());
}

TOperation* TUndoRedo::NextRedo() const
{
    return static_cast<TOperation*>(redoList_.FirstChild());
}

void TUndoRedo::RemoveRunning(TOperation* operation)
{
    auto it = std::find(running_.rbegin(), running_.rend(), operation);
    if (it != running_.rend()) running_.erase(std::next(it).base());
}

void TUndoRedo::Run(TOperation* operation, TRunKind kind)
{
    running_.push_back(operation);
    try {
        switch (kind) {
        case rkDo: operation->Execute(true); break;
        case rkUndo: operation->UndoOperation(); break;
        case rkRedo: operation->Execute(false); break;
        }
    } catch (...) {
        RemoveRunning(operation);
        delete operation; // also unlinks it from a list that held it
        throw;
    }
    RemoveRunning(operation);
    if (operation->GetFlags() & ofModifiesDocument) SetModified(true);
}

void TUndoRedo::Add(TOperation* operation)
{
    if (!operation) return;
    Run(operation, rkDo);
    std::unique_ptr<TOperation> owned(operation);
    int flags = operation->GetFlags();
    if (flags & ofNotRecorded) {
        if (flags & ofModifiesDocument) Clear();
        owned.reset();
    } else {
        redoList_.DeleteChildren();
        const bool topLevel = running_.empty();
        TNode* parent = topLevel ? static_cast<TNode*>(&undoList_) : running_.back();
        operation->SetParent(parent);
        owned.release(); // the list owns it now
        if (topLevel) ++undoCount_;
        bool merged = false;
        if (auto* previous = dynamic_cast<TOperation*>(operation->PrevSibling()))
            if (operation->MergeWith(previous)) {
                delete operation;
                merged = true;
            }
        if (topLevel) {
            if (merged) --undoCount_;
            else TrimHistory();
        }
    }
    // Also after an operation that was not kept: its change must still reach the
    // listeners that save the document.
    Notify(urHistoryChanged);
}

void TUndoRedo::Undo()
{
    TOperation* operation = NextUndo();
    if (!operation) return;
    // Out of the lists while it runs, so that nothing it starts (an Add emptying the
    // redo list, a Clear) can destroy it under its own feet.
    operation->SetParent(nullptr);
    --undoCount_;
    Run(operation, rkUndo);
    operation->SetParent(&redoList_, redoList_.FirstChild());
    Notify(urUndone);
}

void TUndoRedo::Redo()
{
    TOperation* operation = NextRedo();
    if (!operation) return;
    operation->SetParent(nullptr);
    Run(operation, rkRedo);
    Record(operation);
    Notify(urRedone);
}

void TUndoRedo::Clear()
{
    redoList_.DeleteChildren();
    undoList_.DeleteChildren();
    undoCount_ = 0;
    Notify(urCleared);
}

void TUndoRedo::BeginGroup(TOperation* group)
{
    std::unique_ptr<TOperation> owned(group);
    bool outermost = groupDepth_ == 0 && running_.empty();
    ++groupDepth_;
    if (!outermost || !group) return; // absorbed by the outer group (or a running operation)
    currentGroup_ = owned.release();
    running_.push_back(group);
    group->phase_ = opDoing;
    try {
        group->BeforeExecute();
    } catch (...) {
        try {
            group->AfterExecute();
        } catch (...) {
        }
        group->phase_ = opIdle;
        RemoveRunning(group);
        currentGroup_ = nullptr;
        --groupDepth_;
        delete group;
        throw;
    }
}

void TUndoRedo::EndGroup()
{
    if (groupDepth_ <= 0) return; // unbalanced call
    if (--groupDepth_ != 0 || !currentGroup_) return;
    std::unique_ptr<TOperation> group(currentGroup_);
    currentGroup_ = nullptr;
    std::exception_ptr failure;
    try {
        group->AfterExecute();
    } catch (...) {
        failure = std::current_exception();
    }
    group->phase_ = opIdle;
    RemoveRunning(group.get());
    // The collected operations are done: they stay undoable even when AfterExecute failed.
    if (group->HasChildren()) {
        redoList_.DeleteChildren();
        Record(group.release());
        Notify(urHistoryChanged);
    }
    if (failure) std::rethrow_exception(failure);
}

void TUndoRedo::ClearRedo()
{
    if (!redoList_.HasChildren()) return;
    redoList_.DeleteChildren();
    Notify(urHistoryChanged);
}

void TUndoRedo::Record(TOperation* operation)
{
    operation->SetParent(&undoList_);
    ++undoCount_;
    TrimHistory();
}

void TUndoRedo::TrimHistory()
{
    if (limit_ <= 0) return;
    // Only between steps: a running operation is never in the lists' way. The step
    // recorded last is the last child and is never destroyed here (limit >= 1).
    int redoCount = 0;
    for (TNode* n = redoList_.FirstChild(); n && undoCount_ + redoCount <= limit_; n = n->NextSibling()) ++redoCount;
    while (undoCount_ > 0 && undoCount_ + redoCount > limit_ && undoList_.FirstChild() != undoList_.LastChild()) {
        delete undoList_.FirstChild();
        --undoCount_;
    }
}

void TUndoRedo::SetLimit(int steps)
{
    limit_ = steps < 0 ? 0 : steps;
    if (running_.empty()) TrimHistory();
}

void TUndoRedo::SetModified(bool value)
{
    if (modified_ == value) return;
    modified_ = value;
    Notify(urModifiedChanged);
}

} // namespace quillora
