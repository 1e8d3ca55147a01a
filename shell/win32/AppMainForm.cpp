#include "shell/win32/AppMainForm.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "editor/EditForm.h"
#include "editor/Sheet.h"
#include "editor/win32/DropDownWindow.h"
#include "editor/win32/FindDialogsWin.h"
#include "editor/win32/LogPanelWindows.h"
#include "editor/win32/PaletteWindow.h"
#include "foundation/Files.h"
#include "foundation/win32/InputWin.h"
#include "foundation/win32/OpenSaveDialog.h"
#include "foundation/win32/PopupMenuWin.h"
#include "foundation/win32/WinPaths.h"
#include "shell/Document.h"
#include "shell/MainMenus.h"
#include "shell/WebSupport.h"
#include "shell/win32/AboutForm.h"
#include "shell/win32/AppStartup.h"
#include "shell/win32/SettingsDialog.h"
#include "typing/DropDownModel.h"
#include "typing/win32/DropDownForm.h"
#include "widgets/win32/RangeBoxWindow.h"

namespace quillora {

namespace {
constexpr wchar_t MainWindowClass[] = L"TAppMainForm";
constexpr UINT TrayIconId = 1;
constexpr UINT BalloonTimeout = 5000;

// Copies `text` into a fixed field of the notification data, cut to fit with its
// terminator (tip 127, balloon title 63, balloon text 255 characters).
template <size_t N> void CopyField(wchar_t (&field)[N], const String& text)
{
    size_t n = std::min(text.size(), N - 1);
    // A surrogate pair is not cut in half.
    if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
    std::memcpy(field, text.data(), n * sizeof(wchar_t));
    field[n] = 0;
}

NOTIFYICONDATAW TrayIconData(HWND window)
{
    NOTIFYICONDATAW data {};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = TrayIconId;
    return data;
}

// The program's file dialogs hold one filter: "tpt", and all files.
bool AskFileName(HWND owner, bool save, String& fileName)
{
    TOpenSaveDialog dialog;
    dialog.FileName = fileName;
    dialog.FileFilters.Add(u"tpt");
    if (!(save ? dialog.ExecuteSave(owner) : dialog.ExecuteOpen(owner))) return false;
    fileName = dialog.FileName;
    return true;
}
} // namespace

TAppMainForm::TAppMainForm(TGlobal& global) : global_(global), placementForm_(*this), controller_(global, *this) {}

TAppMainForm::~TAppMainForm()
{
    // The window goes while the controller is still there to hear of it.
    DestroyHandle();
}

bool TAppMainForm::Create(HINSTANCE instance)
{
    CreateAnnouncementMutexes(ProcessValues().ExeBaseName + u"Mutex");
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
    snippetCountMessage_ = RegisterWindowMessageW(L"QuilloraSnippetCount");
    menuCaptionMessage_ = RegisterWindowMessageW(L"QuilloraMenuCaption");

    TWindowClass windowClass;
    windowClass.Name = MainWindowClass;
    windowClass.Icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.SmallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    windowClass.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    TWindowParams params;
    params.Width = 640;
    params.Height = 480;
    params.Instance = instance;
    if (!CreateHandle(windowClass, params)) return false;
    SetSnapToScreenEdges(true);
    findDialogs_ = std::make_unique<TFindDialogsWin>(Handle());
    CreateViewport();
    return controller_.Create();
}

void TAppMainForm::CreateViewport()
{
    RECT client {};
    GetClientRect(Handle(), &client);
    viewport_ = std::make_unique<TRangeBoxWindow>();
    if (!viewport_->Create(Handle(), Rect(0, 0, client.right, client.bottom))) return;
    TRangeBox& box = viewport_->Box();
    box.SetScrollBars(rsbBoth);
    box.SetClipping(rbcTopLeft);
    box.SetOptions(rboWantArrows | rboCtrlKeysMoveVert | rboNotBuffered | rboDisableNoScrollVert);

    // The log panel, hidden until the document has messages.
    logViewport_ = std::make_unique<TRangeBoxWindow>();
    if (logViewport_->Create(Handle(), Rect(0, 0, client.right, TLogPanel::DefaultHeight))) {
        ::ShowWindow(logViewport_->Handle(), SW_HIDE);
        TRangeBox& logBox = logViewport_->Box();
        logBox.SetScrollBars(rsbBoth);
        logBox.SetClipping(rbcTopLeft);
        logBox.SetOptions(rboWantArrows | rboCtrlKeysMoveVert | rboNotBuffered | rboDisableNoScrollVert);
    }
    splitter_ = std::make_unique<TLogSplitterWindow>();
    if (splitter_->Create(Handle())) {
        splitter_->OnMoved = [this](int top) {
            if (!editor_) return;
            RECT area {};
            GetClientRect(Handle(), &area);
            const int paletteHeight = editor_->PaletteHeight();
            editor_->SplitterMoved(top - paletteHeight, area.bottom - paletteHeight);
        };
    }
    logButton_ = std::make_unique<TLogButtonWindow>();
    if (logButton_->Create(Handle(), TLogPanel::ButtonWidth, TLogPanel::ButtonHeight)) {
        logButton_->SetHint(TLogPanel::ButtonHint());
        logButton_->OnClick = [this] {
            if (editor_) editor_->LogButtonClick();
        };
    }
}

void TAppMainForm::LayoutEditor()
{
    if (!viewport_ || !viewport_->Handle()) return;
    RECT client {};
    GetClientRect(Handle(), &client);
    if (!editor_) {
        MoveWindow(viewport_->Handle(), 0, 0, client.right, client.bottom, TRUE);
        return;
    }
    // The palette on top; the document and the log panel share the rest.
    const int paletteHeight = std::min<int>(editor_->PaletteHeight(), client.bottom);
    if (palette_ && palette_->Handle()) {
        if (paletteHeight > 0) MoveWindow(palette_->Handle(), 0, 0, client.right, paletteHeight, TRUE);
        ::ShowWindow(palette_->Handle(), paletteHeight > 0 ? SW_SHOWNA : SW_HIDE);
    }
    const TLogPanel& panel = editor_->LogPanel();
    TLogPanelLayout layout = panel.Layout(client.right, client.bottom - paletteHeight);
    for (TRect* r : {&layout.Document, &layout.Splitter, &layout.Log, &layout.Button})
        if (!r->IsEmpty()) *r = Rect(r->Left, r->Top + paletteHeight, r->Right, r->Bottom + paletteHeight);
    auto place = [](TWindow* window, const TRect& r, bool shown) {
        if (!window || !window->Handle()) return;
        if (shown) MoveWindow(window->Handle(), r.Left, r.Top, r.Width(), r.Height(), TRUE);
        ::ShowWindow(window->Handle(), shown ? SW_SHOWNA : SW_HIDE);
    };
    const TRect& d = layout.Document;
    MoveWindow(viewport_->Handle(), d.Left, d.Top, d.Width(), d.Height(), TRUE);
    place(logViewport_.get(), layout.Log, panel.Shown());
    place(splitter_.get(), layout.Splitter, panel.Shown());
    if (logButton_ && logButton_->Handle()) {
        logButton_->SetGlyphPosition(layout.Glyph.X, layout.Glyph.Y);
        logButton_->SetGlyph(panel.Severity());
        place(logButton_.get(), layout.Button, panel.Shown());
        // Over the splitter and the edges of both viewports.
        if (panel.Shown()) SetWindowPos(logButton_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        InvalidateRect(logButton_->Handle(), nullptr, FALSE);
    }
    // A hidden log that had the focus gives it back to the document.
    if (!panel.Shown() && logViewport_ && GetFocus() == logViewport_->Handle()) SetFocus(viewport_->Handle());
}

// ---- key preview ----

bool TAppMainForm::PreviewKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !Handle()) return false;
    if (msg.hwnd != Handle() && GetAncestor(msg.hwnd, GA_ROOT) != Handle()) return false;
    TKeyEvent event = KeyEventOf(msg.message, msg.wParam, msg.lParam, static_cast<uint32_t>(msg.time));
    controller_.KeyDown(event);
    return event.Consumed();
}

