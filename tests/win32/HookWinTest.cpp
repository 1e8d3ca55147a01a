// The keyboard hook library as the program uses it, under Wine: the real
// QuilloraHook.dll loaded from the test runner's folder, a popup of this thread as the
// list, and an edit window of another thread in front as the application typed into.
// Keys are injected with SendInput; without a display the key tests skip themselves.
#include <gtest/gtest.h>

#include "foundation/Exceptions.h"
#include "foundation/Utils.h"
#include "foundation/win32/WinInclude.h"
#include "foundation/win32/WinPaths.h"
#include "win32/TestWindows.h"
#include "typing/win32/HookLibrary.h"

using namespace quillora;
using namespace quillora::test;

namespace {

TWindowHandle Handle(HWND window) { return reinterpret_cast<TWindowHandle>(window); }

TEST(HookWinLibrary, LoadsFromTheProgramFolder)
{
    EXPECT_EQ(THookLibrary::DefaultFileName(), GetProgramFolder() + u"QuilloraHook.dll");
    THookLibrary library;
    EXPECT_FALSE(library.Loaded());
    ASSERT_TRUE(library.Load());
    EXPECT_TRUE(library.Loaded());
    EXPECT_TRUE(library.Load()); // once loaded, stays loaded

    // The exports keep their plain names (no stdcall decoration).
    HMODULE module = GetModuleHandleW(WidePtr(THookLibrary::DefaultFileName()));
    ASSERT_NE(module, nullptr);
    for (const char* name : {"HookKeys", "SetAllowBackspace", "UnhookKeys"})
        EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
}

TEST(HookWinLibrary, MissingFileIsReported)
{
    const String fileName = GetProgramFolder() + u"NoSuchHook.dll";
    THookLibrary library;
    try {
        library.Load(fileName);
        FAIL() << "no error for a missing file";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"File not found: " + fileName);
    }
    EXPECT_FALSE(library.Loaded());
}

TEST(HookWinLibrary, LibraryWithoutTheFunctionsIsNotUsed)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    THookLibrary library;
    // A library that loads but has none of the three functions, then a file that is no library.
    EXPECT_FALSE(library.Load(FromWide(system, wcslen(system)) + u"\\version.dll"));
    EXPECT_FALSE(library.Loaded());
    EXPECT_FALSE(library.Load(Utf8ToString(QUILLORA_TEST_DATA "/images/small.png")));
    EXPECT_FALSE(library.Loaded());
    // The calls do nothing then.
    library.HookKeys(0, 0);
    library.SetAllowBackspace(true);
    library.UnhookKeys();
    EXPECT_FALSE(library.Hooked());
    // A later attempt with the right library succeeds.
    EXPECT_TRUE(library.Load());
}

struct HookWinTest : testing::Test {
    THookLibrary library;
    TTokenWindow list;

    void SetUp() override { ASSERT_TRUE(library.Load()); }
    void TearDown() override { library.UnhookKeys(); }

    void Hook(const TTargetWindow& target)
    {
        list.Show();
        library.HookKeys(Handle(list.Window()), Handle(target.Frame()));
        library.SetAllowBackspace(false);
    }
    bool WaitForTokens(size_t count, unsigned ms = 3000)
    {
        return PumpUntil([&] { return list.tokens.size() >= count; }, ms);
    }
    static bool WaitForText(const TTargetWindow& target, const std::wstring& text, unsigned ms = 2000)
    {
        return PumpUntil([&] { return target.Text() == text; }, ms);
    }
};

using Tokens = std::vector<std::wstring>;

