// The window base against real windows (under Wine): errors stop at the window
// procedure, input arrives as the core's events, classes are registered once, the view
// is served (on windows that only receive messages, which need no display), and a window
// maximized while hidden comes back maximized (on a display; skipped without one).
#include <gtest/gtest.h>

#include "foundation/win32/WinInclude.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <string>
#include <stdexcept>
#include <vector>

#include "foundation/ErrorHandler.h"
#include "foundation/Exceptions.h"
#include "foundation/FormPlacement.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "foundation/win32/WinInclude.h"
#include "foundation/win32/Window.h"
#include "foundation/win32/WindowPlacementForm.h"
#include "win32/TestWindows.h"

using namespace quillora;
using quillora::test::PumpUntil;

namespace {

class TRecordingErrors : public TErrorHandler {
public:
    std::vector<String> Messages;
    void ShowError(const String& message) override { Messages.push_back(message); }
};

// What a key handler saw: 'D' down, 'P' press, 'U' up.
struct TKeySeen {
    char Kind;
    TKeyEvent Event;
};

class TTestWindow : public TWindow {
public:
    enum TFailure { fNone, fOwnError, fStandardError, fAnything };
    TFailure Fail = fNone;
    std::vector<TKeySeen> Keys;
    std::vector<TPointerEvent> Presses;
    std::vector<TPointerEvent> Releases;

