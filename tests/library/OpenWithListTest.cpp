// The "Open with" list built from the registry: a registry in memory, real program files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <utility>

#include "foundation/Service.h"
#include "foundation/Strings.h"
#include "foundation/UtilsServices.h"
#include "library/DataElementUtils.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// Keys and value names are found without regard to ASCII case, as in the registry.
struct MemoryRegistry : TRegistryReader {
    struct Key {
        std::vector<String> SubKeys;
        std::vector<std::pair<String, String>> Values; // name (empty: default), data
    };
    std::map<std::pair<int, String>, Key> keys;

    Key& Add(TRegistryRoot root, const String& key) { return keys[{root, AsciiLowerCase(key)}]; }
    void Set(TRegistryRoot root, const String& key, const String& name, const String& data)
    {
        Add(root, key).Values.push_back({name, data});
    }
    const Key* Find(TRegistryRoot root, const String& key) const
    {
        auto it = keys.find({root, AsciiLowerCase(key)});
        return it == keys.end() ? nullptr : &it->second;
    }
    bool ReadString(TRegistryRoot root, const String& key, const String& name, String& value) const override
    {
        if (const Key* k = Find(root, key))
            for (const auto& [n, data] : k->Values)
                if (AsciiLowerCase(n) == AsciiLowerCase(name)) {
                    value = data;
                    return true;
                }
        return false;
    }
    bool KeyExists(TRegistryRoot root, const String& key) const override { return Find(root, key) != nullptr; }
    bool GetSubKeyNames(TRegistryRoot root, const String& key, std::vector<String>& names) const override
    {
        names.clear();
        const Key* k = Find(root, key);
        if (k) names = k->SubKeys;
        return k != nullptr;
    }
    bool GetValueNames(TRegistryRoot root, const String& key, std::vector<String>& names) const override
    {
        names.clear();
        const Key* k = Find(root, key);
        if (!k) return false;
        for (const auto& [n, data] : k->Values)
            if (!n.empty()) names.push_back(n);
        return true;
    }
};

const String UserExts = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.qtx";
const String MuiCache = u"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";

struct OpenWithListTest : ::testing::Test {
    MemoryRegistry registry;
    TProvide<TRegistryReader> provide{registry};
    TempFolder folder;

    // A program file that exists, and its registration under "Applications\<name>" with
    // a command for `verb`.
    String Program(const String& name, const String& verb = u"open")
    {
        const String path = folder.File(name);
        WriteBytes(path, "program");
        registry.Set(rrClassesRoot, u"Applications\\" + name + u"\\shell\\" + verb + u"\\command", {},
                     u"\"" + path + u"\" \"%1\"");
        return path;
    }
    struct Result {
        std::vector<String> values, names;
        int defaultIndex = 7;
    };
    Result Build(const String& extension = u"qtx")
    {
        Result r;
        BuildOpenWithList(extension, {u"edit", u"open", u"view"}, r.values, r.names, r.defaultIndex);
        return r;
    }
};

TEST_F(OpenWithListTest, RecentProgramsComeFirstThenRegisteredThenFileTypes)
{
    const String a = Program(u"alpha.exe"), b = Program(u"beta.exe"), c = Program(u"gamma.exe"),
                 d = Program(u"delta.exe");
    registry.Add(rrClassesRoot, u".qtx\\OpenWithList").SubKeys = {u"alpha.exe", u"beta.exe"};
    // Most recent first: "b" names gamma, "a" names delta.
    registry.Set(rrCurrentUser, UserExts + u"\\OpenWithList", u"MRUList", u"ba");
    registry.Set(rrCurrentUser, UserExts + u"\\OpenWithList", u"a", u"delta.exe");
    registry.Set(rrCurrentUser, UserExts + u"\\OpenWithList", u"b", u"gamma.exe");
    // A registered type, one the user added and the user's choice.
    const String viewer = folder.File(u"viewer.exe"), editor = folder.File(u"editor.exe"),
                 chosen = folder.File(u"chosen.exe");
    for (const String& path : {viewer, editor, chosen}) WriteBytes(path, "program");
    registry.Set(rrClassesRoot, u".qtx\\OpenWithProgids", u"Qtx.Viewer", {});
    registry.Set(rrClassesRoot, u"Qtx.Viewer\\shell\\view\\command", {}, viewer + u" %1");
    registry.Set(rrCurrentUser, UserExts + u"\\OpenWithProgids", u"Qtx.Editor", {});
    registry.Set(rrClassesRoot, u"Qtx.Editor\\shell\\edit\\command", {}, u"\"" + editor + u"\" \"%1\"");
    registry.Set(rrCurrentUser, UserExts + u"\\UserChoice", u"Progid", u"Qtx.Chosen");
    registry.Set(rrClassesRoot, u"Qtx.Chosen\\shell\\open\\command", {}, u"\"" + chosen + u"\"");

    const Result r = Build();
    EXPECT_EQ(r.values, (std::vector<String>{c, d, a, b, viewer, editor, chosen}));
    // No display names are cached: the paths themselves.
    EXPECT_EQ(r.names, r.values);
    EXPECT_EQ(r.defaultIndex, -1);
}

