// The palette over the document's root text: the key elements' buttons with their keys,
// the Ctrl accelerators (a prefix shared by several keys waits), inserting key and date
// elements as one undo step each without ever sharing an identifier, and the states.
// Comments, logic frames, signs and images: which focused element offers which, each
// inserted as one undo step, saved and loaded back; a picture pasted into a comment; the
// settings group followed at once; hints in the host's hint window.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "editor/PaletteForm.h"
#include "editor/Sheet.h"
#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/UndoRedo.h"
#include "library/DateTimeMaskElement.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "support/ElementFakes.h"
#include "support/FakeViewHost.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "typing/MacroElements.h"
#include "editor/SheetFormSettings.h"
#include "foundation/Service.h"
#include "images/Frame.h"
#include "images/PlatformDecoder.h"
#include "library/CommonElements.h"
#include "library/DataElement.h"
#include "library/Titled.h"
#include "support/TempFolder.h"
#include "support/FakeMainFormHost.h"
#include "text/TextClipboard.h"
#include "shell/Settings.h"
#include "render/SheetSettings.h"
#include "render/Canvas.h"
#include "render/FontFixed.h"
#include "render/SheetSettingsTheme.h"

namespace quillora {
namespace {

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Localization().Language();
        Localization().SetLanguage(LangEnglish);
        InitializeModules();
        sheet.SetDocument(document->QuilloraRoot());
        sheet.SetActive(true);
        sheet.SetFocused(document->QuilloraRoot());
        palette.SetHost(&host);
        palette.SetSheet(&sheet);
        palette.CtrlHeld = [this] { return ctrlHeld; };
    }
    void TearDown() override
    {
        palette.SetSheet(nullptr);
        sheet.SetDocument(nullptr);
        Localization().SetLanguage(saved_);
    }
    // The classes of the elements in the text, in order.
    std::vector<String> Elements() const
    {
        std::vector<String> names;
        for (TParagraph* p = document->Text().FirstParagraph(); p; p = p->Next())
            for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next())
                if (auto* e = dynamic_cast<TElementPortion*>(portion)) names.push_back(e->Element()->GetClass().GetTypeName());
        return names;
    }
    // The button whose item's caption is `caption`; -1 when the palette shows none.
    int ButtonOf(const char* caption) const
    {
        for (size_t i = 0; i < palette.Buttons().size(); ++i)
            if (StringToUtf8(palette.Buttons()[i].Tune.Caption) == caption) return static_cast<int>(i);
        return -1;
    }
    // The document saved as a data file's text, without line breaks and indents.
    String DocumentText() const
    {
        TKnot knot;
        document->Scheme()->SaveToKnot(document->QuilloraRoot(), smDocument, &knot, 0);
        String text = knot.SaveToText();
        std::erase_if(text, [](Char c) { return c == u'\r' || c == u'\n' || c == u'\t'; });
        return text;
    }
    void Type(std::initializer_list<TKeyCode> keys)
    {
        for (TKeyCode key : keys) {
            TKeyEvent down = TKeyEvent::Down(key, ssCtrl);
            palette.SheetKeyDown(down);
        }
    }

    std::unique_ptr<TQuilloraDocument> document = TTrayAppDocument::New<TQuilloraDocument>();
    TSheet sheet {nullptr, std::make_unique<testing::TRecordingCanvas>()};
    testing::TFakeViewHost host;
    TPaletteForm palette;
    bool ctrlHeld = true;

private:
    TLanguageId saved_ = 0;
};

