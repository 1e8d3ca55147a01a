// Loading and saving comments, logic frames and signs: round trips byte for byte
// (a frame's content keeps its text, line breaks, nested frames and embedded elements),
// the expanded state written only when it differs from the default, unique identifiers
// after undo, and the golden data file through the document.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "elements/Messages.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "library/CommonElements.h"
#include "library/DataElement.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "support/TempFolder.h"
#include "text/Paragraph.h"
#include "text/TextElementSupport.h"
#include "text/Textor.h"
#include "typing/DropDownModel.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

class CommonElementsTest : public TextElementFixture {
protected:
    void SetUp() override
    {
        InitializeCommonElements();
        TextElementFixture::SetUp();
    }
    // The text as the knot writer puts it (the form a round trip must give back).
    static String Canonical(const String& text)
    {
        TKnot knot;
        knot.LoadFromText(text);
        std::vector<TKnot*> stack{&knot};
        while (!stack.empty()) {
            TKnot* k = stack.back();
            stack.pop_back();
            if (k->Name() == u"Br") k->SetIncludedOptions(koInline);
            for (TNode* n = k->FirstChild(); n; n = n->NextSibling()) stack.push_back(static_cast<TKnot*>(n));
        }
        return knot.SaveToText();
    }
    int Reports() { return scheme->SchemeMessages().Count(); }
};

const String NestedFrames =
    u"<Quillora FormatVersion=\"1.2\"><Chars Value=\"before\"/>"
    u"<LogicFrame Expanded=\"0\"><Caption><Chars Value=\"Outer\"/></Caption>"
    u"<Content><Chars Value=\"line one\"/><Br/><Chars Value=\"key \"/><Key Code=\"7\"/><Br/>"
    u"<LogicFrame><Caption><Chars Value=\"Inner\"/></Caption><Content><Chars Value=\"deep\"/></Content></LogicFrame>"
    u"</Content></LogicFrame>"
    u"<Comment><Chars Value=\"note \"/><Star/><Stop/></Comment></Quillora>";

TEST_F(CommonElementsTest, FrameContentKeepsTextBreaksNestedFramesAndElements)
{
    LoadText(NestedFrames);
    EXPECT_EQ(Reports(), 0);
    auto* outer = dynamic_cast<TElement_LogicFrame*>(Root().FirstVisual());
    ASSERT_NE(outer, nullptr);
    EXPECT_FALSE(outer->IsExpanded());
    EXPECT_EQ(outer->Caption()->GetText(), u"Outer");
    TLogicFrameContentContainer* content = outer->Content();
    EXPECT_TRUE(content->IsContentMode());
    EXPECT_EQ(content->Text().ParagraphCount(), 3);
    int keys = 0, frames = 0;
    for (TVisualElement* child = content->FirstVisual(); child; child = child->NextVisual()) {
        keys += dynamic_cast<TElement_Key*>(child) != nullptr;
        frames += dynamic_cast<TElement_LogicFrame*>(child) != nullptr;
    }
    EXPECT_EQ(keys, 1);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(SaveText(), Canonical(NestedFrames));
}

TEST_F(CommonElementsTest, ExpandedStateIsWrittenOnlyWhenCollapsed)
{
    LoadText(u"<Quillora><LogicFrame/></Quillora>");
    auto* frame = dynamic_cast<TElement_LogicFrame*>(Root().FirstVisual());
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsExpanded());
    EXPECT_EQ(SaveText().find(u"Expanded"), String::npos);
    frame->ExpandButton()->SetExpandedRaw(false);
    EXPECT_NE(SaveText().find(u"Expanded=\"0\""), String::npos);
}

TEST_F(CommonElementsTest, SignsLoadOnlyWhereTheyAreAccepted)
{
    // Signs go into comments; in the text itself they are kept as unknown elements.
    LoadText(u"<Quillora><Comment><Information/></Comment><Ready/></Quillora>");
    auto* comment = dynamic_cast<TElement_Comment*>(Root().FirstVisual());
    ASSERT_NE(comment, nullptr);
    EXPECT_NE(dynamic_cast<TElement_Information*>(comment->FirstVisual()), nullptr);
    EXPECT_EQ(dynamic_cast<TElement_Ready*>(comment->NextVisual()), nullptr);
}

