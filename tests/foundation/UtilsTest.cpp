#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/Exceptions.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/Utils.h"
#include "support/TempFolder.h"

using namespace quillora;
namespace fs = std::filesystem;

namespace {

// ---- Fakes ----

struct FakeCursors : TCursorService {
    TCursor cursor = crIBeam;
    std::vector<TCursor> shown;
    TCursor ScreenCursor() const override { return cursor; }
    void SetScreenCursor(TCursor c) override
    {
        cursor = c;
        shown.push_back(c);
    }
};

struct FakeBoxes : TMessageBoxService {
    String text, caption;
    unsigned flags = 0;
    bool topmost = false;
    int Show(const String& t, const String& c, unsigned f) override
    {
        text = t;
        caption = c;
        flags = f;
        return idYes;
    }
    bool ActiveWindowIsTopmost() const override { return topmost; }
    String ApplicationTitle() const override { return u"AppTitle"; }
};

struct FakeShell : TShellService {
    struct Call {
        String verb, file, params;
        int show;
        int busy;
    };
    std::vector<Call> calls;
    std::vector<intptr_t> results; // one per call; the last one repeats
    intptr_t Execute(const String& verb, const String& file, const String& params, int show) override
    {
        calls.push_back({verb, file, params, show, BusyCount()});
        size_t i = std::min(calls.size() - 1, results.size() - 1);
        return results[i];
    }
};

struct FakeRegistry : TRegistryReader {
    bool present = true;
    String value;
    mutable String askedKey;
    bool ReadString(TRegistryRoot root, const String& key, const String& name, String& out) const override
    {
        askedKey = key;
        if (!present || root != rrClassesRoot || !name.empty()) return false;
        out = value;
        return true;
    }
    bool KeyExists(TRegistryRoot, const String&) const override { return false; }
    bool GetSubKeyNames(TRegistryRoot, const String&, std::vector<String>&) const override { return false; }
    bool GetValueNames(TRegistryRoot, const String&, std::vector<String>&) const override { return false; }
};

// Provides the fakes for one test; the platform's come back afterwards.
struct UtilsTest : ::testing::Test {
    FakeCursors cursors;
    FakeBoxes boxes;
    FakeShell shell;
    FakeRegistry registry;
    TProvide<TCursorService> provideCursors{cursors};
    TProvide<TMessageBoxService> provideBoxes{boxes};
    TProvide<TShellService> provideShell{shell};
    TProvide<TRegistryReader> provideRegistry{registry};
    TLanguageId savedLanguage = 0;

