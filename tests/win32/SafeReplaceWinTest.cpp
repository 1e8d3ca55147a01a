#include <gtest/gtest.h>

#include "foundation/win32/WinInclude.h"

#include <string>

#include "foundation/Files.h"
#include "foundation/SafeReplace.h"
#include "foundation/SaveTemporaries.h"
#include "support/TempFolder.h"

namespace quillora {
namespace {

const wchar_t* W(const String& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

using testing::TempFolder;

void Write(const String& name, const std::string& bytes)
{
    HANDLE h = CreateFileW(W(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string Read(const String& name)
{
    HANDLE h = CreateFileW(W(name), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[256];
    DWORD read = 0;
    ReadFile(h, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(h);
    return std::string(buffer, read);
}

TEST(SafeReplaceWin, ReplacesReadOnlyTargets)
{
    TempFolder folder;
    const String target = folder.File(u"doc.tpt"), source = folder.File(u"Rplc1.tmp");
    Write(target, "old");
    SetFileAttributesW(W(target), FILE_ATTRIBUTE_READONLY);
    Write(source, "new");
    FlushFileToDisk(source);

    TReplaceError error;
    ASSERT_TRUE(ReplaceFileAtomically(source, target, error)) << StringToUtf8(error.Text);
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(GetFileAttributesW(W(source)), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(GetFileAttributesW(W(target)) & FILE_ATTRIBUTE_READONLY);
}

TEST(SafeReplaceWin, FailureLeavesTargetAndSource)
{
    TempFolder folder;
    const String target = folder.File(u"doc.tpt"), source = folder.File(u"Rplc1.tmp");
    CreateDirectoryW(W(target), nullptr);
    Write(target + u"\\inside.txt", "old content");
    Write(source, "new");

    TReplaceError error;
    EXPECT_FALSE(ReplaceFileAtomically(source, target, error));
    EXPECT_NE(error.Code, 0);
    EXPECT_FALSE(error.Text.empty());
    EXPECT_EQ(Read(target + u"\\inside.txt"), "old content");
    EXPECT_EQ(Read(source), "new");

    // A read-only target that another program holds open: it keeps its content and its
    // read-only attribute.
    const String held = folder.File(u"held.tpt");
    Write(held, "held");
    SetFileAttributesW(W(held), FILE_ATTRIBUTE_READONLY);
    HANDLE h = CreateFileW(W(held), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const bool replaced = ReplaceFileAtomically(source, held, error);
    CloseHandle(h);
    if (!replaced) {
        EXPECT_EQ(Read(held), "held");
        EXPECT_TRUE(GetFileAttributesW(W(held)) & FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(Read(source), "new");
    }
    EXPECT_TRUE(RemoveFile(folder.File(replaced ? u"held.tpt" : u"Rplc1.tmp")));
}

// What interrupted saves left: only old files of the program's own names go; a file
// that its writer still holds open, or a read-only one, stays.
TEST(SafeReplaceWin, StaleSaveTemporariesGoUnlessHeldOrReadOnly)
{
    TempFolder folder;
    const int64_t now = 1'700'000'000, old = now - 24 * 3600;
    for (const char16_t* name : {u"Rplc1.tmp", u"Rplc2.tmp", u"Rplc3.tmp", u"Rplc4.tmp", u"Other1.tmp"}) {
        Write(folder.File(name), "left over");
        ASSERT_TRUE(SetFileLastWriteTime(folder.File(name), old));
    }
    ASSERT_TRUE(SetFileLastWriteTime(folder.File(u"Rplc4.tmp"), now)); // a save running now
    SetFileAttributesW(W(folder.File(u"Rplc3.tmp")), FILE_ATTRIBUTE_READONLY);
    // Held as a save holds its file while writing it (no sharing of deletion).
    HANDLE writer = CreateFileW(W(folder.File(u"Rplc2.tmp")), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);

    EXPECT_EQ(RemoveStaleSaveTemporaries(folder.Name(), now), 1);
    CloseHandle(writer);
    EXPECT_EQ(Read(folder.File(u"Rplc1.tmp")), "<missing>");
    EXPECT_EQ(Read(folder.File(u"Rplc2.tmp")), "left over");
    EXPECT_EQ(Read(folder.File(u"Rplc3.tmp")), "left over");
    EXPECT_EQ(Read(folder.File(u"Rplc4.tmp")), "left over");
    EXPECT_EQ(Read(folder.File(u"Other1.tmp")), "left over");
}

} // namespace
} // namespace quillora
