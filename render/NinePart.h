#pragma once
// Nine-part frames: a source picture cut into corners, edges and centre by four border
// bands, drawn into a destination rectangle of any size. Corners keep their size; the
// edges and the centre are stretched, tiled or left out.

#include <cstdint>

#include "foundation/Geometry.h"
#include "render/Bitmap32.h"

namespace quillora {

enum TFillMode { fmStretch = 0, fmTile = 1, fmNone = 2 };

struct TNinePart {
    // The widths of the left, top, right and bottom border bands, in source pixels.
    TRect Zone;
    TFillMode Left = fmStretch;
    TFillMode Top = fmStretch;
    TFillMode Right = fmStretch;
    TFillMode Bottom = fmStretch;
    TFillMode Client = fmStretch;
};

// The two border parts of a size: the first part is min(first, size), the second
// min(second, size - first part); negative band widths count as 0. A size of at least
// first + second keeps both bands; a smaller one cuts the second band, then the first, so
// that the parts are never negative and never exceed the size.
struct TBorderParts {
    int64_t First = 0;
    int64_t Second = 0;
};
TBorderParts SplitBorders(int64_t size, int64_t first, int64_t second);

// Draws sourceRect of source (first cut to the source) as a nine-part frame filling rect.
// The destination is split by SplitBorders with the zone; the source cells are cut from
// sourceRect with the same corner sizes (cut again when the source is smaller), so
// corners are copied one to one. Every cell lands by source's draw mode and is clipped to
// target's clip rectangle; a cell whose source or destination is empty is skipped.
void DrawNinePart(TBitmap32& target, const TRect& rect, const TBitmap32& source, const TRect& sourceRect, const TNinePart& parts);

} // namespace quillora
