#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/Files.h"
#include "foundation/SaveTemporaries.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

TEST(SaveTemporaries, OnlyTheProgramsOwnNames)
{
    const struct {
        const char16_t* Name;
        bool Own;
    } cases[] = {
        {u"Rplc1.tmp", true},     {u"Rplc10.tmp", true},    {u"Rplc123456789.tmp", true},
        {u"Rplc.tmp", false},     {u"Rplc0.tmp", false},    {u"Rplc01.tmp", false},
        {u"rplc1.tmp", false},    {u"Rplc1.TMP", false},    {u"Rplc1.tmp.bak", false},
        {u"xRplc1.tmp", false},   {u"Rplc1a.tmp", false},   {u"Rplc-1.tmp", false},
        {u"Rplc1234567890.tmp", false}, {u"Rplc\u0661.tmp", false}, // an Arabic-Indic digit
    };
    for (const auto& c : cases) EXPECT_EQ(IsSaveTemporaryName(c.Name), c.Own) << StringToUtf8(c.Name);
}

TEST(SaveTemporaries, RemovesOnlyFilesLeftAloneLongEnough)
{
    TempFolder folder;
    const int64_t now = 1'700'000'000;
    const struct {
        const char16_t* Name;
        int64_t Written;
        bool Removed;
    } cases[] = {
        {u"Rplc1.tmp", now - StaleSaveTemporaryAge, true},
        {u"Rplc2.tmp", now - StaleSaveTemporaryAge + 1, false}, // may still be written
        {u"Rplc3.tmp", now + 3600, false},                      // a clock ahead of ours
        {u"Rplc4.tmp", 0, true},
    };
    for (const auto& c : cases) {
        testing::WriteBytes(folder.File(c.Name), "x");
        ASSERT_TRUE(SetFileLastWriteTime(folder.File(c.Name), c.Written));
    }
    fs::create_directories(folder.path / u"Rplc5.tmp"); // a folder of that name stays

    EXPECT_EQ(RemoveStaleSaveTemporaries(folder.path.u16string(), now), 2);
    for (const auto& c : cases) EXPECT_EQ(FileExists(folder.File(c.Name)), !c.Removed) << StringToUtf8(c.Name);
    EXPECT_TRUE(fs::is_directory(folder.path / u"Rplc5.tmp"));
    EXPECT_EQ(RemoveStaleSaveTemporaries(folder.File(u"missing"), now), 0);
}

#ifndef _WIN32
TEST(SaveTemporaries, ALinkOfTheNameIsNotTheProgramsFile)
{
    TempFolder folder;
    const String target = folder.File(u"elsewhere.txt");
    testing::WriteBytes(target, "not ours");
    ASSERT_TRUE(SetFileLastWriteTime(target, 0));
    fs::create_symlink(folder.path / u"elsewhere.txt", folder.path / u"Rplc1.tmp");

    EXPECT_EQ(RemoveStaleSaveTemporaries(folder.path.u16string(), 1'700'000'000), 0);
    EXPECT_TRUE(fs::is_symlink(folder.path / u"Rplc1.tmp"));
    EXPECT_EQ(testing::ReadBytes(target), "not ours");
}
#endif

} // namespace
} // namespace quillora
