// Edits of a text element as undo steps: replacing, deleting, inserting elements, undo
// and redo, and the merging of typing and backward deletion bursts.
#include "TextElementSupport.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

class TextEditOperationTest : public TextElementFixture {
protected:
    void SetUp() override
    {
        TextElementFixture::SetUp();
        LoadText(u"<Quillora><Chars Value=\"hello\"/><Br/><Chars Value=\"world\"/></Quillora>");
    }
    void Backspace()
    {
        const TTextorLocationRange s = Root().Selection();
        Select(s.EndParagraph, s.EndChar - 1, s.EndParagraph, s.EndChar);
        Root().ReplaceSelection(nullptr, false);
    }
    void DeleteForward()
    {
        const TTextorLocationRange s = Root().Selection();
        Select(s.EndParagraph, s.EndChar, s.EndParagraph, s.EndChar + 1);
        Root().ReplaceSelection(nullptr, false);
    }
};

TEST_F(TextEditOperationTest, ReplacingTheSelectionIsOneUndoStepThatRestoresAndSelectsTheOldText)
{
    Select(0, 1, 1, 2);
    Type(u"X");
    EXPECT_EQ(Root().GetText(), u"hXrld");
    EXPECT_EQ(Root().Selection(), (TTextorLocationRange{0, 2, 0, 2}));
    EXPECT_EQ(UndoSteps(), 1);
    undo.Undo();
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld");
    EXPECT_EQ(Root().Selection(), (TTextorLocationRange{0, 1, 1, 2}));
    undo.Redo();
    EXPECT_EQ(Root().GetText(), u"hXrld");
}

TEST_F(TextEditOperationTest, KeepSelectedSelectsTheInsertedText)
{
    Select(0, 0, 0, 0);
    const String text = u"ab";
    Root().ReplaceSelection(&text, true);
    EXPECT_EQ(Root().Selection(), (TTextorLocationRange{0, 0, 0, 2}));
}

TEST_F(TextEditOperationTest, SingleCarriageReturnSplitsTheParagraph)
{
    Select(0, 2, 0, 2);
    Type(u"\r");
    EXPECT_EQ(Root().GetText(), u"he\r\nllo\r\nworld");
    EXPECT_EQ(Root().Selection(), (TTextorLocationRange{1, 0, 1, 0}));
}

TEST_F(TextEditOperationTest, ReplaceAllTextAndUndo)
{
    Root().ReplaceAllText(u"new");
    EXPECT_EQ(Root().GetText(), u"new");
    Root().ReplaceAllText(u"");
    EXPECT_EQ(Root().GetText(), u"");
    undo.Undo();
    undo.Undo();
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld");
}

TEST_F(TextEditOperationTest, InvalidRangeFailsWithoutChange)
{
    const TTextorLocationRange bad{0, 0, 5, 0};
    EXPECT_ANY_THROW(Root().Edit(tekRange, &bad, false, nullptr, smExactCopy, 0));
    EXPECT_EQ(UndoSteps(), 0);
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld");
}

TEST_F(TextEditOperationTest, DeletedElementComesBackWithItsIdentifierOnUndo)
{
    LoadText(u"<Quillora><Chars Value=\"a\"/><Key Code=\"7\"/><Chars Value=\"b\"/></Quillora>");
    const int32_t id = Root().FirstElement()->ID();
    Select(0, 0, 0, 3);
    Root().Delete();
    EXPECT_EQ(Root().FirstElement(), nullptr);
    EXPECT_EQ(scheme->FindElement(id), nullptr);
    undo.Undo();
    auto* key = dynamic_cast<TElement_Key*>(scheme->FindElement(id));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->Code, 7);
    EXPECT_EQ(Children(), u"Chars(a) Key Chars(b)");
    undo.Redo();
    EXPECT_EQ(Children(), u"");
    undo.Undo();
    EXPECT_EQ(scheme->FindElement(id), Root().FirstElement());
}

