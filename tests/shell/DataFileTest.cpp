// The document's data file: loading, protection of files that did not load completely,
// the backup's age rule and saving.

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "elements/Scheme.h"
#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "shell/DataFile.h"
#include "shell/TrayAppDocument.h"
#include "support/SchemeFixture.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

using testing::TElement_Star;
using testing::TTestRoot;
using testing::ReadBytes;
using testing::TempFolder;

class TTestDocument : public TTrayAppDocument {
protected:
    std::unique_ptr<TScheme> CreateScheme() override
    {
        return std::make_unique<TScheme>(&TTestRoot::Class(), u"Quillora");
    }
    friend class TTrayAppDocument;
};

class DataFileTest : public testing::SchemeFixture {
protected:
    TempFolder folder;
    std::unique_ptr<TTestDocument> document = TTrayAppDocument::New<TTestDocument>();

    void AddStar(int points)
    {
        auto* star = static_cast<TElement_Star*>(TElement_Star::Class().Create(document->Scheme()));
        star->Points = points;
        star->SetParent(document->Root());
    }
};

constexpr char GoodFile[] = "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\"><Star Points=\"3\"/></Quillora>";

TEST_F(DataFileTest, MissingFileGivesAnEmptyDocumentThatSaves)
{
    String name = folder.File(u"data.tpt");
    document->LoadDataFile(name);
    EXPECT_EQ(document->Root()->FirstElement(), nullptr);
    EXPECT_TRUE(document->LoadMessages().empty());
    EXPECT_TRUE(document->ProtectedFileName().empty());
    EXPECT_FALSE(FileExists(name)); // loading never creates the file
    AddStar(7);
    document->SaveDataFile(name, folder.File(u"data.bak"));
    EXPECT_NE(ReadBytes(name).find("Points=\"7\""), std::string::npos);
    EXPECT_FALSE(FileExists(folder.File(u"data.bak"))); // nothing to back up yet
    EXPECT_EQ(document->Scheme()->FileName(), name);
}

// Every kind of incomplete load protects the file: saving to it is refused with the
// reason, the file and a good backup stay untouched; another name saves; a confirmed
// overwrite saves and keeps the good backup.
TEST_F(DataFileTest, IncompleteLoadsProtectTheFile)
{
    const char* texts[] = {
        "<Quillora FormatVersion=\"1.2\"><Star Points=\"3\"/>",                 // corrupt
        "<Quillora FormatVersion=\"1.3\"><Star Points=\"3\"/></Quillora>",      // newer
        "<Quillora FormatVersion=\"1.2\"><Star Points=\"3\" Glow=\"1\"/></Quillora>", // unread
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        TempFolder f;
        String name = f.File(u"data.tpt"), backup = f.File(u"data.bak"), other = f.File(u"other.tpt");
        WriteWholeFile(name, text);
        WriteWholeFile(backup, "good backup");
        SetFileLastWriteTime(backup, 0); // old enough to be refreshed by any save
        auto doc = TTrayAppDocument::New<TTestDocument>();
        doc->LoadDataFile(name);
        ASSERT_EQ(doc->LoadMessages().size(), 1u);
        EXPECT_TRUE(doc->IsProtected(name));
        EXPECT_NE(doc->ProtectionNotice().find(name), String::npos);
        try {
            doc->SaveDataFile(name, backup);
            ADD_FAILURE() << "saving over a protected file must be refused";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(name), String::npos);
            EXPECT_NE(e.Message().find(doc->LoadMessages().front()), String::npos);
        }
        EXPECT_EQ(ReadBytes(name), text);
        EXPECT_EQ(ReadBytes(backup), "good backup");

        doc->SaveDataFile(other, {});
        EXPECT_NE(ReadBytes(other).find("Points=\"3\""), std::string::npos);
        EXPECT_TRUE(doc->IsProtected(name)); // still the same file

        doc->ConfirmOverwrite();
        EXPECT_TRUE(doc->ProtectionNotice().empty());
        doc->SaveDataFile(name, backup);
        EXPECT_NE(ReadBytes(name).find("FormatVersion=\"1.2\""), std::string::npos);
        EXPECT_EQ(ReadBytes(backup), "good backup");
        EXPECT_TRUE(doc->ProtectedFileName().empty());
    }
}

