// The scrolling viewport against a fake window: the limits of every clipping policy,
// scrolling by bar, keys and wheel, panning, the caret, coordinates and resizing.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "foundation/Service.h"
#include "render/Bitmap32.h"
#include "support/FakeViewHost.h"
#include "widgets/RangeBox.h"

using namespace quillora;
using quillora::testing::TFakeViewHost;

namespace {

// A content view that records what reaches it.
class TRecordingContent : public TPaintedView {
public:
    std::vector<TPointerEvent> Downs, Moves, Ups;
    std::vector<TKeyEvent> Keys;
    std::vector<TRect> Painted;
    std::vector<TPoint> ScrolledTo;
    bool TakeWheel = false;
    TScrollingViewport* Viewport = nullptr;

    void Paint(TPaintTarget& target, const TRect& rect) override
    {
        Painted.push_back(rect);
        TBitmap32 picture;
        picture.SetSize(rect.Width(), rect.Height());
        target.Present(picture, rect.TopLeft());
    }
    void AttachViewport(TScrollingViewport* viewport, TViewHost*) override { Viewport = viewport; }
    void Scrolled(TPoint position) override { ScrolledTo.push_back(position); }
    void KeyDown(TKeyEvent& event) override { Keys.push_back(event); }
    void PointerDown(const TPointerEvent& event) override { Downs.push_back(event); }
    void PointerMove(const TPointerEvent& event) override { Moves.push_back(event); }
    void PointerUp(const TPointerEvent& event) override { Ups.push_back(event); }
    bool Wheel(const TPointerEvent&) override { return TakeWheel; }
};

class TRecordingTarget : public TPaintTarget {
public:
    std::vector<TPoint> At;
    void Present(const TBitmap32&, TPoint at) override { At.push_back(at); }
};

TPointerEvent Pointer(TPointerButton button, int x, int y, TShiftState shift = 0)
{
    TPointerEvent e;
    e.Button = button;
    e.Point = {x, y};
    e.Shift = shift;
    return e;
}

struct RangeBoxTest : ::testing::Test {
    TMemoryScreenPointer pointer;
    TProvide<TScreenPointer> providePointer {pointer};
    TFakeViewHost host;
    TRecordingContent content; // outlives the box, which lets it go at the end
    TRangeBox box {host};

    void SetUp() override
    {
        host.Client = Rect(0, 0, 400, 300);
        host.Focused = true;
        box.SetContent(&content);
        box.SetScrollBars(rsbBoth);
        box.SetClipping(rbcTopLeft);
    }
};

} // namespace

TEST(RangeBoxLimits, FollowTheClippingPolicy)
{
    struct Case {
        TRangeBoxClipping Clipping;
        int Range, Client, Spacing;
        int Min, Max;
    };
    const Case cases[] = {
        // A range larger than the window scrolls from -spacing to its end plus spacing.
        {rbcTopLeft, 1000, 300, 0, 0, 700},
        {rbcCenter, 1000, 300, 5, -5, 705},
        // A smaller one stays at the top-left corner...
        {rbcTopLeft, 100, 300, 0, 0, 0},
        {rbcTopLeft, 100, 300, 7, -7, -7},
        // ...is centred, the odd pixel to the right and bottom ((R - C) div 2 toward zero)...
        {rbcCenter, 100, 301, 0, -100, -100},
        {rbcCenter, 101, 300, 0, -99, -99},
        // ...or may move within the window.
        {rbcClip, 100, 300, 0, -200, 0},
        {rbcClip, 100, 300, 10, -190, -10},
        // Free: until only the spacing shows, at both ends.
        {rbcFree, 1000, 300, 20, -280, 980},
        // Exactly fitting with its spacing counts as not fitting.
        {rbcTopLeft, 280, 300, 10, -10, -10},
        {rbcCenter, 280, 300, 10, -10, -10},
    };
    for (const Case& c : cases) {
        int min = 0, max = 0;
        TRangeBox::AxisLimits(c.Clipping, c.Range, c.Client, c.Spacing, min, max);
        EXPECT_EQ(min, c.Min) << c.Clipping << " " << c.Range << "/" << c.Client << "/" << c.Spacing;
        EXPECT_EQ(max, c.Max) << c.Clipping << " " << c.Range << "/" << c.Client << "/" << c.Spacing;
    }
}