TEST_F(PaletteTest, RootTextOffersTheKeyElementsGroupedWithNumberedKeys)
{
    const auto& buttons = palette.Buttons();
    ASSERT_EQ(buttons.size(), 16u);
    ASSERT_EQ(palette.Panels().size(), 4u);
    EXPECT_EQ(StringToUtf8(palette.Panels()[0].Heading), "Insert");
    EXPECT_EQ(StringToUtf8(palette.Panels()[1].Heading), "Control");
    EXPECT_EQ(StringToUtf8(palette.Panels()[2].Heading), "Editing");
    EXPECT_EQ(StringToUtf8(palette.Panels()[3].Heading), "Additional");
    struct Case {
        const char* key;
        const char* caption;
    } cases[] = {{"1", "Caret"}, {"2", "Home"}, {"10", "Enter"}, {"11", "Tab"}, {"15", "Date and Time"},
                 {"16", "Comment"}};
    for (const Case& c : cases) {
        const int index = palette.FindKey(Utf8ToString(c.key));
        ASSERT_GE(index, 0) << c.key;
        EXPECT_EQ(StringToUtf8(buttons[static_cast<size_t>(index)].Tune.Caption), c.caption);
        EXPECT_TRUE(buttons[static_cast<size_t>(index)].Enabled);
    }
    EXPECT_TRUE(buttons[static_cast<size_t>(palette.FindKey(u"15"))].HasMenu());
    EXPECT_NE(StringToUtf8(buttons[0].Hint).find("(Ctrl+1)"), std::string::npos);
    // Buttons of one panel stay inside it, and panels do not overlap.
    for (const TPaletteButton& b : buttons) {
        const TRect& panel = palette.Panels()[static_cast<size_t>(b.Panel)].Rect;
        EXPECT_TRUE(b.Rect.Left >= panel.Left && b.Rect.Right <= panel.Right);
    }
}

TEST_F(PaletteTest, CtrlOneWaitsWhileTenMatchesAndCtrlOneZeroInsertsEnter)
{
    TKeyEvent ctrl = TKeyEvent::Down(kcControl, ssCtrl);
    palette.SheetKeyDown(ctrl);
    EXPECT_TRUE(palette.AcceleratorMode());
    EXPECT_TRUE(host.Timers.count(TPaletteForm::PollTimerId));
    Type({kc0 + 1});
    EXPECT_EQ(StringToUtf8(palette.Prefix()), "1");
    EXPECT_TRUE(Elements().empty());
    Type({kc0});
    EXPECT_FALSE(palette.AcceleratorMode());
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(StringToUtf8(Elements()[0]), "Return");
    // One undo step.
    document->UndoRedo()->Undo();
    EXPECT_TRUE(Elements().empty());
}

TEST_F(PaletteTest, ReleasingCtrlRunsTheButtonWhoseKeyIsThePrefix)
{
    TKeyEvent ctrl = TKeyEvent::Down(kcControl, ssCtrl);
    palette.SheetKeyDown(ctrl);
    Type({kc0 + 1});
    ctrlHeld = false;
    palette.Timer(TPaletteForm::PollTimerId);
    EXPECT_FALSE(palette.AcceleratorMode());
    ASSERT_EQ(Elements().size(), 1u);
    EXPECT_EQ(StringToUtf8(Elements()[0]), "Caret");
}

TEST_F(PaletteTest, InsertedElementsNeverShareAnIdentifierAndTheDateTakesItsPreset)
{
    const int enter = palette.FindKey(u"10");
    const int date = palette.FindKey(u"15");
    ASSERT_TRUE(palette.Click(enter));
    ASSERT_TRUE(palette.Click(enter));
    ASSERT_TRUE(palette.RunItem(palette.Buttons()[static_cast<size_t>(date)].Tune.Item, false, u"dd.mm.yyyy"));
    document->UndoRedo()->Undo();
    document->UndoRedo()->Redo();
    std::set<int32_t> ids;
    std::set<TElement*> seen;
    int count = 0;
    TCustomDateTimeMaskElement* mask = nullptr;
    for (TParagraph* p = document->Text().FirstParagraph(); p; p = p->Next())
        for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next())
            if (auto* e = dynamic_cast<TElementPortion*>(portion)) {
                ++count;
                EXPECT_TRUE(ids.insert(e->Element()->ID()).second);
                EXPECT_TRUE(seen.insert(e->Element()).second);
                EXPECT_EQ(e->Element()->Parent(), document->QuilloraRoot());
                EXPECT_EQ(document->Scheme()->FindElement(e->Element()->ID()), e->Element());
                if (auto* m = dynamic_cast<TCustomDateTimeMaskElement*>(e->Element())) mask = m;
            }
    EXPECT_EQ(count, 3);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(StringToUtf8(mask->GetMask()), "dd.mm.yyyy");
}

TEST_F(PaletteTest, ReadOnlyDisablesTheInsertingButtons)
{
    document->Scheme()->SetReadOnly(true);
    sheet.SetReadOnly(true);
    palette.UpdateStates();
    for (const TPaletteButton& b : palette.Buttons()) EXPECT_FALSE(b.Enabled);
    EXPECT_FALSE(palette.Click(0));
    EXPECT_TRUE(Elements().empty());
}


// ---- comments, logic frames, signs and images ----

