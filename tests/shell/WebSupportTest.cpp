// The application-information document, the web pages and the update check, against a
// web service whose downloads the test finishes, and recording boxes, shell and registry.

#include <gtest/gtest.h>

#include "foundation/ErrorHandler.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/StringIds.h"
#include "foundation/Utils.h"
#include "shell/MainMenus.h"
#include "shell/WebSupport.h"

namespace quillora {
namespace {

struct FakeWeb : TWebService {
    String url = u"http://127.0.0.1/appinfo.xml";
    String name = u"Quillora Pro", version = u"0.1.0";
    bool hasVersionInfo = true;
    std::vector<std::function<void(TDownloadResult)>> pending;
    std::vector<size_t> limits;
    String AppInfoUrl() const override { return url; }
    bool ProductInfo(String& n, String& v) const override
    {
        n = name;
        v = version;
        return hasVersionInfo;
    }
    void Download(const String& u, size_t maxSize, std::function<void(TDownloadResult)> done) override
    {
        EXPECT_EQ(u, url);
        limits.push_back(maxSize);
        pending.push_back(std::move(done));
    }
    // Finishes the oldest download with `document`.
    void Answer(const std::string& document)
    {
        TDownloadResult result;
        result.Ok = true;
        result.Data = document;
        Finish(std::move(result));
    }
    void Finish(TDownloadResult result)
    {
        ASSERT_FALSE(pending.empty());
        auto done = std::move(pending.front());
        pending.erase(pending.begin());
        done(std::move(result));
    }
};

struct Boxes : TMessageBoxService {
    struct Box {
        String text;
        unsigned flags;
    };
    std::vector<Box> boxes;
    int answer = idOk;
    int Show(const String& text, const String&, unsigned flags) override
    {
        boxes.push_back({text, flags});
        return answer;
    }
    bool ActiveWindowIsTopmost() const override { return false; }
    String ApplicationTitle() const override { return u"Quillora"; }
};

struct Shell : TShellService {
    std::vector<String> opened;
    intptr_t Execute(const String&, const String& file, const String& params, int) override
    {
        opened.push_back(file + u" " + params);
        return 42;
    }
};

struct Registry : TRegistryReader {
    bool ReadString(TRegistryRoot, const String&, const String&, String& value) const override
    {
        value = u"\"C:\\web.exe\" \"%1\"";
        return true;
    }
    bool KeyExists(TRegistryRoot, const String&) const override { return false; }
    bool GetSubKeyNames(TRegistryRoot, const String&, std::vector<String>&) const override { return false; }
    bool GetValueNames(TRegistryRoot, const String&, std::vector<String>&) const override { return false; }
};

struct Cursors : TCursorService {
    TCursor cursor = crDefault;
    TCursor ScreenCursor() const override { return cursor; }
    void SetScreenCursor(TCursor c) override { cursor = c; }
};

struct Errors : TErrorHandler {
    std::vector<String> shown;
    void ShowError(const String& message) override { shown.push_back(message); }
};

const std::string Document = R"doc(<?xml version="1.0" encoding="UTF-8"?>
<AppInfo>
  <AppLangToWebLang DefaultWebLang="en">
    <Pair AppLang="DEU" WebLang="de"/>
    <Pair AppLang="FRA" WebLang="fr"/>
    <Pair AppLang="DEU" WebLang="xx"/>
  </AppLangToWebLang>
  <Applications>
    <Other ActualVersions="0.1.0"/>
    <QuilloraPro ActualVersions="0.2.0,0.1.0 beta , 0.0.9" DownloadPage="https://example.com/%lang%/get?l=%lang%"
      OnlineHelpPage="https://example.com/%lang%/help" HomePage="javascript:alert(1)"
      ForumPage="https://example.com/forum &quot;--x" CommunityPage="https://example.com/contact"/>
  </Applications>
  <Resources ThemesPage="http://example.com/themes/%lang%"/>
</AppInfo>
)doc";

std::string WithVersions(const std::string& versions)
{
    return "<AppInfo><Applications><QuilloraPro ActualVersions=\"" + versions +
           "\" DownloadPage=\"https://example.com/dl\"/></Applications></AppInfo>";
}

class WebSupportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLanguage_ = Localization().Language();
        Localization().SetLanguage(LangEnglish);
    }
    void TearDown() override { Localization().SetLanguage(savedLanguage_); }

    FakeWeb web;
    Boxes boxes;
    Shell shell;
    Registry registry;
    Cursors cursors;
    Errors errors;
    TProvide<TWebService> provideWeb{web};
    TProvide<TMessageBoxService> provideBoxes{boxes};
    TProvide<TShellService> provideShell{shell};
    TProvide<TRegistryReader> provideRegistry{registry};
    TProvide<TCursorService> provideCursors{cursors};
    TProvide<TErrorHandler> provideErrors{errors};
    TWebSupport support;

