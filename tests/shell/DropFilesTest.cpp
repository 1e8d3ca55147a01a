// Picture files dropped on the document's sheet: in a comment they become images where
// they were dropped, on an image they replace its data, elsewhere nothing happens.
#include <gtest/gtest.h>

#include <memory>

#include "editor/PaletteForm.h"
#include "editor/Sheet.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"
#include "images/Frame.h"
#include "images/PlatformDecoder.h"
#include "library/CommonElements.h"
#include "library/DataElement.h"
#include "render/Canvas.h"
#include "render/FontFixed.h"
#include "render/SheetSettingsTheme.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "shell/Settings.h"
#include "support/FakeViewHost.h"
#include "support/TempFolder.h"
#include "text/Paragraph.h"
#include "text/Portion.h"

namespace quillora {
namespace {

String WritePng(const String& fileName, int width, int height)
{
    TFrame frame(width, height);
    for (uint32_t& p : frame.Pixels()) p = 0xFF336699u;
    TMemoryStream png;
    Service<TPlatformDecoder>().Encode(frame, pePng, png);
    WriteWholeFile(fileName, std::string(reinterpret_cast<const char*>(png.Data()), png.Size()));
    return fileName;
}

class DropFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Localization().Language();
        Localization().SetLanguage(LangEnglish);
        InitializeModules();
        settings.Sheet().FocusNew().SetValue(true);
        sheet.SetHost(&host);
        sheet.SetDocument(document->QuilloraRoot());
        sheet.SetActive(true);
        sheet.SetFocused(document->QuilloraRoot());
        palette.SetHost(&paletteHost);
        palette.SetSheet(&sheet);
    }
    void TearDown() override
    {
        palette.SetSheet(nullptr);
        sheet.SetDocument(nullptr);
        Localization().SetLanguage(saved_);
    }
    // What the comment holds, in order: "image" for each image, the text of each run.
    std::vector<String> Content(TElement_Comment* comment)
    {
        std::vector<String> parts;
        for (TParagraph* p = comment->Text().FirstParagraph(); p; p = p->Next())
            for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next()) {
                if (auto* e = dynamic_cast<TElementPortion*>(portion))
                    parts.push_back(dynamic_cast<TElement_Image*>(e->Element()) ? u"image" : u"other");
                else if (auto* text = dynamic_cast<TTextPortion*>(portion))
                    parts.push_back(String(text->Text()));
            }
        return parts;
    }
    String File(const String& name) { return folder.File(name); }

    testing::TempFolder folder;
    TFixedFontManager fonts;
    TProvide<TDeviceContextManager> provideFonts {fonts};
    TSettings settings {Service<TSettingsPlatform>()};
    TSheetSettingsTheme look {settings.Sheet()};
    std::unique_ptr<TQuilloraDocument> document = TTrayAppDocument::New<TQuilloraDocument>();
    testing::TFakeViewHost host;
    TSheet sheet {&settings.Sheet(), std::make_unique<TCustomSheetCanvas>(look)};
    testing::TFakeViewHost paletteHost;
    TPaletteForm palette;

private:
    TLanguageId saved_ = 0;
};

TEST_F(DropFilesTest, PicturesDroppedOnACommentBecomeImagesWhereTheyWereDropped)
{
    int button = -1;
    for (size_t i = 0; i < palette.Buttons().size(); ++i)
        if (palette.Buttons()[i].Tune.Caption == u"Comment") button = static_cast<int>(i);
    ASSERT_TRUE(palette.Click(button));
    auto* comment = dynamic_cast<TElement_Comment*>(document->QuilloraRoot()->FirstVisual());
    ASSERT_NE(comment, nullptr);
    sheet.SetFocused(comment);
    for (char16_t c : String(u"abcdef")) {
        TKeyEvent key = TKeyEvent::Press(c);
        sheet.KeyPress(key);
    }
    ASSERT_EQ(Content(comment), (std::vector<String> {u"abcdef"}));
    const String png = WritePng(File(u"Photo.PNG"), 4, 3), text = File(u"notes.txt");
    WriteWholeFile(text, "notes");

    // At the comment's left end: before the text; the new image takes the focus.
    TRect bounds = comment->ToSheet(comment->GetLocalRect());
    const int middle = (bounds.Top + bounds.Bottom) / 2;
    sheet.SetFocused(document->QuilloraRoot());
    ASSERT_TRUE(sheet.DropFiles({text, png}, {bounds.Left + 1, middle}));
    EXPECT_EQ(Content(comment), (std::vector<String> {u"image", u"abcdef"}));
    auto* first = dynamic_cast<TElement_Image*>(sheet.GetFocused());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Type(), u"png");
    // At its right end: after the text, both files that are pictures, as one step.
    bounds = comment->ToSheet(comment->GetLocalRect());
    const String second = WritePng(File(u"second.png"), 2, 2);
    ASSERT_TRUE(sheet.DropFiles({png, second}, {bounds.Right - 1, middle}));
    EXPECT_EQ(Content(comment), (std::vector<String> {u"image", u"abcdef", u"image", u"image"}));
    document->UndoRedo()->Undo();
    EXPECT_EQ(Content(comment), (std::vector<String> {u"image", u"abcdef"}));

    // On an image: its data is replaced.
    const TRect image = first->ToSheet(first->GetLocalRect());
    ASSERT_TRUE(sheet.DropFiles({second}, {(image.Left + image.Right) / 2, (image.Top + image.Bottom) / 2}));
    EXPECT_EQ(Content(comment), (std::vector<String> {u"image", u"abcdef"}));
    EXPECT_EQ(first->Data().Size(), ReadWholeFile(second).size());

    // Files that no element takes, a read-only sheet, and the root text, which takes no
    // pictures: nothing changes.
    EXPECT_FALSE(sheet.DropFiles({text}, {bounds.Left + 1, middle}));
    sheet.SetReadOnly(true);
    EXPECT_FALSE(sheet.DropFiles({png}, {bounds.Left + 1, middle}));
    sheet.SetReadOnly(false);
    const TRect root = document->QuilloraRoot()->ToSheet(document->QuilloraRoot()->GetLocalRect());
    EXPECT_FALSE(sheet.DropFiles({png}, {root.Right - 1, root.Bottom - 1}));
    EXPECT_EQ(Content(comment), (std::vector<String> {u"image", u"abcdef"}));
}

} // namespace
} // namespace quillora
