#include "render/Tint.h"

#include "render/Blend.h"
#include "render/RasterDetail.h"

namespace quillora {

using raster_detail::TSpan;

void CopyTinted(TBitmap32& target, const TBitmap32& source, const TRect& sourceRect, TColor32 tint)
{
    if (&target == &source) {
        TBitmap32 copy;
        copy.Assign(source);
        CopyTinted(target, copy, sourceRect, tint);
        return;
    }
    const TSpan s = TSpan::Of(sourceRect).Intersect(TSpan::Of(source.BoundsRect()));
    if (s.IsEmpty()) {
        target.SetSize(0, 0);
    } else {
        target.SetSize(static_cast<int>(s.Width()), static_cast<int>(s.Height()));
        for (int64_t y = 0; y < s.Height(); ++y) {
            const TColor32* from = source.ScanLine(static_cast<int>(s.Top + y)) + s.Left;
            TColor32* to = target.ScanLine(static_cast<int>(y));
            for (int64_t x = 0; x < s.Width(); ++x)
                to[x] = TintPixel(from[x], tint);
        }
    }
    target.SetDrawMode(source.DrawMode());
    target.SetCombineMode(source.CombineMode());
    target.SetOuterColor(source.OuterColor());
}

} // namespace quillora
