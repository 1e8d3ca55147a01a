#include "typing/MacroElements.h"

#include <utility>

#include "elements/ClassesGroups.h"
#include "elements/SchemeImages.h"
#include "foundation/Localization.h"
#include "foundation/StringIds.h"
#include "typing/MacroElementsResources.h"

namespace quillora {

int MacroSmallImageBase = -1;
int MacroLargeImageBase = -1;
int MacroClassesGroup = -1;

// ---- elements ----

void TCustomMacroElement::Create()
{
    TCustomSmallImageElement::Create();
    SetVisualOptions(VisualOptions() & ~voCanDisable);
}

int TCustomMacroElement::MacroImage(int offset) { return MacroSmallImageBase >= 0 ? MacroSmallImageBase + offset : 0; }

void TElement_Caret::Create()
{
    TCustomMacroElement::Create();
    SetBounds(Left(), Top(), 4, SchemeSmallImages().CellSize());
}

void TElement_DateTime::Create()
{
    TCustomDateTimeMaskElement::Create();
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voCanDisable));
    // Through SetFlags, so that the element is checked at once: a mask that stays empty
    // (a new element before its default, a loaded one without a value) is an error.
    SetFlags(static_cast<TElementFlags>(Flags() | efValueRequired));
}

bool TElement_DateTime::GetFrameKind(TSheetThemeElement& kind)
{
    kind = steSubstitution;
    return true;
}

void TElement_DateTime::GetHint(String& text) { text = LoadString(sidDateTime); }

namespace {

struct TKeyClass {
    const TElementClass* Class;
    TMacroItemKind Kind;
};

const std::vector<TKeyClass>& KeyClasses()
{
    static const std::vector<TKeyClass> classes = {
        {&TElement_Caret::Class(), mkCaret},       {&TElement_Return::Class(), mkReturn},
        {&TElement_Tab::Class(), mkTab},           {&TElement_Back::Class(), mkBack},
        {&TElement_Home::Class(), mkHome},         {&TElement_End::Class(), mkEnd},
        {&TElement_Left::Class(), mkLeft},         {&TElement_Up::Class(), mkUp},
        {&TElement_Right::Class(), mkRight},       {&TElement_Down::Class(), mkDown},
        {&TElement_Del::Class(), mkDel},           {&TElement_Paste::Class(), mkPaste},
        {&TElement_WordLeft::Class(), mkWordLeft}, {&TElement_WordRight::Class(), mkWordRight},
    };
    return classes;
}

} // namespace

bool MacroKindOfClass(const TElementClass& elementClass, TMacroItemKind& kind)
{
    for (const TKeyClass& k : KeyClasses())
        if (k.Class == &elementClass) {
            kind = k.Kind;
            return true;
        }
    return false;
}

// ---- palette ----

const std::vector<TMacroPaletteGroup>& MacroPaletteGroups()
{
    static const std::vector<TMacroPaletteGroup> groups = {
        {u"Control", 6800, 200},
        {u"Editing", 6801, 190},
    };
    return groups;
}

namespace {

std::vector<TMacroPaletteItem> BuildPaletteItems()
{
    auto small = [](int offset) { return MacroSmallImageBase >= 0 ? MacroSmallImageBase + offset : 0; };
    const int large = MacroLargeImageBase >= 0 ? MacroLargeImageBase : 0;
    return {
        {&TElement_Caret::Class(), u"Insert", 6802, 0, 1000, pifLargeImageItem, large},
        {&TElement_Left::Class(), u"Control", 6808, 0, 930, pifSmallImageItem, small(1)},
        {&TElement_Up::Class(), u"Control", 6809, 0, 940, pifSmallImageItem, small(2)},
        {&TElement_Right::Class(), u"Control", 6810, 0, 890, pifSmallImageItem, small(3)},
        {&TElement_Down::Class(), u"Control", 6811, 0, 910, pifSmallImageItem, small(4)},
        {&TElement_Back::Class(), u"Editing", 6805, 0, 940, pifSmallImageItem, small(5)},
        {&TElement_Tab::Class(), u"Editing", 6804, 0, 980, pifSmallImageItem, small(6)},
        {&TElement_Return::Class(), u"Editing", 6803, 0, 990, pifSmallImageItem, small(7)},
        {&TElement_Home::Class(), u"Control", 6806, 0, 950, pifSmallImageItem, small(8)},
        {&TElement_End::Class(), u"Control", 6807, 0, 920, pifSmallImageItem, small(9)},
        {&TElement_Del::Class(), u"Editing", 6812, 0, 950, pifSmallImageItem, small(10)},
        {&TElement_Paste::Class(), u"Editing", 6813, 0, 960, pifSmallImageItem, small(11)},
        {&TElement_WordLeft::Class(), u"Control", 6814, 0, 880, pifSmallImageItem, small(12)},
        {&TElement_WordRight::Class(), u"Control", 6815, 0, 870, pifSmallImageItem, small(13)},
        {&TElement_DateTime::Class(), u"Editing", 6816, 6817, 900, pifSmallImageItem, small(MacroDateTimeImageOffset)},
    };
}

std::vector<TMacroPaletteItem>& PaletteItems()
{
    static std::vector<TMacroPaletteItem> items;
    return items;
}

} // namespace

const std::vector<TMacroPaletteItem>& MacroPaletteItems() { return PaletteItems(); }

// ---- module initialization ----

void InitializeMacroElements()
{
    static bool initialized = false;
    if (initialized) return;
    initialized = true;

    const TResourceModule& resources = MacroElementsResources();
    const int small = SchemeSmallImages().AddImages(MacroSmallImagesResourceName, resources);
    const int large = SchemeLargeImages().AddImages(MacroLargeImagesResourceName, resources);
    MacroSmallImageBase = small;
    MacroLargeImageBase = large;

    MacroClassesGroup = ClassesGroups().AddGroup();
    TElementClassList& group = ClassesGroups().GetGroups(MacroClassesGroup);
    for (const TKeyClass& k : KeyClasses()) {
        AddClass(group, k.Class);
        RegisterElementClass(*k.Class);
    }
    AddClass(group, &TElement_DateTime::Class());
    RegisterElementClass(TElement_DateTime::Class());
    PaletteItems() = BuildPaletteItems();
}

} // namespace quillora
