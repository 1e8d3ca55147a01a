#include "widgets/win32/RangeBoxWindow.h"

#include "foundation/win32/TimingTrace.h"
#include "render/win32/CanvasWin.h"

namespace quillora {

TRangeBoxWindow::TRangeBoxWindow() : box_(*this) { SetView(&box_); }

TRangeBoxWindow::~TRangeBoxWindow()
{
    // The window goes before the model it serves.
    DestroyHandle();
}

bool TRangeBoxWindow::Create(HWND parent, const TRect& bounds)
{
    TWindowParams params;
    params.Style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL;
    params.ExStyle = WS_EX_CLIENTEDGE;
    params.Parent = parent;
    params.X = bounds.Left;
    params.Y = bounds.Top;
    params.Width = bounds.Width();
    params.Height = bounds.Height();
    TWindowClass windowClass;
    windowClass.Name = L"QuilloraRangeBox";
    windowClass.Style = CS_DBLCLKS;
    if (!CreateHandle(windowClass, params)) return false;
    ShowScrollBar(Handle(), SB_BOTH, TRUE);
    box_.WindowCreated();
    return true;
}

LRESULT TRangeBoxWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
    case WM_CHAR:
        // For measurements: from the first key message to the end of the paint it causes.
        if (TimingTraced() && !keyPending_ &&
            !(msg == WM_KEYDOWN && (wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU))) {
            keyPending_ = true;
            keyStarted_ = std::chrono::steady_clock::now();
        }
        return TWindow::WindowProc(msg, wParam, lParam);
    case WM_ERASEBKGND:
        return 1; // the content paints every pixel
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Handle(), &paint);
        const TRect rect = Rect(paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom);
        try {
            TDCPaintTarget target(dc);
            box_.PaintClient(target, rect);
        } catch (...) {
            EndPaint(Handle(), &paint);
            throw;
        }
        EndPaint(Handle(), &paint);
        if (keyPending_) {
            keyPending_ = false;
            TraceTiming("key-to-paint", keyStarted_);
        }
        return 0;
    }
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS;
        if (box_.WantsArrows()) code |= DLGC_WANTARROWS;
        if (box_.WantsTab()) code |= DLGC_WANTTAB;
        return code;
    }
    default:
        return TWindow::WindowProc(msg, wParam, lParam);
    }
}

} // namespace quillora