    // A window that only receives messages, unless `topLevel` (which needs a display).
    bool Create(const wchar_t* className = L"QuilloraWindowTest", DWORD style = WS_OVERLAPPEDWINDOW,
                bool topLevel = false)
    {
        TWindowParams params;
        params.Style = style;
        params.Parent = topLevel ? nullptr : HWND_MESSAGE;
        params.X = 100;
        params.Y = 100;
        params.Width = 300;
        params.Height = 200;
        return CreateHandle({className}, params);
    }

protected:
    void KeyDown(TKeyEvent& event) override { Record('D', event); }
    void KeyPress(TKeyEvent& event) override { Record('P', event); }
    void KeyUp(TKeyEvent& event) override { Record('U', event); }
    void PointerDown(const TPointerEvent& event) override { Presses.push_back(event); }
    void PointerUp(const TPointerEvent& event) override { Releases.push_back(event); }

private:
    void Record(char kind, TKeyEvent& event)
    {
        switch (Fail) {
        case fOwnError: throw Exception(u"The key broke");
        case fStandardError: throw std::runtime_error("standard failure");
        case fAnything: throw 7;
        case fNone: break;
        }
        Keys.push_back({kind, event});
        // Consumed: the system's own handling of keys (menus, Alt+F4) stays out of the test.
        event.Consume();
    }
};

// Dispatches this thread's messages as they are, without making characters of keys.
bool DispatchUntil(const std::function<bool()>& done, unsigned ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    while (!done() && GetTickCount64() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(1);
    }
    return done();
}

// Keyboard state of this thread with only the given keys held.
void HoldKeys(std::initializer_list<int> keys)
{
    BYTE state[256] {};
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

struct WindowWinTest : testing::Test {
    TRecordingErrors errors;
    TProvide<TErrorHandler> provided {errors};
    TTestWindow window;

    void SetUp() override
    {
        HoldKeys({});
        ASSERT_TRUE(window.Create());
    }
    void TearDown() override { HoldKeys({}); }
};

TEST_F(WindowWinTest, AnErrorInAHandlerReachesTheErrorHandlerAndTheWindowGoesOn)
{
    HWND hwnd = window.Handle();
    window.Fail = TTestWindow::fOwnError;
    EXPECT_EQ(SendMessageW(hwnd, WM_KEYDOWN, 'A', 0), 0);
    window.Fail = TTestWindow::fStandardError;
    SendMessageW(hwnd, WM_CHAR, 'a', 0);
    window.Fail = TTestWindow::fAnything;
    PostMessageW(hwnd, WM_KEYUP, 'A', 0);
    PumpUntil([this] { return errors.Messages.size() == 3; }, 1000);
    EXPECT_EQ(errors.Messages, (std::vector<String>{u"The key broke", u"standard failure", u"Unexpected error"}));

    window.Fail = TTestWindow::fNone;
    SendMessageW(hwnd, WM_KEYDOWN, 'B', 0);
    ASSERT_EQ(window.Keys.size(), 1u);
    EXPECT_EQ(window.Keys[0].Event.Key, kcA + 1);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(TWindow::FromHandle(hwnd), &window);
}

TEST_F(WindowWinTest, KeysArriveWithModifiersRepeatAndTime)
{
    HWND hwnd = window.Handle();
    HoldKeys({VK_CONTROL, VK_SHIFT});
    const uint32_t before = GetTickCount();
    PostMessageW(hwnd, WM_KEYDOWN, VK_DELETE, 1 | (1 << 30)); // held and repeating
    PostMessageW(hwnd, WM_CHAR, 0x00E9, 1);
    PostMessageW(hwnd, WM_KEYUP, VK_DELETE, 1 | (1u << 31) | (1 << 30));
    DispatchUntil([this] { return window.Keys.size() == 3; }, 1000);
    HoldKeys({});
    // Alt comes with the system messages, also when the keyboard state lacks it.
    PostMessageW(hwnd, WM_SYSKEYDOWN, 'F', 1 | (1 << 29));
    PostMessageW(hwnd, WM_SYSCHAR, 'f', 1 | (1 << 29));
    DispatchUntil([this] { return window.Keys.size() == 5; }, 1000);
    const uint32_t after = GetTickCount();

    ASSERT_EQ(window.Keys.size(), 5u);
    struct Expected {
        char kind;
        TKeyCode key;
        Char ch;
        TShiftState shift;
        bool repeat;
    };
    const Expected expected[] = {
        {'D', kcDelete, 0, ssCtrl | ssShift, true},
        {'P', kcNone, u'\u00E9', ssCtrl | ssShift, false},
        {'U', kcDelete, 0, ssCtrl | ssShift, false},
        {'D', kcF, 0, ssAlt, false},
        {'P', kcNone, u'f', ssAlt, false},
    };
    for (size_t i = 0; i < 5; ++i) {
        const TKeySeen& seen = window.Keys[i];
        EXPECT_EQ(seen.Kind, expected[i].kind) << i;
        EXPECT_EQ(seen.Event.Key, expected[i].key) << i;
        EXPECT_EQ(seen.Event.Ch, expected[i].ch) << i;
        EXPECT_EQ(seen.Event.Shift, expected[i].shift) << i;
        EXPECT_EQ(seen.Event.Repeat, expected[i].repeat) << i;
        EXPECT_LE(seen.Event.Time - before, after - before) << i;
    }
}

TEST_F(WindowWinTest, PressesAreCountedInSeries)
{
    HWND hwnd = window.Handle();
    // The series continue within the double-click distance (half the system's rectangle)
    // and time; posted at once, every press is within the time.
    const int dx = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
    struct Press {
        UINT message;
        WPARAM keys;
        int x, y;
        int count;
        TPointerButton button;
        TShiftState shift;
    };
    const Press presses[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 10, 10, 1, pbLeft, ssLeft | ssShift},
        {WM_LBUTTONDOWN, MK_LBUTTON, 10 + dx, 10, 2, pbLeft, ssLeft | ssDouble},
        {WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, 10, 10 - dx, 3, pbLeft, ssLeft | ssCtrl},
        {WM_LBUTTONDOWN, MK_LBUTTON, 10, 10, 4, pbLeft, ssLeft},
        {WM_LBUTTONDOWN, MK_LBUTTON, 10, 10, 5, pbLeft, ssLeft},
        {WM_LBUTTONDOWN, MK_LBUTTON, 11 + dx, 10, 1, pbLeft, ssLeft}, // too far: a new series
        {WM_RBUTTONDOWN, MK_RBUTTON, 11 + dx, 10, 1, pbRight, ssRight}, // another button
        {WM_LBUTTONDOWN, MK_LBUTTON, 11 + dx, 10, 1, pbLeft, ssLeft},
        {WM_MBUTTONDOWN, MK_MBUTTON, 40, 30, 1, pbMiddle, ssMiddle},
    };
    for (const Press& p : presses) {
        PostMessageW(hwnd, p.message, p.keys, MAKELPARAM(p.x, p.y));
        PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    const size_t n = std::size(presses);
    PumpUntil([&] { return window.Presses.size() == n && window.Releases.size() == n; }, 2000);
    ASSERT_EQ(window.Presses.size(), n);
    for (size_t i = 0; i < n; ++i) {
        const TPointerEvent& e = window.Presses[i];
        EXPECT_EQ(e.ClickCount, presses[i].count) << i;
        EXPECT_EQ(e.Button, presses[i].button) << i;
        EXPECT_EQ(e.Shift, presses[i].shift) << i;
        EXPECT_EQ(e.Point, (TPoint {presses[i].x, presses[i].y})) << i;
    }
    ASSERT_EQ(window.Releases.size(), n);
    EXPECT_EQ(window.Releases[0].Button, pbLeft);
    EXPECT_EQ(window.Releases[0].ClickCount, 1);
    // A press far later starts a new series (the message clock decides, not the pump).
    EXPECT_GT(window.DoubleClickTime(), 0u);
}

// A view that records what its window hands over.
class TRecordingView : public TView {
public:
    std::vector<String> Seen;
    TPointerEvent LastWheel;
    TPoint LastMenuPoint;
    bool ScrollsOnWheel = true;

    bool Wheel(const TPointerEvent& event) override
    {
        LastWheel = event;
        Seen.push_back(u"wheel");
        return ScrollsOnWheel;
    }
    bool ContextMenu(TPoint screenPoint, bool byKeyboard) override
    {
        LastMenuPoint = screenPoint;
        Seen.push_back(byKeyboard ? u"menu by key" : u"menu");
        return true;
    }
    void Timer(int id) override
    {
        Seen.push_back(u"timer " + IntToString(id));
        host->StopTimer(id);
    }
    void Resized(int width, int height) override { Seen.push_back(u"size " + IntToString(width)); }
    void Scroll(TScrollBarKind bar, TScrollCode code, int position) override
    {
        Seen.push_back(u"scroll " + IntToString(code) + u" " + IntToString(position));
    }
    void CancelMode() override { Seen.push_back(u"cancel"); }
    bool DropFiles(const std::vector<String>& fileNames, TPoint point) override
    {
        Dropped = fileNames;
        DroppedAt = point;
        Seen.push_back(u"drop");
        if (FailDrop) throw Exception(u"The drop broke");
        return true;
    }

    TViewHost* host = nullptr;
    std::vector<String> Dropped;
    TPoint DroppedAt;
    bool FailDrop = false;
};

// A drop as the shell hands it over: a DROPFILES header, then the wide names one after
// the other, each with its zero, and one more zero at the end.
HGLOBAL MakeDrop(const std::vector<std::wstring>& names, POINT at)
{
    size_t chars = 1;
    for (const std::wstring& name : names) chars += name.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    if (!memory) return nullptr;
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fNC = FALSE;
    header->fWide = TRUE;
    auto* list = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
    for (const std::wstring& name : names) {
        std::copy(name.begin(), name.end(), list);
        list += name.size() + 1; // GHND zeroed the terminators
    }
    GlobalUnlock(memory);
    return memory;
}

TEST_F(WindowWinTest, TheAttachedViewGetsTheInputAndItsHostServesIt)
{
    TRecordingView view;
    TTestWindow plain; // a window of the same class, with a scroll bar
    ASSERT_TRUE(plain.Create(L"QuilloraWindowTest", WS_OVERLAPPEDWINDOW | WS_VSCROLL));
    plain.SetView(&view);
    view.host = &plain;
    HWND hwnd = plain.Handle();

    const TPoint origin = plain.ClientToScreen({0, 0});
    EXPECT_EQ(plain.ScreenToClient(plain.ClientToScreen({7, 9})), (TPoint {7, 9}));
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, 2 * WHEEL_DELTA), MAKELPARAM(origin.X + 5, origin.Y + 6));
    EXPECT_EQ(view.LastWheel.Point, (TPoint {5, 6}));
    EXPECT_EQ(view.LastWheel.WheelDelta, 2 * TPointerEvent::WheelNotch);
    EXPECT_EQ(view.LastWheel.Shift, ssCtrl);
    SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(300, 310));
    EXPECT_EQ(view.LastMenuPoint, (TPoint {300, 310}));
    plain.ShowCaret(Bounds(4, 20, 1, 16)); // the keyboard's menu opens below the caret
    SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), static_cast<LPARAM>(-1));
    EXPECT_EQ(view.LastMenuPoint, plain.ClientToScreen({4, 36}));
    plain.HideCaret();

    plain.SetScrollRange(sbVertical, {0, 999, 100, 250});
    EXPECT_EQ(plain.GetScrollRange(sbVertical), (TScrollRange {0, 999, 100, 250}));
    view.Seen.clear();
    SendMessageW(hwnd, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(view.Seen, (std::vector<String>{u"scroll " + IntToString(scPageDown) + u" 250", u"cancel",
                                              u"size " + IntToString(plain.ClientRect().Width())}));

    view.Seen.clear();
    plain.StartTimer(3, 10);
    EXPECT_TRUE(PumpUntil([&] { return !view.Seen.empty(); }, 2000));
    PumpUntil(nullptr, 60); // stopped by the view: no second tick
    EXPECT_EQ(view.Seen, (std::vector<String>{u"timer 3"}));

    // Without a view the window's own handlers (here: none) get the input.
    plain.SetView(nullptr);
    SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(origin.X, origin.Y));
    EXPECT_EQ(view.Seen.size(), 1u);
}

