#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "elements/EditCommands.h"
#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/MessagesSign.h"
#include "elements/Scheme.h"
#include "elements/VisualElement.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"
#include "support/ElementFakes.h"
#include "support/FakeViewHost.h"

namespace quillora {
namespace {

using testing::TFakeSheet;
using testing::TRecordingCanvas;

// A visual element whose options, value and hooks the tests control and watch.
class TElement_Box : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Box, TVisualElement)

    std::vector<std::string> Hooks;
    bool Value = false;
    bool ShowChildren = true;
    TRect Transparent;

    void SetOptions(TVisualOptions o) { SetVisualOptions(o); }
    void SetValueFlag() { SetFlags(Flags() | efValue); }
    void AddFlags(TElementFlags f) { SetFlags(Flags() | f); }
    void SetValue(bool v)
    {
        Value = v;
        Recheck();
    }

    bool HasValue() override { return Value; }
    bool IsChildVisible(TVisualElement*) override { return ShowChildren; }
    void BoundsChanged(const TRect&, int) override { Hooks.push_back("BoundsChanged"); }
    void PositionChanged() override
    {
        Hooks.push_back("PositionChanged");
        TVisualElement::PositionChanged();
    }
    void ChildBoundsChanged(TVisualElement*, const TRect&, int) override { Hooks.push_back("ChildBoundsChanged"); }
    void Click() override { Hooks.push_back("Click"); }
    bool Copyable = false;
    bool Pastes = false;
    bool CanCopy() override { return Copyable; }
    bool CanDelete() override { return Copyable; }
    void Copy() override { Hooks.push_back("Copy"); }
    void Delete() override { Hooks.push_back("Delete"); }
    void SelectAll() override { Hooks.push_back("SelectAll"); }
    bool Paste() override
    {
        Hooks.push_back("Paste busy=" + std::to_string(BusyCount()));
        return Pastes;
    }
    void DblClick() override { Hooks.push_back("DblClick"); }
    void Paint(TSheetCanvas& canvas, int) override { canvas.DrawThemeImage(steField, {0, 0}); }
    void GetMouseTransparent(TRect& r) override { r = Transparent; }
    // "MouseDown 5,5" and, when any, the modifiers, the count and the time.
    void MouseDown(const TPointerEvent& e) override
    {
        std::string hook = "MouseDown " + std::to_string(e.Point.X) + "," + std::to_string(e.Point.Y);
        if (e.Shift) hook += " shift " + std::to_string(e.Shift);
        if (e.ClickCount != 1) hook += " count " + std::to_string(e.ClickCount);
        if (e.Time) hook += " at " + std::to_string(e.Time);
        Hooks.push_back(hook);
        TVisualElement::MouseDown(e);
    }
};

// A sheet whose root holds boxes.
class VisualElementTest : public ::testing::Test {
protected:
    TScheme scheme; // declared first: it outlives the elements of the sheet
    TFakeSheet sheet;

    TElement_Box* Add(TVisualElement* parent, TRect bounds, TVisualOptions options = 0)
    {
        auto* box = TElement::NewElement<TElement_Box>(&scheme);
        box->SetParent(parent);
        box->SetOptions(options);
        box->SetVisualParent(parent, nullptr);
        box->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        box->Hooks.clear();
        return box;
    }
    TElement_Box* Add(TRect bounds, TVisualOptions options = 0) { return Add(sheet.Root(), bounds, options); }
};

TEST_F(VisualElementTest, CreateSetsVisibleAndDescent)
{
    std::unique_ptr<TVisualElement> e(TElement::NewElement<TVisualElement>(nullptr));
    EXPECT_EQ(e->VisualState(), vsVisible);
    EXPECT_EQ(e->Descent(), 3);
    EXPECT_EQ(e->Sheet(), nullptr);
}

TEST_F(VisualElementTest, SetBoundsUnchangedCallsNoHook)
{
    TElement_Box* parent = Add(Bounds(0, 0, 200, 200));
    TElement_Box* box = Add(parent, Bounds(10, 20, 30, 40));
    parent->Hooks.clear();
    sheet.Invalidated.clear();

    EXPECT_FALSE(box->SetBounds(10, 20, 30, 40));
    EXPECT_TRUE(box->Hooks.empty());
    EXPECT_TRUE(parent->Hooks.empty());
    EXPECT_EQ(sheet.Invalidated, std::vector<std::string>{"10,20 30x40"});

    sheet.Invalidated.clear();
    EXPECT_TRUE(box->SetBounds(10, 20, 50, 40));
    EXPECT_EQ(box->Hooks, std::vector<std::string>{"BoundsChanged"}); // size only: no PositionChanged
    EXPECT_EQ(parent->Hooks, std::vector<std::string>{"ChildBoundsChanged"});
    EXPECT_EQ(sheet.Invalidated, (std::vector<std::string>{"10,20 30x40", "10,20 50x40"}));
}

