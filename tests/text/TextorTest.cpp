#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "elements/VisualElement.h"
#include "support/TextFakes.h"
#include "text/RichTextAttributes.h"
#include "text/Textor.h"

namespace quillora {
namespace {

using testing::Dump;
using testing::TCountingFontManager;
using testing::TTestTextor;

// An embedded element that reports its destruction.
class TElement_Probe : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Probe, TVisualElement)
    bool* Destroyed = nullptr;
    ~TElement_Probe() override
    {
        if (Destroyed) *Destroyed = true;
    }
};

TRichTextAttributes* HeldAttributes(TFontStyles style, const String& link = String())
{
    TRichTextAttributes scratch;
    scratch.SetStyle(style);
    if (!link.empty()) {
        scratch.SetIsLink(true);
        scratch.SetHyperlink(link);
    }
    TRichTextAttributes* result = TRichTextAttributes::GetRegistered(scratch);
    result->AddRef();
    return result;
}

class TextorTest : public ::testing::Test {
protected:
    ~TextorTest() override
    {
        bold_->Release();
        italic_->Release();
    }

    // Inserts at the end of the text.
    TTextorRange Append(TTextor& text, StringView chars, TTextAttributes* attributes = nullptr)
    {
        TTextorRange range;
        text.InsertText(text.GetEnd(), chars, attributes, range);
        return range;
    }

    TElement_Probe* NewProbe(bool* destroyed = nullptr)
    {
        auto* e = TElement::NewElement<TElement_Probe>(nullptr);
        e->Destroyed = destroyed;
        return e;
    }

    TTextorPosition At(TTextor& text, int paragraph, int index)
    {
        TTextorPosition pos;
        EXPECT_TRUE(text.LocationToPosition({paragraph, index}, pos));
        return pos;
    }

    TCountingFontManager fonts_;
    TProvide<TDeviceContextManager> provideFonts_{fonts_};
    TRichTextAttributes* bold_ = HeldAttributes(fsBold);
    TRichTextAttributes* italic_ = HeldAttributes(fsItalic);
};

TEST_F(TextorTest, ANewTextHasOneEmptyParagraph)
{
    TTestTextor text;
    ASSERT_NE(text.FirstParagraph(), nullptr);
    EXPECT_EQ(text.FirstParagraph(), text.LastParagraph());
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.GetText(), u"");
    EXPECT_EQ(text.GetStart(), text.GetEnd());
    EXPECT_EQ(text.GetFirstPortion(), nullptr);
    EXPECT_TRUE(text.Log.empty());
}

TEST_F(TextorTest, LineBreaksInInsertedTextMakeParagraphs)
{
    struct Case {
        const char16_t* Input;
        const char* Structure;
    };
    const Case cases[] = {
        {u"a\r\nb", "\"a\" | \"b\""},
        {u"a\n\rb", "\"a\" | \"b\""},
        {u"a\r\rb", "\"a\" |  | \"b\""},
        {u"a\n\nb", "\"a\" |  | \"b\""},
        {u"a\rb", "\"a\" | \"b\""},
        {u"\r\n", " | "},
        {u"a\r\n\r\nb\r", "\"a\" |  | \"b\" | "},
        {u"x\ty", "\"x\"+tab1+\"y\""},
        {u"\t\tx\r\n\ty", "tab2+\"x\" | tab1+\"y\""},
    };
    for (const Case& c : cases) {
        TTestTextor text;
        const TTextorRange range = Append(text, c.Input);
        EXPECT_EQ(Dump(text), c.Structure) << StringToUtf8(c.Input);
        EXPECT_EQ(range.StartPos, text.GetStart()) << StringToUtf8(c.Input);
        EXPECT_EQ(range.EndPos, text.GetEnd()) << StringToUtf8(c.Input);
    }
}

TEST_F(TextorTest, WithoutThePoliciesBreaksAndTabsStayCharacters)
{
    TTestTextor text(false, false);
    Append(text, u"a\r\n\tb");
    EXPECT_EQ(Dump(text), "\"a\r\n\tb\"");
    TTestTextor breaksOnly(true, false);
    Append(breaksOnly, u"a\tb\nc");
    EXPECT_EQ(Dump(breaksOnly), "\"a\tb\" | \"c\"");
}

