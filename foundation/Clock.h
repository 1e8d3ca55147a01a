#pragma once
// The clocks of the program, provided as services (foundation/Service.h): the local date
// and time, to the millisecond (Service<ILocalClock>()), and a steady clock for how long
// ago something happened (Service<ISteadyClock>()). Tests provide ones they set.

#include <chrono>

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

// A clock that only goes forward, whatever the time of day does.
class ISteadyClock {
public:
    using TTimePoint = std::chrono::steady_clock::time_point;
    virtual ~ISteadyClock() = default;
    virtual TTimePoint Now() const = 0;
};

// The C++ library's steady clock (every platform has it).
class TSystemSteadyClock : public ISteadyClock {
public:
    TTimePoint Now() const override { return std::chrono::steady_clock::now(); }
};

// A steady clock that moves only when told (tests).
class TManualSteadyClock : public ISteadyClock {
public:
    TTimePoint Now() const override { return now_; }
    void Advance(std::chrono::milliseconds by) { now_ += by; }

private:
    TTimePoint now_ = TTimePoint {} + std::chrono::hours(1);
};

} // namespace quillora
