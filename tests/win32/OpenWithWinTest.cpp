// The registry reader's enumeration and the "Open with" list against the real registry
// of the test's Wine prefix, with keys written for a made-up extension (the classes
// through HKEY_CLASSES_ROOT, the user's choices under HKEY_CURRENT_USER) and removed
// afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

#include "foundation/Files.h"
#include "foundation/Service.h"
#include "foundation/Utils.h"
#include "foundation/win32/WinPaths.h"
#include "library/DataElementUtils.h"

using namespace quillora;

namespace {

String Unique(const char16_t* prefix)
{
    return String(prefix) + IntToString(static_cast<long long>(GetCurrentProcessId())) + u"x" +
           IntToString(static_cast<long long>(GetTickCount()));
}

void SetString(HKEY root, const String& key, const wchar_t* name, const String& value, DWORD type = REG_SZ)
{
    HKEY h;
    ASSERT_EQ(RegCreateKeyExW(root, WidePtr(key), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS)
        << StringToUtf8(key);
    RegSetValueExW(h, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
}

void SetString(const String& key, const wchar_t* name, const String& value, DWORD type = REG_SZ)
{
    SetString(HKEY_CURRENT_USER, key, name, value, type);
}

void CreateKey(HKEY root, const String& key) { SetString(root, key, L"Unused", u"", REG_SZ); }
void CreateKey(const String& key) { CreateKey(HKEY_CURRENT_USER, key); }

// The keys of one test, removed with everything under them however the test ends.
struct KeyCleanup {
    std::vector<std::pair<HKEY, String>> keys;
    ~KeyCleanup()
    {
        for (const auto& [root, key] : keys) RegDeleteTreeW(root, WidePtr(key));
    }
};

TEST(RegistryReaderWinTest, EnumeratesSubkeysAndValueNames)
{
    const String key = u"Software\\QuilloraTests\\" + Unique(u"Enum");
    KeyCleanup cleanup{{{HKEY_CURRENT_USER, key}}};
    CreateKey(key + u"\\First");
    CreateKey(key + u"\\\u00C9l\u00E8ve \u0416");
    SetString(key, nullptr, u"default");
    SetString(key, L"One", u"1");
    SetString(key, L"Zw\u00F6lf", u"12", REG_EXPAND_SZ);

    const TRegistryReader& reader = Service<TRegistryReader>();
    EXPECT_TRUE(reader.KeyExists(rrCurrentUser, key));
    std::vector<String> names;
    ASSERT_TRUE(reader.GetSubKeyNames(rrCurrentUser, key, names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<String>{u"First", u"\u00C9l\u00E8ve \u0416"}));
    ASSERT_TRUE(reader.GetValueNames(rrCurrentUser, key, names));
    std::sort(names.begin(), names.end());
    // The default value has no name and is not listed.
    EXPECT_EQ(names, (std::vector<String>{u"One", u"Zw\u00F6lf"}));

    EXPECT_FALSE(reader.KeyExists(rrCurrentUser, key + u"\\Missing"));
    names = {u"stale"};
    EXPECT_FALSE(reader.GetSubKeyNames(rrCurrentUser, key + u"\\Missing", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(reader.GetValueNames(rrCurrentUser, key + u"\\Missing", names));
    ASSERT_TRUE(reader.GetSubKeyNames(rrCurrentUser, key + u"\\First", names));
    EXPECT_TRUE(names.empty());
}

TEST(OpenWithWinTest, ListsTheProgramsRegisteredForAnExtension)
{
    const String extension = AsciiLowerCase(Unique(u"qow"));
    const String folder = GetTempFolder() + Unique(u"Quillora Open With ");
    ASSERT_TRUE(ForceFolders(folder));
    const String viewer = folder + u"\\Viewer Tool.exe", recent = folder + u"\\recent.exe",
                 editor = folder + u"\\editor.exe";
    for (const String& file : {viewer, recent, editor}) WriteWholeFile(file, "MZ");

    const HKEY classes = HKEY_CLASSES_ROOT;
    const String progId = u"QuilloraTest." + extension;
    const String userExts = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\." + extension;
    const String muiCache = u"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
    KeyCleanup cleanup{{{classes, u"." + extension},
                        {classes, u"Applications\\viewer." + extension + u".exe"},
                        {classes, u"Applications\\recent." + extension + u".exe"},
                        {classes, progId},
                        {HKEY_CURRENT_USER, userExts}}};

    // Two programs registered for the extension, one of them recently used, and a file
    // type whose command names its program through an environment variable.
    const String viewerName = u"viewer." + extension + u".exe", recentName = u"recent." + extension + u".exe";
    CreateKey(classes, u"." + extension + u"\\OpenWithList\\" + viewerName);
    SetString(classes, u"Applications\\" + viewerName + u"\\shell\\open\\command", nullptr,
              u"\"" + viewer + u"\" \"%1\"");
    SetString(classes, u"Applications\\" + recentName + u"\\shell\\edit\\command", nullptr, u"\"" + recent + u"\" %1");
    SetString(userExts + u"\\OpenWithList", L"MRUList", u"a");
    SetString(userExts + u"\\OpenWithList", L"a", recentName);
    SetString(userExts, L"Application", viewerName);
    SetString(classes, u"." + extension + u"\\OpenWithProgids", WidePtr(progId), u"");
    ASSERT_TRUE(SetEnvironmentVariableW(L"QUILLORA_OPEN_WITH_DIR", WidePtr(folder)));
    SetString(classes, progId + u"\\shell\\view\\command", nullptr, u"\"%QUILLORA_OPEN_WITH_DIR%\\editor.exe\" /v %1",
              REG_EXPAND_SZ);
    // The shell's cached display name of one program.
    SetString(muiCache, WidePtr(viewer), u"Viewer Tool Deluxe");

    std::vector<String> values, names;
    int defaultIndex = 7;
    Service<TOpenWithPrograms>().Build(extension, {u"edit", u"open", u"view"}, values, names, defaultIndex);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, WidePtr(muiCache), WidePtr(viewer));

    EXPECT_EQ(values, (std::vector<String>{recent, viewer, editor}));
    EXPECT_EQ(names, (std::vector<String>{u"recent", u"Viewer Tool Deluxe", u"editor"}));
    EXPECT_EQ(defaultIndex, 1);

    for (const String& file : {viewer, recent, editor}) DeleteFileW(WidePtr(file));
    RemoveDirectoryW(WidePtr(folder));
}

} // namespace
