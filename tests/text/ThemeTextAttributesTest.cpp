// The run attributes of the theme fonts, kept with the sheet canvas.
#include <gtest/gtest.h>

#include "foundation/Service.h"
#include "render/Canvas.h"
#include "render/FontFixed.h"
#include "render/SheetSettings.h"
#include "render/SheetSettingsTheme.h"
#include "render/Theme.h"
#include "shell/Settings.h"
#include "support/NullCanvas.h"
#include "text/DefaultAttributes.h"
#include "text/RichTextAttributes.h"
#include "text/ThemeTextAttributes.h"

namespace quillora {
namespace {

class ThemeTextAttributesTest : public ::testing::Test {
protected:
    TFixedFontManager fonts_;
    TProvide<TDeviceContextManager> provideFonts_{fonts_};
    TSettings settings_{Service<TSettingsPlatform>()};
    TSheetSettingsTheme look_{settings_.Sheet()};
    TCustomSheetCanvas canvas_{look_};
};

TEST_F(ThemeTextAttributesTest, EachThemeFontGivesOneSharedAttributesObjectUntilTheFontSizeChanges)
{
    TRichTextAttributes* code = GetCodeAttributes(canvas_);
    const TSheetThemeFontData& value = look_.GetTheme().GetFonts(stfValue);
    EXPECT_EQ(code->FontName(), value.Name);
    EXPECT_EQ(code->Size(), value.ScaledSize);
    EXPECT_EQ(code->Style(), value.Style);
    EXPECT_EQ(code->Color(), value.Color);
    EXPECT_TRUE(code->Registered());
    EXPECT_EQ(GetCodeAttributes(canvas_), code);
    EXPECT_EQ(GetCommentAttributes(canvas_)->Size(), look_.GetTheme().GetFonts(stfComment).ScaledSize);
    EXPECT_EQ(GetFixedAttributes(canvas_)->Size(), look_.GetTheme().GetFonts(stfFixed).ScaledSize);
    EXPECT_EQ(GetArtAttributes(canvas_)->Size(), look_.GetTheme().GetFonts(stfArt).ScaledSize);

    // A holder keeps the old object alive; the canvas lets go of it with the font size.
    code->AddRef();
    const int held = code->RefCount();
    settings_.Sheet().FontSize().SetValue(sfsGreat);
    TRichTextAttributes* great = GetCodeAttributes(canvas_);
    EXPECT_EQ(code->RefCount(), held - 1);
    EXPECT_EQ(great->Size(), look_.GetTheme().GetFonts(stfValue).ScaledSize);
    EXPECT_GT(great->Size(), code->Size());
    code->Release();
    settings_.Sheet().FontSize().SetValue(sfsNormal);
}

TEST_F(ThemeTextAttributesTest, ACanvasWithoutAThemeGivesTheDefaults)
{
    testing::TNullCanvas canvas;
    EXPECT_EQ(GetCodeAttributes(canvas), DefaultTextAttributes());
}

} // namespace
} // namespace quillora
