#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "elements/Element.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "elements/VisualElement.h"
#include "foundation/Localization.h"

namespace quillora {
namespace {

// An element whose value and hooks the tests control and watch.
class TElement_Item : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Item, TElement)

    bool Value = false;
    std::vector<std::string>* Log = nullptr; // shared by a tree
    std::vector<intptr_t> Contexts;
    int Ancestors = 0;
    int Checks = 0;
    int ErrorStates = 0;
    int Revalidations = 0;
    int TakeCode = 0; // a child notification code this element handles for its children
    String Text;

    void AddFlags(TElementFlags f) { SetFlags(Flags() | f); }
    void SetValue(bool v)
    {
        Value = v;
        Recheck();
    }
    ~TElement_Item() override
    {
        BeginDestroy();
        if (Log) {
            TElement* parent = ParentElement();
            Log->push_back("destroy " + std::to_string(ID()) + (HasState(esDestroying) ? " destroying" : "") +
                           (parent && parent->HasState(esDestroying) ? " parent-destroying" : "") +
                           (parent ? " linked" : ""));
        }
        Recheck(); // must be ignored now
    }

    bool HasValue() override { return Value; }
    void CheckValue() override { ++Checks; }
    void ErrorStateChanged() override { ++ErrorStates; }
    void Revalidate() override
    {
        ++Revalidations;
        TElement::Revalidate();
    }
    void AncestorsChanged() override { ++Ancestors; }
    void InitializeNew(intptr_t context) override { Contexts.push_back(context); }
    bool ChildNotification(TElement*, int notify, intptr_t, intptr_t) override { return notify == TakeCode; }
    void GetText(String& builder) override
    {
        TElement::GetText(builder);
        builder += Text;
    }
};

// An owner that answers questions about its parts.
class TElement_Owner : public TElement_Item {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Owner, TElement_Item)

    std::vector<std::string> Events;

    void GetChildKnotName(TElement* child, TSchemeFiler*, String& name) override { name = u"Title"; }
    void GetChildHint(TElement*, String& text) override { text = u"owner hint"; }
    void GetChildAcceptedClasses(TElement*, TElementClassList& list) override
    {
        list.push_back(&TElement_Item::Class());
    }
    void ChildEvent(TElement* child, intptr_t a, intptr_t b) override
    {
        Events.push_back(std::to_string(child->ID()) + ":" + std::to_string(a) + "," + std::to_string(b));
    }
};

// A class that refuses owners.
class TElement_Picky : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Picky, TElement)
    static bool CanInsertInto(TElement* parent) { return dynamic_cast<TElement_Owner*>(parent) == nullptr; }
};

class TElement_Container : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Container, TElement)
    void GetAcceptedClasses(TElementClassList& list) override
    {
        list.push_back(&TElement_Item::Class());
        list.push_back(&TElement_Picky::Class());
    }
};

class ElementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLanguage_ = Localization().Language();
        Localization().SetLanguage(1033);
    }
    void TearDown() override { Localization().SetLanguage(savedLanguage_); }

    TLanguageId savedLanguage_ = 0;
    TScheme scheme{&TElement_Item::Class(), u"Test"};
    TElement* Root() { return scheme.Root(); }

    template <class T = TElement_Item>
    T* Add(TElement* parent)
    {
        T* e = TElement::NewElement<T>(&scheme);
        e->SetParent(parent);
        return e;
    }
};

// ---- classes ----

TEST(ElementClassTest, TypeNameAndClassFunctions)
{
    EXPECT_EQ(TElement_Item::Class().GetTypeName(), u"Item");
    EXPECT_EQ(TElement_Item::Class().GetClassName(), u"TElement_Item");
    EXPECT_TRUE(TElement_Owner::Class().InheritsFrom(TElement_Item::Class()));
    EXPECT_TRUE(TElement_Owner::Class().InheritsFrom(TElement::Class()));
    EXPECT_FALSE(TElement_Item::Class().InheritsFrom(TElement_Owner::Class()));
    EXPECT_EQ(TElement_Item::Class().GetUnacceptedClass(nullptr), nullptr); // not visual

    std::unique_ptr<TElement> e(TElement_Owner::Class().Create(nullptr));
    EXPECT_EQ(e->GetTypeName(), u"Owner");
    EXPECT_EQ(e->ID(), 0); // no scheme: no identifier
    EXPECT_NE(dynamic_cast<TElement_Owner*>(e.get()), nullptr);

    RegisterElementClass(TElement_Item::Class());
    EXPECT_EQ(FindElementClass(u"Item"), &TElement_Item::Class());
    EXPECT_EQ(FindElementClass(u"item"), nullptr); // case-sensitive
    UnregisterElementClass(TElement_Item::Class());
    EXPECT_EQ(FindElementClass(u"Item"), nullptr);
}

