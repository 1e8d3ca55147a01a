#pragma once
// How elements take part in the palette: which items the palette offers for the focused
// element (its own items, or those common to its selected children), and how an item
// is run on one element or on a list of them. The palette's items themselves are opaque
// here; a caller that knows their flags tells which items are for single elements only.

#include <functional>
#include <vector>

#include "elements/ElementClass.h"

namespace quillora {

class TVisualElement;

// True for an item that must not be offered for a selection of several elements.
using TSingleElementItemTest = std::function<bool(TPaletteItem* item)>;

// The selected visual children of `element`, in visual order.
std::vector<TVisualElement*> SelectedVisualChildren(const TVisualElement& element);

// The items offered for `element`. When it is voMultiSelect and two or more of its
// visual children are selected, the items offered for every one of them (each child's
// own GetPaletteItems together with those its logical parent adds through
// GetChildPaletteItems), in the order of the first child, without the items for single
// elements, then adjusted by `element`'s AdjustCommonPaletteItems; `applyToSelection` is
// set then. Otherwise `element`'s own GetPaletteItems.
void GetApplicablePaletteItems(TVisualElement& element, TPaletteItemList& list, bool& applyToSelection,
                               const TSingleElementItemTest& singleOnly = {});

// Runs `item` on `element` (its ExecutePaletteItem with itself as target) inside an
// update of its sheet; returns whether the element handled the item.
bool ExecutePaletteItemOn(TVisualElement& element, TPaletteItem* item, bool checked);
// Asks every element for the item's state (preset enabled, not checked) and runs the
// item on each one that leaves it enabled, in list order. Returns how many handled it.
int ExecutePaletteItemOnList(const std::vector<TVisualElement*>& elements, TPaletteItem* item, bool checked);

} // namespace quillora
