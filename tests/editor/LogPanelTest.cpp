// The log panel of the edit form: shown exactly while the document has messages, its
// glyph following the worst message, its height within the splitter's limits and kept in
// the session; a click on a log link focuses the element in the document's sheet, and a
// link whose element is gone says so instead of touching it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/EditForm.h"
#include "editor/LogPanel.h"
#include "editor/Sheet.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "foundation/UndoRedo.h"
#include "library/Log.h"
#include "support/ElementFakes.h"
#include "support/FakeFindDialogs.h"
#include "support/FakeMainFormHost.h"
#include "support/TestElements.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "text/RichTextAttributes.h"
#include "text/SchemeTextor.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

TEST(LogPanel, TheGlyphFollowsTheWorstMessage)
{
    struct Case {
        std::vector<uint8_t> Kinds;
        bool Shown;
        int Glyph;
    };
    const std::vector<Case> cases = {
        {{}, false, 0},
        {{mkInformation}, true, 0},
        {{mkHint, mkHint}, true, 1},
        {{mkHint, mkError}, true, 3},
        {{mkHint, mkValueRequired}, true, 2},
        {{mkInvalidValue, mkWarning}, true, 2},
    };
    for (const Case& c : cases) {
        TElementMessages messages;
        for (uint8_t kind : c.Kinds) messages.AddPlainMessage(kind, u"m");
        TLogPanel panel;
        const int change = panel.Update(&messages);
        EXPECT_EQ(panel.Shown(), c.Shown) << c.Kinds.size();
        EXPECT_EQ(panel.Severity(), c.Glyph) << c.Kinds.size();
        EXPECT_EQ((change & TLogPanel::lpcShown) != 0, c.Shown);
    }
    TLogPanel panel;
    TElementMessages messages;
    messages.AddPlainMessage(mkHint, u"h");
    panel.Update(&messages);
    messages.AddPlainMessage(mkError, u"e");
    EXPECT_EQ(panel.Update(&messages), TLogPanel::lpcSeverity);
    messages.Clear();
    EXPECT_EQ(panel.Update(&messages), TLogPanel::lpcShown);
    EXPECT_FALSE(panel.CanClear());
    // Without a document there is nothing to show.
    messages.AddPlainMessage(mkHint, u"h");
    panel.Update(&messages);
    panel.Update(nullptr);
    EXPECT_FALSE(panel.Shown());
}

TEST(LogPanel, TheLayoutPutsTheButtonAcrossTheSplitter)
{
    TLogPanel panel;
    EXPECT_EQ(panel.Layout(400, 300).Document, Rect(0, 0, 400, 300));
    EXPECT_TRUE(panel.Layout(400, 300).Splitter.IsEmpty());
    TElementMessages messages;
    messages.AddPlainMessage(mkError, u"e");
    panel.Update(&messages);
    const TLogPanelLayout layout = panel.Layout(400, 300);
    EXPECT_EQ(layout.Log, Rect(0, 170, 400, 300));
    EXPECT_EQ(layout.Splitter, Rect(0, 162, 400, 170));
    EXPECT_EQ(layout.Document, Rect(0, 0, 400, 162));
    EXPECT_EQ(layout.Button, Rect(171, 157, 229, 175));
    EXPECT_EQ(layout.Glyph, (TPoint {22, 2}));
}

TEST(LogPanel, TheSplitterKeepsBothPanesWithinTheirLimits)
{
    struct Case {
        int SplitterTop, FormHeight, Height;
    };
    const std::vector<Case> cases = {
        {162, 300, 130}, // where it is
        {100, 300, 192}, // up
        {290, 300, TLogPanel::MinHeight},                 // the log keeps its least height
        {0, 300, 300 - TLogPanel::SplitterHeight - 30},   // the document keeps its least height
        {-50, 40, TLogPanel::MinHeight},                  // a form too small for both: the log wins
    };
    for (const Case& c : cases)
        EXPECT_EQ(TLogPanel::HeightForSplitterTop(c.SplitterTop, c.FormHeight), c.Height) << c.SplitterTop;
    TLogPanel panel;
    EXPECT_FALSE(panel.SplitterMoved(162, 300));
    EXPECT_TRUE(panel.SplitterMoved(100, 300));
    EXPECT_EQ(panel.Height(), 192);
}

TEST(LogPanel, TheSessionHeightIsTakenOnlyWithinItsRange)
{
    struct Case {
        int Stored, ParentHeight, Height;
    };
    const std::vector<Case> cases = {
        {200, 600, 200}, {5, 600, 130}, {301, 600, 130}, {300, 600, 300}, {10, 600, 10}, {900, 0, 900},
    };
    for (const Case& c : cases) {
        TKnot stored;
        stored.GetKnot(u"Log")->WriteInteger(u"Height", c.Stored);
        TLogPanel panel;
        panel.LoadSession(stored, c.ParentHeight);
        TKnot written;
        panel.SaveSession(written);
        EXPECT_EQ(written.GetKnot(u"Log")->ReadInteger(u"Height", 0), c.Height) << c.Stored;
    }
}

struct LogLinkTest : ::testing::Test {
    TUndoRedo undo;
    FakeMessageBoxes boxes;
    TProvide<TMessageBoxService> provideBoxes {boxes};
    std::unique_ptr<TScheme> scheme;
    std::unique_ptr<TScheme> logScheme;
    TSheet sheet {nullptr, std::make_unique<TRecordingCanvas>()};
    TSheet logSheet {nullptr, std::make_unique<TRecordingCanvas>()};
    FakeFindDialogs dialogs;
    TEditForm form {dialogs};
    std::vector<TElement_Star*> stars;
    int panelChanges = 0;
    int focusDocument = 0;

