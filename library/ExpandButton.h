#pragma once
// TExpandButton: the small collapse/expand button of titled elements and logic frames.
// It governs the visibility of its controlled text containers through its owner: a
// change of state sends the node notification ebnExpandedChanged to the button, which
// the owner hears (ChildNotification) and answers by showing or hiding the containers.
// A change made by the user is an undoable TExpandButtonOperation that does not count as
// a change of the document, so that it works in read-only mode too.

#include <cstdint>
#include <vector>

#include "elements/CustomElements.h"
#include "elements/Operations.h"

namespace quillora {

// Node notifications that the button sends to itself (its owner hears them first).
enum TExpandButtonNotify : int {
    ebnExpandedChanged = 8, // Expanded changed
    // The button asks whether it counts as empty: param1 points to a bool preset to
    // true, which the owner may change.
    ebnQueryEmpty = 9,
};

// The cursor number that the button's cursor resource is registered as.
constexpr TCursor crExpandButton = 2;

class TExpandButton : public TCustomButtonElement {
public:
    QUILLORA_ELEMENT_CLASS(TExpandButton, TCustomButtonElement)

    // A button of a titled element: when `expanded`, both DefaultExpanded and Expanded
    // start true. Made as a part of `owner`.
    static TExpandButton* NewButton(TElement* owner, TVisualElement* visualParent, bool expanded);

    bool Expanded() const { return expanded_; }
    // The state that is not saved.
    bool DefaultExpanded() const { return defaultExpanded_; }
    void SetDefaultExpanded(bool value) { defaultExpanded_ = value; }
    // The button belongs to a logic frame and uses its images.
    bool LogicFrameStyle() const { return logicFrameStyle_; }
    void SetLogicFrameStyle(bool value);

    // Adds a container whose visibility the button governs (not owned). Containers are
    // kept by identifier: one that is destroyed simply drops out of the list.
    void AddControlled(TElement* container);
    // Forgets every controlled container.
    void ClearControlled() { controlled_.clear(); }
    // The controlled containers that still exist, in the order added.
    std::vector<TElement*> Controlled() const;

    // Through a TExpandButtonOperation of the scheme's undo engine.
    void SetExpanded(bool value);
    // Stores the state when it changes, repaints and sends ebnExpandedChanged.
    void SetExpandedRaw(bool value);

    // Plays the collapse or expand sound, then toggles the state (undoable).
    void Execute() override;

    // ---- element operations ----
    bool IsEmpty() override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    void GetMargins(TRect& rect) override;
    void UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged) override;
    void FocusChanged() override;
    void GetHint(String& text) override;
    TCursor GetCursor(TPoint point) override;

    // The theme image that shows the current state.
    TSheetThemeElement ImageElement();

protected:
    void Create() override;

private:
    void UpdateSize();
    String ValueName(TSchemeFiler* filer);

    std::vector<int32_t> controlled_;
    bool defaultExpanded_ = false;
    bool logicFrameStyle_ = false;
    bool expanded_ = false;
};

// Sets an expand button's state; the old state is kept for undo.
class TExpandButtonOperation : public TElementOperation {
public:
    TExpandButtonOperation(TExpandButton* button, bool newValue);

    bool NewValue = false;
    bool OldValue = false;

    // Does not count as a change of the document.
    int GetFlags() const override { return 0; }
    void ApplyTo(TElement* element) override;
    void RevertOn(TElement* element) override;
};

// The edit form's expand and collapse commands over a whole element tree.
enum TExpandAllMode : uint8_t {
    eamCollapseAll,
    eamExpandAll,
    // Expanded exactly when the button's content is not empty and it is not disabled.
    eamExpandedNotEmpty,
};

// Sets every expand button below (and including) `root` by `mode`, with the busy cursor,
// inside one undo group of the scheme and one update of the sheet; afterwards the sheet
// shows its focused element. Returns the number of buttons that changed.
int ExpandButtons(TElement& root, TExpandAllMode mode);

} // namespace quillora
