// The edit form: its shortcuts run the document-wide commands only while a document is
// shown, expanding and collapsing all buttons is one undo step, the menus carry the
// commands with their states, and its part of the session survives a round trip.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/EditForm.h"
#include "editor/Sheet.h"
#include "elements/PanelElement.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "foundation/UndoRedo.h"
#include "library/ExpandButton.h"
#include "support/ElementFakes.h"
#include "support/FakeFindDialogs.h"
#include "support/TestElements.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

// An owner whose button's content counts as full or empty.
class TFoldOwner : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TFoldOwner, TPanelElement)
    bool Full = false;
    bool ChildNotification(TElement* child, int notify, intptr_t param2, intptr_t param1) override
    {
        if (notify == ebnQueryEmpty && Full) *reinterpret_cast<bool*>(param1) = false;
        return TPanelElement::ChildNotification(child, notify, param2, param1);
    }
};

struct EditFormTest : ::testing::Test {
    TUndoRedo undo;
    std::unique_ptr<TScheme> scheme;
    TSheet sheet {nullptr, std::make_unique<TRecordingCanvas>()};
    FakeFindDialogs dialogs;
    TEditForm form {dialogs};
    std::vector<TExpandButton*> buttons;
    int actionsChanged = 0;

    void SetUp() override
    {
        scheme = std::make_unique<TScheme>(&TTestRoot::Class(), u"Quillora");
        scheme->SetUndoRedo(&undo);
        auto* root = static_cast<TVisualElement*>(scheme->Root());
        // Full, empty, full but disabled.
        for (int i = 0; i < 3; ++i) {
            auto* owner = TVisualElement::NewVisualPart<TFoldOwner>(root, nullptr, root);
            owner->Full = i != 1;
            buttons.push_back(TExpandButton::NewButton(owner, owner, false));
        }
        buttons[2]->SetDisabled(true);
        sheet.SetDocument(root);
        form.OnActionsChanged = [this] { ++actionsChanged; };
    }
    void TearDown() override
    {
        form.SetDocument(nullptr, nullptr);
        sheet.SetDocument(nullptr);
        scheme.reset();
    }
    std::vector<bool> Expanded() const
    {
        std::vector<bool> states;
        for (TExpandButton* button : buttons) states.push_back(button->Expanded());
        return states;
    }
};

} // namespace

TEST_F(EditFormTest, ShortcutsRunTheDocumentCommandsOnlyWithADocument)
{
    TKeyEvent find = TKeyEvent::Down(kcF, ssCtrl);
    form.ShortCut(find);
    EXPECT_FALSE(find.Consumed()); // nothing shown: the commands are disabled
    EXPECT_TRUE(dialogs.Log.empty());

    form.SetDocument(scheme.get(), &sheet);
    EXPECT_GT(actionsChanged, 0);
    struct Case {
        TKeyCode key;
        TShiftState shift;
        bool consumed;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {kcF, ssCtrl, true, {"show find "}},
        {kcF3, 0, true, {"show find "}}, // no text yet: the find dialog opens
        {KeyOfChar('H'), ssCtrl, true, {"close find", "show replace "}},
        {KeyOfChar('R'), ssCtrl, true, {"show replace "}},
        {kcF, ssCtrl | ssAlt, false, {}},
        {kcF3, ssShift, false, {}},
        {kcF5, 0, true, {}},
        {KeyOfChar('J'), ssCtrl, false, {}}, // only with Shift
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "key " << c.key << " shift " << int(c.shift));
        dialogs.Log.clear();
        TKeyEvent event = TKeyEvent::Down(c.key, c.shift);
        form.ShortCut(event);
        EXPECT_EQ(event.Consumed(), c.consumed);
        EXPECT_EQ(dialogs.Log, c.log);
    }
}

TEST_F(EditFormTest, ExpandingAndCollapsingAllIsOneUndoStep)
{
    form.SetDocument(scheme.get(), &sheet);
    TKeyEvent expandAll = TKeyEvent::Down(KeyOfChar('L'), ssCtrl | ssShift);
    form.ShortCut(expandAll);
    EXPECT_TRUE(expandAll.Consumed());
    EXPECT_EQ(Expanded(), (std::vector<bool> {true, true, true}));
    ASSERT_TRUE(undo.CanUndo());
    undo.Undo();
    EXPECT_EQ(Expanded(), (std::vector<bool> {false, false, false}));
    EXPECT_FALSE(undo.CanUndo());

    // Only the buttons with content that are not disabled.
    TKeyEvent notEmpty = TKeyEvent::Down(KeyOfChar('K'), ssCtrl | ssShift);
    form.ShortCut(notEmpty);
    EXPECT_EQ(Expanded(), (std::vector<bool> {true, false, false}));

    form.ExpandButtons(eamExpandAll);
    TKeyEvent collapseAll = TKeyEvent::Down(KeyOfChar('J'), ssCtrl | ssShift);
    form.ShortCut(collapseAll);
    EXPECT_EQ(Expanded(), (std::vector<bool> {false, false, false}));
    undo.Undo();
    EXPECT_EQ(Expanded(), (std::vector<bool> {true, true, true}));
}

