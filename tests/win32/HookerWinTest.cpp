// The hooker against real windows (under Wine): it sees a control's messages first, its
// handlers' errors go to the error handler without stopping the message, and it follows
// a window object whose window is destroyed and made again.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "foundation/ErrorHandler.h"
#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "foundation/win32/Hooker.h"
#include "foundation/win32/WinInclude.h"
#include "foundation/win32/Window.h"
#include "win32/TestWindows.h"

using namespace quillora;
using quillora::test::PumpUntil;

namespace {

constexpr UINT Ping = WM_APP + 7;

class TRecordingErrors : public TErrorHandler {
public:
    std::vector<String> Messages;
    void ShowError(const String& message) override { Messages.push_back(message); }
};

// A control that counts the pings it gets itself.
class TPingWindow : public TWindow {
public:
    int Pings = 0;
    bool Create()
    {
        TWindowParams params;
        params.Style = WS_POPUP;
        params.X = params.Y = 0;
        params.Width = params.Height = 50;
        params.Parent = HWND_MESSAGE; // no display needed
        return CreateHandle({L"QuilloraHookerTest"}, params);
    }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == Ping) {
            ++Pings;
            return 5;
        }
        return TWindow::WindowProc(msg, wParam, lParam);
    }
};

struct HookerWinTest : testing::Test {
    TRecordingErrors errors;
    TProvide<TErrorHandler> provided {errors};
    int before = 0;
    int after = 0;

    void Count(THooker& hooker, bool handle = false)
    {
        hooker.OnBeforeMessage = [this, handle](THooker&, MSG& message, LRESULT& result, bool& handled) {
            if (message.message != Ping) return;
            ++before;
            if (handle) {
                result = 9;
                handled = true;
            }
        };
        hooker.OnAfterMessage = [this](THooker&, const MSG& message) {
            if (message.message == Ping) ++after;
        };
    }
};

TEST_F(HookerWinTest, SeesTheControlsMessagesFirstAndMayHandleThem)
{
    TPingWindow control;
    ASSERT_TRUE(control.Create());
    {
        THooker hooker;
        Count(hooker);
        hooker.SetControl(control.Handle());
        EXPECT_EQ(SendMessageW(control.Handle(), Ping, 0, 0), 5);
        EXPECT_EQ(before, 1);
        EXPECT_EQ(after, 1);
        EXPECT_EQ(control.Pings, 1);
        Count(hooker, true);
        EXPECT_EQ(SendMessageW(control.Handle(), Ping, 0, 0), 9);
        EXPECT_EQ(control.Pings, 1); // handled: the control never saw it
        EXPECT_EQ(after, 1);
    }
    // The hooker is gone: the control's own procedure is back.
    EXPECT_EQ(SendMessageW(control.Handle(), Ping, 0, 0), 5);
    EXPECT_EQ(before, 2);
    EXPECT_EQ(control.Pings, 2);
}

TEST_F(HookerWinTest, ErrorsOfTheHandlersAreToldAndTheMessageGoesOn)
{
    TPingWindow control;
    ASSERT_TRUE(control.Create());
    THooker hooker;
    hooker.OnBeforeMessage = [](THooker&, MSG& message, LRESULT&, bool&) {
        if (message.message == Ping) throw Exception(u"before failed");
    };
    hooker.OnAfterMessage = [](THooker&, const MSG& message) {
        if (message.message == Ping) throw std::runtime_error("after failed");
    };
    hooker.SetControl(control.Handle());
    EXPECT_EQ(SendMessageW(control.Handle(), Ping, 0, 0), 5);
    EXPECT_EQ(control.Pings, 1);
    EXPECT_EQ(errors.Messages, (std::vector<String>{u"before failed", u"after failed"}));
}

TEST_F(HookerWinTest, FollowsTheControlWhenItsWindowIsMadeAgain)
{
    TPingWindow control;
    ASSERT_TRUE(control.Create());
    THooker hooker;
    Count(hooker);
    hooker.SetControl(control);
    ASSERT_EQ(hooker.Control(), control.Handle());

    // The control makes its window again (as for a change of style).
    control.DestroyHandle();
    EXPECT_EQ(hooker.Control(), nullptr);
    ASSERT_TRUE(control.Create());
    // The hook comes back from the message loop.
    EXPECT_TRUE(PumpUntil([&] { return hooker.Control() == control.Handle(); }, 1000));
    EXPECT_EQ(hooker.ControlWindow(), &control);
    SendMessageW(control.Handle(), Ping, 0, 0);
    EXPECT_EQ(before, 1);
    EXPECT_EQ(control.Pings, 1);

    // Twice in a row works the same.
    control.DestroyHandle();
    ASSERT_TRUE(control.Create());
    EXPECT_TRUE(PumpUntil([&] { return hooker.Control() == control.Handle(); }, 1000));
    SendMessageW(control.Handle(), Ping, 0, 0);
    EXPECT_EQ(before, 2);
}

TEST_F(HookerWinTest, IsDroppedWhenTheControlOrTheHookerGoes)
{
    // A plain window that is destroyed: nothing can bring it back.
    {
        TPingWindow control;
        ASSERT_TRUE(control.Create());
        THooker hooker;
        hooker.SetControl(control.Handle());
        control.DestroyHandle();
        EXPECT_EQ(hooker.Control(), nullptr);
        PumpUntil(nullptr, 50);
        ASSERT_TRUE(control.Create());
        PumpUntil(nullptr, 50);
        EXPECT_EQ(hooker.Control(), nullptr);
    }
    // The control object is destroyed with its window.
    {
        THooker hooker;
        {
            TPingWindow control;
            ASSERT_TRUE(control.Create());
            hooker.SetControl(control);
        }
        EXPECT_EQ(hooker.Control(), nullptr);
        EXPECT_EQ(hooker.ControlWindow(), nullptr);
        PumpUntil(nullptr, 50);
    }
    // The control object is destroyed while the hook waits to come back.
    {
        THooker hooker;
        {
            TPingWindow control;
            ASSERT_TRUE(control.Create());
            hooker.SetControl(control);
            control.DestroyHandle();
        }
        PumpUntil(nullptr, 50);
        EXPECT_EQ(hooker.Control(), nullptr);
        EXPECT_EQ(hooker.ControlWindow(), nullptr);
    }
    // The hooker is destroyed while its hook waits to come back.
    {
        TPingWindow control;
        ASSERT_TRUE(control.Create());
        {
            THooker hooker;
            Count(hooker);
            hooker.SetControl(control);
            control.DestroyHandle();
            ASSERT_TRUE(control.Create());
        }
        PumpUntil(nullptr, 50);
        SendMessageW(control.Handle(), Ping, 0, 0);
        EXPECT_EQ(before, 0);
        EXPECT_EQ(control.Pings, 1);
    }
    EXPECT_TRUE(errors.Messages.empty());
}

} // namespace
