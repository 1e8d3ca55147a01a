#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/VisualElement.h"
#include "foundation/Clock.h"
#include "foundation/LocaleFormat.h"
#include "foundation/Service.h"
#include "support/TextFakes.h"
#include "text/Paragraph.h"
#include "text/Textor.h"
#include "typing/MacroElements.h"
#include "typing/MacroItems.h"

namespace quillora {
namespace {

// A text that keeps tabs as tab stops and breaks paragraphs, as the document's root does.
class TSnippetText : public testing::TPlainTextor {
public:
    TSnippetText& Text(StringView text)
    {
        TTextorRange range;
        InsertText(GetEnd(), text, nullptr, range);
        return *this;
    }
    template <class T>
    TSnippetText& Element()
    {
        TTextorRange range;
        InsertElement(GetEnd(), TElement::NewElement<T>(nullptr), nullptr, range);
        return *this;
    }
    TSnippetText& Date(StringView mask, bool disabled = false)
    {
        TTextorRange range;
        auto* element = TElement::NewElement<TElement_DateTime>(nullptr);
        element->SetTextIfChanged(mask);
        element->SetDisabled(disabled);
        InsertElement(GetEnd(), element, nullptr, range);
        return *this;
    }
    TVisualElement* Other()
    {
        TTextorRange range;
        auto* element = TElement::NewElement<TVisualElement>(nullptr);
        InsertElement(GetEnd(), element, nullptr, range);
        return element;
    }
};

class TElement_MyReturn : public TElement_Return {
public:
    QUILLORA_ELEMENT_CLASS(TElement_MyReturn, TElement_Return)
};

TMacroItem Text(const char16_t* text) { return {mkText, text}; }
TMacroItem Key(TMacroItemKind kind) { return {kind, {}}; }

TMacroItems Build(int backspaces, TSnippetText& text)
{
    TMacroItems items{Text(u"left over")};
    BuildMacroItems(backspaces, *text.FirstParagraph(), items);
    return items;
}

TEST(BuildMacroItems, FilterCharactersAreErasedBeforeTheSnippet)
{
    TSnippetText text;
    text.Text(u"Dear ").Element<TElement_Caret>().Text(u", regards");
    EXPECT_EQ(Build(3, text), (TMacroItems{Key(mkBack), Key(mkBack), Key(mkBack), Text(u"Dear "), Key(mkCaret),
                                           Text(u", regards")}));
}

TEST(BuildMacroItems, EveryKeyClassTypesItsKey)
{
    TSnippetText text;
    text.Element<TElement_Return>().Element<TElement_Tab>().Element<TElement_Back>().Element<TElement_Home>();
    text.Element<TElement_End>().Element<TElement_Left>().Element<TElement_Up>().Element<TElement_Right>();
    text.Element<TElement_Down>().Element<TElement_Del>().Element<TElement_Paste>().Element<TElement_WordLeft>();
    text.Element<TElement_WordRight>();
    EXPECT_EQ(Build(0, text),
              (TMacroItems{Key(mkReturn), Key(mkTab), Key(mkBack), Key(mkHome), Key(mkEnd), Key(mkLeft), Key(mkUp),
                           Key(mkRight), Key(mkDown), Key(mkDel), Key(mkPaste), Key(mkWordLeft), Key(mkWordRight)}));
}

TEST(BuildMacroItems, TabStopsOtherElementsAndSubclassesTypeNothing)
{
    TSnippetText text;
    text.Text(u"one\ttwo");
    text.Other();
    text.Element<TElement_MyReturn>().Element<TElement_Tab>().Text(u"three");
    // The tab character became a tab-stop portion between two text portions.
    EXPECT_EQ(Build(1, text), (TMacroItems{Key(mkBack), Text(u"one"), Text(u"two"), Key(mkTab), Text(u"three")}));
}

TEST(BuildMacroItems, AnEmptyParagraphGivesOnlyTheBackspaces)
{
    TSnippetText text;
    EXPECT_EQ(Build(2, text), (TMacroItems{Key(mkBack), Key(mkBack)}));
    EXPECT_EQ(Build(0, text), TMacroItems{});
}

// A clock that moves on by a second every time it is read.
class TRunningClock : public ILocalClock {
public:
    TDateTimeParts Now() const override
    {
        TDateTimeParts now{2024, 2, 3, 9, 5, 7, 250};
        now.Second += reads_++;
        return now;
    }

private:
    mutable int reads_ = 0;
};

class BuildMacroItemsDates : public ::testing::Test {
protected:
    TRunningClock clock_;
    TFixedLocaleFormat locale_{EnglishUnitedStatesFormatSettings()};
    TProvide<ILocalClock> provideClock_{clock_};
    TProvide<ILocaleFormat> provideLocale_{locale_};
};

TEST_F(BuildMacroItemsDates, EveryDateOfOneSnippetShowsTheSameMoment)
{
    TSnippetText text;
    text.Date(u"hh:nn:ss.zzz").Text(u" - ").Date(u"ss", true);
    EXPECT_EQ(Build(0, text), (TMacroItems{Text(u"09:05:07.250"), Text(u" - "), Text(u"07")}));
    // The next snippet reads the clock afresh.
    EXPECT_EQ(Build(0, text), (TMacroItems{Text(u"09:05:08.250"), Text(u" - "), Text(u"08")}));
}

TEST_F(BuildMacroItemsDates, AnEmptyMaskTypesAsC)
{
    TSnippetText text;
    text.Date(u"").Date(u"c");
    EXPECT_EQ(Build(0, text), (TMacroItems{Text(u"2/3/2024 9:05:07 AM"), Text(u"2/3/2024 9:05:07 AM")}));
}

TEST(BuildMacroItems, OnlyTheGivenParagraphIsTyped)
{
    TSnippetText text;
    text.Text(u"first\r\nsecond");
    TMacroItems items;
    BuildMacroItems(0, *text.FirstParagraph()->Next(), items);
    EXPECT_EQ(items, TMacroItems{Text(u"second")});
}

} // namespace
} // namespace quillora