TEST_F(TextorTest, TypingMergesOnlyIntoTheVeryAttributesObject)
{
    TTestTextor text;
    Append(text, u"x\ty");
    TTextorRange range;
    // A second tab right after the first: the tab portion grows.
    text.InsertText(At(text, 0, 2), u"\t", nullptr, range);
    EXPECT_EQ(Dump(text), "\"x\"+tab2+\"y\"");
    // A character at the end with the same (no) attributes extends the last portion.
    Append(text, u"z");
    EXPECT_EQ(Dump(text), "\"x\"+tab2+\"yz\"");
    // Different attributes make a portion of their own.
    Append(text, u"B", bold_);
    EXPECT_EQ(Dump(text), "\"x\"+tab2+\"yz\"+\"B\"");
    Append(text, u"C", bold_);
    EXPECT_EQ(Dump(text), "\"x\"+tab2+\"yz\"+\"BC\"");
    EXPECT_EQ(text.GetText(), u"x\t\tyzBC");
    EXPECT_EQ(text.FirstParagraph()->LastPortion()->Attributes(), bold_);
    EXPECT_EQ(bold_->RefCount(), 2);
}

TEST_F(TextorTest, InsertingAtAPortionStartExtendsTheMatchingPredecessor)
{
    TTestTextor text;
    Append(text, u"ab", bold_);
    Append(text, u"cd");
    TTextorPosition atC = At(text, 0, 2);
    ASSERT_EQ(atC.Offset, 0);
    TPortion* first = text.FirstParagraph()->FirstPortion();
    TTextorRange range;
    text.InsertText(atC, u"XY", bold_, range);
    EXPECT_EQ(Dump(text), "\"abXY\"+\"cd\"");
    EXPECT_EQ(range.StartPos, (TTextorPosition{text.FirstParagraph(), first, 2}));
    EXPECT_EQ(range.EndPos, atC);
    EXPECT_EQ(text.GetRangeText(range), u"XY");

    // Into the middle of a portion with other attributes: split around a new portion.
    text.InsertText(At(text, 0, 1), u"i", italic_, range);
    EXPECT_EQ(Dump(text), "\"a\"+\"i\"+\"bXY\"+\"cd\"");
    EXPECT_EQ(text.GetRangeText(range), u"i");
    EXPECT_EQ(text.PositionToLocation(range.EndPos), (TTextorLocation{0, 2}));
}

TEST_F(TextorTest, DeletingAcrossParagraphsJoinsHeadAndTail)
{
    TTestTextor text;
    Append(text, u"one\r\ntwo");
    bool destroyed = false;
    TTextorRange range;
    text.InsertElement(text.GetEnd(), NewProbe(&destroyed), nullptr, range);
    Append(text, u"\r\nthree", bold_);
    ASSERT_EQ(Dump(text), "\"one\" | \"two\"+E | \"three\"");
    const TParagraph* first = text.FirstParagraph();

    TTextorPosition pos;
    text.DeleteRange({At(text, 0, 1), At(text, 2, 2)}, pos);
    EXPECT_EQ(Dump(text), "\"o\"+\"ree\"");
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(text.FirstParagraph(), first);
    EXPECT_EQ(text.LastParagraph(), first);
    EXPECT_EQ(text.PositionToLocation(pos), (TTextorLocation{0, 1}));
    EXPECT_EQ(pos.Portion, first->LastPortion());
    EXPECT_EQ(first->LastPortion()->Attributes(), bold_);
}

TEST_F(TextorTest, DeletingWholeParagraphEndsAndPortions)
{
    struct Case {
        int FromParagraph, FromChar, ToParagraph, ToChar;
        const char* Structure;
        TTextorLocation Result;
    };
    // "ab" | "cd" | "" | "ef"
    const Case cases[] = {
        {0, 2, 1, 0, "\"ab\"+\"cd\" |  | \"ef\"", {0, 2}},
        {0, 0, 0, 2, " | \"cd\" |  | \"ef\"", {0, 0}},
        {0, 1, 0, 2, "\"a\" | \"cd\" |  | \"ef\"", {0, 1}},
        {1, 2, 3, 0, "\"ab\" | \"cd\"+\"ef\"", {1, 2}},
        {1, 2, 2, 0, "\"ab\" | \"cd\" | \"ef\"", {1, 2}},
        {0, 0, 3, 2, "", {0, 0}},
        {0, 1, 3, 1, "\"a\"+\"f\"", {0, 1}},
        {2, 0, 3, 0, "\"ab\" | \"cd\" | \"ef\"", {2, 0}},
    };
    for (const Case& c : cases) {
        TTestTextor text;
        Append(text, u"ab\r\ncd\r\n\r\nef");
        TTextorPosition pos;
        text.DeleteRange({At(text, c.FromParagraph, c.FromChar), At(text, c.ToParagraph, c.ToChar)}, pos);
        EXPECT_EQ(Dump(text), c.Structure) << c.FromParagraph << "," << c.FromChar;
        EXPECT_EQ(text.PositionToLocation(pos), c.Result) << c.FromParagraph << "," << c.FromChar;
        EXPECT_EQ(pos, TTextor::Normalize(pos));
    }
}

