// Menus given as data become Windows menus item by item: captions with their shortcut,
// states, separators, submenus; hidden items are left out.
#include <gtest/gtest.h>

#include <string>

#include "foundation/win32/PopupMenuWin.h"
#include "foundation/win32/WinInclude.h"
#include "win32/TestWindows.h"

using namespace quillora;

namespace {

std::wstring ItemText(HMENU menu, UINT position)
{
    wchar_t buffer[128] {};
    GetMenuStringW(menu, position, buffer, 128, MF_BYPOSITION);
    return buffer;
}

TEST(PopupMenuWinTest, ItemsKeepTheirCaptionsStatesAndStructure)
{
    TMenuItem undo = TMenuItem::Item(10, u"&Undo", u"Ctrl+Z");
    undo.Default = true;
    TMenuItem cut = TMenuItem::Item(11, u"Cu&t");
    cut.Enabled = false;
    TMenuItem hidden = TMenuItem::Item(12, u"Hidden");
    hidden.Visible = false;
    TMenuItem marks = TMenuItem::Item(13, u"Non-Printing Characters");
    marks.Checked = true;
    const TMenu menu {undo, TMenuItem::Separator(), cut, hidden,
                      TMenuItem::Submenu(u"&View", {marks, TMenuItem::Item(14, u"Palette")})};

    HMENU popup = BuildPopupMenu(menu);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(GetMenuItemCount(popup), 4);
    EXPECT_EQ(ItemText(popup, 0), L"&Undo\tCtrl+Z");
    EXPECT_EQ(GetMenuItemID(popup, 0), 10u);
    EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), 10u);
    EXPECT_TRUE(GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(ItemText(popup, 2), L"Cu&t");
    EXPECT_TRUE(GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(ItemText(popup, 3), L"&View");
    HMENU view = GetSubMenu(popup, 3);
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(GetMenuItemCount(view), 2);
    EXPECT_EQ(GetMenuItemID(view, 0), 13u);
    EXPECT_TRUE(GetMenuState(view, 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(view, 1, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED));
    DestroyMenu(popup);
}

TEST(MenuBarWinTest, AWindowTakesTheBarWithTheTopLevelEntriesAndTheirSubmenus)
{
    if (!quillora::test::HaveDisplay()) GTEST_SKIP() << "top-level windows need a display";
    TMenuItem redo = TMenuItem::Item(21, u"&Redo", u"Ctrl+Y");
    redo.Enabled = false;
    TMenuItem stayOnTop = TMenuItem::Item(22, u"Stay on Top");
    stayOnTop.Visible = false;
    const TMenu menu {TMenuItem::Submenu(u"&File", {TMenuItem::Item(20, u"Exit")}), stayOnTop,
                      TMenuItem::Submenu(u"&Edit", {redo})};

    HMENU bar = BuildMenuBar(menu);
    ASSERT_NE(bar, nullptr);
    // A bar, not a popup: it can be given to a window.
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(SetMenu(window, bar));
    EXPECT_EQ(GetMenu(window), bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(ItemText(bar, 0), L"&File");
    EXPECT_EQ(ItemText(bar, 1), L"&Edit");
    HMENU edit = GetSubMenu(bar, 1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(ItemText(edit, 0), L"&Redo\tCtrl+Y");
    EXPECT_TRUE(GetMenuState(edit, 0, MF_BYPOSITION) & MF_GRAYED);
    DestroyWindow(window); // destroys the bar with it
}

} // namespace
