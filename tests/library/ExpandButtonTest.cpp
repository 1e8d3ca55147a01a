// The expand button: toggling by key and click with its sounds, undo and redo (also in
// read-only mode, without marking the document changed), what the owner hears, saving
// only a state that differs from the default, its images, and containers that go away.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "elements/Filer.h"
#include "elements/PanelElement.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "foundation/UndoRedo.h"
#include "library/ExpandButton.h"
#include "support/ElementFakes.h"
#include "support/TestElements.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

// An owner that hears its button and may call it not empty.
class TExpandOwner : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TExpandOwner, TPanelElement)
    std::vector<int> Heard;
    bool CallsFull = false;

    bool ChildNotification(TElement* child, int notify, intptr_t param2, intptr_t param1) override
    {
        if (notify == ebnExpandedChanged) Heard.push_back(notify);
        if (notify == ebnQueryEmpty && CallsFull) *reinterpret_cast<bool*>(param1) = false;
        return TPanelElement::ChildNotification(child, notify, param2, param1);
    }
};

class TSoundSheet : public TFakeSheet {
public:
    std::vector<String> Sounds;
    void PlaySheetSound(const String& name) override { Sounds.push_back(name); }
};

class ExpandButtonTest : public ::testing::Test {
protected:
    TUndoRedo undo;
    TSoundSheet sheet;
    std::unique_ptr<TScheme> scheme;
    TExpandOwner* owner = nullptr;
    TExpandButton* button = nullptr;

    void SetUp() override
    {
        scheme = std::make_unique<TScheme>(&TTestRoot::Class(), u"Quillora");
        scheme->SetUndoRedo(&undo);
        auto* root = static_cast<TVisualElement*>(scheme->Root());
        root->SetVisualParent(sheet.Root(), nullptr);
        owner = TVisualElement::NewVisualPart<TExpandOwner>(root, nullptr, root);
        button = TExpandButton::NewButton(owner, owner, false);
    }
    void TearDown() override
    {
        static_cast<TVisualElement*>(scheme->Root())->SetVisualParent(nullptr, nullptr);
        scheme.reset();
    }
};

TEST_F(ExpandButtonTest, KeysAndClicksToggleWithSoundsAndUndoEvenReadOnly)
{
    button->Focus();
    TKeyEvent space = TKeyEvent::Down(kcSpace);
    button->KeyDown(space);
    EXPECT_TRUE(space.Consumed());
    TKeyEvent spaceChar = TKeyEvent::Press(u' ');
    button->KeyPress(spaceChar);
    EXPECT_TRUE(spaceChar.Consumed()); // no space typed into the document
    EXPECT_TRUE(button->Expanded());
    button->Click();
    EXPECT_FALSE(button->Expanded());
    EXPECT_EQ(sheet.Sounds, (std::vector<String>{u"diExpandButtonExpandSound", u"diExpandButtonCollapseSound"}));
    EXPECT_EQ(owner->Heard, (std::vector<int>{ebnExpandedChanged, ebnExpandedChanged}));
    EXPECT_EQ(undo.UndoCount(), 2);
    EXPECT_FALSE(undo.Modified()); // expanding is not a change of the document

    scheme->SetReadOnly(true);
    undo.Undo();
    EXPECT_TRUE(button->Expanded());
    undo.Undo();
    EXPECT_FALSE(button->Expanded());
    undo.Redo();
    EXPECT_TRUE(button->Expanded());
    EXPECT_EQ(owner->Heard.size(), 5u);
    // Setting the state it already has tells nobody.
    button->SetExpandedRaw(true);
    EXPECT_EQ(owner->Heard.size(), 5u);
}