TEST_F(TextorTest, DeletingTheLastCharacterFreesThePortionButKeepsTheParagraph)
{
    TTestTextor text;
    Append(text, u"a");
    Append(text, u"b", bold_);
    TTextorPosition pos;
    text.DeleteRange({At(text, 0, 1), At(text, 0, 2)}, pos);
    EXPECT_EQ(Dump(text), "\"a\"");
    EXPECT_EQ(pos, text.GetEnd());
    EXPECT_EQ(bold_->RefCount(), 1);
    text.DeleteRange(text.GetWholeRange(), pos);
    EXPECT_EQ(text.FirstParagraph(), text.LastParagraph());
    EXPECT_TRUE(text.FirstParagraph()->IsEmpty());
    EXPECT_EQ(pos, text.GetStart());
}

TEST_F(TextorTest, PlainTextOfRanges)
{
    TTestTextor text;
    Append(text, u"a");
    Append(text, u"b", bold_);
    Append(text, u"\r\n");
    EXPECT_EQ(text.GetText(), u"ab\r\n");

    TTestTextor withElement;
    Append(withElement, u"x\ty");
    TTextorRange range;
    withElement.InsertElement(At(withElement, 0, 1), NewProbe(), nullptr, range);
    Append(withElement, u"\r\nz");
    EXPECT_EQ(withElement.GetText(), u"x\ty\r\nz");
    EXPECT_EQ(withElement.GetRangeText(withElement.FirstParagraph()->GetRange()), u"x\ty");
    EXPECT_EQ(withElement.GetRangeText({At(withElement, 0, 2), At(withElement, 1, 0)}), u"\ty\r\n");
    EXPECT_EQ(withElement.GetRangeText({At(withElement, 0, 1), At(withElement, 0, 2)}), u"");

    TTestTextor single(false, false);
    Append(single, u"only");
    EXPECT_EQ(single.GetText(), u"only");
}

TEST_F(TextorTest, PartsOfARangeAndTheLastParagraphEnd)
{
    TTestTextor text;
    Append(text, u"ab\r\ncd");
    auto parts = [&](const TTextorRange& r, bool includeLastEnd) {
        std::string out;
        text.ForEachPart(r, includeLastEnd, [&](TParagraph* p, TPortion* portion, int offset, int count) {
            out += portion ? "(" + std::to_string(offset) + "," + std::to_string(count) + ")" : "(end)";
            return true;
        });
        return out;
    };
    EXPECT_EQ(parts(text.GetWholeRange(), false), "(0,2)(end)(0,2)");
    EXPECT_EQ(parts(text.GetWholeRange(), true), "(0,2)(end)(0,2)(end)");
    EXPECT_EQ(parts({At(text, 0, 1), At(text, 0, 1)}, true), "");
    EXPECT_EQ(parts({At(text, 0, 2), At(text, 1, 0)}, false), "(end)");
    EXPECT_EQ(parts({At(text, 0, 1), At(text, 1, 1)}, false), "(1,1)(end)(0,1)");
    int calls = 0;
    EXPECT_FALSE(text.ForEachPart(text.GetWholeRange(), true, [&](TParagraph*, TPortion*, int, int) {
        ++calls;
        return false;
    }));
    EXPECT_EQ(calls, 1);
}

TEST_F(TextorTest, SplittingAParagraphPassesTheRightAttributes)
{
    TTestTextor text;
    Append(text, u"abcd");
    text.FirstParagraph()->SetTextAttributes(italic_);
    TParagraph* old = text.FirstParagraph();

    TTextorRange range;
    text.SplitParagraph(At(text, 0, 2), bold_, range);
    EXPECT_EQ(Dump(text), "\"ab\" | \"cd\"");
    EXPECT_EQ(text.LastParagraph()->TextAttributes(), italic_);
    EXPECT_EQ(range.StartPos, old->GetEnd());
    EXPECT_EQ(range.EndPos, text.LastParagraph()->GetStart());

    text.SplitParagraph(text.GetEnd(), bold_, range);
    EXPECT_EQ(Dump(text), "\"ab\" | \"cd\" | ");
    EXPECT_EQ(text.LastParagraph()->TextAttributes(), bold_);
    EXPECT_EQ(range.EndPos, text.GetEnd());

    text.SplitParagraph(text.GetStart(), bold_, range);
    EXPECT_EQ(Dump(text), " | \"ab\" | \"cd\" | ");
    EXPECT_EQ(text.ParagraphAt(1)->TextAttributes(), italic_);
}

