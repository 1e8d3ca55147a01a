// The sheet form's rules with the sheet shown in a real range box on a fake window:
// scrolling both ways, the caret, the focus scrolled into view, shortcuts and the menu.
#include <gtest/gtest.h>

#include <memory>

#include "editor/Sheet.h"
#include "editor/SheetView.h"
#include "elements/PanelElement.h"
#include "elements/Scheme.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "support/ElementFakes.h"
#include "support/FakeViewHost.h"
#include "widgets/RangeBox.h"

namespace quillora::sheetviewtest {

class TElement_Line : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Line, TVisualElement)
    bool Caret = false;
    int Deleted = 0;
    void GetCaret(bool& visible, TRect& rect) override
    {
        visible = Caret;
        rect = Caret ? Rect(5, 0, 6, 20) : TRect {};
    }
    bool CanDelete() override { return true; }
    void Delete() override { ++Deleted; }

protected:
    void Create() override
    {
        TVisualElement::Create();
        SetVisualOptions(voFocusable | voPressable);
    }
};

class TLineRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TLineRoot, TPanelElement)
};

namespace {

// An operation that counts how often it was undone.
class TCountingOperation : public TOperation {
public:
    explicit TCountingOperation(int& undone) : undone_(undone) {}
    void DoUndo() override { ++undone_; }

private:
    int& undone_;
};

struct SheetViewTest : ::testing::Test {
    TMemoryScreenPointer pointer;
    TProvide<TScreenPointer> providePointer {pointer};
    testing::TFakeViewHost host;
    TRangeBox box {host};
    TSheet sheet {nullptr, std::make_unique<testing::TRecordingCanvas>()};
    TLineRoot* document = TElement::NewElement<TLineRoot>(nullptr);
    std::vector<TElement_Line*> lines;
    TSheetView view;

    void SetUp() override
    {
        host.Focused = true;
        box.SetScrollBars(rsbBoth);
        box.SetClipping(rbcTopLeft);
        for (int i = 0; i < 100; ++i) {
            auto* line = TElement::NewElement<TElement_Line>(nullptr);
            line->SetParent(document);
            line->SetBounds(0, i * 20, 300, 20);
            lines.push_back(line);
        }
        sheet.SetDocument(document);
        view.SetSheet(nullptr, &sheet);
        box.SetContent(&view);
    }
    void TearDown() override
    {
        box.SetContent(nullptr);
        view.SetSheet(nullptr, nullptr);
        sheet.SetDocument(nullptr);
        delete document;
    }
};

} // namespace

TEST_F(SheetViewTest, TheRangeFollowsTheSheetAndScrollsGoBothWaysOnce)
{
    EXPECT_EQ(box.RangeWidth(), 300);
    EXPECT_EQ(box.RangeHeight(), 2000);

    // The viewport scrolls: the sheet hears it and does not scroll it back.
    box.Scroll(sbVertical, scTrack, 500);
    EXPECT_EQ(sheet.ScrollPos(), (TPoint {0, 500}));
    EXPECT_EQ(box.Position(), (TPoint {0, 500}));
    // The sheet scrolls (a restored session): the viewport follows, clamped.
    sheet.SetScrollPos({0, 5000});
    EXPECT_EQ(box.Position(), (TPoint {0, 1700}));
    EXPECT_EQ(sheet.ScrollPos(), (TPoint {0, 1700}));
}

TEST_F(SheetViewTest, TheCaretIsMirroredAndTheFocusScrolledIntoViewAfterTheDelay)
{
    lines[50]->Caret = true;
    lines[50]->Focus();
    ASSERT_TRUE(host.Caret);
    // Scrolled into view only when the show timer fires.
    EXPECT_EQ(box.Position().Y, 0);
    ASSERT_TRUE(host.TimerRuns(TSheet::ShowTimerId));
    box.Timer(TSheet::ShowTimerId);
    EXPECT_EQ(box.Position().Y, 1020 - 300);
    EXPECT_EQ(*host.Caret, Rect(5, 300 - 20, 6, 300));
}

TEST_F(SheetViewTest, ScrollIntoViewKeepsTheMarginAndShowsTallRectanglesFromTheirNearEnd)
{
    host.Client = Rect(0, 0, 200, 100);
    box.Resized(200, 100);
    box.SetPosition({0, 0});
    struct Case {
        TPoint From;
        TRect Rect;
        bool Margin;
        TPoint To;
    };
    const Case cases[] = {
        {{0, 0}, Rect(10, 10, 20, 20), true, {0, 0}},              // in view
        {{0, 0}, Rect(250, 10, 260, 20), true, {90, 0}},           // right, 30 beside
        {{0, 0}, Rect(250, 10, 260, 20), false, {60, 0}},
        {{0, 0}, Rect(0, 500, 10, 800), false, {0, 500}},          // taller, from above: its top
        {{0, 1200}, Rect(0, 500, 10, 800), false, {0, 700}},       // from below: its bottom
    };
    for (const Case& c : cases) {
        box.SetPosition(c.From);
        view.ScrollIntoView(c.Rect, c.Margin);
        EXPECT_EQ(box.Position(), c.To) << c.Rect.Left << "," << c.Rect.Top;
    }
}

TEST_F(SheetViewTest, ShortcutsAndTheContextMenuRunTheFocusedElementsCommands)
{
    lines[3]->Focus();
    TKeyEvent del = TKeyEvent::Down(kcDelete);
    box.KeyDown(del);
    EXPECT_EQ(lines[3]->Deleted, 1);
    EXPECT_TRUE(del.Consumed());
    // Shift+Delete is Cut, which also needs Copy: not enabled here, so nothing runs.
    TKeyEvent cut = TKeyEvent::Down(kcDelete, ssShift);
    box.KeyDown(cut);
    EXPECT_EQ(lines[3]->Deleted, 1);
    EXPECT_FALSE(cut.Consumed());

    host.MenuAnswer = scmDelete;
    EXPECT_TRUE(box.ContextMenu({10, 10}, false));
    ASSERT_EQ(host.Menus.size(), 1u);
    const TMenu& menu = host.Menus[0].Menu;
    ASSERT_EQ(menu.size(), 8u);
    EXPECT_FALSE(menu[0].Enabled); // Undo: nothing to undo
    EXPECT_TRUE(FindMenuItem(menu, scmDelete)->Enabled);
    EXPECT_FALSE(FindMenuItem(menu, scmCopy)->Enabled);
    EXPECT_EQ(lines[3]->Deleted, 2);
}

TEST_F(SheetViewTest, CtrlZUndoesThroughTheSchemesEngine)
{
    TScheme scheme;
    TUndoRedo undo;
    scheme.SetUndoRedo(&undo);
    int undone = 0;
    undo.Add(new TCountingOperation(undone));
    view.SetSheet(&scheme, &sheet);
    EXPECT_TRUE(view.Action(scmUndo).Enabled);
    TKeyEvent z = TKeyEvent::Down(kcZ, ssCtrl);
    box.KeyDown(z);
    EXPECT_EQ(undone, 1);
    EXPECT_FALSE(view.Action(scmUndo).Enabled);
    EXPECT_TRUE(view.Action(scmRedo).Enabled);
    sheet.SetReadOnly(true);
    EXPECT_FALSE(view.Action(scmRedo).Enabled);
    view.SetSheet(nullptr, &sheet);
}

} // namespace quillora::sheetviewtest