TEST_F(ElementTest, AcceptedClassesFilteredByCanInsertInto)
{
    auto* plain = Add<TElement_Container>(Root());
    TElementClassList list;
    plain->GetAcceptedClassesFiltered(list);
    EXPECT_EQ(list, (TElementClassList{&TElement_Item::Class(), &TElement_Picky::Class()}));

    // A container that is an owner: the picky class refuses it.
    class TElement_PickyHost : public TElement_Owner {
    public:
        void GetAcceptedClasses(TElementClassList& l) override
        {
            l.push_back(&TElement_Picky::Class());
            l.push_back(&TElement_Item::Class());
        }
    };
    std::unique_ptr<TElement_PickyHost> host(TElement::NewElement<TElement_PickyHost>(nullptr));
    list.clear();
    host->GetAcceptedClassesFiltered(list);
    EXPECT_EQ(list, TElementClassList{&TElement_Item::Class()});
}

// ---- identifiers ----

TEST(ElementIdTest, SchemesShareTheCounter)
{
    int32_t firstMax = 0;
    {
        TScheme a(&TElement_Item::Class(), u"A");
        auto* child = TElement::NewElement<TElement_Item>(&a);
        child->SetParent(a.Root());
        firstMax = std::max(a.Root()->ID(), child->ID());
        EXPECT_GT(a.Root()->ID(), 0);
        EXPECT_EQ(child->ID(), a.Root()->ID() + 1);
        EXPECT_EQ(a.FindElement(child->ID()), child);
    }
    TScheme b(&TElement_Item::Class(), u"B");
    EXPECT_GT(b.Root()->ID(), firstMax);
    EXPECT_EQ(b.Root()->ID(), TElement::LastID());
}

TEST(ElementIdTest, RaisingTheCounterSkipsStoredIdentifiers)
{
    const int32_t stored = TElement::LastID() + 500;
    TElement::RaiseIDCounter(stored);
    TElement::RaiseIDCounter(stored - 10); // lower: no effect
    EXPECT_EQ(TElement::LastID(), stored);
    TScheme s(&TElement_Item::Class(), u"S");
    EXPECT_EQ(s.Root()->ID(), stored + 1);
}

TEST(ElementIdTest, CounterIsAtomic)
{
    std::vector<int32_t> a, b;
    auto take = [](std::vector<int32_t>& out) {
        for (int i = 0; i < 20000; ++i) out.push_back(TElement::TakeNewID());
    };
    std::thread t1(take, std::ref(a)), t2(take, std::ref(b));
    t1.join();
    t2.join();
    std::set<int32_t> all(a.begin(), a.end());
    all.insert(b.begin(), b.end());
    EXPECT_EQ(all.size(), 40000u);
}

// ---- flags and validation ----

TEST_F(ElementTest, ValueRequiredGivesOneLinkedMessageUntilAValueComes)
{
    auto* e = Add(Root());
    e->AddFlags(efValue);
    EXPECT_EQ(e->Messages(), nullptr); // a value element without value is fine
    e->AddFlags(efValueRequired);      // FlagsChanged rechecks
    ASSERT_NE(e->Messages(), nullptr);
    ASSERT_EQ(e->Messages()->Count(), 1);
    const TElementMessage& m = e->Messages()->GetItems(0);
    EXPECT_EQ(m.Kind, mkValueRequired);
    ASSERT_EQ(m.Parts.size(), 2u);
    EXPECT_EQ(m.Parts[0].Kind, mpText);
    EXPECT_EQ(m.Parts[0].Text, u"The value must\xA0" u"be ");
    EXPECT_EQ(m.Parts[1].Kind, mpElements);
    EXPECT_EQ(m.Parts[1].Text, u"set");
    EXPECT_EQ(m.Parts[1].Data, IntToString(e->ID()));
    EXPECT_FALSE(e->HasNoErrors());
    EXPECT_EQ(e->ErrorStates, 1);

    e->Validate(); // again: still exactly one message, no state change
    EXPECT_EQ(e->Messages()->Count(), 1);
    EXPECT_EQ(e->ErrorStates, 1);

    e->SetValue(true);
    EXPECT_EQ(e->Messages(), nullptr); // the empty list is freed
    EXPECT_TRUE(e->HasState(esHasValue));
    EXPECT_TRUE(e->HasState(esNotEmpty));
    EXPECT_EQ(e->Checks, 1);
    EXPECT_EQ(e->ErrorStates, 2);
}

TEST_F(ElementTest, SetFlagsWithoutChangeDoesNothing)
{
    auto* e = Add(Root());
    e->AddFlags(efValue | efValueRequired);
    const int checks = e->Revalidations + e->ErrorStates;
    e->SetFlags(e->Flags());
    EXPECT_EQ(e->Revalidations + e->ErrorStates, checks);
    e->SetFlags(efValueRequired); // efValue gone: no recheck, the message stays
    EXPECT_NE(e->Messages(), nullptr);
}

