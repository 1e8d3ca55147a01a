#pragma once
// The controls of a settings page as the property bindings see them: small abstract
// interfaces that a platform's real controls implement (check boxes, combo boxes, radio
// buttons, number edits, hotkey controls, font buttons, text edits) and that tests fake.

#include <functional>
#include <vector>

#include "foundation/FontData.h"
#include "foundation/Strings.h"

namespace quillora {

class IPropertyControl {
public:
    virtual ~IPropertyControl() = default;
    virtual void SetCaption(const String& caption) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetEnabled(bool enabled) = 0;
};

class ICheckBoxControl : public virtual IPropertyControl {
public:
    virtual bool Checked() const = 0;
    // Does not call the change handler.
    virtual void SetChecked(bool checked) = 0;
    // Called when the user ticks or clears the box.
    virtual void SetOnChange(std::function<void()> handler) = 0;
};

// A drop-down list, or a drop-down edit (then Text() may be any text).
class IComboBoxControl : public virtual IPropertyControl {
public:
    virtual void SetItems(const std::vector<String>& items) = 0;
    virtual int ItemCount() const = 0;
    // -1: no item selected.
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
    // The text shown (the selected item's or the typed one).
    virtual String Text() const = 0;
    virtual void SetText(const String& text) = 0;
};

// A group of radio buttons, one per item; the caption is the group's.
class IRadioGroupControl : public virtual IPropertyControl {
public:
    virtual void SetItems(const std::vector<String>& items) = 0;
    // -1: none checked.
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
};

// A number edit with an up-down control.
class IIntegerEditControl : public virtual IPropertyControl {
public:
    virtual void SetRange(int minValue, int maxValue) = 0;
    // The number typed; false when the text is no number.
    virtual bool Value(int& value) const = 0;
    virtual void SetValue(int value) = 0;
};

// A control that takes a key combination when pressed: modifiers as ModShift, ModControl
// and ModAlt (foundation/ShortCut.h), key as a virtual-key code (0: none).
class IHotKeyControl : public virtual IPropertyControl {
public:
    virtual void HotKey(unsigned& modifiers, unsigned& key) const = 0;
    virtual void SetHotKey(unsigned modifiers, unsigned key) = 0;
};

// A button that shows a font and lets the user choose another.
class IFontButtonControl : public virtual IPropertyControl {
public:
    virtual TFontData Font() const = 0;
    virtual void SetFont(const TFontData& font) = 0;
};

class ITextEditControl : public virtual IPropertyControl {
public:
    virtual String Text() const = 0;
    virtual void SetText(const String& text) = 0;
};

} // namespace quillora