private:
    TLanguageId savedLanguage_ = 0;
};

TEST_F(WebSupportTest, DocumentLanguagesAndAddresses)
{
    TKnot tree;
    ParseAppInfo("\xEF\xBB\xBF" + Document, tree);
    EXPECT_EQ(MapWebLanguage(tree, u"DEU"), u"de"); // the first pair wins
    EXPECT_EQ(MapWebLanguage(tree, u"FRA"), u"fr");
    EXPECT_EQ(MapWebLanguage(tree, u"deu"), u"en"); // exact codes only
    EXPECT_EQ(MapWebLanguage(tree, u"RUS"), u"en");
    TKnot empty;
    ParseAppInfo("<AppInfo/>", empty);
    EXPECT_EQ(MapWebLanguage(empty, u"DEU"), u"");

    EXPECT_EQ(ExpandPageAddress(u"https://x/%lang%/a?l=%lang%", u"de"), u"https://x/de/a?l=de");
    EXPECT_EQ(ExpandPageAddress(u"https://x/%LANG%/%lang", u"de"), u"https://x/%LANG%/%lang");
    EXPECT_EQ(ProductKey(u" Quillora  Pro "), u"QuilloraPro");
}

TEST_F(WebSupportTest, VersionListIsSplitAtCommasOnly)
{
    std::vector<String> versions = SplitVersions(u" 0.2.0,0.1.0 beta , ,0.0.9-RC ,");
    EXPECT_EQ(versions, (std::vector<String> {u"0.2.0", u"0.1.0 beta", u"0.0.9-RC"}));
    EXPECT_TRUE(IsListedVersion(versions, u"0.1.0 BETA"));
    EXPECT_TRUE(IsListedVersion(versions, u"0.0.9-rc"));
    EXPECT_FALSE(IsListedVersion(versions, u"0.1.0"));
    EXPECT_FALSE(IsListedVersion(versions, u"0.2"));
    EXPECT_TRUE(SplitVersions(u" , ").empty());
}

