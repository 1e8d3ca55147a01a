// The log: each message of the document becomes one line, led by a sign for its kind,
// with its link parts turned into links; the settings filter the kinds; clearing the
// messages empties the text; a link click reaches the handlers and turns the run maroon;
// the document's list stays apart from the root's own check messages.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "elements/ValueChecks.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "foundation/SettingsPlatform.h"
#include "elements/SchemeImages.h"
#include "support/ElementFakes.h"
#include "library/Log.h"
#include "library/LogSettings.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "text/RichTextAttributes.h"
#include "text/SchemeTextor.h"

using namespace quillora;

namespace {

struct LogTest : ::testing::Test {
    std::unique_ptr<TScheme> scheme;
    TLogSettings settings;
    int changes = 0;

    void SetUp() override
    {
        RegisterLogClasses();
        scheme = std::make_unique<TScheme>(&TLogRoot::Class());
        scheme->SetReadOnly(true);
        Root().SetSettings(&settings);
        Root().OnChange = [this] { ++changes; };
    }

    TLogRoot& Root() { return *static_cast<TLogRoot*>(scheme->Root()); }
    TElementMessages& Messages() { return Root().DocumentMessages(); }

    // The text as "<kind>" for a sign, "{link:text}" for a link run and the plain text
    // otherwise; paragraphs joined by " | ".
    String Describe()
    {
        String out;
        for (TParagraph* p = Root().Text().FirstParagraph(); p; p = p->Next()) {
            if (p != Root().Text().FirstParagraph()) out += u" | ";
            for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next()) {
                if (portion->IsElement()) {
                    auto* sign = dynamic_cast<TElement_Sign*>(static_cast<TElementPortion*>(portion)->Element());
                    out += sign ? u"<" + IntToString(sign->Kind()) + u">" : String(u"<?>");
                    continue;
                }
                String text(static_cast<size_t>(portion->Length()), u'\0');
                portion->GetText(0, portion->Length(), text.data());
                auto* attributes = dynamic_cast<TRichTextAttributes*>(portion->GetAttributes());
                if (attributes && attributes->IsLink()) out += u"{" + attributes->Hyperlink() + u":" + text + u"}";
                else out += text;
            }
        }
        return out;
    }

    TPortion* FirstLink()
    {
        for (TParagraph* p = Root().Text().FirstParagraph(); p; p = p->Next())
            for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next()) {
                auto* attributes = dynamic_cast<TRichTextAttributes*>(portion->GetAttributes());
                if (!portion->IsElement() && attributes && attributes->IsLink()) return portion;
            }
        return nullptr;
    }
};

TElementMessage* AddParts(TElementMessages& list, uint8_t kind, std::vector<TElementMessagePart> parts)
{
    auto message = std::make_unique<TElementMessage>(kind);
    message->Parts = std::move(parts);
    return list.Add(std::move(message));
}

TEST_F(LogTest, EachMessageIsOneLineWithItsSignAndLinks)
{
    struct Case {
        uint8_t Kind;
        std::vector<TElementMessagePart> Parts;
        const char16_t* Line;
    };
    const std::vector<Case> cases = {
        {mkValueRequired, {{mpText, u"The value must be ", {}}, {mpElements, u"set", u"12"}}, u"<4> The value must be {E12:set}"},
        {mkInformation, {{mpText, u"Saved", {}}}, u"Saved"},
        {mkHint, {{mpFileName, u"a file", u"C:\\x.txt"}, {mpText, u" was read", {}}}, u"<1> {FC:\\x.txt:a file} was read"},
        {mkError, {{mpSettings, u"Log", u"Sheet\\Log"}}, u"<3> {SSheet\\Log:Log}"},
        {7, {{mpText, u"odd", {}}}, u"<7> odd"},
    };
    String expected;
    for (const Case& c : cases) {
        ASSERT_NE(AddParts(Messages(), c.Kind, c.Parts), nullptr);
        if (!expected.empty()) expected += u" | ";
        expected += c.Line;
    }
    // The first line starts without a break; each further message starts a paragraph.
    EXPECT_EQ(Describe(), expected);
    EXPECT_EQ(changes, static_cast<int>(cases.size()));
    EXPECT_EQ(LogSignImage(7), -1);
    EXPECT_EQ(LogSignImage(mkInvalidValue), 1);
    EXPECT_EQ(LogSignImage(mkError), 2);
}

