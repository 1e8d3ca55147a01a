#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "elements/ClassesGroups.h"
#include "elements/Messages.h"
#include "elements/MessagesSign.h"
#include "elements/Operations.h"
#include "elements/Sounds.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "support/ElementFakes.h"
#include "support/SchemeFixture.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

class SchemeTest : public SchemeFixture {};

// Records the scheme's notification codes.
struct SchemeObserver {
    std::vector<int> Codes;
    void OnNotify(TItfObject*, int code, intptr_t, intptr_t) { Codes.push_back(code); }
};

} // namespace

TEST_F(SchemeTest, IdentifiersAreSharedAndElementsAreFoundUntilFreed)
{
    std::unique_ptr<TElement> loose(TElement::NewElement<TElement_Star>(nullptr));
    EXPECT_EQ(loose->ID(), 0);

    auto first = std::make_unique<TScheme>(&TTestRoot::Class(), u"Quillora");
    TElement* star = TElement::NewElement<TElement_Star>(first.get());
    star->SetParent(first->Root());
    EXPECT_GT(star->ID(), first->Root()->ID());
    EXPECT_EQ(first->FindElement(star->ID()), star);
    EXPECT_EQ(first->FindElement(first->Root()->ID()), first->Root());
    EXPECT_EQ(first->FindElement(0), nullptr);
    EXPECT_EQ(first->Elements(), (std::vector<TElement*>{first->Root(), star}));

    TScheme second(&TTestRoot::Class());
    EXPECT_GT(second.Root()->ID(), star->ID());
    EXPECT_EQ(second.FindElement(star->ID()), nullptr); // registered with the first only

    const int32_t id = star->ID();
    delete star;
    EXPECT_EQ(first->FindElement(id), nullptr);
    EXPECT_EQ(first->ElementCount(), 1);

    // Many elements freed in any order leave a consistent list.
    std::vector<TElement*> stars;
    for (int i = 0; i < 200; ++i) {
        stars.push_back(TElement::NewElement<TElement_Star>(first.get()));
        stars.back()->SetParent(first->Root());
    }
    const int32_t firstStarID = stars[0]->ID();
    for (size_t i = 0; i < stars.size(); i += 2) delete stars[i];
    EXPECT_EQ(first->ElementCount(), 101);
    for (size_t i = 1; i < stars.size(); i += 2) EXPECT_EQ(first->FindElement(stars[i]->ID()), stars[i]);
    EXPECT_EQ(first->FindElement(firstStarID), nullptr);
    first.reset(); // frees the root with the rest
}

TEST_F(SchemeTest, ElementsOutsideTheRootOutliveTheirScheme)
{
    auto scheme = std::make_unique<TScheme>(&TTestRoot::Class(), u"Quillora");
    std::unique_ptr<TElement_Star> helper(TElement::NewElement<TElement_Star>(scheme.get()));
    const int32_t id = helper->ID();
    helper->SetFlags(efValue | efValueRequired); // checks without a scheme
    scheme.reset();
    EXPECT_EQ(helper->Scheme(), nullptr);
    EXPECT_EQ(helper->ID(), id);
    helper->Recheck();
    EXPECT_FALSE(helper->HasNoErrors());
    EXPECT_FALSE(helper->IsReadOnly());
    helper.reset(); // unregisters from nothing
}

TEST_F(SchemeTest, FileNameAndReadOnlyNotifyOnChange)
{
    TScheme scheme;
    SchemeObserver observer;
    scheme.AddNotifyEvent(BindNotify<&SchemeObserver::OnNotify>(&observer));
    scheme.SetFileName(u"a.tpt");
    scheme.SetFileName(u"a.tpt");
    scheme.SetReadOnly(true);
    scheme.SetReadOnly(true);
    scheme.SetReadOnly(false);
    EXPECT_EQ(observer.Codes, (std::vector<int>{snFileNameChanged, snReadOnlyChanged, snReadOnlyChanged}));
    EXPECT_EQ(scheme.Root(), nullptr);
}

