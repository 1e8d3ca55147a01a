#pragma once
// The local date and time, to the millisecond, provided as Service<ILocalClock>()
// (foundation/Service.h); tests provide a fixed one.

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

} // namespace quillora
