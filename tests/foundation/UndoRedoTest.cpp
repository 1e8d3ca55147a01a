#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "foundation/Exceptions.h"
#include "foundation/UndoRedo.h"

using namespace quillora;

namespace {

using Log = std::vector<std::string>;

// An operation that records what happens to it.
struct Op : TOperation {
    std::string name;
    Log* log;
    int flags = ofModifiesDocument;
    String caption;
    bool failDo = false;
    bool failUndo = false;
    std::function<void()> during; // runs inside DoExecute when first done
    std::function<bool(TOperation*)> merge;

    Op(std::string n, Log* l) : name(std::move(n)), log(l) {}
    ~Op() override { log->push_back("free " + name); }

    void BeforeExecute() override { log->push_back("before " + name); }
    void AfterExecute() override { log->push_back("after " + name); }
    void DoExecute() override
    {
        log->push_back((Phase() == opDoing ? "do " : "redo ") + name);
        if (failDo) throw Exception(u"failed");
        if (Phase() == opDoing && during) during();
    }
    void DoUndo() override
    {
        log->push_back("undo " + name);
        if (failUndo) throw Exception(u"failed");
    }
    String GetCaption() const override { return caption; }
    int GetFlags() const override { return flags; }
    bool MergeWith(TOperation* previous) override { return merge ? merge(previous) : false; }
};

// Only the do/undo/redo/free lines.
Log Effects(const Log& log)
{
    Log out;
    for (const auto& line : log)
        if (line.rfind("before", 0) != 0 && line.rfind("after", 0) != 0) out.push_back(line);
    return out;
}

struct UndoRedoTest : testing::Test {
    Log log;
    std::vector<int> codes;
    TUndoRedo engine;

    void SetUp() override { engine.AddNotifyEvent(BindNotify<&UndoRedoTest::Heard>(this)); }
    void Heard(TItfObject*, int code, intptr_t, intptr_t) { codes.push_back(code); }