TEST_F(EditFormTest, TheMenusCarryTheCommandsWithTheirStates)
{
    TMenuItem edit = form.EditMenu();
    ASSERT_NE(FindMenuItem(edit.Items, efcEditFind), nullptr);
    EXPECT_FALSE(FindMenuItem(edit.Items, efcEditFind)->Enabled);

    form.SetDocument(scheme.get(), &sheet);
    edit = form.EditMenu();
    std::vector<int> commands;
    for (const TMenuItem& item : edit.Items) commands.push_back(item.Command);
    EXPECT_EQ(commands, (std::vector<int> {scmUndo, scmRedo, 0, scmCut, scmCopy, scmCopyText, scmPaste, scmDelete, 0,
                                           efcEditFind, efcEditFindNext, efcEditReplace, 0, scmSelectAll}));
    EXPECT_TRUE(FindMenuItem(edit.Items, efcEditFind)->Enabled);
    EXPECT_EQ(FindMenuItem(edit.Items, efcEditFindNext)->ShortCut, u"F3");
    EXPECT_FALSE(FindMenuItem(edit.Items, scmUndo)->Enabled);
    form.ExpandButtons(eamExpandAll);
    EXPECT_TRUE(FindMenuItem(form.EditMenu().Items, scmUndo)->Enabled);
    EXPECT_TRUE(form.Execute(scmUndo));
    EXPECT_EQ(Expanded(), (std::vector<bool> {false, false, false}));

    // Undo and Redo name the operation they would undo or redo when it has a name.
    struct TNamedOperation : TOperation {
        String GetCaption() const override { return u"Cut & Paste"; }
    };
    EXPECT_EQ(FindMenuItem(form.EditMenu().Items, scmUndo)->Caption, u"&Undo");
    undo.Add(new TNamedOperation);
    EXPECT_EQ(FindMenuItem(form.EditMenu().Items, scmUndo)->Caption, u"&Undo: Cut && Paste");
    undo.Undo();
    EXPECT_EQ(FindMenuItem(form.EditMenu().Items, scmRedo)->Caption, u"&Redo: Cut && Paste");

    const TMenuItem view = form.ViewMenu();
    ASSERT_EQ(view.Items.size(), 2u);
    EXPECT_EQ(view.Items[0].Command, efcViewPalette);
    EXPECT_TRUE(view.Items[0].Checked);
    EXPECT_EQ(view.Items[0].ShortCut, u"F4");
    EXPECT_EQ(view.Items[1].Command, scmNonPrintingCharacters);
    TKeyEvent f4 = TKeyEvent::Down(kcF4);
    form.ShortCut(f4);
    EXPECT_FALSE(form.PaletteVisible());
    EXPECT_FALSE(FindMenuItem(form.ViewMenu().Items, efcViewPalette)->Checked);
}

TEST_F(EditFormTest, TheSessionKeepsThePaletteAndLogValuesAndIgnoresABadHeight)
{
    TKnot stored;
    stored.GetKnot(u"Palette")->WriteBool(u"Visible", false);
    stored.GetKnot(u"Log")->WriteInteger(u"Height", 200);
    form.LoadSession(stored);
    TKnot written;
    form.SaveSession(written);
    EXPECT_FALSE(written.GetKnot(u"Palette")->ReadBool(u"Visible", true));
    EXPECT_EQ(written.GetKnot(u"Log")->ReadInteger(u"Height", 0), 200);

    TEditForm fresh {dialogs};
    TKnot bad;
    bad.GetKnot(u"Log")->WriteInteger(u"Height", 5);
    fresh.LoadSession(bad);
    TKnot out;
    fresh.SaveSession(out);
    EXPECT_EQ(out.GetKnot(u"Log")->ReadInteger(u"Height", 0), 130);
    EXPECT_TRUE(out.GetKnot(u"Palette")->ReadBool(u"Visible", false));
}
