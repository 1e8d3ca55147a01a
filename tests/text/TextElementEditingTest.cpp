#include <gtest/gtest.h>

#include "TextElementSupport.h"
#include "support/ElementFakes.h"
#include "text/TextorInteractive.h"
#include "text/TextorRow.h"

namespace quillora {
namespace {

using testing::TextElementFixture;
using testing::TFakeSheet;

// The document root in a sheet, focused, edited through its key and mouse events.
class TextElementEditingTest : public TextElementFixture {
protected:
    void SetUp() override
    {
        TextElementFixture::SetUp();
        sheet = std::make_unique<TFakeSheet>();
    }
    void TearDown() override
    {
        if (scheme && scheme->Root()) Root().SetVisualParent(nullptr, nullptr);
        sheet.reset();
        TextElementFixture::TearDown();
    }
    void Show(const String& document)
    {
        LoadText(document);
        Root().SetVisualParent(sheet->Root(), nullptr);
        Root().Focus();
        ASSERT_NE(Root().Interactive(), nullptr);
    }
    void Type(StringView chars, TShiftState shift = 0)
    {
        for (Char c : chars) {
            TKeyEvent event = TKeyEvent::Press(c, shift);
            Root().KeyPress(event);
        }
    }
    bool Key(TKeyCode key, TShiftState shift = 0)
    {
        TKeyEvent event = TKeyEvent::Down(key, shift);
        Root().KeyDown(event);
        return event.Consumed();
    }
    void Click(TPoint point, int count = 1)
    {
        TPointerEvent event;
        event.Point = point;
        event.Button = pbLeft;
        event.ClickCount = count;
        Root().MouseDown(event);
        Root().MouseUp(event);
    }
    TTextorLocation Caret()
    {
        return Root().Text().PositionToLocation(Root().Interactive()->Caret());
    }
    std::unique_ptr<TFakeSheet> sheet;
};

TEST_F(TextElementEditingTest, TypingIsOneUndoStepAndTheCaretFollowsUndoAndRedo)
{
    Show(u"<Quillora><Chars Value=\"hello\"/><Br/><Chars Value=\"world\"/></Quillora>");
    ASSERT_TRUE(Key(kcEnd, ssCtrl));
    Type(u" again");
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld again");
    EXPECT_EQ(Caret(), (TTextorLocation{1, 11}));
    undo.Undo();
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld");
    EXPECT_EQ(Caret(), (TTextorLocation{1, 5}));
    EXPECT_FALSE(undo.CanUndo());
    undo.Redo();
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld again");
    EXPECT_EQ(Caret(), (TTextorLocation{1, 11}));

    // Enter splits the paragraph; Backspace joins it again.
    Type(u"\r");
    EXPECT_EQ(Root().Text().ParagraphCount(), 3);
    EXPECT_TRUE(Key(kcBack));
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld again");
}

TEST_F(TextElementEditingTest, TypingOverASelectionReplacesItAndUndoSelectsItAgain)
{
    Show(u"<Quillora><Chars Value=\"abc def\"/></Quillora>");
    Click({20, 5}, 2); // the word "def"... or "abc " by where the fixed font puts it
    const String selected = Root().Interactive()->GetSelectedText();
    ASSERT_FALSE(selected.empty());
    Type(u"X");
    EXPECT_EQ(Root().GetText().find(u'X') != String::npos, true);
    undo.Undo();
    EXPECT_EQ(Root().GetText(), u"abc def");
    EXPECT_EQ(Root().Interactive()->GetSelectedText(), selected);
}

TEST_F(TextElementEditingTest, AnElementIsOnePositionForBackspace)
{
    Show(u"<Quillora><Chars Value=\"a\"/><Key/><Chars Value=\"b\"/></Quillora>");
    ASSERT_NE(Root().FirstVisual(), nullptr);
    Root().SetSelection({0, 2, 0, 2});
    EXPECT_TRUE(Key(kcBack));
    EXPECT_EQ(Root().GetText(), u"ab");
    EXPECT_EQ(Root().FirstVisual(), nullptr);
    undo.Undo();
    EXPECT_NE(Root().FirstVisual(), nullptr);
    EXPECT_EQ(Caret(), (TTextorLocation{0, 2}));
}

TEST_F(TextElementEditingTest, LeftAndRightEnterAnEmbeddedFieldFromTheirSideAndLeaveItPastTheEnd)
{
    Show(u"<Quillora><Chars Value=\"a\"/><Field Value=\"xy\"/><Chars Value=\"b\"/></Quillora>");
    auto* field = static_cast<TTextorElement*>(Root().FirstElement());
    ASSERT_NE(field, nullptr);
    auto fieldCaret = [&] {
        EXPECT_TRUE(field->IsFocused());
        return field->Interactive() ? field->Text().PositionToLocation(field->Interactive()->Caret())
                                    : TTextorLocation {-1, -1};
    };
    // A key to the focused field, and what the sheet does with an arrow it leaves: the
    // focus moves to the element next to the field in that direction.
    auto key = [&](TVisualElement& to, TKeyCode code) {
        TKeyEvent event = TKeyEvent::Down(code, 0);
        to.KeyDown(event);
        if (event.Consumed()) return true;
        TVisualElement* from = nullptr;
        const bool forward = code == kcRight;
        if (TVisualElement* next = to.FindNextFocusable(true, forward, true, false, from))
            next->SetFocus(true, forward, std::nullopt, from, String());
        return false;
    };

    // Right with the field at the caret: into the field, at its start.
    Root().SetSelection({0, 1, 0, 1});
    EXPECT_TRUE(Key(kcRight));
    EXPECT_EQ(fieldCaret(), (TTextorLocation {0, 0}));
    // Right past the field's end: back in the document, after the field.
    EXPECT_TRUE(key(*field, kcRight));
    EXPECT_TRUE(key(*field, kcRight));
    EXPECT_FALSE(key(*field, kcRight));
    ASSERT_TRUE(Root().IsFocused());
    EXPECT_EQ(Caret(), (TTextorLocation {0, 2}));
    // Left with the field before the caret: into the field, at its end.
    EXPECT_TRUE(Key(kcLeft));
    EXPECT_EQ(fieldCaret(), (TTextorLocation {0, 2}));
    // Left past the field's start: back in the document, before the field.
    EXPECT_TRUE(key(*field, kcLeft));
    EXPECT_TRUE(key(*field, kcLeft));
    EXPECT_FALSE(key(*field, kcLeft));
    ASSERT_TRUE(Root().IsFocused());
    EXPECT_EQ(Caret(), (TTextorLocation {0, 1}));
    // Shift+Right extends over the field as one position instead of entering it.
    EXPECT_TRUE(Key(kcRight, ssShift));
    EXPECT_TRUE(Root().IsFocused());
    EXPECT_EQ(Caret(), (TTextorLocation {0, 2}));
    EXPECT_FALSE(field->IsFocused());
}

TEST_F(TextElementEditingTest, SizeCaretAndCursorComeFromTheRows)
{
    Show(u"<Quillora><Chars Value=\"abc\"/><Br/><Chars Value=\"de\"/></Quillora>");
    TRect padding;
    Root().GetPadding(padding);
    EXPECT_EQ(Root().Height(), 22 + padding.Top + padding.Bottom);
    EXPECT_EQ(Root().Width(), std::max(10, 18 + padding.Left + padding.Right));
    EXPECT_EQ(Root().Descent(), 2 + padding.Bottom);
    Click({padding.Left + 13, padding.Top + 15});
    EXPECT_EQ(Caret(), (TTextorLocation{1, 2}));
    bool visible = false;
    TRect rect;
    Root().GetCaret(visible, rect);
    EXPECT_TRUE(visible);
    EXPECT_EQ(rect.Top, padding.Top + 11);
    EXPECT_EQ(rect.Bottom, padding.Top + 22);
    EXPECT_EQ(Root().GetCursor({0, 0}), TextorCursor(tckContainerTextBeam));
    // Typing makes the rows wider and the element with them.
    Type(u"fghij");
    EXPECT_EQ(Root().Width(), std::max(10, 42 + padding.Left + padding.Right));
}

TEST_F(TextElementEditingTest, ReadOnlyRefusesTypingAndLosingTheFocusDropsTheLayer)
{
    Show(u"<Quillora><Chars Value=\"abc\"/></Quillora>");
    sheet->ReadOnly = true;
    Type(u"x");
    EXPECT_EQ(Root().GetText(), u"abc");
    sheet->ReadOnly = false;
    Root().SetSelection({0, 1, 0, 2});
    sheet->SetFocused(nullptr);
    EXPECT_EQ(Root().Interactive(), nullptr);
    // The selection survives as locations and comes back with the focus.
    Root().Focus();
    ASSERT_NE(Root().Interactive(), nullptr);
    EXPECT_EQ(Root().Interactive()->GetSelectedText(), u"b");
}

} // namespace
} // namespace quillora