TEST_F(TextorTest, ApplyingAttributesSplitsPortionsAndKeepsTheRangeOnItsCharacters)
{
    TTestTextor text;
    Append(text, u"abcdef\r\nghij");
    TTextorRange result;
    text.ApplyAttributes({At(text, 0, 2), At(text, 0, 4)}, false, bold_, result);
    EXPECT_EQ(Dump(text), "\"ab\"+\"cd\"+\"ef\" | \"ghij\"");
    EXPECT_EQ(text.GetRangeText(result), u"cd");
    EXPECT_EQ(result.StartPos.Portion->Attributes(), bold_);
    EXPECT_EQ(result.StartPos.Offset, 0);
    EXPECT_EQ(result.EndPos.Portion->Attributes(), nullptr);

    text.ApplyAttributes({At(text, 0, 3), At(text, 1, 1)}, false, italic_, result);
    EXPECT_EQ(Dump(text), "\"ab\"+\"c\"+\"d\"+\"ef\" | \"g\"+\"hij\"");
    EXPECT_EQ(text.GetRangeText(result), u"def\r\ng");
    EXPECT_EQ(text.FirstParagraph()->TextAttributes(), italic_); // its end lies in the range
    EXPECT_EQ(text.LastParagraph()->TextAttributes(), nullptr);
    EXPECT_EQ(text.FirstParagraph()->FirstPortion()->Next()->Attributes(), bold_);

    // The whole text with its last end: every portion and both paragraph ends; no merging.
    text.ApplyAttributes(text.GetWholeRange(), true, bold_, result);
    EXPECT_EQ(Dump(text), "\"ab\"+\"c\"+\"d\"+\"ef\" | \"g\"+\"hij\"");
    EXPECT_EQ(text.LastParagraph()->TextAttributes(), bold_);
    for (TParagraph* p = text.FirstParagraph(); p; p = p->Next())
        for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next())
            EXPECT_EQ(portion->Attributes(), bold_);
    EXPECT_EQ(result, text.GetWholeRange());
}

TEST_F(TextorTest, NestedUpdatesRelayoutOnceThenSignalOnce)
{
    TTestTextor text;
    text.BeginUpdate();
    Append(text, u"a");
    text.BeginUpdate();
    Append(text, u"b");
    text.BeginUpdate();
    Append(text, u"c");
    text.EndUpdate();
    text.EndUpdate();
    EXPECT_TRUE(text.Log.empty());
    EXPECT_TRUE(text.ChangePending());
    text.EndUpdate();
    EXPECT_EQ(text.Log, (std::vector<std::string>{"Relayout content", "Changed"}));
    EXPECT_EQ(text.UpdateCount(), 0);
    EXPECT_EQ(text.LayoutLockCount(), 0);
    EXPECT_TRUE(text.FirstParagraph()->LayoutValid());

    // A single edit is an update of its own.
    text.Log.clear();
    Append(text, u"d\r\ne");
    EXPECT_EQ(text.Log, (std::vector<std::string>{"Relayout content", "Changed"}));

    // Only paragraphs whose layout is invalid are laid out again.
    text.LaidOut = 0;
    Append(text, u"f");
    EXPECT_EQ(text.LaidOut, 1);
    text.InvalidateLayout();
    EXPECT_EQ(text.LaidOut, 3);
    EXPECT_EQ(text.InvalidParagraphCount(), 0);
    text.LockLayout();
    text.InvalidateLayout();
    Append(text, u"\r\ng");
    EXPECT_EQ(text.InvalidParagraphCount(), 3);
    TTextorPosition pos;
    text.DeleteRange({At(text, 1, 0), text.GetEnd()}, pos);
    EXPECT_EQ(text.InvalidParagraphCount(), 2);
    text.UnlockLayout();
    EXPECT_EQ(text.InvalidParagraphCount(), 0);
    EXPECT_EQ(text.ParagraphCount(), 2);
    EXPECT_EQ(text.LastParagraph()->GetIndex(), 1);

    // Unbalanced ends do not drive the counters below zero.
    text.EndUpdate();
    text.UnlockLayout();
    EXPECT_EQ(text.UpdateCount(), 0);
    EXPECT_EQ(text.LayoutLockCount(), 0);
}

TEST_F(TextorTest, ALockedTextLaysOutWhenUnlocked)
{
    TTestTextor text(true, true, true);
    Append(text, u"a\r\nb");
    EXPECT_EQ(text.Log, (std::vector<std::string>{"Changed"}));
    EXPECT_EQ(text.LaidOut, 0);
    text.UnlockLayout();
    EXPECT_EQ(text.Log, (std::vector<std::string>{"Changed", "Relayout"}));
    EXPECT_EQ(text.LaidOut, 2);
}

