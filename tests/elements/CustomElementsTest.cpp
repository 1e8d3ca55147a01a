#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "elements/CustomElements.h"
#include "elements/DropDownList.h"
#include "elements/EditCommands.h"
#include "elements/Scheme.h"
#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "support/ElementFakes.h"

namespace quillora {
namespace {

using testing::TFakeSheet;

class TElement_TestButton : public TCustomButtonElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_TestButton, TCustomButtonElement)
    int Executed = 0;
    void Execute() override { ++Executed; }
};

class TElement_TestDropDown : public TCustomDropDownElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_TestDropDown, TCustomDropDownElement)
    std::vector<std::string> Choices{"one", "two", "three"};
    int Current = -1; // the choice FillDropDown returns; -1: none
    bool Applies = true;
    bool FillThrows = false;
    std::vector<std::string> Applied;

    void SetOptions(TVisualOptions o) { SetVisualOptions(o); }
    TDropDownItem* FillDropDown(TDropDownItem& root) override
    {
        TDropDownItem* current = nullptr;
        for (size_t i = 0; i < Choices.size(); ++i) {
            TDropDownItem* item = root.AddItem(AsciiToString(Choices[i]));
            if (static_cast<int>(i) == Current) current = item;
        }
        if (FillThrows) throw Exception(u"cannot fill");
        return current;
    }
    bool ApplyDropDownItem(TDropDownItem* item) override
    {
        Applied.push_back(StringToUtf8(item->Name));
        return Applies;
    }
};

class TElement_TestImage : public TCustomSmallImageElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_TestImage, TCustomSmallImageElement)
    int GetImageIndex() override { return 7; }
};

class TElement_CursorPanel : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_CursorPanel, TVisualElement)
    TPoint Asked{-100, -100};
    TCursor GetCursor(TPoint point) override
    {
        Asked = point;
        return 42;
    }
};

// Keeps the list handed over by OpenDropDown and, when closing it accepted, calls its
// selection handler as the editor's sheet does.
class TDropDownSheet : public TFakeSheet {
public:
    std::unique_ptr<TDropDownList> List;
    int Opened = 0;
    void OpenDropDown(TDropDownList* list) override
    {
        List.reset(list);
        List->Shown = true;
        ++Opened;
    }
    void CloseDropDown(bool accept) override
    {
        std::unique_ptr<TDropDownList> list = std::move(List);
        if (list && accept && list->OnSelect) list->OnSelect(list->Owner());
    }
};

class TCountingBeeper : public TBeeper {
public:
    int Beeps = 0;
    void Beep() override { ++Beeps; }
};

class CustomElementsTest : public ::testing::Test {
protected:

    template <class T>
    T* Add(TVisualElement* parent, TRect bounds)
    {
        auto* e = TElement::NewElement<T>(&scheme);
        e->SetParent(parent);
        e->SetVisualParent(parent, nullptr);
        e->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        return e;
    }
    TElement_TestDropDown* AddDropDown(TVisualOptions options = voHasDropDown)
    {
        auto* panel = Add<TElement_CursorPanel>(sheet.Root(), Bounds(100, 50, 400, 300));
        auto* d = Add<TElement_TestDropDown>(panel, Bounds(10, 20, 60, 15));
        d->SetOptions(options);
        return d;
    }
    std::string SelectedName() const
    {
        return sheet.List && sheet.List->Selected() ? StringToUtf8(sheet.List->Selected()->Name) : "";
    }

    TScheme scheme;
    TDropDownSheet sheet;
    TCountingBeeper beeper;
    TProvide<TBeeper> provideBeeper{beeper};
};

