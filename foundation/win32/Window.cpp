#include "foundation/win32/Window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <set>
#include <string>

#include "foundation/ErrorHandler.h"
#include "foundation/ScreenSnap.h"
#include "foundation/Service.h"
#include "foundation/win32/CursorServiceWin.h"
#include "foundation/win32/InputWin.h"
#include "foundation/win32/PopupMenuWin.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {

// The timer of the hint's pause: far from the small numbers views use for their own.
constexpr UINT_PTR HintTimer = 0x7A11;
constexpr UINT HintReshowTime = 165;

// The one tool of a window's hint: tracked, placed where the window says.
TTTOOLINFOW HintTool(HWND owner, wchar_t* text)
{
    TTTOOLINFOW tool {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner;
    tool.uId = 1;
    tool.lpszText = text;
    return tool;
}

// The classes this process registered through TWindow, by name.
std::set<std::wstring>& RegisteredClasses()
{
    static std::set<std::wstring> classes;
    return classes;
}

// The part of the window rectangle that is an invisible frame (systems that draw wide
// sizing borders outside the visible frame), so that the visible frame is what snaps.
RECT InvisibleFrame(HWND window)
{
    using TGetAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    static TGetAttribute getAttribute = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        return dwm ? reinterpret_cast<TGetAttribute>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmGetWindowAttribute")))
                   : nullptr;
    }();
    constexpr DWORD ExtendedFrameBounds = 9; // DWMWA_EXTENDED_FRAME_BOUNDS
    RECT margins {};
    RECT bounds {}, frame {};
    if (!getAttribute || !GetWindowRect(window, &bounds) ||
        getAttribute(window, ExtendedFrameBounds, &frame, sizeof(frame)) != S_OK || IsRectEmpty(&frame))
        return margins;
    margins = {frame.left - bounds.left, frame.top - bounds.top, bounds.right - frame.right, bounds.bottom - frame.bottom};
    if (margins.left < 0 || margins.top < 0 || margins.right < 0 || margins.bottom < 0) margins = {};
    return margins;
}

} // namespace

LRESULT CALLBACK TWindow::StaticWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TWindow* self = FromHandle(window);
    if (msg == WM_NCCREATE) {
        self = static_cast<TWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->handle_ = window;
        }
    }
    if (!self) return DefWindowProcW(window, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing leaves a window procedure: the error is told and the program goes on.
        HandleCurrentException();
        result = msg == WM_CREATE ? -1 : (msg == WM_NCCREATE ? FALSE : 0);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (self->handle_ == window) {
            self->handle_ = nullptr;
            self->systemCaret_ = false;
            self->trackingLeave_ = false;
            self->inSizeMove_ = false;
            self->hintWindow_ = nullptr; // an owned window goes with its owner
            self->hintShown_ = false;
        }
    }
    return result;
}

TWindow::TWindow() : lifetime_(std::make_shared<int>(0)) {}

TWindow::~TWindow()
{
    destroying_ = true;
    view_ = nullptr;
    if (handle_) DestroyWindow(handle_);
}

TWindow* TWindow::FromHandle(HWND window)
{
    if (!window) return nullptr;
    // Only windows whose class procedure is ours carry the object.
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)) != &TWindow::StaticWindowProc) return nullptr;
    return reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool TWindow::ClassRegistered(const wchar_t* name) { return RegisteredClasses().count(name) != 0; }

bool TWindow::CreateHandle(const TWindowClass& windowClass, const TWindowParams& params)
{
    if (handle_) return true;
    HINSTANCE instance = params.Instance ? params.Instance : GetModuleHandleW(nullptr);
    auto& classes = RegisteredClasses();
    if (!classes.count(windowClass.Name)) {
        WNDCLASSEXW wc {};
        wc.cbSize = sizeof(wc);
        wc.style = windowClass.Style;
        wc.lpfnWndProc = &TWindow::StaticWindowProc;
        wc.hInstance = instance;
        wc.hIcon = windowClass.Icon;
        wc.hIconSm = windowClass.SmallIcon;
        wc.hCursor = windowClass.Cursor ? windowClass.Cursor : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        wc.hbrBackground = windowClass.Background;
        wc.lpszClassName = windowClass.Name;
        if (!RegisterClassExW(&wc)) return false;
        classes.insert(windowClass.Name);
    }
    HWND window = CreateWindowExW(params.ExStyle, windowClass.Name, params.Caption, params.Style, params.X, params.Y,
                                  params.Width, params.Height, params.Parent, params.Menu, instance, this);
    if (!window) return false;
    handle_ = window;
    if (acceptFiles_) DragAcceptFiles(handle_, TRUE);
    return true;
}

