// The sheet against a fake window: input routing, focus and its timers, the drop-down
// list and the elements it belongs to, painting and the session's view state.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/Sheet.h"
#include "elements/CustomElements.h"
#include "elements/DropDownList.h"
#include "elements/PanelElement.h"
#include "foundation/Knot.h"
#include "support/ElementFakes.h"
#include "support/FakeViewHost.h"

namespace quillora::sheettest {

// A focusable, pressable element that records what reaches it.
class TElement_Chip : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Chip, TVisualElement)
    std::vector<std::string> Seen;
    bool Caret = false;
    bool TakeKeys = false;
    String LoadedFocusData;

    void KeyDown(TKeyEvent& e) override
    {
        Seen.push_back("KeyDown " + std::to_string(e.Key) + " shift " + std::to_string(e.Shift));
        if (TakeKeys) e.Consume();
    }
    void KeyPress(TKeyEvent& e) override { Seen.push_back("KeyPress " + std::to_string(e.Ch)); }
    void MouseDown(const TPointerEvent& e) override
    {
        Seen.push_back("MouseDown " + std::to_string(e.Point.X) + "," + std::to_string(e.Point.Y) + " count " +
                       std::to_string(e.ClickCount));
        TVisualElement::MouseDown(e);
    }
    void MouseUp(const TPointerEvent& e) override
    {
        Seen.push_back("MouseUp " + std::to_string(e.Point.X) + "," + std::to_string(e.Point.Y));
        TVisualElement::MouseUp(e);
    }
    void GetCaret(bool& visible, TRect& rect) override
    {
        visible = Caret;
        rect = Caret ? Rect(2, 1, 3, 11) : TRect {};
    }
    TCursor GetCursor(TPoint) override { return crIBeam; }
    void GetFocusData(String& text) override { text = u"7,8"; }
    void SetFocus(bool horizontal, bool forward, std::optional<TPoint> point, TVisualElement* from,
                  const String& focusData) override
    {
        LoadedFocusData = focusData;
        TVisualElement::SetFocus(horizontal, forward, point, from, focusData);
    }
    void PaintOverlay(TSheetCanvas& canvas) override { canvas.DrawFocusRect(Rect(0, 0, 1, 1)); }
    void Paint(TSheetCanvas& canvas, int) override { canvas.DrawRect(GetLocalRect(), 0, 0); }

protected:
    void Create() override
    {
        TVisualElement::Create();
        SetVisualOptions(voFocusable | voPressable);
    }
};

// A drop-down element with two choices that records what it is asked to apply.
class TElement_Pick : public TCustomDropDownElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Pick, TCustomDropDownElement)
    static inline std::vector<std::string> Applied;

    TDropDownItem* FillDropDown(TDropDownItem& root) override
    {
        TDropDownItem* first = root.AddItem(u"one");
        root.AddItem(u"two");
        return first;
    }
    bool ApplyDropDownItem(TDropDownItem* item) override
    {
        Applied.push_back(StringToUtf8(item->ShownText()));
        return true;
    }

protected:
    void Create() override
    {
        TCustomDropDownElement::Create();
        SetVisualOptions(VisualOptions() | voFocusable | voPressable | voHasDropDown);
    }
};

class TDocumentRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TDocumentRoot, TPanelElement)
};

namespace {

using quillora::testing::TFakeViewHost;
using quillora::testing::TRecordingCanvas;

struct SheetTest : ::testing::Test {
    TFakeViewHost host;
    TRecordingCanvas* canvas = new TRecordingCanvas();
    std::unique_ptr<TSheet> sheet = std::make_unique<TSheet>(nullptr, std::unique_ptr<TSheetCanvas>(canvas));
    TDocumentRoot* document = TElement::NewElement<TDocumentRoot>(nullptr);
    TElement_Chip* a = nullptr;
    TElement_Chip* b = nullptr;
    TElement_Chip* c = nullptr;
    std::vector<int> notes;

    void SetUp() override
    {
        TElement_Pick::Applied.clear();
        sheet->SetHost(&host);
        a = Add<TElement_Chip>(10, 10);
        b = Add<TElement_Chip>(10, 40);
        c = Add<TElement_Chip>(10, 70);
        sheet->SetDocument(document);
        sheet->AddNotifyEvent(BindNotify<&SheetTest::Heard>(this));
    }
    void TearDown() override
    {
        sheet.reset();
        delete document;
    }

