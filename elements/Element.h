#pragma once
// TElement: the base of every element of a document. A node of the logical tree that
// belongs to a scheme, carries a process-wide identifier, knows whether it is a built-in
// part of its parent, keeps its validation messages and defines the hooks through which
// it is checked, copied, saved and loaded.
//
// Elements are made through their class (TElementClass::Create) or NewElement<T> /
// NewPart<T>: the C++ constructor only builds the object; the scheme, the identifier and
// the initializer Create() follow, so that Create() runs with the final dynamic type.
// Element classes set their flags in Create().
//
// Destruction: an element class whose destructor changes anything calls BeginDestroy()
// first, so that the whole subtree is marked destroying before anything is unlinked.

#include <cstdint>
#include <memory>

#include "elements/ElementClass.h"
#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

class TScheme;
class TElementMessages;
class TSchemeFiler;
class TKnot;

// ---- flags: what kind of element it is (set by the class in Create) ----
using TElementFlags = uint8_t;
enum TElementFlag : uint8_t {
    efPart = 0x01,
    efSavedInline = 0x02,
    efTransient = 0x04,
    efIdentified = 0x08,
    efComment = 0x10,
    efUnsupported = 0x20,
    efValue = 0x40,
    efValueRequired = 0x80,
};

// ---- computed state ----
using TElementState = uint8_t;
enum TElementStateFlag : uint8_t {
    esDestroying = 0x01,
    esMarked = 0x02,
    esLoaded = 0x04,
    esHasValue = 0x08,
    esNotEmpty = 0x10,
    esCheckPending = 0x20,
};

// ---- notification codes that elements use (Notification's `notify`) ----
enum TElementNotify : int {
    enParentChanged = 2,    // through the subtree, pre-order: AncestorsChanged
    enDestroying = 3,       // through the subtree, pre-order: sets esDestroying
    enInitializeNew = 4,    // through the subtree, pre-order: InitializeNew(param1)
    enHasValueChanged = 5,  // to the element itself
    enEmptyChanged = 6,     // to the element itself
    enChanged = 7,          // to the element itself
};

class TElement : public TNode {
public:
    static const TElementClass& Class();
    virtual const TElementClass& GetClass() const;
    static bool ClassInheritsFrom(const TElementClass& other);

    TElement();
    ~TElement() override;

    // ---- creation ----
    // An element of class T in `scheme` (none: a helper element with ID 0).
    template <class T>
    static T* NewElement(TScheme* scheme)
    {
        std::unique_ptr<T> element(new T());
        element->Construct(scheme);
        return element.release();
    }
    // An element of class T as a part of `owner` (efPart set before Create), in the
    // owner's scheme, linked below `owner` before `before` (at the end when none).
    template <class T>
    static T* NewPart(TElement* owner, TElement* before = nullptr)
    {
        std::unique_ptr<T> element(new T());
        element->flags_ |= efPart;
        element->Construct(owner ? owner->Scheme() : nullptr);
        if (owner) element->SetParent(owner, before);
        return element.release();
    }

    // ---- process-wide identifiers ----
    // Takes the next identifier (the first one of the process is 1). Atomic.
    static int32_t TakeNewID();
    // Raises the counter to `id` when it is below. Atomic.
    static void RaiseIDCounter(int32_t id);
    // The last identifier taken or raised to.
    static int32_t LastID();

    // ---- fields ----
    TScheme* Scheme() const { return scheme_; }
    int32_t ID() const { return id_; }
    TElementState State() const { return state_; }
    bool HasState(TElementState bits) const { return (state_ & bits) != 0; }
    void IncludeState(TElementState bits) { state_ = static_cast<TElementState>(state_ | bits); }
    void ExcludeState(TElementState bits) { state_ = static_cast<TElementState>(state_ & ~bits); }
    TElementFlags Flags() const { return flags_; }
    bool HasFlag(TElementFlags bits) const { return (flags_ & bits) != 0; }
    // The messages; none while the element has none.
    TElementMessages* Messages() const { return messages_.get(); }
    // The messages, created when absent.
    TElementMessages& GetMessages();
    // Frees the message list (also when it holds messages).
    void FreeMessages();

    TElement* ParentElement() const;
    TElement* FirstElement() const;
    TElement* NextElement() const;
    TElement* PrevElement() const;
    TElement* LastElement() const;

    // ---- operations ----
    // Changes the flags; FlagsChanged(old) when the set changed.
    void SetFlags(TElementFlags newFlags);
    // The element itself, or, for a part, the nearest ancestor that is not a part.
    TElement* GetOwnerElement();
    // GetAcceptedClasses, without the classes that refuse this element as parent.
    void GetAcceptedClassesFiltered(TElementClassList& list);
    // Sends enInitializeNew with `context` through the subtree; called once by whoever
    // creates an element for the user, after linking it.
    void InitializeNewTree(intptr_t context = 0);
    void UpdateHasValue();
    void UpdateEmpty();
    void Validate();
    // UpdateHasValue, UpdateEmpty, Validate.
    void Recheck();
    // True unless the messages hold a message of kind 2, 3, 4 or 5.
    bool HasNoErrors() const;
    // Sends enDestroying through the subtree unless the element is already destroying.
    void BeginDestroy();
    // Sets the identifier directly (loading exact copies); calls IDChanged on a change.
    void SetID(int32_t id);