// Every element of the document once, with its identifier registered for it alone.
void ExpectEachElementOnceWithItsOwnIdentifier(TScheme& scheme)
{
    std::set<int32_t> ids;
    std::set<TElement*> seen;
    std::vector<TElement*> stack{scheme.Root()};
    while (!stack.empty()) {
        TElement* e = stack.back();
        stack.pop_back();
        EXPECT_TRUE(seen.insert(e).second) << "owned twice: " << e->ID();
        EXPECT_TRUE(ids.insert(e->ID()).second) << "identifier twice: " << e->ID();
        EXPECT_EQ(scheme.FindElement(e->ID()), e);
        for (TElement* c = e->FirstElement(); c; c = c->NextElement()) {
            EXPECT_EQ(c->Parent(), e);
            stack.push_back(c);
        }
    }
    EXPECT_EQ(seen.size(), scheme.Elements().size());
}

TEST_F(PaletteTest, EachFocusedElementOffersTheKindsItTakes)
{
    // The text offers the comment, not what only goes into comments.
    for (const char* caption : {"Logic Frame", "Star", "Stop", "Image"}) EXPECT_LT(ButtonOf(caption), 0) << caption;
    ASSERT_TRUE(palette.Click(ButtonOf("Comment")));
    auto* comment = dynamic_cast<TElement_Comment*>(document->QuilloraRoot()->FirstVisual());
    ASSERT_NE(comment, nullptr);
    sheet.SetFocused(comment);
    // The comment offers frames, the six signs and images, under "Signs", "Insert" and
    // "Additional"; neither comments nor key elements.
    for (const char* caption : {"Logic Frame", "Star", "Information", "Question", "Important", "Ready", "Stop", "Image"})
        EXPECT_GE(ButtonOf(caption), 0) << caption;
    for (const char* caption : {"Comment", "Enter", "Caret"}) EXPECT_LT(ButtonOf(caption), 0) << caption;
    const TPaletteButton& star = palette.Buttons()[static_cast<size_t>(ButtonOf("Star"))];
    EXPECT_TRUE(star.Text.empty()); // signs show their image alone
    EXPECT_EQ(star.Tune.SmallImage, CommonSmallImageBase + 2);
    EXPECT_NE(StringToUtf8(star.Hint).find("Multipurpose sign."), std::string::npos);
    EXPECT_EQ(StringToUtf8(palette.Panels()[static_cast<size_t>(star.Panel)].Heading), "Signs");
    const TPaletteButton& frame = palette.Buttons()[static_cast<size_t>(ButtonOf("Logic Frame"))];
    EXPECT_EQ(StringToUtf8(frame.Key), "L");
    EXPECT_NE(StringToUtf8(frame.Hint).find("Logic Frame (Ctrl+L)"), std::string::npos);
    const TPaletteButton& image = palette.Buttons()[static_cast<size_t>(ButtonOf("Image"))];
    EXPECT_TRUE(image.Large);
    EXPECT_EQ(image.Tune.LargeImage, DataLargeImageBase + 7);
    // Signs stand first (order 1500), frames and comments come last (100).
    EXPECT_LT(star.Panel, frame.Panel);
}

