// The drop-down list's logic: captions, prefix filter, tokens and placement.

#include <gtest/gtest.h>

#include "SendKeysFakes.h"
#include "elements/VisualElement.h"
#include "foundation/AnsiCodePage.h"
#include "foundation/Service.h"
#include "support/TextFakes.h"
#include "typing/DropDownModel.h"

namespace quillora {
namespace {

class TElement_Marker : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Marker, TVisualElement)
};

class DropDownModelTest : public ::testing::Test {
protected:
    testing::TCountingFontManager fonts;
    TProvide<TDeviceContextManager> provideFonts{fonts};
    testing::TTestTextor text;

    void Append(StringView chars)
    {
        TTextorRange range;
        text.InsertText(text.GetEnd(), chars, nullptr, range);
    }
    void AppendElement()
    {
        TTextorRange range;
        text.InsertElement(text.GetEnd(), TElement::NewElement<TElement_Marker>(nullptr), nullptr, range);
    }
    std::vector<String> Captions(const TDropDownModel& model)
    {
        std::vector<String> captions;
        for (int i = 0; i < model.Count(); ++i) captions.push_back(String(model.Item(i).Caption));
        return captions;
    }
};

TEST_F(DropDownModelTest, CaptionsSkipEmptyParagraphsAndElements)
{
    // "ab" | element + "cd" | (empty) | "x" TAB "y" + element + "z"
    Append(u"ab\r\n");
    AppendElement();
    Append(u"cd\r\n\r\nx\ty");
    AppendElement();
    Append(u"z");
    TDropDownModel model;
    model.Open(text);
    EXPECT_EQ(Captions(model), (std::vector<String>{u"ab", u"cd", u"x\tyz"}));
    EXPECT_EQ(model.Selection(), 0);
    EXPECT_EQ(model.Item(1).Paragraph, text.ParagraphAt(1));
    // A paragraph that begins with an element matches by the text after it.
    ASSERT_TRUE(model.HandleChar(u'C'));
    EXPECT_EQ(Captions(model), (std::vector<String>{u"cd"}));
}

TEST_F(DropDownModelTest, FilterIsACaseInsensitivePrefixInDocumentOrder)
{
    Append(u"Abend\r\nxab later\r\naBc\r\nab");
    TDropDownModel model;
    model.Open(text);
    model.SetSelection(3);
    EXPECT_TRUE(model.HandleChar(u'a'));
    EXPECT_TRUE(model.HandleChar(u'B'));
    EXPECT_EQ(Captions(model), (std::vector<String>{u"Abend", u"aBc", u"ab"}));
    EXPECT_EQ(model.Selection(), 0);
    EXPECT_EQ(model.Filter(), u"aB");
    EXPECT_TRUE(model.HandleChar(u'x'));
    EXPECT_EQ(model.Count(), 0);
    EXPECT_EQ(model.Selection(), -1);
    EXPECT_EQ(model.SelectedParagraph(), nullptr);
    // Backspace removes one character at a time; with an empty filter it does nothing.
    EXPECT_TRUE(model.HandleChar(8));
    EXPECT_TRUE(model.HandleChar(8));
    EXPECT_TRUE(model.HandleChar(8));
    EXPECT_EQ(model.Count(), 4);
    EXPECT_FALSE(model.HandleChar(8));
    EXPECT_EQ(model.Filter(), u"");
    // Control codes are ignored; a surrogate pair goes whole.
    EXPECT_FALSE(model.HandleChar(27));
    model.HandleChar(0xD83D);
    model.HandleChar(0xDE00);
    EXPECT_EQ(model.Filter().size(), 2u);
    model.HandleChar(8);
    EXPECT_EQ(model.Filter(), u"");
    // A lone lead surrogate is a character of its own: it stays when the one after it goes.
    model.HandleChar(0xD83D);
    model.HandleChar(u'x');
    model.HandleChar(8);
    EXPECT_EQ(model.Filter(), u"\xD83D");
    model.HandleChar(8);
    EXPECT_EQ(model.Filter(), u"");
    // Lead bytes of a double-byte ANSI code page are not added.
    struct TDoubleByteCodePage : TCp1252CodePage {
        bool IsLeadByte(uint8_t byte) const override { return byte == 0x81; }
    } doubleByte;
    TProvide<TAnsiCodePage> provideCodePage(doubleByte);
    EXPECT_FALSE(model.HandleChar(0x81));
    EXPECT_TRUE(model.HandleChar(0xE9));
}