TEST_F(CommonElementsTest, UndoingTheDeletionOfAFrameKeepsIdentifiersUniqueAndTheButtonWorking)
{
    LoadText(NestedFrames);
    Select(0, 0, 0, 8); // "before", the frame and the comment
    Root().ReplaceSelection(nullptr, false);
    EXPECT_EQ(Root().FirstVisual(), nullptr);
    undo.Undo();
    auto* outer = dynamic_cast<TElement_LogicFrame*>(Root().FirstVisual());
    ASSERT_NE(outer, nullptr);
    std::set<int32_t> ids;
    for (TElement* e : scheme->Elements()) EXPECT_TRUE(ids.insert(e->ID()).second) << e->ID();
    ASSERT_EQ(outer->ExpandButton()->Controlled().size(), 1u);
    EXPECT_EQ(outer->ExpandButton()->Controlled()[0], outer->Content());
    EXPECT_EQ(SaveText(), Canonical(NestedFrames));
}

TEST_F(CommonElementsTest, FrameDescriptionComesBackByteForByteAndIsCopiedWithTheFrame)
{
    const String described =
        u"<Quillora FormatVersion=\"1.2\"><LogicFrame><Caption><Chars Value=\"Frame\"/></Caption>"
        u"<Content><Chars Value=\"body\"/></Content>"
        u"<Description><Chars Value=\"why \"/><Star/><Br/><Chars Value=\"second line\"/></Description>"
        u"</LogicFrame></Quillora>";
    LoadText(described);
    EXPECT_EQ(Reports(), 0);
    auto* frame = dynamic_cast<TElement_LogicFrame*>(Root().FirstVisual());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->Description(), nullptr);
    EXPECT_EQ(frame->Description()->Text().ParagraphCount(), 2);
    const String saved = SaveText();
    EXPECT_EQ(saved, Canonical(described));
    LoadText(saved);
    EXPECT_EQ(SaveText(), saved);

    // A copy of the frame carries its description; the pasted one has its own.
    Select(0, 0, 0, 1);
    Root().Copy();
    EXPECT_NE(clipboard.GetText().find(u"<Description>"), String::npos);
    Select(0, 1, 0, 1);
    ASSERT_TRUE(Root().Paste());
    auto* first = dynamic_cast<TElement_LogicFrame*>(Root().FirstVisual());
    auto* pasted = first ? dynamic_cast<TElement_LogicFrame*>(first->NextVisual()) : nullptr;
    ASSERT_NE(pasted, nullptr);
    ASSERT_NE(pasted->Description(), nullptr);
    EXPECT_NE(pasted->Description(), first->Description());
    EXPECT_EQ(pasted->Description()->GetText(), first->Description()->GetText());
    EXPECT_NE(pasted->Description()->ID(), first->Description()->ID());
}

// ---- the golden data file ----

const String GoldenFile = Utf8ToString(QUILLORA_TEST_DATA "/library/common-elements.tpt");

class CommonElementsGoldenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Localization().Language();
        Localization().SetLanguage(LangEnglish);
        InitializeModules();
    }
    void TearDown() override { Localization().SetLanguage(saved_); }

    std::unique_ptr<TQuilloraDocument> document = TTrayAppDocument::New<TQuilloraDocument>();
    TempFolder folder;

private:
    TLanguageId saved_ = 0;
};

TEST_F(CommonElementsGoldenTest, LoadsWithoutMessagesListsItsSnippetsAndSavesBackByteExact)
{
    document->LoadDataFile(GoldenFile);
    for (const String& message : document->LoadMessages()) ADD_FAILURE() << StringToUtf8(message);
    std::vector<String> captions;
    for (TParagraph* p = document->Text().FirstParagraph(); p; p = p->Next())
        if (!p->IsEmpty()) captions.push_back(ParagraphCaption(*p));
    EXPECT_EQ(captions, (std::vector<String>{u"Greeting", u"Addresses", u"Logo", u"Kind regards"}));
    // Every element loaded as its own class (none kept as an unknown element).
    int frames = 0, signs = 0, comments = 0, images = 0;
    std::vector<TElement*> stack{document->Scheme()->Root()};
    while (!stack.empty()) {
        TElement* e = stack.back();
        stack.pop_back();
        EXPECT_FALSE(e->HasFlag(efUnsupported)) << StringToUtf8(e->GetTypeName());
        frames += dynamic_cast<TElement_LogicFrame*>(e) != nullptr;
        signs += dynamic_cast<TCustomSignElement*>(e) != nullptr;
        comments += dynamic_cast<TElement_Comment*>(e) != nullptr;
        if (auto* image = dynamic_cast<TElement_Image*>(e)) {
            ++images;
            EXPECT_EQ(image->Type(), u"png");
            EXPECT_EQ(image->Data().Size(), 77u);
        }
        for (TElement* c = e->FirstElement(); c; c = c->NextElement()) stack.push_back(c);
    }
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(signs, 7);
    EXPECT_EQ(comments, 3);
    EXPECT_EQ(images, 1);
    String out = folder.File(u"out.tpt");
    document->SaveDataFile(out, {});
    EXPECT_EQ(ReadBytes(out), ReadBytes(GoldenFile));
}

} // namespace

