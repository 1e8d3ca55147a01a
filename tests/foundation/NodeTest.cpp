#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/Lists.h"
#include "foundation/Node.h"

using namespace quillora;

namespace {

// A node that records its hooks into a shared log.
struct Recorder : TNode {
    std::string name;
    std::vector<std::string>* log;
    Recorder(std::string n, std::vector<std::string>* l) : name(std::move(n)), log(l) {}
    ~Recorder() override { log->push_back("destroy " + name); }
    intptr_t Notification(int notify, intptr_t, intptr_t) override
    {
        log->push_back("notify " + name);
        return notify;
    }
    void ParentChanged() override { log->push_back("parentChanged " + name); }
    void ChildrenChanged() override { log->push_back("childrenChanged " + name); }
    void ChildInserting(TNode*, TNode*) override { log->push_back("childInserting " + name); }
};

struct Tree : testing::Test {
    std::vector<std::string> log;
    Recorder* Make(const std::string& name, TNode* parent = nullptr)
    {
        auto* n = new Recorder(name, &log);
        if (parent) n->SetParent(parent);
        return n;
    }
};

} // namespace

TEST_F(Tree, SetParentHooksAndNoOpMoves)
{
    Recorder* root = Make("root");
    Recorder* a = Make("a", root);
    Recorder* b = Make("b", root);
    log.clear();

    a->SetParent(root, b);     // already before b
    b->SetParent(root);        // already last
    EXPECT_TRUE(log.empty());

    b->SetParent(root, a);     // move within the chain
    EXPECT_EQ(root->FirstChild(), b);
    EXPECT_EQ(root->LastChild(), a);
    EXPECT_EQ((std::vector<std::string>{"childInserting root", "parentChanged b", "childrenChanged root"}), log);

    Recorder* other = Make("other");
    log.clear();
    a->SetParent(other);       // move to another parent: two ParentChanged, one ChildrenChanged each
    EXPECT_EQ((std::vector<std::string>{"childInserting other", "parentChanged a", "childrenChanged root",
                                        "parentChanged a", "childrenChanged other"}),
              log);
    EXPECT_EQ(a->Parent(), other);
    EXPECT_EQ(root->ChildCount(), 1);
    delete other;
    delete root;
}

TEST_F(Tree, DestroyDetachesThenDestroysChildrenLastFirst)
{
    Recorder* root = Make("root");
    Recorder* a = Make("a", root);
    Make("a1", a);
    Make("a2", a);
    log.clear();
    delete a;
    // The old parent hears the detach once, before the children go, last one first.
    auto pos = [&](const std::string& s) { return std::find(log.begin(), log.end(), s) - log.begin(); };
    EXPECT_EQ(std::count(log.begin(), log.end(), "childrenChanged root"), 1);
    EXPECT_LT(pos("childrenChanged root"), pos("destroy a2"));
    EXPECT_LT(pos("destroy a2"), pos("destroy a1"));
    EXPECT_EQ(root->FirstChild(), nullptr);
    delete root;
}

TEST_F(Tree, IndexesLevelsAndPriorNode)
{
    Recorder* root = Make("root");
    Recorder* a = Make("a", root);
    Recorder* a1 = Make("a1", a);
    Recorder* a2 = Make("a2", a);
    Recorder* b = Make("b", root);
    EXPECT_EQ(root->IndexInParent(), -1);
    EXPECT_EQ(root->Level(), 0);
    EXPECT_EQ(root->AbsoluteIndex(), 0);
    EXPECT_EQ(a->AbsoluteIndex(), 1);
    EXPECT_EQ(b->AbsoluteIndex(), 4);
    EXPECT_EQ(a2->Level(), 2);
    EXPECT_EQ(b->IndexInParent(), 1);
    EXPECT_EQ(a->PriorNode(), root);
    EXPECT_EQ(a2->PriorNode(), a1);
    EXPECT_EQ(b->PriorNode(), a2);
    EXPECT_EQ(a2->Root(), root);
    EXPECT_EQ(root->ChildAt(1), b);
    EXPECT_EQ(root->ChildAt(2), nullptr);
    delete root;
}

TEST_F(Tree, NotifyTreeOrders)
{
    Recorder* root = Make("root");
    Recorder* a = Make("A", root);
    Make("A1", a);
    Make("B", root);
    log.clear();
    root->NotifyTree(1, 0, false);
    EXPECT_EQ((std::vector<std::string>{"notify B", "notify A1", "notify A", "notify root"}), log);
    log.clear();
    root->NotifyTree(1, 0, true);
    EXPECT_EQ((std::vector<std::string>{"notify root", "notify A", "notify A1", "notify B"}), log);
    log.clear();
    root->NotifyChildren(1, 0, false, true);
    EXPECT_EQ((std::vector<std::string>{"notify A", "notify B"}), log);
    log.clear();
    a->FirstChild()->NotifyUp(1);
    EXPECT_EQ((std::vector<std::string>{"notify A1", "notify A", "notify root"}), log);

    std::vector<Recorder*> collected;
    root->CollectNodes(collected);
    ASSERT_EQ(collected.size(), 4u);
    EXPECT_EQ(collected[2]->name, "A1");
    delete root;
}

