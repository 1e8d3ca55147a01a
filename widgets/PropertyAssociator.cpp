#include "widgets/PropertyAssociator.h"

#include "foundation/ShortCut.h"

namespace quillora {

std::vector<String> SplitCaptionLines(StringView text)
{
    std::vector<String> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    while (true) {
        size_t end = text.find(u'\n', start);
        StringView line = text.substr(start, end == StringView::npos ? StringView::npos : end - start);
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == StringView::npos) break;
        start = end + 1;
    }
    return lines;
}

namespace {

class TCheckBoxAssoc : public TPropertyAssoc {
public:
    TCheckBoxAssoc(ICheckBoxControl& control, TBooleanProperty& property) : control_(control), property_(property) {}
    void Fill() override { control_.SetChecked(property_.Value()); }
    void Apply() override { property_.SetValue(control_.Checked()); }

private:
    ICheckBoxControl& control_;
    TBooleanProperty& property_;
};

class TEnumComboAssoc : public TPropertyAssoc {
public:
    TEnumComboAssoc(IComboBoxControl& control, TEnumProperty& property) : control_(control), property_(property) {}
    void Fill() override { control_.SetItemIndex(property_.Value()); }
    void Apply() override
    {
        // Nothing selected: the setting stays as it is.
        if (control_.ItemIndex() >= 0) property_.SetValue(control_.ItemIndex());
    }

private:
    IComboBoxControl& control_;
    TEnumProperty& property_;
};

class TEnumRadioAssoc : public TPropertyAssoc {
public:
    TEnumRadioAssoc(IRadioGroupControl& control, TEnumProperty& property) : control_(control), property_(property) {}
    void Fill() override { control_.SetItemIndex(property_.Value()); }
    void Apply() override
    {
        if (control_.ItemIndex() >= 0) property_.SetValue(control_.ItemIndex());
    }

private:
    IRadioGroupControl& control_;
    TEnumProperty& property_;
};

class TIntegerEditAssoc : public TPropertyAssoc {
public:
    TIntegerEditAssoc(IIntegerEditControl& control, TIntegerProperty& property) : control_(control), property_(property) {}
    void Fill() override { control_.SetValue(property_.Value()); }
    void Apply() override
    {
        // A text that is no number leaves the setting as it is.
        int value = 0;
        if (control_.Value(value)) property_.SetValue(value);
    }

private:
    IIntegerEditControl& control_;
    TIntegerProperty& property_;
};

class TStringComboAssoc : public TPropertyAssoc {
public:
    TStringComboAssoc(IComboBoxControl& control, TStringProperty& property, std::vector<String> items,
                      std::vector<String> values)
        : control_(control), property_(property), items_(std::move(items)), values_(std::move(values))
    {
        if (values_.empty()) values_ = items_;
    }
    void Fill() override
    {
        if (items_.size() <= 1) {
            control_.SetText(property_.Value());
            return;
        }
        int found = -1;
        for (size_t i = 0; i < values_.size(); ++i)
            if (values_[i] == property_.Value()) {
                found = static_cast<int>(i);
                break;
            }
        control_.SetItemIndex(found);
    }
    void Apply() override
    {
        if (items_.size() <= 1) {
            property_.SetValue(control_.Text());
            return;
        }
        int index = control_.ItemIndex();
        property_.SetValue(index >= 0 && index < static_cast<int>(values_.size()) ? values_[index] : String());
    }

private:
    IComboBoxControl& control_;
    TStringProperty& property_;
    std::vector<String> items_;
    std::vector<String> values_;
};

class THotKeyAssoc : public TPropertyAssoc {
public:
    THotKeyAssoc(IHotKeyControl& control, TStringProperty& property) : control_(control), property_(property) {}
    void Fill() override
    {
        unsigned modifiers = 0, key = 0;
        ShortCutToHotKey(property_.Value(), modifiers, key);
        control_.SetHotKey(modifiers, key);
    }
    void Apply() override
    {
        unsigned modifiers = 0, key = 0, storedModifiers = 0, storedKey = 0;
        control_.HotKey(modifiers, key);
        if (key == 0) modifiers = 0;
        ShortCutToHotKey(property_.Value(), storedModifiers, storedKey);
        // The same combination in another spelling ("ctrl+b") stays as it is written.
        if (modifiers == storedModifiers && key == storedKey) return;
        property_.SetValue(HotKeyToShortCut(modifiers, key));
    }

private:
    IHotKeyControl& control_;
    TStringProperty& property_;
};

class TFontButtonAssoc : public TPropertyAssoc {
public:
    TFontButtonAssoc(IFontButtonControl& control, TFontProperty& property) : control_(control), property_(property) {}
    void Fill() override { control_.SetFont(property_.CurrentFont()); }
    void Apply() override { property_.SetCurrentFont(control_.Font()); }

private:
    IFontButtonControl& control_;
    TFontProperty& property_;
};

class TCustomAssoc : public TPropertyAssoc {
public:
    TCustomAssoc(std::function<void()> fill, std::function<void()> write) : fill_(std::move(fill)), write_(std::move(write)) {}
    void Fill() override
    {
        if (fill_) fill_();
    }
    void Apply() override
    {
        if (write_) write_();
    }

private:
    std::function<void()> fill_;
    std::function<void()> write_;
};

void Caption(IPropertyControl& control, const String& caption)
{
    if (!caption.empty()) control.SetCaption(caption);
}

} // namespace