    // ---- persistence of children ----
    // Writes `child` as a knot of its type name below `knot`; none when it is left out.
    TKnot* SaveChildToKnot(TElement* child, TSchemeFiler* filer, TKnot* knot);
    // Reads a child from `knot` (a class of `acceptedClasses` by type name, otherwise the
    // placeholder for unknown classes), linked before `before`. On failure the new
    // element is destroyed and the error passes on.
    TElement* CreateChildFromKnot(TSchemeFiler* filer, TKnot* knot, TElement* before,
                                  const TElementClassList& acceptedClasses);

    // ---- class functions ----
    static bool CanInsertInto(TElement* parent) { return true; }
    static const TElementClass* GetUnacceptedClass(TSchemeFiler* filer) { return nullptr; }
    String GetTypeName() const { return GetClass().GetTypeName(); }

    // ---- virtual operations, in slot order (0 Notify and 3..6 are TNode's) ----
protected:
    // 1: the initializer, run after Scheme and ID are set.
    virtual void Create();
    // 2: offers the code to the parent's ChildNotification, then reacts itself.
    intptr_t Notification(int notify, intptr_t param1, intptr_t param2) override;
    // 3: sends enParentChanged through the subtree.
    void ParentChanged() override;
    // 4, 5, 6: as TNode.
    void ChildrenChanged() override;
    void ChildInserting(TNode* child, TNode* before) override;
    void ParentChanging(TNode* newParent, TNode* before) override;

public:
    virtual bool IsCheckable();                                              // 7
    virtual void RedoDependent(TKnot* data);                                 // 8
    virtual void UndoDependent(TKnot* data);                                 // 9
    virtual void CheckValue();                                               // 10
    virtual void GetAcceptedClasses(TElementClassList& list);                // 11
    virtual bool HasValue();                                                 // 12
    virtual bool IsEmpty();                                                  // 13
    virtual void InitializeNew(intptr_t context);                            // 14
    virtual void FlagsChanged(TElementFlags oldFlags);                       // 15
    virtual void GetChildAcceptedClasses(TElement* child, TElementClassList& list); // 16
    virtual void GetChildHint(TElement* child, String& text);                // 17
    virtual void GetChildPaletteItems(TElement* child, TPaletteItemList& list); // 18
    virtual void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name); // 19
    virtual void HasValueChanged();                                          // 20
    virtual void IDChanged(int32_t oldID);                                   // 21
    virtual void EmptyChanged();                                             // 22
    virtual void ErrorStateChanged();                                        // 23
    virtual void AncestorsChanged();                                         // 24
    virtual bool ShouldSavePart(TSchemeFiler* filer, TElement* part);        // 25
    virtual bool ChildNotification(TElement* child, int notify, intptr_t param2, intptr_t param1); // 26
    virtual void Revalidate();                                               // 27
    virtual void ChildEvent(TElement* child, intptr_t a, intptr_t b);        // 28
    virtual void Changed();                                                  // 29
    // 30 CanInsertInto and 31 GetTypeName are class functions (above).
    virtual void LoadFromKnot(TSchemeFiler* filer, TKnot* knot);             // 32
    virtual void SaveTo(TKnot* knot, int mode, int options);                 // 33
    virtual void SaveToKnot(TSchemeFiler* filer, TKnot* knot);               // 34
    virtual void GetText(String& builder);                                   // 35
    virtual bool IsDefault(TSchemeFiler* filer, TKnot* knot);                // 36
    virtual bool SavesInline(TSchemeFiler* filer);                           // 37
    virtual void GetKnotName(TSchemeFiler* filer, String& name);             // 38

protected:
    // Sets the scheme, registers (giving the identifier) and runs Create().
    void Construct(TScheme* scheme);
    // The notification reaction of the base (the table of codes); true when handled.
    bool ReactToNotification(int notify, intptr_t param1, intptr_t param2);
    // Asks the logical parent's ChildNotification; true when handled there.
    bool OfferToParent(int notify, intptr_t param1, intptr_t param2);

    TElementFlags flags_ = 0;

private:
    friend class TScheme;
    // The scheme is being destroyed while the element lives on (a helper element that
    // is not in the root's tree): the element keeps its identifier and forgets the scheme.
    void ForgetScheme();

    TScheme* scheme_ = nullptr;
    int32_t id_ = 0;
    TElementState state_ = 0;
    bool registered_ = false;
    std::unique_ptr<TElementMessages> messages_;
};

} // namespace quillora