TEST_F(VisualElementTest, MovingAnElementMovesItsVisualChildren)
{
    TElement_Box* parent = Add(Bounds(0, 0, 200, 200));
    TElement_Box* child = Add(parent, Bounds(10, 10, 5, 5));
    parent->SetBounds(5, 0, 200, 200);
    EXPECT_EQ(child->Hooks, std::vector<std::string>{"PositionChanged"});
}

TEST_F(VisualElementTest, CoordinatesUpToTheSheet)
{
    TElement_Box* parent = Add(Bounds(100, 50, 200, 200));
    TElement_Box* child = Add(parent, Bounds(10, 20, 5, 5));
    EXPECT_EQ(child->ToSheet(TPoint{0, 0}), (TPoint{110, 70}));
    EXPECT_EQ(child->FromSheet(TPoint{110, 70}), (TPoint{0, 0}));
    EXPECT_EQ(child->GetBoundsRect(), Bounds(10, 20, 5, 5));
    EXPECT_EQ(child->GetLocalRect(), Bounds(0, 0, 5, 5));
}

TEST_F(VisualElementTest, RootSizeChangeTellsTheSheet)
{
    sheet.Log.clear();
    sheet.Root()->SetBounds(0, 0, 300, 300);
    EXPECT_EQ(sheet.Log, std::vector<std::string>{"SizeChanged"});
}

TEST_F(VisualElementTest, InvalidationDuringUpdateAsksForEverything)
{
    TElement_Box* box = Add(Bounds(10, 10, 20, 20));
    sheet.Invalidated.clear();
    sheet.BeginUpdate();
    box->Invalidate();
    sheet.EndUpdate();
    EXPECT_EQ(sheet.Invalidated, std::vector<std::string>{"all"});
}

TEST_F(VisualElementTest, InvalidationIsClippedByAncestorsAndSkippedWhenHidden)
{
    TElement_Box* parent = Add(Bounds(100, 100, 50, 50));
    TElement_Box* child = Add(parent, Bounds(40, 40, 20, 20)); // sticks out of the parent
    sheet.Invalidated.clear();
    child->Invalidate();
    EXPECT_EQ(sheet.Invalidated, std::vector<std::string>{"140,140 10x10"});

    sheet.Invalidated.clear();
    parent->SetOptions(voAutoHide); // no value, no focus: hidden
    ASSERT_FALSE(child->IsVisible());
    sheet.Invalidated.clear();
    child->Invalidate();
    EXPECT_TRUE(sheet.Invalidated.empty());
}

TEST_F(VisualElementTest, VisualTreeLinksGiveAndTakeTheSheet)
{
    TElement_Box* a = Add(Bounds(0, 0, 10, 10));
    TElement_Box* b = Add(Bounds(0, 0, 10, 10));
    EXPECT_EQ(sheet.Root()->FirstVisual(), a);
    EXPECT_EQ(a->NextVisual(), b);
    EXPECT_EQ(b->Sheet(), &sheet);

    b->SetVisualParent(sheet.Root(), a); // move in front
    EXPECT_EQ(sheet.Root()->FirstVisual(), b);
    EXPECT_EQ(sheet.Root()->LastVisual(), a);

    b->Focus();
    ASSERT_EQ(sheet.GetFocused(), b);
    b->SetVisualParent(nullptr, nullptr);
    EXPECT_EQ(b->Sheet(), nullptr);
    EXPECT_EQ(sheet.GetFocused(), nullptr); // the sheet forgot it
    EXPECT_EQ(sheet.Root()->FirstVisual(), a);
    EXPECT_EQ(a->PrevVisual(), nullptr);
    EXPECT_TRUE(sheet.Root()->IsVisualAncestorOf(a));
    EXPECT_FALSE(sheet.Root()->IsVisualAncestorOf(b));
}

