#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "elements/PaletteRules.h"
#include "elements/Scheme.h"
#include "support/ElementFakes.h"

using namespace quillora;

namespace {

// Palette items are opaque to the element model: identities are enough here.
TPaletteItem* Item(int n) { return reinterpret_cast<TPaletteItem*>(static_cast<intptr_t>(0x100 + n * 0x10)); }

// Offers the items it is given; records what it runs; refuses items it is told to.
class TPaletteChild : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TPaletteChild, TVisualElement)
    TPaletteItemList Offered;
    TPaletteItemList Disabled;
    std::vector<std::string>* Log = nullptr;
    std::string Name;

    void GetPaletteItems(TPaletteItemList& list) override { list.insert(list.end(), Offered.begin(), Offered.end()); }
    void GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state) override
    {
        for (TPaletteItem* d : Disabled)
            if (d == item) state.Enabled = false;
    }
    bool ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked) override
    {
        if (Log)
            Log->push_back(Name + (target == this ? " self" : " other") + (checked ? " on" : " off") +
                           (Sheet() && Sheet()->IsUpdating() ? " updating" : ""));
        return true;
    }
};

// A multi-select container that adds one item for each child and may adjust the list.
class TPaletteContainer : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TPaletteContainer, TVisualElement)
    TPaletteItemList Own;
    TPaletteItem* Removed = nullptr;

    void GetPaletteItems(TPaletteItemList& list) override { list.insert(list.end(), Own.begin(), Own.end()); }
    void GetChildPaletteItems(TElement* child, TPaletteItemList& list) override { list.push_back(Item(9)); }
    void AdjustCommonPaletteItems(TPaletteItemList& list) override
    {
        std::erase(list, Removed);
    }
};

class PaletteRulesTest : public ::testing::Test {
protected:
    TScheme scheme;
    std::unique_ptr<TPaletteContainer> container{TElement::NewElement<TPaletteContainer>(&scheme)};

    TPaletteChild* AddChild(TPaletteItemList offered)
    {
        auto* child = TElement::NewElement<TPaletteChild>(&scheme);
        child->Offered = std::move(offered);
        child->SetParent(container.get());
        child->SetVisualParent(container.get(), nullptr);
        return child;
    }
};

} // namespace

TEST_F(PaletteRulesTest, SelectionsOfSeveralChildrenGetTheCommonItems)
{
    container->Own = {Item(7)};
    TPaletteChild* a = AddChild({Item(1), Item(2), Item(3), Item(4)});
    TPaletteChild* b = AddChild({Item(4), Item(3), Item(1)});
    TPaletteChild* c = AddChild({Item(5)});

    TPaletteItemList list;
    bool applyToSelection = true;
    // Not multi-select: the element's own items, whatever is selected.
    a->SetSelected(true);
    b->SetSelected(true);
    GetApplicablePaletteItems(*container, list, applyToSelection);
    EXPECT_EQ(list, TPaletteItemList{Item(7)});
    EXPECT_FALSE(applyToSelection);

    container->SetVisualOptions(voMultiSelect);
    EXPECT_EQ(SelectedVisualChildren(*container), (std::vector<TVisualElement*>{a, b}));
    list.clear();
    GetApplicablePaletteItems(*container, list, applyToSelection,
                              [](TPaletteItem* item) { return item == Item(4); });
    // In the order of the first child; the item for single elements left out; the one
    // the container adds for every child kept.
    EXPECT_EQ(list, (TPaletteItemList{Item(1), Item(3), Item(9)}));
    EXPECT_TRUE(applyToSelection);

    container->Removed = Item(3);
    list.clear();
    GetApplicablePaletteItems(*container, list, applyToSelection);
    EXPECT_EQ(list, (TPaletteItemList{Item(1), Item(4), Item(9)}));

    c->SetSelected(true);
    list.clear();
    GetApplicablePaletteItems(*container, list, applyToSelection);
    EXPECT_EQ(list, TPaletteItemList{Item(9)});

    // A single selected child is no selection of several.
    a->SetSelected(false);
    b->SetSelected(false);
    list.clear();
    GetApplicablePaletteItems(*container, list, applyToSelection);
    EXPECT_EQ(list, TPaletteItemList{Item(7)});
    EXPECT_FALSE(applyToSelection);
}

TEST_F(PaletteRulesTest, ItemsRunInsideASheetUpdateOnEveryEnabledElement)
{
    quillora::testing::TFakeSheet sheet;
    container->SetVisualParent(sheet.Root(), nullptr);
    std::vector<std::string> log;
    TPaletteChild* a = AddChild({});
    TPaletteChild* b = AddChild({});
    TPaletteChild* c = AddChild({});
    a->Name = "a", b->Name = "b", c->Name = "c";
    a->Log = b->Log = c->Log = &log;
    b->Disabled = {Item(1)};

    EXPECT_TRUE(ExecutePaletteItemOn(*a, Item(1), true));
    EXPECT_FALSE(sheet.IsUpdating());
    EXPECT_EQ(ExecutePaletteItemOnList({a, b, c}, Item(1), false), 2);
    EXPECT_EQ(ExecutePaletteItemOnList({b}, Item(2), true), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"a self on updating", "a self off updating", "c self off updating",
                                             "b self on updating"}));

    // Without a sheet the item still runs.
    container->SetVisualParent(nullptr, nullptr);
    log.clear();
    EXPECT_TRUE(ExecutePaletteItemOn(*a, Item(1), true));
    EXPECT_EQ(log, std::vector<std::string>{"a self on"});
}
