// GDI+ as the platform decoder of the Windows build (run under Wine).
#include <gtest/gtest.h>

#include <string>

#include "foundation/Files.h"
#include "foundation/Service.h"
#include "foundation/win32/WinInclude.h"
#include "images/UniversalImage.h"
#include "images/win32/GdiPlusImage.h"

namespace quillora {
namespace {

// Wine's GDI+ cannot encode GIF from a 32-bit picture (it does not reduce the colours).
bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

TFrame Pattern()
{
    TFrame frame(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) frame.SetPixel(x, y, MakeArgb(255, uint8_t(50 * x), uint8_t(100 * y), 200));
    return frame;
}

TEST(GdiPlusImage, IsAvailableAndReportsStatusInItsMessage)
{
    ASSERT_TRUE(GdiPlusAvailable());
    EXPECT_EQ(EGdipException(0x0102).Message(), u"Invalid GDI+ operation (2)");

    TGDIPlusImage image;
    TMemoryStream empty;
    try {
        image.LoadFromStream(empty);
        ADD_FAILURE() << "an empty stream loaded";
    } catch (const EGdipException& e) {
        EXPECT_EQ(e.Status(), GdipInvalidParameter);
    }
    TMemoryStream garbage(std::vector<uint8_t>(64, 0x5A));
    EXPECT_THROW(image.LoadFromStream(garbage), EGdipException);
}

TEST(GdiPlusImage, LosslessEncodersRoundTripAFrame)
{
    for (TPictureEncoder encoder : {peBmp, pePng, peTiff}) {
        TMemoryStream encoded;
        Service<TPlatformDecoder>().Encode(Pattern(), encoder, encoded);
        encoded.SetPosition(0);
        TUniversalImage back;
        back.LoadFromStream(encoded);
        ASSERT_EQ(back.FrameCount(), 1) << "encoder " << int(encoder);
        EXPECT_TRUE(back.Frames(0) == Pattern()) << "encoder " << int(encoder);
    }
}

TEST(GdiPlusImage, ConvertKeepsTheSizeAndTheDimensionIsRead)
{
    std::string bytes = ReadWholeFile(Utf8ToString(std::string(QUILLORA_TEST_DATA) + "/images/small.png"));
    for (TPictureEncoder encoder : {peBmp, peGif, peJpeg, pePng, peTiff}) {
        TMemoryStream source(std::vector<uint8_t>(bytes.begin(), bytes.end()));
        try {
            TMemoryStream converted = TUniversalImage::Convert(source, encoder);
            ASSERT_GT(converted.Size(), 0u) << "encoder " << int(encoder);
            TGDIPlusImage image;
            image.LoadFromStream(converted);
            EXPECT_EQ(image.GetDimension(), (TPictureSize{3, 2})) << "encoder " << int(encoder);
        } catch (const Exception& e) {
            if (encoder == peGif && RunningUnderWine()) continue;
            ADD_FAILURE() << "encoder " << int(encoder) << ": " << e.what();
        }
    }
}

} // namespace
} // namespace quillora
