#include "foundation/win32/CursorServiceWin.h"

#include <map>

namespace quillora {

namespace {

std::map<TCursor, HCURSOR>& RegisteredCursors()
{
    static std::map<TCursor, HCURSOR> cursors;
    return cursors;
}

LPCWSTR StandardCursorId(TCursor cursor)
{
    switch (cursor) {
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crHourGlass: return IDC_WAIT;
    case crNo: return IDC_NO;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return IDC_ARROW;
    }
}

} // namespace

HCURSOR ScreenCursorHandle(TCursor cursor)
{
    if (cursor > 0) {
        auto& cursors = RegisteredCursors();
        auto it = cursors.find(cursor);
        if (it != cursors.end()) return it->second;
    }
    return LoadCursorW(nullptr, StandardCursorId(cursor));
}

void RegisterScreenCursor(TCursor index, HCURSOR handle)
{
    RegisteredCursors()[index] = handle;
}

void LoadCursorResource(TCursor index, LPCWSTR name, TCursor fallback)
{
    HCURSOR handle = LoadCursorW(GetModuleHandleW(nullptr), name);
    RegisterScreenCursor(index, handle ? handle : LoadCursorW(nullptr, StandardCursorId(fallback)));
}

void TWinCursorService::SetScreenCursor(TCursor cursor)
{
    if (cursor == cursor_) return;
    cursor_ = cursor;
    if (cursor == crDefault) {
        // Let the window under the mouse choose its own cursor again.
        POINT p;
        if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
    } else {
        SetCursor(ScreenCursorHandle(cursor));
    }
}

} // namespace quillora
