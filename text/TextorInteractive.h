#pragma once
// TTextorInteractive: the editing layer of a text while its text element has the focus.
// It owns the caret and the selection, turns keys and mouse actions into caret moves,
// selections and edit requests, chooses the mouse cursor and paints the text with its
// selection. It never changes the text: an edit goes out as notification
// tinReplaceSelection, which the text element turns into an undoable operation; the new
// caret and selection come back after the relayout.
//
// Positions point into portions and rows into the layout; both can go with an edit. The
// layer therefore keeps the locations of its ends too and renews its positions from them
// whenever the text's content changed since they were taken (a location beyond the text
// is clamped to it), and finds its caret row again after every relayout.

#include <cstdint>
#include <functional>

#include "foundation/Geometry.h"
#include "foundation/Input.h"
#include "foundation/Node.h"
#include "foundation/UtilsServices.h"
#include "text/Textor.h"
#include "text/TextorPosition.h"

namespace quillora {

class TRow;
class TSheetCanvas;
class TVisualElement;

// Notification codes of the layer (param1 as noted).
enum TTextorInteractiveNotify : int {
    tinCaret = 1,            // the caret row, position or width changed; 1: scroll it into view
    tinSelection = 2,        // the selection changed
    tinMouseMode = 3,        // MouseMode changed
    tinCursor = 4,           // CursorKind changed
    tinLink = 7,             // a link was activated; param1: const TTextorPosition*
    tinReplaceSelection = 8, // replace the selection; param1: const String* (null deletes it)
};

// Flags the text element sets.
constexpr uint16_t tifParagraphEndSelected = 0x8; // a selected paragraph end is painted selected
constexpr uint16_t tifLinks = 0x20;               // double click on a link reports it; hand over links
constexpr uint16_t tifCtrlEnterLinks = 0x40;      // Ctrl+Enter on a link reports it
constexpr uint16_t tifText = 0x200;               // the element allows text
constexpr uint16_t tifContent = 0x400;            // content mode
constexpr uint16_t tifDropDown = 0x800;           // the element has a drop-down list
constexpr uint16_t tifLineBreaks = 0x1000;        // line breaks are accepted

// The mouse cursors the layer asks for.
enum TTextorCursorKind : uint8_t {
    tckFieldBeam = 0,
    tckFieldElementsBeam = 1,
    tckFieldDropDownBeam = 2,
    tckContainerBeam = 3,
    tckContainerTextBeam = 4,
    tckLeftZone = 5,
    tckLeftZone2 = 6,
    tckArrow = 7,
    tckDragMove = 8,
    tckDragCopy = 9,
    tckNoDrop = 10,
    tckHand = 11,
};

// The screen cursor numbers of the kinds (the program's own cursors are registered under
// 10 to 17 at start-up).
TCursor TextorCursor(uint8_t kind);

class TTextorInteractive : public TItfObject {
public:
    // The caret at the start of the text's first row.
    explicit TTextorInteractive(TTextor& textor);
    ~TTextorInteractive() override = default;

    TTextor& Textor() const { return textor_; }

    TPoint DownPoint;
    TPoint MousePoint;
    uint16_t Flags = 0;
    // Asked before every key-driven change.
    std::function<bool()> CanEditCallback;
    // Left and Right (without Shift) into an embedded element: gives it the focus at its
    // end (Left) or start (Right); true when it took the focus.
    std::function<bool(TVisualElement* element, bool atEnd)> EnterElementCallback;

    int CaretWidth() const { return caretWidth_; }
    uint8_t CursorKind() const { return cursorKind_; }
    uint8_t MouseMode() const { return mouseMode_; }
    // The caret row and the ends, renewed when the text changed since they were taken.
    TRow* CaretRow();
    const TTextorPosition& Caret();
    const TTextorPosition& Anchor();
    const TTextorPosition& SelEnd();

    // ---- selection ----
    // The selected range in document order.
    void GetSelection(TTextorRange& range);
    bool HasSelection();
    // The moving end lies before the anchor.
    bool IsReversed();
    String GetSelectedText();
    // The selection as locations in document order, and whether the caret is at its start.
    TTextorLocationRange GetSelectionLocations(bool& caretAtStart);
    // Collapses the selection at `pos` in RowOfPosition(pos, PreferNext).
    void SetCaret(const TTextorPosition& pos);
    // Caret and moving end at the range's start (caretAtStart) or end, anchor at the other.
    void SetSelection(const TTextorRange& range, bool caretAtStart);
    void SelectAll();
    void Collapse();
    // The common end of all caret operations; true when anything changed.
    bool MoveCaret(TRow* row, const TTextorPosition& pos, bool extend, bool keepSelection);

    // ---- input (points in the text's frame) ----
    void KeyDown(TKeyEvent& event);
    void KeyPress(TKeyEvent& event);
    void KeyUp(TKeyEvent& event);
    // `clickCount` 2 is a double click, 3 or more a triple click.
    void MouseDown(TPoint point, bool left, TShiftState shift, int clickCount);
    void MouseMove(TPoint point);
    void MouseUp(TPoint point, bool left);
    void CancelPress();
    // Notification tinReplaceSelection without text.
    void DeleteSelection();

    // The caret rectangle in the text's frame (empty while the text is not laid out).
    TRect CaretRect();
    // The paragraph backgrounds, then the text, with the selection drawn selected when
    // `flags` has tdfSelected.
    void Paint(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags);

    void SetCaretWidth(int width);
    void SetCursorKind(uint8_t kind);
    void SetMouseMode(uint8_t mode);
    // The cursor kind of the text by Flags.
    uint8_t TextCursorKind() const;

private:
    // Renews positions after a content change and the caret row after a relayout.
    void Refresh();
    void Store(TRow* row, const TTextorPosition& caret, const TTextorPosition& anchor, const TTextorPosition& selEnd);
    TTextorPosition PositionOf(const TTextorLocation& location) const;
    bool CanEdit() const { return !CanEditCallback || CanEditCallback(); }
    // The position of a link at `pos` (its portion or, at offset 0, the character before).
    bool LinkAt(const TTextorPosition& pos, TTextorPosition& link) const;
    bool LinkAtPoint(TPoint point, TTextorPosition& link);
    void Replace(const String* text);
    bool EnterElement(bool left);

    TTextor& textor_;
    int caretWidth_ = 1;
    TRow* caretRow_ = nullptr;
    TTextorPosition caret_;
    TTextorPosition anchor_;
    TTextorPosition selEnd_;
    TTextorLocation anchorLocation_;
    TTextorLocation selEndLocation_;
    uint64_t contentSerial_ = 0;
    uint64_t layoutSerial_ = 0;
    uint8_t cursorKind_ = 0;
    uint8_t mouseMode_ = 0;
};

// The layer that text elements create: adds the pending selection that an edit operation
// leaves for the next relayout.
class TSchemeTextorInteractive : public TTextorInteractive {
public:
    using TTextorInteractive::TTextorInteractive;

    TTextorLocationRange PendingRange;
    bool PendingCaretAtStart = false;
    bool Pending = false;
};

} // namespace quillora