TEST_F(VisualElementTest, DestroyingUnlinksFromBothTrees)
{
    TElement_Box* parent = Add(Bounds(0, 0, 50, 50), voFocusable);
    TElement_Box* child = Add(parent, Bounds(0, 0, 5, 5), voFocusable);
    child->Focus();
    delete parent;
    EXPECT_EQ(sheet.Root()->FirstVisual(), nullptr);
    EXPECT_EQ(sheet.Root()->FirstChild(), nullptr);
    EXPECT_EQ(sheet.GetFocused(), nullptr);
}

// ---- state propagation ----

TEST_F(VisualElementTest, DisabledPropagatesAndOneOverlayIsDrawn)
{
    TElement_Box* container = Add(Bounds(10, 10, 100, 100));
    TElement_Box* child = Add(container, Bounds(5, 5, 20, 20));
    TElement_Box* grandchild = Add(child, Bounds(1, 1, 5, 5));
    child->SetDisabled(true);
    container->SetDisabled(true);
    EXPECT_TRUE(grandchild->IsEffectivelyDisabled());
    EXPECT_FALSE(grandchild->IsCheckable());

    TRecordingCanvas canvas;
    sheet.Root()->PaintAll(canvas, 0);
    std::vector<std::string> expected{"Image 16 10,10 0x0", "Image 16 15,15 0x0", "Image 16 16,16 0x0",
                                      "FillDisabled 10,10 100x100"};
    EXPECT_EQ(canvas.Calls, expected);
    EXPECT_EQ(canvas.Origin, (TPoint{0, 0}));

    container->SetDisabled(false);
    EXPECT_TRUE(child->IsEffectivelyDisabled());
    EXPECT_TRUE(grandchild->IsEffectivelyDisabled());
    child->SetDisabled(false);
    EXPECT_FALSE(grandchild->IsEffectivelyDisabled());
}

TEST_F(VisualElementTest, SelectionPropagatesAndBatchesReportOnce)
{
    TElement_Box* list = Add(Bounds(0, 0, 100, 100), voMultiSelect | voFocusable);
    TElement_Box* a = Add(list, Bounds(0, 0, 10, 10));
    TElement_Box* inner = Add(a, Bounds(0, 0, 5, 5));
    list->Focus();
    sheet.Log.clear();

    list->BeginSelectionBatch();
    a->SetSelected(true);
    EXPECT_TRUE(inner->HasVisualState(vsInSelection));
    EXPECT_TRUE(sheet.Log.empty());
    list->EndSelectionBatch();
    EXPECT_EQ(sheet.Log, std::vector<std::string>{"ReportSelection"});

    a->SetSelected(false);
    EXPECT_FALSE(inner->HasVisualState(vsInSelection));
}

TEST_F(VisualElementTest, HidingTheFocusedOrHoveredElementClearsTheSheet)
{
    TElement_Box* container = Add(Bounds(0, 0, 100, 100));
    TElement_Box* field = Add(container, Bounds(0, 0, 10, 10), voFocusable);
    field->Focus();
    sheet.SetHover(field);
    sheet.DropDownOwner = field;
    ASSERT_EQ(sheet.GetFocused(), field);

    container->ShowChildren = false; // like a collapsed frame
    container->PropagateVisible();
    EXPECT_FALSE(field->IsVisible());
    EXPECT_EQ(sheet.GetFocused(), nullptr);
    EXPECT_EQ(sheet.GetHover(), nullptr);
    EXPECT_EQ(sheet.DropDownOwner, nullptr);
}

TEST_F(VisualElementTest, AutoHideShowsWhileFocusedOrHoldingAValue)
{
    TElement_Box* panel = Add(Bounds(0, 0, 100, 100), voAutoHide | voFocusable);
    TElement_Box* other = Add(Bounds(0, 200, 10, 10), voFocusable);
    TElement_Box* field = Add(panel, Bounds(0, 0, 10, 10), voFocusable);
    field->SetValueFlag();
    EXPECT_FALSE(panel->IsVisible());
    EXPECT_TRUE(field->HasVisualState(vsInAutoHide));

    sheet.SetFocused(panel); // the sheet keeps it shown while giving it the focus
    EXPECT_EQ(sheet.GetFocused(), panel);
    EXPECT_TRUE(panel->IsVisible());
    EXPECT_FALSE(panel->HasVisualState(vsKeepVisible));

    sheet.SetFocused(field); // a focused descendant keeps it shown
    EXPECT_TRUE(panel->IsVisible());

    sheet.SetFocused(other);
    EXPECT_FALSE(panel->IsVisible());

    field->SetValue(true); // a value below shows it
    EXPECT_TRUE(panel->IsVisible());
    field->SetValue(false);
    EXPECT_FALSE(panel->IsVisible());

    panel->SetOptions(voFocusable); // no longer auto-hide
    EXPECT_TRUE(panel->IsVisible());
    EXPECT_FALSE(field->HasVisualState(vsInAutoHide));
}

