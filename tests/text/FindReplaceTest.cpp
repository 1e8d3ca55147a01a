// Find and replace over a document of text elements: the search from element to element,
// its starting places, case, embedded elements, the search root, and replacing one match
// or all of them as one undo step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/CustomSheet.h"
#include "elements/EditCommands.h"
#include "editor/FindDialogs.h"
#include "elements/FindReplace.h"
#include "foundation/Exceptions.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/UtilsServices.h"
#include "support/FakeFindDialogs.h"
#include "support/ElementFakes.h"
#include "text/TextElementSupport.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

struct TBoxes : TMessageBoxService {
    std::vector<String> Texts;
    int Show(const String& text, const String&, unsigned) override
    {
        Texts.push_back(text);
        return idOk;
    }
    bool ActiveWindowIsTopmost() const override { return false; }
    String ApplicationTitle() const override { return u"Quillora"; }
};

struct TCountingBeeper : TBeeper {
    int Beeps = 0;
    void Beep() override { ++Beeps; }
};

// Find data that counts its "not found" reports and can fail after some matches.
struct TTestFindData : TFindData {
    int NotFoundCount = 0;
    int FailAtMatch = 0; // the match (1, 2, ...) at which Matches raises; 0: never
    int MatchCount = 0;
    bool Matches(TVisualElement* element, StringView candidate) override
    {
        const bool match = TFindData::Matches(element, candidate);
        if (match && ++MatchCount == FailAtMatch) throw Exception(u"search failed");
        return match;
    }
    void NotFound() override
    {
        ++NotFoundCount;
        TFindData::NotFound();
    }
};

class FindReplaceTest : public TextElementFixture {
protected:
    TFakeSheet sheet;
    TBoxes boxes;
    TProvide<TMessageBoxService> provideBoxes{boxes};
    TCountingBeeper beeper;
    TProvide<TBeeper> provideBeeper{beeper};
    TTestFindData data;
    TLanguageId savedLanguage = 0;

    void SetUp() override
    {
        TextElementFixture::SetUp();
        savedLanguage = Localization().Language();
        Localization().SetLanguage(1033);
        // Three paragraphs; the second embeds a field that holds "ab" between an a and a b.
        LoadText(u"<Quillora><Chars Value=\"xabyab\"/><Br/><Chars Value=\"a\"/><Field Value=\"ab\"/>"
                 u"<Chars Value=\"b\"/><Br/><Chars Value=\"AB end\"/></Quillora>");
        Root().SetVisualParent(sheet.Root(), nullptr);
        data.SearchRoot = &Root();
        data.Text = u"ab";
        FocusRoot(0, 0, 0, 0);
    }
    void TearDown() override
    {
        Localization().SetLanguage(savedLanguage);
        Root().SetVisualParent(nullptr, nullptr);
        TextElementFixture::TearDown();
    }

    TElement_Field& Field() { return *static_cast<TElement_Field*>(Root().FirstElement()); }
    void FocusRoot(int sp, int sc, int ep, int ec)
    {
        sheet.SetFocused(&Root());
        Select(sp, sc, ep, ec);
    }
    // The focused element ("root", "field" or "other") and its selection.
    std::string State()
    {
        TVisualElement* focused = sheet.GetFocused();
        auto* text = dynamic_cast<TTextorElement*>(focused);
        if (!text) return "none";
        const std::string name = focused == &Root() ? "root" : focused == &Field() ? "field" : "other";
        return name + " " + ToUtf8(text->GetSelectionText());
    }
    std::string Find(bool forward = true)
    {
        return SheetFindNext(sheet, data, forward).Found ? State() : "not found";
    }
    static std::string ToUtf8(const String& s) { return std::string(s.begin(), s.end()); }
};

TEST_F(FindReplaceTest, ForwardSearchWalksTheDocumentIntoAndOutOfEmbeddedElements)
{
    // A matching selection is skipped (fmFind), the field's text is searched when the
    // search reaches it and the search comes back right after it; "AB" matches without
    // case; at the end nothing wraps around.
    const std::vector<std::string> expected = {"root 0,1,0,3", "root 0,4,0,6", "field 0,0,0,2", "root 2,0,2,2",
                                               "not found"};
    for (const std::string& step : expected) EXPECT_EQ(Find(), step);
    EXPECT_EQ(data.NotFoundCount, 1);
    ASSERT_EQ(boxes.Texts.size(), 1u);
    EXPECT_EQ(boxes.Texts[0], u"Could not find \"ab\".");
    // The focus stays where the search left it.
    EXPECT_EQ(sheet.GetFocused(), &Root());
}

