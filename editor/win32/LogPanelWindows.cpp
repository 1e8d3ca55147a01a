#include "editor/win32/LogPanelWindows.h"

#include <commctrl.h>

#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {

// Fills `rect` with a brush of `color` and frees the brush.
void Fill(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// The glyph colours of a hint, a warning and an error.
constexpr COLORREF GlyphColors[4] = {RGB(128, 128, 128), RGB(0, 128, 192), RGB(224, 160, 0), RGB(208, 0, 0)};

} // namespace

// ---- splitter ----

bool TLogSplitterWindow::Create(HWND parent)
{
    TWindowClass windowClass {L"TLogSplitter"};
    windowClass.Cursor = LoadCursorW(nullptr, IDC_SIZENS);
    windowClass.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    TWindowParams params;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    params.X = params.Y = 0;
    params.Width = 10;
    params.Height = 8;
    params.Parent = parent;
    return CreateHandle(windowClass, params);
}

void TLogSplitterWindow::Paint(HDC dc)
{
    RECT client {};
    GetClientRect(Handle(), &client);
    Fill(dc, client, GetSysColor(COLOR_BTNFACE));
    // A one-pixel line along the top and the bottom edge.
    RECT top {client.left, client.top, client.right, client.top + 1};
    RECT bottom {client.left, client.bottom - 1, client.right, client.bottom};
    Fill(dc, top, GetSysColor(COLOR_BTNSHADOW));
    Fill(dc, bottom, GetSysColor(COLOR_BTNSHADOW));
}

void TLogSplitterWindow::PointerDown(const TPointerEvent& event)
{
    if (event.Button != pbLeft) return;
    dragging_ = true;
    grip_ = event.Point.Y;
    SetCapture(Handle());
}

void TLogSplitterWindow::PointerMove(const TPointerEvent& event)
{
    if (!dragging_) return;
    POINT point {event.Point.X, event.Point.Y};
    MapWindowPoints(Handle(), GetParent(Handle()), &point, 1);
    // Live: the panes follow while dragging.
    if (OnMoved) OnMoved(point.y - grip_);
}

void TLogSplitterWindow::PointerUp(const TPointerEvent& event)
{
    if (!dragging_) return;
    PointerMove(event);
    dragging_ = false;
    ReleaseCapture();
}

LRESULT TLogSplitterWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_CAPTURECHANGED:
        dragging_ = false;
        break;
    default: break;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

// ---- close button ----

bool TLogButtonWindow::Create(HWND parent, int width, int height)
{
    TWindowClass windowClass {L"TLogCloseButton"};
    windowClass.Cursor = LoadCursorW(nullptr, IDC_HAND);
    TWindowParams params;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    params.X = params.Y = 0;
    params.Width = width;
    params.Height = height;
    params.Parent = parent;
    if (!CreateHandle(windowClass, params)) return false;
    SetWindowRgn(Handle(), CreateRoundRectRgn(0, 0, width + 1, height + 1, 7, 7), FALSE);
    return true;
}

void TLogButtonWindow::SetGlyph(int glyph)
{
    if (glyph == glyph_) return;
    glyph_ = glyph;
    InvalidateRect(Handle(), nullptr, FALSE);
}

TLogButtonWindow::~TLogButtonWindow()
{
    if (tip_) DestroyWindow(tip_);
}

void TLogButtonWindow::SetHint(const String& hint)
{
    hint_ = hint;
    SetWindowTextW(Handle(), WidePtr(hint_));
    if (!Handle()) return;
    if (!tip_) {
        tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (!tip_) return;
        TOOLINFOW tool {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Handle());
        tool.lpszText = const_cast<wchar_t*>(WidePtr(hint_));
        SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        return;
    }
    TOOLINFOW tool {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = const_cast<wchar_t*>(WidePtr(hint_));
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TLogButtonWindow::Paint(HDC dc)
{
    RECT client {};
    GetClientRect(Handle(), &client);
    Fill(dc, client, GetSysColor(COLOR_BTNFACE));
    // The face: a raised rounded plate.
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNHIGHLIGHT));
    HPEN edge = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldBrush = SelectObject(dc, face);
    HGDIOBJ oldPen = SelectObject(dc, edge);
    RoundRect(dc, client.left, client.top, client.right, client.bottom, 7, 7);
    // The glyph: a disc in the colour of the worst message, crossed as "clear".
    HBRUSH disc = CreateSolidBrush(GlyphColors[glyph_ & 3]);
    SelectObject(dc, disc);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, glyphX_, glyphY_, glyphX_ + 14, glyphY_ + 13);
    HPEN cross = CreatePen(PS_SOLID, 2, RGB(255, 255, 255));
    SelectObject(dc, cross);
    MoveToEx(dc, glyphX_ + 4, glyphY_ + 3, nullptr);
    LineTo(dc, glyphX_ + 10, glyphY_ + 9);
    MoveToEx(dc, glyphX_ + 10, glyphY_ + 3, nullptr);
    LineTo(dc, glyphX_ + 4, glyphY_ + 9);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(cross);
    DeleteObject(disc);
    DeleteObject(edge);
    DeleteObject(face);
}

void TLogButtonWindow::PointerUp(const TPointerEvent& event)
{
    if (event.Button != pbLeft) return;
    RECT client {};
    GetClientRect(Handle(), &client);
    if (event.Point.X < 0 || event.Point.Y < 0 || event.Point.X >= client.right || event.Point.Y >= client.bottom) return;
    if (OnClick) OnClick();
}

LRESULT TLogButtonWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

} // namespace quillora
