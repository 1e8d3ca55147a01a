#include "elements/CustomElements.h"

#include <memory>

#include "elements/CustomSheet.h"
#include "elements/DropDownList.h"
#include "elements/EditCommands.h"
#include "elements/SchemeImages.h"
#include "foundation/Service.h"

namespace quillora {

namespace {
constexpr uint16_t keyEnter = 13;
constexpr uint16_t keySpace = 32;
} // namespace

// ---- button ----

void TCustomButtonElement::Create()
{
    TVisualElement::Create();
    SetVisualOptions(VisualOptions() | voPressable);
}

void TCustomButtonElement::Execute() {}

void TCustomButtonElement::KeyDown(uint16_t& key, TShiftState shift)
{
    if (key == keyEnter || key == keySpace) {
        key = 0;
        Execute();
        return;
    }
    TVisualElement::KeyDown(key, shift);
}

void TCustomButtonElement::KeyPress(Char& ch)
{
    if (ch == keyEnter || ch == keySpace) {
        ch = 0;
        return;
    }
    TVisualElement::KeyPress(ch);
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

void TCustomDropDownElement::KeyDown(uint16_t& key, TShiftState shift)
{
    if (key == keyEnter && !(shift & ssCtrl)) {
        key = 0;
        if (HasDropDown()) OpenDropDown();
        return;
    }
    TVisualElement::KeyDown(key, shift);
}

void TCustomDropDownElement::KeyPress(Char& ch)
{
    if (ch == keyEnter && HasDropDown()) {
        ch = 0;
        return;
    }
    TVisualElement::KeyPress(ch);
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
