#pragma once
// TMainFormController: the rules of the main window, apart from any window. It owns the
// snippet document; loads it at creation and saves it ten seconds after the last change,
// on Ctrl+S, on close and when the session ends; keeps the tray icon, its tooltip and
// the two global hotkeys in step with the settings; hides the window to the tray and
// shows it again; runs the menu commands (import, export, undo, redo, exit) and
// re-captions the menus when the language changes. The window carries out what it
// decides through TMainFormHost and hands it the window's events by the operations
// below. Message boxes go through the message-box service; at most one is open at a
// time, and none while the session ends.

#include <cstdint>
#include <memory>

#include "foundation/FormPlace.h"
#include "foundation/Input.h"
#include "foundation/Node.h"
#include "foundation/Strings.h"
#include "foundation/ViewHost.h"
#include "shell/MainFormHost.h"

namespace quillora {

class TGlobal;
class TGeneralSettings;
class TEditForm;
class TQuilloraDocument;
class TSheet;
class TSheetSettingsTheme;
class TWebSupport;

// The host's timer that runs the autosave.
constexpr int AutoSaveTimerId = 1;
// A click on the tray icon within this many milliseconds after the window lost the
// activation (to that very click) hides the window instead of showing it.
constexpr uint32_t TrayToggleTime = 500;

class TMainFormController {
public:
    // `global` and `host` outlive the controller.
    TMainFormController(TGlobal& global, TMainFormHost& host);
    // Unsubscribes from the settings, the language and the document; asks nothing of
    // the host (Destroy did that).
    ~TMainFormController();
    TMainFormController(const TMainFormController&) = delete;
    TMainFormController& operator=(const TMainFormController&) = delete;

    // ---- life ----
    // The creation sequence, once the host's window exists: caption and menus, the
    // document created and loaded from "DataFileName" (a load error is shown and false
    // returned: the remaining steps do not run and the program is to end), the
    // protection notice of a file that did not load completely, "AutoStart" taken from
    // the shortcut, settings followed from here on, the first run's placement in the
    // bottom-right quarter of the screen (or the stored placement), the tray icon, the
    // hotkeys, the starter text of an empty document, the system menu.
    bool Create();
    // Whether the window is to be shown when the message loop starts: always on a first
    // run, otherwise unless "ShowInTray" is on.
    bool ShowAtStart() const { return showAtStart_; }
    // The window goes: the autosave timer stops, both hotkeys are unregistered and the
    // tray icon removed; settings, language and document are no longer followed.
    void Destroy();

    TQuilloraDocument& Document() const { return *document_; }
    // The editor that shows the document (after Create).
    TEditForm* Editor() const { return editForm_.get(); }
    TSheet* Sheet() const { return sheet_.get(); }
    TSheet* LogSheet() const { return logSheet_.get(); }
    // The document changed since it was last saved.
    bool Modified() const { return modified_; }
    bool Initialized() const { return initialized_; }

    // ---- window events (the host calls these) ----
    // WM_HOTKEY of either hotkey.
    void HotKey(THotKeyId id);
    // A second instance asked this one to show itself.
    void ShowInstance();
    // The shell's task bar was (re)created: the icon is added again.
    void TaskbarCreated();
    // The left button went down on the tray icon at `time`.
    void TrayIconClick(uint32_t time);
    // The right button went up on the tray icon: its menu opens at the pointer.
    void TrayIconMenu();
    // The system menu's Close and Minimize commands; true when the controller handled
    // them (the window went to the tray), false for the standard handling.
    bool CloseCommand();
    bool MinimizeCommand();
    // The window lost the activation at `time`.
    void Deactivated(uint32_t time);
    // A key pressed in the window, before the focused control sees it: Escape hides to
    // the tray (with "ShowInTray" and "HideByEsc"), Ctrl+S saves, Ctrl+Z undoes, Ctrl+Y
    // and Ctrl+Shift+Z redo, then the editor's shortcuts (find, replace, ...). A key
    // acted on is consumed.
    void KeyDown(TKeyEvent& event);
    // A menu command (TMainFormCommand); false when it is not one of the controller's.
    bool Command(int command);
    // A timer of the host fired.
    void Timer(int id);
    // The window is asked to close: the placement is stored, a changed document saved
    // (a protected data file only on the user's word), the session file and, when
    // needed, the settings file written. False keeps the window open (the save failed
    // or the user cancelled).
    bool CloseQuery();
    // The user logs off or the system shuts down. Both save without asking anything,
    // since the system does not wait for an answer: a changed document is saved (a
    // data file that did not load completely is not overwritten: the changes go to a
    // file beside it, named at the next start), then the session and settings files
    // are written. The session end is never refused: QueryEndSession answers true, and
    // a CloseQuery while the session ends saves the same way and answers true.
    // EndSession(false) says the session goes on after all. After EndSession(true) the
    // process may end at any moment; the host need not close the window.
    bool QueryEndSession();
    void EndSession(bool ending);