TEST_F(RangeBoxTest, ASmallRangeStaysPinnedAtTheTopLeftWhateverScrollsIt)
{
    box.SetSpacing(4);
    box.SetRange(100, 50);
    EXPECT_EQ(box.Position(), (TPoint {-4, -4}));
    box.ScrollBy(30, 30);
    box.Scroll(sbVertical, scPageDown, 0);
    box.Scroll(sbVertical, scBottom, 0);
    EXPECT_EQ(box.Position(), (TPoint {-4, -4}));
}

TEST_F(RangeBoxTest, NegativeRangeCountsAsNothing)
{
    box.SetRange(-5, 10);
    EXPECT_EQ(box.RangeWidth(), 0);
    EXPECT_EQ(box.RangeHeight(), 10);
}

TEST_F(RangeBoxTest, ScrollBarsShowTheRangeAndTheirCommandsScroll)
{
    box.SetOptions(rboDisableNoScrollVert);
    box.SetRange(1000, 2000);
    EXPECT_EQ(host.Scroll[sbVertical], (TScrollRange {0, 1999, 300, 0, true}));
    EXPECT_EQ(host.Scroll[sbHorizontal], (TScrollRange {0, 999, 400, 0, false}));
    content.ScrolledTo.clear();
    host.Log.clear();

    box.Scroll(sbVertical, scLineDown, 0);
    EXPECT_EQ(box.Position().Y, 10);
    box.Scroll(sbVertical, scPageDown, 0);
    EXPECT_EQ(box.Position().Y, 310);
    box.Scroll(sbVertical, scTrack, 555);
    EXPECT_EQ(box.Position().Y, 555);
    EXPECT_EQ(host.Scroll[sbVertical].Pos, 555);
    // The bottom is exactly the last valid position.
    box.Scroll(sbVertical, scBottom, 0);
    EXPECT_EQ(box.Position().Y, 1700);
    EXPECT_EQ(host.Scroll[sbVertical].Pos, 1700);
    box.Scroll(sbVertical, scLineUp, 0);
    EXPECT_EQ(box.Position().Y, 1690);
    box.Scroll(sbVertical, scTop, 0);
    EXPECT_EQ(box.Position().Y, 0);
    // Pixels are moved rather than repainted, and the content hears of each scroll.
    EXPECT_NE(std::find(host.Log.begin(), host.Log.end(), "ScrollClient 0,-10"), host.Log.end());
    EXPECT_EQ(std::count(host.Log.begin(), host.Log.end(), "Invalidate all"), 0);
    EXPECT_EQ(content.ScrolledTo.size(), 6u);

    // A bar that is not used is hidden.
    box.SetScrollBars(rsbVertical);
    EXPECT_EQ(host.Scroll[sbHorizontal], TScrollRange {});
}

TEST_F(RangeBoxTest, KeysScrollOnlyWithTheirOption)
{
    box.SetRange(1000, 2000);
    box.SetOptions(rboCtrlKeysMoveVert);

    TKeyEvent ctrlDown = TKeyEvent::Down(kcDown, ssCtrl);
    box.KeyDown(ctrlDown);
    EXPECT_EQ(box.Position().Y, 12);
    // The content still gets the event, consumed.
    ASSERT_EQ(content.Keys.size(), 1u);
    EXPECT_TRUE(content.Keys[0].Consumed());

    TKeyEvent down = TKeyEvent::Down(kcDown);
    box.KeyDown(down);
    EXPECT_EQ(box.Position().Y, 12);
    ASSERT_EQ(content.Keys.size(), 2u);
    EXPECT_EQ(content.Keys[1].Key, kcDown);

    box.SetOptions(rboKeysMoveHorz);
    TKeyEvent right = TKeyEvent::Down(kcRight);
    box.KeyDown(right);
    EXPECT_EQ(box.Position(), (TPoint {12, 12}));
    EXPECT_TRUE(box.WantsArrows());
}