TEST_F(SchemeTest, ChecksWaitForTheEndOfTheUpdate)
{
    TScheme scheme(&TTestRoot::Class());
    auto* title = TElement::NewElement<TTestTitle>(&scheme);
    title->SetParent(scheme.Root());

    scheme.BeginUpdate();
    scheme.BeginUpdate();
    title->SetFlags(efValue | efValueRequired); // rechecks: deferred
    title->Validate();
    title->Validate();
    EXPECT_EQ(scheme.PendingChecks(), std::vector<TElement*>{title});
    EXPECT_TRUE(title->HasState(esCheckPending));
    EXPECT_EQ(title->Messages(), nullptr);
    scheme.EndUpdate();
    EXPECT_EQ(title->Messages(), nullptr); // still inside the outer update
    scheme.EndUpdate();

    EXPECT_FALSE(title->HasState(esCheckPending));
    EXPECT_TRUE(scheme.PendingChecks().empty());
    ASSERT_NE(title->Messages(), nullptr);
    ASSERT_EQ(title->Messages()->Count(), 1);
    const TElementMessage& m = title->Messages()->GetItems(0);
    EXPECT_EQ(m.Kind, mkValueRequired);
    ASSERT_EQ(m.Parts.size(), 2u);
    EXPECT_EQ(m.Parts[1].Text, u"set");
    EXPECT_EQ(m.Parts[1].Data, IntToString(title->ID()));

    // A value removes the message and frees the list.
    title->Text = u"v";
    title->Recheck();
    EXPECT_EQ(title->Messages(), nullptr);

    // An element freed while waiting leaves the list.
    auto* other = TElement::NewElement<TTestTitle>(&scheme);
    other->SetParent(scheme.Root());
    scheme.BeginUpdate();
    title->Text.clear();
    title->Recheck();
    other->Validate();
    delete title;
    EXPECT_EQ(scheme.PendingChecks(), std::vector<TElement*>{other});
    scheme.EndUpdate();
    EXPECT_TRUE(scheme.PendingChecks().empty());
}

TEST_F(SchemeTest, EndUpdateWithoutRootChecksNothing)
{
    TScheme scheme;
    std::unique_ptr<TTestTitle> title(TElement::NewElement<TTestTitle>(&scheme));
    scheme.BeginUpdate();
    title->SetFlags(efValue | efValueRequired);
    scheme.EndUpdate();
    EXPECT_EQ(scheme.PendingChecks(), std::vector<TElement*>{title.get()});
    EXPECT_EQ(title->Messages(), nullptr);
}

TEST_F(SchemeTest, GroupsMakeOneUndoStepAndBatchMessages)
{
    TScheme scheme(&TTestRoot::Class());
    TUndoRedo undo;
    scheme.SetUndoRedo(&undo);
    auto* a = TElement::NewElement<TElement_Star>(&scheme);
    a->SetParent(scheme.Root());
    auto* b = TElement::NewElement<TElement_Star>(&scheme);
    b->SetParent(scheme.Root());
    scheme.SchemeMessages().AddPlainMessage(mkWarning, u"old report");

    scheme.BeginGroup(true, u"Disable both");
    EXPECT_EQ(scheme.SchemeMessages().Count(), 0); // the outermost batch clears
    scheme.SchemeMessages().AddPlainMessage(mkWarning, u"new report");
    scheme.BeginGroup(true);
    PerformDisableOperation(*a, true);
    PerformDisableOperation(*b, true);
    scheme.EndGroup();
    EXPECT_EQ(scheme.SchemeMessages().Count(), 1); // the nested batch kept it
    scheme.EndGroup();
    EXPECT_EQ(scheme.SchemeMessages().BatchCount(), 0);

    ASSERT_EQ(undo.UndoList().ChildCount(), 1);
    EXPECT_EQ(undo.NextUndo()->GetCaption(), u"Disable both");
    undo.Undo();
    EXPECT_FALSE(a->HasVisualState(vsDisabled));
    EXPECT_FALSE(b->HasVisualState(vsDisabled));
    EXPECT_EQ(scheme.SchemeMessages().Count(), 0); // undoing the batched group cleared them
    undo.Redo();
    EXPECT_TRUE(a->HasVisualState(vsDisabled));
    EXPECT_TRUE(b->HasVisualState(vsDisabled));

    // Another message list (the log's) takes the reports.
    TElementMessages log;
    scheme.SetSchemeMessages(&log);
    EXPECT_EQ(&scheme.SchemeMessages(), &log);
    scheme.SetSchemeMessages(nullptr);
    EXPECT_NE(&scheme.SchemeMessages(), &log);
}

