#pragma once
// TScheme: one document of elements. It names the root element class, owns the root
// element, registers every element of the document so that it can be found by its
// identifier, carries the file name, the read-only state, the message list for loading
// and saving and the undo engine, and defers validation while the document is being
// changed wholesale (BeginUpdate / EndUpdate).

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "elements/ElementClass.h"
#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

class TElement;
class TElementMessages;
class TKnot;
class TUndoRedo;

// Notification codes of a scheme.
enum TSchemeNotify : int {
    snFileNameChanged = 1,
    snReadOnlyChanged = 3,
};

class TScheme : public TItfObject {
public:
    // Creates the root element as `rootClass`->Create(this) when a class is given.
    explicit TScheme(const TElementClass* rootClass = nullptr, String schemeName = {});
    // Frees the root element and its subtree; registered elements outside that subtree
    // stay alive without a scheme.
    ~TScheme() override;

    // ---- fields ----
    const String& FileName() const { return fileName_; }
    // Stores the name and notifies snFileNameChanged when it changes.
    void SetFileName(const String& fileName);
    TElement* Root() const { return root_.get(); }
    const TElementClass* RootClass() const { return rootClass_; }
    // The name of the root knot in files.
    const String& SchemeName() const { return schemeName_; }
    bool ReadOnly() const { return readOnly_; }
    // Stores the value and notifies snReadOnlyChanged when it changes.
    void SetReadOnly(bool value);
    // The undo engine that records the document's operations (not owned); none for
    // schemes without undo.
    TUndoRedo* UndoRedo() const { return undoRedo_; }
    void SetUndoRedo(TUndoRedo* undoRedo) { undoRedo_ = undoRedo; }
    // Where loading and saving report: the scheme's own list unless another one (the
    // log's) was set.
    TElementMessages& SchemeMessages() const { return *messages_; }
    // Null restores the scheme's own list; the caller keeps `messages` alive meanwhile.
    void SetSchemeMessages(TElementMessages* messages);

    // ---- registration ----
    // Registers the element and returns its new identifier (the next value of the
    // process-wide counter).
    int32_t RegisterElement(TElement* element);
    // Removes the element from the registered elements and from the deferred checks.
    void UnregisterElement(TElement* element);
    // The registered element with that identifier; none for 0 or an unknown one.
    TElement* FindElement(int32_t id) const;
    // Every registered element, in order of registration.
    std::vector<TElement*> Elements() const;
    int ElementCount() const { return static_cast<int>(index_.size()); }

    // ---- updates and deferred checks ----
    void BeginUpdate() { ++updateCount_; }
    // When the count returns to 0 and there is a root element, every deferred element,
    // in list order, loses esCheckPending and gets Revalidate; the list is emptied.
    void EndUpdate();
    bool IsUpdating() const { return updateCount_ > 0; }
    int UpdateCount() const { return updateCount_; }
    // Appends the element to the deferred checks (Validate calls it during updates).
    void AddPendingCheck(TElement* element);
    // The deferred elements, in list order.
    std::vector<TElement*> PendingChecks() const;

    // ---- undo groups and message batches ----
    // Opens an undo group (when there is an undo engine) so that everything up to
    // EndGroup is undone in one step; with `batchMessages` the scheme's messages are
    // batched from here to EndGroup.
    void BeginGroup(bool batchMessages, const String& caption = {});
    void EndGroup();
    void BeginMessages();
    void EndMessages();

    // ---- files and knots ----
    // Sets FileName, reads the file (a missing one raises "File not found: %1") and
    // loads the root element from it in mode 0, reporting into SchemeMessages.
    void LoadFromFile(const String& fileName);
    // Loads `element` from `knot` through a loader with the scheme's messages.
    void LoadFromKnot(TElement* element, int mode, TKnot* knot);
    // Writes the document safely: into a temporary file beside the target, flushed,
    // which then replaces the target in one step. On failure the old file and the old
    // FileName stay, and the temporary file is kept when it could not take the target's
    // place. With `asCopy` FileName stays as it was.
    void SaveToFile(const String& fileName, bool asCopy = false);
    // Names `knot` after the scheme, writes "FormatVersion" and the element's items.
    void SaveToKnot(TElement* element, int mode, TKnot* knot, int options);

private:
    void CompactElements();

    String fileName_;
    String schemeName_;
    const TElementClass* rootClass_ = nullptr;
    std::unique_ptr<TElement> root_;
    bool readOnly_ = false;
    TUndoRedo* undoRedo_ = nullptr;
    std::unique_ptr<TElementMessages> ownMessages_;
    TElementMessages* messages_ = nullptr;
    int updateCount_ = 0;

    // Registered elements in order of registration; unregistered ones leave a null
    // slot until the list is compacted.
    std::vector<TElement*> elements_;
    std::unordered_map<TElement*, size_t> index_;
    // A cache from identifier to element, checked against the element's identifier
    // (loading exact copies changes identifiers after registration).
    mutable std::unordered_map<int32_t, TElement*> byID_;
    std::vector<TElement*> pending_; // null slots: elements unregistered meanwhile
    bool runningChecks_ = false;
    std::vector<bool> groupBatches_; // per open group: whether it batches messages
};

// Holds one update of a scheme (none: nothing) for its scope; the update's end runs the
// deferred checks, which may raise.
class TSchemeUpdate {
public:
    explicit TSchemeUpdate(TScheme* scheme) : scheme_(scheme)
    {
        if (scheme_) scheme_->BeginUpdate();
    }
    ~TSchemeUpdate() noexcept(false)
    {
        if (scheme_) scheme_->EndUpdate();
    }
    TSchemeUpdate(const TSchemeUpdate&) = delete;
    TSchemeUpdate& operator=(const TSchemeUpdate&) = delete;

private:
    TScheme* scheme_;
};

} // namespace quillora