TEST_F(LogTest, TheSettingsRefuseInformationHintsAndWarningsButNeverFaults)
{
    struct Case {
        TBooleanProperty& Setting;
        uint8_t Kind;
    };
    const std::vector<Case> cases = {{settings.WriteInformation(), mkInformation},
                                     {settings.WriteHints(), mkHint},
                                     {settings.WriteWarnings(), mkWarning}};
    for (const Case& c : cases) {
        c.Setting.SetValue(false);
        EXPECT_EQ(Messages().AddPlainMessage(c.Kind, u"dropped"), nullptr) << int(c.Kind);
        c.Setting.SetValue(true);
        EXPECT_NE(Messages().AddPlainMessage(c.Kind, u"kept"), nullptr) << int(c.Kind);
    }
    settings.WriteWarnings().SetValue(false);
    for (uint8_t kind : {mkError, mkValueRequired, mkInvalidValue})
        EXPECT_NE(Messages().AddPlainMessage(kind, u"fault"), nullptr) << int(kind);
    EXPECT_EQ(Messages().Count(), 6);
    EXPECT_EQ(Describe().find(u"dropped"), String::npos);
}

TEST_F(LogTest, ClearingTheMessagesEmptiesTheTextAndABatchStartsAfresh)
{
    Messages().AddMessage(mkInvalidValue, u"[Text] is not allowed", u"5");
    Messages().AddPlainMessage(mkWarning, u"Node \"x\" was not read");
    changes = 0;
    Messages().Clear();
    EXPECT_TRUE(Root().Text().IsEmpty());
    EXPECT_EQ(Root().FirstChild(), nullptr);
    EXPECT_EQ(changes, 1);
    // A new message after the clear is the first line again.
    Messages().BeginBatch();
    Messages().AddPlainMessage(mkWarning, u"again");
    Messages().EndBatch();
    EXPECT_EQ(Describe(), u"<2> again");
}

TEST_F(LogTest, TheDocumentListIsNotTheRootsOwnCheckList)
{
    Messages().AddMessage(mkInvalidValue, u"[Unsupported] element", u"9");
    // The root's own check clears and frees its own list only.
    Root().Recheck();
    Root().FreeMessages();
    EXPECT_EQ(Messages().Count(), 1);
    EXPECT_EQ(Describe(), u"<5> {E9:Unsupported} element");
    EXPECT_NE(&Messages(), Root().Messages());
}

TEST_F(LogTest, AnElementLinkReachesTheHandlerAndTurnsMaroonOnce)
{
    Messages().AddMessage(mkValueRequired, u"The value must be [set]", u"12,40");
    std::vector<std::vector<int32_t>> shown;
    Root().OnShowElements = [&](const std::vector<int32_t>& ids) { shown.push_back(ids); };
    Root().LinkClicked(FirstLink());
    Root().LinkClicked(FirstLink());
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], (std::vector<int32_t>{12, 40}));
    auto* attributes = dynamic_cast<TRichTextAttributes*>(FirstLink()->GetAttributes());
    EXPECT_EQ(attributes->Color(), LogVisitedLinkColor);
    EXPECT_EQ(Describe(), u"<4> The value must be {E12,40:set}");
}

TEST_F(LogTest, AHandlerThatClearsTheLogLeavesNothingToRecolour)
{
    Messages().AddMessage(mkValueRequired, u"The value must be [set]", u"12");
    int shown = 0;
    Root().OnShowElements = [&](const std::vector<int32_t>&) {
        ++shown;
        Messages().Clear();
    };
    Root().LinkClicked(FirstLink());
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(Root().Text().IsEmpty());
}

