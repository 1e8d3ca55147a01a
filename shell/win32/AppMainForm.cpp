#include "shell/win32/AppMainForm.h"

#include <shellapi.h>

#include <cstring>
#include <ctime>

#include "elements/Scheme.h"
#include "elements/Sounds.h"
#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/ShortCut.h"
#include "foundation/StringIds.h"
#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"
#include "foundation/win32/OpenSaveDialog.h"
#include "foundation/win32/WinPaths.h"
#include "shell/DataFile.h"
#include "shell/Document.h"
#include "shell/Global.h"
#include "shell/win32/AppStartup.h"
#include "text/Textor.h"
#include "typing/DropDownModel.h"
#include "typing/win32/DropDownForm.h"

namespace quillora {

namespace {
constexpr wchar_t MainWindowClass[] = L"TAppMainForm";
constexpr UINT_PTR AutoSaveTimerId = 1;
constexpr UINT TrayIconId = 1;


TGeneralSettings& General(TGlobal& global) { return global.Settings().General(); }

// Copies `text` into a fixed field, cut to fit with its terminator.
template <size_t N> void CopyField(wchar_t (&field)[N], const String& text)
{
    size_t n = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), n * sizeof(wchar_t));
    field[n] = 0;
}

String MenuText(int id) { return LoadString(id); }
} // namespace

TAppMainForm::TAppMainForm(TGlobal& global) : global_(global), placementForm_(*this) {}

TAppMainForm::~TAppMainForm()
{
    DestroyHandle();
    if (trayMenu_) DestroyMenu(trayMenu_);
    if (font_) DeleteObject(font_);
}

bool TAppMainForm::Create(HINSTANCE instance, bool& show)
{
    show = false;
    TProcessValues& values = ProcessValues();
    CreateAnnouncementMutexes(values.ExeBaseName + u"Mutex");
    taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");

    TWindowClass windowClass;
    windowClass.Name = MainWindowClass;
    windowClass.Icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.SmallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    windowClass.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

    String title = LoadString(TitleStringId);
    if (title.empty()) title = u"Quillora";
    TWindowParams params;
    params.Caption = WidePtr(title);
    params.Width = 640;
    params.Height = 480;
    params.Instance = instance;
    if (!CreateHandle(windowClass, params)) return false;
    SetSnapToScreenEdges(true);
    formPlace_ = std::make_unique<TFormPlace>(&placementForm_, u"MainForm", &global_.SessionFile());

    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    list_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                            0, 0, 10, 10, Handle(), nullptr, instance, nullptr);
    if (font_) SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    CreateMenus();

    document_ = TTrayAppDocument::New<TQuilloraDocument>();
    document_->UndoRedo()->AddNotifyEvent(BindNotify<&TAppMainForm::DocumentChanged>(this));
    try {
        document_->LoadDataFile(General(global_).DataFileName().Value());
    } catch (const Exception& e) {
        ShowMessageBox(e.Message(), {}, mbIconError);
        return false;
    }
    if (!document_->ProtectionNotice().empty()) {
        ShowMessageBox(document_->ProtectionNotice(), {}, mbIconWarning);
        protectionTold_ = true;
    }

    General(global_).AutoStart().SetValue(FileExists(GetStartupShortcutPath()));
    initialized_ = true;
    global_.Settings().AddNotifyEvent(BindNotify<&TAppMainForm::SettingsChanged>(this));

    firstRun_ = global_.SessionFile().LoadState() == lsMissing;
    if (firstRun_) {
        int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
        RECT work {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        int w = screenW / 2, h = screenH / 2;
        SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left) - w, work.top + (work.bottom - work.top) - h, w,
                     h, SWP_NOZORDER | SWP_NOACTIVATE);
        show = true;
    } else {
        formPlace_->FormCreated();
        show = !General(global_).ShowInTray().Value();
    }
    if (General(global_).ShowInTray().Value()) AddTrayIcon();
    RegisterMainHotKey(General(global_).HotKey().Value());
    UpdateSystemMenu();

    document_->SetStarterText(General(global_).DropDownHotKey().Value());
    RefreshSnippetList();
    RegisterDropDownHotKey(General(global_).DropDownHotKey().Value());
    return true;
}

void TAppMainForm::CreateMenus()
{
    menu_ = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, cmFileImport, L"");
    AppendMenuW(file, MF_STRING, cmFileExport, L"");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, cmFileExit, L"");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"");
    SetMenu(Handle(), menu_);
    trayMenu_ = CreatePopupMenu();
    AppendMenuW(trayMenu_, MF_STRING, cmTrayShow, L"");
    AppendMenuW(trayMenu_, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(trayMenu_, MF_STRING, cmFileExit, L"");
    SetMenuDefaultItem(trayMenu_, cmTrayShow, FALSE);
    LocalizeMenus();
}