TEST_F(PaletteTest, KindsInsertedFromThePaletteAreOneStepEachAndComeBackFromTheFile)
{
    ASSERT_TRUE(palette.Click(ButtonOf("Comment")));
    auto* comment = dynamic_cast<TElement_Comment*>(document->QuilloraRoot()->FirstVisual());
    ASSERT_NE(comment, nullptr);
    sheet.SetFocused(comment);
    const char* kinds[] = {"Star", "Information", "Question", "Important", "Ready", "Stop", "Image"};
    for (const char* caption : kinds) {
        const int index = ButtonOf(caption);
        ASSERT_GE(index, 0) << caption;
        ASSERT_TRUE(palette.Click(index)) << caption;
    }
    // Ctrl+L inserts the frame.
    TKeyEvent ctrl = TKeyEvent::Down(kcControl, ssCtrl);
    palette.SheetKeyDown(ctrl);
    Type({static_cast<TKeyCode>('L')});
    int count = 0;
    for (TVisualElement* child = comment->FirstVisual(); child; child = child->NextVisual()) ++count;
    ASSERT_EQ(count, 8);
    EXPECT_NE(dynamic_cast<TElement_LogicFrame*>(comment->LastVisual()), nullptr);
    // One undo step each: undoing the frame and the image leaves the six signs.
    document->UndoRedo()->Undo();
    document->UndoRedo()->Undo();
    count = 0;
    for (TVisualElement* child = comment->FirstVisual(); child; child = child->NextVisual()) {
        ++count;
        EXPECT_NE(dynamic_cast<TCustomSignElement*>(child), nullptr);
    }
    EXPECT_EQ(count, 6);
    document->UndoRedo()->Redo();
    document->UndoRedo()->Redo();
    ExpectEachElementOnceWithItsOwnIdentifier(*document->Scheme());

    testing::TempFolder folder;
    const String file = folder.File(u"kinds.tpt");
    document->SaveDataFile(file, {});
    auto reloaded = TTrayAppDocument::New<TQuilloraDocument>();
    reloaded->LoadDataFile(file);
    for (const String& message : reloaded->LoadMessages()) ADD_FAILURE() << StringToUtf8(message);
    auto* loaded = dynamic_cast<TElement_Comment*>(reloaded->QuilloraRoot()->FirstVisual());
    ASSERT_NE(loaded, nullptr);
    std::vector<String> names;
    for (TVisualElement* child = loaded->FirstVisual(); child; child = child->NextVisual())
        names.push_back(child->GetClass().GetTypeName());
    EXPECT_EQ(names, (std::vector<String>{u"Star", u"Information", u"Question", u"Important", u"Ready", u"Stop",
                                          u"Image", u"LogicFrame"}));
    ExpectEachElementOnceWithItsOwnIdentifier(*reloaded->Scheme());
    const String again = folder.File(u"again.tpt");
    reloaded->SaveDataFile(again, {});
    EXPECT_EQ(testing::ReadBytes(again), testing::ReadBytes(file));
}

TEST_F(PaletteTest, ANewLogicFrameTakesTheCaretIntoItsContentAWhileAfterInsertion)
{
    // A sheet with "FocusNew" on, in place of the fixture's.
    TFixedFontManager fonts;
    TProvide<TDeviceContextManager> provideFonts {fonts};
    TSettings settings {Service<TSettingsPlatform>()};
    settings.Sheet().FocusNew().SetValue(true);
    TSheetSettingsTheme look {settings.Sheet()};
    sheet.SetDocument(nullptr);
    testing::TFakeViewHost sheetHost;
    TSheet focusing {&settings.Sheet(), std::make_unique<TCustomSheetCanvas>(look)};
    focusing.SetHost(&sheetHost);
    focusing.SetDocument(document->QuilloraRoot());
    focusing.SetActive(true);
    focusing.SetFocused(document->QuilloraRoot());
    palette.SetSheet(&focusing);
    struct Detach {
        TPaletteForm& palette;
        TSheet& sheet;
        ~Detach()
        {
            palette.SetSheet(nullptr);
            sheet.SetDocument(nullptr);
        }
    } detach {palette, focusing};

    ASSERT_TRUE(palette.Click(ButtonOf("Comment")));
    auto* comment = dynamic_cast<TElement_Comment*>(document->QuilloraRoot()->FirstVisual());
    ASSERT_NE(comment, nullptr);
    focusing.SetFocused(comment);
    ASSERT_TRUE(palette.Click(ButtonOf("Logic Frame")));
    auto* frame = dynamic_cast<TElement_LogicFrame*>(comment->LastVisual());
    ASSERT_NE(frame, nullptr);
    // The frame has the focus at once; its content gets it when the delay runs out.
    EXPECT_EQ(focusing.GetFocused(), frame);
    EXPECT_EQ(focusing.DelayedElement(), frame);
    EXPECT_TRUE(sheetHost.TimerRuns(TSheet::DelayTimerId));
    focusing.Timer(TSheet::DelayTimerId);
    EXPECT_FALSE(sheetHost.TimerRuns(TSheet::DelayTimerId));
    ASSERT_NE(frame->GetContent(), nullptr);
    EXPECT_EQ(focusing.GetFocused(), frame->GetContent());
    TKeyEvent a = TKeyEvent::Press(u'A');
    focusing.KeyPress(a);
    EXPECT_TRUE(frame->Caption()->GetText().empty());

    // A frame that lost the focus before the delay ran out leaves the focus alone.
    focusing.SetFocused(comment);
    ASSERT_TRUE(palette.Click(ButtonOf("Logic Frame")));
    auto* second = dynamic_cast<TElement_LogicFrame*>(focusing.GetFocused());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, frame);
    focusing.SetFocused(comment);
    focusing.Timer(TSheet::DelayTimerId);
    EXPECT_EQ(focusing.GetFocused(), comment);
}

