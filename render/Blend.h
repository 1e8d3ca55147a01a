#pragma once
// Pixel blending of 32-bit colours with straight alpha.
//
// Blend (source over an opaque destination): every colour channel becomes
//   round((S * a + D * (255 - a)) / 255), a = source alpha,
// and the alpha becomes a + round(Da * (255 - a) / 255). Over an opaque destination this
// is exact source-over; a fully opaque source replaces the destination, a fully
// transparent one leaves it.
//
// Merge (source over a destination that may itself be translucent): the alpha is as for
// Blend and every colour channel is the weighted mean
//   round((S * a + D * w) / (a + w)), w = round(Da * (255 - a) / 255);
// a result of alpha 0 is 0. Over an opaque destination Merge equals Blend.
//
// Every operation uses integer arithmetic only and no per-pixel division.

#include <cstddef>
#include <cstdint>

#include "render/Color32.h"

namespace quillora {

// round(t / 255) for t in 0..65025.
constexpr uint32_t Div255(uint32_t t)
{
    t += 128;
    return (t + (t >> 8)) >> 8;
}

constexpr TColor32 BlendPixel(TColor32 src, TColor32 dst)
{
    const uint32_t a = src >> 24;
    const uint32_t ia = 255 - a;
    const uint32_t s = src | 0xFF000000u; // the alpha channel blends 255 over the destination alpha
    TColor32 result = 0;
    for (int shift = 0; shift < 32; shift += 8)
        result |= Div255(((s >> shift) & 0xFF) * a + ((dst >> shift) & 0xFF) * ia) << shift;
    return result;
}

TColor32 MergePixel(TColor32 src, TColor32 dst);

// dst[i] = BlendPixel(src[i], dst[i]). The ranges must not overlap unless they are the same.
void BlendLine(const TColor32* src, TColor32* dst, size_t count);
// The portable kernel behind BlendLine; BlendLine takes a faster one where the processor has it.
void BlendLineGeneric(const TColor32* src, TColor32* dst, size_t count);
// dst[i] = MergePixel(src[i], dst[i]).
void MergeLine(const TColor32* src, TColor32* dst, size_t count);

// The colour tint of a theme decoration: every pixel whose alpha is not 0 gets its red,
// green and blue blended towards the tint's by the tint's alpha, round(t * ta + p * (1 - ta));
// the pixel keeps its own alpha. Pixels of alpha 0 stay as they are.
constexpr TColor32 TintPixel(TColor32 pixel, TColor32 tint)
{
    if ((pixel >> 24) == 0)
        return pixel;
    const uint32_t ta = tint >> 24;
    const uint32_t ia = 255 - ta;
    TColor32 result = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        result |= Div255(((tint >> shift) & 0xFF) * ta + ((pixel >> shift) & 0xFF) * ia) << shift;
    return result;
}

} // namespace quillora
