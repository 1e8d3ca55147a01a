#include "render/NinePart.h"

#include <algorithm>

#include "render/RasterDetail.h"

namespace quillora {

using raster_detail::TSpan;

TBorderParts SplitBorders(int64_t size, int64_t first, int64_t second)
{
    size = std::max<int64_t>(size, 0);
    TBorderParts parts;
    parts.First = std::min(std::max<int64_t>(first, 0), size);
    parts.Second = std::min(std::max<int64_t>(second, 0), size - parts.First);
    return parts;
}

void DrawNinePart(TBitmap32& target, const TRect& rect, const TBitmap32& source, const TRect& sourceRect, const TNinePart& parts)
{
    const TSpan d = TSpan::Of(rect);
    const TSpan s = TSpan::Of(sourceRect).Intersect(TSpan::Of(source.BoundsRect()));
    if (d.IsEmpty() || s.IsEmpty())
        return;
    const TBorderParts dx = SplitBorders(d.Width(), parts.Zone.Left, parts.Zone.Right);
    const TBorderParts dy = SplitBorders(d.Height(), parts.Zone.Top, parts.Zone.Bottom);
    const TBorderParts sx = SplitBorders(s.Width(), dx.First, dx.Second);
    const TBorderParts sy = SplitBorders(s.Height(), dy.First, dy.Second);

    // Edges of the three columns and rows: destination and source.
    const int64_t dCols[4] = {d.Left, d.Left + dx.First, d.Right - dx.Second, d.Right};
    const int64_t dRows[4] = {d.Top, d.Top + dy.First, d.Bottom - dy.Second, d.Bottom};
    const int64_t sCols[4] = {s.Left, s.Left + sx.First, s.Right - sx.Second, s.Right};
    const int64_t sRows[4] = {s.Top, s.Top + sy.First, s.Bottom - sy.Second, s.Bottom};
    const TFillMode modes[3][3] = {
        {fmStretch, parts.Top, fmStretch},
        {parts.Left, parts.Client, parts.Right},
        {fmStretch, parts.Bottom, fmStretch},
    };

    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const TFillMode mode = modes[row][col];
            if (mode == fmNone)
                continue;
            const TRect cell{static_cast<int>(dCols[col]), static_cast<int>(dRows[row]), static_cast<int>(dCols[col + 1]),
                             static_cast<int>(dRows[row + 1])};
            const TRect sourceCell{static_cast<int>(sCols[col]), static_cast<int>(sRows[row]),
                                   static_cast<int>(sCols[col + 1]), static_cast<int>(sRows[row + 1])};
            if (cell.IsEmpty() || sourceCell.IsEmpty())
                continue;
            if (mode == fmTile)
                target.Tile(cell, sourceCell, source);
            else
                target.Draw(cell, sourceCell, source);
        }
    }
}

} // namespace quillora