TEST_F(PaletteTest, APicturePastedIntoACommentBecomesAnImageAsOneStep)
{
    TMemoryTextClipboard text; // no text on the clipboard
    TProvide<TTextClipboard> provideText(text);
    TMemoryDataClipboard data;
    TProvide<TDataClipboard> provideData(data);
    ASSERT_TRUE(palette.Click(ButtonOf("Comment")));
    auto* comment = dynamic_cast<TElement_Comment*>(document->QuilloraRoot()->FirstVisual());
    ASSERT_NE(comment, nullptr);
    sheet.SetFocused(comment);
    EXPECT_FALSE(comment->CanPaste());
    EXPECT_FALSE(comment->Paste());
    // The text itself takes no pictures.
    data.HasBitmap = true;
    TFrame frame(3, 2);
    for (uint32_t& p : frame.Pixels()) p = 0xFF336699u;
    Service<TPlatformDecoder>().Encode(frame, pePng, data.Bitmap);
    data.BitmapDataType = dtPng;
    EXPECT_FALSE(document->QuilloraRoot()->CanPaste());
    ASSERT_TRUE(comment->CanPaste());
    ASSERT_TRUE(comment->Paste());
    ASSERT_TRUE(comment->Paste());
    int images = 0;
    for (TVisualElement* child = comment->FirstVisual(); child; child = child->NextVisual())
        if (auto* image = dynamic_cast<TElement_Image*>(child)) {
            ++images;
            EXPECT_EQ(StringToUtf8(image->Type()), "png");
            EXPECT_EQ(image->Data().Bytes(), data.Bitmap.Bytes());
            EXPECT_FALSE(image->InExternalEditing());
        }
    EXPECT_EQ(images, 2);
    ExpectEachElementOnceWithItsOwnIdentifier(*document->Scheme());
    document->UndoRedo()->Undo();
    EXPECT_NE(dynamic_cast<TElement_Image*>(comment->FirstVisual()), nullptr);
    EXPECT_EQ(comment->FirstVisual()->NextVisual(), nullptr);
    document->UndoRedo()->Undo();
    EXPECT_EQ(comment->FirstVisual(), nullptr);
    document->UndoRedo()->Redo();
    document->UndoRedo()->Redo();
    ExpectEachElementOnceWithItsOwnIdentifier(*document->Scheme());
}

// File dialogs that answer with a prepared name and record what they were asked.
class TFakeDataFileDialogs : public TDataFileDialogs {
public:
    bool Open(const std::vector<TFilter>& filters, bool, String& fileName) override
    {
        ++Opened;
        OpenFilters = filters;
        if (Answer.empty()) return false;
        fileName = Answer;
        return true;
    }
    bool Save(const std::vector<TFilter>&, const String& defaultExtension, String& fileName) override
    {
        ++Saved;
        SaveExtension = defaultExtension;
        if (Answer.empty()) return false;
        fileName = Answer;
        return true;
    }
    String Answer;
    int Opened = 0;
    int Saved = 0;
    std::vector<TFilter> OpenFilters;
    String SaveExtension;
};

// A comment with an empty image in it, the image focused.
TElement_Image* FocusedImage(TSheet& sheet, TPaletteForm& palette, TQuilloraDocument& document,
                             int (*buttonOf)(const TPaletteForm&, const char*))
{
    if (!palette.Click(buttonOf(palette, "Comment"))) return nullptr;
    auto* comment = dynamic_cast<TElement_Comment*>(document.QuilloraRoot()->FirstVisual());
    if (!comment) return nullptr;
    sheet.SetFocused(comment);
    if (!palette.Click(buttonOf(palette, "Image"))) return nullptr;
    auto* image = dynamic_cast<TElement_Image*>(comment->LastVisual());
    if (image) sheet.SetFocused(image);
    return image;
}

int ButtonIn(const TPaletteForm& palette, const char* caption)
{
    for (size_t i = 0; i < palette.Buttons().size(); ++i)
        if (StringToUtf8(palette.Buttons()[i].Tune.Caption) == caption) return static_cast<int>(i);
    return -1;
}

