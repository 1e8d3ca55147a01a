#pragma once
// Typed property trees: the settings of the program are groups of keys, each a node
// that reads and writes itself as a child knot of its parent's knot and tells its
// subscribers (and, through them, its ancestors) about every change.

#include <cstdint>
#include <vector>

#include "foundation/FontData.h"
#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

class TKnot;

// Notification codes sent through a property tree.
enum TPropertyNotify : int {
    pnChanged = 1,   // param1: the property whose value changed (or that was unlocked)
    pnFirstRun = 2,  // sent through the whole tree when no settings file exists yet
};

class TProperty : public TNode {
public:
    // Appends the new property to `owner` when one is given.
    TProperty(TProperty* owner, String key);
    // Children that are owned elsewhere (see SetExternallyOwned) are detached, not destroyed.
    ~TProperty() override;

    const String& Key() const { return key_; }
    int LockCount() const { return lockCount_; }

    // Does nothing while LockCount() > 0; otherwise calls the handlers.
    void Notify(int notify, intptr_t param1 = 0, intptr_t param2 = 0) override;

    // Reads the child of `node` named Key() (LoadChildren). When there is none, the
    // property and everything below it go back to their defaults, each notifying once
    // as when read.
    virtual void LoadFrom(TKnot& node);
    // Writes this property as the child of `node` named Key().
    virtual void SaveTo(TKnot& node);
    // Takes over the values of a tree of the same shape; notifies once at the end.
    virtual void Assign(const TProperty& source);
    // Reads the own value from `node`, then every child property, under one lock.
    virtual void LoadChildren(TKnot& node);
    // Writes the own value into `node`, then every child property.
    virtual void SaveChildren(TKnot& node);
    // Every child and then the own value back to the default, without notification.
    virtual void Reset();

    // This property and then every ancestor notify pnChanged (each unless locked).
    void Changed();
    // Counted; Unlock notifies pnChanged on this property when the count returns to 0.
    void Lock();
    void Unlock();

    TProperty* ParentProperty() const;
    TProperty* FirstProperty() const;
    TProperty* NextProperty() const;
    // The direct child with that key (exact match), or null.
    TProperty* FindProperty(StringView key) const;

    // A group created by another module without a parent: a parent that is destroyed
    // while the group is still attached detaches it instead of destroying it.
    bool ExternallyOwned() const { return externallyOwned_; }
    void SetExternallyOwned(bool value) { externallyOwned_ = value; }

protected:
    // pnChanged: Notify(pnChanged) on this property.
    intptr_t Notification(int notify, intptr_t param1, intptr_t param2) override;
    // Copies the own value of `source` (a property of the same class) through its setter.
    virtual void AssignValue(const TProperty& source) {}
    // Reads or writes the own value of the property in `node` (not its children).
    virtual void LoadValue(TKnot& node) {}
    virtual void SaveValue(TKnot& node) {}
    virtual void ResetValue() {}

private:
    String key_;
    int lockCount_ = 0;
    bool externallyOwned_ = false;
};

// A property with one value stored in the parameter "Value" of its knot.
class TOneValueProperty : public TProperty {
public:
    using TProperty::TProperty;

    // Nothing is written while the value equals the default.
    void SaveTo(TKnot& node) override;

    virtual bool IsDefault() const = 0;
    // Reads the parameter `name` of `node` into the value, without notification.
    virtual void ReadValue(TKnot& node, StringView name) = 0;
    virtual void WriteValue(TKnot& node, StringView name) const = 0;

protected:
    void LoadValue(TKnot& node) override;
    void SaveValue(TKnot& node) override;
};

class TBooleanProperty : public TOneValueProperty {
public:
    TBooleanProperty(TProperty* owner, String key, bool defaultValue);

    bool Value() const { return value_; }
    bool DefaultValue() const { return defaultValue_; }
    void SetValue(bool value);

    bool IsDefault() const override { return value_ == defaultValue_; }
    // "1" true, "0" false; anything else or a missing parameter: the default.
    void ReadValue(TKnot& node, StringView name) override;
    void WriteValue(TKnot& node, StringView name) const override;

protected:
    void AssignValue(const TProperty& source) override;
    void ResetValue() override { value_ = defaultValue_; }

private:
    bool value_;
    bool defaultValue_;
};

