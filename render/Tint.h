#pragma once
// Tinted copies of bitmap parts (the colour tints of theme decorations).

#include "foundation/Geometry.h"
#include "render/Bitmap32.h"
#include "render/Color32.h"

namespace quillora {

// Makes target a copy of the part of sourceRect inside source, every pixel tinted by
// TintPixel (render/Blend.h), with source's draw mode, combine mode and outer colour.
// Nothing of sourceRect inside the source leaves target empty.
void CopyTinted(TBitmap32& target, const TBitmap32& source, const TRect& sourceRect, TColor32 tint);

} // namespace quillora
