#include "editor/win32/PaletteWindow.h"

#include "render/Canvas.h"
#include "render/win32/CanvasWin.h"

namespace quillora {

TPaletteWindow::TPaletteWindow(TPaletteForm& form) : form_(form)
{
    SetView(&form_);
    form_.CtrlHeld = [] { return GetKeyState(VK_CONTROL) < 0; };
}

TPaletteWindow::~TPaletteWindow()
{
    form_.SetHost(nullptr);
    form_.CtrlHeld = nullptr;
    // The window goes before the form it shows.
    DestroyHandle();
}

bool TPaletteWindow::Create(HWND parent, const TRect& bounds)
{
    TWindowParams params;
    params.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    params.Parent = parent;
    params.X = bounds.Left;
    params.Y = bounds.Top;
    params.Width = bounds.Width();
    params.Height = bounds.Height();
    TWindowClass windowClass;
    windowClass.Name = L"TPaletteForm";
    if (!CreateHandle(windowClass, params)) return false;
    form_.SetHost(this);
    form_.Resized(bounds.Width(), bounds.Height());
    return true;
}

void TPaletteWindow::SetCanvas(TCustomSheetCanvas* canvas)
{
    canvas_ = canvas;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

LRESULT TPaletteWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return 1; // the form paints every pixel
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE; // the document keeps the keyboard focus
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Handle(), &paint);
        try {
            RECT client {};
            GetClientRect(Handle(), &client);
            if (canvas_ && !canvas_->IsPainting() && client.right > 0 && client.bottom > 0) {
                canvas_->BeginPaint(Rect(0, 0, client.right, client.bottom));
                form_.Paint(*canvas_);
                TDCPaintTarget target(dc);
                canvas_->EndPaint(&target);
            }
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

} // namespace quillora