TEST_F(FindReplaceTest, BackwardSearchMirrorsTheForwardOne)
{
    FocusRoot(2, 6, 2, 6);
    const std::vector<std::string> expected = {"root 2,0,2,2", "field 0,0,0,2", "root 0,4,0,6", "root 0,1,0,3",
                                               "not found"};
    for (const std::string& step : expected) EXPECT_EQ(Find(false), step);
}

TEST_F(FindReplaceTest, StartingPlaceCaseAndElementBoundaries)
{
    struct Case {
        const char* name;
        int sp, sc, ep, ec;
        const char16_t* text;
        bool matchCase;
        bool forward;
        std::string expected;
    };
    const Case cases[] = {
        // abc selected, looking for ab: the selection does not match, so it is not skipped.
        {"selection not matching is searched", 0, 1, 0, 4, u"ab", false, true, "root 0,1,0,3"},
        // Backward from a matching selection: the previous occurrence.
        {"backward skips a matching selection", 0, 4, 0, 6, u"ab", false, false, "root 0,1,0,3"},
        {"without case AB finds ab", 0, 0, 0, 0, u"AB", false, true, "root 0,1,0,3"},
        {"with case AB finds only AB", 0, 0, 0, 0, u"AB", true, true, "root 2,0,2,2"},
        // a, the field, b: the text around the field never makes "ab" (the field's own does).
        {"no match across an element", 1, 1, 1, 1, u"ab", false, true, "root 2,0,2,2"},
        // A match never spans a paragraph end.
        {"no match across a paragraph end", 0, 0, 0, 0, u"b\r\na", false, true, "not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FocusRoot(c.sp, c.sc, c.ep, c.ec);
        data.Text = c.text;
        data.MatchCase = c.matchCase;
        if (std::string(c.name) == "no match across an element") Field().Text().SetText(u"zz");
        EXPECT_EQ(Find(c.forward), c.expected);
        if (std::string(c.name) == "no match across an element") Field().Text().SetText(u"ab");
    }
}

TEST_F(FindReplaceTest, SearchStaysInsideTheSearchRootAndStartsThereWithoutFocus)
{
    data.SearchRoot = &Field();
    data.Text = u"a";
    sheet.SetFocused(&Field());
    ASSERT_TRUE(Field().SetSelection({0, 0, 0, 0}));
    EXPECT_EQ(Find(), "field 0,0,0,1");
    EXPECT_EQ(Find(), "not found"); // the text after the field is outside the search root
    data.SearchRoot = &Root();
    EXPECT_EQ(Find(), "root 2,0,2,1");

    // With nothing focused the search begins at the first element of the search root.
    data.Text = u"end";
    sheet.SetFocused(nullptr);
    EXPECT_EQ(Find(), "root 2,3,2,6");
}

TEST_F(FindReplaceTest, ReplaceOneMatchSelectsTheNext)
{
    ASSERT_EQ(Find(), "root 0,1,0,3");
    TFindResult result = SheetReplace(sheet, data, u"XYZ", false, true);
    EXPECT_EQ(result.Replacements, 1);
    EXPECT_TRUE(result.Found);
    EXPECT_EQ(Root().GetRangePlainText(Root().Text().GetWholeRange()).substr(0, 7), u"xXYZyab");
    EXPECT_EQ(State(), "root 0,5,0,7");
    EXPECT_TRUE(boxes.Texts.empty());
}

TEST_F(FindReplaceTest, ReplaceAllIsOneUndoStepAndCountsIt)
{
    const String before = Root().GetRangePlainText(Root().Text().GetWholeRange());
    const int steps = UndoSteps();
    // The replacement holds the search text: the search goes on after each new text.
    TFindResult result = SheetReplace(sheet, data, u"[ab]", true, true);
    EXPECT_EQ(result.Replacements, 4);
    EXPECT_EQ(Root().GetRangePlainText(Root().Text().GetWholeRange()),
              u"x[ab]y[ab]\r\na[ab]\r\nb\r\n[ab] end");
    EXPECT_EQ(Field().GetText(), u"[ab]");
    ASSERT_EQ(boxes.Texts.size(), 1u);
    EXPECT_EQ(boxes.Texts[0], u"The program has made 4\u00A0replacements.");
    EXPECT_EQ(UndoSteps(), steps + 1);
    undo.Undo();
    EXPECT_EQ(Root().GetRangePlainText(Root().Text().GetWholeRange()), before);
    EXPECT_EQ(Field().GetText(), u"ab");
    undo.Redo();
    EXPECT_EQ(Field().GetText(), u"[ab]");
}

TEST_F(FindReplaceTest, ReplaceAllDeletingKeepsItsPlaceAndSkipsReadOnlyElements)
{
    Field().SetVisualOptions(Field().VisualOptions() | voReadOnly);
    data.Text = u"a";
    TFindResult result = SheetReplace(sheet, data, u"", true, true);
    EXPECT_EQ(result.Replacements, 4);
    EXPECT_EQ(Root().GetRangePlainText(Root().Text().GetWholeRange()), u"xbyb\r\nab\r\nb\r\nB end");
    EXPECT_EQ(Field().GetText(), u"ab");
}

TEST_F(FindReplaceTest, NothingToReplaceReportsNotFoundAndReadOnlyOnlyBeeps)
{
    data.Text = u"zzz";
    TFindResult result = SheetReplace(sheet, data, u"q", true, true);
    EXPECT_FALSE(result.Found);
    EXPECT_EQ(result.Replacements, 0);
    EXPECT_EQ(data.NotFoundCount, 1);
    EXPECT_EQ(boxes.Texts.size(), 1u); // no count message

    sheet.ReadOnly = true;
    data.Text = u"ab";
    const int steps = UndoSteps();
    result = SheetReplace(sheet, data, u"q", true, true);
    EXPECT_TRUE(result.Refused);
    EXPECT_EQ(beeper.Beeps, 1);
    EXPECT_EQ(UndoSteps(), steps);
    EXPECT_EQ(Field().GetText(), u"ab");
}

TEST_F(FindReplaceTest, ReplaceAllThatFailsHalfWayLeavesTheDocumentAsItWas)
{
    const String before = Root().GetRangePlainText(Root().Text().GetWholeRange());
    const int steps = UndoSteps();
    data.FailAtMatch = 3; // two matches replaced, then the search fails
    EXPECT_THROW(SheetReplace(sheet, data, u"Q", true, true), Exception);
    EXPECT_EQ(Root().GetRangePlainText(Root().Text().GetWholeRange()), before);
    EXPECT_EQ(UndoSteps(), steps);
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_TRUE(boxes.Texts.empty());
}

TEST_F(FindReplaceTest, EmptyTextFindsNothing)
{
    data.Text.clear();
    EXPECT_FALSE(SearchSheet(sheet, data, fmFind, true));
    EXPECT_EQ(SheetReplace(sheet, data, u"x", true, true).Replacements, 0);
}

} // namespace

