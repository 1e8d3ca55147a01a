#include "elements/PaletteRules.h"

#include <algorithm>

#include "elements/CustomSheet.h"
#include "elements/VisualElement.h"

namespace quillora {

std::vector<TVisualElement*> SelectedVisualChildren(const TVisualElement& element)
{
    std::vector<TVisualElement*> selected;
    for (TVisualElement* c = element.FirstVisual(); c; c = c->NextVisual())
        if (c->HasVisualState(vsSelected)) selected.push_back(c);
    return selected;
}

namespace {

// A child's own items and those its logical parent adds for it.
TPaletteItemList ItemsOfChild(TVisualElement& child)
{
    TPaletteItemList items;
    child.GetPaletteItems(items);
    if (TElement* parent = child.ParentElement()) parent->GetChildPaletteItems(&child, items);
    return items;
}

bool Contains(const TPaletteItemList& list, TPaletteItem* item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

} // namespace

void GetApplicablePaletteItems(TVisualElement& element, TPaletteItemList& list, bool& applyToSelection,
                               const TSingleElementItemTest& singleOnly)
{
    applyToSelection = false;
    const std::vector<TVisualElement*> selected =
        element.HasVisualOption(voMultiSelect) ? SelectedVisualChildren(element) : std::vector<TVisualElement*>{};
    if (selected.size() < 2) {
        element.GetPaletteItems(list);
        return;
    }
    applyToSelection = true;
    TPaletteItemList common;
    for (TPaletteItem* item : ItemsOfChild(*selected.front()))
        if (!Contains(common, item) && !(singleOnly && singleOnly(item))) common.push_back(item);
    for (size_t i = 1; i < selected.size() && !common.empty(); ++i) {
        const TPaletteItemList items = ItemsOfChild(*selected[i]);
        common.erase(std::remove_if(common.begin(), common.end(),
                                    [&items](TPaletteItem* item) { return !Contains(items, item); }),
                     common.end());
    }
    element.AdjustCommonPaletteItems(common);
    list.insert(list.end(), common.begin(), common.end());
}

bool ExecutePaletteItemOn(TVisualElement& element, TPaletteItem* item, bool checked)
{
    TCustomSheet* sheet = element.Sheet();
    if (!sheet) return element.ExecutePaletteItem(&element, item, checked);
    sheet->BeginUpdate();
    struct EndUpdate {
        TCustomSheet* sheet;
        ~EndUpdate() { sheet->EndUpdate(); }
    } end{sheet};
    return element.ExecutePaletteItem(&element, item, checked);
}

int ExecutePaletteItemOnList(const std::vector<TVisualElement*>& elements, TPaletteItem* item, bool checked)
{
    int handled = 0;
    for (TVisualElement* element : elements) {
        if (!element) continue;
        TPaletteItemState state;
        element->GetPaletteItemState(item, state);
        if (state.Enabled && ExecutePaletteItemOn(*element, item, checked)) ++handled;
    }
    return handled;
}

} // namespace quillora
