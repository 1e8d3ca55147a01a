#include "foundation/win32/WindowPlacementForm.h"

namespace quillora {

TFormBorderKind TWindowPlacementForm::BorderKind() const
{
    LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
    bool sizeable = (style & WS_THICKFRAME) != 0;
    if (exStyle & WS_EX_TOOLWINDOW) return sizeable ? TFormBorderKind::SizeToolWindow : TFormBorderKind::ToolWindow;
    if (sizeable) return TFormBorderKind::Sizeable;
    if (exStyle & WS_EX_DLGMODALFRAME) return TFormBorderKind::Dialog;
    if (style & (WS_BORDER | WS_CAPTION)) return TFormBorderKind::Single;
    return TFormBorderKind::None;
}

bool TWindowPlacementForm::HasMaximizeButton() const
{
    return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_MAXIMIZEBOX) != 0;
}

bool TWindowPlacementForm::Maximized() const { return IsZoomed(window_) != FALSE; }

void TWindowPlacementForm::Maximize()
{
    if (IsWindowVisible(window_)) ShowWindow(window_, SW_MAXIMIZE);
}

TFormBounds TWindowPlacementForm::Bounds() const
{
    WINDOWPLACEMENT placement {};
    placement.length = sizeof(placement);
    RECT r {};
    if (GetWindowPlacement(window_, &placement))
        r = placement.rcNormalPosition;
    else
        GetWindowRect(window_, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TWindowPlacementForm::SetBounds(const TFormBounds& bounds)
{
    SetWindowPos(window_, nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int TWindowPlacementForm::DesktopWidth() const { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }

int TWindowPlacementForm::DesktopHeight() const { return GetSystemMetrics(SM_CYVIRTUALSCREEN); }

} // namespace quillora