// ---- painting ----

TEST_F(VisualElementTest, PaintSkipsInvisibleAndClippedChildrenAndDrawsOverlays)
{
    TElement_Box* a = Add(Bounds(0, 0, 10, 10));
    TElement_Box* b = Add(Bounds(50, 0, 10, 10));
    TElement_Box* c = Add(Bounds(0, 50, 10, 10));
    TElement_Box* d = Add(Bounds(20, 0, 10, 10));
    c->SetOptions(voAutoHide); // hidden
    b->SetMarked(true);
    b->SetExternalEditing(true);
    (void)a;
    (void)d;

    TRecordingCanvas canvas(Rect(0, 0, 30, 100)); // b lies outside: skipped with its overlays
    sheet.Root()->PaintAll(canvas, 0);
    EXPECT_EQ(canvas.Calls, (std::vector<std::string>{"Image 16 0,0 0x0", "Image 16 20,0 0x0"}));

    TRecordingCanvas all;
    sheet.Root()->PaintAll(all, 0);
    EXPECT_NE(std::find(all.Calls.begin(), all.Calls.end(), "Frame 37 50,0 10x10"), all.Calls.end());
    EXPECT_NE(std::find(all.Calls.begin(), all.Calls.end(), "Frame 36 50,0 10x10"), all.Calls.end());

    TRecordingCanvas noMark;
    sheet.Root()->PaintAll(noMark, pfNoMark);
    EXPECT_EQ(std::find(noMark.Calls.begin(), noMark.Calls.end(), "Frame 36 50,0 10x10"), noMark.Calls.end());
}

// ---- hit testing ----

TEST_F(VisualElementTest, HitTestRules)
{
    TElement_Box* panel = Add(Bounds(0, 0, 100, 100));
    TElement_Box* under = Add(panel, Bounds(10, 10, 50, 50));
    TElement_Box* over = Add(panel, Bounds(30, 30, 50, 50));
    TElement_Box* deep = Add(over, Bounds(0, 0, 10, 10));

    struct Case {
        TPoint Point;
        int Flags;
        TVisualElement* Expected;
    };
    const Case cases[] = {
        {{35, 35}, hfSelf | hfChildren, over},                    // topmost child first
        {{15, 15}, hfSelf | hfChildren, under},
        {{35, 35}, hfSelf | hfChildren | hfDescendants, deep},     // all descendants
        {{95, 5}, hfSelf | hfChildren, panel},                     // no child there
        {{95, 5}, hfChildren, nullptr},                            // the element itself excluded
        {{150, 5}, hfSelf | hfChildren, nullptr},                  // outside
    };
    for (const Case& c : cases)
        EXPECT_EQ(panel->HitTest(c.Point, c.Flags), c.Expected) << c.Point.X << "," << c.Point.Y << " " << c.Flags;

    over->Transparent = Rect(5, 5, 0, 0); // a band on the left and top
    EXPECT_EQ(panel->HitTest({32, 32}, hfSelf | hfChildren), under);
    EXPECT_EQ(panel->HitTest({40, 40}, hfSelf | hfChildren), over);

    over->SetSelected(true);
    EXPECT_EQ(panel->HitTest({70, 70}, hfSelf | hfChildren), panel);
    EXPECT_EQ(panel->HitTest({70, 70}, hfSelf | hfChildren | hfInSelection), over);
    over->SetSelected(false);

    over->SetOptions(voPassive);
    EXPECT_EQ(panel->HitTest({70, 70}, hfSelf | hfChildren), panel);
    EXPECT_EQ(panel->HitTest({70, 70}, hfSelf | hfChildren | hfPassive), over);
}

// ---- mouse ----