void TWindow::DestroyHandle()
{
    if (handle_) DestroyWindow(handle_);
}

LRESULT TWindow::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(handle_, msg, wParam, lParam);
}

LRESULT TWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (HandleInput(msg, wParam, lParam, result)) return result;
    return DefaultProc(msg, wParam, lParam);
}

// ---- input ----

bool TWindow::HandleInput(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    if (IsKeyMessage(msg)) return HandleKey(msg, wParam, lParam);
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        HandlePointer(msg, wParam, lParam);
        // The default handling turns the right button's release into WM_CONTEXTMENU.
        result = DefaultProc(msg, wParam, lParam);
        return true;
    case WM_MOUSEMOVE:
        TrackLeave();
        PointerMove(PointerEventOf(msg, wParam, lParam, static_cast<uint32_t>(GetMessageTime())));
        return true;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        PointerLeave();
        return true;
    case WM_MOUSEWHEEL: {
        TPointerEvent event = PointerEventOf(msg, wParam, lParam, static_cast<uint32_t>(GetMessageTime()));
        event.Point = ScreenToClient(event.Point);
        if (Wheel(event)) return true;
        return false;
    }
    case WM_CONTEXTMENU: {
        if (reinterpret_cast<HWND>(wParam) != handle_) return false;
        const bool byKeyboard = lParam == -1;
        TPoint at;
        if (byKeyboard)
            at = ClientToScreen(caretShown_ ? TPoint {caret_.Left, caret_.Bottom} : TPoint {});
        else
            at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        return ContextMenu(at, byKeyboard);
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        TScrollCode code;
        if (lParam != 0 || !ScrollCodeOf(LOWORD(wParam), code)) return false;
        const TScrollBarKind bar = msg == WM_HSCROLL ? sbHorizontal : sbVertical;
        SCROLLINFO info {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_POS | SIF_TRACKPOS;
        GetScrollInfo(handle_, ScrollBarOf(bar), &info);
        Scroll(bar, code, code == scTrack || code == scPosition ? info.nTrackPos : info.nPos);
        return true;
    }
    case WM_TIMER:
        if (lParam != 0) return false;
        if (wParam == HintTimer) {
            KillTimer(handle_, HintTimer);
            PopUpHint();
            return true;
        }
        Timer(static_cast<int>(wParam));
        return true;
    case WM_SETFOCUS:
        if (caretShown_) CreateSystemCaret();
        FocusChanged(true);
        return true;
    case WM_KILLFOCUS:
        DestroySystemCaret();
        clicks_.Reset();
        FocusChanged(false);
        return true;
    case WM_SIZE:
        Resized(LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_CANCELMODE:
        clicks_.Reset();
        HideHint();
        CancelMode();
        result = DefaultProc(msg, wParam, lParam);
        return true;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT && SetClientCursor()) {
            result = TRUE;
            return true;
        }
        return false;
    case WM_SHOWWINDOW:
        if (wParam) maximizeOnShow_ = false;
        return false;
    case WM_DROPFILES:
        HandleDropFiles(wParam);
        return true;
    case WM_ENTERSIZEMOVE:
        inSizeMove_ = true;
        return false;
    case WM_EXITSIZEMOVE:
        inSizeMove_ = false;
        return false;
    case WM_WINDOWPOSCHANGING:
        if (snapToScreenEdges_ && inSizeMove_) SnapPosition(*reinterpret_cast<WINDOWPOS*>(lParam));
        return false;
    default:
        return false;
    }
}

bool TWindow::HandleKey(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TKeyEvent event = KeyEventOf(msg, wParam, lParam, static_cast<uint32_t>(GetMessageTime()));
    switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        HideHint(); // typing takes the hint away
        KeyDown(event);
        break;
    case WM_CHAR:
    case WM_SYSCHAR:
        KeyPress(event);
        break;
    default:
        KeyUp(event);
        break;
    }
    // A key that nobody consumed gets the system's handling (Alt+F4, menu keys).
    return event.Consumed();
}

