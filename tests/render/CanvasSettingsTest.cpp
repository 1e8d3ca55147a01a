// The theme that the sheet settings own: made on first use, rescaled by "FontSize",
// dropped by "Theme".
#include <gtest/gtest.h>

#include "foundation/Service.h"
#include "render/SheetSettingsTheme.h"
#include "render/Theme.h"
#include "shell/Settings.h"

namespace quillora {
namespace {

TEST(ScaleByFontSizeTest, ScalesLargeAndGreatTowardZero)
{
    struct Case {
        int FontSize, Value, Expected;
    } cases[] = {
        {sfsNormal, 9, 9}, {sfsLarge, 9, 12}, {sfsGreat, 9, 16}, {sfsLarge, -2, -2},
        {sfsGreat, -2, -3}, {sfsGreat, 0, 0}, {7, 9, 9}, {sfsGreat, 1000000000, 1800000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleByFontSize(c.FontSize, c.Value), c.Expected) << c.FontSize << " " << c.Value;

    int delta = -1;
    int percent = -1;
    FontSizeScale(sfsLarge, delta, percent);
    EXPECT_EQ(delta, 2);
    EXPECT_EQ(percent, 140);
    FontSizeScale(sfsGreat, delta, percent);
    EXPECT_EQ(delta, 4);
    EXPECT_EQ(percent, 180);
    FontSizeScale(sfsNormal, delta, percent);
    EXPECT_EQ(delta, 0);
    EXPECT_EQ(percent, 100);
}

class SheetSettingsThemeTest : public ::testing::Test {
protected:
    TSettings settings_{Service<TSettingsPlatform>()};
    TSheetSettingsTheme look_{settings_.Sheet()};
};

TEST_F(SheetSettingsThemeTest, FontSizeRescalesTheSameTheme)
{
    TSheetTheme& theme = look_.GetTheme();
    EXPECT_EQ(&look_.GetTheme(), &theme);
    EXPECT_EQ(theme.GetFonts(stfStone).ScaledSize, 11);
    const uint64_t generation = look_.Generation();

    settings_.Sheet().FontSize().SetValue(sfsGreat);
    EXPECT_GT(look_.Generation(), generation) << "rescaled at the change, before anyone asks";
    EXPECT_EQ(&look_.GetTheme(), &theme);
    EXPECT_EQ(theme.GetFonts(stfStone).ScaledSize, 15);
    EXPECT_EQ(theme.GetElements(steField).Padding(), Rect(16, 1, 16, 1));
    EXPECT_EQ(look_.ScaleByFontSize(10), 18);

    settings_.Sheet().FontSize().SetValue(sfsLarge);
    EXPECT_EQ(theme.GetFonts(stfFixed).ScaledSize, 12);
    settings_.Sheet().FontSize().SetValue(sfsNormal);
    EXPECT_EQ(theme.GetElements(steField).Padding(), Rect(9, 1, 9, 1));
}

TEST_F(SheetSettingsThemeTest, ThemeIsMadeWithTheCurrentFontSize)
{
    settings_.Sheet().FontSize().SetValue(sfsLarge);
    EXPECT_EQ(look_.GetTheme().GetFonts(stfValue).ScaledSize, 13);
    EXPECT_EQ(look_.GetTheme().Percent(), 140);
}

TEST_F(SheetSettingsThemeTest, ThemeChangeDropsTheThemeAndAnUnknownNameGivesTheBuiltIn)
{
    look_.GetTheme();
    const uint64_t generation = look_.Generation();
    settings_.Sheet().Theme().SetValue(u"NoSuchTheme");
    EXPECT_GT(look_.Generation(), generation);
    TSheetTheme& theme = look_.GetTheme();
    EXPECT_EQ(theme.GetElements(steField).Padding(), Rect(9, 1, 9, 1));
    EXPECT_EQ(theme.GetFonts(stfFixed).Size, 10);
    EXPECT_EQ(&look_.GetTheme(), &theme);
}

// A listener of the group that subscribed before the theme's owner did still sees the
// theme of the new values.
class TEarlyListener {
public:
    TEarlyListener(TSheetSettings& settings, TSheetSettingsTheme*& look) : settings_(settings), look_(look)
    {
        settings_.AddNotifyEvent(BindNotify<&TEarlyListener::Changed>(this));
    }
    ~TEarlyListener() { settings_.RemoveNotifyEvent(BindNotify<&TEarlyListener::Changed>(this)); }
    void Changed(TItfObject*, int, intptr_t, intptr_t)
    {
        if (look_) Sizes.push_back(look_->GetTheme().GetFonts(stfStone).ScaledSize);
    }
    std::vector<int> Sizes;

private:
    TSheetSettings& settings_;
    TSheetSettingsTheme*& look_;
};

TEST(SheetSettingsThemeOrderTest, EarlierListenersSeeTheNewTheme)
{
    TSettings settings{Service<TSettingsPlatform>()};
    TSheetSettingsTheme* pointer = nullptr;
    TEarlyListener listener(settings.Sheet(), pointer);
    TSheetSettingsTheme look(settings.Sheet());
    pointer = &look;
    look.GetTheme();
    settings.Sheet().FontSize().SetValue(sfsGreat);
    settings.Sheet().FontSize().SetValue(sfsNormal);
    ASSERT_EQ(listener.Sizes.size(), 2u);
    EXPECT_EQ(listener.Sizes[0], 15);
    EXPECT_EQ(listener.Sizes[1], 11);
}

} // namespace
} // namespace quillora
