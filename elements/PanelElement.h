#pragma once
// TPanelElement: a container whose children keep the positions they are given; its size
// follows the extent of its visible children. Its logical children are its visual
// children unless they were given another visual parent. TSheetElement, the root element of every
// sheet, is a panel drawn with the theme's sheet frame.

#include "elements/VisualElement.h"

namespace quillora {

class TPanelElement : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TPanelElement, TVisualElement)

    // Width: the largest right edge of the visible children plus the right padding;
    // height: the largest bottom edge plus the bottom padding. A dimension that comes
    // out 0 keeps its current value.
    void UpdateSize();

    // Writes the children that are not parts, one knot each.
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    // Reads the children from the knots that the element's own items left unread.
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;

protected:
    // Logical children that are visual elements without a visual parent become visual
    // children of the panel, in logical order; detached ones leave the visual tree.
    void ChildrenChanged() override;

public:
    void InsertVisualChild(TVisualElement* child, TVisualElement* before) override;
    void RemoveVisualChild(TVisualElement* child) override;
    void ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent) override;
    void ChildVisibleChanged(TVisualElement* child) override;
    void VisibleChanged() override;
    // Its own available size minus its padding.
    void GetAvailableSize(TVisualElement* child, int& width, int& height) override;
};

class TSheetElement : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TSheetElement, TPanelElement)

    void Paint(TSheetCanvas& canvas, int paintFlags) override;
};

} // namespace quillora