TEST_F(ElementTest, ValidationDuringAnUpdateIsDeferredOnce)
{
    auto* e = Add(Root());
    scheme.BeginUpdate();
    e->AddFlags(efValue | efValueRequired);
    e->Validate();
    e->Validate();
    EXPECT_EQ(scheme.PendingChecks(), std::vector<TElement*>{e});
    EXPECT_TRUE(e->HasState(esCheckPending));
    EXPECT_EQ(e->Messages(), nullptr);
    scheme.EndUpdate();
    EXPECT_FALSE(e->HasState(esCheckPending));
    EXPECT_EQ(e->Revalidations, 1);
    ASSERT_NE(e->Messages(), nullptr);
    EXPECT_EQ(e->Messages()->Count(), 1);
}

TEST_F(ElementTest, IdentifierChangeRewritesMessageLinks)
{
    auto* e = Add(Root());
    e->AddFlags(efValue | efValueRequired);
    const int32_t newID = TElement::TakeNewID();
    ASSERT_EQ(e->Messages()->GetItems(0).Parts.size(), 2u);
    e->SetID(newID);
    EXPECT_EQ(e->Messages()->GetItems(0).Parts[1].Data, IntToString(newID));
}

// ---- notifications ----

TEST_F(ElementTest, ParentChangeReachesTheSubtree)
{
    auto* a = Add(Root());
    auto* b = TElement::NewElement<TElement_Item>(&scheme);
    auto* c = Add(b);
    a->Ancestors = c->Ancestors = 0;
    b->SetParent(a);
    EXPECT_EQ(a->Ancestors, 0);
    EXPECT_EQ(b->Ancestors, 1);
    EXPECT_EQ(c->Ancestors, 1);
}

TEST_F(ElementTest, InitializeNewReachesTheSubtreeAndParentsMayTakeCodes)
{
    auto* a = Add(Root());
    auto* b = Add(a);
    auto* c = Add(b);
    a->InitializeNewTree(42);
    EXPECT_EQ(a->Contexts, std::vector<intptr_t>{42});
    EXPECT_EQ(c->Contexts, std::vector<intptr_t>{42});

    b->TakeCode = enInitializeNew; // b handles the code for its children
    a->InitializeNewTree(7);
    EXPECT_EQ(b->Contexts, (std::vector<intptr_t>{42, 7}));
    EXPECT_EQ(c->Contexts, std::vector<intptr_t>{42});
}

// ---- parts ----

TEST_F(ElementTest, PartsAskTheirOwner)
{
    auto* owner = Add<TElement_Owner>(Root());
    auto* part = TElement::NewPart<TElement_Item>(owner);
    auto* inner = TElement::NewPart<TElement_Item>(part);
    auto* child = Add(owner);
    EXPECT_TRUE(part->HasFlag(efPart));
    EXPECT_EQ(part->Scheme(), &scheme);
    EXPECT_EQ(owner->FirstElement(), part);
    EXPECT_EQ(inner->GetOwnerElement(), owner);
    EXPECT_EQ(owner->GetOwnerElement(), owner);

    String name;
    part->GetKnotName(nullptr, name);
    EXPECT_EQ(name, u"Title");
    inner->GetKnotName(nullptr, name); // the part passes the question on
    EXPECT_EQ(name, u"Title");
    String hint;
    part->GetChildHint(inner, hint);
    EXPECT_EQ(hint, u"owner hint");
    TElementClassList list;
    inner->GetAcceptedClasses(list);
    EXPECT_EQ(list, TElementClassList{&TElement_Item::Class()});
    list.clear();
    child->GetAcceptedClasses(list); // not a part: nothing
    EXPECT_TRUE(list.empty());

    inner->ChildEvent(nullptr, 1, 2); // a part passes itself on
    EXPECT_EQ(owner->Events, std::vector<std::string>{std::to_string(part->ID()) + ":1,2"});

    part->Text = u"A";
    inner->Text = u"B";
    child->Text = u"C";
    String text;
    owner->GetText(text); // parts only
    EXPECT_EQ(text, u"BA");
}

// ---- destruction ----

TEST_F(ElementTest, DestroyingMarksTheSubtreeBeforeUnlinking)
{
    std::vector<std::string> log;
    auto* a = Add(Root());
    auto* b = Add(a);
    auto* c = Add(b);
    for (auto* e : {a, b, c}) {
        e->Log = &log;
        e->AddFlags(efValue);
    }
    const int32_t ids[] = {a->ID(), b->ID(), c->ID()};
    delete a;
    // Children go while their parent is still linked and marked.
    EXPECT_EQ(log, (std::vector<std::string>{
                       "destroy " + std::to_string(ids[0]) + " destroying linked",
                       "destroy " + std::to_string(ids[1]) + " destroying parent-destroying linked",
                       "destroy " + std::to_string(ids[2]) + " destroying parent-destroying linked",
                   }));
    for (int32_t id : ids) EXPECT_EQ(scheme.FindElement(id), nullptr);
    EXPECT_EQ(Root()->FirstChild(), nullptr);
}

} // namespace
} // namespace quillora
