// Theme decorations: scaling, tinted copies and their cache, images and nine-part frames,
// the value forms of the theme info, and themes whose cuts and zones do not fit the image.

#include <gtest/gtest.h>

#include <climits>

#include "foundation/Knot.h"
#include "render/Theme.h"
#include "render/ThemeValues.h"
#include "tests/render/ThemeTestSupport.h"

namespace quillora {
namespace {

using namespace theme_test;

constexpr TColor32 Red = Color32(255, 0, 0);
constexpr TColor32 Green = Color32(0, 255, 0);
constexpr TColor32 Blue = Color32(0, 0, 255);
constexpr TColor32 White = Color32(255, 255, 255);

TEST(ThemeValuesTest, IntegerListsAreReadItemByItem)
{
    struct Case {
        const char16_t* Text;
        int Min, Max;
        std::array<int, 4> Items;
    };
    for (const Case& c : {
             Case{u"1,2,3,4", 0, 10000, {1, 2, 3, 4}},
             Case{u"-20000,5", -10000, 10000, {-10000, 5, 0, 0}},
             Case{u"7", 0, 10000, {7, 0, 0, 0}},
             Case{u"", 0, 10000, {0, 0, 0, 0}},
             Case{u"x,,3,y", 0, 10000, {0, 0, 3, 0}},
             Case{u"1,2,3,4,5,6", 0, 10000, {1, 2, 3, 4}},
             Case{u"99999999999,-5,20000,9", 0, 10000, {0, 0, 10000, 9}},
             Case{u",,,,", 0, 10000, {0, 0, 0, 0}},
         }) {
        EXPECT_EQ(ParseThemeIntegerList(c.Text, c.Min, c.Max), c.Items) << StringToUtf8(c.Text);
    }
}

TEST(ThemeValuesTest, ColoursAreClampedPixelsAndFillModesFallBackToStretch)
{
    TBitmap32 image(3, 2);
    image.SetPixel(2, 1, Blue);
    image.SetPixel(0, 0, Red);
    TKnot node(u"N");
    node.WriteString(u"Far", u"500,500");
    node.WriteString(u"Negative", u"-1,-1");
    node.WriteString(u"Mode1", u"1");
    node.WriteString(u"Mode3", u"3");
    node.WriteString(u"ModeText", u"tile");
    TColor32 color = 7;
    EXPECT_TRUE(ReadThemeColor(node, u"Far", image, color));
    EXPECT_EQ(color, Blue);
    EXPECT_TRUE(ReadThemeColor(node, u"Negative", image, color));
    EXPECT_EQ(color, Red);
    EXPECT_FALSE(ReadThemeColor(node, u"Absent", image, color));
    EXPECT_EQ(color, Red);
    EXPECT_FALSE(ReadThemeColor(node, u"Far", TBitmap32(), color)); // no image, no colour
    EXPECT_EQ(ReadThemeFillMode(node, u"Mode1"), fmTile);
    EXPECT_EQ(ReadThemeFillMode(node, u"Mode3"), fmStretch);
    EXPECT_EQ(ReadThemeFillMode(node, u"ModeText"), fmStretch);
    EXPECT_EQ(ReadThemeFillMode(node, u"Absent"), fmStretch);
}

TEST(ThemeScaleTest, FontSizeScalesFontsMarginsAndPaddings)
{
    TSheetTheme theme;
    LoadTheme(theme, u"Default");
    theme.SetScale(4, 180); // "Great"
    EXPECT_EQ(theme.GetElements(steContainer).Padding(), (TRect{16, 1, 16, 1}));
    EXPECT_EQ(theme.GetElements(steContainer).RawPadding(), (TRect{9, 1, 9, 1}));
    EXPECT_EQ(theme.GetElements(steContainer).Margins(), (TRect{7, 7, 7, 7}));
    EXPECT_EQ(theme.GetFonts(stfStone).ScaledSize, 15);
    EXPECT_EQ(theme.GetFonts(stfStone).Size, 11);
    EXPECT_EQ(theme.GetImages(stiChar).ScaledMargins, (TRect{5, 7, 5, 7}));
    EXPECT_EQ(theme.TextMargins(), (TRect{5, 0, 5, 0}));
    // Cuts, zones and mouse-transparent bands stay in source pixels.
    EXPECT_EQ(theme.GetElements(steContainer).Zone(), (TRect{6, 6, 6, 6}));
    EXPECT_EQ(theme.GetElements(steDescription).MouseTransparent(), (TRect{8, 0, 2, 2}));
    EXPECT_EQ(theme.GetElements(steContainer).ImageSize(), (TPoint{13, 15}));

    theme.SetScale(2, 140); // "Large": negative values are truncated toward zero
    EXPECT_EQ(theme.GetElements(steCollapsed).Margins(), (TRect{-2, -2, -2, -2}));
    EXPECT_EQ(theme.GetElements(steDescription).Margins(), (TRect{-4, -7, 0, 0}));
    EXPECT_EQ(theme.GetFonts(stfFixed).ScaledSize, 12);

    theme.SetScale(0, 100);
    EXPECT_EQ(theme.GetElements(steContainer).Padding(), (TRect{9, 1, 9, 1}));
    EXPECT_EQ(theme.GetFonts(stfStone).ScaledSize, 11);
    EXPECT_EQ(theme.TextMargins(), (TRect{3, 0, 3, 0}));
}

TEST(ThemeScaleTest, ExtremeScalesSaturate)
{
    TSheetTheme theme;
    theme.LoadFromFile(ThemeFile("Broken.txt"));
    EXPECT_EQ(theme.GetFonts(stfStone).Size, INT_MAX);
    theme.SetScale(INT_MAX, INT_MAX);
    EXPECT_EQ(theme.GetFonts(stfStone).ScaledSize, INT_MAX);
    EXPECT_EQ(theme.GetElements(steMark).Padding(), (TRect{INT_MAX, INT_MAX, INT_MAX, INT_MAX}));
    EXPECT_EQ(theme.GetElements(steMark).Margins(), (TRect{INT_MIN, INT_MAX, INT_MIN, INT_MAX}));
    theme.SetScale(INT_MIN, INT_MIN);
    EXPECT_EQ(theme.GetFonts(stfValue).ScaledSize, INT_MIN);
    EXPECT_EQ(theme.GetElements(steMark).Margins(), (TRect{INT_MAX, INT_MIN, INT_MAX, INT_MIN}));
}

class ThemeDrawTest : public testing::Test {
protected:
    void SetUp() override
    {
        theme_.LoadFromFile(ThemeFile("Sample.txt"));
        target_.SetSize(30, 30);
        target_.Clear(White);
    }

