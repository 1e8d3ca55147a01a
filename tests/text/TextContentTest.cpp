// Loading and saving a text element's content: paragraphs, runs, tabs, embedded and
// unknown elements, the plain "Value" form, and a hand-written document byte-exact.
#include <fstream>
#include <sstream>

#include "TextElementSupport.h"
#include "elements/Messages.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

class TextContentTest : public TextElementFixture {};

TEST_F(TextContentTest, ParagraphsSaveAsCharsAndBreaksAndLoadBack)
{
    Root().Text().SetText(u"ab\r\ncd");
    EXPECT_EQ(Children(), u"Chars(ab) Br Chars(cd)");
    Root().Text().Clear();
    LoadText(u"<Quillora><Chars Value=\"ab\"/><Br/><Chars Value=\"cd\"/></Quillora>");
    EXPECT_EQ(Root().Text().ParagraphCount(), 2);
    EXPECT_EQ(Root().GetText(), u"ab\r\ncd");
    EXPECT_EQ(Children(), u"Chars(ab) Br Chars(cd)");
}

TEST_F(TextContentTest, TextAndTabRunsShareOneCharsAndSplitAgainOnLoading)
{
    LoadText(u"<Quillora><Chars Value=\"a&#9;&#9;b\"/></Quillora>");
    // toNoChecks holds the tab bit: the tabs became a tab-stop portion of their own.
    TParagraph* p = Root().Text().FirstParagraph();
    ASSERT_NE(p->FirstPortion(), nullptr);
    EXPECT_EQ(&p->FirstPortion()->Next()->GetClass(), &TTabStopsPortion::Class());
    EXPECT_EQ(p->FirstPortion()->Next()->Length(), 2);
    EXPECT_EQ(Children(), u"Chars(a\t\tb)");
}

TEST_F(TextContentTest, EmbeddedElementsBecomePortionsAndChildrenInTextOrder)
{
    LoadText(u"<Quillora><Chars Value=\"x\"/><Key Code=\"13\"/><Chars Value=\"y\"/><Br/><Key Code=\"9\"/></Quillora>");
    EXPECT_EQ(Children(), u"Chars(x) Key Chars(y) Br Key");
    auto* first = dynamic_cast<TElement_Key*>(Root().FirstElement());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Code, 13);
    EXPECT_EQ(static_cast<TElement_Key*>(first->NextElement())->Code, 9);
    EXPECT_EQ(first->VisualParent(), &Root());
    ASSERT_NE(first->Portion(), nullptr);
    EXPECT_EQ(first->Portion()->Paragraph(), Root().Text().FirstParagraph());
    EXPECT_EQ(Root().Text().FirstParagraph()->GetLength(), 3);
}

TEST_F(TextContentTest, UnknownElementIsKeptAndWrittenBack)
{
    LoadText(u"<Quillora><Chars Value=\"a\"/><Gadget Size=\"2\"><Part X=\"1\"/></Gadget><Chars Value=\"b\"/></Quillora>");
    auto* unknown = dynamic_cast<TElement_Unaccepted*>(Root().FirstElement());
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->StoredTypeName(), u"Gadget");
    EXPECT_NE(SaveText().find(u"<Gadget Size=\"2\">"), String::npos);
    EXPECT_EQ(Children(), u"Chars(a) Gadget Chars(b)");
}

TEST_F(TextContentTest, EmptyTextWritesNoContentAndLoadingClearsTheOldText)
{
    EXPECT_EQ(Children(), u"");
    Root().Text().SetText(u"old");
    LoadText(u"<Quillora><Chars Value=\"new\"/></Quillora>");
    EXPECT_EQ(Root().GetText(), u"new");
}

TEST_F(TextContentTest, BreaksWithoutLineBreakPolicyStayCharacters)
{
    Root().SetTextOptions(toAnyText & ~toLineBreaks);
    LoadText(u"<Quillora><Chars Value=\"a\"/><Br/><Chars Value=\"b\"/></Quillora>");
    EXPECT_EQ(Root().Text().ParagraphCount(), 1);
    EXPECT_EQ(Root().GetText(), u"a\r\nb");
    EXPECT_EQ(Children(), u"Chars(a\r\nb)");
}

TEST_F(TextContentTest, PlainModeSavesOneValueWithTheDefault)
{
    auto* field = static_cast<TElement_Field*>(TElement_Field::Class().Create(scheme.get()));
    std::unique_ptr<TElement_Field> owned(field);
    TKnot knot(u"Field");
    TSchemeSaver saver(smDocument, &knot, 0);
    field->SaveToKnot(&saver, &knot);
    EXPECT_EQ(knot.FindParam(u"Value"), nullptr);
    field->Text().SetText(u"v");
    field->SaveToKnot(&saver, &knot);
    EXPECT_EQ(knot.ReadString(u"Value"), u"v");
    TKnot other(u"Field");
    other.WriteString(u"Value", u"w");
    TSchemeLoader loader(scheme.get(), nullptr, &other, 0, smDocument);
    field->LoadFromKnot(&loader, &other);
    EXPECT_EQ(field->GetText(), u"w");
}

TEST_F(TextContentTest, ExactCopyKeepsIdentifiersOfEmbeddedElements)
{
    LoadText(u"<Quillora><Key Code=\"1\"/></Quillora>");
    const int32_t id = Root().FirstElement()->ID();
    const String copy = SaveText(smExactCopy);
    TKnot knot;
    knot.LoadFromText(copy);
    auto other = std::make_unique<TScheme>(&TTestTextRoot::Class(), u"Quillora");
    // The original goes first so that the identifier is free again.
    scheme.reset();
    other->LoadFromKnot(other->Root(), smExactCopy, &knot);
    ASSERT_NE(other->Root()->FirstElement(), nullptr);
    EXPECT_EQ(other->Root()->FirstElement()->ID(), id);
}

TEST_F(TextContentTest, PlainTextOfContentKnot)
{
    TKnot node(u"LoomwiseContent");
    node.AddKnot(u"Chars")->WriteString(u"Value", u"a");
    node.AddKnot(u"Br");
    node.AddKnot(u"Chars")->WriteString(u"Value", u"b");
    String text;
    EXPECT_TRUE(TTextorElement::GetContentPlainText(node, text));
    EXPECT_EQ(text, u"a\r\nb");
    node.AddKnot(u"Key");
    EXPECT_FALSE(TTextorElement::GetContentPlainText(node, text));
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(TextContentTest, HandWrittenDocumentLoadsAndSavesByteExact)
{
    const std::string path = std::string(QUILLORA_TEST_DATA) + "/text/snippets.tpt";
    const std::string bytes = ReadFileBytes(path);
    ASSERT_FALSE(bytes.empty());
    scheme->LoadFromFile(Utf8ToString(path));
    EXPECT_EQ(scheme->SchemeMessages().Count(), 0);
    EXPECT_EQ(Root().Text().ParagraphCount(), 4);
    TKnot knot;
    scheme->SaveToKnot(scheme->Root(), smDocument, &knot, soStreamRefs);
    TMemoryStream stream;
    knot.SaveToStream(stream, TTextEncoding::Utf8);
    const std::string saved(reinterpret_cast<const char*>(stream.Data()), stream.Size());
    EXPECT_EQ(saved, bytes);
}

} // namespace
