#pragma once
// TVisualElement: an element that occupies a rectangle on a sheet. It is drawn, can be
// hovered, pressed, focused, selected, disabled and hidden, answers the edit commands,
// offers palette items, shows a sign when it has errors and takes part in keyboard
// navigation and search.
//
// Besides the logical tree (TNode) visual elements form a visual tree: a visual parent
// and an ordered list of visual children decide where an element is drawn and what it
// is drawn over. The logical tree owns the elements; the visual tree only links them.

#include <cstdint>
#include <optional>
#include <vector>

#include "elements/Element.h"
#include "foundation/Geometry.h"
#include "foundation/Input.h"
#include "foundation/UtilsServices.h"
#include "foundation/ViewHost.h"
#include "render/SheetCanvas.h"

namespace quillora {

class TCustomSheet;
class TMessagesSignElement;
class TElementPortion;
class TFindData;

// ---- visual state ----
using TVisualState = uint16_t;
enum TVisualStateFlag : uint16_t {
    vsVisible = 0x0001,
    vsDisabled = 0x0002,
    vsEffectivelyDisabled = 0x0004,
    vsSelected = 0x0008,
    vsInSelection = 0x0010,
    vsSelectionBatch = 0x0020,
    vsSelectionChangePending = 0x0040,
    vsExternalEditing = 0x0080,
    vsKeepVisible = 0x0100,
    vsInAutoHide = 0x0200,
    vsWantsActivation = 0x0400,
};

// ---- visual options (chosen by the class; the unnamed bits are the subclasses') ----
using TVisualOptions = uint16_t;
enum TVisualOption : uint16_t {
    voCanDisable = 0x0001,
    voPressable = 0x0002,
    voFocusable = 0x0004,
    voEditable = 0x0008,
    voSelectAll = 0x0010,
    voStorePosition = 0x0020,
    voPassive = 0x0040,
    voReadOnly = 0x0080,
    voMultiSelect = 0x0800,
    voAutoHide = 0x2000,
};

// ---- paint and hit-test flags ----
constexpr int pfInactive = 0x01;
constexpr int pfNoMark = 0x04;

constexpr int hfSelf = 0x01;
constexpr int hfChildren = 0x02;
constexpr int hfDescendants = 0x04;
constexpr int hfInSelection = 0x08;
constexpr int hfPassive = 0x10;

// The state of a palette item for an element: preset to enabled and not checked.
struct TPaletteItemState {
    bool Enabled = true;
    bool Checked = false;
};

// The first argument of FindNext.
enum TFindMode : uint8_t {
    fmFind,
    fmFindAfter,
    fmFindAtSelection,
};

class TVisualElement : public TElement {
public:
    QUILLORA_ELEMENT_CLASS(TVisualElement, TElement)

    TVisualElement();
    ~TVisualElement() override;

    // ---- creation ----
    // Creates an element of class T as a part of `owner` and links it into the visual
    // tree below `visualParent` before `visualBefore`.
    template <class T>
    static T* NewVisualPart(TElement* owner, TElement* logicalBefore, TVisualElement* visualParent,
                            TVisualElement* visualBefore = nullptr)
    {
        T* element = NewPart<T>(owner, logicalBefore);
        element->SetVisualParent(visualParent, visualBefore);
        return element;
    }

    // ---- fields ----
    TCustomSheet* Sheet() const { return sheet_; }
    TVisualElement* VisualParent() const { return visualParent_; }
    TVisualElement* FirstVisual() const { return firstVisual_; }
    TVisualElement* LastVisual() const { return lastVisual_; }
    TVisualElement* NextVisual() const { return nextVisual_; }
    TVisualElement* PrevVisual() const { return prevVisual_; }
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Descent() const { return descent_; }
    TVisualState VisualState() const { return visualState_; }
    bool HasVisualState(TVisualState bits) const { return (visualState_ & bits) != 0; }
    TVisualOptions VisualOptions() const { return visualOptions_; }
    bool HasVisualOption(TVisualOptions bits) const { return (visualOptions_ & bits) != 0; }
    TMessagesSignElement* MessagesSign() const { return messagesSign_; }
    TElementPortion* Portion() const { return portion_; }
    void SetPortion(TElementPortion* portion) { portion_ = portion; }

