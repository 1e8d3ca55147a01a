#pragma once
// TDropDownList: the list of choices that a drop-down element offers below itself. The
// element fills a tree of TDropDownItem, picks the selected item and hands the list to
// its sheet (TCustomSheet::OpenDropDown), which then owns it, shows it and, when the
// user accepts the selection, calls OnSelect before freeing it.

#include <cstdint>
#include <functional>

#include "foundation/Geometry.h"
#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

class TCustomSheet;
class TDropDownList;
class TSheetCanvas;
class TVisualElement;

// One choice; its children are sub-items, shown while it is expanded.
class TDropDownItem : public TNode {
public:
    explicit TDropDownItem(TDropDownList* list) : list_(list) {}

    TDropDownList* List() const { return list_; }
    TDropDownItem* FirstItem() const { return static_cast<TDropDownItem*>(FirstChild()); }
    TDropDownItem* NextItem() const { return static_cast<TDropDownItem*>(NextSibling()); }
    TDropDownItem* ParentItem() const { return static_cast<TDropDownItem*>(Parent()); }
    // Appends a sub-item (owned by this item) and returns it.
    TDropDownItem* AddItem(const String& name = String());

    bool Expanded() const { return expanded_; }
    // Expanding an item collapses its siblings; any change recomputes the list's width.
    void SetExpanded(bool value);

    int ImageIndex = -1; // an image of the 12-pixel element images; -1: none
    String Caption;
    String ShortCutText; // drawn right-aligned
    String Hint;
    intptr_t Data = 0;   // for the owner
    String Name;         // shown when Caption is empty
    bool Enabled = true;
    bool Selectable = true;

    // Caption, or Name when Caption is empty.
    const String& ShownText() const { return Caption.empty() ? Name : Caption; }

private:
    TDropDownList* list_;
    bool expanded_ = false;
};

class TDropDownList {
public:
    // Called with the owner element when the sheet closes the list accepting it.
    using TSelectHandler = std::function<void(TVisualElement* owner)>;

    TDropDownList(TCustomSheet* sheet, TVisualElement* owner);
    TDropDownList(const TDropDownList&) = delete;
    TDropDownList& operator=(const TDropDownList&) = delete;

    TCustomSheet* Sheet() const { return sheet_; }
    TVisualElement* Owner() const { return owner_; }
    // The invisible root; its children are the top-level items.
    TDropDownItem& RootItem() { return root_; }
    TDropDownItem* Selected() const { return selected_; }
    // Selects `item` (none clears) and expands its ancestors.
    void SetSelected(TDropDownItem* item);

    // Every item below the root, depth first.
    TDropDownItem* FirstItem() const { return root_.FirstItem(); }

    int ItemHeight = 0;
    TRect ElementRect; // the owner's rectangle in sheet coordinates
    int Width = 0;
    bool Shown = false;
    TSelectHandler OnSelect;
    // Called after the selection or an expansion changed (the sheet repaints the list).
    std::function<void()> OnChanged;

    // The depth of `item` below the root (the root's children have 1).
    static int Depth(const TDropDownItem* item);
    // ItemHeight from the canvas: max(12, code line height + 6).
    void ComputeItemHeight(TSheetCanvas& canvas);
    // Width: the widest item among those reachable through expanded items.
    void ComputeWidth(TSheetCanvas& canvas);
    // ComputeWidth again with the canvas it was last computed with (nothing before that).
    void ComputeWidthAgain();
    int ItemWidth(TSheetCanvas& canvas, const TDropDownItem& item) const;

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void Changed();

private:
    TCustomSheet* sheet_;
    TVisualElement* owner_;
    TDropDownItem root_;
    TDropDownItem* selected_ = nullptr;
    TSheetCanvas* canvas_ = nullptr;
    int updateCount_ = 0;
};

} // namespace quillora