TEST_F(CustomElementsTest, ButtonRunsOnEnterSpaceAndClickAndSwallowsTheirCharacters)
{
    auto* button = Add<TElement_TestButton>(sheet.Root(), Bounds(0, 0, 20, 20));
    EXPECT_TRUE(button->HasVisualOption(voPressable));
    for (auto [key, ch] : {std::pair{kcReturn, u'\r'}, std::pair{kcSpace, u' '}}) {
        TKeyEvent down = TKeyEvent::Down(key);
        button->KeyDown(down);
        EXPECT_TRUE(down.Consumed());
        TKeyEvent press = TKeyEvent::Press(ch);
        button->KeyPress(press);
        EXPECT_TRUE(press.Consumed());
    }
    EXPECT_EQ(button->Executed, 2);

    TKeyEvent other = TKeyEvent::Down(kcA, ssShift);
    button->KeyDown(other);
    TKeyEvent letter = TKeyEvent::Press(u'A', ssShift);
    button->KeyPress(letter);
    EXPECT_FALSE(other.Consumed());
    EXPECT_FALSE(letter.Consumed());
    EXPECT_EQ(button->Executed, 2);

    const TPointerEvent left{.Point = {5, 5}, .Button = pbLeft};
    button->MouseDown(left);
    button->MouseUp(left);
    EXPECT_EQ(button->Executed, 3);
    button->MouseDown(left);
    button->MouseUp(left.At({50, 5})); // released outside: no click
    EXPECT_EQ(button->Executed, 3);
}

TEST_F(CustomElementsTest, EnterOpensTheListWithTheCurrentChoiceBelowTheElement)
{
    TElement_TestDropDown* d = AddDropDown();
    d->Current = 1;
    TKeyEvent key = TKeyEvent::Down(kcReturn);
    d->KeyDown(key);
    EXPECT_TRUE(key.Consumed());
    ASSERT_TRUE(sheet.List);
    EXPECT_EQ(sheet.List->Owner(), d);
    EXPECT_EQ(sheet.List->Sheet(), &sheet);
    EXPECT_EQ(SelectedName(), "two");
    EXPECT_EQ(sheet.List->ElementRect, Bounds(110, 70, 60, 15));
    // The fake canvas: code line height 12, 6 pixels per character.
    EXPECT_EQ(sheet.List->ItemHeight, 18);
    EXPECT_EQ(sheet.List->Width, 5 * 6 + 38);

    TKeyEvent ch = TKeyEvent::Press(u'\r');
    d->KeyPress(ch);
    EXPECT_TRUE(ch.Consumed());
}

TEST_F(CustomElementsTest, ADoubleClickOpensTheList)
{
    TElement_TestDropDown* d = AddDropDown();
    d->MouseDown(TPointerEvent{.Point = {5, 5}, .Button = pbLeft});
    EXPECT_EQ(sheet.Opened, 0);
    d->MouseDown(TPointerEvent{.Point = {5, 5}, .Button = pbLeft, .ClickCount = 2});
    EXPECT_EQ(sheet.Opened, 1);
}

TEST_F(CustomElementsTest, WithoutACurrentChoiceTheFirstItemIsSelected)
{
    TElement_TestDropDown* d = AddDropDown();
    d->DblClick();
    EXPECT_EQ(sheet.Opened, 1);
    EXPECT_EQ(SelectedName(), "one");
}

TEST_F(CustomElementsTest, EnterKeysThatDoNotOpen)
{
    struct Case {
        TVisualOptions Options;
        TShiftState Shift;
        bool KeyConsumed;
        bool CharConsumed;
    };
    const Case cases[] = {
        {voHasDropDown, ssCtrl, false, true},       // Ctrl+Enter goes on to the default handling
        {voHasDropDown, ssCtrl | ssShift, false, true},
        {0, 0, true, false},                        // no list: the key is still consumed, the character is not
    };
    for (const Case& c : cases) {
        TElement_TestDropDown* d = AddDropDown(c.Options);
        TKeyEvent key = TKeyEvent::Down(kcReturn, c.Shift);
        d->KeyDown(key);
        TKeyEvent ch = TKeyEvent::Press(u'\r', c.Shift);
        d->KeyPress(ch);
        if (!d->HasDropDown()) d->DblClick();
        EXPECT_EQ(key.Consumed(), c.KeyConsumed) << c.Shift;
        EXPECT_EQ(ch.Consumed(), c.CharConsumed) << c.Shift;
        EXPECT_EQ(sheet.Opened, 0);
    }
}