    bool IsVisible() const { return HasVisualState(vsVisible); }
    bool IsEffectivelyDisabled() const { return HasVisualState(vsEffectivelyDisabled); }
    bool IsFocused() const;
    bool IsPressed() const;
    bool IsHovered() const;
    // voReadOnly, or the sheet or the scheme is read-only.
    bool IsReadOnly() const;

    // ---- visual tree and coordinates ----
    bool IsVisualAncestorOf(const TVisualElement* element) const;
    TPoint ToParent(TPoint point) const;
    TPoint FromParent(TPoint point) const;
    TPoint ToSheet(TPoint point) const;
    TPoint FromSheet(TPoint point) const;
    TRect ToParent(const TRect& rect) const;
    TRect ToSheet(const TRect& rect) const;
    TRect GetBoundsRect() const;
    TRect GetLocalRect() const;
    // Sets the sheet of the element and of its visual subtree (none detaches).
    void SetSheet(TCustomSheet* sheet);

    // ---- geometry and drawing ----
    // Returns whether anything changed.
    bool SetBounds(int left, int top, int width, int height, int descent);
    bool SetBounds(int left, int top, int width, int height) { return SetBounds(left, top, width, height, descent_); }
    void Invalidate();
    void InvalidateRect(const TRect& rect);
    void PaintAll(TSheetCanvas& canvas, int paintFlags);
    TVisualElement* HitTest(TPoint point, int hitFlags);

    // ---- state ----
    void SetDisabled(bool value);
    // Through a recorded operation of the scheme's undo engine.
    void SetDisabledUndoable(bool value);
    void SetSelected(bool value);
    void SetExternalEditing(bool value);
    void SetMarked(bool value);
    void SetWantsActivation(bool value);
    void SetVisualOptions(TVisualOptions options);
    void SetPressed(bool value);
    void MakeVisible();
    void Focus();
    void BeginSelectionBatch();
    void EndSelectionBatch();
    void UpdateDisabled();
    void UpdateInSelection();
    void UpdateVisible();
    // See the auto-hide rules: starts at the nearest auto-hide element (this or an
    // ancestor) and walks up the auto-hide ancestors.
    void UpdateAutoHide(bool keep, bool recompute, bool release);
    void UpdateMessagesSign();
    // The sign of this element's messages is being freed by someone else (with the
    // sheet's root element): it is forgotten.
    void MessagesSignGone(TMessagesSignElement* sign)
    {
        if (messagesSign_ == sign) messagesSign_ = nullptr;
    }

    // ---- reports to the sheet ----
    void ReportFocusedState();
    void ReportSelection();
    void ReportFocusedContent();

    // ---- keyboard navigation helpers ----
    // The default search step of FindNext: no match here; `next` is the next focusable
    // element, none when it leaves `searchRoot`'s focus subtree.
    void FindNextDefault(bool forward, TVisualElement* searchRoot, bool visibleOnly, bool enabledOnly,
                         TVisualElement*& next, TVisualElement*& from);
    bool IsFocusAncestorOf(const TVisualElement* element) const;

    // ---- class functions ----
    static const TElementClass* GetUnacceptedClass(TSchemeFiler* filer);

    // ---- virtual operations, in slot order ----
protected:
    void Create() override;                                                  // 1
    intptr_t Notification(int notify, intptr_t param1, intptr_t param2) override; // 2

public:
    bool IsCheckable() override;                                             // 7
    void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) override; // 19
    void HasValueChanged() override;                                         // 20
    void ErrorStateChanged() override;                                       // 23
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;            // 32
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;              // 34

