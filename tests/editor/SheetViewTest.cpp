// The sheet form's rules with the sheet shown in a real range box on a fake window:
// scrolling both ways, the caret, the focus scrolled into view, shortcuts and the menu.
#include <gtest/gtest.h>

#include <memory>

#include "editor/Sheet.h"
#include "editor/SheetFormSettings.h"
#include "editor/SheetView.h"
#include "elements/CustomElements.h"
#include "elements/DropDownList.h"
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
    // Dropped files: whether they are taken, and what came with the last drop.
    bool TakesFiles = true;
    std::vector<String> Dropped;
    TPoint DroppedAt;
    void GetCaret(bool& visible, TRect& rect) override
    {
        visible = Caret;
        rect = Caret ? Rect(5, 0, 6, 20) : TRect {};
    }
    bool CanDelete() override { return true; }
    void GetHint(String& text) override { text = u"a line"; }
    void Delete() override { ++Deleted; }
    bool DropFilesAt(const std::vector<String>& fileNames, TPoint point) override
    {
        if (!TakesFiles) return false;
        Dropped = fileNames;
        DroppedAt = point;
        return true;
    }

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

TEST_F(SheetViewTest, DroppedFilesReachTheElementUnderTheScrolledPoint)
{
    // The window accepts files once the sheet is shown in it.
    EXPECT_TRUE(host.AcceptsFiles);
    box.Scroll(sbVertical, scTrack, 500);
    const std::vector<String> files {u"C:\\a.png", u"C:\\b c.png"};
    // Client (10, 35) is range (10, 535): line 26, 15 pixels down.
    ASSERT_TRUE(box.DropFiles(files, {10, 35}));
    EXPECT_EQ(lines[26]->Dropped, files);
    EXPECT_EQ(lines[26]->DroppedAt, (TPoint {10, 15}));
    // An element that takes none leaves them to its ancestors; here nobody takes them.
    lines[27]->TakesFiles = false;
    EXPECT_FALSE(box.DropFiles(files, {10, 45}));
    EXPECT_TRUE(lines[27]->Dropped.empty());
    // Nothing dropped, or nothing under the point.
    EXPECT_FALSE(box.DropFiles({}, {10, 35}));
    EXPECT_FALSE(box.DropFiles(files, {350, 35}));
}

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

TEST_F(SheetViewTest, AnElementsHintShowsOncePerElementAndNotWithHintsOff)
{
    TSheetFormSettings settings;
    view.SetFormSettings(&settings);
    EXPECT_EQ(view.HintAt({10, 10}), u"a line");
    EXPECT_EQ(view.HintAt({12, 12}), u""); // the same element
    EXPECT_EQ(view.HintAt({10, 30}), u"a line");
    view.PointerLeave();
    settings.ShowHints().SetValue(false);
    EXPECT_EQ(view.HintAt({10, 50}), u"");
    settings.ShowHints().SetValue(true);
    // None while an element holds the pointer.
    sheet.MouseDown([] {
        TPointerEvent e;
        e.Point = {10, 70};
        e.Button = pbLeft;
        return e;
    }());
    EXPECT_EQ(view.HintAt({10, 90}), u"");
}

TEST_F(SheetViewTest, TheWindowShowsTheHintWhenThePointerComesToAnotherElement)
{
    TPointerEvent move;
    move.Point = {10, 10};
    view.PointerMove(move);
    EXPECT_EQ(host.Hint, u"a line");
    EXPECT_EQ(host.HintPoint, box.RangeToScreen({10, 10}));
    host.Log.clear();
    move.Point = {12, 12}; // the same element: the hint stays as it is
    view.PointerMove(move);
    EXPECT_TRUE(host.Log.empty());
    move.Point = {10, 30};
    view.PointerMove(move);
    EXPECT_EQ(host.Log, (std::vector<std::string> {"HideHint", "ShowHint " + std::to_string(host.HintPoint.X) + "," +
                                                                    std::to_string(host.HintPoint.Y)}));
    TPointerEvent press = move;
    press.Button = pbLeft;
    view.PointerDown(press); // a press takes the hint away
    EXPECT_EQ(host.Hint, u"");
    view.PointerUp(press);
    view.PointerMove(move);
    EXPECT_EQ(host.Hint, u"a line");
    view.PointerLeave();
    EXPECT_EQ(host.Hint, u"");
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

namespace quillora::sheetviewtest {

class TElement_Choice : public TCustomDropDownElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Choice, TCustomDropDownElement)
    std::vector<String> Applied;
    TDropDownItem* FillDropDown(TDropDownItem& root) override
    {
        TDropDownItem* group = root.AddItem(u"group");
        group->AddItem(u"inner one");
        group->AddItem(u"inner two");
        for (int i = 0; i < 30; ++i) root.AddItem(u"item " + AsciiToString(std::to_string(i)));
        return root.FirstItem()->NextItem();
    }
    bool ApplyDropDownItem(TDropDownItem* item) override
    {
        Applied.push_back(item->ShownText());
        return true;
    }

protected:
    void Create() override
    {
        TCustomDropDownElement::Create();
        SetVisualOptions(VisualOptions() | voFocusable | voPressable | voHasDropDown);
    }
};

