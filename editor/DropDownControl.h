#pragma once
// TDropDownControl: the rules of the pop-up window that shows a sheet's open drop-down
// list: its rows (the items reachable through expanded items, in tree order), where it
// is placed on the desktop, how keys, the mouse and the wheel move the selection, how a
// release picks an item or toggles a group, and how a row is drawn. The window (Win32
// side) only carries them out.

#include <vector>

#include "elements/DropDownList.h"
#include "foundation/Geometry.h"
#include "foundation/Input.h"

namespace quillora {

class TSheet;
class TSheetCanvas;

class TDropDownControl {
public:
    static constexpr int MaxRows = 17;
    static constexpr int GroupCell = 24;

    explicit TDropDownControl(TSheet& sheet);

    // The list shown: the sheet's open list; none after it closed.
    TDropDownList* List() const;
    // Fills the rows again from the list, keeping the top row.
    void Populate();
    const std::vector<TDropDownItem*>& Rows() const { return rows_; }
    // The row of the list's selected item; -1 when none is shown.
    int SelectedRow() const;
    int TopRow() const { return topRow_; }
    int ItemHeight() const;
    // Rows shown at once: the rows, at most MaxRows, at least one.
    int VisibleRows() const;

    // The window's rectangle on the screen for a list below (or above) the element at
    // `elementScreen`, with `frame` pixels of window frame (both sides together) and a
    // vertical scroll bar `scrollBarWidth` wide, within `desktop`.
    TRect Place(const TRect& elementScreen, const TRect& desktop, int frame, int scrollBarWidth) const;
    // The rectangle of a window that only grows while open: left and top the smaller,
    // width and height the larger of `old` and `now`.
    static TRect Grow(const TRect& old, const TRect& now);

    // ---- input (client coordinates of the list, rows from the top row) ----
    // Up, Down, Page Up, Page Down, Home and End move the selection; true when taken.
    bool KeyDown(TKeyCode key);
    // Selects the row under the pointer. The first move after the window appears is
    // ignored, and only real changes of position count.
    void PointerMove(TPoint point);
    // Scrolls by whole rows (`delta` in wheel notches, positive away from the user) and
    // selects the row under the pointer.
    void Wheel(int delta, TPoint point);
    void PointerDown(TPoint point);
    // A release of the left button: over a group's cell it toggles the group; otherwise a
    // selectable item (or no selection) closes the list, accepting it when `inside`.
    void PointerUp(TPoint point, bool inside);
    // The row under `point`, -1 when none.
    int RowAt(TPoint point) const;

    // Draws row `row` into `rect` (canvas coordinates).
    void PaintRow(TSheetCanvas& canvas, int row, const TRect& rect) const;

private:
    void SelectRow(int row);
    void ScrollToRow(int row);

    TSheet& sheet_;
    std::vector<TDropDownItem*> rows_;
    int topRow_ = 0;
    bool moved_ = false;
    TPoint lastMove_ {-1, -1};
};

} // namespace quillora