    virtual void BoundsChanged(const TRect& oldRect, int oldDescent);       // 39
    virtual bool IsChildVisible(TVisualElement* child);                      // 40
    virtual bool ComputeDisabled();                                          // 41
    virtual bool ComputeInSelection();                                       // 42
    virtual bool ComputeVisible();                                           // 43
    virtual void PressedChanged();                                           // 44
    virtual void ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent); // 45
    virtual void ChildDisabledChanged(TVisualElement* child);                // 46
    virtual void ChildVisibleChanged(TVisualElement* child);                 // 47
    virtual void ChildSelectionChanged(TVisualElement* child);               // 48
    virtual void DisabledChanged();                                          // 49
    virtual bool ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked); // 50
    virtual void GetPaletteItems(TPaletteItemList& list);                    // 51
    virtual void GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state); // 52
    // Runs a sub-command of `item` with its value text; false when the element does not handle it.
    virtual bool ExecutePaletteSubItem(TVisualElement* target, TPaletteItem* item, const String& value);
    virtual bool ContainsPoint(TPoint point);                                // 53
    virtual bool Paste();                                                    // 54
    virtual void ExternalEditingChanged();                                   // 55
    virtual void FocusChanged();                                             // 56
    virtual void FocusChanging();                                            // 57
    virtual void GetCaret(bool& visible, TRect& rect);                       // 58
    virtual bool HasSelection();                                             // 59
    virtual void GetMargins(TRect& rect);                                    // 60
    virtual void GetMouseTransparent(TRect& rect);                           // 61
    virtual void GetPadding(TRect& rect);                                    // 62
    virtual void GetInvalidateRect(TRect& rect);                             // 63
    virtual TVisualElement* GetNextVisualChild(TVisualElement* previous, bool forward); // 64
    virtual TVisualElement* GetFocusParent();                                // 65
    virtual void InsertVisualChild(TVisualElement* child, TVisualElement* before); // 66
    virtual void EffectivelyDisabledChanged();                               // 67
    virtual void InSelectionChanged();                                       // 68
    virtual void VisibleChanged();                                           // 69
    virtual void ShowChild(TVisualElement* child);                           // 70
    virtual void MoveVisualChild(TVisualElement* child, TVisualElement* before); // 71
    virtual bool ShouldSaveChild(TSchemeFiler* filer, TElement* child);      // 72
    virtual void PaintChild(TSheetCanvas& canvas, int paintFlags, TVisualElement* child); // 73
    virtual void PaintChildren(TSheetCanvas& canvas, int paintFlags);        // 74
    virtual void Paint(TSheetCanvas& canvas, int paintFlags);                // 75
    virtual void PaintDisabled(TSheetCanvas& canvas);                        // 76
    virtual void PaintExternalEditing(TSheetCanvas& canvas);                 // 77
    virtual void PaintMark(TSheetCanvas& canvas);                            // 78
    virtual void PositionChanged();                                          // 79
    virtual void ActivationChanged();                                        // 80
    // 81: ChildNotification of the visual tree (the logical one is slot 26).
    virtual bool VisualChildNotification(TVisualElement* child, int notify, intptr_t param2, intptr_t param1);
    virtual void RemoveVisualChild(TVisualElement* child);                   // 82
    virtual void SelectedChanged();                                          // 83
    virtual void UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged); // 84
    virtual void DetachingFromSheet();                                       // 85
    virtual void AdjustCommonPaletteItems(TPaletteItemList& list);           // 86
    virtual void PropagateDisabled();                                        // 87
    virtual void PropagateSelection();                                       // 88
    virtual void PropagateVisible();                                         // 89
    virtual void VisualParentChanged();                                      // 90
    virtual void CancelPress();                                              // 91
    virtual bool CanDelete();                                                // 92
    virtual bool CanCopyText();                                              // 93
    virtual bool CanCopy();                                                  // 94
    virtual bool CanPaste();                                                 // 95
    virtual void Delete();                                                   // 96
    // The context menu was asked for at `screenPoint`; an element that shows one does it
    // through `host` and returns true, which suppresses the window's own menu.
    virtual bool ContextPopup(TViewHost& host, TPoint screenPoint);          // 97
    virtual void CopyText();                                                 // 98
    virtual void Copy();                                                     // 99
    virtual TCursor GetCursor(TPoint point);                                 // 100
    virtual void Reserved101();                                              // 101
    virtual void Reserved102();                                              // 102
    virtual void Reserved103();                                              // 103
    virtual void Reserved104(intptr_t param);                                // 104
    virtual bool DropFiles(const std::vector<String>& fileNames);            // 105
    // Files dropped on the element at `point` (local coordinates) by the sheet: by
    // default DropFiles; an element with places inside it puts them at the point.
    virtual bool DropFilesAt(const std::vector<String>& fileNames, TPoint point) { return DropFiles(fileNames); }
    virtual bool FindNext(TFindMode mode, TFindData* findData, bool forward, TVisualElement*& next,
                          TVisualElement*& from);                            // 106
    virtual void FocusFirst();                                               // 107
    // 108 GetUnacceptedClass is a class function (above).
    virtual bool FindFocusable(bool horizontal, bool forward, bool onlyVisible, bool skipDisabled,
                               TVisualElement*& result);                     // 109
    virtual void GetHint(String& text);                                      // 110
    virtual void GetAvailableSize(TVisualElement* child, int& width, int& height); // 111
    virtual TVisualElement* FindNextFocusable(bool horizontal, bool forward, bool onlyVisible, bool skipDisabled,
                                              TVisualElement*& from);        // 112
    // An element that acts on a key consumes the event (event.Consume()); the sheet then
    // does nothing further with it.
    virtual void KeyDown(TKeyEvent& event);                                  // 113
    virtual void KeyPress(TKeyEvent& event);                                 // 114
    virtual void KeyUp(TKeyEvent& event);                                    // 115
    virtual void GetKnotClassName(TSchemeFiler* filer, TKnot* knot, String& name); // 116
    virtual void Click();                                                    // 117
    virtual void DblClick();                                                 // 118
    // Points are in the element's coordinates. A second left press of a series (click
    // count 2) calls DblClick and nothing else; a left press of a voPressable element
    // focuses it and makes it the pressed element; any other press goes to the visual
    // parent.
    virtual void MouseDown(const TPointerEvent& event);                      // 119
    virtual void MouseEnter();                                               // 120
    virtual void MouseLeave();                                               // 121
    // The point is (-1, -1) when the pointer left the window.
    virtual void MouseMove(const TPointerEvent& event);                      // 122
    // A left release on the pressed element ends the press and, inside the element, clicks.
    virtual void MouseUp(const TPointerEvent& event);                        // 123
    // Drawn over everything on the focused element (its caret): the canvas is moved to the
    // element's origin and clipped to its rectangle.
    virtual void PaintOverlay(TSheetCanvas& canvas);                         // 124
    virtual void GetFocusData(String& text);                                 // 125
    virtual void SelectAll();                                                // 126
    virtual void SetFocus(bool horizontal, bool forward, std::optional<TPoint> point, TVisualElement* from,
                          const String& focusData);                          // 127
    virtual void SetVisualParent(TVisualElement* newParent, TVisualElement* before); // 128
    virtual void ChildEventOut(intptr_t a, intptr_t b);                      // 129

protected:
    TVisualState visualState_ = vsVisible;
    TVisualOptions visualOptions_ = 0;

private:
    void SetVisualStateBit(TVisualState bit, bool value);
    // Recomputes one cached state bit; calls `changed` when it flips.
    void UpdateCachedState(TVisualState bit, bool (TVisualElement::*compute)(), void (TVisualElement::*changed)());
    void RecomputeInAutoHide();
    bool HasShownValueOrFocusInside();
    void PlaceMessagesSign();
    void FreeMessagesSign();
    void SetSheetOfSubtree(TCustomSheet* sheet);

    TCustomSheet* sheet_ = nullptr;
    TVisualElement* visualParent_ = nullptr;
    TVisualElement* firstVisual_ = nullptr;
    TVisualElement* lastVisual_ = nullptr;
    TVisualElement* nextVisual_ = nullptr;
    TVisualElement* prevVisual_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    int descent_ = 3;
    TMessagesSignElement* messagesSign_ = nullptr;
    TElementPortion* portion_ = nullptr;
};

} // namespace quillora
