#pragma once
// The three abstract bases of the element library:
// - TCustomButtonElement acts (Execute) when clicked or when Enter or Space is pressed on it;
// - TCustomDropDownElement offers a choice from a drop-down list (TDropDownList) that the
//   sheet shows below it;
// - TCustomSmallImageElement shows one image of the 16-pixel element images.

#include <cstdint>

#include "elements/DelayedFocus.h"
#include "elements/VisualElement.h"

namespace quillora {

class TDropDownItem;
class TDropDownList;

// Visual options that the element library reads.
enum TLibraryVisualOption : uint16_t {
    voHasDropDown = 0x0100,     // the element offers a drop-down list
    voNoAutoDropDown = 0x0200,  // the list does not open by itself when the element gains the focus
    voDropDownCaseSensitive = 0x0400, // the list's item for the current value is looked up with case only
};

class TCustomButtonElement : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomButtonElement, TVisualElement)

    // The button's action.
    virtual void Execute();

    void KeyDown(TKeyEvent& event) override;
    void KeyPress(TKeyEvent& event) override;
    void Click() override;

protected:
    void Create() override;
};

class TCustomDropDownElement : public TVisualElement, public IDelayedFocusElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomDropDownElement, TVisualElement)

    // Whether the element offers a list (voHasDropDown).
    virtual bool HasDropDown();
    // Adds the choices below `rootItem` and returns the one that stands for the current
    // value, or none.
    virtual TDropDownItem* FillDropDown(TDropDownItem& rootItem);
    // Applies the chosen item; false when it cannot.
    virtual bool ApplyDropDownItem(TDropDownItem* item);

    // Builds the list, selects the item FillDropDown returns (else the first one) and
    // hands it to the sheet. Without a sheet nothing opens. When building fails the list
    // is freed and the error passes on.
    void OpenDropDown();

    // Run by the sheet a while after the element gained the focus: opens the list when
    // the element still has the focus, `dropDownOnFocusNew` (the sheet's setting) is on,
    // voNoAutoDropDown is not set and the element has a list.
    void DelayedFocusAction(bool dropDownOnFocusNew) override;

    void KeyDown(TKeyEvent& event) override;
    void KeyPress(TKeyEvent& event) override;
    void DblClick() override;

private:
    // The list's selection handler: applies the selected item, beeping when it cannot.
    void DropDownSelected(TDropDownList& list);
};

class TCustomSmallImageElement : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomSmallImageElement, TVisualElement)

    // The image of the 16-pixel element images that the element shows.
    virtual int GetImageIndex();

    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    // The cursor of the visual parent at the same point; the default without a parent.
    TCursor GetCursor(TPoint point) override;

protected:
    void Create() override;
};

} // namespace quillora