    void SetUp() override
    {
        RegisterLogClasses();
        scheme = std::make_unique<TScheme>(&TTestRoot::Class(), u"Quillora");
        scheme->SetUndoRedo(&undo);
        logScheme = std::make_unique<TScheme>(&TLogRoot::Class());
        logScheme->SetReadOnly(true);
        scheme->SetSchemeMessages(&LogRoot().DocumentMessages());
        auto* root = static_cast<TVisualElement*>(scheme->Root());
        for (int i = 0; i < 2; ++i) stars.push_back(TVisualElement::NewVisualPart<TElement_Star>(root, nullptr, root));
        sheet.SetDocument(root);
        logSheet.SetDocument(&LogRoot());
        form.SetDocument(scheme.get(), &sheet);
        form.SetLog(logScheme.get(), &logSheet);
        form.OnLogPanelChanged = [this] { ++panelChanges; };
        form.OnFocusDocument = [this] { ++focusDocument; };
    }
    void TearDown() override
    {
        form.SetLog(nullptr, nullptr);
        form.SetDocument(nullptr, nullptr);
        sheet.SetDocument(nullptr);
        logSheet.SetDocument(nullptr);
        scheme->SetSchemeMessages(nullptr);
        scheme.reset();
        logScheme.reset();
    }
    TLogRoot& LogRoot() { return *static_cast<TLogRoot*>(logScheme->Root()); }
    TElementMessages& Messages() { return scheme->SchemeMessages(); }
    void ClickFirstLink()
    {
        for (TParagraph* p = LogRoot().Text().FirstParagraph(); p; p = p->Next())
            for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next()) {
                auto* attributes = dynamic_cast<TRichTextAttributes*>(portion->GetAttributes());
                if (!portion->IsElement() && attributes && attributes->IsLink()) {
                    LogRoot().LinkClicked(portion);
                    return;
                }
            }
        FAIL() << "no link";
    }
};

TEST_F(LogLinkTest, TheFirstMessageShowsThePanelAndClearingHidesIt)
{
    EXPECT_FALSE(form.LogPanel().Shown());
    EXPECT_FALSE(form.Action(efcToolsClearLog).Enabled);
    Messages().AddMessage(mkValueRequired, u"The value must be [set]", IntToString(stars[1]->ID()));
    EXPECT_TRUE(form.LogPanel().Shown());
    EXPECT_EQ(form.LogPanel().Severity(), 2);
    EXPECT_EQ(panelChanges, 1);
    // Ctrl+F5 clears the log, which hides the panel.
    TKeyEvent key = TKeyEvent::Down(kcF5, ssCtrl);
    form.ShortCut(key);
    EXPECT_TRUE(key.Consumed());
    EXPECT_FALSE(form.LogPanel().Shown());
    EXPECT_TRUE(LogRoot().Text().IsEmpty());
    EXPECT_EQ(panelChanges, 2);
    EXPECT_FALSE(form.Action(efcToolsClearLog).Enabled);
    // Without a document the log is not shown, whatever it holds.
    Messages().AddPlainMessage(mkWarning, u"again");
    EXPECT_TRUE(form.LogPanel().Shown());
    form.SetDocument(nullptr, nullptr);
    EXPECT_FALSE(form.LogPanel().Shown());
}

TEST_F(LogLinkTest, AClickOnALinkFocusesTheElementInTheDocument)
{
    Messages().AddMessage(mkValueRequired, u"The value must be [set]", IntToString(stars[1]->ID()));
    ClickFirstLink();
    EXPECT_EQ(sheet.GetFocused(), stars[1]);
    ASSERT_EQ(sheet.Selection().size(), 1u);
    EXPECT_EQ(sheet.Selection()[0], stars[1]);
    EXPECT_EQ(focusDocument, 1);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(LogLinkTest, ALinkToARemovedElementNeitherCrashesNorFocusesIt)
{
    Messages().AddMessage(mkValueRequired, u"The value must be [set]", IntToString(stars[1]->ID()));
    const int32_t id = stars[1]->ID();
    delete stars[1];
    stars.pop_back();
    ClickFirstLink();
    EXPECT_EQ(sheet.GetFocused(), nullptr);
    EXPECT_TRUE(sheet.Selection().empty());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].Text, u"Element with identifier " + IntToString(id) + u" not found.");
    // Identifier 0 names no element.
    boxes.boxes.clear();
    Messages().Clear();
    Messages().AddMessage(mkError, u"[x]", u"0");
    ClickFirstLink();
    EXPECT_EQ(sheet.GetFocused(), nullptr);
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

} // namespace

namespace {

TEST_F(LogLinkTest, TheCaretFollowsNewMessagesOnlyFromTheEnd)
{
    Messages().AddPlainMessage(mkWarning, u"first");
    Messages().AddPlainMessage(mkWarning, u"second");
    logSheet.SetFocused(&LogRoot());
    ASSERT_NE(LogRoot().Interactive(), nullptr);
    // In the middle: the caret stays.
    ASSERT_TRUE(LogRoot().SetSelection({0, 3, 0, 3}));
    Messages().AddPlainMessage(mkWarning, u"third");
    EXPECT_EQ(LogRoot().GetSelectionText(), u"0,3,0,3");
    // At the end: the caret follows to the new end.
    ASSERT_TRUE(LogRoot().SetSelection({2, 7, 2, 7}));
    Messages().AddPlainMessage(mkWarning, u"fourth");
    EXPECT_EQ(LogRoot().GetSelectionText(), u"3,8,3,8");
    logSheet.SetFocused(nullptr);
}

} // namespace