void TAppMainForm::LocalizeMenus()
{
    auto set = [](HMENU menu, UINT item, bool byPosition, const String& text) {
        MENUITEMINFOW info {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        String copy = text;
        info.dwTypeData = const_cast<wchar_t*>(WidePtr(copy));
        SetMenuItemInfoW(menu, item, byPosition, &info);
    };
    set(menu_, 0, true, MenuText(sidFileMenu));
    HMENU file = GetSubMenu(menu_, 0);
    set(file, cmFileImport, false, MenuText(sidImport));
    set(file, cmFileExport, false, MenuText(sidExport));
    set(file, cmFileExit, false, MenuText(sidExit));
    set(trayMenu_, cmTrayShow, false, LoadString(TitleStringId));
    set(trayMenu_, cmFileExit, false, MenuText(sidExit));
    DrawMenuBar(Handle());
    String title = LoadString(TitleStringId);
    SetWindowTextW(Handle(), WidePtr(title));
}

// ---- tray icon ----

String TAppMainForm::GetTrayTip() const
{
    String tip = LoadString(TitleStringId);
    if (!hotKeyText_.empty()) tip += u" (" + hotKeyText_ + u")";
    if (!dropDownHotKeyText_.empty()) tip += u"\r\n" + FormatString(sidDropDownHint, {dropDownHotKeyText_});
    return tip;
}

void TAppMainForm::AddTrayIcon()
{
    if (trayIconShown_) return;
    NOTIFYICONDATAW data {};
    data.cbSize = sizeof(data);
    data.hWnd = Handle();
    data.uID = TrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYICON;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    data.hIcon = static_cast<HICON>(LoadImageW(instance, L"TrayIcon", IMAGE_ICON, 16, 16, 0));
    if (!data.hIcon) data.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
    trayTip_ = GetTrayTip();
    CopyField(data.szTip, trayTip_);
    trayIconShown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void TAppMainForm::RemoveTrayIcon()
{
    if (!trayIconShown_) return;
    NOTIFYICONDATAW data {};
    data.cbSize = sizeof(data);
    data.hWnd = Handle();
    data.uID = TrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    trayIconShown_ = false;
}

void TAppMainForm::RefreshTrayIcon()
{
    trayTip_ = GetTrayTip();
    if (!trayIconShown_) return;
    RemoveTrayIcon();
    AddTrayIcon();
}

void TAppMainForm::ShowBalloon(const String& text)
{
    if (!trayIconShown_) return;
    NOTIFYICONDATAW data {};
    data.cbSize = sizeof(data);
    data.hWnd = Handle();
    data.uID = TrayIconId;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    data.uTimeout = 5000;
    CopyField(data.szInfoTitle, LoadString(TitleStringId));
    CopyField(data.szInfo, text);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TAppMainForm::TrayCallback(LPARAM lParam)
{
    switch (LOWORD(lParam)) {
    case WM_LBUTTONDOWN:
        if (IsWindowVisible(Handle()) && !IsIconic(Handle()) && IsWindowEnabled(Handle()) &&
            GetTickCount() - deactivatedAt_ < 500)
            HideToTray();
        else
            ShowMainWindow();
        break;
    case WM_RBUTTONUP: {
        POINT p;
        GetCursorPos(&p);
        SetForegroundWindow(Handle());
        TrackPopupMenu(trayMenu_, TPM_RIGHTBUTTON, p.x, p.y, 0, Handle(), nullptr);
        PostMessageW(Handle(), WM_NULL, 0, 0);
        break;
    }
    default:
        break;
    }
}

void TAppMainForm::ShowMainWindow()
{
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    Show();
    SetForegroundWindow(Handle());
}

void TAppMainForm::HideToTray()
{
    ShowWindow(Handle(), SW_HIDE);
    if (!balloonShown_ && firstRun_) {
        balloonShown_ = true;
        ShowBalloon(FormatText(u"%1 lives in the notification area.", {LoadString(TitleStringId)}));
    }
}

void TAppMainForm::UpdateSystemMenu()
{
    bool grey = General(global_).ShowInTray().Value() && General(global_).HideToTrayByMinimizeButton().Value();
    HMENU system = GetSystemMenu(Handle(), FALSE);
    if (system) EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | (grey ? MF_GRAYED : MF_ENABLED));
}

// ---- hotkeys ----

bool TAppMainForm::RegisterHotKeyText(const String& text, ATOM id, String& registered, bool allowed)
{
    bool tipChanged = false;
    if (!text.empty() && allowed) {
        if (text == registered) return false;
        if (!registered.empty()) {
            UnregisterHotKey(Handle(), id);
            registered.clear();
        }
        tipChanged = true;
        unsigned modifiers = 0, key = 0;
        if (Handle() && ShortCutToHotKey(text, modifiers, key) && key != 0 &&
            RegisterHotKey(Handle(), id, modifiers, key))
            registered = text;
    } else if (!registered.empty()) {
        UnregisterHotKey(Handle(), id);
        registered.clear();
        tipChanged = true;
    }
    return tipChanged;
}

void TAppMainForm::RegisterMainHotKey(const String& text)
{
    if (RegisterHotKeyText(text, ProcessValues().HotKeyAtom, hotKeyText_, General(global_).ShowByHotKey().Value()))
        RefreshTrayIcon();
}

void TAppMainForm::RegisterDropDownHotKey(const String& text)
{
    if (RegisterHotKeyText(text, ProcessValues().DropDownHotKeyAtom, dropDownHotKeyText_, true)) RefreshTrayIcon();
}

// ---- saving ----

void TAppMainForm::DocumentChanged(TItfObject*, int notify, intptr_t, intptr_t)
{
    if (notify != urHistoryChanged && notify != urUndone && notify != urRedone) return;
    modified_ = true;
    KillTimer(Handle(), AutoSaveTimerId);
    SetTimer(Handle(), AutoSaveTimerId, AutoSaveDelay, nullptr);
    RefreshSnippetList();
}

void TAppMainForm::SaveData()
{
    document_->SaveDataFile(General(global_).DataFileName().Value(), General(global_).BackupFileName().Value());
    modified_ = false;
}

bool TAppMainForm::TrySaveData(bool fromAutosave)
{
    const String& name = General(global_).DataFileName().Value();
    if (document_->IsProtected(name)) {
        // The file did not load completely: never overwritten without the user's word.
        if (fromAutosave) {
            if (!protectionTold_) ShowMessageBox(document_->ProtectionNotice(), {}, mbIconWarning);
            protectionTold_ = true;
            return false;
        }
        String question = FormatString(sidSaveRefusedProtected, {name, document_->LoadMessages().empty()
                                                                            ? String()
                                                                            : document_->LoadMessages().front()});
        if (MessageBoxW(Handle(), WidePtr(question), WidePtr(LoadString(TitleStringId)),
                        MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
            return false;
        document_->ConfirmOverwrite();
    }
    try {
        SaveData();
        return true;
    } catch (const Exception& e) {
        ShowMessageBox(e.Message(), {}, mbIconError);
        return false;
    }
}

void TAppMainForm::AutoSaveTimer()
{
    if (modified_ && !TrySaveData(true)) {
        // A failed save is tried again at the next tick; a protected file waits for the user.
        if (!document_->IsProtected(General(global_).DataFileName().Value())) return;
    }
    KillTimer(Handle(), AutoSaveTimerId);
}

bool TAppMainForm::CloseQuery()
{
    if (modified_) {
        const String& name = General(global_).DataFileName().Value();
        if (document_->IsProtected(name)) {
            String question = document_->ProtectionNotice();
            int answer = MessageBoxW(Handle(), WidePtr(question), WidePtr(LoadString(TitleStringId)),
                                     MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON2);
            if (answer == IDCANCEL) return false;
            if (answer == IDYES) {
                document_->ConfirmOverwrite();
                if (!TrySaveData(false)) return false;
            }
        } else if (!TrySaveData(false)) {
            return false;
        }
    }
    if (initialized_) {
        global_.SessionFile().Save();
        if (global_.SettingsDirty()) global_.SaveSettings();
    }
    return true;
}

void TAppMainForm::SettingsChanged(TItfObject*, int notify, intptr_t, intptr_t)
{
    if (notify != pnChanged || !initialized_) return;
    TGeneralSettings& general = General(global_);
    RegisterDropDownHotKey(general.DropDownHotKey().Value());
    ApplyAutoStart(general.AutoStart().Value());
    if (general.ShowInTray().Value() != trayIconShown_) {
        if (general.ShowInTray().Value())
            AddTrayIcon();
        else
            RemoveTrayIcon();
    }
    RegisterMainHotKey(general.HotKey().Value());
    if (!SameFileName(document_->Scheme()->FileName(), general.DataFileName().Value())) TrySaveData(false);
    UpdateSystemMenu();
    global_.SaveSettings();
}

// ---- import and export ----

namespace {
// The program's dialogs hold one filter: "tpt" without a description.
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

void TAppMainForm::FileImport()
{
    String fileName;
    if (!AskFileName(Handle(), false, fileName)) return;
    try {
        TBusyCursor busy;
        document_->ImportFile(fileName);
    } catch (const Exception& e) {
        ShowMessageBox(e.Message(), {}, mbIconError);
    }
}

void TAppMainForm::FileExport()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    String fileName = ExportFileNameForDay(now.wYear, now.wMonth, now.wDay);
    if (!AskFileName(Handle(), true, fileName)) return;
    try {
        document_->ExportFile(fileName);
    } catch (const Exception& e) {
        ShowMessageBox(e.Message(), {}, mbIconError);
    }
}

void TAppMainForm::RefreshSnippetList()
{
    if (!list_ || !document_) return;
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (TParagraph* p = document_->Text().FirstParagraph(); p; p = p->Next()) {
        if (p->IsEmpty()) continue;
        String caption = ParagraphCaption(*p);
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WidePtr(caption)));
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

// ---- messages ----

bool TAppMainForm::PreviewKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !Handle()) return false;
    if (msg.hwnd != Handle() && GetAncestor(msg.hwnd, GA_ROOT) != Handle()) return false;
    bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (msg.wParam == VK_ESCAPE && General(global_).ShowInTray().Value() && General(global_).HideByEsc().Value()) {
        HideToTray();
        return true;
    }
    if (msg.wParam == 'S' && ctrl) {
        TrySaveData(false);
        return true;
    }
    return false;
}

LRESULT TAppMainForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == taskbarCreatedMessage_ && taskbarCreatedMessage_) {
        trayIconShown_ = false;
        if (General(global_).ShowInTray().Value()) AddTrayIcon();
        return TWindow::WindowProc(msg, wParam, lParam);
    }
    switch (msg) {
    case WM_HOTKEY:
        if (wParam == ProcessValues().HotKeyAtom) {
            ShowMainWindow();
        } else if (wParam == ProcessValues().DropDownHotKeyAtom) {
            if (dropDown_ && !dropDown_->Visible()) {
                PlaySchemeSound(u"diClassesDropDownSound");
                dropDown_->ShowList();
            }
        }
        return 0;
    case WM_SHOWINSTANCE:
        if (trayIconShown_) {
            RemoveTrayIcon();
            AddTrayIcon();
        }
        ShowMainWindow();
        return 0;
    case WM_TRAYICON:
        TrayCallback(lParam);
        return 0;
    case WM_SYSCOMMAND: {
        UINT command = static_cast<UINT>(wParam & 0xFFF0);
        bool inTray = General(global_).ShowInTray().Value();
        if ((command == SC_CLOSE && inTray) ||
            (command == SC_MINIMIZE && inTray && General(global_).HideToTrayByMinimizeButton().Value())) {
            HideToTray();
            return 0;
        }
        break;
    }
    case WM_NCACTIVATE:
        if (!wParam) deactivatedAt_ = GetTickCount();
        break;
    case WM_TIMER:
        if (wParam == AutoSaveTimerId) AutoSaveTimer();
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case cmFileImport: FileImport(); return 0;
        case cmFileExport: FileExport(); return 0;
        case cmFileExit: SendMessageW(Handle(), WM_CLOSE, 0, 0); return 0;
        case cmTrayShow: ShowMainWindow(); return 0;
        default: break;
        }
        break;
    case WM_SIZE:
        if (list_) MoveWindow(list_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        if (list_) SetFocus(list_);
        return 0;
    case WM_CLOSE:
        if (formPlace_) formPlace_->FormCloseQuery();
        if (CloseQuery()) DestroyWindow(Handle());
        return 0;
    case WM_DESTROY:
        if (initialized_) global_.Settings().RemoveNotifyEvent(BindNotify<&TAppMainForm::SettingsChanged>(this));
        if (document_) document_->UndoRedo()->RemoveNotifyEvent(BindNotify<&TAppMainForm::DocumentChanged>(this));
        KillTimer(Handle(), AutoSaveTimerId);
        RegisterDropDownHotKey({});
        RemoveTrayIcon();
        RegisterMainHotKey({});
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return TWindow::WindowProc(msg, wParam, lParam);
}

} // namespace quillora