TEST_F(WindowWinTest, DroppedFilesReachTheViewWithTheirPointAndTheWindowAcceptsThemWhenAsked)
{
    TRecordingView view;
    window.SetView(&view);
    HWND hwnd = window.Handle();
    auto accepts = [&] { return (GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; };
    EXPECT_FALSE(accepts());
    window.AcceptFiles(true);
    EXPECT_TRUE(accepts());

    const std::vector<std::wstring> names {L"C:\\pictures\\Photo one.png", L"C:\\\u00E9t\u00E9\\\u0416.PNG"};
    HGLOBAL drop = MakeDrop(names, {12, 34});
    ASSERT_NE(drop, nullptr);
    EXPECT_EQ(SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0), 0);
    EXPECT_EQ(view.Dropped, (std::vector<String>{u"C:\\pictures\\Photo one.png", u"C:\\\u00E9t\u00E9\\\u0416.PNG"}));
    EXPECT_EQ(view.DroppedAt, (TPoint {12, 34}));

    // An error of the view stops at the window procedure and is told.
    view.FailDrop = true;
    drop = MakeDrop({L"C:\\x.png"}, {1, 2});
    SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    EXPECT_EQ(errors.Messages, (std::vector<String>{u"The drop broke"}));

    // The window made again keeps accepting; asked to stop, it does.
    window.DestroyHandle();
    ASSERT_TRUE(window.Create());
    EXPECT_TRUE(accepts());
    window.AcceptFiles(false);
    EXPECT_FALSE(accepts());
    window.SetView(nullptr);
}

