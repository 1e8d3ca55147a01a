#pragma once
// TAppMainForm: the main window of the resident program. It owns the snippet document,
// lives in the notification area when hidden, owns the two global hotkeys (show the
// window; open the drop-down list in any program), saves the data file ten seconds
// after the last change and applies changed settings at once.
#include "foundation/win32/WinInclude.h"

#include <memory>

#include "foundation/FormPlace.h"
#include "foundation/Node.h"
#include "foundation/Strings.h"
#include "foundation/win32/Window.h"
#include "foundation/win32/WindowPlacementForm.h"

namespace quillora {

class TDropDownForm;
class TGlobal;
class TQuilloraDocument;

// Menu and action identifiers.
enum TMainCommand : UINT {
    cmFileImport = 101,
    cmFileExport = 102,
    cmFileExit = 103,
    cmEditUndo = 110,
    cmEditRedo = 111,
    cmTrayShow = 120,
};

class TAppMainForm : public TWindow {
public:
    explicit TAppMainForm(TGlobal& global);
    ~TAppMainForm() override;
    TAppMainForm(const TAppMainForm&) = delete;
    TAppMainForm& operator=(const TAppMainForm&) = delete;

    // The creation sequence: window, document loaded from "DataFileName", hotkeys and
    // tray icon; `show` tells whether the window is to be shown when the loop starts.
    // False when the window could not be made or the data file could not be read (the
    // user was told).
    bool Create(HINSTANCE instance, bool& show);
    TQuilloraDocument& Document() const { return *document_; }
    void SetDropDownForm(TDropDownForm* form) { dropDown_ = form; }

    // Keys seen before the focused control (Escape hides, Ctrl+S saves); true when
    // consumed.
    bool PreviewKey(const MSG& msg);

    void ShowMainWindow();
    void HideToTray();
    // Saves the data file (with the backup), then the document counts as unchanged.
    // Raises the save's error.
    void SaveData();
    bool Modified() const { return modified_; }
    const String& TrayTip() const { return trayTip_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:

    void CreateMenus();
    void LocalizeMenus();
    String GetTrayTip() const;
    void AddTrayIcon();
    void RemoveTrayIcon();
    void RefreshTrayIcon();
    void ShowBalloon(const String& text);
    void UpdateSystemMenu();
    bool RegisterHotKeyText(const String& text, ATOM id, String& registered, bool allowed);
    void RegisterMainHotKey(const String& text);
    void RegisterDropDownHotKey(const String& text);
    void TrayCallback(LPARAM lParam);
    void AutoSaveTimer();
    void DocumentChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void SettingsChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    bool CloseQuery();
    void FileImport();
    void FileExport();
    void RefreshSnippetList();
    // Saves, telling the user about a failure; false when the save failed.
    bool TrySaveData(bool fromAutosave);

    TGlobal& global_;
    TWindowPlacementForm placementForm_;
    std::unique_ptr<TFormPlace> formPlace_;
    std::unique_ptr<TQuilloraDocument> document_;
    TDropDownForm* dropDown_ = nullptr;
    HWND list_ = nullptr;
    HMENU menu_ = nullptr;
    HMENU trayMenu_ = nullptr;
    HFONT font_ = nullptr;
    UINT taskbarCreatedMessage_ = 0;
    bool initialized_ = false;
    bool modified_ = false;
    bool trayIconShown_ = false;
    bool balloonShown_ = false;
    bool firstRun_ = false;
    bool protectionTold_ = false;
    String hotKeyText_;
    String dropDownHotKeyText_;
    String trayTip_;
    DWORD deactivatedAt_ = 0;
};

} // namespace quillora