TEST_F(VisualElementTest, PressFocusesCapturesAndClicksOnRelease)
{
    TElement_Box* panel = Add(Bounds(0, 0, 100, 100));
    TElement_Box* button = Add(panel, Bounds(10, 10, 20, 20), voPressable | voFocusable);
    panel->Hooks.clear();

    const TPointerEvent left{.Point = {5, 5}, .Button = pbLeft};
    button->MouseDown(left);
    EXPECT_EQ(sheet.GetFocused(), button);
    EXPECT_EQ(sheet.GetCapture(), button);
    button->MouseUp(left);
    EXPECT_EQ(sheet.GetCapture(), nullptr);
    EXPECT_EQ(button->Hooks, (std::vector<std::string>{"MouseDown 5,5", "Click"}));

    button->Hooks.clear();
    button->MouseDown(left);
    button->MouseUp(left.At({50, 5})); // released outside: no click
    button->MouseUp(left);             // no press any more: no click either
    EXPECT_EQ(button->Hooks, std::vector<std::string>{"MouseDown 5,5"});
    EXPECT_EQ(panel->Hooks, std::vector<std::string>{}) << "presses of a pressable element stay with it";
}

TEST_F(VisualElementTest, OnlyTheSecondLeftPressOfASeriesIsADoubleClick)
{
    TElement_Box* panel = Add(Bounds(0, 0, 100, 100));
    TElement_Box* button = Add(panel, Bounds(10, 10, 20, 20), voPressable | voFocusable);
    panel->Hooks.clear();
    struct Case {
        TPointerButton Button;
        int Count;
        std::vector<std::string> ButtonHooks;
        std::vector<std::string> PanelHooks;
        bool Pressed;
    };
    const Case cases[] = {
        // The second press double-clicks and nothing else: no new press.
        {pbLeft, 2, {"MouseDown 5,5 count 2", "DblClick"}, {}, false},
        // The third and fourth press of a series are plain presses here.
        {pbLeft, 3, {"MouseDown 5,5 count 3"}, {}, true},
        {pbLeft, 4, {"MouseDown 5,5 count 4"}, {}, true},
        // Other buttons go to the visual parent, also as a series.
        {pbRight, 2, {"MouseDown 5,5 count 2"}, {"MouseDown 15,15 count 2"}, false},
        {pbMiddle, 1, {"MouseDown 5,5"}, {"MouseDown 15,15"}, false},
    };
    for (const Case& c : cases) {
        button->Hooks.clear();
        panel->Hooks.clear();
        button->MouseDown(TPointerEvent{.Point = {5, 5}, .Button = c.Button, .ClickCount = c.Count});
        EXPECT_EQ(button->Hooks, c.ButtonHooks) << c.Button << " " << c.Count;
        EXPECT_EQ(panel->Hooks, c.PanelHooks) << c.Button << " " << c.Count;
        EXPECT_EQ(sheet.GetCapture() == button, c.Pressed) << c.Button << " " << c.Count;
        button->SetPressed(false);
    }
}

TEST_F(VisualElementTest, APressPassedToTheParentKeepsItsModifiersCountAndTime)
{
    TElement_Box* panel = Add(Bounds(0, 0, 100, 100));
    TElement_Box* inner = Add(panel, Bounds(10, 10, 50, 50));
    TElement_Box* box = Add(inner, Bounds(5, 5, 20, 20));
    panel->Hooks.clear();
    inner->Hooks.clear();
    box->MouseDown(TPointerEvent{.Point = {1, 2}, .Button = pbLeft, .Shift = ssCtrl | ssShift | ssLeft,
                                 .ClickCount = 3, .Time = 777});
    const std::string shift = std::to_string(ssCtrl | ssShift | ssLeft);
    EXPECT_EQ(box->Hooks, std::vector<std::string>{"MouseDown 1,2 shift " + shift + " count 3 at 777"});
    EXPECT_EQ(inner->Hooks, std::vector<std::string>{"MouseDown 6,7 shift " + shift + " count 3 at 777"});
    EXPECT_EQ(panel->Hooks, std::vector<std::string>{"MouseDown 16,17 shift " + shift + " count 3 at 777"});
}

TEST_F(VisualElementTest, TheDefaultContextMenuIsNoneAndAsksTheHostForNothing)
{
    TElement_Box* box = Add(Bounds(0, 0, 100, 100));
    testing::TFakeViewHost host;
    EXPECT_FALSE(box->ContextPopup(host, {1010, 510}));
    EXPECT_TRUE(host.Log.empty());
}

// ---- keyboard navigation ----

