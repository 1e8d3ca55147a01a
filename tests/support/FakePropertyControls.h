#pragma once
// One fake control that stands for every kind of settings control: it keeps what it is
// given and what the "user" sets, for the property-binding and settings-form tests.

#include <functional>
#include <vector>

#include "widgets/PropertyControls.h"

namespace quillora::testing {

class FakeControl : public ICheckBoxControl,
                    public IComboBoxControl,
                    public IRadioGroupControl,
                    public IIntegerEditControl,
                    public IHotKeyControl,
                    public IFontButtonControl,
                    public ITextEditControl {
public:
    String caption;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    std::function<void()> onChange;
    std::vector<String> items;
    int itemIndex = -1;
    String text;
    int minValue = 0, maxValue = 0;
    bool hasNumber = true;
    int number = 0;
    unsigned modifiers = 0, key = 0;
    TFontData font;

    void SetCaption(const String& value) override { caption = value; }
    void SetVisible(bool value) override { visible = value; }
    void SetEnabled(bool value) override { enabled = value; }
    bool Checked() const override { return checked; }
    void SetChecked(bool value) override { checked = value; }
    void SetOnChange(std::function<void()> handler) override { onChange = std::move(handler); }
    // The user clicks the box.
    void Click()
    {
        checked = !checked;
        if (onChange) onChange();
    }
    void SetItems(const std::vector<String>& value) override { items = value; itemIndex = -1; }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    int ItemIndex() const override { return itemIndex; }
    void SetItemIndex(int index) override
    {
        itemIndex = index >= 0 && index < ItemCount() ? index : -1;
        text = itemIndex >= 0 ? items[itemIndex] : String();
    }
    String Text() const override { return text; }
    void SetText(const String& value) override { text = value; }
    void SetRange(int lo, int hi) override { minValue = lo; maxValue = hi; }
    bool Value(int& value) const override
    {
        value = number;
        return hasNumber;
    }
    void SetValue(int value) override { number = value; hasNumber = true; }
    void HotKey(unsigned& m, unsigned& k) const override { m = modifiers; k = key; }
    void SetHotKey(unsigned m, unsigned k) override { modifiers = m; key = k; }
    TFontData Font() const override { return font; }
    void SetFont(const TFontData& value) override { font = value; }
};

} // namespace quillora::testing
