#include "foundation/Props.h"

#include <algorithm>

#include "foundation/Knot.h"

namespace quillora {

namespace {

constexpr StringView ValueParam = u"Value";
// Marks a font written at its default, which follows the default when that changes.
constexpr StringView FontDefaultParam = u"Default";

// Runs `body` with `property` locked; unlocks also when `body` raises.
template <class F>
void WithLock(TProperty& property, F&& body)
{
    property.Lock();
    try {
        body();
    } catch (...) {
        property.Unlock();
        throw;
    }
    property.Unlock();
}

} // namespace

// ---- TProperty ----

TProperty::TProperty(TProperty* owner, String key) : key_(std::move(key))
{
    if (owner) SetParent(owner);
}

TProperty::~TProperty()
{
    TNode* child = FirstChild();
    while (child) {
        TNode* next = child->NextSibling();
        auto* property = dynamic_cast<TProperty*>(child);
        if (property && property->ExternallyOwned()) child->SetParent(nullptr);
        child = next;
    }
}

void TProperty::Notify(int notify, intptr_t param1, intptr_t param2)
{
    if (lockCount_ > 0) return;
    TNode::Notify(notify, param1, param2);
}

intptr_t TProperty::Notification(int notify, intptr_t param1, intptr_t param2)
{
    if (notify == pnChanged) Notify(pnChanged, param1, param2);
    return 0;
}

void TProperty::Changed()
{
    NotifyUp(pnChanged, reinterpret_cast<intptr_t>(this), 0);
}

void TProperty::Lock()
{
    ++lockCount_;
}

void TProperty::Unlock()
{
    if (lockCount_ <= 0) return;
    if (--lockCount_ == 0) Notify(pnChanged, reinterpret_cast<intptr_t>(this), 0);
}

TProperty* TProperty::ParentProperty() const
{
    return dynamic_cast<TProperty*>(Parent());
}

TProperty* TProperty::FirstProperty() const
{
    for (TNode* n = FirstChild(); n; n = n->NextSibling())
        if (auto* p = dynamic_cast<TProperty*>(n)) return p;
    return nullptr;
}

TProperty* TProperty::NextProperty() const
{
    for (TNode* n = NextSibling(); n; n = n->NextSibling())
        if (auto* p = dynamic_cast<TProperty*>(n)) return p;
    return nullptr;
}

TProperty* TProperty::FindProperty(StringView key) const
{
    for (TProperty* p = FirstProperty(); p; p = p->NextProperty())
        if (p->Key() == key) return p;
    return nullptr;
}

void TProperty::LoadFrom(TKnot& node)
{
    if (TKnot* child = node.FindKnot(key_)) {
        LoadChildren(*child);
        return;
    }
    // Missing (a group at its defaults is not even written): back to the defaults, each
    // property below notifying once, as it does when its node is read.
    TKnot none;
    WithLock(*this, [&] {
        ResetValue();
        for (TProperty* p = FirstProperty(); p; p = p->NextProperty()) p->LoadFrom(none);
    });
}

void TProperty::SaveTo(TKnot& node)
{
    SaveChildren(*node.GetKnot(key_));
}

void TProperty::LoadChildren(TKnot& node)
{
    LoadValue(node);
    WithLock(*this, [&] {
        for (TProperty* p = FirstProperty(); p; p = p->NextProperty()) p->LoadFrom(node);
    });
}

void TProperty::SaveChildren(TKnot& node)
{
    SaveValue(node);
    for (TProperty* p = FirstProperty(); p; p = p->NextProperty()) p->SaveTo(node);
}

void TProperty::Reset()
{
    for (TProperty* p = FirstProperty(); p; p = p->NextProperty()) p->Reset();
    ResetValue();
}

void TProperty::Assign(const TProperty& source)
{
    WithLock(*this, [&] {
        AssignValue(source);
        TProperty* target = FirstProperty();
        const TProperty* from = source.FirstProperty();
        for (; target && from; target = target->NextProperty(), from = from->NextProperty()) target->Assign(*from);
    });
}

// ---- TOneValueProperty ----

void TOneValueProperty::SaveTo(TKnot& node)
{
    if (IsDefault()) return;
    TProperty::SaveTo(node);
}

void TOneValueProperty::LoadValue(TKnot& node)
{
    ReadValue(node, ValueParam);
}

void TOneValueProperty::SaveValue(TKnot& node)
{
    WriteValue(node, ValueParam);
}

// ---- TBooleanProperty ----

TBooleanProperty::TBooleanProperty(TProperty* owner, String key, bool defaultValue)
    : TOneValueProperty(owner, std::move(key)), value_(defaultValue), defaultValue_(defaultValue)
{
}

void TBooleanProperty::SetValue(bool value)
{
    if (value == value_) return;
    value_ = value;
    Changed();
}

void TBooleanProperty::ReadValue(TKnot& node, StringView name)
{
    value_ = node.ReadBool(name, defaultValue_);
}

void TBooleanProperty::WriteValue(TKnot& node, StringView name) const
{
    node.WriteBool(name, value_);
}

void TBooleanProperty::AssignValue(const TProperty& source)
{
    if (auto* s = dynamic_cast<const TBooleanProperty*>(&source)) SetValue(s->Value());
}

// ---- TIntegerProperty ----

TIntegerProperty::TIntegerProperty(TProperty* owner, String key, int32_t defaultValue, int32_t minValue,
                                   int32_t maxValue)
    : TOneValueProperty(owner, std::move(key)),
      value_(defaultValue),
      defaultValue_(defaultValue),
      minValue_(minValue),
      maxValue_(maxValue)
{
}

void TIntegerProperty::SetValue(int32_t value)
{
    if (HasRange()) value = std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
    if (value == value_) return;
    value_ = value;
    Changed();
}

void TIntegerProperty::ReadValue(TKnot& node, StringView name)
{
    value_ = node.ReadInteger(name, defaultValue_, minValue_, maxValue_);
}

void TIntegerProperty::WriteValue(TKnot& node, StringView name) const
{
    node.WriteInteger(name, value_);
}

void TIntegerProperty::AssignValue(const TProperty& source)
{
    if (auto* s = dynamic_cast<const TIntegerProperty*>(&source)) SetValue(s->Value());
}

// ---- TStringProperty ----

TStringProperty::TStringProperty(TProperty* owner, String key, String defaultValue)
    : TOneValueProperty(owner, std::move(key)), value_(defaultValue), defaultValue_(std::move(defaultValue))
{
}

void TStringProperty::SetValue(const String& value)
{
    if (value == value_) return;
    value_ = value;
    Changed();
}

void TStringProperty::ReadValue(TKnot& node, StringView name)
{
    value_ = node.ReadString(name, defaultValue_);
}

void TStringProperty::WriteValue(TKnot& node, StringView name) const
{
    node.WriteString(name, value_);
}

void TStringProperty::AssignValue(const TProperty& source)
{
    if (auto* s = dynamic_cast<const TStringProperty*>(&source)) SetValue(s->Value());
}

// ---- TEnumProperty ----

TEnumProperty::TEnumProperty(TProperty* owner, String key, std::vector<String> entryNames)
    : TOneValueProperty(owner, std::move(key)), entryNames_(std::move(entryNames))
{
    auto it = std::find_if(entryNames_.begin(), entryNames_.end(), [](const String& s) { return s.empty(); });
    defaultValue_ = it == entryNames_.end() ? -1 : static_cast<int>(it - entryNames_.begin());
    value_ = defaultValue_;
}

void TEnumProperty::SetValue(int value)
{
    int highest = static_cast<int>(entryNames_.size()) - 1;
    if (highest < 0) return;
    value = std::clamp(value, 0, highest);
    if (value == value_) return;
    value_ = value;
    Changed();
}

void TEnumProperty::ReadValue(TKnot& node, StringView name)
{
    value_ = defaultValue_;
    String text = node.ReadString(name, String());
    if (text.empty()) return;
    for (size_t i = 0; i < entryNames_.size(); ++i)
        if (SameTextAscii(text, entryNames_[i])) {
            value_ = static_cast<int>(i);
            return;
        }
}

void TEnumProperty::WriteValue(TKnot& node, StringView name) const
{
    bool valid = value_ >= 0 && value_ < static_cast<int>(entryNames_.size());
    node.WriteString(name, valid ? entryNames_[static_cast<size_t>(value_)] : String());
}

void TEnumProperty::AssignValue(const TProperty& source)
{
    if (auto* s = dynamic_cast<const TEnumProperty*>(&source)) SetValue(s->Value());
}

// ---- TFontProperty ----

TFontProperty::TFontProperty(TProperty* owner, String key, TFontData defaultFont)
    : TProperty(owner, std::move(key)), currentFont_(defaultFont), defaultFont_(std::move(defaultFont))
{
}

void TFontProperty::SetCurrentFont(const TFontData& font)
{
    if (font == currentFont_) return;
    currentFont_ = font;
    Changed();
}

void TFontProperty::LoadValue(TKnot& node)
{
    if (node.ReadBool(FontDefaultParam, false)) {
        currentFont_ = defaultFont_;
        return;
    }
    node.ReadFont(currentFont_);
}

void TFontProperty::SaveValue(TKnot& node)
{
    node.WriteFont(currentFont_);
    if (IsDefault()) node.WriteBool(FontDefaultParam, true);
}

void TFontProperty::AssignValue(const TProperty& source)
{
    if (auto* s = dynamic_cast<const TFontProperty*>(&source)) SetCurrentFont(s->CurrentFont());
}

} // namespace quillora
