#pragma once
// The value forms of the theme info: integer lists, colours taken from pixels of the theme
// image and fill modes. Reading never raises; bad items take their defaults.

#include <array>

#include "foundation/Strings.h"
#include "render/Bitmap32.h"
#include "render/Color32.h"
#include "render/NinePart.h"

namespace quillora {

class TKnot;

// Up to four integers separated by commas, left to right; an item that is missing or not
// an integer counts as 0, every item is clamped into min..max, further items are ignored.
std::array<int, 4> ParseThemeIntegerList(StringView text, int min, int max);
// The list of the parameter `key` of node as Left, Top, Right, Bottom; `absent` when the
// node has no such parameter.
TRect ReadThemeIntegerList(TKnot& node, StringView key, int min, int max, const TRect& absent = {});
// The pixel of image at the position "x,y" of the parameter `key` (clamped to the image);
// false, leaving color alone, when the parameter is missing or the image is empty.
bool ReadThemeColor(TKnot& node, StringView key, const TBitmap32& image, TColor32& color);
// A knot integer 0 (stretch), 1 (tile) or 2 (none); any other value or none reads as 0.
TFillMode ReadThemeFillMode(TKnot& node, StringView key);

// percent * value / 100, truncated toward zero and kept inside the int range.
int ScaleThemeValue(int value, int percent);
TRect ScaleThemeRect(const TRect& r, int percent);

} // namespace quillora