TEST_F(SchemeTest, ClassGroupsAndLookups)
{
    TClassesGroups groups;
    EXPECT_EQ(groups.Count(), 4);
    const int mine = groups.AddGroup();
    EXPECT_EQ(mine, 4);
    AddClass(groups.GetGroups(mine), &TElement_Star::Class());
    AddClass(groups.GetGroups(mine), &TElement_Box::Class());
    AddClass(groups.GetGroups(mine), &TElement_Star::Class());
    EXPECT_EQ(groups.GetGroups(mine), (TElementClassList{&TElement_Star::Class(), &TElement_Box::Class()}));

    TClassesGroups& shared = ClassesGroups();
    const int group = shared.AddGroup();
    AddClass(shared.GetGroups(group), &TElement_Note::Class());
    AddClass(shared.GetGroups(group), &TElement_Star::Class());
    TElementClassList list{&TElement_Star::Class()};
    AddGroupClasses(list, group);
    EXPECT_EQ(list, (TElementClassList{&TElement_Star::Class(), &TElement_Note::Class()}));

    EXPECT_EQ(FindClassByTypeName(list, u"Note"), &TElement_Note::Class());
    EXPECT_EQ(FindClassByTypeName(list, u"note"), nullptr);
    EXPECT_EQ(FindClassByTypeName(list, u"Unaccepted"), nullptr);
    EXPECT_EQ(TElement_Unaccepted::Class().GetTypeName(), u"Unaccepted");
}

TEST_F(SchemeTest, PanelSizeFollowsVisibleChildren)
{
    TScheme scheme(&TTestRoot::Class());
    auto* panel = TElement::NewElement<TElement_Frame>(&scheme);
    panel->SetParent(scheme.Root());
    panel->SetBounds(0, 0, 50, 60);
    EXPECT_EQ(panel->VisualParent(), scheme.Root());

    auto* a = TElement::NewElement<TElement_Star>(&scheme);
    a->SetBounds(10, 20, 30, 40);
    a->SetParent(panel);
    EXPECT_EQ(a->VisualParent(), panel);
    EXPECT_EQ(panel->Width(), 40);
    EXPECT_EQ(panel->Height(), 60);
    auto* b = TElement::NewElement<TElement_Star>(&scheme);
    b->SetParent(panel);
    b->SetBounds(100, 5, 10, 10);
    EXPECT_EQ(panel->Width(), 110);
    EXPECT_EQ(panel->Height(), 60);

    // Removing every visible child keeps the last size.
    delete b;
    EXPECT_EQ(panel->Width(), 40);
    a->SetParent(nullptr);
    EXPECT_EQ(a->VisualParent(), nullptr);
    EXPECT_EQ(panel->Width(), 40);
    EXPECT_EQ(panel->Height(), 60);
    delete a;
}

TEST_F(SchemeTest, UnacceptedLinesAreShownCutAndUntabbed)
{
    EXPECT_EQ(TElement_Unaccepted::DisplayLine(u"\t<A/>"), u"        <A/>");
    const String long101(101, u'x');
    EXPECT_EQ(TElement_Unaccepted::DisplayLine(long101), String(97, u'x') + u"...");
    EXPECT_EQ(TElement_Unaccepted::DisplayLine(String(100, u'y')), String(100, u'y'));
}