TEST_F(CustomElementsTest, AcceptingAppliesTheItemAndBeepsWhenItCannot)
{
    TElement_TestDropDown* d = AddDropDown();
    d->OpenDropDown();
    sheet.CloseDropDown(true);
    EXPECT_EQ(d->Applied, std::vector<std::string>{"one"});
    EXPECT_EQ(beeper.Beeps, 0);

    d->Applies = false;
    d->Current = 2;
    d->OpenDropDown();
    sheet.CloseDropDown(true);
    EXPECT_EQ(d->Applied, (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(beeper.Beeps, 1);

    d->OpenDropDown();
    sheet.CloseDropDown(false); // closing without accepting changes nothing
    EXPECT_EQ(d->Applied.size(), 2u);

    d->Choices.clear(); // an empty list has no selection: nothing to apply, no beep
    d->OpenDropDown();
    sheet.CloseDropDown(true);
    EXPECT_EQ(d->Applied.size(), 2u);
    EXPECT_EQ(beeper.Beeps, 1);
}

TEST_F(CustomElementsTest, AFailingFillOpensNothingAndPassesTheErrorOn)
{
    TElement_TestDropDown* d = AddDropDown();
    d->FillThrows = true;
    EXPECT_THROW(d->OpenDropDown(), Exception);
    EXPECT_EQ(sheet.Opened, 0);
}

TEST_F(CustomElementsTest, WithoutASheetNothingOpens)
{
    std::unique_ptr<TElement_TestDropDown> d(TElement::NewElement<TElement_TestDropDown>(&scheme));
    d->SetOptions(voHasDropDown);
    d->OpenDropDown();
    TKeyEvent key = TKeyEvent::Down(kcReturn);
    d->KeyDown(key);
    EXPECT_EQ(sheet.Opened, 0);
}

TEST_F(CustomElementsTest, DelayedFocusActionOpensOnlyWhenEverythingAllows)
{
    struct Case {
        bool Focused;
        bool Setting;
        TVisualOptions Options;
        bool Opens;
    };
    const Case cases[] = {
        {true, true, voHasDropDown, true},
        {false, true, voHasDropDown, false},
        {true, false, voHasDropDown, false},
        {true, true, voHasDropDown | voNoAutoDropDown, false},
        {true, true, 0, false},
    };
    for (const Case& c : cases) {
        TElement_TestDropDown* d = AddDropDown(c.Options);
        sheet.SetFocused(c.Focused ? d : nullptr);
        const int before = sheet.Opened;
        d->DelayedFocusAction(c.Setting);
        EXPECT_EQ(sheet.Opened - before, c.Opens ? 1 : 0);
    }
}

TEST_F(CustomElementsTest, ListWidthFollowsExpandedItems)
{
    TDropDownList list(&sheet, nullptr);
    TDropDownItem* a = list.RootItem().AddItem(u"ab");
    TDropDownItem* b = list.RootItem().AddItem(u"b");
    TDropDownItem* deep = a->AddItem(u"abcdefghij");
    b->AddItem(u"x")->ImageIndex = 3;
    b->FirstItem()->ShortCutText = u"Ctrl";
    list.ComputeWidth(*sheet.GetCanvas());
    EXPECT_EQ(list.Width, 2 * 6 + 38);

    list.SetSelected(deep); // selecting expands the ancestors
    EXPECT_TRUE(a->Expanded());
    EXPECT_EQ(list.Width, 24 + 10 * 6 + 38);

    b->SetExpanded(true); // expanding collapses the siblings
    EXPECT_FALSE(a->Expanded());
    EXPECT_EQ(list.Width, 24 + 5 * 6 + 38 + 6 + 12 + 6);
}

TEST_F(CustomElementsTest, SmallImageElementIsSizedDrawnAndShowsItsParentsCursor)
{
    auto* panel = Add<TElement_CursorPanel>(sheet.Root(), Bounds(0, 0, 200, 100));
    auto* image = TElement::NewElement<TElement_TestImage>(&scheme);
    EXPECT_EQ(image->Width(), 16);
    EXPECT_EQ(image->Height(), 16);
    EXPECT_TRUE(image->HasVisualOption(voCanDisable));
    image->SetParent(panel);
    image->SetVisualParent(panel, nullptr);
    image->SetBounds(30, 40, 16, 16);

    EXPECT_EQ(image->GetCursor({2, 3}), 42);
    EXPECT_EQ(panel->Asked, (TPoint{32, 43}));

    testing::TRecordingCanvas canvas;
    image->Paint(canvas, 0);
    EXPECT_EQ(canvas.Calls, std::vector<std::string>{"SmallImage 0,0 0x0"});

    std::unique_ptr<TElement_TestImage> alone(TElement::NewElement<TElement_TestImage>(nullptr));
    EXPECT_EQ(alone->GetCursor({1, 1}), crDefault);
}

} // namespace
} // namespace quillora