TEST_F(DataFileTest, FolderLoadsAsMissingAndAGoodLoadClearsTheReports)
{
    String name = folder.File(u"data.tpt");
    std::filesystem::create_directory(std::filesystem::path(name)); // exists, cannot be read as a file
    String asFile = folder.File(u"good.tpt");
    WriteWholeFile(asFile, "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\"/>");
    // A folder is no data file: it loads as missing.
    document->LoadDataFile(name);
    EXPECT_TRUE(document->ProtectedFileName().empty());
    // A good file clears what an earlier load reported.
    document->LoadDataFile(asFile);
    EXPECT_TRUE(document->LoadMessages().empty());
    EXPECT_FALSE(document->IsProtected(asFile));
}

TEST_F(DataFileTest, GoodFileRoundTripsAndRefreshesAnOldBackup)
{
    String name = folder.File(u"data.tpt"), backup = folder.File(u"data.bak");
    WriteWholeFile(name, GoodFile);
    std::time_t now = std::time(nullptr);
    SetFileLastWriteTime(name, now - 20 * 86400);
    WriteWholeFile(backup, "old backup");
    SetFileLastWriteTime(backup, now - 7 * 86400);
    document->LoadDataFile(name);
    EXPECT_TRUE(document->LoadMessages().empty());
    AddStar(9);
    document->SaveDataFile(name, backup);
    EXPECT_EQ(ReadBytes(backup), GoodFile); // the file as it was before the save
    int64_t t = 0;
    ASSERT_TRUE(GetFileLastWriteTime(backup, t));
    EXPECT_EQ(t, now - 20 * 86400); // the copy keeps the source's time
    EXPECT_NE(ReadBytes(name).find("Points=\"9\""), std::string::npos);
}

TEST_F(DataFileTest, FailedBackupNeverStopsTheSave)
{
    String name = folder.File(u"data.tpt");
    WriteWholeFile(name, GoodFile);
    document->LoadDataFile(name);
    AddStar(4);
    document->SaveDataFile(name, folder.File(u"no-such-folder/data.bak"));
    EXPECT_NE(ReadBytes(name).find("Points=\"4\""), std::string::npos);
}

TEST(RefreshBackupTest, AgeIsReadFromTheBackupsLastWriteTime)
{
    TempFolder folder;
    String name = folder.File(u"data.tpt"), backup = folder.File(u"data.bak");
    WriteWholeFile(name, "new");
    std::time_t now = std::time(nullptr);
    int64_t limit = LocalMidnightDaysBefore(now, BackupMaxAgeDays);
    struct Case {
        int64_t backupTime;
        bool refreshed;
    };
    const Case cases[] = {
        {now, false},         // written today
        {limit, false},       // exactly at the limit: not earlier
        {limit - 1, true},    // one second older
        {now - 30 * 86400, true},
    };
    for (const Case& c : cases) {
        WriteWholeFile(backup, "old");
        ASSERT_TRUE(SetFileLastWriteTime(backup, c.backupTime));
        EXPECT_EQ(RefreshBackup(name, backup, now), c.refreshed) << c.backupTime - limit;
        EXPECT_EQ(ReadBytes(backup), c.refreshed ? "new" : "old");
    }
    // No backup yet: copied. A missing source is ignored.
    std::filesystem::remove(std::filesystem::path(backup));
    EXPECT_TRUE(RefreshBackup(name, backup, now));
    std::filesystem::remove(std::filesystem::path(backup));
    EXPECT_FALSE(RefreshBackup(folder.File(u"missing.tpt"), backup, now));
    EXPECT_FALSE(FileExists(backup));
}

TEST(RefreshBackupTest, MidnightIsLocal)
{
    std::time_t now = std::time(nullptr);
    std::tm local {};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    int64_t midnight = LocalMidnightDaysBefore(now, 0);
    EXPECT_EQ(now - midnight, local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
    EXPECT_NEAR(static_cast<double>(midnight - LocalMidnightDaysBefore(now, 5)), 5 * 86400.0, 3600.0);
}

} // namespace
} // namespace quillora
