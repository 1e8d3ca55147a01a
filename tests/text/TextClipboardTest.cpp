// Copying and pasting text elements through the clipboard: plain text, the content
// source with elements, and pasting into content-mode and plain-mode elements.
#include "TextElementSupport.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

class TextClipboardTest : public TextElementFixture {
protected:
    // A plain-mode field linked below the root (outside its text).
    TElement_Field* NewField()
    {
        auto* field = static_cast<TElement_Field*>(TElement_Field::Class().Create(scheme.get()));
        fields_.emplace_back(field);
        return field;
    }

private:
    std::vector<std::unique_ptr<TElement_Field>> fields_;
};

TEST_F(TextClipboardTest, CopyWithoutElementsGivesPlainTextWithCrLf)
{
    LoadText(u"<Quillora><Chars Value=\"ab\"/><Br/><Chars Value=\"cd\"/></Quillora>");
    Select(0, 1, 1, 1);
    Root().Copy();
    EXPECT_EQ(clipboard.GetText(), u"b\r\nc");
}

TEST_F(TextClipboardTest, CopyWithAnElementGivesContentSourceThatPastesBack)
{
    LoadText(u"<Quillora><Chars Value=\"ab\"/><Key Code=\"5\"/><Chars Value=\"c\"/></Quillora>");
    Select(0, 1, 0, 3);
    Root().Copy();
    const String source = clipboard.GetText();
    EXPECT_EQ(source.rfind(u"<LoomwiseContent", 0), 0u);
    EXPECT_NE(source.find(u"FormatVersion=\"1.2\""), String::npos);
    EXPECT_NE(source.find(u"<Key Code=\"5\"/>"), String::npos);
    Select(0, 4, 0, 4);
    ASSERT_TRUE(Root().Paste());
    EXPECT_EQ(Children(), u"Chars(ab) Key Chars(cb) Key");
    EXPECT_EQ(static_cast<TElement_Key*>(Root().LastElement())->Code, 5);
    EXPECT_NE(Root().LastElement()->ID(), Root().FirstElement()->ID());
    EXPECT_EQ(Root().Selection(), (TTextorLocationRange{0, 6, 0, 6}));
    undo.Undo();
    EXPECT_EQ(Children(), u"Chars(ab) Key Chars(c)");
    undo.Redo();
    EXPECT_EQ(Children(), u"Chars(ab) Key Chars(cb) Key");
}

TEST_F(TextClipboardTest, CopyTextGivesElementsTheirOwnPlainText)
{
    LoadText(u"<Quillora><Chars Value=\"a\"/><Key/><Chars Value=\"&#9;b\"/><Br/><Chars Value=\"c\"/></Quillora>");
    Root().SelectAll();
    Root().CopyText();
    EXPECT_EQ(clipboard.GetText(), u"a<key>\tb\r\nc");
}

TEST_F(TextClipboardTest, PlainTextPastesAsText)
{
    clipboard.SetText(u"x\r\ny");
    Select(0, 0, 0, 0);
    ASSERT_TRUE(Root().Paste());
    EXPECT_EQ(Root().GetText(), u"x\r\ny");
    // A well-formed knot of another name is plain text too.
    clipboard.SetText(u"<Other/>");
    ASSERT_TRUE(Root().Paste());
    EXPECT_EQ(Root().GetText(), u"x\r\ny<Other/>");
}

TEST_F(TextClipboardTest, ContentSourcePastedIntoPlainFieldInsertsTheSourceText)
{
    const String source = u"<LoomwiseContent FormatVersion=\"1.2\"><Chars Value=\"a\"/><Key/></LoomwiseContent>";
    clipboard.SetText(source);
    TElement_Field* field = NewField();
    ASSERT_TRUE(field->Paste());
    EXPECT_EQ(field->GetText(), source);
    EXPECT_EQ(field->FirstElement(), nullptr);
    // Plain content pastes its plain text.
    clipboard.SetText(u"<LoomwiseContent><Chars Value=\"q\"/></LoomwiseContent>");
    field->SelectAll();
    ASSERT_TRUE(field->Paste());
    EXPECT_EQ(field->GetText(), u"q");
}

TEST_F(TextClipboardTest, NothingPastesWhereNoTextIsAllowed)
{
    TElement_Field* field = NewField();
    field->SetTextOptions(0);
    clipboard.SetText(u"text");
    EXPECT_FALSE(field->Paste());
    clipboard.Clear();
    EXPECT_FALSE(Root().Paste());
    EXPECT_FALSE(Root().CanPaste());
}

TEST_F(TextClipboardTest, PastedUnknownElementIsKept)
{
    clipboard.SetText(u"<LoomwiseContent><Widget A=\"1\"/></LoomwiseContent>");
    ASSERT_TRUE(Root().Paste());
    ASSERT_NE(dynamic_cast<TElement_Unaccepted*>(Root().FirstElement()), nullptr);
    EXPECT_EQ(Children(), u"Widget");
}

} // namespace
