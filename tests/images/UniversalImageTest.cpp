// The picture container: codec choice, frames, copies and errors of the platform decoder.
#include <gtest/gtest.h>

#include "images/UniversalImage.h"
#include "PictureTestSupport.h"

namespace quillora {
namespace {

using testing_pictures::TFakePlatformDecoder;

TEST(UniversalImage, FormatByContentFromTheStreamPosition)
{
    struct Case {
        std::vector<uint8_t> bytes;
        TPictureFormat format;
    } cases[] = {
        {{0, 0, 1, 0, 5, 0}, pfIcon},
        {{0, 0, 2, 0}, pfIcon},
        {{0, 0, 3, 0, 1, 0}, pfPlatform},
        {{0, 1, 1, 0}, pfPlatform},
        {{0, 0, 1}, pfPlatform},
        {{}, pfPlatform},
        {{137, 'P', 'N', 'G', 13, 10, 26, 10}, pfPlatform},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = {0xAA, 0xBB}; // sniffing starts at the position
        bytes.insert(bytes.end(), c.bytes.begin(), c.bytes.end());
        TMemoryStream stream(bytes);
        stream.SetPosition(2);
        EXPECT_EQ(PictureFormatOfContent(stream), c.format) << "case of " << c.bytes.size() << " bytes";
        EXPECT_EQ(stream.Position(), 2u);
    }
}

TEST(UniversalImage, FormatByExtension)
{
    struct Case {
        const char16_t* name;
        TPictureFormat format;
    } cases[] = {{u"a.ico", pfIcon}, {u"a.CUR", pfIcon}, {u"a.Tga", pfTarga}, {u"a.png", pfPlatform},
                 {u"tga", pfPlatform}, {u"dir.tga/file", pfPlatform}, {u"a.tga.bmp", pfPlatform}};
    for (const Case& c : cases) EXPECT_EQ(PictureFormatOfExtension(c.name), c.format) << StringToUtf8(c.name);
}

TEST(UniversalImage, FramesAssignAndEmptyContainer)
{
    TUniversalImage image;
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.FirstFrame(), nullptr);
    EXPECT_EQ(image.GetSize(), TPictureSize{});
    TFrame& first = image.AddFrame();
    first.SetSize(3, 2);
    first.SetPixel(2, 1, 0xFF010203);
    image.AddFrame().SetSize(1, 1);
    EXPECT_EQ(&first, image.FirstFrame()) << "frames keep their place when more are added";
    EXPECT_EQ(image.GetSize(), (TPictureSize{3, 2}));

    TUniversalImage copy;
    copy.AddFrame();
    copy.Assign(image);
    ASSERT_EQ(copy.FrameCount(), 2);
    EXPECT_NE(copy.FirstFrame(), image.FirstFrame());
    EXPECT_EQ(copy.Frames(0).Pixel(2, 1), 0xFF010203u);
    image.Clear();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(copy.FrameCount(), 2);
}

TEST(UniversalImage, PlatformPathAndItsErrors)
{
    TFakePlatformDecoder fake;
    TProvide<TPlatformDecoder> provideFake(fake);
    TMemoryStream stream(std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a'});
    TUniversalImage image;
    image.LoadFromStream(stream);
    ASSERT_EQ(image.FrameCount(), 1);
    EXPECT_EQ(image.GetSize(), (TPictureSize{2, 1}));

    fake.Fail = true;
    stream.SetPosition(0);
    EXPECT_THROW(image.LoadFromStream(stream), Exception);
    EXPECT_TRUE(image.IsEmpty()) << "a new load clears the old frames first";

    TMemoryStream target;
    EXPECT_THROW(image.SaveFrameToStream(0, pePng, target), Exception) << "no frame to save";
}

TEST(UniversalImage, MissingFileRaises)
{
    TUniversalImage image;
    EXPECT_THROW(image.LoadFromFile(Utf8ToString(std::string(QUILLORA_TEST_DATA) + "/images/no-such-picture.tga")),
                 Exception);
}

TEST(Frame, SizeBounds)
{
    TFrame frame;
    EXPECT_THROW(frame.SetSize(-1, 5), Exception);
    EXPECT_THROW(frame.SetSize(65536, 65536), Exception);
    frame.SetSize(0, 7);
    EXPECT_TRUE(frame.Empty());
    EXPECT_EQ(frame.Height(), 0);
    frame.SetSize(2, 2);
    EXPECT_EQ(frame.Pixels().size(), 4u);
}

} // namespace
} // namespace quillora
