#pragma once
// The local time outside Windows: the system clock in the C library's time zone rules.

#include "foundation/Clock.h"

namespace quillora {

class TSystemLocalClock final : public ILocalClock {
public:
    TDateTimeParts Now() const override;
};

} // namespace quillora
