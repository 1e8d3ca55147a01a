#pragma once
// TCustomSheet: what a visual element asks of the sheet that shows it. The sheet keeps
// the focused, pressed and hovered elements, collects repaint requests, batches its
// reports during updates and owns the root element of the visual tree. The editor's
// sheet implements it; tests use a recording fake.

#include <cstdint>

#include "foundation/Geometry.h"
#include "foundation/Node.h"
#include "foundation/Strings.h"

namespace quillora {

class TVisualElement;
class TSheetCanvas;
class TDropDownList;

class TCustomSheet : public TItfObject {
public:
    // ---- the element states the sheet owns ----
    virtual TVisualElement* GetFocused() const = 0;
    // The pressed element: it received the left press and gets the moves and the release.
    virtual TVisualElement* GetCapture() const = 0;
    virtual TVisualElement* GetHover() const = 0;
    virtual void SetFocused(TVisualElement* element) = 0;
    virtual void SetCapture(TVisualElement* element) = 0;
    virtual void SetHover(TVisualElement* element) = 0;
    // Forgets the element as focused, pressed, hovered, selected and delayed.
    virtual void ElementRemoved(TVisualElement* element) = 0;

    // ---- tree, canvas and settings ----
    // The invisible root of the visual tree (the sheet element).
    virtual TVisualElement* GetRoot() const = 0;
    virtual TSheetCanvas* GetCanvas() const = 0;
    virtual bool GetReadOnly() const = 0;
    virtual bool GetActive() const = 0;
    // The size offered to the root element.
    virtual void GetAvailableSize(int& width, int& height) const = 0;
    // The descent (pixels below the baseline) of the sheet's default text attributes,
    // for elements that stand in a line of text without text of their own.
    virtual int GetDefaultTextDescent() const = 0;

    // ---- updates and painting ----
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual bool IsUpdating() const = 0;
    // Repaints `rect` (sheet coordinates); everything when none.
    virtual void Invalidate(const TRect* rect) = 0;
    // The root element's extent changed.
    virtual void SizeChanged() = 0;
    virtual void UpdateCaret() = 0;
    virtual void ShowFocused() = 0;

    // ---- reports of the focused element (held back during updates) ----
    virtual void ReportFocusedState() = 0;
    virtual void ReportSelection() = 0;
    virtual void ReportFocusedContent() = 0;
    // An element's mark changed.
    virtual void MarkChanged(TVisualElement* element) = 0;

    // ---- selection, drop-down, delayed focus action, sound ----
    virtual void SetSelected(TVisualElement* element, bool selected) = 0;
    virtual void ClearSelection() = 0;
    // The element that opened the drop-down list that is open; none when none is.
    virtual TVisualElement* GetDropDownOwner() const = 0;
    virtual void OpenDropDown(TDropDownList* list) = 0;
    virtual void CloseDropDown(bool accept) = 0;
    virtual void DelayFocusAction(TVisualElement* element) = 0;
    virtual void PlaySheetSound(const String& name) = 0;
};

} // namespace quillora
