#include "editor/win32/DropDownWindow.h"

#include "render/Canvas.h"
#include "render/win32/CanvasWin.h"

namespace quillora {

TDropDownWindow::TDropDownWindow(TDropDownControl& control, TCustomSheetCanvas* canvas, HWND owner)
    : control_(control), canvas_(canvas), owner_(owner)
{
}

TDropDownWindow::~TDropDownWindow() { DestroyHandle(); }

TDropDownPopupFactory TDropDownWindow::Factory(TCustomSheetCanvas* canvas, HWND owner)
{
    return [canvas, owner](TDropDownControl& control) -> std::unique_ptr<TDropDownPopup> {
        return std::make_unique<TDropDownWindow>(control, canvas, owner);
    };
}

void TDropDownWindow::ShowAt(const TRect& r)
{
    if (!Handle()) {
        TWindowClass windowClass;
        windowClass.Name = L"QuilloraDropDownList";
        windowClass.Style = CS_SAVEBITS | CS_DROPSHADOW;
        TWindowParams params;
        params.Style = WS_POPUP | WS_BORDER;
        params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        params.Parent = owner_;
        params.X = r.Left;
        params.Y = r.Top;
        params.Width = r.Width();
        params.Height = r.Height();
        if (!CreateHandle(windowClass, params)) return;
    }
    SetWindowPos(Handle(), HWND_TOPMOST, r.Left, r.Top, r.Width(), r.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TDropDownWindow::Refresh()
{
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TDropDownWindow::Hide()
{
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

TRect TDropDownWindow::ScreenRect() const
{
    RECT r {};
    if (!Handle() || !GetWindowRect(Handle(), &r)) return {};
    return Rect(r.left, r.top, r.right, r.bottom);
}

TRect TDropDownWindow::Desktop() const
{
    RECT r {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return Rect(r.left, r.top, r.right, r.bottom);
}

int TDropDownWindow::FrameSize() const { return 2 * GetSystemMetrics(SM_CYBORDER); }

int TDropDownWindow::ScrollBarWidth() const { return GetSystemMetrics(SM_CXVSCROLL); }

LRESULT TDropDownWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Handle(), &paint);
        try {
            Paint(dc, Rect(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom));
        } catch (...) {
            EndPaint(Handle(), &paint);
            throw;
        }
        EndPaint(Handle(), &paint);
        return 0;
    }
    default:
        return TWindow::WindowProc(msg, wParam, lParam);
    }
}

void TDropDownWindow::Paint(HDC dc, const TRect& rect)
{
    if (!canvas_ || rect.IsEmpty()) return;
    TDCPaintTarget target(dc);
    canvas_->BeginPaint(rect);
    try {
        const int height = control_.ItemHeight();
        const TRect client = ClientRect();
        for (int row = control_.TopRow(); row < static_cast<int>(control_.Rows().size()); ++row) {
            const int top = (row - control_.TopRow()) * height;
            if (top >= client.Bottom) break;
            control_.PaintRow(*canvas_, row, Rect(0, top, client.Right, top + height));
        }
    } catch (...) {
        canvas_->EndPaint(&target);
        throw;
    }
    canvas_->EndPaint(&target);
}

void TDropDownWindow::PointerDown(const TPointerEvent& event)
{
    CapturePointer();
    control_.PointerDown(event.Point);
    Refresh();
}

void TDropDownWindow::PointerMove(const TPointerEvent& event)
{
    control_.PointerMove(event.Point);
    Refresh();
}

void TDropDownWindow::PointerUp(const TPointerEvent& event)
{
    ReleasePointer();
    if (event.Button != pbLeft) return;
    // The list may close here: the sheet form then hides this window at once and frees
    // it only after this handler has returned.
    control_.PointerUp(event.Point, ClientRect().Contains(event.Point));
    Refresh();
}

bool TDropDownWindow::Wheel(const TPointerEvent& event)
{
    control_.Wheel(event.WheelDelta / TPointerEvent::WheelNotch, event.Point);
    Refresh();
    return true;
}

} // namespace quillora
