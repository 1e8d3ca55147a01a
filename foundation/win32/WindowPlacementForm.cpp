#include "foundation/win32/WindowPlacementForm.h"

#include "foundation/win32/Window.h"

namespace quillora {

HWND TWindowPlacementForm::Handle() const { return window_.Handle(); }

TFormBorderKind TWindowPlacementForm::BorderKind() const
{
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    bool sizeable = (style & WS_THICKFRAME) != 0;
    if (exStyle & WS_EX_TOOLWINDOW) return sizeable ? TFormBorderKind::SizeToolWindow : TFormBorderKind::ToolWindow;
    if (sizeable) return TFormBorderKind::Sizeable;
    if (exStyle & WS_EX_DLGMODALFRAME) return TFormBorderKind::Dialog;
    if (style & (WS_BORDER | WS_CAPTION)) return TFormBorderKind::Single;
    return TFormBorderKind::None;
}

bool TWindowPlacementForm::HasMaximizeButton() const
{
    return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_MAXIMIZEBOX) != 0;
}

bool TWindowPlacementForm::Maximized() const { return window_.Maximized(); }

void TWindowPlacementForm::Maximize() { window_.Maximize(); }

TFormBounds TWindowPlacementForm::Bounds() const
{
    HWND window = Handle();
    RECT r {};
    WINDOWPLACEMENT placement {};
    placement.length = sizeof(placement);
    if ((IsZoomed(window) || IsIconic(window)) && GetWindowPlacement(window, &placement)) {
        // The normal place of a maximized or minimized window, which the system keeps in
        // work-area coordinates (except for tool windows).
        r = placement.rcNormalPosition;
        if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
            MONITORINFO monitor {};
            monitor.cbSize = sizeof(monitor);
            if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &monitor))
                OffsetRect(&r, monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top);
        }
    } else {
        GetWindowRect(window, &r);
    }
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TWindowPlacementForm::SetBounds(const TFormBounds& bounds)
{
    SetWindowPos(Handle(), nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TWindowPlacementForm::DesktopWidth() const { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }

int TWindowPlacementForm::DesktopHeight() const { return GetSystemMetrics(SM_CYVIRTUALSCREEN); }

} // namespace quillora