namespace {
struct Handler {
    std::vector<std::string>* log;
    std::string name;
    TItfObject* target = nullptr;
    TItfNotifyEvent toRemove{};
    TItfNotifyEvent toAdd{};
    void Call(TItfObject*, int, intptr_t, intptr_t)
    {
        log->push_back(name);
        if (toRemove.Procedure) target->RemoveNotifyEvent(toRemove);
        if (toAdd.Procedure) target->AddNotifyEvent(toAdd);
    }
};
} // namespace

TEST(ItfObject, NotifyWalkSurvivesChangesOfTheHandlerList)
{
    std::vector<std::string> log;
    TItfObject obj;
    Handler h1{&log, "h1"}, h2{&log, "h2"}, h3{&log, "h3"}, late{&log, "late"};
    auto e1 = BindNotify<&Handler::Call>(&h1);
    auto e2 = BindNotify<&Handler::Call>(&h2);
    auto e3 = BindNotify<&Handler::Call>(&h3);
    obj.AddNotifyEvent(e1);
    obj.AddNotifyEvent(e2);
    obj.AddNotifyEvent(e3);
    // h3 runs first (newest): removes itself and adds `late`; h2 removes h1 before its turn.
    h3.target = &obj; h3.toRemove = e3; h3.toAdd = BindNotify<&Handler::Call>(&late);
    h2.target = &obj; h2.toRemove = e1;
    obj.Notify(5);
    EXPECT_EQ((std::vector<std::string>{"h3", "h2"}), log);
    EXPECT_EQ(obj.NotifyEventCount(), 2); // h2 and late
}

TEST(ItfObject, DuplicateRegistrations)
{
    std::vector<std::string> log;
    TItfObject obj;
    Handler h{&log, "h"};
    auto e = BindNotify<&Handler::Call>(&h);
    obj.AddNotifyEvent(e);
    obj.AddNotifyEvent(e);
    EXPECT_EQ(obj.IndexOfNotifyEvent(e), 1);
    obj.RemoveNotifyEvent(e);
    obj.Notify(1);
    EXPECT_EQ(log.size(), 1u);
    obj.RemoveNotifyEvent(e);
    obj.RemoveNotifyEvent(e); // absent: nothing
    EXPECT_EQ(obj.IndexOfNotifyEvent(e), -1);
}

namespace {
struct Item {
    int value;
    Item* next = nullptr;
    Item* prev = nullptr;
};
struct ItemLinks {
    static Item*& Next(Item* i) { return i->next; }
    static Item*& Prev(Item* i) { return i->prev; }
};
} // namespace

TEST(Lists, SinglyAndDoublyLinked)
{
    using Uni = TUnidirectionalList<Item, ItemLinks>;
    Item a{1}, b{2}, c{3};
    Item* head = nullptr;
    Uni::Append(&b, head);
    Uni::PushFront(&a, head);
    Uni::Append(&c, head);
    EXPECT_EQ(Uni::IndexOf(head, &c), 2);
    EXPECT_EQ(Uni::GetItem(head, 3), nullptr);
    EXPECT_TRUE(Uni::IsBefore(&a, &c));
    EXPECT_TRUE(Uni::IsBefore(&c, nullptr));
    EXPECT_FALSE(Uni::IsBefore(&c, &c));
    EXPECT_FALSE(Uni::IsBefore(&c, &a));
    Uni::Remove(&b, head);
    EXPECT_EQ(a.next, &c);
    EXPECT_EQ(b.next, nullptr);
    EXPECT_EQ(Uni::Last(head), &c);

    using Bi = TBidirectionalList<Item, ItemLinks>;
    Item* first = nullptr;
    Item* last = nullptr;
    auto* x = new Item{1};
    auto* y = new Item{2};
    auto* z = new Item{3};
    Bi::InsertBefore(x, nullptr, first, last);
    Bi::InsertBefore(z, nullptr, first, last);
    Bi::InsertBefore(y, z, first, last);
    EXPECT_EQ(Bi::GetItem(first, 1), y);
    Bi::Move(x, nullptr, first, last);
    EXPECT_EQ(first, y);
    EXPECT_EQ(last, x);
    EXPECT_EQ(x->prev, z);
    Bi::Clear(first, last);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(last, nullptr);
}
