#include "elements/Palette.h"

#include <memory>

#include "elements/CustomSheet.h"
#include "elements/PaletteRules.h"
#include "elements/Sounds.h"
#include "elements/VisualElement.h"
#include "foundation/Localization.h"

namespace quillora {

TPaletteGroup::TPaletteGroup(TNode* palette, int captionId, int order)
{
    CaptionId = captionId;
    Order = order;
    if (palette) SetParent(palette);
}

TPaletteItem::TPaletteItem(TPaletteGroup* group, int captionId, int hintId, int order, int image, uint16_t flags,
                           StringView key)
    : HintId(hintId), Flags(flags), Key(key)
{
    CaptionId = captionId;
    Order = order;
    if (flags & pifLargeButton) LargeImage = image;
    else SmallImage = image;
    RadioGroup = (flags & pifRadio) ? 1 : 0;
    if (group) SetParent(group);
}

TPaletteGroup* TPaletteItem::Group() const { return dynamic_cast<TPaletteGroup*>(Parent()); }

int TPaletteItem::ExecuteOnList(const std::vector<TVisualElement*>& elements, bool checked, const String& value)
{
    int handled = 0;
    for (TVisualElement* element : elements) {
        if (!element) continue;
        TPaletteItemState state;
        element->GetPaletteItemState(this, state);
        if (state.Enabled && Execute(*element, checked, value)) ++handled;
    }
    return handled;
}

TPaletteItemTune TPaletteItemTune::Of(TPaletteItem& item)
{
    TPaletteItemTune tune;
    tune.Item = &item;
    tune.Group = item.Group();
    tune.Caption = item.CaptionId ? LoadString(item.CaptionId) : String();
    tune.SmallImage = item.SmallImage;
    tune.LargeImage = item.LargeImage;
    tune.Flags = item.Flags;
    tune.RadioGroup = item.RadioGroup;
    tune.Key = item.Key;
    return tune;
}

// ---- items that act on elements ----

TSchemePaletteItem::TSchemePaletteItem(TPaletteGroup* group, int captionId, int hintId, int order, uint16_t flags,
                                       StringView key, int image)
    : TPaletteItem(group, captionId, hintId, order, image, flags, key)
{
}

String TSchemePaletteItem::GetSound() const { return String(ItemSoundName); }

bool TSchemePaletteItem::Execute(TVisualElement& element, bool checked, const String& value)
{
    if (value.empty()) return ExecutePaletteItemOn(element, this, checked);
    TCustomSheet* sheet = element.Sheet();
    if (sheet) sheet->BeginUpdate();
    struct EndUpdate {
        TCustomSheet* sheet;
        ~EndUpdate()
        {
            if (sheet) sheet->EndUpdate();
        }
    } end{sheet};
    return element.ExecutePaletteSubItem(&element, this, value);
}

TElementPaletteItem::TElementPaletteItem(TPaletteGroup* group, const TElementClass& elementClass, int captionId,
                                         int hintId, int order, uint16_t flags, int image)
    : TSchemePaletteItem(group, captionId, hintId, order, flags, {}, image), class_(&elementClass)
{
}

String TElementPaletteItem::GetSound() const { return String(ElementSoundName); }

TDisablePaletteItem::TDisablePaletteItem(TPaletteGroup* group)
    : TSchemePaletteItem(group, 2335, 2336, 10, pifLargeButton | pifToggle, u"D", 1)
{
}

String TDisablePaletteItem::GetSound() const { return String(DisableSoundName); }

// ---- the palette ----

TPaletteGroup* TPalette::FindGroup(int captionId) const
{
    for (TNode* n = FirstChild(); n; n = n->NextSibling())
        if (auto* group = dynamic_cast<TPaletteGroup*>(n); group && group->CaptionId == captionId) return group;
    return nullptr;
}

TPalette& Palette()
{
    static TPalette* palette = [] {
        auto* p = new TPalette;
        new TPaletteGroup(p, pgActions, 1000);
        new TPaletteGroup(p, pgOptions, 800);
        auto* insert = new TPaletteGroup(p, pgInsert, 700);
        auto* state = new TPaletteGroup(p, pgState, 150);
        auto* additional = new TPaletteGroup(p, pgAdditional, 100);
        new TSchemePaletteItem(insert, 2325, 2326, 10, 0);
        new TSchemePaletteItem(additional, 2325, 2326, 10, 0);
        SetDisablePaletteItem(new TDisablePaletteItem(state));
        return p;
    }();
    return *palette;
}

TElementPaletteItem* AddElementPaletteItem(TPaletteGroup* group, const TElementClass& elementClass, int captionId,
                                           int hintId, int order, uint16_t flags, int image)
{
    auto* item = new TElementPaletteItem(group, elementClass, captionId, hintId, order, flags, image);
    AddElementClassPaletteItem(elementClass, item);
    return item;
}

} // namespace quillora
