// The local time of Windows (GetLocalTime).
#include "foundation/Clock.h"
#include "foundation/win32/WinInclude.h"

namespace quillora {

namespace {

class TWinLocalClock final : public ILocalClock {
public:
    TDateTimeParts Now() const override
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
};

} // namespace

const ILocalClock& PlatformLocalClock()
{
    static const TWinLocalClock clock;
    return clock;
}

} // namespace quillora