    Op* Make(const std::string& name) { return new Op(name, &log); }
    Op* AddOp(const std::string& name)
    {
        Op* op = Make(name);
        engine.Add(op);
        return op;
    }
    int UndoCount() const { return engine.UndoList().ChildCount(); }
    int RedoCount() const { return engine.RedoList().ChildCount(); }
};

TEST_F(UndoRedoTest, DoUndoRedoWithHooksAndNotifications)
{
    AddOp("a");
    EXPECT_EQ(log, (Log{"before a", "do a", "after a"}));
    EXPECT_TRUE(engine.CanUndo());
    EXPECT_FALSE(engine.CanRedo());
    EXPECT_TRUE(engine.Modified());
    EXPECT_EQ(codes, (std::vector<int>{urModifiedChanged, urHistoryChanged}));

    log.clear();
    codes.clear();
    engine.Undo();
    EXPECT_EQ(log, (Log{"before a", "undo a", "after a"}));
    EXPECT_FALSE(engine.CanUndo());
    EXPECT_TRUE(engine.CanRedo());
    EXPECT_EQ(codes, (std::vector<int>{urUndone}));

    log.clear();
    codes.clear();
    engine.Redo();
    EXPECT_EQ(log, (Log{"before a", "redo a", "after a"}));
    EXPECT_EQ(codes, (std::vector<int>{urRedone}));
    EXPECT_EQ(engine.NextUndo()->Phase(), opIdle);
}

TEST_F(UndoRedoTest, UndoAndRedoOrderAcrossSeveralOperations)
{
    Op* a = AddOp("a");
    Op* b = AddOp("b");
    AddOp("c");
    log.clear();
    engine.Undo();
    engine.Undo();
    EXPECT_EQ(engine.NextUndo(), a);
    EXPECT_EQ(engine.NextRedo(), b);
    engine.Redo();
    EXPECT_EQ(Effects(log), (Log{"undo c", "undo b", "redo b"}));
    EXPECT_EQ(UndoCount(), 2);
    EXPECT_EQ(RedoCount(), 1);
}

TEST_F(UndoRedoTest, AddingAfterUndoDiscardsTheRedoList)
{
    AddOp("a");
    AddOp("b");
    engine.Undo();
    log.clear();
    AddOp("c");
    EXPECT_EQ(Effects(log), (Log{"do c", "free b"}));
    EXPECT_FALSE(engine.CanRedo());
    EXPECT_EQ(UndoCount(), 2);
}

TEST_F(UndoRedoTest, UndoAndRedoWithEmptyHistoryDoNothing)
{
    engine.Undo();
    engine.Redo();
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(engine.NextUndo(), nullptr);
    EXPECT_EQ(engine.NextRedo(), nullptr);
}

TEST_F(UndoRedoTest, OperationAddedDuringExecutionBecomesItsChild)
{
    Op* outer = Make("outer");
    outer->during = [&] { AddOp("inner1"); AddOp("inner2"); };
    engine.Add(outer);
    EXPECT_EQ(UndoCount(), 1);
    ASSERT_EQ(outer->ChildCount(), 2);
    EXPECT_EQ(static_cast<Op*>(outer->FirstChild())->name, "inner1");

    log.clear();
    engine.Undo();
    // The operation's own effect first, then its children in reverse order.
    EXPECT_EQ(Effects(log), (Log{"undo outer", "undo inner2", "undo inner1"}));
    log.clear();
    engine.Redo();
    // Children first (in order), then the operation's own effect; no new children.
    EXPECT_EQ(Effects(log), (Log{"redo inner1", "redo inner2", "redo outer"}));
    EXPECT_EQ(outer->ChildCount(), 2);
}

TEST_F(UndoRedoTest, GroupIsOneEntryUndoneInReverse)
{
    engine.BeginGroup(new TGroupingOperation(u"Typing"));
    EXPECT_EQ(engine.CurrentGroup()->Phase(), opDoing);
    AddOp("a");
    AddOp("b");
    AddOp("c");
    EXPECT_EQ(UndoCount(), 0);
    codes.clear();
    engine.EndGroup();
    EXPECT_EQ(codes, (std::vector<int>{urHistoryChanged}));
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(engine.NextUndo()->ChildCount(), 3);
    EXPECT_EQ(engine.NextUndo()->Phase(), opIdle);
    EXPECT_EQ(engine.CurrentGroup(), nullptr);
    EXPECT_TRUE(engine.Running().empty());

    log.clear();
    engine.Undo();
    EXPECT_EQ(Effects(log), (Log{"undo c", "undo b", "undo a"}));
    log.clear();
    engine.Redo();
    EXPECT_EQ(Effects(log), (Log{"redo a", "redo b", "redo c"}));
}

TEST_F(UndoRedoTest, NestedGroupsAreAbsorbed)
{
    engine.BeginGroup(new TGroupingOperation(u"outer"));
    AddOp("a");
    engine.BeginGroup(new TGroupingOperation(u"inner"));
    EXPECT_EQ(engine.GroupDepth(), 2);
    AddOp("b");
    engine.EndGroup();
    EXPECT_EQ(UndoCount(), 0);
    AddOp("c");
    engine.EndGroup();
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(engine.NextUndo()->ChildCount(), 3);
    EXPECT_EQ(engine.NextUndo()->GetCaption(), u"outer");
    EXPECT_EQ(engine.GroupDepth(), 0);
}

TEST_F(UndoRedoTest, EmptyGroupRecordsNothingAndSendsNothing)
{
    codes.clear();
    engine.BeginGroup(new TGroupingOperation(u"empty"));
    engine.EndGroup();
    EXPECT_FALSE(engine.CanUndo());
    EXPECT_TRUE(codes.empty());
    // An unbalanced EndGroup changes nothing.
    engine.EndGroup();
    EXPECT_EQ(engine.GroupDepth(), 0);
}

TEST_F(UndoRedoTest, GroupCaptionAndFlags)
{
    TGroupingOperation group;
    EXPECT_EQ(group.GetCaption(), u"");
    EXPECT_EQ(group.GetFlags(), 0);
    Op* first = Make("first");
    first->caption = u"Delete";
    first->flags = 0;
    first->SetParent(&group);
    Op* second = Make("second");
    second->caption = u"Paste";
    second->SetParent(&group);
    EXPECT_EQ(group.GetCaption(), u"Delete");
    EXPECT_EQ(group.GetFlags(), ofModifiesDocument);
    group.SetCaption(u"Replace all");
    EXPECT_EQ(group.GetCaption(), u"Replace all");
}

TEST_F(UndoRedoTest, NotRecordedOperations)
{
    AddOp("a");
    AddOp("b");
    AddOp("c");
    engine.Undo();
    engine.Undo();
    ASSERT_EQ(RedoCount(), 2);

    // 0x02 alone: runs, is freed, the history stays.
    Op* view = Make("view");
    view->flags = ofNotRecorded;
    log.clear();
    engine.Add(view);
    EXPECT_EQ(Effects(log), (Log{"do view", "free view"}));
    EXPECT_EQ(RedoCount(), 2);
    EXPECT_EQ(UndoCount(), 1);

    // 0x03: runs and clears the whole history.
    Op* load = Make("load");
    load->flags = ofModifiesDocument | ofNotRecorded;
    engine.Add(load);
    EXPECT_FALSE(engine.CanUndo());
    EXPECT_FALSE(engine.CanRedo());
    EXPECT_EQ(std::count(codes.begin(), codes.end(), urCleared), 1);
}

TEST_F(UndoRedoTest, FailingOperationIsNotRecordedAndIsFreed)
{
    AddOp("a");
    Op* bad = Make("bad");
    bad->failDo = true;
    log.clear();
    codes.clear();
    EXPECT_THROW(engine.Add(bad), Exception);
    // AfterExecute still ran, then the operation was destroyed.
    EXPECT_EQ(log, (Log{"before bad", "do bad", "after bad", "free bad"}));
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_TRUE(engine.Running().empty());
    EXPECT_TRUE(codes.empty());
}

TEST_F(UndoRedoTest, FailingNestedOperationTakesItsParentDown)
{
    Op* outer = Make("outer");
    outer->during = [&] {
        Op* bad = Make("bad");
        bad->failDo = true;
        engine.Add(bad);
    };
    EXPECT_THROW(engine.Add(outer), Exception);
    EXPECT_FALSE(engine.CanUndo());
    EXPECT_TRUE(engine.Running().empty());
    EXPECT_EQ(std::count(log.begin(), log.end(), "free outer"), 1);
}

TEST_F(UndoRedoTest, FailingUndoDestroysTheOperation)
{
    AddOp("a");
    Op* b = AddOp("b");
    b->failUndo = true;
    log.clear();
    EXPECT_THROW(engine.Undo(), Exception);
    EXPECT_EQ(log, (Log{"before b", "undo b", "after b", "free b"}));
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_FALSE(engine.CanRedo());
}

TEST_F(UndoRedoTest, MergeWithPreviousSibling)
{
    // Operations named "t" merge into a previous "t".
    auto typing = [&](const std::string& name) {
        Op* op = Make(name);
        op->merge = [](TOperation* previous) { return static_cast<Op*>(previous)->name == "t"; };
        engine.Add(op);
    };
    typing("t");
    typing("t");
    typing("t");
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "free t"), 2);
    AddOp("x");
    typing("t");
    EXPECT_EQ(UndoCount(), 3);

    // Inside a group the merge happens among the group's children.
    engine.BeginGroup(new TGroupingOperation());
    typing("t");
    typing("t");
    engine.EndGroup();
    EXPECT_EQ(UndoCount(), 4);
    EXPECT_EQ(engine.NextUndo()->ChildCount(), 1);
}