TEST_F(TextEditOperationTest, InsertElementsGoAtTheSelectionInTreeOrder)
{
    LoadText(u"<Quillora><Chars Value=\"ab\"/><Key Code=\"1\"/></Quillora>");
    Select(0, 1, 0, 1);
    auto* key = static_cast<TElement_Key*>(TElement_Key::Class().Create(scheme.get()));
    key->Code = 2;
    Root().InsertElements({key});
    EXPECT_EQ(Children(), u"Chars(a) Key Chars(b) Key");
    EXPECT_EQ(static_cast<TElement_Key*>(Root().FirstElement())->Code, 2);
    EXPECT_EQ(static_cast<TElement_Key*>(Root().LastElement())->Code, 1);
    undo.Undo();
    EXPECT_EQ(Children(), u"Chars(ab) Key");
    undo.Redo();
    EXPECT_EQ(Children(), u"Chars(a) Key Chars(b) Key");
}

TEST_F(TextEditOperationTest, TypingBurstsMergeIntoOneStep)
{
    Select(0, 5, 0, 5);
    for (const char16_t* c : {u"1", u"2", u"3", u"4", u"5"}) {
        Advance(799);
        Type(c);
    }
    EXPECT_EQ(UndoSteps(), 1);
    EXPECT_EQ(Root().GetText(), u"hello12345\r\nworld");
    undo.Undo();
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld");
    EXPECT_EQ(Root().Selection(), (TTextorLocationRange{0, 5, 0, 5}));
    undo.Redo();
    EXPECT_EQ(Root().GetText(), u"hello12345\r\nworld");
    EXPECT_EQ(Root().Selection(), (TTextorLocationRange{0, 10, 0, 10}));
}

TEST_F(TextEditOperationTest, PauseBackspaceAndForwardDeleteStartNewSteps)
{
    Select(0, 5, 0, 5);
    Type(u"1");
    Advance(800);
    Type(u"2");
    EXPECT_EQ(UndoSteps(), 2);
    Advance(10);
    Backspace();
    EXPECT_EQ(UndoSteps(), 3);
    Advance(10);
    Backspace();
    Advance(10);
    Backspace();
    EXPECT_EQ(UndoSteps(), 3);
    EXPECT_EQ(Root().GetText(), u"hell\r\nworld");
    undo.Undo();
    EXPECT_EQ(Root().GetText(), u"hello12\r\nworld");
    undo.Redo();
    Select(0, 0, 0, 0);
    Advance(10);
    DeleteForward();
    Advance(10);
    DeleteForward();
    EXPECT_EQ(UndoSteps(), 5);
    EXPECT_EQ(Root().GetText(), u"ll\r\nworld");
    undo.Undo();
    EXPECT_EQ(Root().GetText(), u"ell\r\nworld");
}

TEST_F(TextEditOperationTest, TypingElsewhereDoesNotMerge)
{
    Select(0, 5, 0, 5);
    Type(u"1");
    Select(1, 0, 1, 0);
    Advance(10);
    Type(u"2");
    EXPECT_EQ(UndoSteps(), 2);
}

TEST_F(TextEditOperationTest, MergedTypingJoinsCharsKnots)
{
    Select(0, 5, 0, 5);
    Type(u"1");
    Advance(10);
    Type(u"\r");
    Advance(10);
    Type(u"2");
    Advance(10);
    Type(u"3");
    ASSERT_EQ(UndoSteps(), 1);
    auto* op = dynamic_cast<TTextorEditOperation*>(undo.NextUndo());
    ASSERT_NE(op, nullptr);
    TKnot* content = op->InsertedContent();
    ASSERT_EQ(content->KnotCount(), 3);
    EXPECT_EQ(static_cast<TKnot*>(content->LastChild())->ReadString(u"Value"), u"23");
    undo.Undo();
    EXPECT_EQ(Root().GetText(), u"hello\r\nworld");
    undo.Redo();
    EXPECT_EQ(Root().GetText(), u"hello1\r\n23\r\nworld");
}

TEST_F(TextEditOperationTest, AnUndoThatCannotFinishLeavesTheTextAsItWas)
{
    Select(1, 0, 1, 5);
    const String text = u"X";
    Root().ReplaceSelection(&text, false);
    ASSERT_EQ(Root().GetText(), u"hello\r\nX");
    auto* operation = dynamic_cast<TTextorEditOperation*>(undo.NextUndo());
    ASSERT_NE(operation, nullptr);
    // The place of the removed text no longer exists once the inserted text is gone.
    operation->DeletedRange = {7, 0, 7, 5};
    EXPECT_ANY_THROW(undo.Undo());
    EXPECT_EQ(Root().GetText(), u"hello\r\nX");
}

} // namespace
