#pragma once
// The data file's backup and the constants of saving.

#include <cstdint>

#include "foundation/Strings.h"

namespace quillora {

// A backup younger than this many days (from today's local midnight) is kept.
constexpr int BackupMaxAgeDays = 5;
// The autosave writes the data file this long after the last change.
constexpr int AutoSaveDelay = 10000;

// Today's local midnight minus `days` days, for the moment `nowUnixSeconds`, in seconds
// since 1970-01-01 UTC.
int64_t LocalMidnightDaysBefore(int64_t nowUnixSeconds, int days);

// Copies the data file over the backup unless the backup's last-write time is not
// earlier than today's midnight minus BackupMaxAgeDays days. The copy keeps the data
// file's last-write time, so the age read next time is that of the save the backup
// holds. A missing source or a failed copy is ignored. True when a copy was made.
bool RefreshBackup(const String& fileName, const String& backupFileName);
bool RefreshBackup(const String& fileName, const String& backupFileName, int64_t nowUnixSeconds);

// True when both names denote the same file name (letters compared without case on
// Windows, where file names are case-insensitive).
bool SameFileName(StringView a, StringView b);

} // namespace quillora