    // ---- operations ----
    void ShowMainWindow();
    void HideToTray();
    void AddTrayIcon();
    void RemoveTrayIcon();
    void ShowBalloon(const String& text);
    // Greys the Close item when "ShowInTray" and "HideToTrayByMinimizeButton" are on.
    void UpdateSystemMenu();
    // Registers (or, for an empty text or with "ShowByHotKey" off, unregisters) the
    // show-window hotkey; the icon's tooltip follows.
    void RegisterMainHotKey(const String& text);
    void RegisterDropDownHotKey(const String& text);
    // The title, with the registered show-window shortcut in parentheses and, with a
    // registered drop-down hotkey, a second line "Press %1 in any editor.".
    String GetTrayTip() const;
    // The caption and the menus from the string table of the current language.
    void LocalizeMenus();
    // The handler on the settings root: applies a changed setting at once.
    void OnSettingsChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    // Saves the data file (refreshing the backup); the document then counts as
    // unchanged. Raises the save's error.
    void SaveData();
    void FileImport();
    void FileExport();
    void EditUndo();
    void EditRedo();

    // ---- state, for the host and for tests ----
    bool TrayIconShown() const { return trayIconShown_; }
    // The tooltip the icon was last given.
    const String& TrayTip() const { return trayTip_; }
    const String& HotKeyText() const { return hotKeyText_; }
    const String& DropDownHotKeyText() const { return dropDownHotKeyText_; }
    // The menu bar as last given to the host.
    const TMenu& MenuBar() const { return menuBar_; }
    TMenu TrayMenu() const;

private:
    TGeneralSettings& General() const;
    void DocumentChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void LanguageChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void UpdateMenuBar();
    void CreateEditor();
    void DestroyEditor();
    // The editor's part of the main window's node in the session file.
    void SaveEditorSession();
    void RefreshTrayIcon();
    // Registers `text` as hotkey `id` when `allowed`, else unregisters it; true when the
    // registered text changed (the tooltip with it).
    bool RegisterHotKeyText(const String& text, THotKeyId id, String& registered, bool allowed);
    void PlaceForFirstRun();
    void AutoSaveTimer();
    // Saves, telling the user about a failure; false when nothing was saved. A protected
    // data file is overwritten only when `mayAsk` and the user says so.
    bool TrySaveData(bool mayAsk);
    // Writes the session file and, when they changed, the settings.
    void SaveSessionAndSettings();
    void SaveForSessionEnd();
    // Saves the changes into a file of their own beside the data file.
    void SaveChangesAside();
    // Tells once about changes that the last session end saved aside.
    void TellChangesSavedAside();
    // The modal box of the message-box service, unless one is open already or the
    // session ends: then `whenBlocked` without a box.
    int ShowBox(const String& text, unsigned flags, int whenBlocked = idCancel);

    TGlobal& global_;
    TMainFormHost& host_;
    TFormPlace formPlace_;
    std::unique_ptr<TQuilloraDocument> document_;
    std::unique_ptr<TSheetSettingsTheme> look_;
    std::unique_ptr<TSheet> sheet_;
    std::unique_ptr<TSheet> logSheet_;
    std::unique_ptr<TEditForm> editForm_;
    // The Help menu's web pages and update check.
    std::unique_ptr<TWebSupport> web_;
    TMenu menuBar_;
    bool menuBarSet_ = false;
    bool initialized_ = false;
    bool destroyed_ = false;
    bool settingsSubscribed_ = false;
    bool languageSubscribed_ = false;
    bool showAtStart_ = false;
    bool firstRun_ = false;
    bool modified_ = false;
    bool trayIconShown_ = false;
    bool balloonShown_ = false;
    bool protectionTold_ = false;
    // The error of a failing autosave was shown in this run of failures.
    bool saveFailureTold_ = false;
    bool boxOpen_ = false;
    bool sessionEnding_ = false;
    bool deactivated_ = false;
    uint32_t deactivatedAt_ = 0;
    String hotKeyText_;
    String dropDownHotKeyText_;
    String trayTip_;
    // Where this run's session end saved the changes that the data file could not take.
    String changesAsideFile_;
};

} // namespace quillora