bool TAppMainForm::DialogMessage(MSG& msg) { return findDialogs_ && findDialogs_->DialogMessage(msg); }

// ---- TMainFormHost: the window ----

void TAppMainForm::SetCaption(const String& caption)
{
    SetWindowTextW(Handle(), WidePtr(caption));
    // Captions are renewed with the language; so is the log button's hint.
    if (logButton_ && logButton_->Handle()) logButton_->SetHint(TLogPanel::ButtonHint());
}

void TAppMainForm::SetMenuBar(const TMenu& menu)
{
    HMENU bar = BuildMenuBar(menu);
    if (!bar) return;
    HMENU old = GetMenu(Handle());
    if (!SetMenu(Handle(), bar)) {
        DestroyMenu(bar);
        return;
    }
    if (old) DestroyMenu(old);
    DrawMenuBar(Handle());
}

void TAppMainForm::ShowWindow()
{
    if (IsIconic(Handle())) ::ShowWindow(Handle(), SW_RESTORE);
    Show();
    SetForegroundWindow(Handle());
}

void TAppMainForm::HideWindow() { ::ShowWindow(Handle(), SW_HIDE); }

bool TAppMainForm::WindowVisible() const { return IsWindowVisible(Handle()) != FALSE; }

bool TAppMainForm::WindowMinimized() const { return IsIconic(Handle()) != FALSE; }

