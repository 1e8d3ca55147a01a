#include "elements/DropDownList.h"

#include <algorithm>

#include "render/SheetCanvas.h"

namespace quillora {

TDropDownItem* TDropDownItem::AddItem(const String& name)
{
    auto* item = new TDropDownItem(list_);
    item->Name = name;
    item->SetParent(this);
    return item;
}

void TDropDownItem::SetExpanded(bool value)
{
    if (expanded_ == value) return;
    expanded_ = value;
    if (value && Parent())
        for (TNode* sibling = Parent()->FirstChild(); sibling; sibling = sibling->NextSibling())
            if (sibling != this) static_cast<TDropDownItem*>(sibling)->expanded_ = false;
    if (list_) {
        list_->ComputeWidthAgain();
        list_->Changed();
    }
}

TDropDownList::TDropDownList(TCustomSheet* sheet, TVisualElement* owner) : sheet_(sheet), owner_(owner), root_(this) {}

void TDropDownList::SetSelected(TDropDownItem* item)
{
    if (item == selected_) return;
    selected_ = item;
    BeginUpdate();
    if (item)
        for (TDropDownItem* p = item->ParentItem(); p && p != &root_; p = p->ParentItem()) p->SetExpanded(true);
    EndUpdate();
    Changed();
}

int TDropDownList::Depth(const TDropDownItem* item)
{
    int depth = 0;
    for (const TNode* n = item; n && n->Parent(); n = n->Parent()) ++depth;
    return depth;
}

void TDropDownList::ComputeItemHeight(TSheetCanvas& canvas)
{
    ItemHeight = std::max(12, canvas.GetCodeLineHeight() + 6);
}

int TDropDownList::ItemWidth(TSheetCanvas& canvas, const TDropDownItem& item) const
{
    int width = (Depth(&item) - 1) * 24 + canvas.CodeTextWidth(item.ShownText() + item.ShortCutText) + 38;
    if (!item.ShortCutText.empty()) width += 6;
    if (item.ImageIndex >= 0) width += 12 + 6;
    return width;
}

void TDropDownList::ComputeWidth(TSheetCanvas& canvas)
{
    canvas_ = &canvas;
    int width = 0;
    // Depth first through the expanded items.
    const TDropDownItem* item = root_.FirstItem();
    while (item) {
        width = std::max(width, ItemWidth(canvas, *item));
        if (item->Expanded() && item->FirstItem()) {
            item = item->FirstItem();
            continue;
        }
        while (item && !item->NextItem()) {
            item = item->ParentItem();
            if (item == &root_) item = nullptr;
        }
        if (item) item = item->NextItem();
    }
    Width = width;
}

void TDropDownList::ComputeWidthAgain()
{
    if (canvas_) ComputeWidth(*canvas_);
}

void TDropDownList::EndUpdate()
{
    if (updateCount_ > 0) --updateCount_;
}

void TDropDownList::Changed()
{
    if (Shown && updateCount_ == 0 && OnChanged) OnChanged();
}

} // namespace quillora
