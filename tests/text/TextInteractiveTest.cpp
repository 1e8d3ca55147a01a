#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TextLayoutSupport.h"
#include "text/TextorInteractive.h"

namespace quillora {
namespace {

using testing::LayoutFixture;
using testing::TLayoutTextor;

// An editing layer over a laid-out text that records its edit requests and
// notifications.
class TextInteractiveTest : public LayoutFixture {
protected:
    void Make(int width, StringView source)
    {
        text_ = std::make_unique<TLayoutTextor>(width);
        Append(*text_, source);
        layer_ = std::make_unique<TTextorInteractive>(*text_);
        layer_->Flags = tifLinks | tifCtrlEnterLinks | tifText | tifLineBreaks;
        layer_->AddNotifyEvent(BindNotify<&TextInteractiveTest::Notified>(this));
    }
    void Notified(TItfObject*, int notify, intptr_t param1, intptr_t)
    {
        if (notify == tinReplaceSelection) {
            const auto* text = reinterpret_cast<const String*>(param1);
            Replaced.push_back(text ? std::optional<String>(*text) : std::nullopt);
        }
        if (notify == tinLink) ++Links;
    }
    bool Key(TKeyCode key, TShiftState shift = 0)
    {
        TKeyEvent event = TKeyEvent::Down(key, shift);
        layer_->KeyDown(event);
        return event.Consumed();
    }
    bool Press(Char ch, TShiftState shift = 0)
    {
        TKeyEvent event = TKeyEvent::Press(ch, shift);
        layer_->KeyPress(event);
        return event.Consumed();
    }
    TTextorLocation Caret() { return Where(*text_, layer_->Caret()); }
    TTextorLocation Anchor() { return Where(*text_, layer_->Anchor()); }
    void Put(int paragraph, int index) { layer_->SetCaret(At(*text_, paragraph, index)); }
    std::string Selected() { return StringToUtf8(layer_->GetSelectedText()); }