TEST_F(FindReplaceTest, EditFormCommandsDriveTheDialogsAndTheSearch)
{
    FakeFindDialogs dialogs;
    TFindCommands commands(dialogs);
    commands.FindNext();
    EXPECT_TRUE(dialogs.Log.empty()); // no sheet: disabled
    commands.SetSheet(&sheet, &Root());

    // Find Next without a text opens the find dialog; Replace closes it again.
    commands.FindNext();
    commands.Replace();
    EXPECT_EQ(dialogs.Log, (std::vector<std::string>{"show find ", "close find", "show replace "}));

    // The find dialog's button searches; F3 searches again with its text and direction.
    dialogs.OnRequest({fdkFind, fdaFindNext, {u"ab", {}, true, false}});
    EXPECT_EQ(State(), "root 0,1,0,3");
    commands.FindNext();
    EXPECT_EQ(State(), "root 0,4,0,6");
    dialogs.OnRequest({fdkFind, fdaFindNext, {u"ab", {}, false, false}});
    EXPECT_EQ(State(), "root 0,1,0,3");

    // The replace dialog's Replace All; an empty text reopens the dialog instead.
    dialogs.OnRequest({fdkReplace, fdaReplaceAll, {u"ab", u"-", true, true}});
    EXPECT_EQ(commands.LastResult().Replacements, 3); // "AB" keeps its case
    EXPECT_EQ(Field().GetText(), u"-");
    dialogs.Log.clear();
    dialogs.OnRequest({fdkReplace, fdaReplace, {u"", u"-", true, false}});
    EXPECT_EQ(dialogs.Log, (std::vector<std::string>{"show replace "}));
    EXPECT_EQ(commands.ReplaceState().ReplaceWith, u"-");
}
