// The Win32 side of the utilities, against the real system (run under Wine).
#include <gtest/gtest.h>

#include <string>

#include "foundation/Exceptions.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/Utils.h"
#include "foundation/win32/CursorServiceWin.h"
#include "foundation/win32/WinPaths.h"

using namespace quillora;

namespace {

bool IsFolder(const String& path)
{
    DWORD a = GetFileAttributesW(WidePtr(path));
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const String& path)
{
    DWORD a = GetFileAttributesW(WidePtr(path));
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

String Unique(const char16_t* prefix)
{
    return String(prefix) + IntToString(static_cast<long long>(GetCurrentProcessId())) + u"-" +
           IntToString(static_cast<long long>(GetTickCount()));
}

struct UtilsWinTest : testing::Test {
    TLanguageId savedLanguage = 0;
    void SetUp() override
    {
        savedLanguage = Localization().Language();
        Localization().SetLanguage(LangEnglish);
    }
    void TearDown() override { Localization().SetLanguage(savedLanguage); }
};

TEST_F(UtilsWinTest, Folders)
{
    String temp = GetTempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), u'\\');
    EXPECT_TRUE(IsFolder(temp)) << StringToUtf8(temp);

    String program = GetProgramFolder();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), u'\\');
    EXPECT_TRUE(IsFile(program + u"quillora_tests.exe")) << StringToUtf8(program);
    EXPECT_EQ(Service<TMessageBoxService>().ApplicationTitle(), u"quillora_tests");
}

TEST_F(UtilsWinTest, ShellOpenOfAMissingFolderRaisesPathNotFound)
{
    String folder = u"C:\\" + Unique(u"quillora-missing-") + u"\\";
    try {
        ShellOpen(folder, u"", u"", true, swShowNormal);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Path not found: " + folder);
    }
    EXPECT_FALSE(ShellOpen(folder, u"", u"", false, swShowNormal));
    EXPECT_EQ(BusyCount(), 0);
}