TEST_F(RangeBoxTest, TheWheelScrollsWhenTheContentDoesNotTakeIt)
{
    box.SetRange(1000, 2000);
    TPointerEvent wheel = Pointer(pbNone, 5, 5);
    wheel.WheelDelta = -120;
    EXPECT_TRUE(box.Wheel(wheel));
    EXPECT_EQ(box.Position().Y, 26);
    wheel.WheelDelta = 120;
    box.Wheel(wheel);
    EXPECT_EQ(box.Position().Y, 0);
    content.TakeWheel = true;
    wheel.WheelDelta = -120;
    box.Wheel(wheel);
    EXPECT_EQ(box.Position().Y, 0);
}

TEST_F(RangeBoxTest, PanningStartsAtFourPixelsAndPutsThePointerBack)
{
    box.SetRange(2000, 2000);
    box.SetOptions(rboLeftBtnMove);
    host.ScreenOrigin = {1000, 500};
    pointer.SetPosition({1050, 550});

    box.PointerDown(Pointer(pbLeft, 50, 50));
    box.PointerMove(Pointer(pbNone, 53, 47, ssLeft)); // 3 pixels: not yet
    EXPECT_FALSE(box.Panning());
    box.PointerMove(Pointer(pbNone, 54, 50, ssLeft)); // 4 pixels: panning
    EXPECT_TRUE(box.Panning());
    EXPECT_FALSE(pointer.Shown());
    // The pointer is held at the centre of the client area.
    EXPECT_EQ(pointer.GetPosition(), (TPoint {1200, 650}));

    // The content follows the mouse: the pointer moved 30 up and 20 left of the centre.
    pointer.SetPosition({1180, 620});
    box.PointerMove(Pointer(pbNone, 0, 0, ssLeft));
    EXPECT_EQ(box.Position(), (TPoint {20, 30}));
    EXPECT_EQ(pointer.GetPosition(), (TPoint {1200, 650}));
    EXPECT_GE(host.UpdatesNow, 1);

    box.PointerUp(Pointer(pbLeft, 0, 0));
    EXPECT_FALSE(box.Panning());
    EXPECT_TRUE(pointer.Shown());
    EXPECT_EQ(pointer.GetPosition(), (TPoint {1050, 550}));
    EXPECT_FALSE(host.Captured);
    // The content never saw the drag.
    EXPECT_TRUE(content.Downs.empty());
    EXPECT_TRUE(content.Moves.empty());
    EXPECT_TRUE(content.Ups.empty());
}

TEST_F(RangeBoxTest, CancelModeStopsPanning)
{
    box.SetRange(2000, 2000);
    box.SetOptions(rboRightBtnMove);
    int cancels = 0;
    box.OnCancelMode = [&] { ++cancels; };
    box.PointerDown(Pointer(pbRight, 50, 50));
    box.PointerMove(Pointer(pbNone, 50, 60, ssRight));
    ASSERT_TRUE(box.Panning());
    EXPECT_TRUE(box.ContextMenu({0, 0}, false)); // swallowed while panning
    box.CancelMode();
    EXPECT_FALSE(box.Panning());
    EXPECT_TRUE(pointer.Shown());
    EXPECT_EQ(cancels, 1);
}

