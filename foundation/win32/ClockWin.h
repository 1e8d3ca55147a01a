#pragma once
// The local time of Windows (GetLocalTime).

#include "foundation/Clock.h"

namespace quillora {

class TWinLocalClock final : public ILocalClock {
public:
    TDateTimeParts Now() const override;
};

} // namespace quillora
