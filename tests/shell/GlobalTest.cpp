// The start-up of the data module: file names, first run, reading and writing settings.

#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "shell/Global.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

using testing::TempFolder;

TEST(GlobalTest, FilePathsFollowTheBaseName)
{
    TFilePaths p = ComputeFilePaths(u"D\\", u"E\\", u"Quillora");
    EXPECT_EQ(p.SettingsFile, u"D\\Quillora.settings");
    EXPECT_EQ(p.SessionFile, u"D\\Quillora.session");
    EXPECT_EQ(p.DataFile, u"E\\Quillora.tpt");
    EXPECT_EQ(p.BackupFile, u"E\\QuilloraBackup.tpt");
}

TEST(GlobalTest, FirstRunWritesSettingsThatTheNextRunReads)
{
    TLanguageId saved = Localization().Language();
    TempFolder folder;
    String data = folder.File(u"data") + u"/", docs = folder.File(u"docs") + u"/";
    ASSERT_TRUE(ForceFolders(data));
    TFilePaths paths = ComputeFilePaths(data, docs, u"Quillora");
    {
        TGlobal global;
        global.DataModuleCreate(paths);
        EXPECT_EQ(global.SettingsFile().LoadState(), lsMissing);
        EXPECT_TRUE(global.SettingsDirty());
        EXPECT_EQ(global.Settings().General().DataFileName().Value(), paths.DataFile);
        EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(docs))); // the data file's folder
        EXPECT_FALSE(FileExists(paths.DataFile));
        global.Settings().General().DropDownHotKey().SetValue(u"Ctrl+Q");
        global.SaveSettings();
        EXPECT_FALSE(global.SettingsDirty());
        EXPECT_TRUE(FileExists(paths.SettingsFile));
    }
    {
        TGlobal global;
        global.DataModuleCreate(paths);
        EXPECT_EQ(global.SettingsFile().LoadState(), lsLoaded);
        EXPECT_FALSE(global.SettingsDirty());
        EXPECT_EQ(global.Settings().General().DropDownHotKey().Value(), u"Ctrl+Q");
        EXPECT_TRUE(global.SettingsFile().Knot().IsEmpty());
        // An emptied data file name takes its default again at the next start.
        global.Settings().General().DataFileName().SetValue(u"");
        global.SaveSettings();
    }
    {
        TGlobal global;
        global.DataModuleCreate(paths);
        EXPECT_EQ(global.Settings().General().DataFileName().Value(), paths.DataFile);
    }
    Localization().SetLanguage(saved);
}

} // namespace
} // namespace quillora
