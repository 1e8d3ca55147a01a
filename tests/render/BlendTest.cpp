#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "render/Blend.h"

namespace quillora {
namespace {

struct TPixelCase {
    TColor32 Source;
    TColor32 Dest;
    TColor32 Blend;
    TColor32 Merge;
};

TEST(Blend, PixelTable)
{
    const TPixelCase cases[] = {
        // An opaque source replaces, a transparent one keeps the destination.
        {0xFF123456, 0xFFABCDEF, 0xFF123456, 0xFF123456},
        {0xFF123456, 0x00000000, 0xFF123456, 0xFF123456},
        {0x00123456, 0xFFABCDEF, 0xFFABCDEF, 0xFFABCDEF},
        {0x00123456, 0x40ABCDEF, 0x40ABCDEF, 0x40ABCDEF},
        // Half red over opaque blue: 255 * 128 / 255 and 255 * 127 / 255.
        {0x80FF0000, 0xFF0000FF, 0xFF80007F, 0xFF80007F},
        // Over a transparent destination Blend darkens towards its black, Merge keeps the colour.
        {0x80FFFFFF, 0x00000000, 0x80808080, 0x80FFFFFF},
        // Half red over half blue: alpha 128 + round(128 * 127 / 255) = 192; red 255 * 128 / 192 = 170,
        // blue 255 * 64 / 192 = 85.
        {0x80FF0000, 0x800000FF, 0xC080007F, 0xC0AA0055},
        // Rounding to nearest: 200 * 3 / 255 = 2.35 and 100 * 252 / 255 = 98.8.
        {0x03C80000, 0xFF640000, 0xFF650000, 0xFF650000},
    };
    for (const TPixelCase& c : cases) {
        EXPECT_EQ(BlendPixel(c.Source, c.Dest), c.Blend) << std::hex << c.Source << " over " << c.Dest;
        EXPECT_EQ(MergePixel(c.Source, c.Dest), c.Merge) << std::hex << c.Source << " over " << c.Dest;
    }
}

// Every source value, destination value and alpha through both line kernels, against the
// rounded real-number formula.
TEST(Blend, LineKernelsExactForEveryChannelValue)
{
    std::vector<TColor32> source(65536);
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t s = 0; s < 256; ++s)
            source[a * 256 + s] = Color32(static_cast<uint8_t>(s), static_cast<uint8_t>(255 - s), static_cast<uint8_t>(s ^ 0x5A),
                                          static_cast<uint8_t>(a));
    auto expected = [](uint32_t s, uint32_t d, uint32_t a) { return (2 * (s * a + d * (255 - a)) + 255) / 510; };
    std::vector<TColor32> dest(source.size());
    for (auto* kernel : {&BlendLine, &BlendLineGeneric}) {
        for (uint32_t d = 0; d < 256; d += (kernel == &BlendLine ? 1 : 5)) {
            const TColor32 destPixel = Color32(static_cast<uint8_t>(d), static_cast<uint8_t>(d), static_cast<uint8_t>(255 - d),
                                               static_cast<uint8_t>(d));
            std::fill(dest.begin(), dest.end(), destPixel);
            kernel(source.data(), dest.data(), dest.size());
            for (size_t i = 0; i < dest.size(); ++i) {
                const TColor32 s = source[i];
                const uint32_t a = AlphaOf(s);
                const TColor32 want = Color32(static_cast<uint8_t>(expected(RedOf(s), d, a)),
                                              static_cast<uint8_t>(expected(GreenOf(s), d, a)),
                                              static_cast<uint8_t>(expected(BlueOf(s), 255 - d, a)),
                                              static_cast<uint8_t>(expected(255, d, a)));
                if (dest[i] != want) {
                    ADD_FAILURE() << std::hex << s << " over " << destPixel << " gives " << dest[i] << ", not " << want;
                    return;
                }
            }
        }
    }
}

TEST(Blend, LinesMatchPixelsAtEveryLengthAndOffset)
{
    std::mt19937 random(7);
    std::vector<TColor32> source(300);
    std::vector<TColor32> dest(300);
    for (size_t i = 0; i < source.size(); ++i) {
        source[i] = random();
        dest[i] = random();
    }
    for (size_t offset : {0, 1, 3}) {
        for (size_t length = 0; length + offset <= 260; length += 1 + length / 8) {
            std::vector<TColor32> blended = dest;
            std::vector<TColor32> generic = dest;
            std::vector<TColor32> merged = dest;
            BlendLine(source.data() + offset, blended.data() + offset, length);
            BlendLineGeneric(source.data() + offset, generic.data() + offset, length);
            MergeLine(source.data() + offset, merged.data() + offset, length);
            for (size_t i = 0; i < dest.size(); ++i) {
                const bool inside = i >= offset && i < offset + length;
                ASSERT_EQ(blended[i], inside ? BlendPixel(source[i], dest[i]) : dest[i]) << offset << "/" << length << "/" << i;
                ASSERT_EQ(generic[i], blended[i]);
                ASSERT_EQ(merged[i], inside ? MergePixel(source[i], dest[i]) : dest[i]);
            }
        }
    }
}

TEST(Blend, MergeOverOpaqueEqualsBlend)
{
    std::mt19937 random(11);
    for (int i = 0; i < 100000; ++i) {
        const TColor32 s = random();
        const TColor32 d = random() | 0xFF000000u;
        ASSERT_EQ(MergePixel(s, d), BlendPixel(s, d)) << std::hex << s << " " << d;
    }
}

TEST(Blend, TintPixel)
{
    // A transparent pixel stays; others move towards the tint by its alpha and keep their own.
    EXPECT_EQ(TintPixel(0x00FFFFFF, 0x856782FE), 0x00FFFFFFu);
    // White at alpha 200 under the tint 103,130,254 at alpha 133:
    // (103 * 133 + 255 * 122) / 255 = 175.7, (130 * 133 + 255 * 122) / 255 = 189.8, (254 * 133 + 255 * 122) / 255 = 254.5.
    EXPECT_EQ(TintPixel(0xC8FFFFFF, 0x856782FE), 0xC8B0BEFEu);
    EXPECT_EQ(TintPixel(0x01000000, 0xFF102030), 0x01102030u);
    EXPECT_EQ(TintPixel(0xFF102030, 0x00FFFFFF), 0xFF102030u);
}

} // namespace
} // namespace quillora
