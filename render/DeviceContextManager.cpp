#include "render/DeviceContextManager.h"

#include <climits>
#include <cstdint>

namespace quillora {

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const uint64_t magnitude = product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
    const uint64_t divisor = c < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
    const uint64_t quotient = (magnitude + divisor / 2) / divisor;
    if (quotient > static_cast<uint64_t>(INT_MAX)) return -1;
    return negative ? -static_cast<int>(quotient) : static_cast<int>(quotient);
}

int FontPixelHeight(int size, int pixelsPerInch)
{
    return MulDiv(size, pixelsPerInch, 72);
}

} // namespace quillora
