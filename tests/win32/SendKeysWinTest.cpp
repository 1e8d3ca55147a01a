// The keystroke sender against the real system (run under Wine): a window of the test
// itself with an edit control takes the focus, both typing methods type into it, and
// its text and selection are read back. Injected input reaches a window only where a
// display delivers it; without one the tests that need it skip themselves.
#include <gtest/gtest.h>

#include <thread>

#include "foundation/Service.h"
#include "foundation/win32/WinInclude.h"
#include "shell/Settings.h"
#include "win32/TestWindows.h"
#include "typing/SendKeys.h"
#include "typing/win32/KeyInputWin.h"

using namespace quillora;
using namespace quillora::test;

namespace {

struct SendKeysWinTest : testing::Test {
    TGeneralSettings settings{nullptr, Service<TSettingsPlatform>()};
    TKeystrokeSender sender{settings.Typing(), ProvidedKeyInputServices()};
};

TEST_F(SendKeysWinTest, LayoutOfTheProgramWhenNothingIsInFront)
{
    TWinKeyboardLayout layout;
    // The prefix's layout is the US one: letters unshifted, capitals with Shift, no key for "é".
    EXPECT_EQ(layout.VkKeyScan(u'a'), 'A');
    EXPECT_EQ(layout.VkKeyScan(u'A'), 0x100 | 'A');
    EXPECT_EQ(layout.VkKeyScan(u'\u00E9'), -1);
    EXPECT_EQ(layout.ScanCode('A'), 0x1E);
    EXPECT_EQ(layout.ScanCode(kcLeft), 0x4B);
}

TEST_F(SendKeysWinTest, NothingToTypeIntoIsHarmless)
{
    TWinFocusTarget target;
    EXPECT_EQ(target.SendChar(0, u'a'), cdNoWindow);
    TPoint p;
    EXPECT_FALSE(target.ClientToScreen(0, p));
    EXPECT_EQ(TWinInputInjector().SendInput({}), 0u);
}

TEST_F(SendKeysWinTest, CharMessageToAStalledWindowIsBounded)
{
    // A window whose thread stops taking messages right after creating it.
    HANDLE created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HWND stalled = nullptr;
    std::thread owner([&] {
        stalled = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        SetEvent(created);
        WaitForSingleObject(release, 20000);
        PumpUntil(nullptr, 20);
        DestroyWindow(stalled);
    });
    WaitForSingleObject(created, 20000);
    if (!stalled) {
        SetEvent(release);
        owner.join();
        CloseHandle(created);
        CloseHandle(release);
        GTEST_SKIP() << "no window can be created (no display)";
    }
    TWinFocusTarget target;
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(target.SendChar(reinterpret_cast<TWindowHandle>(stalled), u'a'), cdNotAnswering);
    const ULONGLONG elapsed = GetTickCount64() - start;
    EXPECT_GE(elapsed, TWinFocusTarget::CharTimeoutMs / 2);
    EXPECT_LT(elapsed, TWinFocusTarget::CharTimeoutMs * 3);
    SetEvent(release);
    owner.join();
    // The window is gone now.
    EXPECT_EQ(target.SendChar(reinterpret_cast<TWindowHandle>(stalled), u'a'), cdNoWindow);
    CloseHandle(created);
    CloseHandle(release);
}

TEST_F(SendKeysWinTest, CharMessagesTypeEveryCharacter)
{
    TEditWindow window;
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    settings.Method().SetValue(smCharMessages);
    EXPECT_EQ(TWinFocusTarget().FocusWindow(), reinterpret_cast<TWindowHandle>(window.Edit()));
    sender.SendMacroItems({{mkText, u"ab\u20AC\u00E9\U0001F600z"}});
    EXPECT_FALSE(sender.Abandoned());
    EXPECT_EQ(window.Text(), L"ab\u20AC\u00E9\U0001F600z");
}

TEST_F(SendKeysWinTest, BothMethodsTypeIntoAnotherThreadsControl)
{
    TEditWindow window({.OwnThread = true});
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    // The focused control of a thread that is not ours, named through attached input.
    EXPECT_EQ(TWinFocusTarget().FocusWindow(), reinterpret_cast<TWindowHandle>(window.Edit()));

    settings.Method().SetValue(smCharMessages);
    sender.SendMacroItems({{mkText, u"a€😀"}});
    EXPECT_FALSE(sender.Abandoned());
    EXPECT_EQ(window.Text(), L"a€😀");

    settings.Method().SetValue(smKeyStrokes);
    sender.SendMacroItems({{mkHome, {}}, {mkText, u"Zé"}, {mkCaret, {}}, {mkText, u"-"}});
    const std::wstring expected = L"Zé-a€😀";
    const bool arrived = PumpUntil([&] { return window.Text() == expected; }, 3000);
    if (!arrived && !HaveDisplay()) GTEST_SKIP() << "injected keys are not delivered without a display";
    EXPECT_EQ(window.Text(), expected);
    DWORD start = 0, end = 0;
    SendMessageW(window.Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end, 2u);
}

TEST_F(SendKeysWinTest, CharMessagesKeepTheirOrderWithInjectedKeys)
{
    // Another thread's multi-line edit, as another program's would be: the keys go
    // through its input queue, the characters as sent messages.
    TEditWindow window({.OwnThread = true, .MultiLine = true});
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    EXPECT_TRUE(TWinFocusTarget().AcceptsInput(reinterpret_cast<TWindowHandle>(window.Edit())));
    settings.Method().SetValue(smCharMessages);
    std::wstring expected;
    for (int round = 0; round < 3; ++round) {
        sender.SendMacroItems({{mkText, u"xy"}, {mkBack, {}}, {mkText, u"k1"}, {mkTab, {}}, {mkText, u"k2"},
                               {mkReturn, {}}, {mkText, u"k3"}, {mkLeft, {}}, {mkText, u"Z😀"}, {mkEnd, {}},
                               {mkText, u"."}});
        expected += L"xk1\tk2\r\nkZ\U0001F6003.";
        const bool arrived = PumpUntil([&] { return window.Text() == expected; }, 3000);
        if (!arrived && window.Text().empty() && !HaveDisplay())
            GTEST_SKIP() << "injected keys are not delivered without a display";
        ASSERT_EQ(window.Text(), expected) << "round " << round;
    }
}

TEST_F(SendKeysWinTest, CaretScreenRectLiesInTheFocusedEdit)
{
    TEditWindow window;
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    TRect caret;
    GetCaretScreenRect(caret);
    RECT edit;
    GetWindowRect(window.Edit(), &edit);
    ASSERT_FALSE(caret.IsEmpty());
    EXPECT_GE(caret.Left, edit.left);
    EXPECT_LE(caret.Right, edit.right);
    EXPECT_GE(caret.Top, edit.top);
    EXPECT_LE(caret.Bottom, edit.bottom);
}

TEST_F(SendKeysWinTest, KeyStrokesTypeTextKeysAndPlaceTheCaret)
{
    TEditWindow window;
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    // "abc", Backspace, Left, "é" between a and b, Right, the pair, then ">" at the start.
    const std::wstring expected = L">a\u00E9b\U0001F600yz";
    sender.SendMacroItems({{mkText, u"abc"}, {mkBack, {}}, {mkLeft, {}}, {mkText, u"\u00E9"}, {mkRight, {}},
                           {mkText, u"\U0001F600"}, {mkHome, {}}, {mkText, u">"}, {mkEnd, {}}, {mkCaret, {}},
                           {mkText, u"yz"}});
    // The target is this thread: the injected keys wait in its queue until dispatched.
    const bool arrived = PumpUntil([&] { return window.Text().size() >= expected.size(); }, 3000);
    if (!arrived && window.Text().empty() && !HaveDisplay())
        GTEST_SKIP() << "injected keys are not delivered without a display";
    PumpUntil(nullptr, 100);
    EXPECT_EQ(window.Text(), expected);
    EXPECT_EQ(window.Caret(), 6u);
}

TEST_F(SendKeysWinTest, KeyStrokesKeepTheCaseWithCapsLockOn)
{
    TEditWindow window({.OwnThread = true});
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    const TInputsArray capsLock{{itKeyboard, VK_CAPITAL, 0x3A, 0, 0, 0}, {itKeyboard, VK_CAPITAL, 0x3A, 0, 0, kfKeyUp}};
    TWinFocusTarget target;
    struct TCapsLockOff {
        TWinFocusTarget& target;
        const TInputsArray& press;
        ~TCapsLockOff()
        {
            if (!target.CapsLockOn()) return;
            TWinInputInjector().SendInput(press);
            PumpUntil([&] { return !target.CapsLockOn(); }, 3000);
        }
    } off{target, capsLock};
    TWinInputInjector().SendInput(capsLock);
    PumpUntil([&] { return target.CapsLockOn(); }, 3000);
    if (!target.CapsLockOn() && !HaveDisplay()) GTEST_SKIP() << "injected keys are not delivered without a display";
    ASSERT_TRUE(target.CapsLockOn());

    settings.Method().SetValue(smKeyStrokes);
    sender.SendMacroItems({{mkText, u"aBc Dz1!"}});
    PumpUntil([&] { return window.Text().size() >= 8; }, 3000);
    EXPECT_EQ(window.Text(), L"aBc Dz1!");
}

TEST_F(SendKeysWinTest, CaretReturnsOverASurrogatePairByUnits)
{
    TEditWindow window;
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    // The edit control steps over the pair one unit at a time, as the Left count assumes.
    sender.SendMacroItems({{mkText, u"a"}, {mkCaret, {}}, {mkText, u"\U0001F600b"}});
    const bool arrived = PumpUntil([&] { return window.Text().size() >= 4; }, 3000);
    if (!arrived && !HaveDisplay()) GTEST_SKIP() << "injected keys are not delivered without a display";
    PumpUntil(nullptr, 100);
    EXPECT_EQ(window.Text(), L"a\U0001F600b");
    EXPECT_EQ(window.Caret(), 1u);
}

TEST_F(SendKeysWinTest, HeldModifiersAreWaitedFor)
{
    TEditWindow window;
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    TWinInputInjector input;
    const TInputsArray ctrlDown{{itKeyboard, kcControl, 0x1D, 0, 0, 0}};
    const TInputsArray ctrlUp{{itKeyboard, kcControl, 0x1D, 0, 0, kfKeyUp}};
    struct TRelease {
        const TInputsArray& up;
        ~TRelease() { TWinInputInjector().SendInput(up); }
    } release{ctrlUp};
    input.SendInput(ctrlDown);
    PumpUntil([&] { return input.HeldModifiers() != 0; }, 1000);
    if (input.HeldModifiers() == 0 && !HaveDisplay()) GTEST_SKIP() << "injected keys are not delivered without a display";
    ASSERT_EQ(input.HeldModifiers(), hmControl);

    // Held all along: nothing is typed, Ctrl+Q never reaches the window.
    const ULONGLONG start = GetTickCount64();
    sender.SendMacroItems({{mkText, u"q"}});
    EXPECT_TRUE(sender.Abandoned());
    EXPECT_GE(GetTickCount64() - start, TKeystrokeSender::ModifierWaitMs - 50);

    // Let go a moment after typing starts: the text follows as plain text.
    std::thread releaser([&] {
        Sleep(200);
        TWinInputInjector().SendInput(ctrlUp);
    });
    sender.SendMacroItems({{mkText, u"q"}});
    releaser.join();
    EXPECT_FALSE(sender.Abandoned());
    PumpUntil([&] { return !window.Text().empty(); }, 2000);
    EXPECT_EQ(window.Text(), L"q");
}

TEST_F(SendKeysWinTest, CaretClickReturnsToTheCapturedPlace)
{
    TEditWindow window;
    if (!window.Ready()) GTEST_SKIP() << "the test window could not take the focus (no display)";
    TPoint before;
    TWinInputInjector input;
    ASSERT_TRUE(input.CursorPos(before));
    // Enter makes the steps after the caret uncountable: the caret is clicked back.
    sender.SendMacroItems({{mkText, u"abc"}, {mkCaret, {}}, {mkText, u"def"}, {mkReturn, {}}});
    const bool arrived = PumpUntil([&] { return window.Text().size() >= 6; }, 3000);
    if (!arrived && !HaveDisplay()) GTEST_SKIP() << "injected input is not delivered without a display";
    PumpUntil(nullptr, 200);
    EXPECT_EQ(window.Text(), L"abcdef");
    EXPECT_EQ(window.Caret(), 3u);
    TPoint after;
    ASSERT_TRUE(input.CursorPos(after));
    EXPECT_EQ(after, before);
}

} // namespace