void TWindow::HandlePointer(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TPointerEvent event = PointerEventOf(msg, wParam, lParam, static_cast<uint32_t>(GetMessageTime()));
    if (IsPointerPress(msg)) {
        event.ClickCount =
            clicks_.Press(event.Button, ClientToScreen(event.Point), event.Time, DoubleClickTime(), DoubleClickDistance());
        if (event.ClickCount == 2) event.Shift |= ssDouble;
        PointerDown(event);
    } else if (IsPointerRelease(msg)) {
        PointerUp(event);
    }
}

void TWindow::HandleDropFiles(WPARAM wParam)
{
    const HDROP drop = reinterpret_cast<HDROP>(wParam);
    std::vector<String> fileNames;
    POINT at {};
    {
        // The drop's memory goes back to the system however the handling ends.
        struct TFinish {
            HDROP Drop;
            ~TFinish() { DragFinish(Drop); }
        } finish {drop};
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            const UINT length = DragQueryFileW(drop, i, nullptr, 0);
            if (length == 0) continue;
            std::vector<wchar_t> name(length + 1, L'\0');
            const UINT got = DragQueryFileW(drop, i, name.data(), length + 1);
            if (got > 0 && got <= length) fileNames.push_back(FromWide(name.data(), got));
        }
        DragQueryPoint(drop, &at);
    }
    if (!fileNames.empty()) DropFiles(fileNames, {at.x, at.y});
}

