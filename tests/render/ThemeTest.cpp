// Reading themes: the built-in theme, theme files with fonts, colours, cuts and fallbacks,
// and the fall back to the built-in theme when a theme file cannot be used.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "render/Theme.h"
#include "support/TempFolder.h"
#include "tests/render/ThemeTestSupport.h"

namespace quillora {
namespace {

using namespace theme_test;

class ThemeTest : public ::testing::Test {
protected:
    TFixedFontFaces faces_{{u"Calibri", u"Courier New", u"second face"}};
    TProvide<TFontFaces> provideFaces_{faces_};
};

TEST_F(ThemeTest, BuiltInThemeHoldsItsFontsColoursAndCuts)
{
    TSheetTheme theme;
    LoadTheme(theme, u"Default");
    ASSERT_EQ(theme.Image().Width(), 150);
    ASSERT_EQ(theme.Image().Height(), 129);
    EXPECT_EQ(theme.Image().DrawMode(), dmBlend);

    struct FontCase {
        TSheetThemeFont Font;
        const char16_t* Name;
        int Size;
        TFontStyles Style;
        TColor Color;
    };
    for (const FontCase& c : {
             FontCase{stfStone, u"Calibri", 11, 0, RGBColor(239, 242, 255)},
             FontCase{stfValue, u"Calibri", 11, 0, RGBColor(0, 0, 0)}, // "Calibri Light" is not installed here
             FontCase{stfName, u"Calibri", 11, 0, RGBColor(42, 55, 104)},
             FontCase{stfFixed, u"Courier New", 10, 0, RGBColor(0, 0, 0)},
             FontCase{stfArt, u"Calibri", 13, 0, RGBColor(0, 0, 0)},
             FontCase{stfComment, u"Calibri", 11, fsItalic, RGBColor(142, 137, 104)},
         }) {
        const TSheetThemeFontData& font = theme.GetFonts(c.Font);
        EXPECT_EQ(font.Name, c.Name) << int(c.Font);
        EXPECT_EQ(font.Size, c.Size) << int(c.Font);
        EXPECT_EQ(font.ScaledSize, c.Size) << int(c.Font);
        EXPECT_EQ(font.Style, c.Style) << int(c.Font);
        EXPECT_EQ(font.Color, c.Color) << int(c.Font);
        EXPECT_FALSE(font.HasSecondColor()) << int(c.Font);
    }

    // The tints are translucent pixels of the picture.
    EXPECT_EQ(theme.GetElements(steElement).ColorOver(), Color32(103, 130, 254, 133));
    EXPECT_EQ(theme.GetElements(steElementExpression).ColorOver(), Color32(166, 200, 235, 133));
    EXPECT_EQ(theme.GetElements(steElementTechnical).ColorOver(), Color32(13, 98, 195, 133));
    EXPECT_EQ(theme.GetElements(steElementCommand).ColorOver(), Color32(182, 166, 195, 133));
    EXPECT_EQ(theme.GetElements(steField).ColorOver(), Color32(228, 236, 251, 133));
    EXPECT_EQ(theme.GetElements(steName).ColorOver(), Color32(231, 214, 250, 133));
    EXPECT_EQ(theme.GetElements(steNamePrivate).ColorOver(), Color32(243, 215, 204, 133));
    EXPECT_EQ(theme.GetElements(steNamePublic).ColorOver(), Color32(207, 243, 226, 133));
    EXPECT_EQ(theme.GetElements(steContainer).ColorOver(), 0u);

    EXPECT_EQ(theme.DisableColor(), Color32(220, 220, 220, 190));
    EXPECT_EQ(theme.SelectColor(), Color32(95, 143, 216, 130));
    EXPECT_EQ(theme.SelectInactiveColor(), Color32(237, 237, 230, 185));
    EXPECT_EQ(theme.TextMargins(), (TRect{3, 0, 3, 0}));

    const TSheetThemeElementData& line = theme.GetElements(steLine);
    EXPECT_EQ(line.Cut(), (TRect{64, 15, 79, 16}));
    EXPECT_EQ(line.ImageSize(), (TPoint{15, 1}));
    EXPECT_EQ(line.Zone(), (TRect{0, 1, 0, 0}));
    EXPECT_EQ(theme.GetElements(steSheet).Cut(), (TRect{0, 0, 150, 129}));
    EXPECT_EQ(theme.GetElements(steSheet).Padding(), (TRect{6, 2, 6, 2}));
    EXPECT_EQ(theme.GetElements(steSheet).FrameParts().Client, fmNone);
    const TSheetThemeElementData& element = theme.GetElements(steElement);
    EXPECT_EQ(element.Cut(), (TRect{0, 0, 23, 23}));
    EXPECT_EQ(element.ZoneWidth(), 22);
    EXPECT_EQ(element.ZoneHeight(), 22);
    const TSheetThemeElementData& description = theme.GetElements(steDescription);
    EXPECT_EQ(description.MouseTransparent(), (TRect{8, 0, 2, 2}));
    EXPECT_EQ(description.Margins(), (TRect{-3, -5, 0, 0}));
    const TSheetThemeElementData& dots = theme.GetElements(steFrameDot);
    EXPECT_EQ(dots.FrameParts().Left, fmTile);
    EXPECT_EQ(dots.FrameParts().Client, fmNone);
    // Expand buttons are no frames: their zones are not read.
    EXPECT_FALSE(theme.GetElements(steCollapsed).IsFrame());
    EXPECT_EQ(theme.GetElements(steCollapsed).ImageSize(), (TPoint{21, 21}));
    EXPECT_EQ(theme.GetElements(steCollapsed).Margins(), (TRect{-2, -2, -2, -2}));
    EXPECT_EQ(theme.GetElements(steCheckBoxChecked).Zone(), TRect{});

    // The element images' margins: Top and Bottom of the field's margins.
    EXPECT_EQ(theme.GetImages(stiChar).Margins, (TRect{3, 4, 3, 4}));
    EXPECT_EQ(theme.GetImages(stiSmall).Margins, (TRect{4, 4, 4, 4}));
    EXPECT_EQ(theme.GetImages(stiLarge).Margins, (TRect{5, 4, 5, 4}));

    // Every decoration with a cut of its own shows something.
    for (int e = 0; e < SheetThemeElementCount; ++e) {
        const TSheetThemeElementData& data = theme.GetElements(TSheetThemeElement(e));
        const TRect cut = data.Cut();
        bool visible = false;
        for (int y = cut.Top; y < cut.Bottom && !visible; ++y)
            for (int x = cut.Left; x < cut.Right && !visible; ++x)
                visible = AlphaOf(theme.Image().Pixel(x, y)) != 0;
        EXPECT_TRUE(visible) << StringToUtf8(SheetThemeElementNodeName(TSheetThemeElement(e)));
    }
}

TEST_F(ThemeTest, BuiltInThemeIsTheSourceInResources)
{
    TSheetTheme builtIn;
    LoadTheme(builtIn, u"DEFAULT");
    TSheetTheme source;
    source.LoadFromFile(DefaultThemeSource(".txt"));
    ASSERT_EQ(builtIn.Image().Width(), source.Image().Width());
    ASSERT_EQ(builtIn.Image().Height(), source.Image().Height());
    EXPECT_TRUE(std::equal(builtIn.Image().Bits(), builtIn.Image().Bits() + 150 * 129, source.Image().Bits()));
    for (int e = 0; e < SheetThemeElementCount; ++e) {
        const auto element = TSheetThemeElement(e);
        EXPECT_EQ(builtIn.GetElements(element).Cut(), source.GetElements(element).Cut());
        EXPECT_EQ(builtIn.GetElements(element).RawPadding(), source.GetElements(element).RawPadding());
    }
}

TEST_F(ThemeTest, ThemeFileReadsFontsColoursAndElements)
{
    TSheetTheme theme;
    LoadTheme(theme, u"Sample", ThemesFolder());
    ASSERT_EQ(theme.Image().Width(), 40);

    const TSheetThemeFontData& stone = theme.GetFonts(stfStone);
    EXPECT_EQ(stone.Name, u"Second Face"); // the first installed face, spaces around it dropped
    EXPECT_EQ(stone.Size, 9);
    EXPECT_EQ(stone.Style, fsBold | fsUnderline);
    EXPECT_EQ(stone.Color, RGBColor(10, 20, 30));
    EXPECT_EQ(stone.SecondColor, RGBColor(200, 100, 50));
    const TSheetThemeFontData& code = theme.GetFonts(stfValue);
    EXPECT_EQ(code.Name, u"");                          // no listed face is installed
    EXPECT_EQ(code.Size, 0);                            // not a number
    EXPECT_EQ(code.Color, RGBColor(40, 50, 60));        // the alpha is dropped
    EXPECT_EQ(code.SecondColor, clNone);                // a transparent black pixel: no shadow
    const TSheetThemeFontData& name = theme.GetFonts(stfName); // no node at all
    EXPECT_EQ(name.Name, u"");
    EXPECT_EQ(name.Color, RGBColor(0, 0, 0));
    EXPECT_FALSE(name.HasSecondColor());

    EXPECT_EQ(theme.DisableColor(), Color32(40, 50, 60, 128));
    EXPECT_EQ(theme.SelectColor(), Color32(1, 2, 3)); // 500,500 is clamped to the last pixel
    EXPECT_EQ(theme.SelectInactiveColor(), TSheetTheme::DefaultSelectInactiveColor);

    const TSheetThemeElementData& element = theme.GetElements(steElement);
    EXPECT_EQ(element.Cut(), (TRect{0, 0, 10, 10}));
    EXPECT_EQ(element.Zone(), (TRect{3, 3, 3, 3}));
    EXPECT_EQ(element.Padding(), (TRect{9, 1, 9, 1}));
    EXPECT_EQ(element.Margins(), (TRect{-10000, 5, 0, 0}));
    EXPECT_EQ(element.MouseTransparent(), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(element.FrameParts().Left, fmTile);
    EXPECT_EQ(element.FrameParts().Client, fmStretch); // 3 is no fill mode
    EXPECT_EQ(theme.GetElements(steSheet).Cut(), (TRect{0, 0, 40, 20}));
    EXPECT_EQ(theme.GetElements(steCheckBoxChecked).Cut(), (TRect{0, 0, 40, 20})); // no node, no fallback
    // A non-frame kind ignores the zone and fill modes given for it.
    EXPECT_EQ(theme.GetElements(steCollapsed).Zone(), TRect{});
    EXPECT_EQ(theme.GetElements(steCollapsed).FrameParts().Client, fmStretch);

    EXPECT_EQ(theme.GetImages(stiSmall).Margins, (TRect{4, 7, 4, 8}));
}

TEST_F(ThemeTest, MissingNodesFollowTheFallbackChains)
{
    TSheetTheme theme;
    LoadTheme(theme, u"Sample", ThemesFolder());
    struct Case {
        TSheetThemeElement Element;
        TRect Cut;
    };
    for (const Case& c : {
             Case{steElementCommand, {0, 0, 10, 10}},          // -> Element
             Case{steUnaccepted, {0, 0, 10, 10}},              // -> Element
             Case{steLogicFrame, {0, 0, 10, 10}},              // -> Element
             Case{steLogicFrameCollapsedData, {12, 0, 16, 4}}, // -> CollapsedData -> Collapsed
             Case{steCollapsedData, {12, 0, 16, 4}},           // -> Collapsed
             Case{steImageContainer, {0, 0, 40, 20}},          // -> Container -> Field
         }) {
        EXPECT_EQ(theme.GetElements(c.Element).Cut(), c.Cut) << StringToUtf8(SheetThemeElementNodeName(c.Element));
    }
    // The node is read with the rules of the element whose turn it is: a frame kind takes the
    // fallback node's zone, a non-frame kind does not.
    EXPECT_EQ(theme.GetElements(steLogicFrame).Zone(), (TRect{3, 3, 3, 3}));
    EXPECT_EQ(theme.GetElements(steLogicFrameCollapsedData).Margins(), (TRect{-2, -2, -2, -2}));
    EXPECT_EQ(theme.GetElements(steImageContainer).Margins(), (TRect{2, 7, 2, 8}));
    EXPECT_EQ(theme.GetElements(steImageContainer).ColorOver(), Color32(40, 50, 60, 128));
}

TEST_F(ThemeTest, UnusableThemeFilesGiveTheBuiltInTheme)
{
    for (const char16_t* name : {u"Corrupt", u"NoImage", u"BadImage", u"Missing", u"", u"../themes/Sample",
                                 u"..", u"Sample\u0001"}) {
        TSheetTheme theme;
        LoadTheme(theme, name, ThemesFolder());
        EXPECT_EQ(theme.Image().Width(), 150) << StringToUtf8(name);
        EXPECT_EQ(theme.GetElements(steElement).Cut(), (TRect{0, 0, 23, 23})) << StringToUtf8(name);
        EXPECT_EQ(theme.GetFonts(stfStone).Size, 11) << StringToUtf8(name);
    }
}

TEST_F(ThemeTest, FailedLoadLeavesTheThemeAsItWas)
{
    TSheetTheme theme;
    theme.LoadFromFile(ThemeFile("Sample.txt"));
    for (const char* file : {"Corrupt.txt", "NoImage.txt", "BadImage.txt", "Missing.txt"}) {
        EXPECT_THROW(theme.LoadFromFile(ThemeFile(file)), Exception) << file;
        EXPECT_EQ(theme.Image().Width(), 40) << file;
        EXPECT_EQ(theme.GetElements(steElement).Cut(), (TRect{0, 0, 10, 10})) << file;
        EXPECT_EQ(theme.DisableColor(), Color32(40, 50, 60, 128)) << file;
    }
}

class TMissingResources final : public TResourceModule {
public:
    bool FindRawData(StringView name, std::string_view& data) const override
    {
        if (name != u"XInfo")
            return false;
        data = "<ThemeInfo/>";
        return true;
    }
};

TEST_F(ThemeTest, MissingResourceRaises)
{
    TSheetTheme theme;
    EXPECT_THROW(theme.LoadFromResource(TMissingResources(), u"X"), Exception);
    EXPECT_THROW(theme.LoadFromResource(ProgramModule(), u"NoSuchTheme"), Exception);
    EXPECT_TRUE(theme.Image().Empty());
}

TEST_F(ThemeTest, DefaultInAnyCaseIsBuiltInEvenWithAFileOfThatName)
{
    namespace fs = std::filesystem;
    const testing::TempFolder temp;
    const fs::path& folder = temp.path;
    fs::copy_file(fs::path(ThemeFile("Sample.txt")), folder / "default.txt");
    fs::copy_file(fs::path(ThemeFile("Sample.png")), folder / "default.png");
    for (const char16_t* name : {u"default", u"dEfAuLt", u"DEFAULT"}) {
        TSheetTheme theme;
        LoadTheme(theme, name, folder.u16string());
        EXPECT_EQ(theme.Image().Width(), 150) << StringToUtf8(name);
    }
    EXPECT_EQ(GetThemeNames(folder.u16string()), (std::vector<String>{u"Default", u"default"}));
}

TEST_F(ThemeTest, ThemeNamesAreDefaultAndTheTextFiles)
{
    std::vector<String> names = GetThemeNames(ThemesFolder());
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), u"Default");
    std::sort(names.begin() + 1, names.end());
    EXPECT_EQ(names, (std::vector<String>{u"Default", u"BadImage", u"Broken", u"Corrupt", u"NoImage", u"Sample"}));
    EXPECT_EQ(GetThemeNames(ThemesFolder() + u"no-such-folder"), std::vector<String>{u"Default"});
    const String folder = GetThemesFolder();
    ASSERT_GE(folder.size(), 7u);
    EXPECT_EQ(folder.substr(folder.size() - 7, 6), u"Themes");
}

} // namespace
} // namespace quillora