TEST_F(PaletteTest, DescriptionCommandFocusesTheDescriptionWithItsTextSelectedAndItIsSavedOnlyWhenFilled)
{
    ASSERT_TRUE(palette.Click(ButtonOf("Comment")));
    auto* comment = dynamic_cast<TElement_Comment*>(document->QuilloraRoot()->FirstVisual());
    ASSERT_NE(comment, nullptr);
    sheet.SetFocused(comment);
    ASSERT_TRUE(palette.Click(ButtonOf("Logic Frame")));
    auto* frame = dynamic_cast<TElement_LogicFrame*>(comment->LastVisual());
    ASSERT_NE(frame, nullptr);
    sheet.SetFocused(frame);
    ASSERT_EQ(frame->Description(), nullptr);
    // Both commands of titled elements show their own 32-pixel pictures.
    const int collapsed = ButtonOf("Collapsed");
    const int described = ButtonOf("Description");
    ASSERT_GE(collapsed, 0);
    ASSERT_GE(described, 0);
    ASSERT_GE(TitledLargeImageBase, 0);
    const TPaletteButton& button = palette.Buttons()[static_cast<size_t>(described)];
    EXPECT_EQ(palette.Buttons()[static_cast<size_t>(collapsed)].Tune.LargeImage, TitledLargeImageBase);
    EXPECT_EQ(button.Tune.LargeImage, TitledLargeImageBase + 1);
    EXPECT_TRUE(button.Large);
    EXPECT_TRUE(button.Enabled);
    EXPECT_EQ(button.Tune.Key, u"M");
    EXPECT_EQ(StringToUtf8(palette.Panels()[static_cast<size_t>(button.Panel)].Heading), "Actions");
    const bool couldUndo = document->UndoRedo()->CanUndo();

    // Ctrl+M makes a description beside the frame and gives it the focus; nothing is
    // recorded until something is typed.
    TKeyEvent ctrl = TKeyEvent::Down(kcControl, ssCtrl);
    palette.SheetKeyDown(ctrl);
    Type({static_cast<TKeyCode>('M')});
    TCustomCommentElement* description = frame->Description();
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(sheet.GetFocused(), description);
    EXPECT_EQ(description->VisualParent(), sheet.GetRoot());
    EXPECT_TRUE(description->IsVisible());
    EXPECT_EQ(document->UndoRedo()->CanUndo(), couldUndo);
    EXPECT_EQ(DocumentText().find(u"Description"), String::npos);
    for (Char c : String(u"note")) {
        TKeyEvent press = TKeyEvent::Press(c);
        sheet.KeyPress(press);
    }
    EXPECT_EQ(description->GetText(), u"note");
    EXPECT_NE(DocumentText().find(u"<Description><Chars Value=\"note\"/></Description>"), String::npos);

    // Run again from the frame, the command selects the whole text of the description.
    sheet.SetFocused(frame);
    ASSERT_TRUE(palette.Click(ButtonOf("Description")));
    EXPECT_EQ(frame->Description(), description);
    EXPECT_EQ(sheet.GetFocused(), description);
    EXPECT_EQ(description->GetSelectionText(), u"0,0,0,4"); // all of "note"

    // The typing is undone as one step; the empty description is not saved, and it is
    // out of view once it loses the focus; redone, it shows again.
    document->UndoRedo()->Undo();
    EXPECT_EQ(description->GetText(), u"");
    EXPECT_EQ(DocumentText().find(u"Description"), String::npos);
    EXPECT_TRUE(description->IsVisible());
    sheet.SetFocused(frame);
    EXPECT_FALSE(description->IsVisible());
    document->UndoRedo()->Redo();
    EXPECT_EQ(description->GetText(), u"note");
    EXPECT_TRUE(description->IsVisible());
}

