#include "foundation/Input.h"

#include <cstdlib>

namespace quillora {

int TClickCounter::Press(TPointerButton button, TPoint screenPoint, uint32_t time, uint32_t doubleClickTime,
                         TPoint doubleClickDistance)
{
    // The clock wraps around; the difference of two readings is still right.
    const uint32_t elapsed = time - time_;
    const bool continues = count_ > 0 && button == button_ && elapsed <= doubleClickTime &&
                           std::abs(screenPoint.X - point_.X) <= doubleClickDistance.X &&
                           std::abs(screenPoint.Y - point_.Y) <= doubleClickDistance.Y;
    count_ = continues ? count_ + 1 : 1;
    button_ = button;
    point_ = screenPoint;
    time_ = time;
    return count_;
}

} // namespace quillora
