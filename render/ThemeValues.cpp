#include "render/ThemeValues.h"

#include <algorithm>
#include <climits>

#include "foundation/Knot.h"
#include "foundation/NumberParse.h"

namespace quillora {

std::array<int, 4> ParseThemeIntegerList(StringView text, int min, int max)
{
    std::array<int, 4> items{};
    size_t start = 0;
    for (int& item : items) {
        if (start > text.size())
            break;
        size_t comma = text.find(u',', start);
        if (comma == StringView::npos)
            comma = text.size();
        int32_t value = 0;
        if (TryParseInt32(text.substr(start, comma - start), value))
            item = value;
        start = comma + 1;
    }
    for (int& item : items)
        item = std::clamp(item, min, max);
    return items;
}

TRect ReadThemeIntegerList(TKnot& node, StringView key, int min, int max, const TRect& absent)
{
    if (!node.ParamExists(key))
        return absent;
    const std::array<int, 4> items = ParseThemeIntegerList(node.ReadString(key), min, max);
    return {items[0], items[1], items[2], items[3]};
}

bool ReadThemeColor(TKnot& node, StringView key, const TBitmap32& image, TColor32& color)
{
    if (!node.ParamExists(key) || image.Empty())
        return false;
    const std::array<int, 4> items = ParseThemeIntegerList(node.ReadString(key), 0, INT32_MAX);
    color = image.Pixel(std::min(items[0], image.Width() - 1), std::min(items[1], image.Height() - 1));
    return true;
}

TFillMode ReadThemeFillMode(TKnot& node, StringView key)
{
    return static_cast<TFillMode>(node.ReadInteger(key, fmStretch, fmStretch, fmNone));
}

int ScaleThemeValue(int value, int percent)
{
    return static_cast<int>(std::clamp<int64_t>(int64_t{value} * percent / 100, INT_MIN, INT_MAX));
}

TRect ScaleThemeRect(const TRect& r, int percent)
{
    return {ScaleThemeValue(r.Left, percent), ScaleThemeValue(r.Top, percent), ScaleThemeValue(r.Right, percent),
            ScaleThemeValue(r.Bottom, percent)};
}

} // namespace quillora
