#include "typing/win32/DropDownListWindow.h"

#include <algorithm>

#include "render/win32/Bitmap32Win.h"
#include "typing/DropDownModel.h"

namespace quillora {

TDropDownListWindow::~TDropDownListWindow() { DestroyHandle(); }

bool TDropDownListWindow::Create(HWND parent, HINSTANCE instance, int width, int height)
{
    TWindowClass windowClass;
    windowClass.Name = ClassName;
    TWindowParams params;
    params.Style = WS_CHILD | WS_VISIBLE | WS_VSCROLL;
    params.X = 0;
    params.Y = 0;
    params.Width = width;
    params.Height = height;
    params.Parent = parent;
    params.Instance = instance;
    if (!CreateHandle(windowClass, params)) return false;
    view_.SetClientHeight(ClientRect().Height());
    scrollBarSet_ = false;
    UpdateScrollBar();
    return true;
}

void TDropDownListWindow::UpdateScrollBar()
{
    // Setting the scroll bar redraws it at once: only when it changes.
    scrollBarPending_ = false;
    const TScrollRange range = view_.ScrollRange();
    if (scrollBarSet_ && range == scrollBar_) return;
    SetScrollRange(sbVertical, range);
    scrollBar_ = range;
    scrollBarSet_ = true;
}

void TDropDownListWindow::ItemsChanged()
{
    view_.SetCount(model_.Count());
    view_.EnsureVisible(model_.Selection());
    // The rows go to the screen first; the scroll bar, which the system redraws at once
    // when it is set, follows them (see Paint).
    scrollBarPending_ = true;
    Invalidate(nullptr);
}

void TDropDownListWindow::SelectionChanged()
{
    if (view_.EnsureVisible(model_.Selection())) scrollBarPending_ = true;
    Invalidate(nullptr);
}

void TDropDownListWindow::SetItemHeight(int height)
{
    view_.SetItemHeight(height);
    view_.EnsureVisible(model_.Selection());
    UpdateScrollBar();
    Invalidate(nullptr);
}

bool TDropDownListWindow::Wheel(const TPointerEvent& event)
{
    if (!view_.Wheel(event.WheelDelta)) return false;
    UpdateScrollBar();
    Invalidate(nullptr);
    return true;
}

void TDropDownListWindow::Scroll(TScrollBarKind bar, TScrollCode code, int position)
{
    if (bar != sbVertical || !view_.Scroll(code, position)) return;
    UpdateScrollBar();
    Invalidate(nullptr);
}

void TDropDownListWindow::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = client.right, height = client.bottom;
    if (width > 0 && height > 0) {
        if (frame_.Width() != width || frame_.Height() != height) frame_.SetSize(width, height);
        HDC memory = BitmapDC(frame_);
        FillRect(memory, &client, GetSysColorBrush(COLOR_WINDOW));
        const int itemHeight = view_.ItemHeight();
        const int selection = model_.Selection();
        const int end = std::min(view_.EndVisible(), model_.Count());
        for (int index = view_.FirstVisible(); index < end; ++index) {
            const int y = (index - view_.Top()) * itemHeight;
            RECT row {0, y, width, y + itemHeight};
            if (OnDrawItem) OnDrawItem(memory, index, row, index == selection);
        }
        GdiFlush();
        BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    }
    EndPaint(Handle(), &ps);
    rowsShownAt_ = std::chrono::steady_clock::now();
    if (scrollBarPending_) UpdateScrollBar();
}

LRESULT TDropDownListWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SIZE:
        view_.SetClientHeight(HIWORD(lParam));
        UpdateScrollBar();
        Invalidate(nullptr);
        return 0;
    case WM_LBUTTONDOWN: {
        // A press chooses; the window takes neither the focus nor the pointer.
        const int index = view_.ItemAt(static_cast<short>(HIWORD(lParam)));
        if (index >= 0) model_.SetSelection(index);
        if (OnPress) OnPress(index);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_MOUSEMOVE:
        if (OnPointerMove) OnPointerMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    case LB_GETCOUNT:
        // For tools that count the items of the list.
        return model_.Count();
    default:
        break;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

} // namespace quillora