TEST_F(UndoRedoTest, ModifiedFlagNotifiesOnChangeOnly)
{
    Op* quiet = Make("quiet");
    quiet->flags = 0;
    engine.Add(quiet);
    EXPECT_FALSE(engine.Modified());
    AddOp("a");
    AddOp("b");
    EXPECT_EQ(std::count(codes.begin(), codes.end(), urModifiedChanged), 1);
    engine.SetModified(false);
    engine.SetModified(false);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), urModifiedChanged), 2);
    // Undoing a modifying operation marks the document modified again.
    engine.Undo();
    EXPECT_TRUE(engine.Modified());
}

TEST_F(UndoRedoTest, PerformWithoutEngineRunsOnceAndFrees)
{
    Make("solo")->Perform(nullptr);
    EXPECT_EQ(Effects(log), (Log{"do solo", "free solo"}));
    log.clear();
    Make("kept")->Perform(&engine);
    EXPECT_EQ(UndoCount(), 1);
    Op* bad = Make("bad");
    bad->failDo = true;
    EXPECT_THROW(bad->Perform(nullptr), Exception);
    EXPECT_EQ(log.back(), "free bad");
}

TEST_F(UndoRedoTest, ClearFreesEverythingAndNotifies)
{
    AddOp("a");
    AddOp("b");
    engine.Undo();
    codes.clear();
    log.clear();
    engine.Clear();
    EXPECT_EQ(log, (Log{"free b", "free a"}));
    EXPECT_EQ(codes, (std::vector<int>{urCleared}));
}

TEST_F(UndoRedoTest, RedoThatAddsDoesNotFreeItself)
{
    // An operation whose redo starts another operation (which empties the redo list)
    // must survive its own run.
    struct Starter : Op {
        using Op::Op;
        TUndoRedo* engine = nullptr;
        void DoExecute() override
        {
            Op::DoExecute();
            if (Phase() == opRedoing) engine->Add(new Op("side", log));
        }
    };
    auto* s = new Starter("s", &log);
    s->engine = &engine;
    engine.Add(s);
    AddOp("c");
    engine.Undo();
    engine.Undo();
    log.clear();
    engine.Redo();
    EXPECT_EQ(engine.NextUndo(), s);
    EXPECT_EQ(s->ChildCount(), 1);
    EXPECT_FALSE(engine.CanRedo()); // "c" was discarded by the new operation
}

