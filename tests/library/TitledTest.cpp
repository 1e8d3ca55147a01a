// The title writer's line layout (margin collapsing, negative margins, baselines, the
// content's extra height) and the logic frame laid out, collapsed and painted on a sheet.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "elements/Scheme.h"
#include "foundation/UndoRedo.h"
#include "library/CommonElements.h"
#include "library/Titled.h"
#include "support/ElementFakes.h"
#include "support/TestElements.h"

using namespace quillora;
using namespace quillora::testing;

namespace {

TEST(CollapseTest, LargerOfNonNegativeElseSumAtLeastZero)
{
    struct Case {
        int A, B, Want;
    };
    for (const Case& c : {Case{4, 6, 6}, Case{6, 4, 6}, Case{0, 0, 0}, Case{-3, 5, 2}, Case{-3, 2, 0},
                          Case{5, -3, 2}, Case{-2, -2, 0}})
        EXPECT_EQ(Collapse(c.A, c.B), c.Want) << c.A << "," << c.B;
}

// An item already measured (a non-zero width is kept by Measure).
TTitleItem& Measured(TTitleWriter& writer, TTitleItem& item, int width, int height, TRect margins, int baseline = 0)
{
    item.Width = width;
    item.Height = height;
    item.Margins = margins;
    item.Baseline = baseline;
    return item;
}

TEST(TitleWriterTest, LineMetricsPlaceItemsOnTheCommonBaseline)
{
    struct Case {
        const char* Name;
        TTitleItemType Type;
        TTitleAlign Align;
        int Height;
        TRect Margins;
        int Baseline;
        int WantY; // offset inside the line
    };
    // A tall neighbour (height 30, baseline 24) sets LH = 30 and LB = 24.
    const Case cases[] = {
        {"centred element", tiElement, taCentre, 10, {}, 0, 7},
        {"top element", tiElement, taTop, 10, {}, 0, 0},
        {"bottom element", tiElement, taBottom, 10, {}, 0, 20},
        {"bottom caption", tiCaption, taBottom, 10, {}, 0, 20},
        {"text", tiText, taCentre, 10, {}, 0, 8},
        {"space", tiSpace, taCentre, 10, {}, 0, 7},
        {"container", tiContainer, taCentre, 10, {}, 0, 0},
        {"item not above the baseline", tiElement, taCentre, 26, {}, 20, 0},
        // Height 20 with a top margin of -2 occupies 18 pixels.
        {"negative top margin", tiElement, taTop, 20, {0, -2, 0, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        TTitleWriter writer;
        writer.AddCaption(nullptr, taCentre);
        Measured(writer, writer.GetItems(0), 40, 30, {}, 24);
        writer.AddSpace(1);
        TTitleItem& item = writer.GetItems(1);
        item.Type = c.Type;
        item.Align = c.Align;
        Measured(writer, item, 5, c.Height, c.Margins, c.Baseline);
        const TTitleLine line = writer.LineMetrics(0);
        EXPECT_EQ(line.Height, 30) << c.Name;
        EXPECT_EQ(line.Baseline, 24) << c.Name;
        EXPECT_EQ(line.Offsets.at(1), c.WantY) << c.Name;
    }
}

TEST(TitleWriterTest, NegativeMarginShrinksTheItemAndLiftsItAboveTheLine)
{
    TTitleWriter writer;
    TScheme* none = nullptr;
    std::unique_ptr<TElement_Key> key(TElement::NewElement<TElement_Key>(none));
    key->SetBounds(0, 0, 12, 20);
    writer.AddCaption(key.get(), taTop);
    Measured(writer, writer.GetItems(0), 12, 20, {0, -2, 0, 0});
    TRect m;
    int w = 0, h = 0, b = 0;
    TTitleWriter::EffectiveMetrics(writer.GetItems(0), m, w, h, b);
    EXPECT_EQ(h, 18);
    EXPECT_EQ(b, 18);
    EXPECT_EQ(m.Top, 2);
    const TPoint size = writer.Layout(TRect{}, true, 100, 0, nullptr);
    // The line starts below the margin's 2 pixels; the item stands 2 pixels above it.
    EXPECT_EQ(key->Top(), 0);
    EXPECT_EQ(size.Y, 2 + 18);
}

TEST(TitleWriterTest, LineBaselineBelowEveryHeightPutsAllItemsAtTheTop)
{
    TTitleWriter writer;
    writer.AddCaption(nullptr, taCentre);
    Measured(writer, writer.GetItems(0), 10, 20, {}, 5);
    writer.AddText(u"ab");
    Measured(writer, writer.GetItems(1), 14, 16, {}, 4);
    const TTitleLine line = writer.LineMetrics(0);
    EXPECT_EQ(line.Baseline, 5);
    EXPECT_EQ(line.Offsets, (std::vector<int>{0, 0}));
}

TEST(TitleWriterTest, LayoutCollapsesMarginsAcrossItemsLinesAndPadding)
{
    // Line 1: space 2, item 10x8 (margins 3,1,4,2), item 6x8 (margins 5,0,1,0);
    // line 2: a container 30x12 (margins 2,6,2,3) with 5 extra height.
    TScheme* none = nullptr;
    std::unique_ptr<TElement_Key> a(TElement::NewElement<TElement_Key>(none));
    std::unique_ptr<TElement_Key> b(TElement::NewElement<TElement_Key>(none));
    std::unique_ptr<TElement_Key> content(TElement::NewElement<TElement_Key>(none));
    a->SetBounds(0, 0, 10, 8);
    b->SetBounds(0, 0, 6, 8);
    TTitleWriter writer;
    writer.AddSpace(2);
    writer.GetItems(0).Width = 2;
    writer.AddCaption(a.get(), taTop);
    Measured(writer, writer.GetItems(1), 10, 8, {3, 1, 4, 2});
    writer.AddCaption(b.get(), taTop);
    Measured(writer, writer.GetItems(2), 6, 8, {5, 0, 1, 0});
    writer.EndLine();
    writer.AddContainer(content.get());
    Measured(writer, writer.GetItems(3), 30, 12, {2, 6, 2, 3});
    const TRect padding{4, 4, 4, 4};

    const TPoint natural = writer.Layout(padding, false, 0, 0, nullptr);
    // Line 1: 4 (padding) + 2 + Collapse(0, 3) + 10 + Collapse(4, 5) + 6 + Collapse(1, 4) = 34;
    // line 2: Collapse(4, 2) + 30 + Collapse(2, 4) = 38.
    // y: Collapse(4, 1) + 8 + Collapse(2, 6) + 12 + Collapse(3, 4) = 34.
    EXPECT_EQ(natural, (TPoint{38, 34}));

    const TPoint placed = writer.Layout(padding, true, 50, 5, content.get());
    EXPECT_EQ(placed, (TPoint{38, 39}));
    EXPECT_EQ(a->GetBoundsRect(), (TRect{9, 4, 19, 12}));
    EXPECT_EQ(b->GetBoundsRect(), (TRect{24, 4, 30, 12}));
    // The container runs to the right edge less Collapse(2, 4) and takes the extra height.
    EXPECT_EQ(content->GetBoundsRect(), (TRect{4, 18, 46, 35}));
}

// ---- logic frame on a sheet ----

class LogicFrameLayoutTest : public ::testing::Test {
protected:
    TUndoRedo undo;
    TFakeSheet sheet;
    std::unique_ptr<TScheme> scheme;
    TElement_LogicFrame* frame = nullptr;

    void SetUp() override
    {
        InitializeCommonElements();
        scheme = std::make_unique<TScheme>(&TTestRoot::Class(), u"Quillora");
        scheme->SetUndoRedo(&undo);
        auto* root = static_cast<TVisualElement*>(scheme->Root());
        frame = TVisualElement::NewVisualPart<TElement_LogicFrame>(root, nullptr, root);
        root->SetVisualParent(sheet.Root(), nullptr);
    }
    void TearDown() override
    {
        static_cast<TVisualElement*>(scheme->Root())->SetVisualParent(nullptr, nullptr);
        scheme.reset();
    }
    TRecordingCanvas& Canvas() { return *static_cast<TRecordingCanvas*>(sheet.GetCanvas()); }
};

TEST_F(LogicFrameLayoutTest, NewFrameIsExpandedAndCollapsingHidesTheContentAndThePadding)
{
    TExpandButton* button = frame->ExpandButton();
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(button->Expanded());
    EXPECT_TRUE(button->LogicFrameStyle());
    EXPECT_TRUE(frame->Content()->IsVisible());
    EXPECT_TRUE(frame->Caption()->IsVisible());
    const int expandedHeight = frame->Height();
    EXPECT_GT(frame->Content()->Top(), frame->Caption()->Top());

    frame->SetExpanded(false);
    EXPECT_FALSE(frame->IsExpanded());
    EXPECT_FALSE(frame->Content()->IsVisible());
    EXPECT_TRUE(frame->Caption()->IsVisible());
    TRect padding;
    frame->GetPadding(padding);
    EXPECT_EQ(padding, TRect{});
    EXPECT_LT(frame->Height(), expandedHeight);

    undo.Undo();
    EXPECT_TRUE(frame->IsExpanded());
    EXPECT_TRUE(frame->Content()->IsVisible());
    EXPECT_EQ(frame->Height(), expandedHeight);
}

TEST_F(LogicFrameLayoutTest, CollapsedFrameDrawsOnlyTheCaptionBarOverButtonAndCaption)
{
    frame->SetExpanded(false);
    TRecordingCanvas canvas;
    frame->Paint(canvas, 0);
    ASSERT_EQ(canvas.Calls.size(), 1u);
    TExpandButton* button = frame->ExpandButton();
    TLogicFrameCaptionField* caption = frame->Caption();
    const int top = std::min(button->Top(), caption->Top());
    const int bottom = std::max(button->Top() + button->Height(), caption->Top() + caption->Height());
    const std::string want = "Frame " + std::to_string(steComment) + " " + std::to_string(button->Left()) + "," +
                             std::to_string(top) + " " + std::to_string(caption->Left() + caption->Width() - button->Left()) +
                             "x" + std::to_string(bottom - top);
    EXPECT_EQ(canvas.Calls[0], want);

    frame->SetExpanded(true);
    canvas.Calls.clear();
    frame->Paint(canvas, 0);
    ASSERT_EQ(canvas.Calls.size(), 2u);
    // The dotted frame starts behind the middle of the caption line.
    const int frameTop = caption->Top() + caption->Height() / 2;
    EXPECT_EQ(canvas.Calls[0], "Frame " + std::to_string(steLogicFrame) + " 0," + std::to_string(frameTop) + " " +
                                   std::to_string(frame->Width()) + "x" + std::to_string(frame->Height() - frameTop));
}

TEST_F(LogicFrameLayoutTest, CaptionBarCoversTheButtonWhenTheCaptionIsTaller)
{
    // A button taller than the caption and one shorter: the bar spans both.
    for (int imageHeight : {40, 4}) {
        Canvas().ImageSize = {16, imageHeight};
        frame->LayoutTitle();
        frame->ExpandButton()->UpdateLayout(false, true, false, false);
        frame->LayoutTitle();
        TExpandButton* button = frame->ExpandButton();
        TLogicFrameCaptionField* caption = frame->Caption();
        TRecordingCanvas canvas;
        frame->Paint(canvas, 0);
        const int top = std::min(button->Top(), caption->Top());
        const int bottom = std::max(button->Top() + button->Height(), caption->Top() + caption->Height());
        EXPECT_EQ(canvas.Calls.back(), "Frame " + std::to_string(steComment) + " " + std::to_string(button->Left()) +
                                           "," + std::to_string(top) + " " +
                                           std::to_string(caption->Left() + caption->Width() - button->Left()) + "x" +
                                           std::to_string(bottom - top))
            << imageHeight;
        EXPECT_LE(top, button->Top());
        EXPECT_GE(bottom, button->Top() + button->Height());
    }
}

TEST_F(LogicFrameLayoutTest, CollapsedTitledElementIgnoresItsExplicitSize)
{
    frame->SetExplicitSize(500, 300);
    EXPECT_EQ(frame->Width(), 500);
    EXPECT_EQ(frame->Height(), 300);
    frame->SetExpanded(false);
    int w = 0, h = 0;
    frame->GetMinSize(w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_LT(frame->Width(), 500);
}

// ---- the description beside its element ----

TEST_F(LogicFrameLayoutTest, DescriptionFloatsAtTheRightEdgeInTheRootsCoordinatesNeverAboveItsTop)
{
    auto* schemeRoot = static_cast<TVisualElement*>(scheme->Root());
    TVisualElement* sheetRoot = sheet.Root();
    schemeRoot->SetBounds(7, 11, 900, 700);
    TCustomCommentElement* description = frame->GetDescription();
    ASSERT_NE(description, nullptr);
    description->Text().SetText(u"why");
    EXPECT_EQ(description->VisualParent(), sheetRoot);
    EXPECT_EQ(description->GetFocusParent(), frame);
    EXPECT_TRUE(description->IsVisible());
    struct Case {
        const char* Name;
        TPoint At;      // the frame's place in the scheme's root
        TRect Margins;  // the theme's margins
        TPoint Want;    // the description's place in the sheet's root
    };
    const int w = frame->Width();
    const Case cases[] = {
        {"the theme's margins", {10, 20}, Rect(-3, -5, 0, 0), {7 + 10 + w - 3, 11 + 20 - 5}},
        {"positive margins", {0, 0}, Rect(4, 2, 0, 0), {7 + w + 4, 11 + 2}},
        {"above the root's top", {5, -20}, Rect(-3, -5, 0, 0), {7 + 5 + w - 3, 0}},
    };
    for (const Case& c : cases) {
        Canvas().Margins = c.Margins;
        frame->SetBounds(c.At.X, c.At.Y, w, frame->Height());
        frame->PlaceDescription();
        EXPECT_EQ((TPoint{description->Left(), description->Top()}), c.Want) << c.Name;
    }

    // It follows a move of the frame, of an ancestor and a new width from the layout.
    Canvas().Margins = Rect(-3, -5, 0, 0);
    frame->SetBounds(30, 40, w, frame->Height());
    EXPECT_EQ((TPoint{description->Left(), description->Top()}), (TPoint{7 + 30 + w - 3, 11 + 35}));
    schemeRoot->SetBounds(17, 21, 900, 700);
    EXPECT_EQ((TPoint{description->Left(), description->Top()}), (TPoint{17 + 30 + w - 3, 21 + 35}));
    frame->SetExplicitSize(w + 50, 0);
    EXPECT_EQ(frame->Width(), w + 50);
    EXPECT_EQ(description->Left(), 17 + 30 + w + 50 - 3);

    // Keyboard navigation visits it first forward and last backward.
    EXPECT_EQ(frame->GetNextVisualChild(nullptr, true), description);
    EXPECT_EQ(frame->GetNextVisualChild(description, true), frame->FirstVisual());
    EXPECT_EQ(frame->GetNextVisualChild(frame->FirstVisual(), false), description);
    EXPECT_EQ(frame->GetNextVisualChild(description, false), nullptr);
    EXPECT_EQ(frame->GetNextVisualChild(nullptr, false), frame->LastVisual());

    // A hit on it finds the description over whatever lies below.
    const TPoint inside{description->Left() + description->Width() / 2, description->Top() + description->Height() / 2};
    EXPECT_EQ(sheetRoot->HitTest(inside, hfSelf | hfChildren | hfDescendants), description);

    // Leaving the sheet takes it off the root; coming back links and places it again.
    sheet.SetFocused(description);
    schemeRoot->SetVisualParent(nullptr, nullptr);
    EXPECT_EQ(description->VisualParent(), nullptr);
    EXPECT_EQ(description->Sheet(), nullptr);
    EXPECT_EQ(sheet.GetFocused(), nullptr);
    schemeRoot->SetVisualParent(sheetRoot, nullptr);
    EXPECT_EQ(description->VisualParent(), sheetRoot);
    EXPECT_EQ(description->Left(), schemeRoot->Left() + frame->Left() + frame->Width() - 3);

    // Destroying the frame frees the description and unlinks it from the root.
    delete frame;
    frame = nullptr;
    for (TVisualElement* c = sheetRoot->FirstVisual(); c; c = c->NextVisual())
        EXPECT_EQ(dynamic_cast<TDescriptionElement*>(c), nullptr);
}

TEST_F(LogicFrameLayoutTest, DescriptionIsShownWithItsElementAndWhenFilledOrFocused)
{
    // A frame inside the content of `frame` is hidden while `frame` is collapsed.
    TVisualElement* content = frame->GetContent();
    auto* inner = TVisualElement::NewVisualPart<TElement_LogicFrame>(content, nullptr, content);
    TCustomCommentElement* description = inner->GetDescription();
    ASSERT_TRUE(inner->IsVisible());
    // Empty, it shows only while it has the focus.
    EXPECT_FALSE(description->IsVisible());
    sheet.SetFocused(description);
    EXPECT_TRUE(description->IsVisible());
    sheet.SetFocused(nullptr);
    EXPECT_FALSE(description->IsVisible());
    description->Text().SetText(u"why");
    EXPECT_TRUE(description->IsVisible());
    frame->SetExpanded(false);
    EXPECT_FALSE(inner->IsVisible());
    EXPECT_FALSE(description->IsVisible());
    frame->SetExpanded(true);
    EXPECT_TRUE(inner->IsVisible());
    EXPECT_TRUE(description->IsVisible());
}

} // namespace
