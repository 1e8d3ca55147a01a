// Foreground tracking against the real system (under Wine): windows of other threads
// come to the front while a notifier runs. Without a display the tests skip themselves.
#include <gtest/gtest.h>

#include <memory>

#include "foundation/win32/WinInclude.h"
#include "win32/TestWindows.h"
#include "typing/win32/FocusedWindowNotifier.h"

using namespace quillora;
using namespace quillora::test;

namespace {

TEST(FocusedWindowNotifierWin, MessageIsRegisteredOnce)
{
    const unsigned message = FocusedWindowMessage();
    EXPECT_GE(message, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageW(L"QuilloraFocusedWindowMessage"), message);
    EXPECT_EQ(FocusedWindowMessage(), message);
}

TEST(FocusedWindowNotifierWin, StartAndStop)
{
    TFocusedWindowNotifier notifier;
    notifier.Stop(); // stopped already: nothing
    notifier.Start();
    EXPECT_TRUE(notifier.Started());
    notifier.Start(); // restarts
    EXPECT_TRUE(notifier.Started());
    notifier.Stop();
    EXPECT_FALSE(notifier.Started());

    // One notify window for the process: a second notifier takes over.
    TFocusedWindowNotifier first, second;
    first.Start();
    second.Start();
    EXPECT_FALSE(first.Started());
    EXPECT_TRUE(second.Started());
}

struct FocusedWindowNotifierWinTest : testing::Test {
    TTargetWindow other{300, 320};
    TTargetWindow target{100, 100};
    int changes = 0;

    bool Ready() { return other.Frame() && target.Ready(); }
};

TEST_F(FocusedWindowNotifierWinTest, AnotherWindowInFrontIsAChangeOpeningTheListIsNot)
{
    if (!Ready()) GTEST_SKIP() << "the test windows could not come to the front (no display)";
    TFocusedWindowNotifier notifier;
    notifier.OnChange = [this](TFocusedWindowNotifier&) { ++changes; };
    notifier.Start();

    // The list opens without taking the front.
    TTokenWindow list;
    list.Show();
    PumpUntil(nullptr, 300);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(GetForegroundWindow(), target.Frame());

    ASSERT_TRUE(other.BringToFront());
    EXPECT_TRUE(PumpUntil([this] { return changes > 0; }, 2000));
    PumpUntil(nullptr, 200);
    EXPECT_EQ(changes, 1); // reported once, whichever way it was noticed

    target.BringToFront();
    EXPECT_TRUE(PumpUntil([this] { return changes > 1; }, 2000));

    notifier.Stop();
    other.BringToFront();
    PumpUntil(nullptr, 300);
    EXPECT_EQ(changes, 2);
}

TEST_F(FocusedWindowNotifierWinTest, HandlerMayFreeTheNotifier)
{
    if (!Ready()) GTEST_SKIP() << "the test windows could not come to the front (no display)";
    auto notifier = std::make_unique<TFocusedWindowNotifier>();
    notifier->OnChange = [&](TFocusedWindowNotifier& sender) {
        EXPECT_EQ(&sender, notifier.get());
        ++changes;
        notifier.reset(); // the list closes and goes away
    };
    notifier->Start();
    ASSERT_TRUE(other.BringToFront());
    EXPECT_TRUE(PumpUntil([&] { return !notifier; }, 2000));
    target.BringToFront();
    PumpUntil(nullptr, 200);
    EXPECT_EQ(changes, 1);
}

TEST_F(FocusedWindowNotifierWinTest, StoppedFromTheHandlerAndStartedAgain)
{
    if (!Ready()) GTEST_SKIP() << "the test windows could not come to the front (no display)";
    TFocusedWindowNotifier notifier;
    notifier.OnChange = [this](TFocusedWindowNotifier& sender) {
        ++changes;
        sender.Stop();
    };
    notifier.Start();
    ASSERT_TRUE(other.BringToFront());
    EXPECT_TRUE(PumpUntil([this] { return changes == 1; }, 2000));
    EXPECT_FALSE(notifier.Started());

    // Started again with the other window in front: that window is no change.
    notifier.Start();
    PumpUntil(nullptr, 200);
    EXPECT_EQ(changes, 1);
    target.BringToFront();
    EXPECT_TRUE(PumpUntil([this] { return changes == 2; }, 2000));
}

} // namespace