TEST_F(UtilsWinTest, RegistryReader)
{
    // A key of our own with a string, an expandable string and a number.
    const String key = u"Software\\QuilloraTests\\" + Unique(u"Registry");
    HKEY h;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, WidePtr(key), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = L"\"C:\\Program Files\\\u00C9diteur\\web.exe\" -url \"%1\"";
    RegSetValueExW(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    const wchar_t expand[] = L"%TEMP%\\x";
    RegSetValueExW(h, L"Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand);
    DWORD number = 7;
    RegSetValueExW(h, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(h);

    const TRegistryReader& reader = Service<TRegistryReader>();
    String value;
    EXPECT_TRUE(reader.ReadString(rrCurrentUser, key, u"", value));
    EXPECT_EQ(value, u"\"C:\\Program Files\\\u00C9diteur\\web.exe\" -url \"%1\"");
    EXPECT_TRUE(reader.ReadString(rrCurrentUser, key, u"Expand", value));
    EXPECT_EQ(value, u"%TEMP%\\x");
    EXPECT_FALSE(reader.ReadString(rrCurrentUser, key, u"Number", value));
    EXPECT_FALSE(reader.ReadString(rrCurrentUser, key, u"Missing", value));
    EXPECT_FALSE(reader.ReadString(rrCurrentUser, key + u"\\Missing", u"", value));
    RegDeleteKeyW(HKEY_CURRENT_USER, WidePtr(key));
}

TEST_F(UtilsWinTest, DefaultBrowserIsAProgramPathOrEmpty)
{
    String browser = GetDefaultBrowser();
    if (browser.empty()) GTEST_SKIP() << "no browser registered";
    EXPECT_NE(browser.front(), u'"');
    EXPECT_EQ(browser.find(u'"'), String::npos) << StringToUtf8(browser);
    EXPECT_FALSE(GetBaseName(browser).empty());
}

TEST_F(UtilsWinTest, CreateUniqueFileInAUnicodeFolder)
{
    String folder = GetTempFolder() + Unique(u"Quillora \u00C9t\u00E9 \u0416 ");
    ASSERT_TRUE(CreateDirectoryW(WidePtr(folder), nullptr));
    String taken = folder + u"\\Rplc1.tmp";
    HANDLE h = CreateFileW(WidePtr(taken), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    ASSERT_TRUE(CreateDirectoryW(WidePtr(folder + u"\\Rplc2.tmp"), nullptr)); // a folder takes the name too

    String name;
    auto file = CreateUniqueFile(u"Rplc%d", u"tmp", name, folder);
    ASSERT_TRUE(file);
    EXPECT_EQ(name, folder + u"\\Rplc3.tmp");
    file->Write("data", 4);
    file->Close();
    EXPECT_TRUE(IsFile(name));
    WIN32_FILE_ATTRIBUTE_DATA info{};
    ASSERT_TRUE(GetFileAttributesExW(WidePtr(name), GetFileExInfoStandard, &info));
    EXPECT_EQ(info.nFileSizeLow, 4u);

    // A folder that does not exist.
    try {
        CreateUniqueFile(u"Rplc%d", u"tmp", name, folder + u"\\missing");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind(u"Path not found: ", 0), 0u) << e.what();
    }

    DeleteFileW(WidePtr(name));
    DeleteFileW(WidePtr(taken));
    RemoveDirectoryW(WidePtr(folder + u"\\Rplc2.tmp"));
    EXPECT_TRUE(RemoveDirectoryW(WidePtr(folder)));
}

TEST_F(UtilsWinTest, ScreenCursor)
{
    TCursorService& cursors = Service<TCursorService>();
    EXPECT_EQ(cursors.ScreenCursor(), crDefault);
    BeginBusy();
    EXPECT_EQ(cursors.ScreenCursor(), crHourGlass);
    EndBusy();
    EXPECT_EQ(cursors.ScreenCursor(), crDefault);
    EXPECT_EQ(ScreenCursorHandle(crHourGlass), LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(ScreenCursorHandle(crDefault), LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(ScreenCursorHandle(17), LoadCursorW(nullptr, IDC_ARROW));
    HCURSOR beam = LoadCursorW(nullptr, IDC_IBEAM);
    RegisterScreenCursor(17, beam);
    EXPECT_EQ(ScreenCursorHandle(17), beam);
}

TEST_F(UtilsWinTest, ProgramCursorsLoad)
{
    // The cursor files the program's resources are made of are cursors the system reads,
    // with the hot spot where the pointer acts.
    const struct {
        const char* Name;
        DWORD HotX, HotY;
    } files[] = {{"crTextorFieldBeam", 8, 12}, {"crTextorContainerTextBeam", 8, 12}, {"crTextorLeftZone", 15, 1},
                 {"crTextorDragCopy", 1, 1},   {"diExpandButtonCursor", 8, 2}};
    for (const auto& file : files) {
        const std::string path = std::string("Z:") + QUILLORA_TEST_DATA + "/../../resources/cursors/" + file.Name + ".cur";
        HCURSOR cursor = static_cast<HCURSOR>(LoadImageA(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE));
        ASSERT_NE(cursor, nullptr) << file.Name;
        ICONINFO info {};
        ASSERT_TRUE(GetIconInfo(cursor, &info)) << file.Name;
        EXPECT_EQ(info.xHotspot, file.HotX) << file.Name;
        EXPECT_EQ(info.yHotspot, file.HotY) << file.Name;
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DestroyCursor(cursor);
    }
    // Without the resource, the standard cursor given stands in.
    LoadCursorResource(16, L"NoSuchCursor", crIBeam);
    EXPECT_EQ(ScreenCursorHandle(16), LoadCursorW(nullptr, IDC_IBEAM));
}

TEST_F(UtilsWinTest, NoActiveTopmostWindowWithoutWindows)
{
    EXPECT_FALSE(Service<TMessageBoxService>().ActiveWindowIsTopmost());
}

} // namespace