TEST_F(SchemeTest, MessagesSignHintAndImage)
{
    TScheme scheme(&TTestRoot::Class());
    auto* target = TElement::NewElement<TElement_Star>(&scheme);
    target->SetParent(scheme.Root());
    std::unique_ptr<TMessagesSignElement> sign(TElement::NewElement<TMessagesSignElement>(nullptr));
    sign->SetTarget(target);
    EXPECT_TRUE(sign->HasFlag(efTransient));
    EXPECT_TRUE(sign->HasVisualOption(voPassive));

    target->GetMessages().AddMessage(mkValueRequired, u"The value must be [set]", u"1");
    EXPECT_EQ(sign->SignImage(), steNeedValueSign);
    target->GetMessages().AddMessage(mkInvalidValue, u"Invalid [data type] in the element", u"1");
    EXPECT_EQ(sign->SignImage(), steErrorSign);
    String hint;
    sign->GetHint(hint);
    EXPECT_EQ(hint, u"\x2022 The value must be set\r\n\x2022 Invalid data type in the element");
}

TEST_F(SchemeTest, SoundsPlayOnlyWhenEnabled)
{
    struct Recorder : TSoundPlayer {
        std::vector<String> Played;
        void PlayResourceSound(const String& name) override { Played.push_back(name); }
    } recorder;
    TProvide<TSoundPlayer> provideRecorder(recorder);
    TBooleanProperty& enabled = SoundsSettings().Enabled();
    const bool saved = enabled.Value();
    enabled.SetValue(true);
    PlaySchemeSound(ElementSoundName);
    enabled.SetValue(false);
    PlaySchemeSound(ItemSoundName);
    enabled.SetValue(saved);
    EXPECT_EQ(recorder.Played, std::vector<String>{u"diClassesElementSound"});
}

TEST_F(SchemeTest, UnacceptedElementsAreSizedAndDrawnInASheet)
{
    quillora::testing::TFakeSheet sheet;
    TScheme scheme(&TTestRoot::Class(), u"Quillora");
    auto* root = static_cast<TVisualElement*>(scheme.Root());
    root->SetVisualParent(sheet.Root(), nullptr);
    TKnot knot;
    knot.LoadFromText(u"<Quillora><Hexagon A=\"1\"><Corner/></Hexagon><Pentagon/></Quillora>");
    scheme.LoadFromKnot(root, smDocument, &knot);

    auto* hexagon = dynamic_cast<TElement_Unaccepted*>(root->FirstElement());
    ASSERT_NE(hexagon, nullptr);
    EXPECT_EQ(hexagon->Lines(), (std::vector<String>{u"<Hexagon A=\"1\">", u"\t<Corner/>", u"</Hexagon>"}));
    // The fake canvas: 8 pixels a fixed character, 14 a line, no padding.
    EXPECT_EQ(hexagon->Width(), 8 * 17); // the TAB drawn as eight spaces
    EXPECT_EQ(hexagon->Height(), 3 * 14);
    EXPECT_EQ(hexagon->Descent(), 4); // the sheet's default text
    auto* pentagon = static_cast<TVisualElement*>(hexagon->NextElement());
    EXPECT_EQ(pentagon->Width(), 8 * 11);
    EXPECT_EQ(pentagon->Height(), 14);

    // Faulty: a sign with the error image is shown for it.
    ASSERT_NE(hexagon->MessagesSign(), nullptr);
    EXPECT_EQ(hexagon->MessagesSign()->SignImage(), steErrorSign);

    auto* canvas = static_cast<quillora::testing::TRecordingCanvas*>(sheet.GetCanvas());
    canvas->Calls.clear();
    hexagon->Paint(*canvas, 0);
    EXPECT_EQ(canvas->Calls, (std::vector<std::string>{"Frame " + std::to_string(steUnaccepted) + " 0,0 136x42",
                                                      "FixedText 0,0 0x0", "FixedText 0,14 0x0",
                                                      "FixedText 0,28 0x0"}));
}