// A text whose layout edits its own paragraphs, as link detection does.
class TReentrantTextor : public TTestTextor {
public:
    void LayoutParagraph(TParagraph& paragraph, int width) override
    {
        if (!paragraph.IsEmpty()) paragraph.FirstPortion()->SetAttributes(Attr);
        TTestTextor::LayoutParagraph(paragraph, width);
    }
    TTextAttributes* Attr = nullptr;
};

TEST_F(TextorTest, ChangesDuringALayoutAreNotSignalled)
{
    TReentrantTextor text;
    text.Attr = bold_;
    Append(text, u"a");
    EXPECT_EQ(text.Log, (std::vector<std::string>{"Relayout content", "Changed"}));
    EXPECT_EQ(text.FirstParagraph()->FirstPortion()->Attributes(), bold_);
    EXPECT_FALSE(text.InLayout());
}

TEST_F(TextorTest, LocationsAndPositions)
{
    TTestTextor text;
    Append(text, u"ab\tc");
    TTextorRange range;
    text.InsertElement(text.GetEnd(), NewProbe(), nullptr, range);
    Append(text, u"\r\n\r\nxyz");
    // "ab"+tab1+"c"+E | "" | "xyz"
    struct Case {
        int Paragraph, Char;
        bool Valid;
        int PortionIndex; // -1: the paragraph end
        int Offset;
    };
    const Case cases[] = {
        {0, 0, true, 0, 0}, {0, 1, true, 0, 1}, {0, 2, true, 1, 0}, {0, 3, true, 2, 0}, {0, 4, true, 3, 0},
        {0, 5, true, -1, 0}, {0, 6, false, 0, 0}, {1, 0, true, -1, 0}, {1, 1, false, 0, 0}, {2, 3, true, -1, 0},
        {3, 0, false, 0, 0}, {-1, 0, false, 0, 0}, {0, -1, false, 0, 0},
    };
    for (const Case& c : cases) {
        TTextorPosition pos;
        const bool valid = text.LocationToPosition({c.Paragraph, c.Char}, pos);
        EXPECT_EQ(valid, c.Valid) << c.Paragraph << "," << c.Char;
        if (!valid) continue;
        EXPECT_EQ(pos.Paragraph, text.ParagraphAt(c.Paragraph));
        TPortion* expected = c.PortionIndex < 0 ? nullptr : pos.Paragraph->FirstPortion();
        for (int i = 0; i < c.PortionIndex; ++i) expected = expected->Next();
        EXPECT_EQ(pos.Portion, expected) << c.Paragraph << "," << c.Char;
        EXPECT_EQ(pos.Offset, c.Offset) << c.Paragraph << "," << c.Char;
        EXPECT_EQ(text.PositionToLocation(pos), (TTextorLocation{c.Paragraph, c.Char}));
    }
    TTextorRange r;
    EXPECT_TRUE(text.LocationsToRange({0, 1, 2, 2}, r));
    EXPECT_EQ(text.RangeToLocations(r), (TTextorLocationRange{0, 1, 2, 2}));
    EXPECT_EQ(text.GetRangeText(r), u"b\tc\r\n\r\nxy");
    EXPECT_FALSE(text.LocationsToRange({0, 1, 2, 9}, r));
}

