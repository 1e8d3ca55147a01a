#include "shell/DataFile.h"

#include <ctime>

#include "foundation/Files.h"
#include "foundation/TextCompare.h"

namespace quillora {

int64_t LocalMidnightDaysBefore(int64_t nowUnixSeconds, int days)
{
    std::time_t now = static_cast<std::time_t>(nowUnixSeconds);
    std::tm local {};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    local.tm_hour = 0;
    local.tm_min = 0;
    local.tm_sec = 0;
    local.tm_mday -= days;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
}

bool RefreshBackup(const String& fileName, const String& backupFileName)
{
    return RefreshBackup(fileName, backupFileName, static_cast<int64_t>(std::time(nullptr)));
}

bool RefreshBackup(const String& fileName, const String& backupFileName, int64_t nowUnixSeconds)
{
    int64_t backupTime = 0;
    if (GetFileLastWriteTime(backupFileName, backupTime) &&
        backupTime >= LocalMidnightDaysBefore(nowUnixSeconds, BackupMaxAgeDays))
        return false;
    return CopyFileReplacing(fileName, backupFileName);
}

bool SameFileName(StringView a, StringView b)
{
#ifdef _WIN32
    return SameTextIgnoreCase(a, b);
#else
    return a == b;
#endif
}

} // namespace quillora
