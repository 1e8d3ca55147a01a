#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextLayoutSupport.h"
#include "render/SheetCanvas.h"

namespace quillora {
namespace {

using testing::LayoutFixture;
using testing::TLayoutTextor;
using testing::TTextRecordingCanvas;

class TextLayoutTest : public LayoutFixture {
protected:
    ~TextLayoutTest() override
    {
        if (bold_) bold_->Release();
    }
    TRichTextAttributes* Bold()
    {
        if (!bold_) {
            TRichTextAttributes scratch;
            scratch.SetStyle(fsBold);
            bold_ = TRichTextAttributes::GetRegistered(scratch);
            bold_->AddRef();
        }
        return bold_;
    }
    TRichTextAttributes* bold_ = nullptr;
};

TEST_F(TextLayoutTest, ParagraphsBreakAtBlanksThenCutWordsThenTakeOneCharacter)
{
    // Letters are 6 pixels wide, bold ones 7; "+" starts a bold portion.
    struct Case {
        int Width;
        const char16_t* Text;
        const char* Rows;
    };
    const Case cases[] = {
        {0, u"abc def ghi jkl mno pqr", "abc def ghi jkl mno pqr"},    // no width: no wrapping
        {-5, u"abc def", "abc def"},
        {30, u"abc def", "abc |def"},                                  // the blank stays on the upper row
        {30, u"abcdefgh", "abcde|fgh"},                                // a word wider than the room is cut
        {3, u"ab", "a|b"},                                             // a character wider than the room
        {30, u"ab cdefgh", "ab |cdefg|h"},                             // not cut when a blank before it fits
        {30, u"ab +cdefg", "ab c|defg"},                               // a new portion after a blank is cut
        {20, u"ab +cdefg", "ab |cd|ef|g"},                             // unless not even its first letter fits
        {36, u"abc def\r\nghi", "abc |def / ghi"},
    };
    for (const Case& c : cases) {
        TLayoutTextor text(c.Width);
        const String source = c.Text;
        const size_t plus = source.find(u'+');
        Append(text, source.substr(0, plus));
        if (plus != String::npos) Append(text, source.substr(plus + 1), Bold());
        EXPECT_EQ(Rows(text), c.Rows) << "width " << c.Width << " " << StringToUtf8(source);
        if (c.Width <= 0) EXPECT_NE(dynamic_cast<TWholeParagraphRow*>(text.FirstRow()), nullptr);
    }
}

TEST_F(TextLayoutTest, RowsHaveTheirMeasuresAndKindsAfterABreak)
{
    TLayoutTextor text(30);
    Append(text, u"abc def ghi");
    TRow* first = text.FirstRow();
    ASSERT_NE(dynamic_cast<TWrappedParagraphFirstRow*>(first), nullptr);
    TRow* inner = first->GetNextRow();
    ASSERT_NE(dynamic_cast<TWrappedParagraphInnerRow*>(inner), nullptr);
    TRow* last = inner->GetNextRow();
    ASSERT_NE(dynamic_cast<TWrappedParagraphLastRow*>(last), nullptr);
    EXPECT_EQ(first->Width, 24); // "abc " with its blank
    EXPECT_EQ(first->Bottom, 11);
    EXPECT_EQ(first->Descent, 2);
    EXPECT_EQ(last->Bottom, 33);
    EXPECT_EQ(last->GetPrevRow(), inner);
    EXPECT_EQ(first->GetEndPos(), inner->GetStartPos());
    EXPECT_EQ(text.GetHeight(), 33);
    EXPECT_EQ(text.GetContentWidth(), 24);
}

TEST_F(TextLayoutTest, TabsStopEveryTabWidthFromTheRowStart)
{
    // A tab at x = 47 is 1 pixel wide, at x = 48 a whole step.
    TLayoutTextor text;
    const TTextorRange tabs = Append(text, u"\t\t");
    TTabStopsPortion* portion = static_cast<TTabStopsPortion*>(tabs.StartPos.Portion);
    int x = 47;
    EXPECT_EQ(portion->MeasureWidth(x, 0, 1), 1);
    x = 48;
    EXPECT_EQ(portion->MeasureWidth(x, 0, 1), 48);

    // A tab carried to a new row is measured from that row's start: 48, not what was
    // left of it on the row above.
    TLayoutTextor wrapped(60);
    Append(wrapped, u"aaaaaaaaa\tb");
    EXPECT_EQ(Rows(wrapped), "aaaaaaaaa|\tb");
    TRow* second = wrapped.FirstRow()->GetNextRow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Width, 54);
    EXPECT_EQ(wrapped.XOfPosition(second, wrapped.GetEnd()), 54);
    TTextorPosition pos;
    wrapped.PositionAtX(second, 50, true, pos);
    EXPECT_EQ(Where(wrapped, pos), (TTextorLocation{0, 10}));
}

TEST_F(TextLayoutTest, AnElementTallerThanTheTextSetsTheRowAndSitsOnTheBaseline)
{
    TLayoutTextor text;
    text.Margins = TRect{1, 1, 1, 1};
    Append(text, u"ab");
    TVisualElement* box = Box(20, 30, 5);
    Embed(text, box);
    Append(text, u"c");
    TRow* row = text.FirstRow();
    EXPECT_EQ(row->Height(), 30 + 2);
    EXPECT_EQ(row->Descent, 5 + 1);
    EXPECT_EQ(row->Width, 12 + 22 + 6);
    // The element's baseline (its bottom minus its descent) is the row's.
    EXPECT_EQ(box->Left(), 12 + 1);
    EXPECT_EQ(box->Top() + box->Height() - box->Descent(), row->Baseline());

    // A paragraph above that grows moves the element with its row.
    const int top = box->Top();
    TTextorRange range;
    text.InsertText(text.GetStart(), u"x\r\n", nullptr, range);
    EXPECT_EQ(box->Top(), top + 11);
}

TEST_F(TextLayoutTest, OnlyTheChangedParagraphIsBrokenAgainAndTheRowsBelowMove)
{
    TLayoutTextor text(60);
    String source;
    for (int i = 0; i < 100; ++i) source += u"line\r\n";
    Append(text, source);
    ASSERT_EQ(text.GetHeight(), 101 * 11);
    TRow* below = text.ParagraphAt(80)->FirstRow();
    const int bottomBefore = below->Bottom;
    text.LaidOut = 0;
    TTextorRange range;
    // Paragraph 50 now takes two rows.
    text.InsertText(At(text, 50, 4), u" and more", nullptr, range);
    EXPECT_EQ(text.LaidOut, 1); // paragraph 50 broken again, the ones below only moved
    EXPECT_EQ(text.ParagraphAt(80)->FirstRow(), below); // the very rows, moved
    EXPECT_EQ(below->Bottom, bottomBefore + 11);
    EXPECT_EQ(text.GetHeight(), 102 * 11);
    EXPECT_EQ(Rows(text).substr(0, 20), "line / line / line /");
}

TEST_F(TextLayoutTest, PositionsRowsAndPointsAnswerEachOther)
{
    TLayoutTextor text(30);
    Append(text, u"abc def\r\nxy");
    TRow* first = text.FirstRow();
    TRow* second = first->GetNextRow();
    const TTextorPosition rowEnd = first->GetEndPos(); // before "def"
    EXPECT_EQ(text.RowOfPosition(rowEnd, false), first);
    EXPECT_EQ(text.RowOfPosition(rowEnd, true), second);
    EXPECT_EQ(text.RowOfPosition(text.GetEnd()), text.LastRow());

    struct Case {
        TPoint Point;
        bool Clamp;
        bool Result;
        TTextorLocation Location;
    };
    const Case cases[] = {
        {{-4, 5}, true, true, {0, 0}},    // left of a row: its start
        {{29, 5}, true, true, {0, 4}},    // right of its content: its end
        {{29, 5}, false, false, {0, 4}},
        {{8, 5}, false, true, {0, 1}},    // rounded to the nearer edge
        {{2, 16}, false, true, {0, 4}},   // the second row
        {{5, 500}, true, true, {1, 1}},   // below the text, clamped: the last row
        {{5, -10}, true, true, {0, 1}},
    };
    for (const Case& c : cases) {
        TTextorPosition pos;
        TRow* row = nullptr;
        EXPECT_EQ(text.PositionAtPoint(c.Point, c.Clamp, true, pos, row), c.Result) << c.Point.X << "," << c.Point.Y;
        EXPECT_EQ(Where(text, pos), c.Location) << c.Point.X << "," << c.Point.Y;
    }
    TTextorPosition pos;
    TRow* row = nullptr;
    EXPECT_FALSE(text.PositionAtPoint({5, 500}, false, true, pos, row));

    // Caret rectangles: the row's height, centred on the position.
    EXPECT_EQ(text.CaretRect(second, At(text, 0, 5), 2), (TRect{5, 11, 7, 22}));
    EXPECT_EQ(text.CaretRect(first, rowEnd, 1), (TRect{24, 0, 25, 11}));
}

TEST_F(TextLayoutTest, DraggingOverAnElementTakesItFortyPixelsIn)
{
    TLayoutTextor text;
    text.Margins = TRect{1, 0, 1, 0};
    TVisualElement* box = Box(198, 10, 2); // 200 with its margins
    Embed(text, box);
    TPortion* portion = text.FirstParagraph()->FirstPortion();
    const TPoint down{0, 5};
    struct Case {
        int TargetX;
        TPoint Mouse;
        bool Drag;
        int Expected;
    };
    const Case cases[] = {
        {40, {40, 5}, true, 0},     // rightwards: after it only past 40 pixels
        {41, {41, 5}, true, 1},
        {160, {-100, 5}, true, 0},  // leftwards: before it from 40 pixels in
        {161, {-100, 5}, true, 1},
        {100, {3, 5}, true, 0},     // within the drag threshold: the middle decides
        {101, {3, 5}, true, 1},
        {101, {0, 0}, false, 1},    // not a drag: the middle
        {99, {0, 0}, false, 0},
    };
    for (const Case& c : cases) {
        int x = 0;
        const int hit = portion->HitTest(x, c.TargetX, 0, 1, true, c.Drag ? &down : nullptr, c.Drag ? &c.Mouse : nullptr);
        EXPECT_EQ(hit, c.Expected) << c.TargetX << " mouse " << c.Mouse.X;
    }
    int x = 0;
    EXPECT_EQ(portion->HitTest(x, 150, 0, 1, false, nullptr, nullptr), 0); // without rounding: before it
}

TEST_F(TextLayoutTest, PaintingDrawsOnlyTheRowsInTheClipAndShowsParagraphMarks)
{
    TLayoutTextor text;
    Append(text, u"a b\r\nc\r\nd");
    TTextRecordingCanvas canvas;
    canvas.SetClipRect(TRect{0, 0, 100, 22});
    text.Paint(canvas, 0, false, tdfNonPrinting, text.GetWholeRange());
    std::vector<std::string> texts;
    for (const std::string& call : canvas.Calls)
        if (call.rfind("Text ", 0) == 0) {
            // "Text x,y color chars"
            const size_t color = call.find(' ', 5);
            texts.push_back(call.substr(call.find(' ', color + 1) + 1));
        }
    // Rows 1 and 2 only; a middle dot on the blank; a pilcrow after every paragraph but the last.
    EXPECT_EQ(texts, (std::vector<std::string>{"a b", "\u00B7", "\u00B6", "c", "\u00B6"}));

    canvas.Calls.clear();
    canvas.SetClipRect(TRect{0, 22, 100, 40});
    text.Paint(canvas, 0, false, tdfNonPrinting, text.GetWholeRange());
    ASSERT_EQ(canvas.Calls.size(), 1u); // the last paragraph: no mark after it
    EXPECT_NE(canvas.Calls[0].find(" d"), std::string::npos);
}

} // namespace
} // namespace quillora
