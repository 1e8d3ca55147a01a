#pragma once
// The local date and time, to the millisecond. The process-wide clock is the
// platform's unless a test substituted a fixed one.

#include "foundation/LocaleFormat.h"

namespace quillora {

class ILocalClock {
public:
    virtual ~ILocalClock() = default;
    // The current local date and time.
    virtual TDateTimeParts Now() const = 0;
};

// A clock that stands still at the moment it is given (tests).
class TFixedLocalClock : public ILocalClock {
public:
    explicit TFixedLocalClock(const TDateTimeParts& moment = {}) : moment_(moment) {}
    TDateTimeParts Now() const override { return moment_; }
    void SetNow(const TDateTimeParts& moment) { moment_ = moment; }

private:
    TDateTimeParts moment_;
};

// The process-wide clock.
const ILocalClock& LocalClock();
// Substitutes the clock (null restores the platform's); the caller keeps it alive.
void SetLocalClock(const ILocalClock* clock);
// The platform's clock (defined by the build: Win32 or the C++ library's).
const ILocalClock& PlatformLocalClock();

} // namespace quillora
