#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Notifier.h"

using namespace quillora;

namespace {

struct Tracked : TNotify {
    int* freed;
    explicit Tracked(int* f) : freed(f) {}
    ~Tracked() override { ++*freed; }
};

// A client that records what it hears; optional actions run inside the call.
struct Client {
    std::string name;
    std::vector<std::string>* log;
    TNotifier* attached = nullptr;
    bool removeSelf = false;
    Client* removeOther = nullptr;
    Client* addOther = nullptr;

    TLinkItem Link() { return BindLink<&Client::Changed>(this); }
    void Changed(TNotifier* sender, TNotify* notify)
    {
        std::string what = "none";
        if (notify) {
            what = "notify";
            for (TNotify* n = notify; n; n = n->Next())
                if (auto* f = dynamic_cast<TFlagsNotify*>(n)) what = "flags " + std::to_string(f->Flags());
        }
        log->push_back(name + ": " + what);
        if (!notify) attached = nullptr; // the notifier goes away
        if (removeSelf) sender->RemoveHandler(Link());
        if (removeOther) sender->RemoveHandler(removeOther->Link());
        if (addOther) sender->AddHandler(addOther->Link());
    }
};

struct NotifierTest : testing::Test {
    std::vector<std::string> log;
    Client a{"a", &log}, b{"b", &log}, c{"c", &log};
};

TEST_F(NotifierTest, PostCallsNewestFirstAndFreesTheChain)
{
    TNotifier notifier;
    notifier.AddHandler(a.Link());
    notifier.AddHandler(b.Link());
    int freed = 0;
    auto* chain = new Tracked(&freed);
    chain->Append(new TFlagsNotify(5));
    chain->Append(new Tracked(&freed));
    // The same bound method is the same handler, however it was bound.
    notifier.AddHandler(BindLink<&Client::Changed>(&c));
    notifier.RemoveHandler(c.Link());
    notifier.Post(chain);
    EXPECT_EQ(log, (std::vector<std::string>{"b: flags 5", "a: flags 5"}));
    EXPECT_EQ(freed, 2);
}

TEST_F(NotifierTest, PostFlagsAndNotifierField)
{
    struct Probe {
        TNotifier* seen = nullptr;
        int flags = -1;
        void Changed(TNotifier*, TNotify* n)
        {
            if (!n) return; // the notifier goes away
            seen = n->Notifier();
            flags = static_cast<TFlagsNotify*>(n)->Flags();
        }
    } probe;
    TNotifier notifier;
    notifier.AddHandler(BindLink<&Probe::Changed>(&probe));
    notifier.PostFlags(0x30);
    EXPECT_EQ(probe.seen, &notifier);
    EXPECT_EQ(probe.flags, 0x30);
}

TEST_F(NotifierTest, RemoveTakesTheMostRecentOccurrence)
{
    TNotifier notifier;
    notifier.AddHandler(a.Link());
    notifier.AddHandler(a.Link());
    notifier.RemoveHandler(a.Link());
    notifier.RemoveHandler(b.Link()); // absent: nothing
    EXPECT_EQ(notifier.HandlerCount(), 1);
    notifier.PostFlags(1);
    EXPECT_EQ(log, (std::vector<std::string>{"a: flags 1"}));
}

TEST_F(NotifierTest, HandlersChangingTheListDuringPost)
{
    TNotifier notifier;
    notifier.AddHandler(a.Link());
    notifier.AddHandler(b.Link());
    notifier.AddHandler(c.Link());
    c.removeSelf = true;     // c removes itself: a and b are still called
    c.removeOther = &b;      // ... and b before its turn: b is not called
    c.addOther = &b;         // re-added during the walk: not called by it
    notifier.PostFlags(1);
    EXPECT_EQ(log, (std::vector<std::string>{"c: flags 1", "a: flags 1"}));
    EXPECT_EQ(notifier.HandlerCount(), 2);
}

TEST_F(NotifierTest, WalkStopsWhenTheListEmpties)
{
    TNotifier notifier;
    notifier.AddHandler(a.Link());
    notifier.AddHandler(b.Link());
    b.removeSelf = true;
    b.removeOther = &a;
    notifier.PostFlags(2);
    EXPECT_EQ(log, (std::vector<std::string>{"b: flags 2"}));
    EXPECT_EQ(notifier.HandlerCount(), 0);
}

TEST_F(NotifierTest, DestroyingTellsEveryHandlerWithNoNotification)
{
    auto* notifier = new TNotifier;
    a.attached = b.attached = notifier;
    notifier->AddHandler(a.Link());
    notifier->AddHandler(b.Link());
    delete notifier;
    EXPECT_EQ(log, (std::vector<std::string>{"b: none", "a: none"}));
    EXPECT_EQ(a.attached, nullptr);
    EXPECT_EQ(b.attached, nullptr);
}

} // namespace
