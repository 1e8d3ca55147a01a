#include "render/Font.h"

#include <algorithm>
#include <climits>

#include "render/Bitmap32.h"

namespace quillora {

namespace {

int ViewLength(StringView text)
{
    return static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
}

} // namespace

bool HasControlChars(const Char* chars, int count)
{
    for (int i = 0; i < count; ++i)
        if (chars[i] < 32) return true;
    return false;
}

String ReplaceControlChars(const Char* chars, int count)
{
    String copy(chars, chars + (count > 0 ? count : 0));
    for (Char& c : copy)
        if (c < 32) c = ControlCharReplacement;
    return copy;
}

int TFont::TextWidth(const Char* chars, int count) const
{
    if (count <= 0) return 0;
    if (!HasControlChars(chars, count)) return MeasureChars(chars, count);
    const String copy = ReplaceControlChars(chars, count);
    return MeasureChars(copy.data(), count);
}

int TFont::TextWidth(StringView text) const
{
    return TextWidth(text.data(), ViewLength(text));
}

int TFont::DrawText(TBitmap32& target, int x, int y, TColor color, const Char* chars, int count) const
{
    if (count <= 0) return 0;
    String copy;
    if (HasControlChars(chars, count)) {
        copy = ReplaceControlChars(chars, count);
        chars = copy.data();
    }
    const int width = MeasureChars(chars, count);
    if (color != clNone && !target.Empty() && !target.ClipRect().IsEmpty())
        DrawChars(target, x, y, ColorToRGB(color), chars, count);
    return width;
}

int TFont::DrawText(TBitmap32& target, int x, int y, TColor color, StringView text) const
{
    return DrawText(target, x, y, color, text.data(), ViewLength(text));
}

} // namespace quillora