TEST_F(UndoRedoTest, GroupBeganWhileAnOperationRunsIsAbsorbed)
{
    Op* outer = Make("outer");
    outer->during = [&] {
        engine.BeginGroup(new TGroupingOperation(u"g"));
        AddOp("inner");
        engine.EndGroup();
    };
    engine.Add(outer);
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(outer->ChildCount(), 1);
    EXPECT_EQ(engine.GroupDepth(), 0);
}

TEST_F(UndoRedoTest, DestroyingTheEngineFreesAnOpenGroup)
{
    auto* e = new TUndoRedo;
    struct Group : TGroupingOperation {
        Log* log;
        explicit Group(Log* l) : log(l) {}
        ~Group() override { log->push_back("free group"); }
    };
    e->BeginGroup(new Group(&log));
    e->Add(new Op("a", &log));
    delete e;
    EXPECT_EQ(log.back(), "free a");
    EXPECT_NE(std::find(log.begin(), log.end(), "free group"), log.end());
}

} // namespace

TEST_F(UndoRedoTest, HistoryIsBoundedOldestStepsDropped)
{
    EXPECT_EQ(engine.Limit(), TUndoRedo::DefaultLimit);
    engine.SetLimit(3);
    AddOp("a");
    AddOp("b");
    engine.BeginGroup(new TGroupingOperation());
    AddOp("g1");
    AddOp("g2");
    engine.EndGroup();
    EXPECT_EQ(UndoCount(), 3);
    codes.clear();
    AddOp("d"); // the fourth step: the oldest goes, the listeners still hear of the change
    EXPECT_EQ(UndoCount(), 3);
    EXPECT_EQ(engine.UndoCount(), 3);
    EXPECT_EQ(std::count(log.begin(), log.end(), "free a"), 1);
    EXPECT_EQ(codes, (std::vector<int>{urHistoryChanged}));
    EXPECT_TRUE(engine.Modified());

    // A group is one step; it goes whole.
    AddOp("e");
    EXPECT_EQ(std::count(log.begin(), log.end(), "free b"), 1);
    AddOp("f");
    EXPECT_EQ(std::count(log.begin(), log.end(), "free g1"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "free g2"), 1);

    // Undo and redo move within the bound; what is left undoes in order.
    log.clear();
    engine.Undo();
    engine.Undo();
    engine.Redo();
    engine.Undo();
    engine.Undo();
    EXPECT_FALSE(engine.CanUndo());
    EXPECT_EQ(Effects(log), (Log{"undo f", "undo e", "redo e", "undo e", "undo d"}));
    EXPECT_EQ(RedoCount(), 3);
    EXPECT_EQ(engine.UndoCount(), 0);
}

TEST_F(UndoRedoTest, BoundKeepsMergingNestingAndLoweringTheLimit)
{
    engine.SetLimit(2);
    auto typing = [&](const std::string& name) {
        Op* op = Make(name);
        op->merge = [](TOperation* previous) { return static_cast<Op*>(previous)->name == "t"; };
        engine.Add(op);
    };
    AddOp("a");
    typing("t");
    typing("t"); // merges: still two steps, nothing dropped
    EXPECT_EQ(UndoCount(), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "free a"), 0);

    // An operation added while another runs becomes its child, never a step of its own.
    Op* outer = Make("outer");
    outer->during = [&] { AddOp("inner"); };
    engine.Add(outer);
    EXPECT_EQ(UndoCount(), 2);
    EXPECT_EQ(engine.NextUndo(), outer);
    EXPECT_EQ(outer->ChildCount(), 1);

    // Lowering the limit drops at once; the newest step always stays; 0 lifts the bound.
    engine.SetLimit(1);
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(engine.NextUndo(), outer);
    engine.SetLimit(0);
    for (int i = 0; i < 5; ++i) AddOp("x");
    EXPECT_EQ(UndoCount(), 6);
    engine.Clear();
    EXPECT_EQ(engine.UndoCount(), 0);
    AddOp("y");
    EXPECT_EQ(engine.UndoCount(), 1);
}

TEST_F(UndoRedoTest, ClearRedoDropsOnlyTheUndoneSteps)
{
    AddOp("a");
    AddOp("b");
    engine.Undo();
    codes.clear();
    engine.ClearRedo();
    EXPECT_FALSE(engine.CanRedo());
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(codes, (std::vector<int>{urHistoryChanged}));
    codes.clear();
    engine.ClearRedo();
    EXPECT_TRUE(codes.empty());
}
