#pragma once
// TColor32: a 32-bit colour 0xAARRGGBB with straight (not premultiplied) alpha, the pixel
// of TBitmap32. In memory a pixel is the bytes blue, green, red, alpha, as in a 32-bit
// device-independent bitmap.

#include <bit>
#include <cstdint>

#include "foundation/Colors.h"

namespace quillora {

static_assert(std::endian::native == std::endian::little, "pixels are stored as B, G, R, A bytes");

using TColor32 = uint32_t;

constexpr TColor32 Color32(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 0xFF)
{
    return (static_cast<TColor32>(alpha) << 24) | (static_cast<TColor32>(red) << 16) |
           (static_cast<TColor32>(green) << 8) | blue;
}
constexpr uint8_t AlphaOf(TColor32 c) { return static_cast<uint8_t>(c >> 24); }
constexpr uint8_t RedOf(TColor32 c) { return static_cast<uint8_t>(c >> 16); }
constexpr uint8_t GreenOf(TColor32 c) { return static_cast<uint8_t>(c >> 8); }
constexpr uint8_t BlueOf(TColor32 c) { return static_cast<uint8_t>(c); }
constexpr TColor32 WithAlpha(TColor32 c, uint8_t alpha) { return (c & 0x00FFFFFFu) | (static_cast<TColor32>(alpha) << 24); }

// A Windows colour (0x00BBGGRR, or a system colour, resolved to its current value) to an
// opaque 32-bit colour.
inline TColor32 ColorToColor32(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return Color32(ColorRed(rgb), ColorGreen(rgb), ColorBlue(rgb));
}

// A 32-bit colour to a Windows colour; the alpha is dropped.
constexpr TColor Color32ToColor(TColor32 c) { return RGBColor(RedOf(c), GreenOf(c), BlueOf(c)); }

} // namespace quillora