    std::unique_ptr<TLayoutTextor> text_;
    std::unique_ptr<TTextorInteractive> layer_;
    std::vector<std::optional<String>> Replaced;
    int Links = 0;
};

TEST_F(TextInteractiveTest, ShiftArrowsExtendAndCollapseFromTheAnchor)
{
    Make(0, u"abc def");
    Put(0, 2);
    EXPECT_TRUE(Key(kcRight, ssShift));
    EXPECT_EQ(Selected(), "c");
    EXPECT_EQ(Anchor(), (TTextorLocation{0, 2}));
    EXPECT_TRUE(Key(kcLeft, ssShift));
    EXPECT_FALSE(layer_->HasSelection());
    EXPECT_EQ(Caret(), (TTextorLocation{0, 2}));
    EXPECT_FALSE(Key(kcInsert)); // not a key of the layer
}

TEST_F(TextInteractiveTest, KeysMoveTheCaret)
{
    struct Case {
        TTextorLocation From;
        TKeyCode Key;
        TShiftState Shift;
        bool Consumed;
        TTextorLocation To;
    };
    // Rows of 30 pixels: "abc |def " / "ghi".
    const Case cases[] = {
        {{0, 4}, kcLeft, ssCtrl, true, {0, 0}},   // from a word start to the previous word's start
        {{0, 1}, kcRight, ssCtrl, true, {0, 4}},  // from inside a word to the next one, past the blank
        {{0, 5}, kcHome, 0, true, {0, 4}},        // the start of the caret's row
        {{0, 5}, kcHome, ssCtrl, true, {0, 0}},
        {{0, 1}, kcEnd, ssCtrl, true, {1, 3}},
        {{0, 1}, kcDown, 0, true, {0, 5}},        // the same x on the next row
        {{0, 5}, kcUp, 0, true, {0, 1}},
        {{1, 1}, kcDown, 0, false, {1, 1}},       // nothing below the last row: the key goes on
        {{0, 0}, kcLeft, 0, false, {0, 0}},
        {{0, 8}, kcRight, 0, true, {1, 0}},       // across the paragraph end
    };
    Make(30, u"abc def \r\nghi");
    for (const Case& c : cases) {
        Put(c.From.ParagraphIndex, c.From.CharIndex);
        EXPECT_EQ(Key(c.Key, c.Shift), c.Consumed) << c.Key << " from " << c.From.CharIndex;
        EXPECT_EQ(Caret(), c.To) << c.Key << " from " << c.From.CharIndex;
    }
}

TEST_F(TextInteractiveTest, EndKeepsTheWrappedRowWhileAClickThereTakesTheNextRow)
{
    Make(30, u"abc def");
    TRow* first = text_->FirstRow();
    Put(0, 1);
    EXPECT_TRUE(Key(kcEnd));
    EXPECT_EQ(Caret(), (TTextorLocation{0, 4}));
    EXPECT_EQ(layer_->CaretRow(), first);
    EXPECT_EQ(layer_->CaretRect().Top, 0);
    layer_->MouseDown({0, 15}, true, 0, 1);
    layer_->MouseUp({0, 15}, true);
    EXPECT_EQ(Caret(), (TTextorLocation{0, 4}));
    EXPECT_EQ(layer_->CaretRow(), first->GetNextRow());
    EXPECT_EQ(layer_->CaretRect().Top, 11);
}

TEST_F(TextInteractiveTest, TypedCharactersBecomeEditRequests)
{
    Make(0, u"ab");
    struct Case {
        Char Ch;
        TShiftState Shift;
        bool Inserted;
    };
    const Case cases[] = {
        {u'x', 0, true},
        {u'X', ssShift, true},
        {u'@', ssCtrl | ssAlt, true},  // AltGr arrives as Ctrl+Alt
        {u'\u20AC', ssCtrl | ssAlt, true},
        {u'x', ssCtrl, false},         // a command, not a character
        {u's', ssAlt, false},          // a menu key (Alt+S), not a character
        {u'\x7F', ssCtrl, false},      // Ctrl+Backspace's character
        {u'\r', 0, true},              // this text takes line breaks and tabs
        {u'\t', 0, true},
        {u'\r', ssCtrl, false},
        {u'\x01', 0, false},
    };
    for (const Case& c : cases) {
        Replaced.clear();
        EXPECT_EQ(Press(c.Ch, c.Shift), c.Inserted) << int(c.Ch);
        ASSERT_EQ(Replaced.size(), c.Inserted ? 1u : 0u) << int(c.Ch);
        if (c.Inserted) EXPECT_EQ(*Replaced[0], String(1, c.Ch));
    }
    text_->LineBreaks = false;
    text_->Tabs = false;
    EXPECT_FALSE(Press(u'\r'));
    EXPECT_FALSE(Press(u'\t'));
    layer_->CanEditCallback = [] { return false; };
    EXPECT_FALSE(Press(u'x'));
    EXPECT_FALSE(Key(kcBack));
}

TEST_F(TextInteractiveTest, DeletionSelectsWhatGoesThenAsksForIt)
{
    Make(0, u"ab cd\r\nef");
    Put(0, 5);
    EXPECT_TRUE(Key(kcBack, ssCtrl)); // the word and the blank before the caret
    EXPECT_EQ(Selected(), "cd");
    ASSERT_EQ(Replaced.size(), 1u);
    EXPECT_FALSE(Replaced[0].has_value());
    Put(0, 5);
    EXPECT_TRUE(Key(kcDelete)); // at a paragraph end: joins the next paragraph
    EXPECT_EQ(Selected(), "\r\n");
    EXPECT_EQ(Caret(), (TTextorLocation{0, 5}));
    Put(0, 0);
    Replaced.clear();
    EXPECT_FALSE(Key(kcBack)); // nothing before the text start
    EXPECT_TRUE(Replaced.empty());
}

TEST_F(TextInteractiveTest, ClicksSelectWordsParagraphsAndDragsExtend)
{
    Make(0, u"one two  three\r\nnext");
    layer_->MouseDown({26, 5}, true, 0, 2); // on "two"
    EXPECT_EQ(Selected(), "two  ");
    EXPECT_EQ(Caret(), (TTextorLocation{0, 9}));
    layer_->MouseDown({26, 5}, true, 0, 3);
    EXPECT_EQ(Selected(), "one two  three\r\n");
    layer_->MouseDown({7, 5}, true, 0, 1);
    EXPECT_EQ(layer_->MouseMode(), 1);
    layer_->MouseMove({25, 16});
    EXPECT_EQ(Selected(), "ne two  three\r\nnext");
    layer_->MouseUp({25, 16}, true);
    EXPECT_EQ(layer_->MouseMode(), 0);
    layer_->MouseDown({13, 5}, true, ssShift, 1); // Shift extends from the anchor
    EXPECT_EQ(Selected(), "n");
}

TEST_F(TextInteractiveTest, LinksAreReportedAndShowTheHand)
{
    Make(0, u"see ");
    TRichTextAttributes scratch;
    scratch.SetIsLink(true);
    scratch.SetHyperlink(u"http://example.org");
    Append(*text_, u"http://example.org", &scratch);
    layer_->MouseMove({40, 5});
    EXPECT_EQ(layer_->CursorKind(), tckHand);
    layer_->MouseMove({5, 5});
    EXPECT_EQ(layer_->CursorKind(), tckContainerTextBeam);
    layer_->MouseDown({40, 5}, true, 0, 2);
    EXPECT_EQ(Links, 1);
    EXPECT_FALSE(layer_->HasSelection());
    Put(0, 8);
    EXPECT_TRUE(Key(kcReturn, ssCtrl));
    EXPECT_EQ(Links, 2);
}

TEST_F(TextInteractiveTest, PositionsKeptAcrossAnEditStillPointIntoTheText)
{
    Make(0, u"abc\r\ndefgh");
    layer_->SetSelection({At(*text_, 0, 1), At(*text_, 1, 5)}, false);
    // The text shrinks under the layer: its ends are renewed, clamped to what is left.
    TTextorPosition place;
    text_->DeleteRange({At(*text_, 0, 2), text_->GetEnd()}, place);
    EXPECT_EQ(Anchor(), (TTextorLocation{0, 1}));
    EXPECT_EQ(Caret(), (TTextorLocation{0, 2}));
    EXPECT_EQ(Selected(), "b");
    EXPECT_EQ(layer_->CaretRow(), text_->FirstRow());
    EXPECT_EQ(layer_->CaretRect(), (TRect{12, 0, 13, 11}));
}

} // namespace
} // namespace quillora