TEST_F(PaletteTest, AFocusedImageOffersItsCommandsWithStatesThatFollowIt)
{
    TElement_Image* image = FocusedImage(sheet, palette, *document, ButtonIn);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(sheet.GetFocused(), image);
    struct Case {
        const char* caption;
        const char* group;
        int image;
        bool enabled;
    } cases[] = {
        {"Edit", "Edit", 0, true},      {"Apply", "Edit", 1, false},      {"Cancel", "Edit", 2, false},
        {"PNG", "Format", 3, true},     {"JPEG", "Format", 3, true},      {"GIF", "Format", 3, true},
        {"BMP", "Format", 3, true},     {"ICO", "Format", 3, true},       {"CUR", "Format", 3, true},
        {"Load from File", "Actions", 4, true}, {"Save to File", "Actions", 5, false}, {"Disabled", "State", -1, true},
    };
    for (const Case& c : cases) {
        const int index = ButtonOf(c.caption);
        ASSERT_GE(index, 0) << c.caption;
        const TPaletteButton& b = palette.Buttons()[static_cast<size_t>(index)];
        EXPECT_EQ(StringToUtf8(palette.Panels()[static_cast<size_t>(b.Panel)].Heading), c.group) << c.caption;
        if (c.image >= 0) {
            EXPECT_TRUE(b.Large) << c.caption;
            EXPECT_EQ(b.Tune.LargeImage, DataLargeImageBase + c.image) << c.caption;
            EXPECT_FALSE(b.Hint.empty()) << c.caption;
        }
        EXPECT_EQ(b.Enabled, c.enabled) << c.caption;
        EXPECT_FALSE(b.Checked) << c.caption;
    }
    // The Edit button's menu: the programs, then "Open with...".
    const TPaletteButton& edit = palette.Buttons()[static_cast<size_t>(ButtonOf("Edit"))];
    ASSERT_TRUE(edit.HasMenu());
    EXPECT_EQ(StringToUtf8(edit.Tune.Item->SubItems.back().Caption), "Open with...");
    // Edit group first (1500), Format last (100).
    EXPECT_LT(edit.Panel, palette.Buttons()[static_cast<size_t>(ButtonOf("PNG"))].Panel);

    // PNG: the format is set as one undo step; the PNG button is checked, Save enabled.
    ASSERT_TRUE(palette.Click(ButtonOf("PNG")));
    EXPECT_EQ(StringToUtf8(image->Type()), "png");
    EXPECT_TRUE(palette.Buttons()[static_cast<size_t>(ButtonOf("PNG"))].Checked);
    EXPECT_FALSE(palette.Buttons()[static_cast<size_t>(ButtonOf("ICO"))].Checked);
    EXPECT_TRUE(palette.Buttons()[static_cast<size_t>(ButtonOf("Save to File"))].Enabled);
    // ICO warns of the loss and converts; undo gives the PNG back, then the empty image.
    testing::FakeMessageBoxes boxes;
    TProvide<TMessageBoxService> provideBoxes(boxes);
    const std::vector<uint8_t> png(image->Data().Bytes());
    ASSERT_TRUE(palette.Click(ButtonOf("ICO")));
    EXPECT_EQ(StringToUtf8(image->Type()), "ico");
    EXPECT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(palette.Buttons()[static_cast<size_t>(ButtonOf("ICO"))].Checked);
    EXPECT_FALSE(palette.Buttons()[static_cast<size_t>(ButtonOf("PNG"))].Checked);
    document->UndoRedo()->Undo();
    EXPECT_EQ(StringToUtf8(image->Type()), "png");
    EXPECT_EQ(image->Data().Bytes(), png);
    EXPECT_TRUE(palette.Buttons()[static_cast<size_t>(ButtonOf("PNG"))].Checked);
    document->UndoRedo()->Undo();
    EXPECT_FALSE(image->HasValue());
    document->UndoRedo()->Redo();
    document->UndoRedo()->Redo();
    EXPECT_EQ(StringToUtf8(image->Type()), "ico");

    // While the image is edited in another program only Apply, Cancel, Edit and Save are
    // enabled; a read-only sheet leaves Save alone.
    image->SetExternalEditingFileName(u"elsewhere.png");
    palette.UpdateStates();
    for (const char* caption : {"Apply", "Cancel", "Edit", "Save to File"})
        EXPECT_TRUE(palette.Buttons()[static_cast<size_t>(ButtonOf(caption))].Enabled) << caption;
    for (const char* caption : {"PNG", "ICO", "Load from File"})
        EXPECT_FALSE(palette.Buttons()[static_cast<size_t>(ButtonOf(caption))].Enabled) << caption;
    image->SetExternalEditingFileName({});
    sheet.SetReadOnly(true);
    palette.UpdateStates();
    for (const char* caption : {"Edit", "PNG", "Load from File"})
        EXPECT_FALSE(palette.Buttons()[static_cast<size_t>(ButtonOf(caption))].Enabled) << caption;
    EXPECT_TRUE(palette.Buttons()[static_cast<size_t>(ButtonOf("Save to File"))].Enabled);
    sheet.SetReadOnly(false);
}

