#pragma once
// The palette's model: the one process-wide palette (TPalette), its groups and its
// items, and the items that act on elements: those the elements execute
// (TSchemePaletteItem), those that insert an element of a class (TElementPaletteItem),
// those with sub-commands (TSubExecutablePaletteItem) and the Disable item. The palette
// form (editor/) shows the items that the focused element offers.

#include <cstdint>
#include <vector>

#include "elements/ElementClass.h"
#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

class TVisualElement;
class TPaletteGroup;

// ---- item flags: the low byte is behaviour, the high byte presentation ----
constexpr uint16_t pifSingleMask = 0x0007;         // single elements / selections of children
constexpr uint16_t pifAlwaysDisabled = 0x0008;
constexpr uint16_t pifNoUndoGroup = 0x0020;        // runs without a sheet update and undo group
constexpr uint16_t pifDisabledReadOnly = 0x0040;   // disabled while the element is read-only
constexpr uint16_t pifOwnLine = 0x0080;            // the inserted element goes on a line of its own
constexpr uint16_t pifLargeButton = 0x0100;        // a large button showing LargeImage
constexpr uint16_t pifToggle = 0x0200;             // checks and unchecks itself
constexpr uint16_t pifRadio = 0x0400;              // member of the radio group RadioGroup
constexpr uint16_t pifNewColumn = 0x0800;          // starts a new column
constexpr uint16_t pifNoCaption = 0x1000;          // no text on the button
constexpr uint16_t pifMenuOnly = 0x2000;           // the button only opens its menu
constexpr uint16_t pifSplit = 0x4000;              // a large upper part and a small lower part

class TPaletteNode : public TNode {
public:
    int Order = 0;
    int CaptionId = 0;
};

class TPaletteGroup : public TPaletteNode {
public:
    // Appended to `palette` (none: standing alone).
    TPaletteGroup(TNode* palette, int captionId, int order);
};

// A sub-command of an item: its caption and the value text it runs with.
struct TPaletteSubItem {
    String Caption;
    String Value;
};

class TPaletteItem : public TPaletteNode {
public:
    // Appended to `group` (none: standing alone). LargeImage is set when `flags` has
    // pifLargeButton, SmallImage otherwise; the other is -1.
    TPaletteItem(TPaletteGroup* group, int captionId, int hintId, int order, int image, uint16_t flags,
                 StringView key = {});

    int HintId = 0;
    int SmallImage = -1;
    int LargeImage = -1;
    uint16_t Flags = 0;
    String Key;
    int RadioGroup = 0;
    std::vector<TPaletteSubItem> SubItems;

    TPaletteGroup* Group() const;
    // The sound played when the item is run from the palette; none by default.
    virtual String GetSound() const { return {}; }
    // Runs the item on `element` (the focused element, or each selected child); true
    // when the element handled it. `value` is the value text of a sub-command (empty
    // for the item itself).
    virtual bool Execute(TVisualElement& element, bool checked, const String& value) { return false; }
    // Runs it on each element of the list that leaves it enabled; how many handled it.
    virtual int ExecuteOnList(const std::vector<TVisualElement*>& elements, bool checked, const String& value);
};

// What the palette shows of one item for the focused element.
struct TPaletteItemTune {
    TPaletteItem* Item = nullptr;
    TPaletteGroup* Group = nullptr;
    String Caption;
    int SmallImage = -1;
    int LargeImage = -1;
    uint16_t Flags = 0;
    int RadioGroup = 0;
    String Key;

    // Filled from the item (its caption from the string table).
    static TPaletteItemTune Of(TPaletteItem& item);
};

// An item that the elements execute (ExecutePaletteItem), inside an update of their sheet.
class TSchemePaletteItem : public TPaletteItem {
public:
    // The image defaults to the default element image (0) of the list it shows from.
    TSchemePaletteItem(TPaletteGroup* group, int captionId, int hintId, int order, uint16_t flags,
                       StringView key = {}, int image = 0);
    String GetSound() const override;
    bool Execute(TVisualElement& element, bool checked, const String& value) override;
};

// Inserts a new element of its class at the element's current place.
class TElementPaletteItem : public TSchemePaletteItem {
public:
    TElementPaletteItem(TPaletteGroup* group, const TElementClass& elementClass, int captionId, int hintId, int order,
                        uint16_t flags, int image = 0);
    const TElementClass& ElementClass() const { return *class_; }
    String GetSound() const override;
    // Gives a new element of the class the item's settings before it is inserted:
    // `value` is the value text of the sub-command it was chosen with (empty: none).
    virtual void PrepareElement(TElement& element, const String& value) {}

private:
    const TElementClass* class_;
};

// An item with sub-commands; the element gets the chosen one's value text.
class TSubExecutablePaletteItem : public TSchemePaletteItem {
public:
    using TSchemePaletteItem::TSchemePaletteItem;
};

// The one Disable item: checked when the element is disabled.
class TDisablePaletteItem : public TSchemePaletteItem {
public:
    explicit TDisablePaletteItem(TPaletteGroup* group);
    String GetSound() const override;
};

// ---- the process-wide palette ----
class TPalette : public TNode {
public:
    // The group whose caption string is `captionId`; none when there is none.
    TPaletteGroup* FindGroup(int captionId) const;
};

// The palette, created with its standard groups ("Actions", "Options", "Insert",
// "State", "Additional"), the two "Other" items and the Disable item on first use.
TPalette& Palette();

// Caption ids of the standard groups.
constexpr int pgActions = 2320;
constexpr int pgOptions = 2321;
constexpr int pgInsert = 2322;
constexpr int pgAdditional = 2323;
constexpr int pgState = 2324;

// The palette item that inserts elements of `elementClass`: created in `group` and
// registered for the class (AddElementClassPaletteItem).
TElementPaletteItem* AddElementPaletteItem(TPaletteGroup* group, const TElementClass& elementClass, int captionId,
                                           int hintId, int order, uint16_t flags, int image);

} // namespace quillora