TEST_F(TextorTest, OrderAndSteppingOfPositions)
{
    TTestTextor text;
    Append(text, u"ab");
    Append(text, u"c", bold_);
    Append(text, u"\r\n\r\nd");
    const TTextorPosition a = At(text, 0, 0), b = At(text, 0, 1), c = At(text, 0, 2), end0 = At(text, 0, 3);
    const TTextorPosition empty = At(text, 1, 0), d = At(text, 2, 0), end = text.GetEnd();
    const std::vector<TTextorPosition> order = {a, b, c, end0, empty, d, end};
    for (size_t i = 0; i < order.size(); ++i)
        for (size_t j = 0; j < order.size(); ++j)
            EXPECT_EQ(TTextor::IsBefore(order[i], order[j]), i < j) << i << " " << j;
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        EXPECT_EQ(text.NextPosition(order[i]), order[i + 1]) << i;
        EXPECT_EQ(text.PrevPosition(order[i + 1]), order[i]) << i;
    }
    EXPECT_EQ(text.NextPosition(end), end);
    EXPECT_EQ(text.PrevPosition(a), a);
    EXPECT_TRUE(TTextor::InRange(b, {b, d}));
    EXPECT_FALSE(TTextor::InRange(d, {b, d}));
    EXPECT_FALSE(TTextor::InRange(a, {b, d}));

    TTextorPosition other;
    int code = 0;
    EXPECT_TRUE(TTextor::CharAt(b, other, code));
    EXPECT_EQ(code, 'b');
    EXPECT_EQ(other, c);
    EXPECT_FALSE(TTextor::CharAt(end0, other, code));
    EXPECT_TRUE(TTextor::CharBefore(end0, other, code));
    EXPECT_EQ(code, 'c');
    EXPECT_EQ(other, c);
    EXPECT_FALSE(TTextor::CharBefore(a, other, code));
    EXPECT_FALSE(TTextor::CharBefore(d, other, code)); // not across paragraphs

    EXPECT_TRUE(TTextor::NextBoundary(b, false, other));
    EXPECT_EQ(other, c);
    EXPECT_FALSE(TTextor::NextBoundary(end0, false, other));
    EXPECT_TRUE(TTextor::NextBoundary(end0, true, other));
    EXPECT_EQ(other, empty);
    EXPECT_FALSE(TTextor::NextBoundary(end, true, other));
    EXPECT_TRUE(TTextor::PrevBoundary(end0, false, other));
    EXPECT_EQ(other, c);
    EXPECT_FALSE(TTextor::PrevBoundary(empty, false, other));
    EXPECT_TRUE(TTextor::PrevBoundary(empty, true, other));
    EXPECT_EQ(other, end0);
    EXPECT_EQ(TTextor::Normalize({a.Paragraph, a.Portion, 2}), c);
}

TEST_F(TextorTest, WordSteps)
{
    TTestTextor text;
    Append(text, u"foo bar_1, \u00e9t\u00e9  x");
    TTextorRange range;
    text.InsertElement(text.GetEnd(), NewProbe(), nullptr, range);
    Append(text, u"y");
    // foo·bar_1,·été··x E y
    // 0123456789...
    const int ends[][2] = {
        {0, 4},   // "foo " -> start of bar_1
        {4, 9},   // "bar_1" stops before the comma
        {9, 11},  // ", " -> été
        {11, 16}, // "été  "
        {16, 17}, // "x" stops before the element
        {17, 18}, // the element alone
        {18, 19}, // "y"
        {19, 19}, // the paragraph end stays
    };
    for (const auto& e : ends)
        EXPECT_EQ(text.PositionToLocation(text.NextWord(At(text, 0, e[0]))).CharIndex, e[1]) << e[0];
    // A word start stays where it is: the caller steps back first to leave it.
    const int starts[][2] = {
        {19, 18}, // from the end of the last paragraph: back over "y"
        {18, 18}, {17, 17}, {16, 16},
        {15, 11}, // from the blank after "été": back over "été  "
        {10, 9},  // from the blank after ",": back over ", "
        {8, 4},   // from "1": back over "bar_1"
        {3, 0},   // back over "foo "
        {0, 0},
    };
    for (const auto& s : starts)
        EXPECT_EQ(text.PositionToLocation(text.PrevWord(At(text, 0, s[0]))).CharIndex, s[1]) << s[0];
}

TEST_F(TextorTest, WordContinuationAndLineBreakRules)
{
    TTextor text;
    struct Case {
        int Prev, Next;
        bool Continues;
    };
    const Case cases[] = {
        {'a', 'b', true},        {'a', ' ', true},     {' ', ' ', true},     {' ', 'a', false},
        {'a', ',', false},       {',', ';', true},     {',', 'a', false},    {'_', '9', true},
        {'a', 0x3000, true},     {0x3000, 'a', false}, {'a', 0x4E2D, true},  {'a', 0x00A0, true},
        {ElementCharCode, 'a', false}, {'a', ElementCharCode, false}, {'\t', 'a', false}, {'a', 0x0663, true},
    };
    for (const Case& c : cases) EXPECT_EQ(text.IsWordContinuation(c.Prev, c.Next), c.Continues) << c.Prev << " " << c.Next;
    EXPECT_TRUE(text.CanBreakBetween(' ', 'a'));
    EXPECT_TRUE(text.CanBreakBetween('\t', 'a'));
    EXPECT_TRUE(text.CanBreakBetween('a', ElementCharCode));
    EXPECT_FALSE(text.CanBreakBetween('a', ' '));
    EXPECT_FALSE(text.CanBreakBetween('-', 'a'));
}