TEST_F(WebSupportTest, OnlyPlainWebAddressesAreOpened)
{
    const struct {
        const char16_t* address;
        bool web;
    } cases[] = {
        {u"https://example.com/", true},
        {u"HTTP://example.com:8080/a?b=c#d", true},
        {u"http://user@example.com", true},
        {u"https://", false},
        {u"https:///path", false},
        {u"http://:80/", false},
        {u"file:///C:/Windows/system32/calc.exe", false},
        {u"javascript:alert(1)", false},
        {u"C:\\Windows\\notepad.exe", false},
        {u"--new-window https://x", false},
        {u"https://example.com/a b", false},
        {u"https://example.com/\"--x", false},
        {u"https://example.com/'x", false},
        {u"https://example.com/\tx", false},
        {u"https://example.com/\r\nx", false},
        {u"https://example.com/\u00A0x", false},
        {u"https://example.com/\u202Ex", false},
        {u"https://example.com/<x>", false},
        {u"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsWebAddress(c.address), c.web) << StringToUtf8(c.address);

    EXPECT_THROW(OpenWebAddress(u"file:///C:/x.exe"), Exception);
    EXPECT_TRUE(shell.opened.empty());
    OpenWebAddress(u"https://example.com/x");
    EXPECT_EQ(shell.opened, (std::vector<String> {u"C:\\web.exe \"https://example.com/x\""}));
}

TEST_F(WebSupportTest, OversizedDocumentIsRefused)
{
    TKnot tree;
    std::string big = WithVersions("0.1.0");
    big.append(MaxAppInfoSize + 1 - big.size(), ' ');
    EXPECT_THROW(ParseAppInfo(big, tree), Exception);
    big.pop_back();
    ParseAppInfo(big, tree); // exactly the limit is read
    EXPECT_NE(tree.FindKnot(u"Applications"), nullptr);

    ASSERT_TRUE(support.CheckForUpdates(u"ENU"));
    EXPECT_EQ(web.limits, std::vector<size_t> {MaxAppInfoSize});
    TDownloadResult tooLarge;
    tooLarge.TooLarge = true;
    web.Finish(std::move(tooLarge));
    ASSERT_EQ(errors.shown.size(), 1u);
    EXPECT_EQ(errors.shown[0], FormatString(sidAppInfoTooLarge, {u"1048576"}));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(WebSupportTest, LatestVersionIsReportedAfterTheDownloadAndOneCheckRunsAtATime)
{
    ASSERT_TRUE(support.CheckForUpdates(u"ENU"));
    // The download runs; the program goes on with the busy cursor.
    EXPECT_TRUE(support.Busy());
    EXPECT_EQ(cursors.cursor, crHourGlass);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(support.CheckForUpdates(u"ENU"));
    EXPECT_FALSE(support.OpenProductPage(u"HomePage", u"ENU"));
    EXPECT_EQ(web.pending.size(), 1u);

    web.Answer(WithVersions("0.2.0, 0.1.0 ,0.0.1"));
    EXPECT_FALSE(support.Busy());
    EXPECT_EQ(cursors.cursor, crDefault);
    EXPECT_EQ(BusyCount(), 0);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, LoadString(sidLatestVersion) + u".");
    EXPECT_EQ(boxes.boxes[0].flags, mbOk | mbIconInformation);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_TRUE(errors.shown.empty());
}

TEST_F(WebSupportTest, NewerVersionOffersTheDownloadPage)
{
    // Neither older nor newer listed versions count: only membership.
    for (int answer : {idCancel, idOk}) {
        boxes.boxes.clear();
        boxes.answer = answer;
        ASSERT_TRUE(support.CheckForUpdates(u"DEU"));
        web.Answer(Document);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].text, FormatString(sidNewerVersion, {u"0.2.0, 0.1.0 beta, 0.0.9", u"0.1.0"}) + u".");
        EXPECT_EQ(boxes.boxes[0].flags, mbOkCancel | mbIconInformation);
    }
    EXPECT_EQ(shell.opened, (std::vector<String> {u"C:\\web.exe \"https://example.com/de/get?l=de\""}));
    EXPECT_TRUE(errors.shown.empty());
}

TEST_F(WebSupportTest, MissingInformationAndFailedDownloadsAreErrors)
{
    const struct {
        std::string document;
        const char* what;
    } cases[] = {
        {WithVersions(" , "), "no versions"},
        {"<AppInfo><Applications><Quillora ActualVersions=\"0.1.0\"/></Applications></AppInfo>", "no such product"},
        {"not a document at all", "garbage"},
        {"", "empty"},
    };
    for (const auto& c : cases) {
        errors.shown.clear();
        ASSERT_TRUE(support.CheckForUpdates(u"ENU"));
        web.Answer(c.document);
        EXPECT_EQ(errors.shown, std::vector<String> {LoadString(sidAppInfoNotFound)}) << c.what;
    }
    EXPECT_TRUE(boxes.boxes.empty());

    errors.shown.clear();
    ASSERT_TRUE(support.OpenProductPage(u"OnlineHelpPage", u"ENU"));
    TDownloadResult failed;
    failed.Error = u"Can't open URL: http://127.0.0.1/appinfo.xml\r\nThe connection was refused";
    web.Finish(std::move(failed));
    EXPECT_EQ(errors.shown, std::vector<String> {u"Can't open URL: http://127.0.0.1/appinfo.xml\r\nThe connection was refused"});
    EXPECT_EQ(BusyCount(), 0);
    EXPECT_TRUE(shell.opened.empty());

    // Without version information nothing is asked at all.
    web.hasVersionInfo = false;
    EXPECT_FALSE(support.CheckForUpdates(u"ENU"));
    EXPECT_FALSE(support.OpenProductPage(u"HomePage", u"ENU"));
    EXPECT_TRUE(web.pending.empty());
}