bool TAppMainForm::ModalDialogOpen() const { return !IsWindowEnabled(Handle()); }

void TAppMainForm::CloseWindow() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }

void TAppMainForm::SetCloseItemEnabled(bool enabled)
{
    if (HMENU system = GetSystemMenu(Handle(), FALSE))
        EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

TRect TAppMainForm::ScreenRect() const { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

TRect TAppMainForm::WorkArea() const
{
    RECT work {};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) return ScreenRect();
    return ToRect(work);
}

void TAppMainForm::ShowEditor(TEditForm* editor, TSheet* sheet)
{
    if (editor_) {
        if (viewport_) viewport_->Box().SetContent(nullptr);
        if (logViewport_) logViewport_->Box().SetContent(nullptr);
        editor_->DocumentView().PopupFactory = nullptr;
        editor_->OnLogPanelChanged = nullptr;
        editor_->OnFocusDocument = nullptr;
        editor_->OnPaletteVisibleChanged = nullptr;
        editor_->Palette().OnHeightChanged = nullptr;
        palette_.reset(); // the window goes before the form it shows
    }
    editor_ = editor;
    if (editor_ && Handle()) {
        palette_ = std::make_unique<TPaletteWindow>(editor_->Palette());
        RECT client {};
        GetClientRect(Handle(), &client);
        if (palette_->Create(Handle(), Rect(0, 0, client.right, std::max(editor_->PaletteHeight(), 1))))
            palette_->SetCanvas(static_cast<TCustomSheetCanvas*>(sheet->GetCanvas()));
        editor_->OnPaletteVisibleChanged = [this] { LayoutEditor(); };
        editor_->Palette().OnHeightChanged = [this] { LayoutEditor(); };
    }
    LayoutEditor();
    if (!editor_ || !viewport_ || !viewport_->Handle()) return;
    editor_->DocumentView().PopupFactory =
        TDropDownWindow::Factory(static_cast<TCustomSheetCanvas*>(sheet->GetCanvas()), Handle());
    viewport_->Box().SetContent(&editor_->DocumentView());
    if (logViewport_ && logViewport_->Handle()) logViewport_->Box().SetContent(&editor_->LogView());
    editor_->OnLogPanelChanged = [this] { LayoutEditor(); };
    editor_->OnFocusDocument = [this] {
        if (viewport_ && viewport_->Handle()) SetFocus(viewport_->Handle());
    };
    SetFocus(viewport_->Handle());
}

TFindDialogs& TAppMainForm::FindDialogs() { return *findDialogs_; }

// ---- hotkeys ----

ATOM TAppMainForm::HotKeyAtom(THotKeyId id)
{
    return id == hkMain ? ProcessValues().HotKeyAtom : ProcessValues().DropDownHotKeyAtom;
}

bool TAppMainForm::RegisterHotKey(THotKeyId id, unsigned modifiers, TKeyCode key)
{
    return Handle() && ::RegisterHotKey(Handle(), HotKeyAtom(id), modifiers, static_cast<UINT>(key));
}

void TAppMainForm::UnregisterHotKey(THotKeyId id)
{
    if (Handle()) ::UnregisterHotKey(Handle(), HotKeyAtom(id));
}

// ---- the notification area ----

bool TAppMainForm::AddTrayIcon(const String& tip)
{
    NOTIFYICONDATAW data = TrayIconData(Handle());
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    data.hIcon = static_cast<HICON>(LoadImageW(instance, L"TrayIcon", IMAGE_ICON, 16, 16, 0));
    if (!data.hIcon) data.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    CopyField(data.szTip, tip);
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void TAppMainForm::RemoveTrayIcon()
{
    NOTIFYICONDATAW data = TrayIconData(Handle());
    Shell_NotifyIconW(NIM_DELETE, &data);
}

void TAppMainForm::ShowBalloon(const String& title, const String& text)
{
    NOTIFYICONDATAW data = TrayIconData(Handle());
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = BalloonTimeout;
    CopyField(data.szInfoTitle, title);
    CopyField(data.szInfo, text);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

int TAppMainForm::ShowTrayMenu(const TMenu& menu)
{
    POINT p {};
    GetCursorPos(&p);
    // In front, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(Handle());
    int command = TrackMenu(Handle(), menu, ToPoint(p));
    PostMessageW(Handle(), WM_NULL, 0, 0);
    return command;
}

// ---- starting with the system ----

bool TAppMainForm::AutoStartShortcutExists() const { return FileExists(GetStartupShortcutPath()); }

void TAppMainForm::SetAutoStartShortcut(bool present) { ApplyAutoStart(present); }

// ---- file dialogs ----

bool TAppMainForm::AskOpenFileName(String& fileName) { return AskFileName(Handle(), false, fileName); }

bool TAppMainForm::AskSaveFileName(String& fileName) { return AskFileName(Handle(), true, fileName); }

// ---- the settings dialog ----

void TAppMainForm::ShowSettingsDialog(std::function<void()> getMoreThemes)
{
    TSettingsDialog::Execute(global_, Handle(), std::move(getMoreThemes));
}

// ---- the drop-down list ----

bool TAppMainForm::DropDownVisible() const { return dropDown_ && dropDown_->Visible(); }

void TAppMainForm::ShowDropDown()
{
    if (dropDown_) dropDown_->ShowList();
}

// ---- timers ----

void TAppMainForm::StartTimer(int id, unsigned milliseconds) { TWindow::StartTimer(id, milliseconds); }

void TAppMainForm::StopTimer(int id) { TWindow::StopTimer(id); }

void TAppMainForm::Timer(int id) { controller_.Timer(id); }

// ---- the window's messages ----

void TAppMainForm::Resized(int width, int height)
{
    (void)width;
    (void)height;
    LayoutEditor();
}

void TAppMainForm::FocusChanged(bool focused)
{
    if (focused && viewport_ && viewport_->Handle()) SetFocus(viewport_->Handle());
}

LRESULT TAppMainForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == snippetCountMessage_ && snippetCountMessage_) {
        // For probes of other programs (the end-to-end runs): how many snippets the
        // document holds now.
        TDropDownModel snippets;
        snippets.Open(controller_.Document().Text());
        return snippets.Count();
    }
    if (msg == menuCaptionMessage_ && menuCaptionMessage_) {
        // For probes of other programs (menus of another process cannot be read under
        // Wine): the caption of top-level menu wParam as a global atom that the asker
        // deletes; 0 past the last one.
        wchar_t caption[256] {};
        HMENU bar = GetMenu(Handle());
        if (!bar || !GetMenuStringW(bar, static_cast<UINT>(wParam), caption, 255, MF_BYPOSITION)) return 0;
        return GlobalAddAtomW(caption);
    }
    if (msg == taskbarCreatedMessage_ && taskbarCreatedMessage_) {
        controller_.TaskbarCreated();
        return TWindow::WindowProc(msg, wParam, lParam);
    }
    switch (msg) {
    case WM_HOTKEY:
        if (wParam == ProcessValues().HotKeyAtom)
            controller_.HotKey(hkMain);
        else if (wParam == ProcessValues().DropDownHotKeyAtom)
            controller_.HotKey(hkDropDown);
        return 0;
    case WM_SHOWINSTANCE:
        controller_.ShowInstance();
        return 0;
    case WM_TRAYICON:
        // The shell may send its callback rather than post it, and a sent message has no
        // time of its own (GetMessageTime tells the last posted one): the clock's time
        // now, as for the deactivation below.
        if (LOWORD(lParam) == WM_LBUTTONDOWN)
            controller_.TrayIconClick(static_cast<uint32_t>(GetTickCount()));
        else if (LOWORD(lParam) == WM_RBUTTONUP)
            controller_.TrayIconMenu();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && controller_.CloseCommand()) return 0;
        if ((wParam & 0xFFF0) == SC_MINIMIZE && controller_.MinimizeCommand()) return 0;
        break;
    case WM_NCACTIVATE:
        // Sent, so it has no message time of its own: the clock's time now.
        if (!wParam) controller_.Deactivated(static_cast<uint32_t>(GetTickCount()));
        break;
    case WM_COMMAND:
        // Menus only: notifications of controls carry their window.
        if (lParam == 0 && LOWORD(wParam) == mcHelpAbout) {
            ShowAboutBox(Handle(), AboutNotice(), AboutLinkUrl);
            return 0;
        }
        if (lParam == 0 && controller_.Command(LOWORD(wParam))) return 0;
        break;
    case WM_CLOSE:
        if (controller_.CloseQuery()) DestroyWindow(Handle());
        return 0;
    case WM_QUERYENDSESSION:
        return controller_.QueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
        controller_.EndSession(wParam != 0);
        return 0;
    case WM_DESTROY:
        controller_.Destroy();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

} // namespace quillora
