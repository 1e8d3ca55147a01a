#include "shell/MainFormController.h"

#include <exception>

#include "editor/EditForm.h"
#include "editor/Sheet.h"
#include "elements/Scheme.h"
#include "elements/Sounds.h"
#include "foundation/Clock.h"
#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "foundation/ShortCut.h"
#include "foundation/StringIds.h"
#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"
#include "library/Log.h"
#include "render/SheetSettingsTheme.h"
#include "shell/DataFile.h"
#include "shell/Document.h"
#include "shell/Global.h"
#include "shell/MainMenus.h"
#include "shell/WebSupport.h"

namespace quillora {

namespace {
// The node of the main window in the session file: the file that a session end saved
// the changes to, when the data file could not take them.
constexpr const char16_t* ChangesAsideParam = u"UnsavedChangesFile";
// The node of the main window in the session file that keeps the sheet's view state.
constexpr const char16_t* SheetDataNode = u"SheetData";
constexpr const char16_t* DropDownSoundName = u"diClassesDropDownSound";

String ErrorText(const std::exception& e)
{
    if (auto* error = dynamic_cast<const Exception*>(&e)) return error->Message();
    return Utf8ToString(e.what());
}

// A file name beside `dataFile` that is not taken: its base name, "_unsaved_", today's
// date, a number from 2 on when needed, and its extension.
String FreeChangesAsideName(const String& dataFile)
{
    TDateTimeParts now = Service<ILocalClock>().Now();
    String extension = GetExtension(dataFile);
    if (extension.empty()) extension = u"tpt";
    String stem = ExtractFilePath(dataFile) + GetBaseName(dataFile) + u"_unsaved_" +
                  ExportFileNameForDay(now.Year, now.Month, now.Day);
    String name = stem + u"." + extension;
    for (int n = 2; FileExists(name); ++n) name = stem + u"_" + IntToString(n) + u"." + extension;
    return name;
}
} // namespace

TMainFormController::TMainFormController(TGlobal& global, TMainFormHost& host)
    : global_(global), host_(host), formPlace_(&host.PlacementForm(), u"MainForm", &global.SessionFile()),
      web_(std::make_unique<TWebSupport>())
{
}

TMainFormController::~TMainFormController()
{
    if (settingsSubscribed_) global_.Settings().RemoveNotifyEvent(BindNotify<&TMainFormController::OnSettingsChanged>(this));
    if (languageSubscribed_) Localization().RemoveNotifyEvent(BindNotify<&TMainFormController::LanguageChanged>(this));
    if (document_) document_->UndoRedo()->RemoveNotifyEvent(BindNotify<&TMainFormController::DocumentChanged>(this));
}

TGeneralSettings& TMainFormController::General() const { return global_.Settings().General(); }

// ---- life ----

bool TMainFormController::Create()
{
    LocalizeMenus();
    Localization().AddNotifyEvent(BindNotify<&TMainFormController::LanguageChanged>(this));
    languageSubscribed_ = true;

    document_ = TTrayAppDocument::New<TQuilloraDocument>();
    document_->UndoRedo()->AddNotifyEvent(BindNotify<&TMainFormController::DocumentChanged>(this));
    try {
        document_->LoadDataFile(General().DataFileName().Value());
    } catch (const std::exception& e) {
        // The file exists but cannot be read: it stays as it is, and so does everything else.
        ShowBox(ErrorText(e), mbIconError);
        return false;
    }
    if (!document_->ProtectionNotice().empty()) {
        protectionTold_ = true;
        ShowBox(document_->ProtectionNotice(), mbIconWarning);
    }
    TellChangesSavedAside();
    CreateEditor();

    General().AutoStart().SetValue(host_.AutoStartShortcutExists());
    initialized_ = true;
    global_.Settings().AddNotifyEvent(BindNotify<&TMainFormController::OnSettingsChanged>(this));
    settingsSubscribed_ = true;

    firstRun_ = global_.SessionFile().LoadState() == lsMissing;
    if (firstRun_) {
        PlaceForFirstRun();
        showAtStart_ = true;
    } else {
        formPlace_.FormCreated();
        showAtStart_ = !General().ShowInTray().Value();
    }
    if (General().ShowInTray().Value()) AddTrayIcon();
    RegisterMainHotKey(General().HotKey().Value());
    UpdateSystemMenu();

    document_->SetStarterText(General().DropDownHotKey().Value());
    RegisterDropDownHotKey(General().DropDownHotKey().Value());
    return true;
}

void TMainFormController::CreateEditor()
{
    TSheetSettings& sheetSettings = global_.Settings().Sheet();
    look_ = std::make_unique<TSheetSettingsTheme>(sheetSettings);
    sheet_ = std::make_unique<TSheet>(&sheetSettings, std::make_unique<TCustomSheetCanvas>(*look_));
    editForm_ = std::make_unique<TEditForm>(host_.FindDialogs());
    editForm_->DocumentView().SetFormSettings(&global_.ModuleSettings().SheetForm());
    editForm_->Palette().SetSettings(&global_.ModuleSettings().PaletteForm());
    editForm_->OnActionsChanged = [this] { UpdateMenuBar(); };
    sheet_->SetDocument(document_->QuilloraRoot());
    editForm_->SetDocument(document_->Scheme(), sheet_.get());
    // The log: its own sheet on the same look; its link to a file opens the file.
    logSheet_ = std::make_unique<TSheet>(&sheetSettings, std::make_unique<TCustomSheetCanvas>(*look_));
    document_->LogRoot()->SetSettings(&global_.ModuleSettings().Log());
    logSheet_->SetDocument(document_->LogRoot());
    logSheet_->SetReadOnly(true);
    editForm_->OnOpenFile = [this](const String& fileName) {
        try {
            ShellOpen(fileName);
        } catch (const std::exception& e) {
            ShowBox(ErrorText(e), mbIconError);
        }
    };
    editForm_->SetLog(document_->LogScheme(), logSheet_.get());
    if (TKnot* node = formPlace_.FormKnot()) {
        editForm_->LoadSession(*node, host_.PlacementForm().Bounds().Height);
        if (TKnot* sheetData = node->FindKnot(SheetDataNode)) sheet_->LoadFocusData(*sheetData);
    }
    host_.ShowEditor(editForm_.get(), sheet_.get());
    UpdateMenuBar();
}

void TMainFormController::SaveEditorSession()
{
    TKnot* node = formPlace_.FormKnot();
    if (!node || !editForm_) return;
    editForm_->SaveSession(*node);
    sheet_->SaveFocusData(*node->GetKnot(SheetDataNode));
}

void TMainFormController::DestroyEditor()
{
    if (!editForm_) return;
    host_.ShowEditor(nullptr, nullptr);
    editForm_->OnActionsChanged = nullptr;
    editForm_->OnOpenFile = nullptr;
    editForm_->SetLog(nullptr, nullptr);
    editForm_->SetDocument(nullptr, nullptr);
    logSheet_->SetDocument(nullptr);
    document_->LogRoot()->SetSettings(nullptr);
    sheet_->SetDocument(nullptr);
    editForm_.reset();
    logSheet_.reset();
    sheet_.reset();
    look_.reset();
}

void TMainFormController::PlaceForFirstRun()
{
    // The bottom-right quarter of the screen, inside the work area.
    TRect screen = host_.ScreenRect(), work = host_.WorkArea();
    int width = screen.Width() / 2, height = screen.Height() / 2;
    host_.PlacementForm().SetBounds(
        {work.Left + work.Width() - width, work.Top + work.Height() - height, width, height});
}

void TMainFormController::Destroy()
{
    if (destroyed_) return;
    destroyed_ = true;
    if (settingsSubscribed_) global_.Settings().RemoveNotifyEvent(BindNotify<&TMainFormController::OnSettingsChanged>(this));
    settingsSubscribed_ = false;
    if (languageSubscribed_) Localization().RemoveNotifyEvent(BindNotify<&TMainFormController::LanguageChanged>(this));
    languageSubscribed_ = false;
    if (document_) document_->UndoRedo()->RemoveNotifyEvent(BindNotify<&TMainFormController::DocumentChanged>(this));
    host_.StopTimer(AutoSaveTimerId);
    DestroyEditor();
    RegisterDropDownHotKey({});
    RemoveTrayIcon();
    RegisterMainHotKey({});
}

// ---- window events ----

void TMainFormController::HotKey(THotKeyId id)
{
    if (id == hkMain) {
        ShowMainWindow();
    } else if (id == hkDropDown && !host_.DropDownVisible()) {
        PlaySchemeSound(DropDownSoundName);
        host_.ShowDropDown();
    }
}

void TMainFormController::ShowInstance()
{
    if (trayIconShown_) {
        RemoveTrayIcon();
        AddTrayIcon();
    }
    ShowMainWindow();
}

void TMainFormController::TaskbarCreated()
{
    // The new task bar has no icon of ours, whatever we thought.
    trayIconShown_ = false;
    if (General().ShowInTray().Value()) AddTrayIcon();
}

void TMainFormController::TrayIconClick(uint32_t time)
{
    // The window that was active until this very click took the activation goes to the
    // tray; a hidden, minimized or inactive one comes to the front.
    if (host_.WindowVisible() && !host_.WindowMinimized() && !host_.ModalDialogOpen() && deactivated_ &&
        time - deactivatedAt_ < TrayToggleTime)
        HideToTray();
    else
        ShowMainWindow();
}

void TMainFormController::TrayIconMenu()
{
    if (int command = host_.ShowTrayMenu(TrayMenu())) Command(command);
}

bool TMainFormController::CloseCommand()
{
    if (!General().ShowInTray().Value()) return false;
    HideToTray();
    return true;
}

bool TMainFormController::MinimizeCommand()
{
    if (!General().ShowInTray().Value() || !General().HideToTrayByMinimizeButton().Value()) return false;
    HideToTray();
    return true;
}

void TMainFormController::Deactivated(uint32_t time)
{
    deactivated_ = true;
    deactivatedAt_ = time;
}

void TMainFormController::KeyDown(TKeyEvent& event)
{
    if (!document_) return;
    if (event.Key == kcEscape) {
        if (General().ShowInTray().Value() && General().HideByEsc().Value()) {
            HideToTray();
            event.Consume();
        }
    } else if (event.Key == kcS && event.Modifiers(ssCtrl)) {
        TrySaveData(true);
        event.Consume();
    } else if (event.Key == kcZ && event.Modifiers(ssCtrl)) {
        if (!document_->UndoRedo()->CanUndo()) return;
        EditUndo();
        event.Consume();
    } else if ((event.Key == kcY && event.Modifiers(ssCtrl)) || (event.Key == kcZ && event.Modifiers(ssCtrl | ssShift))) {
        if (!document_->UndoRedo()->CanRedo()) return;
        EditRedo();
        event.Consume();
    } else if (event.Key == kcF1 && event.Modifiers(0)) {
        Command(mcHelpOnlineHelp);
        event.Consume();
    } else if (editForm_) {
        editForm_->ShortCut(event);
    }
}

bool TMainFormController::Command(int command)
{
    if (!document_) return false;
    switch (command) {
    case mcFileImport: FileImport(); return true;
    case mcFileExport: FileExport(); return true;
    case mcFileExit: host_.CloseWindow(); return true;
    case mcToolsSettings:
        host_.ShowSettingsDialog([this] { web_->OpenResourcePage(u"ThemesPage", General().Language().Value()); });
        return true;
    case mcTrayShow: ShowMainWindow(); return true;
    case mcHelpOnlineHelp: web_->OpenProductPage(u"OnlineHelpPage", General().Language().Value()); return true;
    case mcHelpCheckUpdates: web_->CheckForUpdates(General().Language().Value()); return true;
    case mcHelpProgramPage: web_->OpenProductPage(u"HomePage", General().Language().Value()); return true;
    case mcHelpForum: web_->OpenProductPage(u"ForumPage", General().Language().Value()); return true;
    case mcHelpSendMessage: web_->OpenProductPage(u"CommunityPage", General().Language().Value()); return true;
    default: return editForm_ && editForm_->IsCommand(command) && (editForm_->Execute(command), true);
    }
}

void TMainFormController::Timer(int id)
{
    if (id == AutoSaveTimerId) AutoSaveTimer();
}

// ---- the tray icon and the window ----

void TMainFormController::ShowMainWindow() { host_.ShowWindow(); }

void TMainFormController::HideToTray()
{
    host_.HideWindow();
    if (!balloonShown_ && firstRun_) {
        balloonShown_ = true;
        // Not from the string table: the sentence is the same in every language.
        ShowBalloon(FormatText(u"%1 lives in the notification area.", {LoadString(TitleStringId)}));
    }
}

String TMainFormController::GetTrayTip() const
{
    String tip = LoadString(TitleStringId);
    if (!hotKeyText_.empty()) tip += u" (" + hotKeyText_ + u")";
    if (!dropDownHotKeyText_.empty()) tip += u"\r\n" + FormatString(sidDropDownHint, {dropDownHotKeyText_});
    return tip;
}

void TMainFormController::AddTrayIcon()
{
    if (trayIconShown_) return;
    trayTip_ = GetTrayTip();
    trayIconShown_ = host_.AddTrayIcon(trayTip_);
}

void TMainFormController::RemoveTrayIcon()
{
    if (!trayIconShown_) return;
    host_.RemoveTrayIcon();
    trayIconShown_ = false;
}

void TMainFormController::RefreshTrayIcon()
{
    if (!trayIconShown_) return;
    RemoveTrayIcon();
    AddTrayIcon();
}

void TMainFormController::ShowBalloon(const String& text)
{
    if (trayIconShown_) host_.ShowBalloon(LoadString(TitleStringId), text);
}

void TMainFormController::UpdateSystemMenu()
{
    host_.SetCloseItemEnabled(!(General().ShowInTray().Value() && General().HideToTrayByMinimizeButton().Value()));
}

// ---- hotkeys ----

bool TMainFormController::RegisterHotKeyText(const String& text, THotKeyId id, String& registered, bool allowed)
{
    if (text.empty() || !allowed) {
        if (registered.empty()) return false;
        host_.UnregisterHotKey(id);
        registered.clear();
        return true;
    }
    if (text == registered) return false;
    if (!registered.empty()) {
        host_.UnregisterHotKey(id);
        registered.clear();
    }
    unsigned modifiers = 0, key = 0;
    // A text that names no key is not registered (and not reported).
    if (ShortCutToHotKey(text, modifiers, key) && key != 0 && host_.RegisterHotKey(id, modifiers, static_cast<TKeyCode>(key)))
        registered = text;
    return true;
}

void TMainFormController::RegisterMainHotKey(const String& text)
{
    if (RegisterHotKeyText(text, hkMain, hotKeyText_, General().ShowByHotKey().Value())) RefreshTrayIcon();
}

void TMainFormController::RegisterDropDownHotKey(const String& text)
{
    if (RegisterHotKeyText(text, hkDropDown, dropDownHotKeyText_, true)) RefreshTrayIcon();
}

// ---- menus and language ----

void TMainFormController::LocalizeMenus()
{
    host_.SetCaption(LoadString(TitleStringId));
    UpdateMenuBar();
}

void TMainFormController::UpdateMenuBar()
{
    if (!editForm_) return;
    TMenu menu = BuildMainMenu(*editForm_);
    if (menuBarSet_ && menu == menuBar_) return;
    menuBar_ = std::move(menu);
    menuBarSet_ = true;
    host_.SetMenuBar(menuBar_);
}

TMenu TMainFormController::TrayMenu() const { return BuildTrayMenu(); }

void TMainFormController::LanguageChanged(TItfObject*, int notify, intptr_t, intptr_t)
{
    if (notify != LanguageChangedNotify) return;
    LocalizeMenus();
    // The palette's headings and tooltips come from the string table as well.
    if (editForm_) editForm_->Palette().Rebuild();
    // The tooltip speaks the language too.
    if (trayIconShown_ && GetTrayTip() != trayTip_) RefreshTrayIcon();
}

// ---- settings ----

void TMainFormController::OnSettingsChanged(TItfObject*, int notify, intptr_t, intptr_t)
{
    if (notify != pnChanged || !initialized_) return;
    TGeneralSettings& general = General();
    RegisterDropDownHotKey(general.DropDownHotKey().Value());
    if (general.AutoStart().Value() != host_.AutoStartShortcutExists())
        host_.SetAutoStartShortcut(general.AutoStart().Value());
    if (general.ShowInTray().Value() != trayIconShown_) {
        if (general.ShowInTray().Value())
            AddTrayIcon();
        else
            RemoveTrayIcon();
    }
    RegisterMainHotKey(general.HotKey().Value());
    // A new data file name: the snippets are written there at once (nothing is loaded
    // from it; the old file stays as it was).
    if (!SameFileName(document_->Scheme()->FileName(), general.DataFileName().Value())) TrySaveData(true);
    UpdateSystemMenu();
    global_.SaveSettings();
}

// ---- saving ----

void TMainFormController::DocumentChanged(TItfObject*, int notify, intptr_t, intptr_t)
{
    if (notify == urHistoryChanged || notify == urUndone || notify == urRedone) {
        modified_ = true;
        // The ten seconds start anew with every change: a burst of edits is saved once.
        host_.StartTimer(AutoSaveTimerId, AutoSaveDelay);
    }
    if (notify == urHistoryChanged || notify == urUndone || notify == urRedone || notify == urCleared) UpdateMenuBar();
}

void TMainFormController::SaveData()
{
    document_->SaveDataFile(General().DataFileName().Value(), General().BackupFileName().Value());
    modified_ = false;
    saveFailureTold_ = false;
}

bool TMainFormController::TrySaveData(bool mayAsk)
{
    const String& name = General().DataFileName().Value();
    if (document_->IsProtected(name)) {
        // The file did not load completely: never overwritten without the user's word.
        if (!mayAsk) return false;
        String reason = document_->LoadMessages().empty() ? String() : document_->LoadMessages().front();
        if (ShowBox(FormatString(sidOverwriteProtected, {name, reason}), mbYesNo | mbIconWarning | mbDefButton2,
                    idNo) != idYes)
            return false;
        document_->ConfirmOverwrite();
    }
    try {
        SaveData();
        return true;
    } catch (const std::exception& e) {
        ShowBox(ErrorText(e), mbIconError);
        return false;
    }
}

void TMainFormController::AutoSaveTimer()
{
    // While a box is open the save waits for the next tick after it: a box runs its own
    // message loop, in which this timer goes on firing.
    if (boxOpen_) return;
    if (modified_ && document_->IsProtected(General().DataFileName().Value())) {
        // A protected file waits for the user's word (Ctrl+S, close); told once.
        if (!protectionTold_) {
            protectionTold_ = true;
            ShowBox(document_->ProtectionNotice(), mbIconWarning);
        }
        host_.StopTimer(AutoSaveTimerId);
        return;
    }
    if (!modified_) {
        host_.StopTimer(AutoSaveTimerId);
        return;
    }
    try {
        SaveData();
    } catch (const std::exception& e) {
        // Tried again at the next tick; the error is told once until a save succeeds.
        if (!saveFailureTold_) {
            saveFailureTold_ = true;
            ShowBox(ErrorText(e), mbIconError);
        }
        return;
    }
    host_.StopTimer(AutoSaveTimerId);
}

void TMainFormController::SaveSessionAndSettings()
{
    if (!initialized_) return;
    SaveEditorSession();
    global_.SessionFile().Save();
    if (global_.SettingsDirty()) global_.SaveSettings();
}

bool TMainFormController::CloseQuery()
{
    if (sessionEnding_) {
        // Nobody is there to answer: saved as the session end saves, and closed.
        SaveForSessionEnd();
        return true;
    }
    formPlace_.FormCloseQuery();
    if (modified_) {
        const String& name = General().DataFileName().Value();
        if (document_->IsProtected(name)) {
            String reason = document_->LoadMessages().empty() ? String() : document_->LoadMessages().front();
            int answer = ShowBox(FormatString(sidOverwriteProtected, {name, reason}) + u"\r\n\r\n" +
                                     LoadString(sidCloseWithoutSaving),
                                 mbYesNoCancel | mbIconWarning | mbDefButton2, idCancel);
            if (answer == idCancel) return false;
            if (answer == idYes) {
                document_->ConfirmOverwrite();
                if (!TrySaveData(false)) return false;
            }
        } else if (!TrySaveData(false)) {
            return false;
        }
    }
    SaveSessionAndSettings();
    return true;
}

bool TMainFormController::QueryEndSession()
{
    SaveForSessionEnd();
    return true;
}

void TMainFormController::EndSession(bool ending)
{
    if (ending)
        SaveForSessionEnd();
    else
        sessionEnding_ = false;
}

void TMainFormController::SaveForSessionEnd()
{
    // No box from here on: the system does not wait for an answer.
    sessionEnding_ = true;
    formPlace_.FormCloseQuery();
    if (modified_ && document_) {
        if (!document_->IsProtected(General().DataFileName().Value())) {
            try {
                SaveData();
            } catch (const std::exception&) {
                // Kept aside below.
            }
        }
        if (modified_) SaveChangesAside();
    }
    SaveSessionAndSettings();
}

void TMainFormController::SaveChangesAside()
{
    // The data file is protected or cannot be written: the changes go to a file of their
    // own, which the next start names. The document stays changed, so that a session
    // that goes on after all still saves it as usual.
    try {
        if (changesAsideFile_.empty()) changesAsideFile_ = FreeChangesAsideName(General().DataFileName().Value());
        document_->SaveDataFileCopy(changesAsideFile_);
        formPlace_.FormKnot()->WriteString(ChangesAsideParam, changesAsideFile_);
    } catch (const std::exception&) {
        // Nothing more can be done without asking.
    }
}

void TMainFormController::TellChangesSavedAside()
{
    TKnot* node = formPlace_.FormKnot();
    if (!node || !node->FindParam(ChangesAsideParam)) return;
    String aside = node->ReadString(ChangesAsideParam);
    node->WriteString(ChangesAsideParam, {});
    if (!aside.empty() && FileExists(aside))
        ShowBox(FormatString(sidChangesSavedAside, {General().DataFileName().Value(), aside}), mbIconInformation);
}

// ---- import, export, undo ----

void TMainFormController::FileImport()
{
    String fileName;
    if (!host_.AskOpenFileName(fileName)) return;
    try {
        TBusyCursor busy;
        document_->ImportFile(fileName);
    } catch (const std::exception& e) {
        ShowBox(ErrorText(e), mbIconError);
    }
}

void TMainFormController::FileExport()
{
    TDateTimeParts today = Service<ILocalClock>().Now();
    String fileName = ExportFileNameForDay(today.Year, today.Month, today.Day);
    if (!host_.AskSaveFileName(fileName)) return;
    try {
        document_->ExportFile(fileName);
    } catch (const std::exception& e) {
        ShowBox(ErrorText(e), mbIconError);
    }
}

void TMainFormController::EditUndo()
{
    if (!document_->UndoRedo()->CanUndo()) return;
    try {
        // Through the editor, so that the sheet is updated once and its caret follows.
        if (!editForm_ || !editForm_->Execute(scmUndo)) document_->UndoRedo()->Undo();
    } catch (const std::exception& e) {
        ShowBox(ErrorText(e), mbIconError);
    }
}

void TMainFormController::EditRedo()
{
    if (!document_->UndoRedo()->CanRedo()) return;
    try {
        if (!editForm_ || !editForm_->Execute(scmRedo)) document_->UndoRedo()->Redo();
    } catch (const std::exception& e) {
        ShowBox(ErrorText(e), mbIconError);
    }
}

// ---- boxes ----

int TMainFormController::ShowBox(const String& text, unsigned flags, int whenBlocked)
{
    if (boxOpen_ || sessionEnding_) return whenBlocked;
    boxOpen_ = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } reset {boxOpen_};
    return ShowMessageBox(text, {}, flags);
}

} // namespace quillora
