#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "elements/ClassesGroups.h"
#include "elements/DropDownList.h"
#include "elements/ElementClass.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "elements/SchemeImages.h"
#include "foundation/Clock.h"
#include "library/DateMask.h"
#include "support/ElementFakes.h"
#include "support/TestElements.h"
#include "typing/MacroElements.h"
#include "typing/MacroElementsResources.h"

namespace quillora {
namespace {

TEST(MacroElements, InitializationAddsImagesGroupAndClassesOnce)
{
    InitializeMacroElements();
    const int small = MacroSmallImageBase;
    const int large = MacroLargeImageBase;
    const int group = MacroClassesGroup;
    InitializeMacroElements();
    EXPECT_EQ(MacroSmallImageBase, small);
    EXPECT_EQ(MacroClassesGroup, group);

    // The strips are found and cut: 15 images (of 18 cells) and one large image.
    ASSERT_GE(small, 0);
    ASSERT_GE(large, 0);
    EXPECT_GE(SchemeSmallImages().Count(), small + 15);
    const TBitmap32* caret = SchemeLargeImages().GetImage(large);
    ASSERT_NE(caret, nullptr);
    EXPECT_EQ(caret->Width(), 32);

    const TElementClassList& classes = ClassesGroups().GetGroups(group);
    ASSERT_EQ(classes.size(), 15u);
    const char* order[] = {"Caret", "Return", "Tab",  "Back",  "Home",     "End",       "Left",    "Up",
                           "Right", "Down",   "Del",  "Paste", "WordLeft", "WordRight", "DateTime"};
    for (size_t i = 0; i < std::size(order); ++i) {
        EXPECT_EQ(StringToUtf8(classes[i]->GetTypeName()), order[i]);
        EXPECT_EQ(FindElementClass(classes[i]->GetTypeName()), classes[i]);
    }
}

TEST(MacroElements, KeyElementsShowTheirImageAndCannotBeDisabled)
{
    InitializeMacroElements();
    std::unique_ptr<TElement_Home> home(TElement::NewElement<TElement_Home>(nullptr));
    EXPECT_EQ(home->GetImageIndex(), MacroSmallImageBase + 8);
    EXPECT_FALSE(home->HasVisualOption(voCanDisable));
    EXPECT_EQ(home->Width(), 16);
    EXPECT_EQ(home->Height(), 16);

    std::unique_ptr<TElement_Caret> caret(TElement::NewElement<TElement_Caret>(nullptr));
    EXPECT_EQ(caret->GetImageIndex(), MacroSmallImageBase);
    EXPECT_EQ(caret->Width(), 4);
    EXPECT_EQ(caret->Height(), 16);
}

TEST(MacroElements, PaletteDescriptions)
{
    InitializeMacroElements();
    const auto& groups = MacroPaletteGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].Name, StringView(u"Control"));
    EXPECT_EQ(groups[0].Order, 200);
    EXPECT_EQ(groups[1].Name, StringView(u"Editing"));
    EXPECT_EQ(groups[1].Order, 190);

    std::set<const TElementClass*> seen;
    for (const TMacroPaletteItem& item : MacroPaletteItems()) {
        EXPECT_TRUE(seen.insert(item.Class).second);
        if (item.Class == &TElement_Caret::Class()) {
            EXPECT_EQ(item.Group, StringView(u"Insert"));
            EXPECT_EQ(item.Flags, pifLargeImageItem);
            EXPECT_EQ(item.ImageIndex, MacroLargeImageBase);
            EXPECT_EQ(item.Order, 1000);
        } else {
            EXPECT_EQ(item.Flags, pifSmallImageItem);
        }
        if (item.Class == &TElement_WordRight::Class()) {
            EXPECT_EQ(item.Group, StringView(u"Control"));
            EXPECT_EQ(item.CaptionId, 6815);
            EXPECT_EQ(item.Order, 870);
            EXPECT_EQ(item.ImageIndex, MacroSmallImageBase + 13);
        }
    }
    EXPECT_EQ(seen.size(), 15u);
    const TMacroPaletteItem& date = MacroPaletteItems().back();
    EXPECT_EQ(date.Class, &TElement_DateTime::Class());
    EXPECT_EQ(date.HintId, 6817);
    EXPECT_EQ(date.ImageIndex, MacroSmallImageBase + 14);
}

class TElement_MyTab : public TElement_Tab {
public:
    QUILLORA_ELEMENT_CLASS(TElement_MyTab, TElement_Tab)
};

