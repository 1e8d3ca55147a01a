// The text element's content checks, its value and emptiness, and embedded elements
// that leave the element tree.
#include "TextElementSupport.h"
#include "elements/Messages.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

class TextElementCheckTest : public TextElementFixture {
protected:
    // The messages of the root after setting its text options and text, joined by "|".
    String Check(uint32_t textOptions, const String& text)
    {
        Root().SetTextOptions(textOptions);
        Root().Text().SetText(text);
        Root().Recheck();
        String out;
        if (TElementMessages* messages = Root().Messages())
            for (int i = 0; i < messages->Count(); ++i) {
                if (!out.empty()) out += u"|";
                out += messages->GetItems(i).GetText();
            }
        // The string tables keep no-break spaces after short words.
        for (Char& c : out)
            if (c == u'\u00a0') c = u' ';
        return out;
    }
};

struct CheckCase {
    uint32_t Options;
    const char16_t* Text;
    const char16_t* Messages;
};

TEST_F(TextElementCheckTest, TextOptionsTable)
{
    const uint32_t letters = toLetters | toSpaces;
    const CheckCase cases[] = {
        {toNoChecks, u"any thing_1 !", u""},
        {toLetters, u"abc", u""},
        {toLetters, u"a1", u"Digits are not allowed"},
        {toDigits, u"a_ !", u"Letters are not allowed|Underscore characters are not allowed|Spaces are not allowed|"
                            u"Special characters are not allowed"},
        {0, u"x", u"Text is not allowed in the editor"},
        {0, u"", u""},
        {letters, u"a\tb", u"Tab characters are not allowed"},
        {0x4F, u"a\r\nb", u"Line feed characters are not allowed"},
        {toLetters | toDigits | toLetterFirst, u"1a", u"Text should begin with a letter or an underscore character"},
        {toAnyText | toFileNameChars, u"a:b?",
         u"You can use only characters that are allowed in file names, the program has detected the invalid "
         u"character: \":\""},
        {toAnyText | toPathChars, u"c:\\x|", u"You can use only characters that are allowed in paths of the file "
                                            u"system, the program has detected the invalid character: \"|\""},
        {toAnyText | toPathChars, u"\u0416", u"You can use only characters that are allowed in paths of the file "
                                            u"system, the program has detected the invalid character: \"\u0416\""},
        {toAnyText | toLatinLetters, u"\u00e9", u"You can use only Latin letters"},
        {toAnyText | toInteger, u"12", u""},
        {toAnyText | toInteger, u"1.5", u"Unable to convert value \"1.5\" to an integer"},
        {toAnyText | toFloat, u"1.5", u""},
        {toAnyText | toFloat, u"1,5", u"Unable to convert value \"1,5\" to a float"},
        {toAnyText | toInteger | toPercent, u"50%", u""},
        {letters | toNoLeadingSpace | toNoTrailingSpace, u" a ",
         u"Text should not begin with a space character|Text should not end with a space character"},
        {toLetters | toNoLeadingSpace, u"a", u""},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(StringToUtf8(c.Text));
        EXPECT_EQ(StringToUtf8(Check(c.Options, c.Text)), StringToUtf8(c.Messages));
    }
}

TEST_F(TextElementCheckTest, ElementCountRules)
{
    LoadText(u"<Quillora><Chars Value=\"a\"/></Quillora>");
    EXPECT_EQ(Check(toAnyText | toElementRequired, u"a"), u"An element is required");
    Root().SetTextOptions(toNoChecks);
    LoadText(u"<Quillora><Key/><Key/></Quillora>");
    Root().SetTextOptions(toAnyText | toSingleElement);
    Root().Recheck();
    ASSERT_NE(Root().Messages(), nullptr);
    EXPECT_EQ(Root().Messages()->GetItems(0).GetText(), u"Using more than one element is\u00a0not allowed");
    // A disabled element does not count.
    static_cast<TVisualElement*>(Root().FirstElement())->SetDisabled(true);
    Root().Recheck();
    EXPECT_EQ(Root().Messages(), nullptr);
}

TEST_F(TextElementCheckTest, RemovingAnEmbeddedElementFromTheTreeRemovesItsPortion)
{
    LoadText(u"<Quillora><Chars Value=\"a\"/><Key Code=\"1\"/><Key Code=\"2\"/><Chars Value=\"b\"/></Quillora>");
    TElement* first = Root().FirstElement();
    delete first;
    EXPECT_EQ(Children(), u"Chars(a) Key Chars(b)");
    TElement* second = Root().FirstElement();
    second->SetParent(nullptr);
    std::unique_ptr<TElement> detached(second);
    EXPECT_EQ(Children(), u"Chars(ab)");
    EXPECT_EQ(static_cast<TVisualElement*>(second)->Portion(), nullptr);
}

TEST_F(TextElementCheckTest, ValueEmptinessAndDefaultValue)
{
    EXPECT_FALSE(Root().HasValue());
    EXPECT_TRUE(Root().IsEmpty());
    LoadText(u"<Quillora><Key/></Quillora>");
    EXPECT_TRUE(Root().HasValue());
    EXPECT_FALSE(Root().IsEmpty());
}

TEST_F(TextElementCheckTest, SelectionText)
{
    Root().Text().SetText(u"ab\r\ncd");
    EXPECT_TRUE(Root().SetSelectionText(u"0,1,1,2"));
    EXPECT_EQ(Root().GetSelectionText(), u"0,1,1,2");
    EXPECT_TRUE(Root().SetSelectionText(u"1,1"));
    EXPECT_EQ(Root().Selection(), (TTextorLocationRange{0, 0, 1, 1}));
    EXPECT_FALSE(Root().SetSelectionText(u"0,9,0,9"));
    EXPECT_FALSE(Root().SetSelectionText(u"x"));
}

} // namespace

namespace {

TEST_F(TextElementCheckTest, LinkWords)
{
    const struct {
        const char16_t* Word;
        bool Link;
    } cases[] = {
        {u"https://example.org", true}, {u"HTTP://ab.cd", true}, {u"file:\\\\srv\\x", true},
        {u"http://a", false},          // fewer than 4 characters after the prefix
        {u"ftp:/x", false},            // 6 characters
        {u"mailto://abcd", false},     {u"http:xxxxxxx", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(StringToUtf8(c.Word));
        EXPECT_EQ(TTextorElement::IsLinkWord(c.Word), c.Link);
    }
}

TEST_F(TextElementCheckTest, LinksGetHyperlinkAttributesAndLoseThemAgain)
{
    LoadText(u"<Quillora><Chars Value=\"see https://example.org now\"/><Key/><Chars Value=\"x\"/></Quillora>");
    TParagraph& paragraph = *Root().Text().FirstParagraph();
    Root().DetectLinks(paragraph);
    TPortion* link = paragraph.FirstPortion()->Next();
    ASSERT_NE(link, nullptr);
    ASSERT_NE(link->Attributes(), nullptr);
    EXPECT_TRUE(link->Attributes()->IsLink());
    EXPECT_EQ(link->Attributes()->Hyperlink(), u"https://example.org");
    EXPECT_EQ(link->Length(), 19);
    EXPECT_EQ(paragraph.FirstPortion()->Attributes(), nullptr);
    Root().Text().SetText(u"plain words");
    Root().DetectLinks(*Root().Text().FirstParagraph());
    EXPECT_EQ(Root().Text().FirstParagraph()->FirstPortion()->Attributes(), nullptr);
    EXPECT_EQ(Root().GetText(), u"plain words");
}

} // namespace
