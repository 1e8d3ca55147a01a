#include "typing/DropDownListView.h"

#include <gtest/gtest.h>

namespace quillora {
namespace {

// 100 items of 20 pixels in a list 105 pixels high: 5 whole rows, a sixth in part.
TDropDownListView MakeView(int count = 100, int top = 0)
{
    TDropDownListView view;
    view.SetItemHeight(20);
    view.SetClientHeight(105);
    view.SetCount(count);
    view.SetTop(top);
    return view;
}

TEST(DropDownListViewTest, PageAndVisibleRows)
{
    TDropDownListView view = MakeView(100, 10);
    EXPECT_EQ(view.PageSize(), 5);
    EXPECT_EQ(view.MaxTop(), 95);
    EXPECT_EQ(view.FirstVisible(), 10);
    EXPECT_EQ(view.EndVisible(), 16); // the part row shows too
    EXPECT_EQ(MakeView(3).EndVisible(), 3);
    TDropDownListView tiny = MakeView(10);
    tiny.SetClientHeight(7);
    EXPECT_EQ(tiny.PageSize(), 1);
}

TEST(DropDownListViewTest, TopIsClampedWhenTheCountOrHeightChanges)
{
    struct Case {
        int Top, NewCount, Expected;
    } cases[] = {
        {90, 100, 90}, {90, 50, 45}, {90, 5, 0}, {90, 0, 0}, {3, 8, 3}, {3, 7, 2},
    };
    for (const Case& c : cases) {
        TDropDownListView view = MakeView(100, c.Top);
        view.SetCount(c.NewCount);
        EXPECT_EQ(view.Top(), c.Expected) << c.Top << " " << c.NewCount;
    }
    TDropDownListView view = MakeView(100, 95);
    view.SetClientHeight(205); // 10 rows now
    EXPECT_EQ(view.Top(), 90);
    EXPECT_TRUE(view.SetTop(-4));
    EXPECT_EQ(view.Top(), 0);
    EXPECT_FALSE(view.SetTop(-1));
    EXPECT_EQ(MakeView(100, 200).Top(), 95);
}

TEST(DropDownListViewTest, EnsureVisibleScrollsTheLeast)
{
    struct Case {
        int Top, Index, Expected;
        bool Moved;
    } cases[] = {
        {10, 10, 10, false}, {10, 14, 10, false}, // inside
        {10, 15, 11, true},  {10, 40, 36, true},  // below: it becomes the last whole row
        {10, 9, 9, true},    {10, 0, 0, true},    // above: it becomes the top
        {10, -1, 10, false}, {10, 100, 10, false}, // no such item
        {0, 99, 95, true},
    };
    for (const Case& c : cases) {
        TDropDownListView view = MakeView(100, c.Top);
        EXPECT_EQ(view.EnsureVisible(c.Index), c.Moved) << c.Top << " " << c.Index;
        EXPECT_EQ(view.Top(), c.Expected) << c.Top << " " << c.Index;
    }
}

TEST(DropDownListViewTest, ItemAtAPoint)
{
    struct Case {
        int Count, Top, Y, Expected;
    } cases[] = {
        {100, 0, 0, 0}, {100, 0, 19, 0}, {100, 0, 20, 1}, {100, 10, 104, 15}, {100, 10, -1, -1},
        {3, 0, 59, 2},  {3, 0, 60, -1}, // below the last item
        {0, 0, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeView(c.Count, c.Top).ItemAt(c.Y), c.Expected) << c.Count << " " << c.Top << " " << c.Y;
}

TEST(DropDownListViewTest, ScrollBarRangeAndCodes)
{
    TDropDownListView view = MakeView(100, 10);
    TScrollRange range = view.ScrollRange();
    EXPECT_EQ(range.Min, 0);
    EXPECT_EQ(range.Max, 99);
    EXPECT_EQ(range.Page, 5);
    EXPECT_EQ(range.Pos, 10);
    EXPECT_EQ(MakeView(0).ScrollRange().Max, 0);

    struct Case {
        TScrollCode Code;
        int Position, Top, Expected;
    } cases[] = {
        {scLineUp, 0, 10, 9},    {scLineUp, 0, 0, 0},      {scLineDown, 0, 10, 11}, {scLineDown, 0, 95, 95},
        {scPageUp, 0, 10, 5},    {scPageUp, 0, 3, 0},      {scPageDown, 0, 10, 15}, {scPageDown, 0, 93, 95},
        {scTrack, 42, 10, 42},   {scPosition, 99, 10, 95}, {scTop, 0, 10, 0},       {scBottom, 0, 10, 95},
        {scEndScroll, 0, 10, 10},
    };
    for (const Case& c : cases) {
        TDropDownListView moved = MakeView(100, c.Top);
        EXPECT_EQ(moved.Scroll(c.Code, c.Position), c.Expected != c.Top) << int(c.Code) << " " << c.Top;
        EXPECT_EQ(moved.Top(), c.Expected) << int(c.Code) << " " << c.Top;
    }
}

TEST(DropDownListViewTest, WheelScrollsThreeRowsANotch)
{
    TDropDownListView view = MakeView(100, 10);
    EXPECT_TRUE(view.Wheel(120));
    EXPECT_EQ(view.Top(), 7);
    EXPECT_TRUE(view.Wheel(-240));
    EXPECT_EQ(view.Top(), 13);
    EXPECT_FALSE(view.Wheel(60)); // half a notch waits for the other half
    EXPECT_TRUE(view.Wheel(60));
    EXPECT_EQ(view.Top(), 10);
    view.SetTop(1);
    EXPECT_TRUE(view.Wheel(120));
    EXPECT_EQ(view.Top(), 0);
}

} // namespace
} // namespace quillora
