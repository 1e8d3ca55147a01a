// Reading picture sizes from headers, bounded by the data (JPEG segments above all).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "images/PictureSize.h"

namespace quillora {
namespace {

std::vector<uint8_t> Jpeg(std::initializer_list<uint8_t> afterStart)
{
    std::vector<uint8_t> bytes(afterStart.size() + 2);
    bytes[0] = 0xFF;
    bytes[1] = 0xD8;
    std::copy(afterStart.begin(), afterStart.end(), bytes.begin() + 2);
    return bytes;
}

TEST(PictureSize, JpegSegments)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        bool ok;
        TPictureSize size;
    } cases[] = {
        {"frame after an APP0 segment",
         Jpeg({0xFF, 0xE0, 0, 4, 9, 9, 0xFF, 0xC0, 0, 11, 8, 0x01, 0x2C, 0x02, 0x58, 3}), true, {600, 300}},
        {"progressive frame", Jpeg({0xFF, 0xC2, 0, 11, 8, 0, 2, 0, 3}), true, {3, 2}},
        {"segment length 0", Jpeg({0xFF, 0xE0, 0, 0, 0xFF, 0xE0, 0, 0}), false, {}},
        {"segment length 1", Jpeg({0xFF, 0xE1, 0, 1}), false, {}},
        {"segment longer than the data", Jpeg({0xFF, 0xE1, 0x40, 0, 1, 2}), false, {}},
        {"end of image first", Jpeg({0xFF, 0xD9, 0xFF, 0xC0, 0, 11, 8, 0, 2, 0, 3}), false, {}},
        {"frame header cut short", Jpeg({0xFF, 0xC0, 0, 11, 8, 0}), false, {}},
        {"zero width", Jpeg({0xFF, 0xC0, 0, 11, 8, 0, 2, 0, 0}), false, {}},
        {"no start marker", {0xFF, 0xD9, 0xFF, 0xC0, 0, 11, 8, 0, 2, 0, 3}, false, {}},
    };
    for (const Case& c : cases) {
        TPictureSize size;
        EXPECT_EQ(ReadJpegSize(c.bytes.data(), c.bytes.size(), size), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(size, c.size) << c.what;
        }
    }
}

TEST(PictureSize, OtherHeaders)
{
    std::vector<uint8_t> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[18] = 7;                                    // width 7
    bmp[22] = 0xFB, bmp[23] = bmp[24] = bmp[25] = 0xFF; // height -5
    TPictureSize size;
    ASSERT_TRUE(ReadBmpSize(bmp.data(), bmp.size(), size));
    EXPECT_EQ(size, (TPictureSize{7, 5}));
    EXPECT_FALSE(ReadBmpSize(bmp.data(), 53, size));

    std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 0x20, 0x01, 0x10, 0};
    ASSERT_TRUE(ReadGifSize(gif.data(), gif.size(), size));
    EXPECT_EQ(size, (TPictureSize{288, 16}));

    std::vector<uint8_t> png(24, 0);
    png[18] = 1, png[23] = 2;
    ASSERT_TRUE(ReadPngSize(png.data(), png.size(), size));
    EXPECT_EQ(size, (TPictureSize{256, 2}));
    png[16] = 0x80; // beyond 2^31 - 1
    EXPECT_FALSE(ReadPngSize(png.data(), png.size(), size));

    // Icons: the widest entry; cursors take its width for the height too.
    std::vector<uint8_t> ico = {0, 0, 1, 0, 2, 0};
    for (uint8_t w : {uint8_t(16), uint8_t(48)}) {
        std::vector<uint8_t> entry(16, 0);
        entry[0] = w;
        entry[1] = uint8_t(w / 2);
        ico.insert(ico.end(), entry.begin(), entry.end());
    }
    ASSERT_TRUE(ReadIconSize(ico.data(), ico.size(), true, size));
    EXPECT_EQ(size, (TPictureSize{48, 24}));
    ASSERT_TRUE(ReadIconSize(ico.data(), ico.size(), false, size));
    EXPECT_EQ(size, (TPictureSize{48, 48}));
    EXPECT_FALSE(ReadIconSize(ico.data(), ico.size() - 1, true, size)) << "directory cut short";
}

} // namespace
} // namespace quillora