    void SetUp() override
    {
        savedLanguage = Localization().Language();
        Localization().SetLanguage(LangEnglish);
    }
    void TearDown() override
    {
        while (BusyCount() > 0) EndBusy();
        Localization().SetLanguage(savedLanguage);
    }
};

// ---- Busy cursor ----

TEST_F(UtilsTest, NestedBusyShowsTheWaitCursorOnceAndRestoresAtTheOutermostEnd)
{
    BeginBusy();
    BeginBusy();
    EXPECT_EQ(cursors.shown, (std::vector<TCursor>{crHourGlass}));
    EndBusy();
    EXPECT_EQ(cursors.cursor, crHourGlass);
    EndBusy();
    EXPECT_EQ(cursors.cursor, crIBeam);
    EXPECT_EQ(BusyCount(), 0);
    // An unpaired EndBusy changes nothing.
    EndBusy();
    EXPECT_EQ(BusyCount(), 0);
    EXPECT_EQ(cursors.shown.size(), 2u);
}

TEST_F(UtilsTest, SetCursorKeepingBusy)
{
    {
        TBusyCursor busy;
        SetCursorKeepingBusy(crHandPoint);
        EXPECT_EQ(cursors.cursor, crHourGlass); // still waiting
    }
    EXPECT_EQ(cursors.cursor, crHandPoint); // restored to the new choice
    SetCursorKeepingBusy(crArrow);
    EXPECT_EQ(cursors.cursor, crArrow); // not busy: at once
}

// ---- Message box ----

TEST_F(UtilsTest, MessageBoxTextGetsAFullStopUnlessItEndsInOne)
{
    const struct {
        const char16_t* text;
        const char16_t* shown;
    } cases[] = {
        {u"Saved", u"Saved."},
        {u"Done.", u"Done."},
        {u"Really?", u"Really?"},
        {u"Stop!", u"Stop!"},
        {u"Trailing space ", u"Trailing space "},
        {u"Line break\n", u"Line break\n"},
        {u"Quoted \"x\"", u"Quoted \"x\"."},
        {u"Übung", u"Übung."},
        // The sentence ends of Chinese, Japanese and Arabic get no "." after them.
        {u"是否保存对“a”的更改？", u"是否保存对“a”的更改？"},
        {u"インポートしてください。", u"インポートしてください。"},
        {u"太好了！", u"太好了！"},
        {u"هل تريد حفظ التغييرات؟", u"هل تريد حفظ التغييرات؟"},
        {u"找不到文件：a", u"找不到文件：a."},
        {u"", u""},
    };
    for (const auto& c : cases) {
        ShowMessageBox(c.text, u"Caption", mbIconInformation);
        EXPECT_EQ(boxes.text, String(c.shown)) << StringToUtf8(c.text);
    }
}

TEST_F(UtilsTest, MessageBoxCaptionAndTopmost)
{
    EXPECT_EQ(ShowMessageBox(u"Hello", u"Mine", mbYesNo), idYes);
    EXPECT_EQ(boxes.caption, u"Mine");
    EXPECT_EQ(boxes.flags, mbYesNo);

    ShowMessageBox(u"Hello");
    String title = LoadString(TitleStringId);
    EXPECT_EQ(boxes.caption, title.empty() ? String(u"AppTitle") : title);
    EXPECT_EQ(boxes.flags, mbIconInformation);

    boxes.topmost = true;
    ShowMessageBox(u"Hello", u"Mine", mbIconInformation);
    EXPECT_EQ(boxes.flags, mbIconInformation | mbTopmost);
}

// ---- Shell ----

TEST_F(UtilsTest, ShellOpenSuccessRunsBusy)
{
    shell.results = {42};
    EXPECT_TRUE(ShellOpen(u"C:\\doc.txt", u"-x", u"edit", true, swShowMaximized));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].verb, u"edit");
    EXPECT_EQ(shell.calls[0].file, u"C:\\doc.txt");
    EXPECT_EQ(shell.calls[0].params, u"-x");
    EXPECT_EQ(shell.calls[0].show, swShowMaximized);
    EXPECT_EQ(shell.calls[0].busy, 1);
    EXPECT_EQ(BusyCount(), 0);
}

TEST_F(UtilsTest, ShellOpenWithoutAssociationOffersTheProgramChoice)
{
    for (intptr_t missing : {31, 27}) {
        shell.calls.clear();
        shell.results = {missing, 33};
        EXPECT_TRUE(ShellOpen(u"C:\\a b.xyz", u"", u"", true, swShowNormal));
        ASSERT_EQ(shell.calls.size(), 2u);
        EXPECT_EQ(shell.calls[1].file, u"rundll32.exe");
        EXPECT_EQ(shell.calls[1].params, u"shell32,OpenAs_RunDLL C:\\a b.xyz");
    }
    shell.calls.clear();
    shell.results = {31, 33};
    ShellOpen(u"f.xyz", u"p q", u"open", true, swHide);
    EXPECT_EQ(shell.calls[1].params, u"shell32,OpenAs_RunDLL f.xyz p q");
    EXPECT_EQ(shell.calls[1].verb, u"open");
    EXPECT_EQ(shell.calls[1].show, swHide);
}

TEST_F(UtilsTest, ShellOpenErrors)
{
    const struct {
        intptr_t value;
        const char16_t* file;
        const char16_t* message;
    } cases[] = {
        {3, u"C:\\x\\f.txt", u"Path not found: C:\\x\\f.txt"},
        {2, u"C:\\missing\\", u"Path not found: C:\\missing\\"},
        {5, u"C:\\locked/", u"Path not found: C:\\locked/"},
        {2, u"C:\\f.txt", u"File not found: C:\\f.txt"},
        {5, u"C:\\f.txt", u"File not found: C:\\f.txt"},
        {8, u"C:\\f.txt", u"ShellExecute error (8) to launch \"C:\\f.txt\""},
        {0, u"x", u"ShellExecute error (0) to launch \"x\""},
    };
    for (const auto& c : cases) {
        shell.results = {c.value};
        try {
            ShellOpen(c.file, u"", u"", true, swShowNormal);
            ADD_FAILURE() << "no error for " << c.value;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), String(c.message));
        }
        EXPECT_FALSE(ShellOpen(c.file, u"", u"", false, swShowNormal));
    }
    EXPECT_EQ(BusyCount(), 0);
}