    template <class T> T* Add(int left, int top)
    {
        T* element = TElement::NewElement<T>(nullptr);
        element->SetParent(document);
        element->SetBounds(left, top, 100, 20);
        return element;
    }
    void Heard(TItfObject*, int notify, intptr_t, intptr_t) { notes.push_back(notify); }
    int Count(int notify) const { return static_cast<int>(std::count(notes.begin(), notes.end(), notify)); }

    static TPointerEvent Press(int x, int y, TPointerButton button = pbLeft, int count = 1)
    {
        TPointerEvent e;
        e.Point = {x, y};
        e.Button = button;
        e.ClickCount = count;
        return e;
    }
    // Opens the list of `pick` the way a click does: focus, then the delayed action.
    void OpenByDelay(TElement_Pick* pick)
    {
        pick->Focus();
        sheet->DelayFocusAction(pick);
        ASSERT_TRUE(host.TimerRuns(TSheet::DelayTimerId));
        sheet->Timer(TSheet::DelayTimerId);
        ASSERT_TRUE(sheet->DropDownList());
    }
};

} // namespace

TEST_F(SheetTest, KeysGoToTheFocusedElementAndArrowsMoveTheFocus)
{
    b->Focus();
    ASSERT_EQ(sheet->GetFocused(), b);

    // Shift+Up goes to the element only.
    TKeyEvent shiftUp = TKeyEvent::Down(kcUp, ssShift);
    sheet->KeyDown(shiftUp);
    EXPECT_EQ(sheet->GetFocused(), b);
    EXPECT_EQ(b->Seen.back(), "KeyDown 38 shift 1");

    TKeyEvent down = TKeyEvent::Down(kcDown);
    sheet->KeyDown(down);
    EXPECT_EQ(sheet->GetFocused(), c);
    EXPECT_TRUE(down.Consumed());

    TKeyEvent up = TKeyEvent::Down(kcUp);
    sheet->KeyDown(up);
    EXPECT_EQ(sheet->GetFocused(), b);

    // An element that takes the arrow keeps the focus.
    b->TakeKeys = true;
    TKeyEvent left = TKeyEvent::Down(kcLeft);
    sheet->KeyDown(left);
    EXPECT_EQ(sheet->GetFocused(), b);
}

TEST_F(SheetTest, CharactersReachTheElementButControlCharactersOnlyAsKeys)
{
    a->Focus();
    const struct {
        Char Ch;
        bool Reaches;
    } cases[] = {{u'x', true}, {u' ', true}, {u'\t', true}, {u'\r', true}, {u'\b', false}, {0x1B, false}, {0x7F, true}};
    for (const auto& c : cases) {
        a->Seen.clear();
        TKeyEvent press = TKeyEvent::Press(c.Ch);
        sheet->KeyPress(press);
        EXPECT_EQ(!a->Seen.empty(), c.Reaches) << int(c.Ch);
    }
    a->Seen.clear();
    TKeyEvent back = TKeyEvent::Down(kcBack);
    sheet->KeyDown(back);
    EXPECT_EQ(a->Seen, std::vector<std::string> {"KeyDown 8 shift 0"});
}

TEST_F(SheetTest, PressesGoToTheElementUnderThePointerInItsCoordinates)
{
    sheet->MouseDown(Press(15, 45, pbLeft, 2));
    EXPECT_EQ(sheet->GetHover(), b);
    EXPECT_EQ(b->Seen.front(), "MouseDown 5,5 count 2");

    // A single press focuses and captures; the release goes to the pressed element
    // even outside it, and the cursor is the element's.
    sheet->MouseDown(Press(20, 15));
    EXPECT_EQ(sheet->GetFocused(), a);
    EXPECT_EQ(sheet->GetCapture(), a);
    EXPECT_EQ(sheet->Cursor(), crIBeam);
    TPointerEvent release = Press(20, 75);
    sheet->MouseUp(release);
    EXPECT_EQ(a->Seen.back(), "MouseUp 10,65");
    EXPECT_FALSE(sheet->GetCapture());

    sheet->MouseLeave();
    EXPECT_FALSE(sheet->GetHover());
    EXPECT_EQ(sheet->Cursor(), crDefault);
    EXPECT_GE(Count(shnHoverChanged), 2);
    EXPECT_GE(Count(shnCursorChanged), 2);
}

