#pragma once
// TDropDownListWindow: the rows of the drop-down list, drawn straight from the model.
// Only the rows that show are drawn, all into one off-screen bitmap that goes to the
// screen at once. The window never takes the focus or activates: the program being
// typed into keeps it. A left press chooses the item under the pointer, moves select
// the item under the pointer, the wheel and the scroll bar scroll.
#include "foundation/win32/WinInclude.h"

#include <chrono>
#include <functional>

#include "foundation/win32/Window.h"
#include "render/Bitmap32.h"
#include "typing/DropDownListView.h"

namespace quillora {

class TDropDownModel;

class TDropDownListWindow : public TWindow {
public:
    static constexpr wchar_t ClassName[] = L"TDropDownListWindow";

    explicit TDropDownListWindow(TDropDownModel& model) : model_(model) {}
    ~TDropDownListWindow() override;

    // Creates the child window of `parent` with a vertical scroll bar.
    bool Create(HWND parent, HINSTANCE instance, int width, int height);

    // Draws item `index` in `rect` of `dc` (the off-screen bitmap's context).
    std::function<void(HDC dc, int index, const RECT& rect, bool selected)> OnDrawItem;
    // A left press on item `index` (already selected in the model).
    std::function<void(int index)> OnPress;
    // The pointer moved to (x, y) of the client area.
    std::function<void(int x, int y)> OnPointerMove;

    // The model's items were rebuilt: the count, the top, the selection shown.
    void ItemsChanged();
    // The model's selection changed: it is scrolled into view and shown.
    void SelectionChanged();
    void SetItemHeight(int height);
    const TDropDownListView& View() const { return view_; }
    // When the rows last went to the screen (the scroll bar follows them).
    std::chrono::steady_clock::time_point RowsShownAt() const { return rowsShownAt_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool Wheel(const TPointerEvent& event) override;
    void Scroll(TScrollBarKind bar, TScrollCode code, int position) override;

private:
    void UpdateScrollBar();
    void Paint();

    TDropDownModel& model_;
    TDropDownListView view_;
    TBitmap32 frame_; // the client area, composed before it goes to the screen
    TScrollRange scrollBar_; // what the scroll bar was last given
    bool scrollBarSet_ = false;
    // The count or the top changed: the scroll bar is set after the next paint.
    bool scrollBarPending_ = false;
    std::chrono::steady_clock::time_point rowsShownAt_ {};
};

} // namespace quillora
