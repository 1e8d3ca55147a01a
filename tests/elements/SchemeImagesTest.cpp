#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "elements/SchemeImages.h"
#include "images/Frame.h"
#include "images/UniversalImage.h"
#include "render/SheetThemeTypes.h"
#include "render/ThemeResources.h"

using namespace quillora;

namespace {

std::string ReadDataFile(const std::string& name)
{
    std::ifstream in(std::string(QUILLORA_TEST_DATA) + "/images/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class TFakeResources : public TResourceModule {
public:
    std::map<String, std::string> Data;
    bool FindRawData(StringView name, std::string_view& data) const override
    {
        auto it = Data.find(String(name));
        if (it == Data.end()) return false;
        data = it->second;
        return true;
    }
};

// A strip of `columns` x `rows` cells of `cell` pixels; every pixel tells its cell.
TFrame NumberedStrip(int cell, int columns, int rows, int extraWidth = 0, int extraHeight = 0)
{
    TFrame strip(cell * columns + extraWidth, cell * rows + extraHeight);
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < strip.Width(); ++x)
            strip.SetPixel(x, y, MakeArgb(0xFF, uint8_t(y / cell), uint8_t(x / cell), uint8_t(x % cell + y % cell)));
    return strip;
}

} // namespace

TEST(SchemeImagesTest, StripsAreCutRowByRowAndPartialCellsLeftOut)
{
    TSchemeImages list(4);
    EXPECT_EQ(list.AddStrip(NumberedStrip(4, 3, 2, 3, 2)), 0);
    ASSERT_EQ(list.Count(), 6);
    for (int i = 0; i < 6; ++i) {
        const TBitmap32* image = list.GetImage(i);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Width(), 4);
        EXPECT_EQ(image->Height(), 4);
        EXPECT_EQ(image->DrawMode(), dmBlend);
        EXPECT_EQ(RedOf(image->Pixel(1, 2)), i / 3) << i;   // row of the strip
        EXPECT_EQ(GreenOf(image->Pixel(1, 2)), i % 3) << i; // column of the strip
        EXPECT_EQ(BlueOf(image->Pixel(1, 2)), 3) << i;
    }
    // A second strip is appended behind; its first index is returned.
    EXPECT_EQ(list.AddStrip(NumberedStrip(4, 2, 1)), 6);
    EXPECT_EQ(list.Count(), 8);
    // A strip smaller than one cell adds nothing.
    EXPECT_EQ(list.AddStrip(NumberedStrip(3, 1, 1)), 8);
    EXPECT_EQ(list.Count(), 8);
    EXPECT_EQ(list.GetImage(-1), nullptr);
    EXPECT_EQ(list.GetImage(8), nullptr);
}

TEST(SchemeImagesTest, ResourcesAreDecodedByContent)
{
    TFakeResources resources;
    resources.Data[u"Strip"] = ReadDataFile("small.png"); // 3 x 2 pixels
    resources.Data[u"Targa"] = ReadDataFile("truecolor32.tga");
    resources.Data[u"Garbage"] = "not a picture at all";

    TSchemeImages list(1);
    EXPECT_EQ(list.AddImages(u"Strip", resources), 0);
    ASSERT_EQ(list.Count(), 6);
    TUniversalImage picture;
    TMemoryStream png(std::vector<uint8_t>(resources.Data[u"Strip"].begin(), resources.Data[u"Strip"].end()));
    picture.LoadFromStream(png);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(list.GetImage(i)->Pixel(0, 0), picture.FirstFrame()->Pixel(i % 3, i / 3)) << i;
    EXPECT_EQ(list.AddImages(u"Targa", resources), 6);
    EXPECT_EQ(list.Count(), 12);

    // Missing or undecodable resources add nothing.
    EXPECT_EQ(list.AddImages(u"Missing", resources), -1);
    EXPECT_EQ(list.AddImages(u"Garbage", resources), -1);
    EXPECT_EQ(list.AddImages(u"strip", resources), -1); // names compare exactly
    EXPECT_EQ(list.Count(), 12);
}

TEST(SchemeImagesTest, GreyedCopyWeighsColoursAndFadesOpacity)
{
    struct Case {
        TColor32 color, grey;
    };
    for (Case c : {Case{Color32(255, 255, 255), Color32(255, 255, 255, 56)}, {Color32(255, 0, 0), Color32(60, 60, 60, 56)},
                   {Color32(0, 255, 0), Color32(173, 173, 173, 56)}, {Color32(0, 0, 255, 100), Color32(20, 20, 20, 22)},
                   {Color32(10, 20, 30, 0), Color32(18, 18, 18, 0)}})
        EXPECT_EQ(GreyedPixel(c.color), c.grey) << std::hex << c.color;

    TSchemeImages list(2);
    TFrame strip(4, 2);
    for (uint32_t& p : strip.Pixels()) p = MakeArgb(200, 255, 0, 0);
    list.AddStrip(strip);
    TSchemeImages grey(TSchemeImages::TGreyed{}, list);
    ASSERT_EQ(grey.Count(), 2);
    EXPECT_EQ(grey.CellSize(), 2);
    EXPECT_EQ(grey.GetImage(1)->Pixel(1, 1), Color32(60, 60, 60, 44));
    EXPECT_EQ(grey.GetImage(1)->DrawMode(), dmBlend);
    EXPECT_EQ(list.GetImage(1)->Pixel(1, 1), Color32(255, 0, 0, 200)); // the source stays
}

TEST(SchemeImagesTest, ProcessListsHaveTheirCellSizesAndServeTheCanvas)
{
    EXPECT_EQ(SchemeCharImages().CellSize(), 12);
    EXPECT_EQ(SchemeSmallImages().CellSize(), 16);
    EXPECT_EQ(SchemeLargeImages().CellSize(), 32);
    const int before = SchemeSmallImages().Count();
    const int index = SchemeSmallImages().AddStrip(NumberedStrip(16, 2, 1));
    EXPECT_EQ(index, before);
    EXPECT_EQ(SchemeCanvasImageLists().GetImage(stiSmall, index + 1), SchemeSmallImages().GetImage(index + 1));
    EXPECT_EQ(SchemeCanvasImageLists().GetImage(stiLarge, SchemeLargeImages().Count()), nullptr);
}
