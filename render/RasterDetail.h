#pragma once
// Helpers shared by the raster sources; not for use outside render/.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "foundation/Geometry.h"
#include "render/Bitmap32.h"

namespace quillora::raster_detail {

// A rectangle in 64-bit coordinates, so that sizes and offsets of any int rectangle fit.
struct TSpan {
    int64_t Left = 0;
    int64_t Top = 0;
    int64_t Right = 0;
    int64_t Bottom = 0;

    static TSpan Of(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
    int64_t Width() const { return Right - Left; }
    int64_t Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    TSpan Intersect(const TSpan& o) const
    {
        return {std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right), std::min(Bottom, o.Bottom)};
    }
};

// Copies count pixels; the two ranges must not overlap.
void CopyLine(const TColor32* src, TColor32* dst, size_t count);

// Puts count source pixels onto dst as the source bitmap's draw and combine modes say.
void TransferLine(const TBitmap32& source, const TColor32* src, TColor32* dst, size_t count);

} // namespace quillora::raster_detail
