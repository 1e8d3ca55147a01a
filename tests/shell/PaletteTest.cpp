// The palette over the document's root text: the key elements' buttons with their keys,
// the Ctrl accelerators (a prefix shared by several keys waits), inserting key and date
// elements as one undo step each without ever sharing an identifier, and the states.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "editor/PaletteForm.h"
#include "editor/Sheet.h"
#include "elements/Scheme.h"
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
    ASSERT_EQ(buttons.size(), 15u);
    ASSERT_EQ(palette.Panels().size(), 3u);
    EXPECT_EQ(StringToUtf8(palette.Panels()[0].Heading), "Insert");
    EXPECT_EQ(StringToUtf8(palette.Panels()[1].Heading), "Control");
    EXPECT_EQ(StringToUtf8(palette.Panels()[2].Heading), "Editing");
    struct Case {
        const char* key;
        const char* caption;
    } cases[] = {{"1", "Caret"}, {"2", "Home"}, {"10", "Enter"}, {"11", "Tab"}, {"15", "Date and Time"}};
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

} // namespace
} // namespace quillora
