#include "foundation/Clock.h"

namespace quillora {

namespace {
const ILocalClock* substituteClock = nullptr;
} // namespace

const ILocalClock& LocalClock() { return substituteClock ? *substituteClock : PlatformLocalClock(); }

void SetLocalClock(const ILocalClock* clock) { substituteClock = clock; }

} // namespace quillora