TEST_F(WebSupportTest, PagesOpenOnlyWhenTheirAddressIsAWebAddress)
{
    const struct {
        const char16_t* key;
        bool resource;
        const char16_t* opened; // null: refused with the address in the message
    } cases[] = {
        {u"OnlineHelpPage", false, u"C:\\web.exe \"https://example.com/fr/help\""},
        {u"CommunityPage", false, u"C:\\web.exe \"https://example.com/contact\""},
        {u"ThemesPage", true, u"C:\\web.exe \"http://example.com/themes/fr\""},
        {u"HomePage", false, nullptr},
        {u"ForumPage", false, nullptr},
    };
    for (const auto& c : cases) {
        shell.opened.clear();
        errors.shown.clear();
        ASSERT_TRUE(c.resource ? support.OpenResourcePage(c.key, u"FRA") : support.OpenProductPage(c.key, u"FRA"));
        web.Answer(Document);
        if (c.opened) {
            EXPECT_EQ(shell.opened, std::vector<String> {c.opened}) << StringToUtf8(c.key);
            EXPECT_TRUE(errors.shown.empty());
        } else {
            EXPECT_TRUE(shell.opened.empty()) << StringToUtf8(c.key);
            ASSERT_EQ(errors.shown.size(), 1u);
            EXPECT_EQ(errors.shown[0].rfind(FormatString(sidAppInfoBadAddress, {u""}), 0), 0u);
        }
    }
    // A key the document does not have.
    errors.shown.clear();
    ASSERT_TRUE(support.OpenResourcePage(u"IconsPage", u"FRA"));
    web.Answer(Document);
    EXPECT_EQ(errors.shown, std::vector<String> {LoadString(sidAppInfoNotFound)});
}

TEST_F(WebSupportTest, AnswerAfterTheRequesterWentIsDropped)
{
    {
        TWebSupport gone;
        ASSERT_TRUE(gone.CheckForUpdates(u"ENU"));
        EXPECT_EQ(BusyCount(), 1);
    }
    EXPECT_EQ(BusyCount(), 0);
    web.Answer(WithVersions("0.1.0"));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(errors.shown.empty());
}

TEST_F(WebSupportTest, HelpMenuAndAboutTexts)
{
    TMenuItem help = BuildHelpMenu();
    EXPECT_EQ(help.Caption, LoadString(sidHelpMenu));
    std::vector<int> commands;
    for (const TMenuItem& item : help.Items) commands.push_back(item.Command);
    EXPECT_EQ(commands, (std::vector<int> {mcHelpOnlineHelp, 0, mcHelpCheckUpdates, mcHelpProgramPage, mcHelpForum,
                                           mcHelpSendMessage, 0, mcHelpAbout}));
    EXPECT_EQ(help.Items[0].ShortCut, u"F1");

    TAboutText about = AboutText(u"0.1.0");
    EXPECT_EQ(about.Caption, FormatString(sidAboutCaption, {u"Quillora"}));
    EXPECT_EQ(about.TitleLine, u"Quillora 0.1.0");
    EXPECT_NE(AboutNotice().find(u"Loomwise"), String::npos);
}

} // namespace
} // namespace quillora