TEST_F(LogTest, FileLinksOpenTheFileAndBadElementListsDoNothing)
{
    Messages().AddMessage(mkWarning, u"[Read error] in the element", u"1 ,2");
    AddParts(Messages(), mkWarning, {{mpFileName, u"file", u"C:\\a b.txt"}});
    int shown = 0;
    String opened;
    Root().OnShowElements = [&](const std::vector<int32_t>&) { ++shown; };
    Root().OnOpenFile = [&](const String& name) { opened = name; };
    Root().LinkClicked(FirstLink());
    EXPECT_EQ(shown, 0);
    TParagraph* second = Root().Text().FirstParagraph()->Next();
    TPortion* fileLink = second->LastPortion();
    Root().LinkClicked(fileLink);
    EXPECT_EQ(opened, u"C:\\a b.txt");
}

TEST(LogIds, ElementListsParseStrictly)
{
    struct Case {
        const char16_t* Text;
        bool Ok;
        std::vector<int32_t> Ids;
    };
    const std::vector<Case> cases = {
        {u"7", true, {7}},        {u"7,8,9", true, {7, 8, 9}}, {u"", false, {}},
        {u"7,", false, {}},       {u"7, 8", false, {}},         {u"x", false, {}},
        {u"99999999999", false, {}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> ids;
        EXPECT_EQ(ParseElementIds(c.Text, ids), c.Ok) << String(c.Text).size();
        EXPECT_EQ(ids, c.Ids);
    }
}

TEST_F(LogTest, SignsSaveTheirKindAndStayOutOfCopiedText)
{
    Messages().AddPlainMessage(mkError, u"broken");
    TKnot knot;
    scheme->SaveToKnot(scheme->Root(), smDocument, &knot, 0);
    TKnot* sign = knot.FindKnot(u"Sign");
    ASSERT_NE(sign, nullptr);
    EXPECT_EQ(sign->ReadInteger(u"Kind", 0), mkError);
    auto* element = dynamic_cast<TElement_Sign*>(Root().FirstChild());
    ASSERT_NE(element, nullptr);
    EXPECT_TRUE(element->HasVisualOption(voNotCopiedWithText));
    EXPECT_EQ(element->Width(), TElement_Sign::Size);
}

TEST_F(LogTest, SignsDrawTheirPictureFromTheLogImagesAndTextsTakeTheMessageFont)
{
    // Three 9 x 9 pictures: hint, warning, error.
    ASSERT_EQ(LogImages().Count(), 3);
    EXPECT_EQ(LogImages().CellSize(), TElement_Sign::Size);
    struct Case {
        int Kind;
        bool Drawn;
    };
    for (const Case& c : {Case{mkInformation, false}, Case{mkHint, true}, Case{mkWarning, true},
                          Case{mkError, true}, Case{mkValueRequired, true}, Case{mkInvalidValue, true},
                          Case{6, false}}) {
        TScheme* none = nullptr;
        std::unique_ptr<TElement_Sign> sign(TElement::NewElement<TElement_Sign>(none));
        sign->SetKind(c.Kind);
        quillora::testing::TRecordingCanvas canvas;
        sign->Paint(canvas, 0);
        EXPECT_EQ(canvas.Calls, c.Drawn ? std::vector<std::string>{"Bitmap 0,0 0x0"} : std::vector<std::string>{})
            << c.Kind;
    }

    const TFontData font = Service<TSettingsPlatform>().MessageFont();
    auto* attributes = dynamic_cast<TRichTextAttributes*>(Root().GetDefaultTextAttributes());
    ASSERT_NE(attributes, nullptr);
    EXPECT_EQ(attributes, LogTextAttributes());
    EXPECT_EQ(attributes->FontName(), font.Name);
    EXPECT_EQ(attributes->Size(), font.Size);
    Messages().AddPlainMessage(mkError, u"broken");
    TPortion* text = Root().Text().FirstParagraph()->LastPortion();
    ASSERT_NE(text, nullptr);
    auto* written = dynamic_cast<TRichTextAttributes*>(text->GetAttributes());
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->FontName(), font.Name);
}

} // namespace
