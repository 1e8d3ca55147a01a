// Outside Windows the local time comes from the C library's time zone rules.
#ifndef _WIN32

#include <chrono>
#include <ctime>

#include "foundation/ClockNative.h"

namespace quillora {

TDateTimeParts TSystemLocalClock::Now() const
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceEpoch = now.time_since_epoch();
    const std::time_t seconds = static_cast<std::time_t>(duration_cast<std::chrono::seconds>(sinceEpoch).count());
    auto milliseconds = duration_cast<std::chrono::milliseconds>(sinceEpoch).count() % 1000;
    if (milliseconds < 0) milliseconds += 1000;
    std::tm local{};
    if (!localtime_r(&seconds, &local)) return {};
    TDateTimeParts parts;
    parts.Year = local.tm_year + 1900;
    parts.Month = local.tm_mon + 1;
    parts.Day = local.tm_mday;
    parts.Hour = local.tm_hour;
    parts.Minute = local.tm_min;
    // A leap second shows as the last second of its minute.
    parts.Second = local.tm_sec > 59 ? 59 : local.tm_sec;
    parts.Millisecond = static_cast<int>(milliseconds);
    return parts;
}

} // namespace quillora

#endif
