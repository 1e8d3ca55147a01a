#pragma once
// The window procedure of windows that belong to an object: the object is the window's
// creation parameter, and every message goes to its Handle(msg, wParam, lParam). The
// object learns its window through AttachWindow (null when the window is gone).
//   wc.lpfnWndProc = ObjectWindowProc<TMyForm>;
//   CreateWindowExW(..., this);
#include "foundation/win32/WinInclude.h"

namespace quillora {

template <class T>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->AttachWindow(hwnd);
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->AttachWindow(nullptr);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->Handle(msg, wParam, lParam);
}

} // namespace quillora