class NavigationTest : public VisualElementTest {
protected:
    // doc: [a] [group: [b] [hidden: [c]] [d (disabled)]] [e]
    TElement_Box *doc, *a, *group, *b, *hidden, *c, *d, *e;

    void SetUp() override
    {
        doc = Add(Bounds(0, 0, 500, 500));
        a = Add(doc, Bounds(0, 0, 10, 10), voFocusable);
        group = Add(doc, Bounds(0, 20, 100, 100));
        b = Add(group, Bounds(0, 0, 10, 10), voFocusable);
        hidden = Add(group, Bounds(0, 20, 10, 10));
        c = Add(hidden, Bounds(0, 0, 5, 5), voFocusable);
        d = Add(group, Bounds(0, 40, 10, 10), voFocusable);
        e = Add(doc, Bounds(0, 200, 10, 10), voFocusable);
        hidden->SetOptions(voAutoHide);
        d->SetDisabled(true);
    }

    std::string Walk(TVisualElement* start, bool forward, bool onlyVisible, bool skipDisabled)
    {
        std::string order;
        TVisualElement* from = nullptr;
        for (TVisualElement* x = start; (x = x->FindNextFocusable(false, forward, onlyVisible, skipDisabled, from));)
            order += Name(x);
        return order;
    }
    std::string Name(TVisualElement* x)
    {
        const TVisualElement* all[] = {a, group, b, hidden, c, d, e};
        const char* names[] = {"a", "g", "b", "h", "c", "d", "e"};
        for (int i = 0; i < 7; ++i)
            if (all[i] == x) return names[i];
        return "?";
    }
};