    TSheetTheme theme_;
    TBitmap32 target_;
};

TEST_F(ThemeDrawTest, ImageIsTheCutAtItsNaturalSize)
{
    theme_.GetElements(steCollapsed).DrawImage(target_, {5, 6});
    EXPECT_EQ(target_.Pixel(5, 6), Green);
    EXPECT_EQ(target_.Pixel(8, 9), Green);
    EXPECT_EQ(target_.Pixel(9, 6), White);
    EXPECT_EQ(target_.Pixel(5, 10), White);
    EXPECT_EQ(theme_.GetElements(steCollapsed).ColorOverImageCount(), 0);
}

TEST_F(ThemeDrawTest, TintedCopiesAreMadeOncePerColour)
{
    TSheetThemeElementData& data = theme_.GetElements(steCollapsed);
    const TColor32 tint = Color32(0, 0, 255, 128);
    data.DrawImage(target_, {0, 0}, tint);
    EXPECT_EQ(data.ColorOverImageCount(), 1);
    // Each channel moves towards the tint by its alpha; the pixel keeps its own alpha.
    EXPECT_EQ(target_.Pixel(0, 0), Color32(0, 127, 128));
    data.DrawImage(target_, {0, 0}, tint);
    EXPECT_EQ(data.ColorOverImageCount(), 1);
    const TBitmap32& copy = data.GetColorOverImage(tint);
    EXPECT_EQ(copy.Width(), 4);
    EXPECT_EQ(copy.DrawMode(), dmBlend);
    data.DrawImage(target_, {0, 0}, Color32(255, 0, 0, 255));
    EXPECT_EQ(data.ColorOverImageCount(), 2);
    EXPECT_EQ(target_.Pixel(3, 3), Red);

    // A colour of 0 takes the element's own tint; transparent pixels stay transparent.
    TSheetThemeElementData& field = theme_.GetElements(steField);
    const TBitmap32& fieldCopy = field.GetColorOverImage(field.ColorOver());
    EXPECT_EQ(fieldCopy.Pixel(20, 10), 0u);
    field.DrawImage(target_, {0, 0});
    EXPECT_EQ(field.ColorOverImageCount(), 1);
}

TEST_F(ThemeDrawTest, FrameKeepsCornersAndFillsTheMiddle)
{
    theme_.GetElements(steElement).DrawFrame(target_, {2, 2, 22, 26});
    EXPECT_EQ(target_.Pixel(2, 2), Red);
    EXPECT_EQ(target_.Pixel(21, 25), Red);
    EXPECT_EQ(target_.Pixel(12, 3), Red);  // top band
    EXPECT_EQ(target_.Pixel(3, 14), Red);  // left band, tiled
    EXPECT_EQ(target_.Pixel(12, 14), Blue); // centre, stretched
    EXPECT_EQ(target_.Pixel(1, 1), White);
    EXPECT_EQ(target_.Pixel(22, 26), White);

    target_.Clear(White);
    theme_.GetElements(steComment).DrawFrame(target_, {2, 2, 22, 26}); // centre left undrawn
    EXPECT_EQ(target_.Pixel(12, 14), White);
    EXPECT_EQ(target_.Pixel(2, 14), Red);
}

TEST_F(ThemeDrawTest, NarrowFramesStayInsideTheirRectangle)
{
    for (const TRect& rect : {TRect{5, 5, 9, 15}, TRect{5, 5, 7, 6}, TRect{5, 5, 6, 15}, TRect{5, 5, 5, 5}}) {
        target_.Clear(White);
        theme_.GetElements(steElement).DrawFrame(target_, rect);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x)
                if (!rect.Contains({x, y}))
                    ASSERT_EQ(target_.Pixel(x, y), White) << RectText(rect) << " at " << x << "," << y;
    }
}

TEST(ThemeBrokenTest, CutsAndZonesAreLimitedToTheImage)
{
    TSheetTheme theme;
    LoadTheme(theme, u"Broken", ThemesFolder());
    ASSERT_EQ(theme.Image().Width(), 40); // a theme with bad cuts still loads
    EXPECT_EQ(theme.SelectColor(), Red);  // items that are no numbers count as 0
    const TSheetThemeElementData& element = theme.GetElements(steElement);
    EXPECT_EQ(element.Cut(), (TRect{30, 10, 40, 20}));
    EXPECT_EQ(element.Zone(), (TRect{10, 10, 0, 0}));
    EXPECT_EQ(theme.GetElements(steField).Cut(), TRect{}); // right of left, below top: nothing
    EXPECT_EQ(theme.GetElements(steField).ImageSize(), (TPoint{0, 0}));
    EXPECT_EQ(theme.GetElements(steField).Zone(), TRect{});
    EXPECT_EQ(theme.GetElements(steLine).Cut(), (TRect{0, 5, 8, 9}));
    EXPECT_EQ(theme.GetElements(steComment).Cut(), TRect{}); // entirely outside
    EXPECT_EQ(theme.GetElements(steMark).Zone(), (TRect{8, 8, 2, 2}));

    // Drawing every decoration anywhere, tinted or not, stays inside the target.
    TBitmap32 target(16, 16);
    const TRect rects[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {-5, -5, 3, 3}, {10, 10, 9, 9}, {0, 0, 16, 16},
                           {INT_MAX - 1, 0, INT_MAX, 5}};
    const TPoint points[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {-3, 14}, {0, 0}};
    for (int e = 0; e < SheetThemeElementCount; ++e) {
        TSheetThemeElementData& data = theme.GetElements(TSheetThemeElement(e));
        for (TColor32 tint : {0u, 0x80FF00FFu}) {
            for (const TRect& rect : rects)
                data.DrawFrame(target, rect, tint);
            for (const TPoint& point : points)
                data.DrawImage(target, point, tint);
        }
    }
}

} // namespace
} // namespace quillora
