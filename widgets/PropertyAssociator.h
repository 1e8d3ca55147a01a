#pragma once
// TPropertyAssociator: binds the controls of a settings page to settings properties.
// Creating a binding captions the control and puts the property's current value into
// it; ApplyAll writes every control back through the property's setter, in the order
// the bindings were made, so each value that really changes notifies the settings root
// on its own and an unchanged one notifies nothing.

#include <functional>
#include <memory>
#include <vector>

#include "foundation/Props.h"
#include "widgets/PropertyControls.h"

namespace quillora {

// The lines of a caption list (a string-table entry whose lines are separated by CR LF;
// a lone LF separates too).
std::vector<String> SplitCaptionLines(StringView text);

// One binding of a control (or a group of radio buttons) to one property.
class TPropertyAssoc {
public:
    virtual ~TPropertyAssoc() = default;
    // The property's value into the control.
    virtual void Fill() = 0;
    // The control's value into the property (through its setter).
    virtual void Apply() = 0;
};

class TPropertyAssociator {
public:
    // Each binding captions its control with `caption` unless it is empty.
    TPropertyAssoc& AddCheckBox(ICheckBoxControl& control, TBooleanProperty& property, const String& caption = {});
    // The entries' captions, index for index: the lines of `captions`.
    TPropertyAssoc& AddEnumComboBox(IComboBoxControl& control, TEnumProperty& property, StringView captions);
    TPropertyAssoc& AddEnumRadioGroup(IRadioGroupControl& control, TEnumProperty& property, StringView captions,
                                      const String& caption = {});
    // The edit takes the property's range; the setter clamps what is typed.
    TPropertyAssoc& AddIntegerEdit(IIntegerEditControl& control, TIntegerProperty& property);
    // The item whose text (or, with `values`, whose value) equals the property is
    // selected; with one item or fewer the value is shown as text. Applying writes the
    // selected item's value (its text without `values`), an empty string when nothing is
    // selected; with one item or fewer, the text shown.
    TPropertyAssoc& AddStringComboBox(IComboBoxControl& control, TStringProperty& property,
                                      const std::vector<String>& items, const std::vector<String>& values = {});
    // Through the shortcut text ("Ctrl+B"): a control that holds the same combination
    // as the stored text writes nothing.
    TPropertyAssoc& AddHotKey(IHotKeyControl& control, TStringProperty& property);
    TPropertyAssoc& AddFontButton(IFontButtonControl& control, TFontProperty& property, const String& caption = {});
    // A binding of the caller's: `fill` at creation (and at FillAll), `write` at ApplyAll.
    TPropertyAssoc& AddCustom(std::function<void()> fill, std::function<void()> write);

    // Every binding's control into its property, in creation order.
    void ApplyAll();
    // Every property into its control again.
    void FillAll();
    size_t Count() const { return assocs_.size(); }

private:
    TPropertyAssoc& Add(std::unique_ptr<TPropertyAssoc> assoc);

    std::vector<std::unique_ptr<TPropertyAssoc>> assocs_;
};

} // namespace quillora