void TWindow::TrackLeave()
{
    if (trackingLeave_ || !handle_) return;
    TRACKMOUSEEVENT track {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = handle_;
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

bool TWindow::SetClientCursor()
{
    TCursorService* service = FindService<TCursorService>();
    TCursor cursor = service ? service->ScreenCursor() : crDefault;
    if (cursor == crDefault) cursor = cursor_;
    if (cursor == crDefault) return false;
    ::SetCursor(ScreenCursorHandle(cursor));
    return true;
}

void TWindow::SnapPosition(WINDOWPOS& position) const
{
    if ((position.flags & SWP_NOMOVE) && (position.flags & SWP_NOSIZE)) return;
    if (IsZoomed(handle_) || IsIconic(handle_)) return;
    RECT now {};
    GetWindowRect(handle_, &now);
    // The parent of a top-level window is the screen: its coordinates are screen ones.
    TRect current = ToRect(now);
    TRect proposed = current;
    if (!(position.flags & SWP_NOMOVE)) proposed = Bounds(position.x, position.y, current.Width(), current.Height());
    if (!(position.flags & SWP_NOSIZE))
        proposed = Bounds(proposed.Left, proposed.Top, position.cx, position.cy);
    RECT proposedRect = ToRECT(proposed);
    MONITORINFO monitor {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&proposedRect, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    // The visible frame snaps, not the invisible sizing border around it.
    const RECT margins = InvisibleFrame(handle_);
    auto inner = [&margins](TRect r) {
        return TRect {r.Left + margins.left, r.Top + margins.top, r.Right - margins.right, r.Bottom - margins.bottom};
    };
    TRect snapped = SnapToWorkArea(inner(current), inner(proposed), ToRect(monitor.rcWork));
    snapped = {snapped.Left - margins.left, snapped.Top - margins.top, snapped.Right + margins.right,
               snapped.Bottom + margins.bottom};
    if (snapped == proposed) return;
    position.x = snapped.Left;
    position.y = snapped.Top;
    position.cx = snapped.Width();
    position.cy = snapped.Height();
    if (snapped.Left != current.Left || snapped.Top != current.Top) position.flags &= ~SWP_NOMOVE;
    if (snapped.Width() != current.Width() || snapped.Height() != current.Height()) position.flags &= ~SWP_NOSIZE;
}

void TWindow::KeyDown(TKeyEvent& event)
{
    if (view_) view_->KeyDown(event);
}

void TWindow::KeyPress(TKeyEvent& event)
{
    if (view_) view_->KeyPress(event);
}

void TWindow::KeyUp(TKeyEvent& event)
{
    if (view_) view_->KeyUp(event);
}

void TWindow::PointerDown(const TPointerEvent& event)
{
    if (view_) view_->PointerDown(event);
}

void TWindow::PointerMove(const TPointerEvent& event)
{
    if (view_) view_->PointerMove(event);
}

void TWindow::PointerUp(const TPointerEvent& event)
{
    if (view_) view_->PointerUp(event);
}

void TWindow::PointerLeave()
{
    if (view_) view_->PointerLeave();
}

bool TWindow::Wheel(const TPointerEvent& event) { return view_ && view_->Wheel(event); }

bool TWindow::ContextMenu(TPoint screenPoint, bool byKeyboard)
{
    return view_ && view_->ContextMenu(screenPoint, byKeyboard);
}

void TWindow::Scroll(TScrollBarKind bar, TScrollCode code, int position)
{
    if (view_) view_->Scroll(bar, code, position);
}

void TWindow::Timer(int id)
{
    if (view_) view_->Timer(id);
}

void TWindow::FocusChanged(bool focused)
{
    if (view_) view_->FocusChanged(focused);
}

void TWindow::Resized(int width, int height)
{
    if (view_) view_->Resized(width, height);
}

void TWindow::CancelMode()
{
    if (view_) view_->CancelMode();
}

bool TWindow::DropFiles(const std::vector<String>& fileNames, TPoint point)
{
    return view_ && view_->DropFiles(fileNames, point);
}

void TWindow::AcceptFiles(bool accept)
{
    acceptFiles_ = accept;
    if (handle_) DragAcceptFiles(handle_, accept ? TRUE : FALSE);
}

// ---- showing ----

void TWindow::Show()
{
    if (!handle_) return;
    const bool maximized = maximizeOnShow_ && !IsWindowVisible(handle_);
    maximizeOnShow_ = false;
    ShowWindow(handle_, maximized ? SW_SHOWMAXIMIZED : SW_SHOW);
}

void TWindow::Maximize()
{
    if (!handle_) return;
    if (IsWindowVisible(handle_))
        ShowWindow(handle_, SW_MAXIMIZE);
    else
        maximizeOnShow_ = true;
}

bool TWindow::Maximized() const
{
    if (!handle_) return false;
    return IsZoomed(handle_) || (maximizeOnShow_ && !IsWindowVisible(handle_));
}

// ---- the view's host ----

void TWindow::Invalidate(const TRect* rect)
{
    if (!handle_) return;
    if (rect) {
        RECT r = ToRECT(*rect);
        InvalidateRect(handle_, &r, FALSE);
    } else {
        InvalidateRect(handle_, nullptr, FALSE);
    }
}

void TWindow::UpdateNow()
{
    if (handle_) UpdateWindow(handle_);
}

TRect TWindow::ClientRect() const
{
    RECT r {};
    if (handle_) GetClientRect(handle_, &r);
    return ToRect(r);
}

void TWindow::ScrollClient(int dx, int dy)
{
    if (!handle_) return;
    // The caret is drawn over the pixels: it must not move with them.
    if (systemCaret_) ::HideCaret(handle_);
    ScrollWindowEx(handle_, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    if (systemCaret_) ::ShowCaret(handle_);
}

void TWindow::ShowCaret(const TRect& rect)
{
    caret_ = rect;
    caretShown_ = true;
    if (handle_ && GetFocus() == handle_) CreateSystemCaret();
}

void TWindow::HideCaret()
{
    caretShown_ = false;
    DestroySystemCaret();
}

// The system has one caret per thread: it exists while the window has the focus.
void TWindow::CreateSystemCaret()
{
    const int width = caret_.Width() > 0 ? caret_.Width() : 1;
    const int height = caret_.Height() > 0 ? caret_.Height() : 1;
    if (!systemCaret_ || width != caretWidth_ || height != caretHeight_) {
        if (!CreateCaret(handle_, nullptr, width, height)) return;
        systemCaret_ = true;
        caretWidth_ = width;
        caretHeight_ = height;
        SetCaretPos(caret_.Left, caret_.Top);
        ::ShowCaret(handle_);
        return;
    }
    SetCaretPos(caret_.Left, caret_.Top);
}

void TWindow::DestroySystemCaret()
{
    if (!systemCaret_) return;
    systemCaret_ = false;
    DestroyCaret();
}

void TWindow::CapturePointer()
{
    if (handle_) SetCapture(handle_);
}

void TWindow::ReleasePointer()
{
    if (handle_ && GetCapture() == handle_) ReleaseCapture();
}

bool TWindow::HasPointerCapture() const { return handle_ && GetCapture() == handle_; }

void TWindow::SetCursor(TCursor cursor)
{
    cursor_ = cursor;
    if (!handle_) return;
    // Over the window now: the new cursor shows at once.
    POINT p;
    if (GetCursorPos(&p) && WindowFromPoint(p) == handle_) {
        if (!SetClientCursor()) ::SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    }
}

void TWindow::TakeFocus()
{
    if (handle_) SetFocus(handle_);
}

bool TWindow::HasFocus() const { return handle_ && GetFocus() == handle_; }

void TWindow::SetScrollRange(TScrollBarKind bar, const TScrollRange& range)
{
    if (!handle_) return;
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL | (range.DisableNoScroll ? SIF_DISABLENOSCROLL : 0);
    info.nMin = range.Min;
    info.nMax = range.Max;
    info.nPage = range.Page > 0 ? static_cast<UINT>(range.Page) : 0;
    info.nPos = range.Pos;
    SetScrollInfo(handle_, ScrollBarOf(bar), &info, TRUE);
}

TScrollRange TWindow::GetScrollRange(TScrollBarKind bar) const
{
    TScrollRange range;
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (handle_ && GetScrollInfo(handle_, ScrollBarOf(bar), &info)) {
        range.Min = info.nMin;
        range.Max = info.nMax;
        range.Page = static_cast<int>(info.nPage);
        range.Pos = info.nPos;
    }
    return range;
}

void TWindow::ShowHint(const String& text, TPoint screenPoint, int maxWidth)
{
    HideHint();
    if (!handle_ || text.empty()) return;
    hintText_.assign(text.begin(), text.end());
    hintPoint_ = screenPoint;
    hintMaxWidth_ = maxWidth;
    // The first hint waits as long as the system's tooltips do; one soon after another
    // follows the pointer more quickly.
    const bool soon = hintHiddenAt_ != 0 && GetTickCount() - hintHiddenAt_ < 1000;
    SetTimer(handle_, HintTimer, soon ? HintReshowTime : GetDoubleClickTime(), nullptr);
}

void TWindow::HideHint()
{
    if (handle_) KillTimer(handle_, HintTimer);
    hintText_.clear();
    if (!hintShown_) return;
    hintShown_ = false;
    hintHiddenAt_ = GetTickCount() | 1;
    TTTOOLINFOW tool = HintTool(handle_, nullptr);
    SendMessageW(hintWindow_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void TWindow::PopUpHint()
{
    if (!handle_ || hintText_.empty()) return;
    TTTOOLINFOW tool = HintTool(handle_, hintText_.data());
    if (!hintWindow_) {
        hintWindow_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                      0, 0, 0, 0, handle_, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!hintWindow_) return;
        SendMessageW(hintWindow_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    int maxWidth = hintMaxWidth_;
    if (maxWidth <= 0) {
        MONITORINFO monitor {};
        monitor.cbSize = sizeof(monitor);
        const POINT at = ToPOINT(hintPoint_);
        GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
        maxWidth = (monitor.rcMonitor.right - monitor.rcMonitor.left) / 3;
    }
    SendMessageW(hintWindow_, TTM_SETMAXTIPWIDTH, 0, maxWidth);
    SendMessageW(hintWindow_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // Below the pointer's picture.
    const int below = GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    SendMessageW(hintWindow_, TTM_TRACKPOSITION, 0, MAKELPARAM(hintPoint_.X, hintPoint_.Y + below));
    SendMessageW(hintWindow_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    hintShown_ = true;
}

void TWindow::StartTimer(int id, unsigned milliseconds)
{
    if (handle_) SetTimer(handle_, static_cast<UINT_PTR>(id), milliseconds, nullptr);
}

void TWindow::StopTimer(int id)
{
    if (handle_) KillTimer(handle_, static_cast<UINT_PTR>(id));
}

TPoint TWindow::ClientToScreen(TPoint point) const
{
    POINT p = ToPOINT(point);
    if (handle_) ::ClientToScreen(handle_, &p);
    return ToPoint(p);
}

TPoint TWindow::ScreenToClient(TPoint point) const
{
    POINT p = ToPOINT(point);
    if (handle_) ::ScreenToClient(handle_, &p);
    return ToPoint(p);
}

int TWindow::ShowPopupMenu(const TMenu& menu, TPoint screenPoint) { return TrackMenu(handle_, menu, screenPoint); }

uint32_t TWindow::DoubleClickTime() const { return GetDoubleClickTime(); }

TPoint TWindow::DoubleClickDistance() const
{
    // The system's double-click rectangle is centred on the first press.
    return {GetSystemMetrics(SM_CXDOUBLECLK) / 2, GetSystemMetrics(SM_CYDOUBLECLK) / 2};
}

} // namespace quillora
