#include "render/Blend.h"

#include <array>
#include <cstring>

namespace quillora {

namespace {

// One pixel of BlendPixel with the two channel pairs (blue, red) and (green, alpha) held
// in the 16-bit halves of 32-bit words; the loop of this form vectorises with wide
// 32-bit multiplies.
inline TColor32 BlendPixelPairs(uint32_t s, uint32_t d)
{
    const uint32_t a = s >> 24;
    const uint32_t ia = 255 - a;
    s |= 0xFF000000u;
    uint32_t rb = (s & 0x00FF00FFu) * a + (d & 0x00FF00FFu) * ia + 0x00800080u;
    rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    uint32_t ag = ((s >> 8) & 0x00FF00FFu) * a + ((d >> 8) & 0x00FF00FFu) * ia + 0x00800080u;
    ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
    return rb | ag;
}

// A chunk of Chunk pixels in 16-bit channel arithmetic: the alpha of each pixel is first
// spread over its four bytes, so that the channel loop runs over plain byte arrays of a
// fixed length, which the compiler vectorises with the baseline instruction set.
constexpr size_t Chunk = 64;

inline void BlendChunk(const TColor32* src, TColor32* dst)
{
    uint32_t source[Chunk];
    uint32_t alpha[Chunk];
    uint32_t target[Chunk];
    std::memcpy(target, dst, sizeof target);
    for (size_t k = 0; k < Chunk; ++k) {
        const uint32_t s = src[k];
        const uint32_t a = s >> 24;
        source[k] = s | 0xFF000000u;
        alpha[k] = a | (a << 8) | (a << 16) | (a << 24);
    }
    const auto* s8 = reinterpret_cast<const uint8_t*>(source);
    const auto* a8 = reinterpret_cast<const uint8_t*>(alpha);
    auto* d8 = reinterpret_cast<uint8_t*>(target);
    for (size_t k = 0; k < 4 * Chunk; ++k) {
        const uint16_t a = a8[k];
        // s * a + d * (255 - a) + 128 <= 65153 fits 16 bits; * 257 >> 16 is Div255's rounding.
        const uint16_t t = static_cast<uint16_t>(s8[k] * a + d8[k] * static_cast<uint16_t>(255 - a) + 128);
        d8[k] = static_cast<uint8_t>((static_cast<uint32_t>(t) * 257u) >> 16);
    }
    std::memcpy(dst, target, sizeof target);
}

#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define QUILLORA_BLEND_AVX2 1
// The same loop for processors with AVX2: eight pixels per step with 32-bit multiplies.
__attribute__((target("avx2"), optimize("O3"))) void BlendLineAvx2(const TColor32* src, TColor32* dst, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        dst[i] = BlendPixelPairs(src[i], dst[i]);
}
#endif

using TBlendLineProc = void (*)(const TColor32*, TColor32*, size_t);

TBlendLineProc ChooseBlendLine()
{
#ifdef QUILLORA_BLEND_AVX2
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2"))
        return &BlendLineAvx2;
#endif
    return &BlendLineGeneric;
}

// Reciprocals for Merge: x / d == (x * MergeReciprocal[d]) >> 25 for every x < 2^17.
constexpr std::array<uint64_t, 256> MergeReciprocals = [] {
    std::array<uint64_t, 256> table{};
    for (uint64_t d = 1; d < 256; ++d)
        table[d] = ((uint64_t{1} << 25) + d - 1) / d;
    return table;
}();

} // namespace

TColor32 MergePixel(TColor32 src, TColor32 dst)
{
    const uint32_t a = src >> 24;
    if (a == 255)
        return src;
    const uint32_t w = Div255((dst >> 24) * (255 - a));
    const uint32_t total = a + w;
    if (total == 0)
        return 0;
    const uint64_t reciprocal = MergeReciprocals[total];
    TColor32 result = total << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t sum = ((src >> shift) & 0xFF) * a + ((dst >> shift) & 0xFF) * w + total / 2;
        result |= static_cast<uint32_t>((sum * reciprocal) >> 25) << shift;
    }
    return result;
}

void BlendLineGeneric(const TColor32* src, TColor32* dst, size_t count)
{
    size_t i = 0;
    for (; i + Chunk <= count; i += Chunk)
        BlendChunk(src + i, dst + i);
    for (; i < count; ++i)
        dst[i] = BlendPixelPairs(src[i], dst[i]);
}

void BlendLine(const TColor32* src, TColor32* dst, size_t count)
{
    static const TBlendLineProc proc = ChooseBlendLine();
    proc(src, dst, count);
}

void MergeLine(const TColor32* src, TColor32* dst, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        dst[i] = MergePixel(src[i], dst[i]);
}

} // namespace quillora
