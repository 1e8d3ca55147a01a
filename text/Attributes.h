#pragma once
// TAttributes: the base of the style objects of the text engine (how a run of characters
// or a paragraph looks). An instance is either a scratch object (unregistered, mutable,
// owned by whoever made it) or a registered one: shared through the process-wide registry,
// immutable, counted by its holders and freed by the last Release. Equal attribute sets
// are registered once, so equal formatting is pointer equality.
//
// Making a formatted run's attributes: make a scratch instance, Assign from a base, call
// setters, take GetRegistered, AddRef the result when it is kept, free the scratch.

#include <cstddef>
#include <cstdint>

#include "foundation/Strings.h"

namespace quillora {

class TAttributes;

// A class reference of the attribute classes: what a text asks for when it names the
// class of its paragraph or run attributes, and what the registry uses to copy a scratch
// instance.
struct TAttributesClass {
    const char* Name;
    const TAttributesClass* Parent;
    // A new unregistered instance with the class's defaults; null for abstract classes.
    TAttributes* (*NewInstance)();

    bool InheritsFrom(const TAttributesClass& other) const;
    // NewInstance, raising an Exception for an abstract class.
    TAttributes* Create() const;
};

class TAttributes {
public:
    static const TAttributesClass& Class();
    virtual const TAttributesClass& GetClass() const { return Class(); }

    TAttributes() = default;
    TAttributes(const TAttributes&) = delete;
    TAttributes& operator=(const TAttributes&) = delete;
    // A registered instance is freed only by its last Release (or at program end).
    virtual ~TAttributes();

    bool Registered() const { return registered_; }
    // The next (older) instance of the registry.
    TAttributes* NextRegistered() const { return nextRegistered_; }
    int RefCount() const { return refCount_; }

    // ---- virtual operations, in slot order ----
    // Hooks around every change a setter makes; they do nothing here.
    virtual void Changing();                              // 1
    virtual void Changed();                               // 2
    // Sets the class's defaults (the whole class chain).
    virtual void Create();                                // 3
    // Copies every field of the class chain from an instance of the same class (not the
    // registry fields).
    virtual void Assign(const TAttributes& source);       // 4
    // Exactly the same class and equal fields (strings case-sensitively); caches and
    // registry fields are not compared.
    virtual bool IsEqual(const TAttributes& other) const; // 5
    // A hash of the fields that IsEqual compares (equal instances hash alike).
    virtual size_t HashValue() const;

    // ---- the registry ----
    // A new registered instance of `cls` with its defaults and no reference.
    static TAttributes* CreateRegistered(const TAttributesClass& cls);
    // The newest registered instance equal to `attributes`, or null.
    static TAttributes* FindRegistered(const TAttributes& attributes);
    // `attributes` itself when it is registered; else the equal registered instance; else
    // a new registered copy. Adds no reference.
    static TAttributes* GetRegistered(const TAttributes& attributes);
    template <class T>
    static T* GetRegistered(const T& attributes)
    {
        return static_cast<T*>(GetRegistered(static_cast<const TAttributes&>(attributes)));
    }

    // Count a holder up or down; the last Release takes the instance out of the registry
    // and frees it. Nothing for unregistered instances or an instance without holders.
    void AddRef();
    void Release();

protected:
    // Called by every setter before Changing: a registered instance is shared and must
    // never change, so this raises an Exception for one.
    void CheckWritable() const;

private:
    friend struct TAttributesRegistryAccess;

    bool registered_ = false;
    int refCount_ = 0;
    TAttributes* nextRegistered_ = nullptr;
    TAttributes* prevRegistered_ = nullptr;
    uint64_t serial_ = 0;
    size_t hash_ = 0;
};

// The newest registered instance (the head of the registry's list), or null.
TAttributes* AttributesRegistry();
// How many instances the registry holds.
int RegisteredAttributesCount();

// The one way paragraphs, portions and edit operations store an attributes reference.
// Returns false and does nothing when `value` is the object already held; otherwise
// releases the old object, stores `value` and adds a reference to it, and returns true.
// An unregistered `value` is stored as its registered equal, so a holder never keeps a
// scratch object that its creator frees.
bool ReplaceAttributesSlot(TAttributes*& slot, TAttributes* value);

template <class T>
bool ReplaceAttributes(T*& slot, T* value)
{
    TAttributes* held = slot;
    const bool changed = ReplaceAttributesSlot(held, value);
    slot = static_cast<T*>(held);
    return changed;
}

// Combines a value into a hash.
inline void HashCombine(size_t& seed, size_t value)
{
    seed ^= value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2);
}

} // namespace quillora