TEST_F(OpenWithListTest, ChosenApplicationIsTheDefaultAndDuplicatesAreListedOnce)
{
    const String a = Program(u"alpha.exe"), b = Program(u"Beta.exe");
    registry.Add(rrClassesRoot, u".qtx\\OpenWithList").SubKeys = {u"alpha.exe", u"beta.exe", u"alpha.exe"};
    registry.Set(rrCurrentUser, UserExts, u"Application", u"BETA.EXE");
    // A file type whose command runs the same program again.
    registry.Set(rrClassesRoot, u".qtx\\OpenWithProgids", u"Qtx.Same", {});
    registry.Set(rrClassesRoot, u"Qtx.Same\\shell\\open\\command", {}, u"\"" + a + u"\" /view \"%1\"");
    // Display names from the shell's cache: one cached, one cached empty.
    registry.Set(rrCurrentUser, MuiCache, a, u"Alpha Paint");
    registry.Set(rrCurrentUser, MuiCache, b, u"");

    const Result r = Build();
    EXPECT_EQ(r.values, (std::vector<String>{a, b}));
    EXPECT_EQ(r.names, (std::vector<String>{u"Alpha Paint", u"Beta"}));
    EXPECT_EQ(r.defaultIndex, 1);
}

TEST_F(OpenWithListTest, VerbsAreTriedInOrderAndTheFirstPresentOneDecides)
{
    const String editor = folder.File(u"editor.exe"), opener = folder.File(u"opener.exe");
    WriteBytes(editor, "program");
    WriteBytes(opener, "program");
    registry.Add(rrClassesRoot, u".qtx\\OpenWithList").SubKeys = {u"two.exe", u"broken.exe"};
    registry.Set(rrClassesRoot, u"Applications\\two.exe\\shell\\open\\command", {}, u"\"" + opener + u"\"");
    registry.Set(rrClassesRoot, u"Applications\\two.exe\\shell\\edit\\command", {}, u"\"" + editor + u"\"");
    // "edit" is there but names no program: "open" is not tried.
    registry.Add(rrClassesRoot, u"Applications\\broken.exe\\shell\\edit\\command");
    registry.Set(rrClassesRoot, u"Applications\\broken.exe\\shell\\open\\command", {}, u"\"" + opener + u"\"");
    EXPECT_EQ(Build().values, (std::vector<String>{editor}));
}

TEST_F(OpenWithListTest, MissingKeysAndMissingProgramsListNothing)
{
    // Nothing registered at all.
    Result r = Build();
    EXPECT_TRUE(r.values.empty());
    EXPECT_TRUE(r.names.empty());
    EXPECT_EQ(r.defaultIndex, -1);
    // Registered, but the program's file is gone, or no command, or an empty MRU letter.
    registry.Add(rrClassesRoot, u".qtx\\OpenWithList").SubKeys = {u"gone.exe", u"nocommand.exe"};
    registry.Set(rrClassesRoot, u"Applications\\gone.exe\\shell\\open\\command", {},
                 u"\"" + folder.File(u"gone.exe") + u"\" \"%1\"");
    registry.Set(rrCurrentUser, UserExts + u"\\OpenWithList", u"MRUList", u"za");
    registry.Set(rrCurrentUser, UserExts + u"\\OpenWithList", u"a", u"");
    registry.Set(rrCurrentUser, UserExts, u"Application", u"gone.exe");
    r = Build();
    EXPECT_TRUE(r.values.empty());
    EXPECT_EQ(r.defaultIndex, -1);
}

TEST_F(OpenWithListTest, ExtensionThatWouldNameAnotherKeyListsNothing)
{
    const String a = Program(u"alpha.exe");
    registry.Add(rrClassesRoot, u".qtx\\OpenWithList").SubKeys = {u"alpha.exe"};
    registry.Add(rrClassesRoot, u".qtx\\x\\OpenWithList").SubKeys = {u"alpha.exe"};
    EXPECT_EQ(Build(u"qtx").values, (std::vector<String>{a}));
    EXPECT_TRUE(Build(u"qtx\\x").values.empty());
    EXPECT_TRUE(Build(u"").values.empty());
}

TEST(CommandLineProgramTest, TakesTheProgramOutOfACommandLine)
{
#ifdef _WIN32
    _putenv_s("QUILLORA_TEST_ROOT", "/opt/sys");
    _putenv_s("QUILLORA_TEST_UNSET", "");
#else
    ::setenv("QUILLORA_TEST_ROOT", "/opt/sys", 1);
    ::unsetenv("QUILLORA_TEST_UNSET");
#endif
    const std::pair<String, String> cases[] = {
        {u"\"C:\\Program Files\\Ed\\ed.exe\" \"%1\"", u"C:\\Program Files\\Ed\\ed.exe"},
        {u"C:\\Windows\\system32\\mspaint.exe \"%1\"", u"C:\\Windows\\system32\\mspaint.exe"},
        {u"%QUILLORA_TEST_ROOT%\\paint.exe %1", u"/opt/sys\\paint.exe"},
        {u"%QUILLORA_TEST_UNSET%\\paint.exe", u"%QUILLORA_TEST_UNSET%\\paint.exe"},
        // A library run through rundll32: its entry point and arguments go.
        {u"%QUILLORA_TEST_ROOT%\\rundll32.exe \"C:\\Viewer\\PhotoViewer.dll\", ImageView_Fullscreen %1",
         u"C:\\Viewer\\PhotoViewer.dll"},
        {u"RunDll32.exe C:\\Lib\\shimgvw.dll,ImageView_Fullscreen %1", u"C:\\Lib\\shimgvw.dll"},
        {u"\"C:\\Unclosed\\ed.exe", u"C:\\Unclosed\\ed.exe"},
        {u"", u""},
    };
    for (const auto& [line, program] : cases) EXPECT_EQ(CommandLineProgram(line), program) << StringToUtf8(line);
}

} // namespace
} // namespace quillora
