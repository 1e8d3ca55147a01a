#include "elements/CustomElements.h"

#include <memory>

#include "elements/CustomSheet.h"
#include "elements/DropDownList.h"
#include "elements/EditCommands.h"
#include "elements/SchemeImages.h"
#include "foundation/Service.h"

namespace quillora {

// ---- button ----

void TCustomButtonElement::Create()
{
    TVisualElement::Create();
    SetVisualOptions(VisualOptions() | voPressable);
}

void TCustomButtonElement::Execute() {}

void TCustomButtonElement::KeyDown(TKeyEvent& event)
{
    if (event.Key == kcReturn || event.Key == kcSpace) {
        event.Consume();
        Execute();
        return;
    }
    TVisualElement::KeyDown(event);
}

void TCustomButtonElement::KeyPress(TKeyEvent& event)
{
    // The characters of the keys that KeyDown acted on.
    if (event.Ch == u'\r' || event.Ch == u' ') {
        event.Consume();
        return;
    }
    TVisualElement::KeyPress(event);
}

void TCustomButtonElement::Click() { Execute(); }

// ---- drop-down ----

bool TCustomDropDownElement::HasDropDown() { return HasVisualOption(voHasDropDown); }

TDropDownItem* TCustomDropDownElement::FillDropDown(TDropDownItem& rootItem) { return nullptr; }

bool TCustomDropDownElement::ApplyDropDownItem(TDropDownItem* item) { return false; }

void TCustomDropDownElement::OpenDropDown()
{
    TCustomSheet* sheet = Sheet();
    if (!sheet) return;
    auto list = std::make_unique<TDropDownList>(sheet, this);
    TDropDownList* raw = list.get();
    list->OnSelect = [this, raw](TVisualElement*) { DropDownSelected(*raw); };
    TDropDownItem* selected = FillDropDown(list->RootItem());
    list->SetSelected(selected ? selected : list->FirstItem());
    list->ElementRect = ToSheet(GetLocalRect());
    if (TSheetCanvas* canvas = sheet->GetCanvas()) {
        list->ComputeItemHeight(*canvas);
        list->ComputeWidth(*canvas);
    }
    sheet->OpenDropDown(list.release());
}

void TCustomDropDownElement::DropDownSelected(TDropDownList& list)
{
    if (list.Selected() && !ApplyDropDownItem(list.Selected())) Service<TBeeper>().Beep();
}

void TCustomDropDownElement::DelayedFocusAction(bool dropDownOnFocusNew)
{
    if (IsFocused() && dropDownOnFocusNew && !HasVisualOption(voNoAutoDropDown) && HasDropDown()) OpenDropDown();
}

void TCustomDropDownElement::KeyDown(TKeyEvent& event)
{
    if (event.Key == kcReturn && !event.HasCtrl()) {
        event.Consume();
        if (HasDropDown()) OpenDropDown();
        return;
    }
    TVisualElement::KeyDown(event);
}

void TCustomDropDownElement::KeyPress(TKeyEvent& event)
{
    if (event.Ch == u'\r' && HasDropDown()) {
        event.Consume();
        return;
    }
    TVisualElement::KeyPress(event);
}

void TCustomDropDownElement::DblClick()
{
    if (HasDropDown()) OpenDropDown();
}

// ---- small image ----

void TCustomSmallImageElement::Create()
{
    TVisualElement::Create();
    SetVisualOptions(VisualOptions() | voCanDisable);
    const int size = SchemeSmallImages().CellSize();
    SetBounds(Left(), Top(), size, size);
}

int TCustomSmallImageElement::GetImageIndex() { return 0; }

void TCustomSmallImageElement::Paint(TSheetCanvas& canvas, int paintFlags)
{
    canvas.DrawSmallImage(0, 0, GetImageIndex());
}

TCursor TCustomSmallImageElement::GetCursor(TPoint point)
{
    if (TVisualElement* parent = VisualParent()) return parent->GetCursor(ToParent(point));
    return crDefault;
}

} // namespace quillora