TEST_F(RangeBoxTest, PointerInputReachesTheContentInRangeCoordinates)
{
    box.SetRange(2000, 2000);
    box.SetPosition({100, 200});
    box.PointerDown(Pointer(pbLeft, 5, 6));
    box.PointerMove(Pointer(pbNone, 7, 8, ssLeft));
    box.PointerUp(Pointer(pbLeft, 9, 10));
    ASSERT_EQ(content.Downs.size(), 1u);
    EXPECT_EQ(content.Downs[0].Point, (TPoint {105, 206}));
    EXPECT_EQ(content.Moves[0].Point, (TPoint {107, 208}));
    EXPECT_EQ(content.Ups[0].Point, (TPoint {109, 210}));
    EXPECT_TRUE(host.Focused);
    EXPECT_FALSE(host.Captured);
    EXPECT_EQ(box.RangeToScreen({100, 200}), host.ScreenOrigin);
}

TEST_F(RangeBoxTest, PaintingAsksTheContentInRangeCoordinatesAndPresentsInTheWindow)
{
    box.SetRange(2000, 2000);
    box.SetPosition({100, 200});
    TRecordingTarget target;
    box.PaintClient(target, Rect(10, 20, 50, 60));
    ASSERT_EQ(content.Painted.size(), 1u);
    EXPECT_EQ(content.Painted[0], Rect(110, 220, 150, 260));
    ASSERT_EQ(target.At.size(), 1u);
    EXPECT_EQ(target.At[0], (TPoint {10, 20}));

    host.Invalidated.clear();
    const TRect range = Rect(150, 250, 160, 260);
    box.InvalidateRangeRect(&range);
    ASSERT_EQ(host.Invalidated.size(), 1u);
    EXPECT_EQ(*host.Invalidated[0], Rect(50, 50, 60, 60));
}

TEST_F(RangeBoxTest, TheCaretFollowsScrollingAndTheFocus)
{
    box.SetRange(2000, 2000);
    box.SetCaretRect(Rect(50, 60, 51, 75));
    ASSERT_TRUE(host.Caret);
    EXPECT_EQ(*host.Caret, Rect(50, 60, 51, 75));
    box.SetPosition({10, 20});
    EXPECT_EQ(*host.Caret, Rect(40, 40, 41, 55));
    EXPECT_EQ(box.ShownCaret(), Rect(40, 40, 41, 55));

    host.Focused = false;
    box.FocusChanged(false);
    EXPECT_FALSE(host.Caret);
    EXPECT_TRUE(box.ShownCaret().IsEmpty());
    host.Focused = true;
    box.FocusChanged(true);
    EXPECT_EQ(*host.Caret, Rect(40, 40, 41, 55));

    box.SetCaretRect({});
    EXPECT_FALSE(host.Caret);
}

TEST_F(RangeBoxTest, MakeRectVisibleScrollsAsLittleAsNeeded)
{
    box.SetRange(2000, 2000);
    box.MakeRectVisible(Rect(100, 500, 150, 520));
    EXPECT_EQ(box.Position(), (TPoint {0, 220}));
    box.MakeRectVisible(Rect(100, 400, 150, 420)); // already visible
    EXPECT_EQ(box.Position(), (TPoint {0, 220}));
    box.MakeRectVisible(Rect(500, 100, 520, 120));
    EXPECT_EQ(box.Position(), (TPoint {120, 100}));
    // Taller than the window: its top wins.
    box.MakeRectVisible(Rect(0, 1000, 10, 1500));
    EXPECT_EQ(box.Position(), (TPoint {0, 1000}));
}

TEST_F(RangeBoxTest, ResizingKeepsTheCentreWithItsOption)
{
    box.SetRange(2000, 2000);
    box.SetOptions(rboResizeCenter);
    box.SetPosition({500, 500});
    host.Client = Rect(0, 0, 200, 100);
    box.Resized(200, 100);
    EXPECT_EQ(box.Position(), (TPoint {600, 600}));
    EXPECT_EQ(host.Scroll[sbVertical].Page, 100);

    box.SetOptions(0);
    host.Client = Rect(0, 0, 400, 300);
    box.Resized(400, 300);
    EXPECT_EQ(box.Position(), (TPoint {600, 600}));
}