TEST_F(PaletteTest, LoadAndSaveAnImageThroughTheFileDialogs)
{
    TFakeDataFileDialogs dialogs;
    TProvide<TDataFileDialogs> provideDialogs(dialogs);
    TElement_Image* image = FocusedImage(sheet, palette, *document, ButtonIn);
    ASSERT_NE(image, nullptr);
    testing::TempFolder folder;
    // A picture file written by the encoder, loaded as one undo step.
    TFrame frame(4, 3);
    for (uint32_t& p : frame.Pixels()) p = 0xFF204080u;
    TMemoryStream bytes;
    Service<TPlatformDecoder>().Encode(frame, pePng, bytes);
    const String source = folder.File(u"Picture.PNG");
    testing::WriteBytes(source, std::string(bytes.Bytes().begin(), bytes.Bytes().end()));
    // A cancelled dialog changes nothing.
    ASSERT_TRUE(palette.Click(ButtonOf("Load from File")));
    EXPECT_EQ(dialogs.Opened, 1);
    EXPECT_FALSE(image->HasValue());
    dialogs.Answer = source;
    ASSERT_TRUE(palette.Click(ButtonOf("Load from File")));
    EXPECT_EQ(StringToUtf8(image->Type()), "png");
    EXPECT_EQ(image->Data().Bytes(), bytes.Bytes());
    EXPECT_TRUE(palette.Buttons()[static_cast<size_t>(ButtonOf("PNG"))].Checked);
    // Saved where the dialog says, with the element's type as the default extension.
    const String target = folder.File(u"out.png");
    dialogs.Answer = target;
    ASSERT_TRUE(palette.Click(ButtonOf("Save to File")));
    EXPECT_EQ(StringToUtf8(dialogs.SaveExtension), "png");
    EXPECT_EQ(testing::ReadBytes(target), std::string(bytes.Bytes().begin(), bytes.Bytes().end()));
    // Loading was one step; saving none.
    document->UndoRedo()->Undo();
    EXPECT_FALSE(image->HasValue());
}

TEST_F(PaletteTest, FollowsItsSettingsAtOnce)
{
    TPaletteFormSettings settings;
    palette.SetSettings(&settings);
    int heightChanges = 0;
    palette.OnHeightChanged = [&] { ++heightChanges; };
    const int withHeadings = palette.FormHeight();
    ASSERT_FALSE(palette.Panels()[0].Heading.empty());
    settings.ShowHeaders().SetValue(false);
    EXPECT_EQ(heightChanges, 1);
    EXPECT_LT(palette.FormHeight(), withHeadings);
    for (const TPalettePanel& panel : palette.Panels()) EXPECT_TRUE(panel.Heading.empty());
    const TRect firstWithCaption = palette.Buttons()[0].Rect;
    settings.ShowCaptions().SetValue(false);
    for (const TPaletteButton& b : palette.Buttons()) EXPECT_TRUE(b.Text.empty());
    EXPECT_LE(palette.Buttons()[0].Rect.Width(), firstWithCaption.Width());
    settings.ShowHints().SetValue(false);
    for (const TPaletteButton& b : palette.Buttons()) EXPECT_TRUE(b.Hint.empty());
    settings.ShowHeaders().SetValue(true);
    EXPECT_EQ(palette.FormHeight(), withHeadings);
    EXPECT_EQ(heightChanges, 2);
    palette.SetSettings(nullptr);
    settings.ShowHeaders().SetValue(false); // no longer followed
    EXPECT_EQ(heightChanges, 2);
    palette.OnHeightChanged = nullptr;
}

TEST_F(PaletteTest, HintsShowInTheHostsHintWindowUnderTheButton)
{
    const TPaletteButton button = palette.Buttons()[0];
    const TPoint inside{button.Rect.Left + 2, button.Rect.Top + 2};
    palette.PointerMove(TPointerEvent{inside});
    EXPECT_EQ(palette.HintButton(), 0);
    EXPECT_EQ(host.Hint, button.Hint);
    EXPECT_GE(host.HintPoint.Y, host.ClientToScreen({0, button.Rect.Bottom}).Y);
    palette.PointerMove(TPointerEvent{{inside.X + 1, inside.Y}}); // the same button: nothing new
    EXPECT_EQ(host.Hint, button.Hint);
    palette.PointerLeave();
    EXPECT_TRUE(host.Hint.empty());
    EXPECT_EQ(palette.HintButton(), -1);
}

} // namespace
} // namespace quillora
