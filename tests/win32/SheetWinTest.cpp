// A sheet of test elements in the range box's real window (under Wine): keys, the wheel
// and the scroll bar arrive as real messages, the view scrolls and repaints through the
// canvas, and the window's system caret follows the focused element's caret.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/Sheet.h"
#include "editor/SheetView.h"
#include "editor/win32/DropDownWindow.h"
#include "elements/CustomElements.h"
#include "elements/DropDownList.h"
#include "elements/PanelElement.h"
#include "foundation/Service.h"
#include "foundation/win32/WinInclude.h"
#include "foundation/win32/Window.h"
#include "render/Canvas.h"
#include "render/SheetSettings.h"
#include "render/SheetSettingsTheme.h"
#include "shell/Settings.h"
#include "widgets/win32/RangeBoxWindow.h"
#include "win32/TestWindows.h"

namespace quillora::sheetwintest {

// A focusable line with a caret near its start.
class TElement_WinLine : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_WinLine, TVisualElement)
    void GetCaret(bool& visible, TRect& rect) override
    {
        visible = true;
        rect = Rect(4, 2, 5, 18);
    }
    void Paint(TSheetCanvas& canvas, int) override { canvas.DrawThemeFrame(steField, GetLocalRect()); }

protected:
    void Create() override
    {
        TVisualElement::Create();
        SetVisualOptions(voFocusable | voPressable);
    }
};

// A drop-down element with a few choices that records the one applied.
class TElement_WinChoice : public TCustomDropDownElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_WinChoice, TCustomDropDownElement)
    std::vector<String> Applied;
    TDropDownItem* FillDropDown(TDropDownItem& root) override
    {
        for (const char16_t* name : {u"alpha", u"beta", u"gamma"}) root.AddItem(name);
        return root.FirstItem();
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

class TWinLineRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TWinLineRoot, TPanelElement)
};

namespace {

using quillora::test::PumpUntil;

// A sheet view that counts its paints.
class TCountingView : public TSheetView {
public:
    int Paints = 0;
    void Paint(TPaintTarget& target, const TRect& rect) override
    {
        ++Paints;
        TSheetView::Paint(target, rect);
    }
};

class TFrame : public TWindow {
public:
    bool Create()
    {
        TWindowParams params;
        params.Style = WS_POPUP | WS_VISIBLE;
        params.X = 50;
        params.Y = 50;
        params.Width = 420;
        params.Height = 320;
        return CreateHandle({L"QuilloraSheetTestFrame"}, params);
    }
};

void HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] {};
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

struct SheetWinTest : ::testing::Test {
    TSettings settings {Service<TSettingsPlatform>()};
    TSheetSettingsTheme look {settings.Sheet()};
    TSheet sheet {&settings.Sheet(), std::make_unique<TCustomSheetCanvas>(look)};
    TWinLineRoot* document = TElement::NewElement<TWinLineRoot>(nullptr);
    std::vector<TElement_WinLine*> lines;
    TFrame frame;
    TRangeBoxWindow box;
    TCountingView view;
    HWND hwnd = nullptr;

    void SetUp() override
    {
        if (!quillora::test::HaveDisplay()) GTEST_SKIP() << "needs a display (run by the display tests)";
        HoldKeys({});
        for (int i = 0; i < 200; ++i) {
            auto* line = TElement::NewElement<TElement_WinLine>(nullptr);
            line->SetParent(document);
            line->SetBounds(0, i * 20, 300, 20);
            lines.push_back(line);
        }
        sheet.SetDocument(document);
        ASSERT_TRUE(frame.Create());
        ASSERT_TRUE(box.Create(frame.Handle(), Rect(0, 0, 400, 300)));
        hwnd = box.Handle();
        TRangeBox& model = box.Box();
        model.SetScrollBars(rsbBoth);
        model.SetClipping(rbcTopLeft);
        model.SetOptions(rboWantArrows | rboCtrlKeysMoveVert | rboNotBuffered | rboDisableNoScrollVert);
        view.SetSheet(nullptr, &sheet);
        view.PopupFactory = TDropDownWindow::Factory(static_cast<TCustomSheetCanvas*>(sheet.GetCanvas()), frame.Handle());
        model.SetContent(&view);
        PumpUntil(nullptr, 50);
    }
    void TearDown() override
    {
        HoldKeys({});
        if (!box.Handle()) {
            sheet.SetDocument(nullptr);
            delete document;
            return;
        }
        box.Box().SetContent(nullptr);
        view.SetSheet(nullptr, nullptr);
        box.DestroyHandle();
        frame.DestroyHandle();
        sheet.SetDocument(nullptr);
        delete document;
    }
    int ClientHeight() const
    {
        RECT r;
        GetClientRect(hwnd, &r);
        return r.bottom - r.top;
    }
    int BarPos() const
    {
        SCROLLINFO info {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_POS;
        GetScrollInfo(hwnd, SB_VERT, &info);
        return info.nPos;
    }
};

} // namespace