TEST(WindowHintWinTest, AHintShowsAfterThePauseWithItsTextAndGoesWhenHidden)
{
    if (!quillora::test::HaveDisplay()) GTEST_SKIP() << "tooltips need a display";
    INITCOMMONCONTROLSEX controls {sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    TTestWindow window;
    ASSERT_TRUE(window.Create(L"QuilloraWindowTest", WS_OVERLAPPEDWINDOW, true));
    window.ShowHint(u"a hint of the element", {150, 150}, 0);
    EXPECT_EQ(window.HintWindow(), nullptr); // the pause first
    ASSERT_TRUE(PumpUntil([&] { return window.HintWindow() != nullptr; }, 3000));
    HWND tip = window.HintWindow();
    EXPECT_TRUE(IsWindowVisible(tip));
    wchar_t text[64] {};
    TTTOOLINFOW tool {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window.Handle();
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"a hint of the element");

    window.HideHint();
    EXPECT_EQ(window.HintWindow(), nullptr);
    EXPECT_FALSE(IsWindowVisible(tip));
    // A hint asked for and taken back before the pause ends never shows.
    window.ShowHint(u"gone", {150, 150}, 0);
    window.HideHint();
    PumpUntil(nullptr, 300);
    EXPECT_EQ(window.HintWindow(), nullptr);
}

TEST(WindowClassWinTest, RegisteredOnceForTwoWindowsAndKeptForLaterOnes)
{
    const wchar_t* name = L"QuilloraWindowTestTwice";
    EXPECT_FALSE(TWindow::ClassRegistered(name));
    {
        TTestWindow first, second;
        ASSERT_TRUE(first.Create(name));
        EXPECT_TRUE(TWindow::ClassRegistered(name));
        ASSERT_TRUE(second.Create(name));
        EXPECT_NE(first.Handle(), second.Handle());
        EXPECT_EQ(TWindow::FromHandle(first.Handle()), &first);
        EXPECT_EQ(TWindow::FromHandle(second.Handle()), &second);
        // A second registration of the name by anyone fails: the class exists once.
        WNDCLASSEXW wc {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = name;
        EXPECT_EQ(RegisterClassExW(&wc), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    }
    // The windows are gone with their objects; the class stays for the next one.
    TTestWindow third;
    ASSERT_TRUE(third.Create(name));
    HWND hwnd = third.Handle();
    third.DestroyHandle();
    EXPECT_EQ(third.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(TWindow::FromHandle(GetDesktopWindow()), nullptr);
    ASSERT_TRUE(third.Create(name));
}

TEST(WindowPlacementWinTest, AWindowMaximizedWhileHiddenComesBackMaximizedAndSaysSo)
{
    if (!quillora::test::HaveDisplay()) GTEST_SKIP() << "top-level windows need a display";
    TTestWindow window;
    ASSERT_TRUE(window.Create(L"QuilloraWindowTestPlacement", WS_OVERLAPPEDWINDOW, true));
    TWindowPlacementForm form(window);
    TKnot stored(u"MainForm");
    stored.WriteBool(u"Maximized", true);
    stored.ReadFormPlacement(form);
    // Still hidden: the placement carries the maximized state, and reading it says so.
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(form.Maximized());
    TKnot written(u"MainForm");
    written.WriteFormPlacement(form);
    EXPECT_TRUE(written.ReadBool(u"Maximized", false));

    window.Show();
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(IsZoomed(window.Handle()));
    // Hidden to the tray and shown again, it stays maximized.
    ShowWindow(window.Handle(), SW_HIDE);
    EXPECT_TRUE(form.Maximized());
    window.Show();
    EXPECT_TRUE(IsZoomed(window.Handle()));
    // Restored by the user, it is saved as a normal window with its normal place.
    ShowWindow(window.Handle(), SW_RESTORE);
    EXPECT_FALSE(form.Maximized());
    TKnot normal(u"MainForm");
    normal.WriteFormPlacement(form);
    EXPECT_FALSE(normal.ReadBool(u"Maximized", true));
    EXPECT_EQ(normal.ReadInteger(u"Width", 0), 300);
}

TEST(WindowSnapWinTest, TheUsersDragSnapsToTheWorkAreaProgramMovesDoNot)
{
    if (!quillora::test::HaveDisplay()) GTEST_SKIP() << "top-level windows need a display";
    TTestWindow window;
    ASSERT_TRUE(window.Create(L"QuilloraWindowTestSnap", WS_OVERLAPPEDWINDOW, true));
    window.SetSnapToScreenEdges(true);
    HWND hwnd = window.Handle();
    MONITORINFO monitor {};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor));
    const RECT work = monitor.rcWork;
    auto left = [hwnd] {
        RECT r {};
        GetWindowRect(hwnd, &r);
        return r.left;
    };
    SetWindowPos(hwnd, nullptr, work.left + 6, work.top + 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(left(), work.left + 6); // the program's own move
    SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetWindowPos(hwnd, nullptr, work.left + 7, work.top + 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(left(), work.left); // the user's drag
    SetWindowPos(hwnd, nullptr, work.left + 40, work.top + 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(left(), work.left + 40);
    SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

} // namespace