namespace {

TEST_F(CommonElementsTest, TheSameExactCopyInsertedTwiceGivesNoIdentifierTwice)
{
    LoadText(u"<Quillora><LogicFrame Expanded=\"0\"><Caption><Chars Value=\"c\"/></Caption></LogicFrame></Quillora>");
    TKnot copy;
    {
        TSchemeSaver saver(smExactCopy, &copy, 0);
        Root().SaveContent(saver, copy, nullptr);
    }
    Root().Edit(tekAppend, nullptr, false, &copy, smExactCopy, 0);
    Root().Edit(tekAppend, nullptr, false, &copy, smExactCopy, 0);
    std::set<int32_t> ids;
    for (TElement* e : scheme->Elements()) EXPECT_TRUE(ids.insert(e->ID()).second) << e->ID();
    int frames = 0;
    for (TVisualElement* child = Root().FirstVisual(); child; child = child->NextVisual())
        if (auto* frame = dynamic_cast<TElement_LogicFrame*>(child)) {
            ++frames;
            // Each button governs its own frame's content.
            ASSERT_EQ(frame->ExpandButton()->Controlled().size(), 1u);
            EXPECT_EQ(frame->ExpandButton()->Controlled()[0], frame->Content());
        }
    EXPECT_EQ(frames, 3);
}

} // namespace

namespace {

TEST_F(CommonElementsTest, NewFrameInsertedIntoTheTextTakesItsContentRulesFromTheText)
{
    auto* frame = TElement::NewElement<TElement_LogicFrame>(scheme.get());
    Root().InsertElements({frame});
    auto* inserted = dynamic_cast<TElement_LogicFrame*>(Root().FirstVisual());
    ASSERT_NE(inserted, nullptr);
    TLogicFrameContentContainer* content = inserted->Content();
    EXPECT_TRUE(content->IsContentMode());
    EXPECT_EQ(content->TextOptions(), Root().TextOptions());
    TElementClassList accepted;
    content->GetAcceptedClasses(accepted);
    EXPECT_NE(std::find(accepted.begin(), accepted.end(), &TElement_LogicFrame::Class()), accepted.end());
    EXPECT_NE(std::find(accepted.begin(), accepted.end(), &TElement_Key::Class()), accepted.end());
}

TEST_F(CommonElementsTest, CollapsedCommandIsCheckedWhileCollapsedAndTogglesTheFrame)
{
    int token = 0;
    auto* collapsed = reinterpret_cast<TPaletteItem*>(&token);
    SetCollapsedPaletteItem(collapsed);
    LoadText(u"<Quillora><LogicFrame/></Quillora>");
    auto* frame = dynamic_cast<TElement_LogicFrame*>(Root().FirstVisual());
    ASSERT_NE(frame, nullptr);
    TPaletteItemList items;
    frame->GetPaletteItems(items);
    EXPECT_NE(std::find(items.begin(), items.end(), collapsed), items.end());
    TPaletteItemState state;
    frame->GetPaletteItemState(collapsed, state);
    EXPECT_FALSE(state.Checked);
    EXPECT_TRUE(frame->ExecutePaletteItem(frame, collapsed, true));
    EXPECT_FALSE(frame->IsExpanded());
    frame->GetPaletteItemState(collapsed, state);
    EXPECT_TRUE(state.Checked);
    EXPECT_TRUE(frame->ExecutePaletteItem(frame, collapsed, false));
    EXPECT_TRUE(frame->IsExpanded());
    undo.Undo();
    EXPECT_FALSE(frame->IsExpanded());
    SetCollapsedPaletteItem(nullptr);
}

} // namespace

namespace {

TEST_F(CommonElementsTest, DescriptionOfAFrameIsKeptAndAnEmptyOneIsNotSaved)
{
    const String text =
        u"<Quillora FormatVersion=\"1.2\"><LogicFrame><Caption><Chars Value=\"c\"/></Caption>"
        u"<Description><Chars Value=\"what it holds\"/></Description></LogicFrame></Quillora>";
    LoadText(text);
    EXPECT_EQ(Reports(), 0);
    auto* frame = dynamic_cast<TElement_LogicFrame*>(Root().FirstVisual());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->Description(), nullptr);
    EXPECT_EQ(frame->Description()->GetText(), u"what it holds");
    EXPECT_EQ(SaveText(), Canonical(text));
    frame->Description()->Text().SetText(u"");
    EXPECT_EQ(SaveText().find(u"Description"), String::npos);
}

} // namespace