namespace {

// A pop-up that records what the form asks and whether it still exists.
class TFakePopup : public TDropDownPopup {
public:
    explicit TFakePopup(int& alive) : alive_(alive) { ++alive_; }
    ~TFakePopup() override { --alive_; }
    std::vector<TRect> Shown;
    bool Hidden = false;
    int Refreshes = 0;
    void ShowAt(const TRect& r) override { Shown.push_back(r); }
    void Refresh() override { ++Refreshes; }
    void Hide() override { Hidden = true; }
    TRect ScreenRect() const override { return Shown.empty() ? TRect {} : Shown.back(); }
    TRect Desktop() const override { return Rect(0, 400, 1600, 1600); }
    int FrameSize() const override { return 2; }
    int ScrollBarWidth() const override { return 16; }

private:
    int& alive_;
};

struct DropDownViewTest : SheetViewTest {
    int alive = 0;
    TFakePopup* popup = nullptr;
    TDropDownControl* control = nullptr;
    TElement_Choice* choice = nullptr;

    void SetUp() override
    {
        SheetViewTest::SetUp();
        view.PopupFactory = [this](TDropDownControl& c) {
            auto made = std::make_unique<TFakePopup>(alive);
            popup = made.get();
            control = &c;
            return made;
        };
        choice = TElement::NewElement<TElement_Choice>(nullptr);
        choice->SetParent(document);
        choice->SetBounds(40, 100, 80, 20);
        choice->Focus();
        choice->OpenDropDown();
        ASSERT_TRUE(popup);
    }
};

} // namespace

TEST_F(DropDownViewTest, TheListOpensBelowItsElementWithItsRowsAndGrowsOnly)
{
    // The element at (40, 100) of the range, the window's client at (1000, 500) of the screen.
    ASSERT_EQ(popup->Shown.size(), 1u);
    const int rowHeight = control->ItemHeight();
    EXPECT_EQ(popup->Shown[0].Left, 1040);
    EXPECT_EQ(popup->Shown[0].Top, 620);
    EXPECT_EQ(popup->Shown[0].Height(), 17 * rowHeight + 2);
    EXPECT_EQ(control->Rows().size(), 31u); // the group is collapsed
    EXPECT_EQ(control->SelectedRow(), 1);

    // Keys of the form go to the list while it is open; Ctrl+Down does not.
    TKeyEvent down = TKeyEvent::Down(kcDown);
    box.KeyDown(down);
    EXPECT_EQ(control->SelectedRow(), 2);
    TKeyEvent end = TKeyEvent::Down(kcEnd);
    box.KeyDown(end);
    EXPECT_EQ(control->SelectedRow(), 30);
    EXPECT_EQ(control->TopRow(), 14);

    // Expanding the group by a release on its cell: more rows, the window never shrinks.
    control->PointerDown({5, 0});
    control->Wheel(100, {-1, -1});
    control->PointerUp({5, 0}, true);
    EXPECT_EQ(control->Rows().size(), 33u);
    EXPECT_TRUE(sheet.DropDownList());
}

TEST_F(DropDownViewTest, APickWithTheMouseHidesTheWindowAtOnceAndFreesItAfterTheHandler)
{
    // The window's release handler picks "item 3": the list closes, the choice is applied,
    // and the window is hidden but still there while its handler runs.
    control->PointerMove({10, 4 * control->ItemHeight() + 1}); // the first move is ignored
    control->PointerMove({10, 4 * control->ItemHeight() + 2});
    EXPECT_EQ(control->SelectedRow(), 4);
    control->PointerUp({10, 4 * control->ItemHeight() + 2}, true);
    EXPECT_FALSE(sheet.DropDownList());
    EXPECT_EQ(choice->Applied, std::vector<String> {u"item 3"});
    EXPECT_TRUE(popup->Hidden);
    EXPECT_EQ(alive, 1);
    EXPECT_FALSE(view.DropDownPopup());

    // The next input of the form frees it.
    TKeyEvent key = TKeyEvent::Down(kcF3);
    box.KeyDown(key);
    EXPECT_EQ(alive, 0);
}

TEST_F(DropDownViewTest, AReleaseOutsideTheWindowClosesWithoutChoosing)
{
    control->PointerUp({-5, -5}, false);
    EXPECT_FALSE(sheet.DropDownList());
    EXPECT_TRUE(choice->Applied.empty());
    EXPECT_TRUE(popup->Hidden);
}

TEST_F(DropDownViewTest, LosingTheFocusClosesTheList)
{
    view.FocusChanged(false);
    EXPECT_FALSE(sheet.DropDownList());
    EXPECT_TRUE(popup->Hidden);
    EXPECT_TRUE(choice->Applied.empty());
}

} // namespace quillora::sheetviewtest