class TIntegerProperty : public TOneValueProperty {
public:
    // No range when minValue equals maxValue.
    TIntegerProperty(TProperty* owner, String key, int32_t defaultValue, int32_t minValue = 0, int32_t maxValue = 0);

    int32_t Value() const { return value_; }
    int32_t DefaultValue() const { return defaultValue_; }
    int32_t MinValue() const { return minValue_; }
    int32_t MaxValue() const { return maxValue_; }
    bool HasRange() const { return minValue_ != maxValue_; }
    // Clamps into the range first.
    void SetValue(int32_t value);

    bool IsDefault() const override { return value_ == defaultValue_; }
    // Decimal; unparsable, missing or out of range: the default (not clamped).
    void ReadValue(TKnot& node, StringView name) override;
    void WriteValue(TKnot& node, StringView name) const override;

protected:
    void AssignValue(const TProperty& source) override;
    void ResetValue() override { value_ = defaultValue_; }

private:
    int32_t value_;
    int32_t defaultValue_;
    int32_t minValue_;
    int32_t maxValue_;
};

class TStringProperty : public TOneValueProperty {
public:
    TStringProperty(TProperty* owner, String key, String defaultValue = {});

    const String& Value() const { return value_; }
    const String& DefaultValue() const { return defaultValue_; }
    // A default known only at start-up (file names); the value stays, nothing is notified.
    void SetDefaultValue(String value) { defaultValue_ = std::move(value); }
    // Compared as exact strings.
    void SetValue(const String& value);

    bool IsDefault() const override { return value_ == defaultValue_; }
    void ReadValue(TKnot& node, StringView name) override;
    void WriteValue(TKnot& node, StringView name) const override;

protected:
    void AssignValue(const TProperty& source) override;
    void ResetValue() override { value_ = defaultValue_; }

private:
    String value_;
    String defaultValue_;
};

// An index into EntryNames(); the entry with the empty name is the default and the
// stored form of it.
class TEnumProperty : public TOneValueProperty {
public:
    TEnumProperty(TProperty* owner, String key, std::vector<String> entryNames);

    int Value() const { return value_; }
    // The index of the first empty entry name; -1 when there is none.
    int DefaultValue() const { return defaultValue_; }
    const std::vector<String>& EntryNames() const { return entryNames_; }
    // Clamps into [0, highest entry].
    void SetValue(int value);

    bool IsDefault() const override { return value_ == defaultValue_; }
    // The first entry whose name equals the text ignoring case; else the default.
    void ReadValue(TKnot& node, StringView name) override;
    void WriteValue(TKnot& node, StringView name) const override;

protected:
    void AssignValue(const TProperty& source) override;
    void ResetValue() override { value_ = defaultValue_; }

private:
    std::vector<String> entryNames_;
    int value_;
    int defaultValue_;
};

// A font stored as the parameters "Name", "Size", "Color", "Style" and "Charset" of its
// knot, always written. A font at its default is written with "Default" = "1" as well and
// reads back as the default of the reading program, whatever the stored values say: a
// default taken from the system (the message font) follows the system when it changes.
class TFontProperty : public TProperty {
public:
    TFontProperty(TProperty* owner, String key, TFontData defaultFont);

    const TFontData& CurrentFont() const { return currentFont_; }
    const TFontData& DefaultFont() const { return defaultFont_; }
    // Any change of the font notifies.
    void SetCurrentFont(const TFontData& font);
    bool IsDefault() const { return currentFont_ == defaultFont_; }

protected:
    // Parameters that are missing keep the current values; a font marked as the default
    // becomes the default.
    void LoadValue(TKnot& node) override;
    void SaveValue(TKnot& node) override;
    void AssignValue(const TProperty& source) override;
    void ResetValue() override { currentFont_ = defaultFont_; }

private:
    TFontData currentFont_;
    TFontData defaultFont_;
};

} // namespace quillora
