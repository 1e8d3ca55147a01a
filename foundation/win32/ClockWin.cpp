// The local time of Windows (GetLocalTime).
#include "foundation/win32/ClockWin.h"

#include "foundation/win32/WinInclude.h"

namespace quillora {

TDateTimeParts TWinLocalClock::Now() const
{
    SYSTEMTIME time{};
    GetLocalTime(&time);
    TDateTimeParts parts;
    parts.Year = time.wYear;
    parts.Month = time.wMonth;
    parts.Day = time.wDay;
    parts.Hour = time.wHour;
    parts.Minute = time.wMinute;
    parts.Second = time.wSecond;
    parts.Millisecond = time.wMilliseconds;
    return parts;
}

} // namespace quillora