TEST_F(TextorTest, RunRangesStopAtElements)
{
    TTestTextor text;
    Append(text, u"ab");
    TTextorRange range;
    text.InsertElement(text.GetEnd(), NewProbe(), nullptr, range);
    Append(text, u"cd\r\nef");
    text.InsertElement(text.GetEnd(), NewProbe(), nullptr, range);
    // "ab"+E+"cd" | "ef"+E
    auto runText = [&](const TTextorPosition& pos, bool forward, bool cross) {
        TTextorRange run;
        text.GetRunRange(pos, forward, cross, run);
        return StringToUtf8(text.GetRangeText(run)) + "@" + std::to_string(text.PositionToLocation(run.StartPos).CharIndex);
    };
    EXPECT_EQ(runText(At(text, 0, 0), true, true), "ab@0");
    EXPECT_EQ(runText(At(text, 0, 1), true, true), "b@1");
    EXPECT_EQ(runText(At(text, 0, 2), true, true), "cd\r\nef@3");
    EXPECT_EQ(runText(At(text, 0, 2), true, false), "cd@3");
    EXPECT_EQ(runText(At(text, 1, 2), true, true), "@3");
    EXPECT_EQ(runText(At(text, 1, 1), false, true), "cd\r\ne@3");
    EXPECT_EQ(runText(At(text, 1, 1), false, false), "e@0");
    // Right after an element the run ends before it.
    EXPECT_EQ(runText(text.GetEnd(), false, true), "cd\r\nef@3");
    EXPECT_EQ(runText(At(text, 0, 3), false, true), "ab@0");
}

TEST_F(TextorTest, TypingAttributesComeFromTheCharacterBefore)
{
    TTestTextor text;
    Append(text, u"ab", bold_);
    Append(text, u"cd", italic_);
    Append(text, u"\r\n");
    text.LastParagraph()->SetTextAttributes(bold_);
    EXPECT_EQ(text.GetAttributesAt(At(text, 0, 1)), bold_);
    EXPECT_EQ(text.GetAttributesAt(At(text, 0, 2)), bold_);
    EXPECT_EQ(text.GetAttributesAt(At(text, 0, 3)), italic_);
    EXPECT_EQ(text.GetAttributesAt(At(text, 0, 4)), italic_);
    EXPECT_EQ(text.GetAttributesAt(At(text, 0, 0)), bold_);
    EXPECT_EQ(text.GetAttributesAt(At(text, 1, 0)), bold_);
    text.LastParagraph()->SetTextAttributes(nullptr);
    EXPECT_EQ(text.GetAttributesAt(At(text, 1, 0)), nullptr);
}

TEST_F(TextorTest, EffectiveAttributesFallBackToTheTextsDefaults)
{
    TTestTextor text;
    Append(text, u"a");
    TPortion* portion = text.FirstParagraph()->FirstPortion();
    EXPECT_EQ(portion->GetAttributes(), nullptr);
    text.Defaults = italic_;
    EXPECT_EQ(portion->GetAttributes(), italic_);
    text.FirstParagraph()->SetTextAttributes(bold_);
    EXPECT_EQ(portion->GetAttributes(), italic_); // not the paragraph's
    EXPECT_EQ(text.FirstParagraph()->GetTextAttributes(), bold_);
    EXPECT_EQ(text.FirstParagraph()->GetParagraphAttributes(), nullptr);
}

TEST_F(TextorTest, ClearKeepsTheFirstParagraphAndItsAttributes)
{
    TTestTextor text;
    Append(text, u"a\r\nb\r\nc", bold_);
    text.FirstParagraph()->SetTextAttributes(italic_);
    TParagraph* first = text.FirstParagraph();
    text.Log.clear();
    text.Clear();
    EXPECT_EQ(text.FirstParagraph(), first);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(first->TextAttributes(), italic_);
    EXPECT_EQ(bold_->RefCount(), 1); // only the fixture holds it now
}

TEST_F(TextorTest, SetTextReplacesEverythingWithPlainRuns)
{
    TTestTextor text;
    Append(text, u"old", bold_);
    text.Log.clear();
    text.SetText(u"new\r\n\ttext");
    EXPECT_EQ(Dump(text), "\"new\" | tab1+\"text\"");
    EXPECT_EQ(text.GetText(), u"new\r\n\ttext");
    EXPECT_EQ(text.Log, (std::vector<std::string>{"Relayout content", "Changed"}));
    EXPECT_EQ(bold_->RefCount(), 1);
}

