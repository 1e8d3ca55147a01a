#pragma once
// Element classes as objects: a class reference creates elements of its class in a
// scheme, answers the class functions (type name, CanInsertInto, GetUnacceptedClass)
// and can be registered process-wide under its type name.
//
// Every element class declares itself with QUILLORA_ELEMENT_CLASS(TElement_Name, Base) in
// its public section: that gives the static Class() and the GetClass() override.

#include <vector>

#include "foundation/Strings.h"

namespace quillora {

class TElement;
class TScheme;
class TSchemeFiler;
class TElementClass;
class TPaletteItem;

using TElementClassList = std::vector<const TElementClass*>;
using TPaletteItemList = std::vector<TPaletteItem*>;

class TElementClass {
public:
    explicit TElementClass(String className) : className_(std::move(className)) {}
    TElementClass(const TElementClass&) = delete;
    TElementClass& operator=(const TElementClass&) = delete;
    virtual ~TElementClass() = default;

    const String& GetClassName() const { return className_; }
    // The class name without its first nine characters ("TElement_"): the name under
    // which elements of the class are stored.
    String GetTypeName() const;

    // Creates an element of the class in `scheme` (none for a helper element), with its
    // identifier and its initializer run. Throws for abstract classes.
    virtual TElement* Create(TScheme* scheme) const = 0;
    // Creates the element as a part of `owner`, linked before `before` (appended when none).
    virtual TElement* CreatePart(TElement* owner, TElement* before) const = 0;
    virtual bool CanInsertInto(TElement* parent) const = 0;
    // The class that keeps a child of an unknown class (visual element classes).
    virtual const TElementClass* GetUnacceptedClass(TSchemeFiler* filer) const = 0;
    // Whether elements of this class are instances of `other` (the class or a subclass).
    virtual bool InheritsFrom(const TElementClass& other) const = 0;

private:
    String className_;
};

// The first class of `classes` whose type name equals `name` exactly; none otherwise.
const TElementClass* FindClassByTypeName(const TElementClassList& classes, StringView name);

// ---- process-wide registry ----
// Element units register their classes at start-up. Containers never look classes up
// here to decide what they accept; the registry serves code that must name a class
// (the placeholder for unknown elements, the palette's element items).
void RegisterElementClass(const TElementClass& elementClass);
void UnregisterElementClass(const TElementClass& elementClass);
const TElementClass* FindElementClass(StringView typeName);

// The palette items that insert an element of a class, in order of adding.
void AddElementClassPaletteItem(const TElementClass& elementClass, TPaletteItem* item);
void RemoveElementClassPaletteItems(const TElementClass& elementClass);
void GetElementClassPaletteItems(const TElementClass& elementClass, TPaletteItemList& list);

// The one Disable item of the palette (none until the element model has started).
void SetDisablePaletteItem(TPaletteItem* item);
TPaletteItem* GetDisablePaletteItem();

// ---- the class object of one C++ class ----
template <class T>
class TElementClassOf final : public TElementClass {
public:
    using TElementClass::TElementClass;

    TElement* Create(TScheme* scheme) const override { return T::template NewElement<T>(scheme); }
    TElement* CreatePart(TElement* owner, TElement* before) const override
    {
        return T::template NewPart<T>(owner, before);
    }
    bool CanInsertInto(TElement* parent) const override { return T::CanInsertInto(parent); }
    const TElementClass* GetUnacceptedClass(TSchemeFiler* filer) const override { return T::GetUnacceptedClass(filer); }
    bool InheritsFrom(const TElementClass& other) const override { return T::ClassInheritsFrom(other); }
};

} // namespace quillora

// Declares the class object of an element class derived from `BaseName`; use it at the
// start of the class's public section.
#define QUILLORA_ELEMENT_CLASS(ClassName, BaseName)                                               \
    static const ::quillora::TElementClass& Class()                                               \
    {                                                                                             \
        static const ::quillora::TElementClassOf<ClassName> instance(::quillora::AsciiToString(#ClassName)); \
        return instance;                                                                          \
    }                                                                                             \
    const ::quillora::TElementClass& GetClass() const override { return Class(); }                \
    static bool ClassInheritsFrom(const ::quillora::TElementClass& other)                        \
    {                                                                                             \
        return &other == &Class() || BaseName::ClassInheritsFrom(other);                          \
    }