TEST_F(ExpandButtonTest, SavesOnlyAStateThatDiffersFromTheDefault)
{
    struct Case {
        bool defaultExpanded;
        bool expanded;
        int options;
        bool writes;
        const char16_t* value;
    };
    const Case cases[] = {
        {true, true, 0, false, u""},
        {true, false, 0, true, u"0"},
        {false, true, 0, true, u"1"},
        {false, false, 0, false, u""},
        {true, false, soNoPositions, false, u""},
    };
    for (const Case& c : cases) {
        button->SetDefaultExpanded(c.defaultExpanded);
        button->SetExpandedRaw(c.expanded);
        TKnot knot(u"Owner");
        TSchemeSaver saver(smDocument, &knot, c.options);
        button->SaveToKnot(&saver, &knot);
        EXPECT_EQ(knot.FindParam(u"Value") != nullptr, c.writes) << c.defaultExpanded << c.expanded;
        if (c.writes) EXPECT_EQ(knot.ReadString(u"Value"), c.value);
    }

    // Loading: the stored value, else the default; nothing with the no-positions option.
    button->SetDefaultExpanded(true);
    TKnot stored(u"Owner");
    stored.WriteBool(u"Value", false);
    {
        TSchemeLoader loader(scheme.get(), nullptr, &stored, 0, smDocument);
        button->LoadFromKnot(&loader, &stored);
    }
    EXPECT_FALSE(button->Expanded());
    TKnot empty(u"Owner");
    {
        TSchemeLoader loader(scheme.get(), nullptr, &empty, soNoPositions, smDocument);
        button->LoadFromKnot(&loader, &empty);
    }
    EXPECT_FALSE(button->Expanded());
    {
        TSchemeLoader loader(scheme.get(), nullptr, &empty, 0, smDocument);
        button->LoadFromKnot(&loader, &empty);
    }
    EXPECT_TRUE(button->Expanded());
}

TEST_F(ExpandButtonTest, EmptinessFollowsTheContainersAndTheOwner)
{
    auto* title = TElement::NewPart<TTestTitle>(owner, nullptr);
    button->AddControlled(title);
    EXPECT_TRUE(button->IsEmpty());
    title->Text = u"content";
    title->UpdateHasValue();
    title->UpdateEmpty();
    EXPECT_FALSE(button->IsEmpty());
    button->UpdateEmpty();
    EXPECT_EQ(button->ImageElement(), steCollapsedData);

    // A container that is destroyed drops out of the list: nothing reads it afterwards.
    delete title;
    EXPECT_TRUE(button->Controlled().empty());
    EXPECT_TRUE(button->IsEmpty());
    owner->CallsFull = true;
    EXPECT_FALSE(button->IsEmpty()); // the owner may say otherwise
}

TEST_F(ExpandButtonTest, ImagesFollowStateStyleAndContent)
{
    struct Case {
        bool logicFrame;
        bool expanded;
        TSheetThemeElement image;
    };
    const Case cases[] = {
        {false, false, steCollapsed},
        {false, true, steExpanded},
        {true, false, steLogicFrameCollapsed},
        {true, true, steLogicFrameExpanded},
    };
    for (const Case& c : cases) {
        button->SetLogicFrameStyle(c.logicFrame);
        button->SetExpandedRaw(c.expanded);
        EXPECT_EQ(button->ImageElement(), c.image);
    }
}

TEST_F(ExpandButtonTest, OperationOfAButtonThatIsGoneDoesNothing)
{
    button->SetExpanded(true);
    delete button;
    button = nullptr;
    EXPECT_NO_THROW(undo.Undo());
    EXPECT_NO_THROW(undo.Redo());
    EXPECT_TRUE(owner->Heard.size() == 1u);
}

} // namespace

namespace {

TEST_F(ExpandButtonTest, ExpandAndCollapseAllAreOneUndoStep)
{
    // Three buttons: this one empty, one whose container has content, one disabled with content.
    auto* full = TExpandButton::NewButton(owner, owner, false);
    auto* title = TElement::NewPart<TTestTitle>(owner, nullptr);
    title->Text = u"content";
    title->UpdateHasValue();
    title->UpdateEmpty();
    full->AddControlled(title);
    auto* disabled = TExpandButton::NewButton(owner, owner, false);
    disabled->AddControlled(title);
    disabled->SetDisabled(true);

    struct Case {
        TExpandAllMode mode;
        const char* states; // button, full, disabled
        int changed;
    };
    const Case cases[] = {
        {eamExpandAll, "111", 3},
        {eamExpandedNotEmpty, "010", 2},
        {eamCollapseAll, "000", 1},
        {eamExpandedNotEmpty, "010", 1},
    };
    for (const Case& c : cases) {
        const int steps = undo.UndoCount();
        EXPECT_EQ(ExpandButtons(*scheme->Root(), c.mode), c.changed);
        std::string states;
        for (TExpandButton* b : {button, full, disabled}) states += b->Expanded() ? '1' : '0';
        EXPECT_EQ(states, c.states);
        EXPECT_EQ(undo.UndoCount(), steps + 1);
    }
    undo.Undo();
    EXPECT_FALSE(full->Expanded());
}

} // namespace
