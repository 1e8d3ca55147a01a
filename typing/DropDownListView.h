#pragma once
// The scrolling rules of the drop-down list: which items show, how the top item follows
// the selection and the scroll bar, and which item lies at a point. The list window
// draws the rows it names and carries out its scroll bar.

#include "foundation/ViewHost.h"

namespace quillora {

class TDropDownListView {
public:
    int Count() const { return count_; }
    int ItemHeight() const { return itemHeight_; }
    int ClientHeight() const { return clientHeight_; }
    int Top() const { return top_; }

    // Each keeps the top inside the items (clamped to MaxTop).
    void SetCount(int count);
    void SetItemHeight(int height);
    void SetClientHeight(int height);
    // Clamped to 0..MaxTop; true when the top changed.
    bool SetTop(int top);

    // Whole rows that fit the client height, at least 1.
    int PageSize() const;
    // The last top that still fills the page: max(0, Count - PageSize).
    int MaxTop() const;
    // Scrolls the least so that `index` shows whole (nothing for an index outside the
    // items); true when the top changed.
    bool EnsureVisible(int index);
    // The item at client `y`; -1 above the first row and below the last item.
    int ItemAt(int y) const;
    // The first and one past the last row that shows, in part or whole.
    int FirstVisible() const { return top_; }
    int EndVisible() const;

    // The vertical scroll bar: items 0..Count-1, a page of whole rows, at the top.
    TScrollRange ScrollRange() const;
    // The user worked the scroll bar (`position` for the thumb); true when the top changed.
    bool Scroll(TScrollCode code, int position);
    // A wheel turn: three rows a notch, positive away from the user (scrolls up).
    bool Wheel(int wheelDelta);

private:
    int count_ = 0;
    int itemHeight_ = 1;
    int clientHeight_ = 0;
    int top_ = 0;
    int wheelRest_ = 0; // the part of a notch not yet scrolled
};

} // namespace quillora
