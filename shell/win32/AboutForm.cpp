#include "shell/win32/AboutForm.h"

#include <windowsx.h>

#include "foundation/ErrorHandler.h"
#include "foundation/Localization.h"
#include "foundation/Streams.h"
#include "foundation/StringIds.h"
#include "foundation/win32/WinPaths.h"
#include "images/UniversalImage.h"
#include "shell/WebSupport.h"
#include "shell/win32/AppStartup.h"

namespace quillora {

namespace {

constexpr int OkStringId = 2023;
constexpr int ClientWidth = 440;
constexpr int ClientHeight = 292;
constexpr int BandHeight = 96;
constexpr int IconSize = 64;
constexpr RECT LogoPlace = {16, 248, 112, 280};

HFONT DialogFont(int extraPoints)
{
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    if (extraPoints) {
        HDC screen = GetDC(nullptr);
        int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        int points = MulDiv(font.lfHeight < 0 ? -font.lfHeight : font.lfHeight, 72, dpi);
        font.lfHeight = -MulDiv(points + extraPoints, dpi, 72);
    }
    return CreateFontIndirectW(&font);
}

} // namespace

TAboutForm::TAboutForm(String notice, String linkUrl) : notice_(std::move(notice)), linkUrl_(std::move(linkUrl)) {}

TAboutForm::~TAboutForm()
{
    DestroyHandle();
    if (font_) DeleteObject(font_);
    if (titleFont_) DeleteObject(titleFont_);
    if (white_) DeleteObject(white_);
    if (icon_) DestroyIcon(icon_);
}

void TAboutForm::LoadLogo()
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, L"Logo", MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return;
    const auto* first = static_cast<const uint8_t*>(bytes);
    TMemoryStream stream(std::vector<uint8_t>(first, first + SizeofResource(module, info)));
    TUniversalImage picture;
    try {
        picture.LoadFromStream(stream);
    } catch (...) {
        return; // a box without its logo rather than none
    }
    const TFrame* frame = picture.FirstFrame();
    if (!frame || frame->Width() <= 0 || frame->Height() <= 0) return;
    logoWidth_ = frame->Width();
    logoHeight_ = frame->Height();
    logo_.resize(size_t(logoWidth_) * size_t(logoHeight_));
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    const uint32_t back[3] = {GetBValue(face), GetGValue(face), GetRValue(face)};
    for (int y = 0; y < logoHeight_; ++y)
        for (int x = 0; x < logoWidth_; ++x) {
            uint32_t argb = frame->Pixel(x, y);
            uint32_t a = argb >> 24;
            uint32_t out = 0;
            for (int c = 0; c < 3; ++c) {
                uint32_t v = (argb >> (8 * c)) & 0xFF;
                out |= ((v * a + back[c] * (255 - a)) / 255) << (8 * c);
            }
            logo_[size_t(y) * size_t(logoWidth_) + size_t(x)] = out;
        }
}

void TAboutForm::CreateControls()
{
    HWND window = Handle();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    font_ = DialogFont(0);
    titleFont_ = DialogFont(10);
    white_ = CreateSolidBrush(RGB(255, 255, 255));
    icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, IconSize, IconSize, 0));
    LoadLogo();

    TAboutText text = AboutText(ReadVersionValue(u"ProductVersion"));
    SetWindowTextW(window, WidePtr(text.Caption));
    title_ = CreateWindowExW(0, L"EDIT", WidePtr(text.TitleLine), WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL,
                             104, 30, ClientWidth - 120, 36, window, nullptr, instance, nullptr);
    SendMessageW(title_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
    HWND memo = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", WidePtr(notice_),
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 16,
                                BandHeight + 16, ClientWidth - 32, 120, window, nullptr, instance, nullptr);
    SendMessageW(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    HWND ok = CreateWindowExW(0, L"BUTTON", WidePtr(LoadString(OkStringId)),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, ClientWidth - 16 - 88, 250, 88, 28,
                              window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    SendMessageW(ok, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetFocus(ok);
}

bool TAboutForm::OverLogo(int x, int y) const
{
    return logoWidth_ > 0 && x >= LogoPlace.left && x < LogoPlace.left + logoWidth_ && y >= LogoPlace.top &&
           y < LogoPlace.top + logoHeight_;
}

void TAboutForm::Paint(HDC dc)
{
    RECT band = {0, 0, ClientWidth, BandHeight};
    FillRect(dc, &band, white_);
    if (icon_) DrawIconEx(dc, 20, (BandHeight - IconSize) / 2, icon_, IconSize, IconSize, 0, nullptr, DI_NORMAL);
    if (!logo_.empty()) {
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = logoWidth_;
        info.bmiHeader.biHeight = -logoHeight_; // rows from the top
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, LogoPlace.left, LogoPlace.top, DWORD(logoWidth_), DWORD(logoHeight_), 0, 0, 0,
                          UINT(logoHeight_), logo_.data(), &info, DIB_RGB_COLORS);
    }
}

void TAboutForm::ShowModal(HWND owner)
{
    RECT frame = {0, 0, ClientWidth, ClientHeight};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME;
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // Over the middle of the owner when it shows, else of the screen.
    RECT area {};
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    TWindowClass windowClass;
    windowClass.Name = L"TAboutForm";
    windowClass.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    TWindowParams params;
    params.Style = style;
    params.ExStyle = exStyle;
    params.X = area.left + (area.right - area.left - width) / 2;
    params.Y = area.top + (area.bottom - area.top - height) / 2;
    params.Width = width;
    params.Height = height;
    params.Parent = owner;
    if (!CreateHandle(windowClass, params)) return;
    CreateControls();
    bool ownerEnabled = owner && IsWindowEnabled(owner);
    if (ownerEnabled) EnableWindow(owner, FALSE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    HWND ok = GetDlgItem(Handle(), IDOK);
    if (ok) SetFocus(ok);
    MSG msg;
    while (!closed_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the main loop is to see the quit too.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (IsDialogMessageW(Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ownerEnabled) EnableWindow(owner, TRUE);
    if (owner) SetActiveWindow(owner);
    DestroyHandle();
}

LRESULT TAboutForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        // The read-only title sits on the white band.
        if (reinterpret_cast<HWND>(lParam) == title_) {
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(white_);
        }
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ::ScreenToClient(Handle(), &p);
            if (OverLogo(p.x, p.y)) {
                ::SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
        }
        break;
    case WM_LBUTTONUP:
        if (OverLogo(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) OpenWebAddress(linkUrl_);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            closed_ = true;
            return 0;
        }
        break;
    case WM_CLOSE: closed_ = true; return 0;
    default: break;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

void ShowAboutBox(HWND owner, const String& notice, const String& linkUrl)
{
    TAboutForm form(notice, linkUrl);
    form.ShowModal(owner);
}

} // namespace quillora