TEST_F(HookWinTest, KeysAreReportedInOrderAndOnlyCharactersReachTheTarget)
{
    TTargetWindow target;
    if (!target.Ready()) GTEST_SKIP() << "the target window could not come to the front (no display)";
    Hook(target);

    PressKeys({'A', 'B'});
    PressKeys({VK_HOME});
    PressKeys({'C'}, VK_SHIFT);
    PressKeys({VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_END, VK_PRIOR, VK_NEXT});
    PressKeys({'3'}, VK_SHIFT);
    PressKeys({'Q'}, VK_CONTROL); // a control code, no character
    PressKeys({VK_OEM_PERIOD});
    const bool arrived = WaitForTokens(15);
    if (list.tokens.empty() && !HaveDisplay()) GTEST_SKIP() << "injected keys are not delivered without a display";
    EXPECT_TRUE(arrived);
    const Tokens expected{L"a",       L"b",     L"[HOME]",  L"C",      L"[ENTER]", L"[ESC]",  L"[UP]", L"[DOWN]",
                          L"[LEFT]", L"[RIGHT]", L"[END]", L"[PGUP]", L"[PGDN]",  L"#",      L"."};
    EXPECT_EQ(list.tokens, expected);
    EXPECT_EQ(list.badMessages, 0);
    // Home, Enter and the arrows were kept back: the characters stand in typing order
    // on one line.
    WaitForText(target, L"abC#.");
    EXPECT_EQ(target.Text(), L"abC#.");
}

TEST_F(HookWinTest, BackspaceReachesTheTargetOnlyWhileAllowed)
{
    TTargetWindow target;
    if (!target.Ready()) GTEST_SKIP() << "the target window could not come to the front (no display)";
    Hook(target);

    PressKeys({'A', 'B'});
    if (!WaitForText(target, L"ab") && !HaveDisplay()) GTEST_SKIP() << "injected keys are not delivered without a display";
    ASSERT_EQ(target.Text(), L"ab");

    PressKeys({VK_BACK});
    EXPECT_TRUE(WaitForTokens(3));
    PumpUntil(nullptr, 200);
    EXPECT_EQ(target.Text(), L"ab");

    library.SetAllowBackspace(true);
    PressKeys({VK_BACK});
    EXPECT_TRUE(WaitForText(target, L"a"));
    EXPECT_TRUE(WaitForTokens(4));

    library.SetAllowBackspace(false);
    PressKeys({VK_BACK});
    EXPECT_TRUE(WaitForTokens(5));
    PumpUntil(nullptr, 200);
    EXPECT_EQ(target.Text(), L"a");
    EXPECT_EQ(list.tokens, (Tokens{L"a", L"b", L"[BACKSPACE]", L"[BACKSPACE]", L"[BACKSPACE]"}));
}

TEST_F(HookWinTest, NothingIsReportedAfterUnhooking)
{
    TTargetWindow target;
    if (!target.Ready()) GTEST_SKIP() << "the target window could not come to the front (no display)";
    Hook(target);

    // A character that no key of the layout types comes as Unicode input.
    PressUnicode(L'\u00E9');
    if (!WaitForTokens(1) && !HaveDisplay()) GTEST_SKIP() << "injected keys are not delivered without a display";
    EXPECT_EQ(list.tokens, Tokens{L"\u00E9"});
    EXPECT_TRUE(WaitForText(target, L"\u00E9"));

    library.UnhookKeys();
    EXPECT_FALSE(library.Hooked());
    PressKeys({'X', VK_HOME, 'Y'});
    EXPECT_TRUE(WaitForText(target, L"y\u00E9x"));
    PumpUntil(nullptr, 200);
    EXPECT_EQ(list.tokens, Tokens{L"\u00E9"});
}

TEST_F(HookWinTest, KeysOfAnotherWindowInFrontAreLeftAlone)
{
    TTargetWindow target(100, 100);
    TTargetWindow other(200, 300); // comes to the front
    if (!other.Ready()) GTEST_SKIP() << "the window could not come to the front (no display)";
    Hook(target);

    PressKeys({'Q', VK_HOME, 'W'});
    if (!WaitForText(other, L"wq") && !HaveDisplay()) GTEST_SKIP() << "injected keys are not delivered without a display";
    EXPECT_EQ(other.Text(), L"wq");
    PumpUntil(nullptr, 100);
    EXPECT_TRUE(list.tokens.empty());
    EXPECT_EQ(target.Text(), L"");
}

} // namespace
