// The drop-down list window against a real window (under Wine): it counts the model's
// items for tools, never activates, chooses with a press, follows the selection with its
// scroll bar and draws only the rows that show.
#include <gtest/gtest.h>

#include "foundation/win32/WinInclude.h"

#include <string>
#include <vector>

#include "foundation/Service.h"
#include "foundation/win32/Window.h"
#include "support/TextFakes.h"
#include "typing/DropDownModel.h"
#include "typing/win32/DropDownListWindow.h"
#include "win32/TestWindows.h"

using namespace quillora;

namespace {

class DropDownListWindowWinTest : public ::testing::Test {
protected:
    quillora::testing::TCountingFontManager fonts;
    TProvide<TDeviceContextManager> provideFonts{fonts};
    quillora::testing::TTestTextor text;
    TDropDownModel model;
    TWindow parent;
    TDropDownListWindow list{model};

    void SetUp() override
    {
        if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
        String chars;
        for (int i = 0; i < 30; ++i) chars += u"item\r\n";
        TTextorRange range;
        text.InsertText(text.GetEnd(), chars, nullptr, range);
        model.Open(text);
        TWindowParams params;
        params.Style = WS_POPUP;
        params.Width = 200;
        params.Height = 100;
        ASSERT_TRUE(parent.CreateHandle({L"TDropDownListTestParent"}, params));
        ASSERT_TRUE(list.Create(parent.Handle(), nullptr, 200, 100)); // 5 rows of 20
        list.SetItemHeight(20);
        list.ItemsChanged();
    }
};

TEST_F(DropDownListWindowWinTest, CountsNeverActivatesAndChoosesWithAPress)
{
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0), 30);
    EXPECT_EQ(FindWindowExW(parent.Handle(), nullptr, TDropDownListWindow::ClassName, nullptr), list.Handle());
    EXPECT_EQ(SendMessageW(list.Handle(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(parent.Handle()),
                           MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    int pressed = -2;
    list.OnPress = [&](int index) { pressed = index; };
    SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 45));
    EXPECT_EQ(pressed, 2);
    EXPECT_EQ(model.Selection(), 2);
    EXPECT_NE(GetFocus(), list.Handle());
}

TEST_F(DropDownListWindowWinTest, FollowsTheSelectionAndDrawsOnlyTheRowsThatShow)
{
    model.SetSelection(20);
    list.SelectionChanged();
    EXPECT_EQ(list.View().Top(), 16);

    std::vector<int> drawn;
    int selectedDrawn = -1;
    list.OnDrawItem = [&](HDC, int index, const RECT& r, bool selected) {
        drawn.push_back(index);
        if (selected) selectedDrawn = index;
        EXPECT_EQ(r.top, (index - 16) * 20);
    };
    ShowWindow(parent.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(list.Handle());
    // The scroll bar follows the rows once they are painted.
    SCROLLINFO info {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list.Handle(), SB_VERT, &info));
    EXPECT_EQ(info.nPos, 16);
    EXPECT_EQ(info.nMax, 29);
    drawn.clear();
    RedrawWindow(list.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ShowWindow(parent.Handle(), SW_HIDE);
    EXPECT_EQ(drawn, (std::vector<int>{16, 17, 18, 19, 20}));
    EXPECT_EQ(selectedDrawn, 20);

    // No items: the top comes back into them.
    model.Clear();
    list.ItemsChanged();
    EXPECT_EQ(list.View().Top(), 0);
    EXPECT_EQ(SendMessageW(list.Handle(), LB_GETCOUNT, 0, 0), 0);
}

} // namespace
