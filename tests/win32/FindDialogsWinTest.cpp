// The platform's find and replace dialogs under Wine: they open with the given text and
// options, their buttons reach the request handler through the registered message, and
// closing them is reported or done.
#include <gtest/gtest.h>

#include <vector>

#include "editor/win32/FindDialogsWin.h"
#include "foundation/win32/WinInclude.h"

#include <dlgs.h>

#include "win32/TestWindows.h"

using namespace quillora;
using quillora::test::HaveDisplay;
using quillora::test::PumpUntil;

namespace {

class FindDialogsWinTest : public ::testing::Test {
protected:
    HWND owner = nullptr;
    std::vector<TFindDialogRequest> requests;

    void SetUp() override
    {
        if (!HaveDisplay()) GTEST_SKIP() << "dialogs need a display";
        owner = CreateWindowExW(0, L"STATIC", L"Find owner", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override
    {
        if (owner) DestroyWindow(owner);
    }
    void Press(HWND dialog, int id)
    {
        HWND button = GetDlgItem(dialog, id);
        ASSERT_NE(button, nullptr);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    static std::wstring ItemText(HWND dialog, int id)
    {
        wchar_t buffer[256] = {};
        GetDlgItemTextW(dialog, id, buffer, 256);
        return buffer;
    }
};

TEST_F(FindDialogsWinTest, FindDialogOpensAndItsFindMessageReachesTheHandler)
{
    TFindDialogsWin dialogs(owner);
    dialogs.OnRequest = [&](const TFindDialogRequest& r) { requests.push_back(r); };
    dialogs.Show(fdkFind, {u"needle", {}, true, true});
    ASSERT_TRUE(dialogs.IsOpen(fdkFind));
    HWND dialog = dialogs.DialogHandle(fdkFind);
    EXPECT_EQ(ItemText(dialog, edt1), L"needle");
    // No whole-word box.
    HWND wholeWord = GetDlgItem(dialog, chx1);
    EXPECT_TRUE(!wholeWord || !IsWindowVisible(wholeWord));

    Press(dialog, IDOK); // Find Next
    ASSERT_TRUE(PumpUntil([&] { return !requests.empty(); }, 3000));
    EXPECT_EQ(requests[0].Dialog, fdkFind);
    EXPECT_EQ(requests[0].Action, fdaFindNext);
    EXPECT_EQ(requests[0].State.FindWhat, u"needle");
    EXPECT_TRUE(requests[0].State.Down);
    EXPECT_TRUE(requests[0].State.MatchCase);

    Press(dialog, IDCANCEL);
    ASSERT_TRUE(PumpUntil([&] { return requests.size() == 2; }, 3000));
    EXPECT_EQ(requests[1].Action, fdaClosed);
    EXPECT_FALSE(dialogs.IsOpen(fdkFind));
}

TEST_F(FindDialogsWinTest, ReplaceDialogReportsReplaceAllAndClosesOnRequest)
{
    TFindDialogsWin dialogs(owner);
    dialogs.OnRequest = [&](const TFindDialogRequest& r) { requests.push_back(r); };
    dialogs.Show(fdkReplace, {u"a", u"b", true, false});
    ASSERT_TRUE(dialogs.IsOpen(fdkReplace));
    HWND dialog = dialogs.DialogHandle(fdkReplace);
    EXPECT_EQ(ItemText(dialog, edt2), L"b");
    Press(dialog, psh2); // Replace All
    ASSERT_TRUE(PumpUntil([&] { return !requests.empty(); }, 3000));
    EXPECT_EQ(requests[0].Dialog, fdkReplace);
    EXPECT_EQ(requests[0].Action, fdaReplaceAll);
    EXPECT_EQ(requests[0].State.FindWhat, u"a");
    EXPECT_EQ(requests[0].State.ReplaceWith, u"b");
    EXPECT_FALSE(requests[0].State.MatchCase);

    dialogs.Close(fdkReplace);
    EXPECT_FALSE(dialogs.IsOpen(fdkReplace));
    EXPECT_FALSE(IsWindow(dialog));
}

} // namespace
