// The settings dialog's real controls under Wine: the system's hotkey control, the number
// edit with its up-down control and the notes in the shadow colour carry the settings,
// and OK writes what they hold.

#include "foundation/win32/WinInclude.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "foundation/Localization.h"
#include "foundation/Utils.h"
#include "foundation/win32/WinPaths.h"
#include "shell/Global.h"
#include "shell/SettingsForm.h"
#include "shell/win32/SettingsDialog.h"
#include "win32/TestWindows.h"

namespace quillora {
namespace {

std::vector<HWND> Children(HWND parent, const wchar_t* className)
{
    std::vector<HWND> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] {};
        GetClassNameW(child, name, 64);
        if (lstrcmpiW(name, className) == 0) found.push_back(child);
    }
    return found;
}

String Text(HWND window)
{
    wchar_t buffer[512] {};
    int n = GetWindowTextW(window, buffer, 512);
    return String(reinterpret_cast<const Char*>(buffer), static_cast<size_t>(n));
}

class SettingsDialogWinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::HaveDisplay()) GTEST_SKIP() << "top-level windows need a display";
        savedLanguage_ = Localization().Language();
        folder_ = GetTempFolder() + u"QuilloraSettingsDialog" + IntToString(static_cast<int>(GetCurrentProcessId())) + u"\\";
        global_ = std::make_unique<TGlobal>();
        global_->DataModuleCreate(ComputeFilePaths(folder_ + u"data\\", folder_ + u"docs\\", u"Quillora"));
        global_->Settings().General().Language().SetValue(u"ENU");
        TSettingsForm::LastSettingsPage = 0;
    }
    void TearDown() override
    {
        if (!global_) return;
        global_.reset();
        Localization().SetLanguage(savedLanguage_);
        TSettingsForm::LastSettingsPage = 0;
    }

    TLanguageId savedLanguage_ = 0;
    String folder_;
    std::unique_ptr<TGlobal> global_;
};

TEST_F(SettingsDialogWinTest, RealControlsCarryTheSettingsAndOkWritesThem)
{
    TGeneralSettings& general = global_->Settings().General();
    TSettingsDialog dialog(*global_, nullptr);
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.Handle();
    EXPECT_EQ(Text(window), u"Settings");

    std::vector<HWND> hotKeys = Children(window, HOTKEY_CLASSW);
    ASSERT_EQ(hotKeys.size(), 1u);
    EXPECT_EQ(SendMessageW(hotKeys[0], HKM_GETHOTKEY, 0, 0), MAKEWORD('B', HOTKEYF_CONTROL));
    SendMessageW(hotKeys[0], HKM_SETHOTKEY, MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);

    // The delay: the only number edit; the setter clamps what is typed.
    HWND delay = nullptr;
    for (HWND edit : Children(window, L"Edit"))
        if (GetWindowLongW(edit, GWL_STYLE) & ES_NUMBER) delay = edit;
    ASSERT_NE(delay, nullptr);
    EXPECT_EQ(Text(delay), u"1");
    SetWindowTextW(delay, L"500");

    // The notes are drawn in the system's dark shadow colour.
    HWND note = nullptr;
    for (HWND label : Children(window, L"Static"))
        if (Text(label).rfind(u"If snippets are typed", 0) == 0) note = label;
    ASSERT_NE(note, nullptr);
    HDC dc = GetDC(note);
    SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(note));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_3DDKSHADOW));
    ReleaseDC(note, dc);

    SendMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(dialog.Done());
    EXPECT_EQ(general.DropDownHotKey().Value(), u"Shift+Ctrl+K");
    EXPECT_EQ(general.Interval().Value(), 200);
}

TEST_F(SettingsDialogWinTest, CancelWritesNothingAndTheNextDialogOpensOnTheLastPage)
{
    TGeneralSettings& general = global_->Settings().General();
    {
        TSettingsDialog dialog(*global_, nullptr);
        ASSERT_TRUE(dialog.Create());
        HWND tree = Children(dialog.Handle(), WC_TREEVIEWW).at(0);
        HTREEITEM first = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        HTREEITEM second = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(first)));
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
        HWND hotKey = Children(dialog.Handle(), HOTKEY_CLASSW).at(0);
        EXPECT_FALSE(IsWindowVisible(hotKey)); // on the first page, not shown now
        SendMessageW(hotKey, HKM_SETHOTKEY, MAKEWORD('Q', HOTKEYF_ALT), 0);
        SendMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(dialog.Done());
    }
    EXPECT_EQ(general.DropDownHotKey().Value(), u"Ctrl+B");
    EXPECT_EQ(TSettingsForm::LastSettingsPage, 1);
}

} // namespace
} // namespace quillora