TEST(MacroElements, ExactKeyClassesOnly)
{
    TMacroItemKind kind = mkText;
    EXPECT_TRUE(MacroKindOfClass(TElement_Tab::Class(), kind));
    EXPECT_EQ(kind, mkTab);
    EXPECT_TRUE(MacroKindOfClass(TElement_Caret::Class(), kind));
    EXPECT_EQ(kind, mkCaret);
    EXPECT_FALSE(MacroKindOfClass(TElement_MyTab::Class(), kind));
    EXPECT_FALSE(MacroKindOfClass(TCustomMacroElement::Class(), kind));
}

TEST(MacroElements, DateTimeElementRequiresItsMaskAndCanBeDisabled)
{
    std::unique_ptr<TElement_DateTime> date(TElement::NewElement<TElement_DateTime>(nullptr));
    EXPECT_TRUE(date->HasFlag(efValueRequired));
    EXPECT_TRUE(date->HasVisualOption(voCanDisable));
    EXPECT_TRUE(date->HasDropDown());
    EXPECT_EQ(date->TextOptions(), 79u);
    EXPECT_EQ(date->Options(), 0x40020u);
    String hint;
    date->GetHint(hint);
    EXPECT_EQ(hint, u"Date and Time");

    date->InitializeNew(0);
    EXPECT_EQ(date->GetMask(), u"yyyy.mm.dd hh:nn:ss");
}

// The element's message about a missing mask: whether it has one and of which kind.
bool NeedsItsMask(const TElement& element)
{
    const TElementMessages* messages = element.Messages();
    return messages && messages->Count() == 1 && messages->GetItems(0).Kind == mkValueRequired;
}

TEST(MacroElements, AnEmptyDateMaskIsFlaggedFromTheStart)
{
    // Created alone: checked at once.
    std::unique_ptr<TElement_DateTime> alone(TElement::NewElement<TElement_DateTime>(nullptr));
    EXPECT_TRUE(NeedsItsMask(*alone));
    alone->InitializeNew(0);
    EXPECT_EQ(alone->Messages(), nullptr);
    alone->SetTextIfChanged(u"");
    EXPECT_TRUE(NeedsItsMask(*alone));

    // Created while a document loads (as a stored element without a value is): checked
    // once the document is complete.
    TScheme scheme(&testing::TTestRoot::Class(), u"Quillora");
    scheme.BeginUpdate();
    std::unique_ptr<TElement_DateTime> empty(TElement::NewElement<TElement_DateTime>(&scheme));
    std::unique_ptr<TElement_DateTime> filled(TElement::NewElement<TElement_DateTime>(&scheme));
    filled->SetTextIfChanged(u"yyyy");
    EXPECT_EQ(empty->Messages(), nullptr);
    scheme.EndUpdate();
    EXPECT_TRUE(NeedsItsMask(*empty));
    EXPECT_EQ(filled->Messages(), nullptr);
}

TEST(MacroElements, DateTimeElementDrawsTheSubstitutionFrame)
{
    std::unique_ptr<TElement_DateTime> date(TElement::NewElement<TElement_DateTime>(nullptr));
    date->SetBounds(0, 0, 60, 20);
    testing::TRecordingCanvas canvas;
    date->PaintFrame(canvas);
    EXPECT_EQ(canvas.Calls, std::vector<std::string>{"Frame " + std::to_string(steSubstitution) + " 0,0 60x20"});
}

TEST(MacroElements, DateTimeListOffersThePresetsAndSelectsTheMatchingOne)
{
    std::unique_ptr<TElement_DateTime> date(TElement::NewElement<TElement_DateTime>(nullptr));
    struct Case {
        const char16_t* Mask;
        const char16_t* Selected; // none: FillDropDown returns none
    };
    const Case cases[] = {
        {u"dd.mm.yy hh:nn", u"dd.mm.yy hh:nn"},
        {u"dd.mm.yyyy", u"dd.mm.yyyy"},
        {u"DD.MM.YY", nullptr}, // case-sensitive matching only
        {u"hh:nn", nullptr},
    };
    for (const Case& c : cases) {
        date->SetTextIfChanged(c.Mask);
        TDropDownList list(nullptr, date.get());
        TDropDownItem* selected = date->FillDropDown(list.RootItem());
        int count = 0;
        for (TDropDownItem* item = list.FirstItem(); item; item = item->NextItem())
            EXPECT_EQ(item->Name, String(DateMaskPresets()[static_cast<size_t>(count++)]));
        EXPECT_EQ(count, 9);
        if (c.Selected) {
            ASSERT_NE(selected, nullptr) << StringToUtf8(c.Mask);
            EXPECT_EQ(selected->Name, c.Selected);
        } else {
            EXPECT_EQ(selected, nullptr) << StringToUtf8(c.Mask);
        }
    }
}

} // namespace
} // namespace quillora