TPropertyAssoc& TPropertyAssociator::Add(std::unique_ptr<TPropertyAssoc> assoc)
{
    assoc->Fill();
    assocs_.push_back(std::move(assoc));
    return *assocs_.back();
}

TPropertyAssoc& TPropertyAssociator::AddCheckBox(ICheckBoxControl& control, TBooleanProperty& property, const String& caption)
{
    Caption(control, caption);
    return Add(std::make_unique<TCheckBoxAssoc>(control, property));
}

TPropertyAssoc& TPropertyAssociator::AddEnumComboBox(IComboBoxControl& control, TEnumProperty& property, StringView captions)
{
    control.SetItems(SplitCaptionLines(captions));
    return Add(std::make_unique<TEnumComboAssoc>(control, property));
}

TPropertyAssoc& TPropertyAssociator::AddEnumRadioGroup(IRadioGroupControl& control, TEnumProperty& property,
                                                       StringView captions, const String& caption)
{
    Caption(control, caption);
    control.SetItems(SplitCaptionLines(captions));
    return Add(std::make_unique<TEnumRadioAssoc>(control, property));
}

TPropertyAssoc& TPropertyAssociator::AddIntegerEdit(IIntegerEditControl& control, TIntegerProperty& property)
{
    if (property.HasRange()) control.SetRange(property.MinValue(), property.MaxValue());
    return Add(std::make_unique<TIntegerEditAssoc>(control, property));
}

TPropertyAssoc& TPropertyAssociator::AddStringComboBox(IComboBoxControl& control, TStringProperty& property,
                                                       const std::vector<String>& items, const std::vector<String>& values)
{
    control.SetItems(items);
    return Add(std::make_unique<TStringComboAssoc>(control, property, items, values));
}

TPropertyAssoc& TPropertyAssociator::AddHotKey(IHotKeyControl& control, TStringProperty& property)
{
    return Add(std::make_unique<THotKeyAssoc>(control, property));
}

TPropertyAssoc& TPropertyAssociator::AddFontButton(IFontButtonControl& control, TFontProperty& property, const String& caption)
{
    Caption(control, caption);
    return Add(std::make_unique<TFontButtonAssoc>(control, property));
}

TPropertyAssoc& TPropertyAssociator::AddCustom(std::function<void()> fill, std::function<void()> write)
{
    return Add(std::make_unique<TCustomAssoc>(std::move(fill), std::move(write)));
}

void TPropertyAssociator::ApplyAll()
{
    for (auto& assoc : assocs_) assoc->Apply();
}

void TPropertyAssociator::FillAll()
{
    for (auto& assoc : assocs_) assoc->Fill();
}

} // namespace quillora