TEST_F(UtilsTest, DefaultBrowserFromTheRegistry)
{
    const struct {
        const char16_t* value;
        const char16_t* browser;
    } cases[] = {
        {u"\"C:\\Program Files\\Web\\web.exe\" -osint -url \"%1\"", u"C:\\Program Files\\Web\\web.exe"},
        {u"C:\\web.exe %1", u"C:\\web.exe %1"},
        {u"\"C:\\unclosed.exe", u"C:\\unclosed.exe"},
        {u"\"", u"\""},
        {u"", u""},
    };
    for (const auto& c : cases) {
        registry.value = c.value;
        EXPECT_EQ(GetDefaultBrowser(), String(c.browser));
    }
    EXPECT_EQ(registry.askedKey, u"http\\shell\\open\\command");
    registry.present = false;
    EXPECT_EQ(GetDefaultBrowser(), u"");
}

TEST_F(UtilsTest, OpenInBrowserPassesTheAddressAsOneArgument)
{
    shell.results = {42};
    registry.present = false;
    EXPECT_FALSE(OpenInBrowser(u"https://example.com/", swShowNormal));
    EXPECT_TRUE(shell.calls.empty());

    registry.present = true;
    registry.value = u"\"C:\\web.exe\" -- \"%1\"";
    EXPECT_TRUE(OpenInBrowser(u"https://example.com/a b?q=\"x\"", swShowMaximized));
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].file, u"C:\\web.exe");
    EXPECT_EQ(shell.calls[0].params, u"\"https://example.com/a b?q=%22x%22\"");
    EXPECT_EQ(shell.calls[0].verb, u"");
    EXPECT_EQ(shell.calls[0].show, swShowMaximized);

    // Something that a browser would take for an option is not passed on.
    shell.calls.clear();
    EXPECT_FALSE(OpenInBrowser(u"--disable-security", swShowNormal));
    EXPECT_FALSE(OpenInBrowser(u"", swShowNormal));
    EXPECT_TRUE(shell.calls.empty());

    // Failures of the shell come back as false.
    shell.results = {2};
    EXPECT_FALSE(OpenInBrowser(u"https://example.com/", swShowNormal));
}

// ---- File names ----

TEST_F(UtilsTest, ExtensionAndBaseName)
{
    const struct {
        const char16_t* name;
        const char16_t* ext;
        const char16_t* base;
    } cases[] = {
        {u"C:\\docs\\Report.tpt", u"tpt", u"Report"},
        {u"C:\\docs\\archive.tar.gz", u"gz", u"archive.tar"},
        {u"/home/u/notes", u"", u"notes"},
        {u"C:\\a.dir\\file", u"", u"file"},
        {u"name.", u"", u"name"},
        {u"C:file.txt", u"txt", u"file"},
        {u"folder/", u"", u""},
        {u"", u"", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetExtension(c.name), String(c.ext)) << StringToUtf8(c.name);
        EXPECT_EQ(GetBaseName(c.name), String(c.base)) << StringToUtf8(c.name);
    }
}

TEST_F(UtilsTest, FormatFileNumber)
{
    EXPECT_EQ(FormatFileNumber(u"Rplc%d", 12), u"Rplc12");
    EXPECT_EQ(FormatFileNumber(u"File%03d", 7), u"File007");
    EXPECT_EQ(FormatFileNumber(u"F%3d", 7), u"F  7");
    EXPECT_EQ(FormatFileNumber(u"100%% %d", 1), u"100% 1");
    EXPECT_EQ(FormatFileNumber(u"odd%s%", 1), u"odd%s%");
}

TEST_F(UtilsTest, IncludeTrailingPathDelimiter)
{
    EXPECT_EQ(IncludeTrailingPathDelimiter(u""), u"");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"a/"), u"a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"a\\"), u"a\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter(u"a"), String(u"a") + PathDelimiter());
}

// ---- Unique files ----

using quillora::testing::ReadBytes;
using quillora::testing::TempFolder;
using quillora::testing::WriteBytes;

TEST_F(UtilsTest, CreateUniqueFileTakesTheFirstFreeName)
{
    TempFolder dir;
    WriteBytes(dir.File(u"Rplc1.tmp"), "taken");
    fs::create_directory(dir.File(u"Rplc2.tmp")); // a folder also takes the name
    String name;
    auto file = CreateUniqueFile(u"Rplc%d", u"tmp", name, dir.Name());
    ASSERT_TRUE(file);
    EXPECT_EQ(name, IncludeTrailingPathDelimiter(dir.Name()) + u"Rplc3.tmp");
    EXPECT_EQ(file->FileName(), name);
    file->Write("abc", 3);
    TMemoryStream more(std::vector<uint8_t>{'d', 'e'});
    file->Write(more);
    file->Close();
    EXPECT_EQ(ReadBytes(dir.File(u"Rplc3.tmp")), "abcde");
    EXPECT_EQ(ReadBytes(dir.File(u"Rplc1.tmp")), "taken");

    // Without an extension there is no "."; the next free number follows.
    auto second = CreateUniqueFile(u"Rplc%d", u"", name, IncludeTrailingPathDelimiter(dir.Name()));
    ASSERT_TRUE(second);
    EXPECT_EQ(GetBaseName(name), u"Rplc1");
    EXPECT_EQ(GetExtension(name), u"");
}