TEST_F(SheetTest, TheViewFollowsTheFocusOnlyAfterTheButtonIsReleased)
{
    // Three focus changes while the button is held: one scroll into view, after the release.
    sheet->MouseDown(Press(15, 15));
    b->Focus();
    c->Focus();
    ASSERT_TRUE(host.TimerRuns(TSheet::ShowTimerId));
    sheet->Timer(TSheet::ShowTimerId);
    sheet->Timer(TSheet::ShowTimerId);
    EXPECT_EQ(Count(shnShowFocused), 0);
    EXPECT_TRUE(host.TimerRuns(TSheet::ShowTimerId));
    sheet->MouseUp(Press(15, 75));
    sheet->Timer(TSheet::ShowTimerId);
    EXPECT_EQ(Count(shnShowFocused), 1);
    EXPECT_FALSE(host.TimerRuns(TSheet::ShowTimerId));
}

TEST_F(SheetTest, TheCaretOfTheFocusedElementIsReportedInSheetCoordinates)
{
    b->Caret = true;
    b->Focus();
    EXPECT_EQ(sheet->FocusKind(), fkCaret);
    EXPECT_EQ(sheet->FocusRect(), Rect(12, 41, 13, 51));
    EXPECT_GE(Count(shnCaretChanged), 1);
    a->Focus();
    EXPECT_EQ(sheet->FocusKind(), fkNone);
}

TEST_F(SheetTest, UpdatesRaiseTheirNotificationsOnceAtTheEndInOrder)
{
    sheet->BeginUpdate();
    b->Focus();
    a->SetBounds(10, 10, 300, 20);
    sheet->ShowFocused();
    EXPECT_TRUE(notes.empty());
    sheet->EndUpdate();
    const std::vector<int> expected {shnSizeChanged, shnFocusChanged, shnShowFocused, shnRepaint};
    EXPECT_EQ(notes, expected);
}

TEST_F(SheetTest, EnterAcceptsASelectableItemAndKeepsTheListOnAnUnselectableOne)
{
    auto* pick = Add<TElement_Pick>(10, 100);
    OpenByDelay(pick);
    EXPECT_EQ(Count(shnDropDownOpened), 1);

    TDropDownList* list = sheet->DropDownList();
    TDropDownItem* second = list->FirstItem()->NextItem();
    second->Selectable = false;
    list->SetSelected(second);
    EXPECT_EQ(Count(shnDropDownChanged), 1);
    TKeyEvent enter = TKeyEvent::Down(kcReturn);
    sheet->KeyDown(enter);
    EXPECT_TRUE(enter.Consumed());
    EXPECT_TRUE(sheet->DropDownList());

    second->Selectable = true;
    TKeyEvent again = TKeyEvent::Down(kcReturn);
    sheet->KeyDown(again);
    EXPECT_FALSE(sheet->DropDownList());
    EXPECT_EQ(TElement_Pick::Applied, std::vector<std::string> {"two"});
    EXPECT_EQ(Count(shnDropDownClosed), 1);
}

TEST_F(SheetTest, AListWhoseElementIsRemovedClosesWithoutChoosing)
{
    // The element goes (as an undo removes it) while its list is open.
    auto* pick = Add<TElement_Pick>(10, 100);
    OpenByDelay(pick);
    delete pick;
    EXPECT_FALSE(sheet->DropDownList());
    EXPECT_EQ(Count(shnDropDownClosed), 1);
    EXPECT_FALSE(sheet->GetFocused());
    TKeyEvent enter = TKeyEvent::Down(kcReturn);
    sheet->KeyDown(enter);
    EXPECT_TRUE(TElement_Pick::Applied.empty());

    // The same when an ancestor goes.
    auto* frame = Add<TDocumentRoot>(10, 200);
    auto* inner = TElement::NewElement<TElement_Pick>(nullptr);
    inner->SetParent(frame);
    inner->SetBounds(0, 0, 50, 20);
    OpenByDelay(inner);
    delete frame;
    EXPECT_FALSE(sheet->DropDownList());
    EXPECT_TRUE(TElement_Pick::Applied.empty());
}

TEST_F(SheetTest, AChoiceWhoseElementGoesWhileTheListClosesGoesNowhere)
{
    auto* pick = Add<TElement_Pick>(10, 100);
    OpenByDelay(pick);
    // A listener of the closing removes the element before the choice is applied.
    struct TRemover {
        TElement_Pick* Pick;
        void Heard(TItfObject*, int notify, intptr_t, intptr_t)
        {
            if (notify == shnDropDownClosed && Pick) {
                delete Pick;
                Pick = nullptr;
            }
        }
    } remover {pick};
    sheet->AddNotifyEvent(BindNotify<&TRemover::Heard>(&remover));
    sheet->CloseDropDown(true);
    sheet->RemoveNotifyEvent(BindNotify<&TRemover::Heard>(&remover));
    EXPECT_FALSE(remover.Pick);
    EXPECT_TRUE(TElement_Pick::Applied.empty());
}