TEST_F(SheetWinTest, ScrollBarMessagesScrollTheSheetAndTheBarFollows)
{
    TRangeBox& model = box.Box();
    EXPECT_EQ(model.RangeHeight(), 4000);
    const int page = ClientHeight();
    ASSERT_GT(page, 0);
    SendMessageW(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(model.Position().Y, page);
    EXPECT_EQ(sheet.ScrollPos().Y, page);
    EXPECT_EQ(BarPos(), page);
    SendMessageW(hwnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(model.Position().Y, page + 10);
    // The bottom is the last valid position, exactly.
    SendMessageW(hwnd, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(model.Position().Y, 4000 - page);
    EXPECT_EQ(BarPos(), 4000 - page);
    SendMessageW(hwnd, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(model.Position().Y, 0);

    // What scrolled in is painted through the sheet.
    view.Paints = 0;
    SendMessageW(hwnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    UpdateWindow(hwnd);
    EXPECT_GE(view.Paints, 1);
}

TEST_F(SheetWinTest, TheWheelAndCtrlArrowsScrollWhilePlainArrowsMoveTheFocus)
{
    TRangeBox& model = box.Box();
    RECT r;
    GetWindowRect(hwnd, &r);
    const LPARAM at = MAKELPARAM(r.left + 20, r.top + 20);
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), at);
    EXPECT_EQ(model.Position().Y, 26);
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), at);
    EXPECT_EQ(model.Position().Y, 0);

    lines[0]->Focus();
    HoldKeys({VK_CONTROL});
    SendMessageW(hwnd, WM_KEYDOWN, VK_DOWN, 0);
    HoldKeys({});
    EXPECT_EQ(model.Position().Y, 12);
    EXPECT_EQ(sheet.GetFocused(), lines[0]); // the element never saw Ctrl+Down

    SendMessageW(hwnd, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(sheet.GetFocused(), lines[1]);
    EXPECT_EQ(SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(SheetWinTest, TheSystemCaretFollowsTheFocusedElementsCaret)
{
    SetFocus(hwnd);
    PumpUntil(nullptr, 50);
    if (GetFocus() != hwnd) GTEST_SKIP() << "the window cannot take the focus here";
    lines[30]->Focus();
    // The scroll into view comes with the sheet's timer.
    ASSERT_TRUE(PumpUntil([&] { return box.Box().Position().Y > 0; }, 3000));
    const int y = 30 * 20 + 2 - box.Box().Position().Y;
    POINT caret {};
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.x, 4);
    EXPECT_EQ(caret.y, y);

    SendMessageW(hwnd, WM_VSCROLL, SB_LINEUP, 0);
    ASSERT_TRUE(GetCaretPos(&caret));
    EXPECT_EQ(caret.y, y + 10);
}

} // namespace quillora::sheetwintest

namespace quillora::sheetwintest {

TEST_F(SheetWinTest, AnItemClickedInTheListWindowIsAppliedAndTheWindowGoesAfterwards)
{
    auto* choice = TElement::NewElement<TElement_WinChoice>(nullptr);
    choice->SetParent(document);
    choice->SetBounds(20, 30, 80, 20);
    choice->Focus();
    choice->OpenDropDown();
    auto* popup = dynamic_cast<TDropDownWindow*>(view.DropDownPopup());
    ASSERT_TRUE(popup);
    HWND list = popup->Handle();
    ASSERT_TRUE(IsWindow(list));
    EXPECT_TRUE(IsWindowVisible(list));
    UpdateWindow(list);

    // Real messages: a move (the first one is ignored), a move to "beta", the click.
    const int row = view.DropDownControl()->ItemHeight();
    const LPARAM onBeta = MAKELPARAM(10, row + row / 2);
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(10, 2));
    SendMessageW(list, WM_MOUSEMOVE, 0, onBeta);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, onBeta);
    SendMessageW(list, WM_LBUTTONUP, 0, onBeta);
    EXPECT_EQ(choice->Applied, std::vector<String> {u"beta"});
    EXPECT_FALSE(sheet.DropDownList());
    // Hidden at once, freed with the form's next input.
    EXPECT_TRUE(IsWindow(list));
    EXPECT_FALSE(IsWindowVisible(list));
    SendMessageW(hwnd, WM_KEYDOWN, VK_F3, 0);
    EXPECT_FALSE(IsWindow(list));
}

} // namespace quillora::sheetwintest