TEST_F(UtilsTest, CreateUniqueFileFailures)
{
    TempFolder dir;
    String name = u"unchanged";
    // A pattern without a number has one name only; when it is taken, nothing is created.
    WriteBytes(dir.File(u"Fixed.tmp"), "x");
    EXPECT_THROW(CreateUniqueFile(u"Fixed", u"tmp", name, dir.Name()), Exception);
    // A folder that does not exist.
    String missing = dir.Name() + PathDelimiter() + u"missing";
    try {
        CreateUniqueFile(u"File%d", u"tmp", name, missing);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind(u"Path not found: ", 0), 0u) << e.what();
    }
    EXPECT_EQ(name, u"unchanged");
}

TEST_F(UtilsTest, CreateUniqueFileDefaultsToTheTemporaryFolder)
{
    String name;
    auto file = CreateUniqueFile(u"QuilloraUtilsTest%d", u"tmp", name);
    ASSERT_TRUE(file);
    EXPECT_EQ(name.rfind(GetTempFolder(), 0), 0u);
    file.reset();
    std::error_code ec;
    fs::remove(fs::path(name), ec);
}

// ---- Compression ----

TMemoryStream Bytes(const std::string& s) { return TMemoryStream(std::vector<uint8_t>(s.begin(), s.end())); }

TEST_F(UtilsTest, CompressionRoundTrip)
{
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "snippet " + std::to_string(i % 97) + "\n";
    TMemoryStream source = Bytes(text), packed, unpacked;
    source.SetPosition(source.Size()); // the whole stream is compressed, wherever its position
    CompressStream(source, packed);
    EXPECT_EQ(packed.Position(), 0u);
    ASSERT_GE(packed.Size(), 2u);
    EXPECT_EQ(packed.Data()[0], 0x78); // zlib format, default level
    EXPECT_EQ(packed.Data()[1], 0x9C);
    EXPECT_LT(packed.Size(), text.size() / 4);
    DecompressStream(packed, unpacked);
    EXPECT_EQ(unpacked.Position(), 0u);
    EXPECT_EQ(std::string(unpacked.Bytes().begin(), unpacked.Bytes().end()), text);
}

TEST_F(UtilsTest, CompressionOfNothingAndOfDamagedData)
{
    TMemoryStream empty, dest = Bytes("keep");
    dest.SetPosition(2);
    CompressStream(empty, dest);
    DecompressStream(empty, dest);
    EXPECT_EQ(dest.Size(), 4u);
    EXPECT_EQ(dest.Position(), 2u);

    TMemoryStream packed;
    CompressStream(Bytes("some text that is long enough to matter, some text"), packed);
    TMemoryStream truncated(std::vector<uint8_t>(packed.Bytes().begin(), packed.Bytes().end() - 6));
    TMemoryStream garbage = Bytes("this is not zlib data");
    for (TMemoryStream* bad : {&truncated, &garbage}) {
        TMemoryStream out = Bytes("keep");
        EXPECT_THROW(DecompressStream(*bad, out), Exception);
        EXPECT_EQ(std::string(out.Bytes().begin(), out.Bytes().end()), "keep");
    }
}

// ---- Geometry ----

TEST_F(UtilsTest, RectsIntersect)
{
    const TRect a = Rect(10, 10, 20, 20);
    const struct {
        TRect b;
        bool meets;
    } cases[] = {
        {Rect(15, 15, 25, 25), true},
        {Rect(0, 0, 100, 100), true},
        {Rect(20, 10, 30, 20), false}, // starts at a's right edge
        {Rect(10, 20, 20, 30), false}, // starts at a's bottom edge
        {Rect(0, 10, 9, 20), false},   // ends left of a
        {Rect(0, 0, 20, 9), false},    // ends above a
        {Rect(0, 10, 10, 20), true},   // ends on a's left edge: counted as meeting
        {Rect(10, 0, 20, 10), true},   // ends on a's top edge
    };
    for (const auto& c : cases)
        EXPECT_EQ(RectsIntersect(a, c.b), c.meets) << c.b.Left << "," << c.b.Top << "," << c.b.Right << "," << c.b.Bottom;
}

} // namespace