TEST_F(DropDownModelTest, Tokens)
{
    Append(u"one\r\ntwo\r\nthree");
    TDropDownModel model;
    model.Open(text);
    struct Case {
        const char16_t* token;
        int pageSize;
        TTokenResult result;
        int selection;
    };
    const Case cases[] = {
        {u"[DOWN]", 10, TTokenResult::SelectionMoved, 1},
        {u"[PGDN]", 10, TTokenResult::SelectionMoved, 2},
        {u"[DOWN]", 10, TTokenResult::None, 2},
        {u"[HOME]", 10, TTokenResult::SelectionMoved, 0},
        {u"[UP]", 10, TTokenResult::None, 0},
        {u"[RIGHT]", 10, TTokenResult::SelectionMoved, 2},
        {u"[LEFT]", 10, TTokenResult::SelectionMoved, 0},
        {u"[END]", 10, TTokenResult::SelectionMoved, 2},
        {u"[PGUP]", 1, TTokenResult::SelectionMoved, 1},
        {u"[enter]", 10, TTokenResult::Beep, 1},
        {u"[F1]", 10, TTokenResult::Beep, 1},
        {u"[BACKSPACE]", 10, TTokenResult::None, 1},
        {u"[ENTER]", 10, TTokenResult::Choose, 1},
        {u"[ESC]", 10, TTokenResult::Close, 1},
        {u"t", 10, TTokenResult::FilterChanged, 0},
        {u"[BACKSPACE]", 10, TTokenResult::FilterChanged, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(model.HandleToken(c.token, c.pageSize), c.result) << StringToUtf8(c.token);
        EXPECT_EQ(model.Selection(), c.selection) << StringToUtf8(c.token);
    }
    EXPECT_EQ(model.Count(), 3);
}

TEST_F(DropDownModelTest, PointerRestingWhereItWasWhenTheItemsWereRebuiltSelectsNothing)
{
    Append(u"one\r\notter\r\ntwo");
    TDropDownModel model;
    testing_typing::TFakeKeyInput input;
    input.Cursor = {40, 50};
    TProvide<TInputInjector> provideInput(input);
    model.Open(text);
    // Opened under the resting pointer: a move message there selects nothing.
    EXPECT_FALSE(model.PointerMoved({40, 50}));
    EXPECT_TRUE(model.PointerMoved({41, 50}));
    // Once it moved, every move counts, also back to where it rested.
    EXPECT_TRUE(model.PointerMoved({40, 50}));

    // Typing rebuilds the items under the pointer where it is now: it rests again there,
    // and the new selection (item 0) stays.
    input.Cursor = {41, 50};
    ASSERT_EQ(model.HandleToken(u"t", 10), TTokenResult::FilterChanged);
    EXPECT_EQ(model.Selection(), 0);
    EXPECT_FALSE(model.PointerMoved({41, 50}));
    EXPECT_TRUE(model.PointerMoved({41, 70}));

    // Without a pointer position nothing counts as resting.
    input.CursorReadable = false;
    TDropDownModel blind;
    blind.Open(text);
    EXPECT_TRUE(blind.PointerMoved({-1, -1}));
}

TEST(DropDownPlacementTest, BelowTheCaretInsideTheWorkArea)
{
    const TRect work {0, 0, 1024, 738};
    struct Case {
        TRect caret;
        TPoint expected;
    };
    const Case cases[] = {
        {{100, 200, 102, 216}, {102 - 29, 218}},
        {{1000, 200, 1002, 216}, {1024 - 267, 218}},       // right edge
        {{100, 700, 102, 716}, {73, 738 - 216}},           // bottom edge
        {{-300, 100, -298, 116}, {-298 - 29, 118}},        // no clamping at the left
        {{}, {(1024 - 267) / 2, 738 - 216}},               // no caret: bottom edge, centred
        {{100, 200, 100, 216}, {100 - 29, 218}},           // a caret of no width
    };
    for (const Case& c : cases) {
        TPoint p = DropDownPosition(c.caret, 267, 216, work);
        EXPECT_EQ(p, c.expected) << c.caret.Left << "," << c.caret.Top;
    }
}

TEST(DropDownPlacementTest, StaysOnTheMonitorThatHoldsTheCaret)
{
    // A primary monitor with a taskbar at the bottom, a second one on its left, a third
    // one above the primary's right half with its taskbar on top.
    const std::vector<TMonitorArea> monitors{
        {{0, 0, 1024, 768}, {0, 0, 1024, 738}, true},
        {{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}, false},
        {{512, -600, 1312, 0}, {512, -570, 1312, 0}, false},
    };
    struct Case {
        const char* name;
        TRect caret;
        TPoint expected;
    };
    const Case cases[] = {
        {"primary", {100, 200, 102, 216}, {73, 218}},
        {"left monitor", {-600, 300, -598, 316}, {-627, 318}},
        {"left monitor's right edge: not onto the primary", {-10, 300, -8, 316}, {-267, 318}},
        {"left monitor's bottom edge", {-600, 1000, -598, 1016}, {-627, 1024 - 216}},
        {"primary's left edge: not onto the left monitor", {5, 300, 7, 316}, {0, 318}},
        {"upper monitor's bottom edge: not onto the primary", {700, -40, 702, -24}, {673, -216}},
        {"upper monitor's taskbar", {700, -600, 702, -584}, {673, -570}},
        {"beside the monitors: the nearest", {1100, 300, 1102, 316}, {757, 318}},
        {"no caret: the primary's bottom edge", {}, {(1024 - 267) / 2, 738 - 216}},
    };
    for (const Case& c : cases) EXPECT_EQ(DropDownPositionOnMonitors(c.caret, 267, 216, monitors), c.expected) << c.name;
    EXPECT_EQ(CaretWorkArea({5, 5, 6, 20}, {}), TRect{});
}

TEST(DropDownPlacementTest, PageAndItemSizes)
{
    EXPECT_EQ(DropDownPageSize(216, 23), 9);
    EXPECT_EQ(DropDownPageSize(10, 23), 1);
    EXPECT_EQ(DropDownItemHeight(13), 19);
    EXPECT_EQ(DropDownItemHeight(20), 24);
}

} // namespace
} // namespace quillora