TEST_F(TextorTest, ReparseFollowsTheCurrentPolicy)
{
    TTestTextor text(false, false);
    Append(text, u"a\r\nb\tc");
    TTextorRange range;
    text.InsertElement(text.GetEnd(), NewProbe(), nullptr, range);
    Append(text, u"d\ne", bold_);
    ASSERT_EQ(Dump(text), "\"a\r\nb\tc\"+E+\"d\ne\"");
    text.LineBreaks = true;
    text.Tabs = true;
    text.Log.clear();
    text.Reparse();
    EXPECT_EQ(Dump(text), "\"a\" | \"b\"+tab1+\"c\"+E+\"d\" | \"e\"");
    EXPECT_EQ(text.Log, (std::vector<std::string>{"Relayout content", "Changed"}));
    EXPECT_EQ(text.LastParagraph()->FirstPortion()->Attributes(), nullptr);

    text.LineBreaks = false;
    text.Tabs = false;
    text.Reparse();
    EXPECT_EQ(Dump(text), "\"a\r\nb\tc\"+E+\"d\r\ne\"");
}

TEST_F(TextorTest, ElementPortionsOwnTheirElements)
{
    std::unique_ptr<TVisualElement> owner(TElement::NewElement<TVisualElement>(nullptr));
    TTestTextor text;
    bool destroyed = false;
    TElement_Probe* probe = NewProbe(&destroyed);
    probe->SetParent(owner.get());
    TTextorRange range;
    text.InsertElement(text.GetEnd(), probe, bold_, range);
    ASSERT_NE(probe->Portion(), nullptr);
    EXPECT_EQ(probe->Portion(), text.FirstParagraph()->FirstPortion());
    EXPECT_EQ(text.GetRangeText(range), u"");
    EXPECT_EQ(text.PositionToLocation(range.EndPos), (TTextorLocation{0, 1}));

    // A second element never merges into the first.
    text.InsertElement(text.GetEnd(), NewProbe(), bold_, range);
    EXPECT_EQ(Dump(text), "E+E");
    text.InsertElement(text.GetEnd(), nullptr, bold_, range);
    EXPECT_EQ(Dump(text), "E+E");

    // The owner can take an element away without freeing it.
    auto* second = static_cast<TElementPortion*>(text.FirstParagraph()->LastPortion());
    TVisualElement* kept = second->Element();
    second->ReleaseElement();
    EXPECT_EQ(kept->Portion(), nullptr);
    delete second;
    delete kept;

    TTextorPosition pos;
    text.DeleteRange(text.GetWholeRange(), pos);
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(owner->HasChildren());
}

TEST_F(TextorTest, MeasuringPortions)
{
    TTestTextor text;
    text.Defaults = italic_; // 8 points: average width 6, tab step 48
    text.Margins = Rect(2, 1, 3, 4);
    Append(text, u"aB\t\t");
    auto* element = NewProbe();
    element->SetBounds(0, 0, 20, 30, 5);
    TTextorRange range;
    text.InsertElement(text.GetEnd(), element, nullptr, range);
    TPortion* chars = text.FirstParagraph()->FirstPortion();
    TPortion* tabs = chars->Next();
    TPortion* embedded = tabs->Next();

    int x = 0;
    EXPECT_EQ(chars->MeasureWidth(x, 0, 2), 6 + 9);
    EXPECT_EQ(x, 15);
    x = 47; // one pixel before a stop: the first tab is 1 pixel wide
    EXPECT_EQ(tabs->MeasureWidth(x, 0, 2), 1 + 48);
    EXPECT_EQ(x, 96);
    x = 48;
    EXPECT_EQ(tabs->MeasureWidth(x, 0, 1), 48);
    EXPECT_EQ(tabs->MeasureWidth(x, 0, 0), 0);
    x = 0;
    EXPECT_EQ(embedded->MeasureWidth(x, 0, 1), 2 + 20 + 3);

    int ascent = 0, descent = 0;
    chars->GetHeights(ascent, descent);
    EXPECT_EQ(ascent, 9);
    EXPECT_EQ(descent, 2);
    embedded->GetHeights(ascent, descent);
    EXPECT_EQ(ascent, 30 - 5 + 1);
    EXPECT_EQ(descent, 5 + 4);

    // The layout placed the element on its row; moving the portion moves it from there.
    TRect placed = element->GetBoundsRect();
    embedded->MoveBy(3, 7);
    placed.Offset(3, 7);
    EXPECT_EQ(element->GetBoundsRect(), placed);

    // Without any attributes nothing has a size, and tabs cannot divide by a zero step.
    text.Defaults = nullptr;
    x = 5;
    EXPECT_EQ(tabs->MeasureWidth(x, 0, 2), 0);
    EXPECT_EQ(chars->MeasureWidth(x, 0, 2), 0);
    EXPECT_EQ(x, 5);
}

} // namespace
} // namespace quillora