TEST_F(NavigationTest, NextFocusableOrder)
{
    struct Case {
        bool Forward, OnlyVisible, SkipDisabled;
        const char* FromA;
        const char* FromE;
    };
    const Case cases[] = {
        {true, false, false, "bcde", ""},
        {true, true, false, "bde", ""},
        {true, true, true, "be", ""},
        {false, false, false, "", "dcba"},
        {false, true, true, "", "ba"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(Walk(a, k.Forward, k.OnlyVisible, k.SkipDisabled), k.FromA) << k.Forward << k.OnlyVisible;
        EXPECT_EQ(Walk(e, k.Forward, k.OnlyVisible, k.SkipDisabled), k.FromE) << k.Forward << k.OnlyVisible;
    }
}

TEST_F(NavigationTest, FocusableParentIsTheResultAndFromNamesTheWayOut)
{
    group->SetOptions(voFocusable); // like a text element around embedded elements
    TVisualElement* from = nullptr;
    EXPECT_EQ(c->FindNextFocusable(true, true, false, false, from), group);
    EXPECT_EQ(from, hidden); // the ancestor of c whose focus parent is the result

    from = nullptr;
    EXPECT_EQ(group->FindNextFocusable(true, true, false, false, from), e);
    EXPECT_EQ(from, nullptr); // e is not a focus ancestor

    EXPECT_EQ(doc->GetFocusParent(), nullptr); // the sheet's root ends the chain
    EXPECT_EQ(a->GetFocusParent(), doc);
    EXPECT_TRUE(group->IsFocusAncestorOf(c));
}

TEST_F(NavigationTest, FocusFirstAndFindNextStayInsideTheSearchRoot)
{
    group->FocusFirst();
    EXPECT_EQ(sheet.GetFocused(), b);

    TVisualElement *next = nullptr, *from = nullptr;
    b->FindNextDefault(true, group, false, false, next, from);
    EXPECT_EQ(next, c);
    d->FindNextDefault(true, group, false, false, next, from);
    EXPECT_EQ(next, nullptr); // e lies outside the group
    d->FindNextDefault(true, nullptr, false, false, next, from);
    EXPECT_EQ(next, e);
}

// ---- edit commands, palette, reports ----

TEST_F(VisualElementTest, PasteNeedsEditableAndWritable)
{
    TElement_Box* box = Add(Bounds(0, 0, 10, 10), voEditable);
    EXPECT_TRUE(box->CanPaste());
    EXPECT_FALSE(box->CanCopy());
    EXPECT_FALSE(box->CanDelete());
    EXPECT_FALSE(box->Paste());
    sheet.ReadOnly = true;
    EXPECT_FALSE(box->CanPaste());
    sheet.ReadOnly = false;
    scheme.SetReadOnly(true);
    EXPECT_FALSE(box->CanPaste());
    scheme.SetReadOnly(false);
    box->SetOptions(voEditable | voReadOnly);
    EXPECT_FALSE(box->CanPaste());
}

TEST_F(VisualElementTest, EditCommandsFollowTheElement)
{
    struct TCountingBeeper : TBeeper {
        int Beeps = 0;
        void Beep() override { ++Beeps; }
    } beeper;
    TProvide<TBeeper> provideBeeper(beeper);
    TElement_Box* box = Add(Bounds(0, 0, 10, 10), voEditable);

    const TEditCommand all[] = {ecCut, ecCopy, ecCopyText, ecPaste, ecDelete, ecSelectAll};
    std::string enabled;
    for (TEditCommand c : all) enabled += IsEditCommandEnabled(*box, c) ? '1' : '0';
    EXPECT_EQ(enabled, "000100");
    box->Copyable = true;
    box->SetOptions(voSelectAll);
    enabled.clear();
    for (TEditCommand c : all) enabled += IsEditCommandEnabled(*box, c) ? '1' : '0';
    EXPECT_EQ(enabled, "110011");

    ExecuteEditCommand(*box, ecCut);
    ExecuteEditCommand(*box, ecSelectAll);
    ExecuteEditCommand(*box, ecPaste); // fails: beeps
    box->Pastes = true;
    ExecuteEditCommand(*box, ecPaste);
    EXPECT_EQ(box->Hooks, (std::vector<std::string>{"Copy", "Delete", "SelectAll", "Paste busy=1", "Paste busy=1"}));
    EXPECT_EQ(beeper.Beeps, 1);
    EXPECT_EQ(BusyCount(), 0);
}

TEST_F(VisualElementTest, DisablingTheFocusedElementReportsItsState)
{
    TElement_Box* box = Add(Bounds(0, 0, 10, 10), voFocusable | voCanDisable);
    TElement_Box* other = Add(Bounds(0, 20, 10, 10), voCanDisable);
    box->Focus();
    sheet.Log.clear();
    other->SetDisabled(true);
    EXPECT_TRUE(sheet.Log.empty());
    box->SetDisabled(true);
    EXPECT_EQ(sheet.Log, std::vector<std::string>{"ReportFocusedState"});
    sheet.Log.clear();
    box->SetDisabled(true); // unchanged
    box->SetOptions(voFocusable | voCanDisable | voReadOnly);
    EXPECT_EQ(sheet.Log, std::vector<std::string>{"ReportFocusedState"});
}

// ---- messages sign ----

TEST_F(VisualElementTest, FaultyValueElementGetsAPlacedSign)
{
    TElement_Box* doc = Add(Bounds(0, 0, 500, 500));
    TElement_Box* top = Add(doc, Bounds(10, 0, 30, 10));
    TElement_Box* field = Add(doc, Bounds(20, 40, 30, 10));
    for (TElement_Box* e : {top, field}) e->AddFlags(efValue | efValueRequired);

    TMessagesSignElement* sign = field->MessagesSign();
    ASSERT_NE(sign, nullptr);
    EXPECT_EQ(sign->Target(), field);
    EXPECT_EQ(sign->ParentElement(), sheet.Root()); // a part of the sheet's root
    EXPECT_EQ(sign->VisualParent(), sheet.Root());
    // Raised by half its height (12) and one pixel, in the root's coordinates.
    EXPECT_EQ(sign->GetBoundsRect(), Bounds(20, 33, 16, 12));
    // Never higher than minus a quarter of its height.
    EXPECT_EQ(top->MessagesSign()->GetBoundsRect(), Bounds(10, -3, 16, 12));

    doc->SetBounds(5, 100, 500, 500); // moving an ancestor moves the sign
    EXPECT_EQ(sign->GetBoundsRect(), Bounds(25, 133, 16, 12));

    field->SetValue(true); // no fault: no sign
    EXPECT_EQ(field->MessagesSign(), nullptr);
    field->SetValue(false);
    ASSERT_NE(field->MessagesSign(), nullptr);

    field->SetDisabled(true); // not checked while disabled: the message and the sign go
    EXPECT_EQ(field->Messages(), nullptr);
    EXPECT_EQ(field->MessagesSign(), nullptr);
    field->SetDisabled(false);
    EXPECT_NE(field->MessagesSign(), nullptr);

    field->SetVisualParent(nullptr, nullptr); // out of the sheet: the sign is freed
    EXPECT_EQ(field->MessagesSign(), nullptr);
    delete field;
}

// ---- palette ----

struct TTestPaletteItemHolder {
    TTestPaletteItemHolder() { SetDisablePaletteItem(Item()); }
    ~TTestPaletteItemHolder() { SetDisablePaletteItem(nullptr); }
    static TPaletteItem* Item() { return reinterpret_cast<TPaletteItem*>(0x10); } // identity only
};

TEST_F(VisualElementTest, DisableItemIsOfferedAndExecuted)
{
    TTestPaletteItemHolder disable;
    TElement_Box* plain = Add(Bounds(0, 0, 10, 10));
    TElement_Box* box = Add(Bounds(0, 20, 10, 10), voCanDisable);
    TPaletteItemList items;
    plain->GetPaletteItems(items);
    EXPECT_TRUE(items.empty());
    box->GetPaletteItems(items);
    EXPECT_EQ(items, TPaletteItemList{TTestPaletteItemHolder::Item()});

    TPaletteItemState state;
    box->GetPaletteItemState(TTestPaletteItemHolder::Item(), state);
    EXPECT_TRUE(state.Enabled);
    EXPECT_FALSE(state.Checked);

    EXPECT_TRUE(box->ExecutePaletteItem(box, TTestPaletteItemHolder::Item(), true));
    EXPECT_TRUE(box->HasVisualState(vsDisabled));
    box->GetPaletteItemState(TTestPaletteItemHolder::Item(), state);
    EXPECT_TRUE(state.Checked);
    EXPECT_FALSE(plain->ExecutePaletteItem(plain, TTestPaletteItemHolder::Item(), true));
    EXPECT_FALSE(plain->HasVisualState(vsDisabled));

    TUndoRedo undo; // through the scheme's undo engine
    scheme.SetUndoRedo(&undo);
    EXPECT_TRUE(box->ExecutePaletteItem(box, TTestPaletteItemHolder::Item(), false));
    EXPECT_FALSE(box->HasVisualState(vsDisabled));
    undo.Undo();
    EXPECT_TRUE(box->HasVisualState(vsDisabled));
    undo.Redo();
    EXPECT_FALSE(box->HasVisualState(vsDisabled));
    scheme.SetUndoRedo(nullptr);
}

// ---- persistence of the visual items ----

TEST_F(VisualElementTest, DisabledAndPositionAreStored)
{
    TElement_Box* box = Add(Bounds(7, 9, 10, 10), voCanDisable | voStorePosition);
    struct Case {
        bool Disabled;
        int Options;
        const char16_t* Expected;
    };
    const Case cases[] = {
        {false, 0, u"Left=\"7\" Top=\"9\""},
        {true, 0, u"Disabled=\"1\" Left=\"7\" Top=\"9\""},
        {true, soNoPositions, u"Disabled=\"1\""},
    };
    for (const Case& c : cases) {
        box->SetDisabled(c.Disabled);
        TKnot knot(u"Box");
        box->SaveTo(&knot, smDocument, c.Options);
        String params;
        for (int i = 0; i < knot.ParamCount(); ++i)
            params += (i ? u" " : u"") + knot.ParamAt(i)->Name() + u"=\"" + knot.ParamAt(i)->Text() + u"\"";
        EXPECT_EQ(params, c.Expected);
    }

    TKnot stored(u"Box");
    stored.WriteString(u"Disabled", u"1");
    stored.WriteInteger(u"Left", 30);
    stored.WriteInteger(u"Top", 40);
    TElement_Box* loaded = Add(Bounds(0, 0, 11, 12), voCanDisable | voStorePosition);
    TElement_Box* fixed = Add(Bounds(0, 0, 11, 12)); // neither option: nothing is read
    for (TElement_Box* e : {loaded, fixed}) {
        TSchemeLoader loader(nullptr, nullptr, &stored, 0, smDocument);
        e->LoadFromKnot(&loader, &stored);
    }
    EXPECT_TRUE(loaded->HasVisualState(vsDisabled));
    EXPECT_EQ(loaded->GetBoundsRect(), Bounds(30, 40, 11, 12));
    EXPECT_FALSE(fixed->HasVisualState(vsDisabled));
    EXPECT_EQ(fixed->GetBoundsRect(), Bounds(0, 0, 11, 12));
}

} // namespace
} // namespace quillora