TEST_F(SheetTest, ADelayedActionOfARemovedElementNeverRuns)
{
    auto* pick = Add<TElement_Pick>(10, 100);
    pick->Focus();
    sheet->DelayFocusAction(pick);
    delete pick;
    EXPECT_FALSE(sheet->DelayedElement());
    EXPECT_FALSE(host.TimerRuns(TSheet::DelayTimerId));
    sheet->Timer(TSheet::DelayTimerId); // a tick already queued
    EXPECT_FALSE(sheet->DropDownList());
}

TEST_F(SheetTest, ASheetThatGoesStopsItsTimersAndTellsNobody)
{
    auto* pick = Add<TElement_Pick>(10, 100);
    OpenByDelay(pick);
    sheet->DelayFocusAction(pick);
    ASSERT_TRUE(host.TimerRuns(TSheet::ShowTimerId));
    notes.clear();
    sheet.reset();
    EXPECT_TRUE(host.Timers.empty());
    EXPECT_TRUE(notes.empty());
    // The document outlives the sheet and no longer points at it.
    EXPECT_FALSE(document->Sheet());
    EXPECT_FALSE(pick->Sheet());
}

TEST_F(SheetTest, EscapeClosesTheListAndCancelsThePress)
{
    auto* pick = Add<TElement_Pick>(10, 100);
    OpenByDelay(pick);
    TKeyEvent escape = TKeyEvent::Down(kcEscape);
    sheet->KeyDown(escape);
    EXPECT_TRUE(escape.Consumed());
    EXPECT_FALSE(sheet->DropDownList());
    EXPECT_TRUE(TElement_Pick::Applied.empty());

    sheet->MouseDown(Press(15, 15));
    ASSERT_EQ(sheet->GetCapture(), a);
    sheet->CancelMode();
    EXPECT_FALSE(sheet->GetCapture());
}

TEST_F(SheetTest, PaintDrawsTheTreeTheFocusAndTheCaret)
{
    b->Focus();
    canvas->Calls.clear();
    sheet->Paint(nullptr, Rect(0, 0, 200, 200), 0);
    const std::vector<std::string>& calls = canvas->Calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "Rectangle 10,40 100x20"), calls.end());
    // The caret overlay is drawn at the focused element's place, last.
    EXPECT_EQ(calls.back(), "FocusRect 10,40 1x1");
    canvas->Calls.clear();
    sheet->Paint(nullptr, Rect(0, 0, 200, 200), spfNoCaret);
    EXPECT_NE(calls.back(), "FocusRect 10,40 1x1");
    canvas->Calls.clear();
    sheet->Paint(nullptr, TRect {}, 0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(SheetTest, TheViewStateComesBackFromTheSession)
{
    c->Focus();
    sheet->SetScrollPos({3, 250});
    TKnot knot(u"Sheet");
    sheet->SaveFocusData(knot);
    EXPECT_EQ(knot.ReadInteger(u"FocusedElement", -1), 3);
    EXPECT_EQ(knot.ReadString(u"FocusedElementType"), u"TElement_Chip");
    EXPECT_EQ(knot.ReadString(u"FocusData"), u"7,8");

    a->Focus();
    sheet->SetScrollPos({0, 0});
    sheet->LoadFocusData(knot);
    EXPECT_EQ(sheet->GetFocused(), c);
    EXPECT_EQ(c->LoadedFocusData, u"7,8");
    EXPECT_EQ(sheet->ScrollPos(), (TPoint {3, 250}));

    // Another class at that place, or a place out of range: the focus stays, the scroll
    // position is still restored.
    for (const auto& [index, type] : {std::pair {3, u"TElement_Pick"}, std::pair {99, u"TElement_Chip"}}) {
        a->Focus();
        sheet->SetScrollPos({0, 0});
        TKnot other(u"Sheet");
        other.WriteInteger(u"FocusedElement", index);
        other.WriteString(u"FocusedElementType", type);
        other.WriteInteger(u"ScreenPosY", 40);
        sheet->LoadFocusData(other);
        EXPECT_EQ(sheet->GetFocused(), a);
        EXPECT_EQ(sheet->ScrollPos(), (TPoint {0, 40}));
    }
}

TEST_F(SheetTest, TheViewSizeIsWhatTheRootIsOffered)
{
    sheet->SetViewSize({640, 480});
    int width = 0, height = 0;
    sheet->GetRoot()->GetAvailableSize(document, width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_EQ(sheet->GetWidth(), 110);
    EXPECT_EQ(sheet->GetHeight(), 90);
}

} // namespace quillora::sheettest
