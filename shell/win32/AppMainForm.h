#pragma once
// TAppMainForm: the main window of the resident program on Windows. The window's rules
// live in TMainFormController; this form is their host (the window, the menus built from
// their data, the notification area, the hotkeys, the Startup folder, the file dialogs,
// timers, the viewport of the editor that fills the client area, the find and replace
// dialogs) and hands them the window's messages.
#include "foundation/win32/WinInclude.h"

#include <memory>

#include "foundation/win32/Window.h"
#include "foundation/win32/WindowPlacementForm.h"
#include "shell/MainFormController.h"
#include "shell/MainFormHost.h"

namespace quillora {

class TDropDownForm;
class TFindDialogsWin;
class TGlobal;
class TLogButtonWindow;
class TPaletteWindow;
class TLogSplitterWindow;
class TRangeBoxWindow;

class TAppMainForm : public TWindow, public TMainFormHost {
public:
    // `global` outlives the form.
    explicit TAppMainForm(TGlobal& global);
    ~TAppMainForm() override;
    TAppMainForm(const TAppMainForm&) = delete;
    TAppMainForm& operator=(const TAppMainForm&) = delete;

    // Makes the window (after the announcement mutexes and the task bar's message) and
    // runs the controller's creation sequence. False when the window could not be made
    // or the data file could not be read (the user was told): the program ends.
    bool Create(HINSTANCE instance);
    TMainFormController& Controller() { return controller_; }
    // The drop-down list that the drop-down hotkey opens; none until it exists. Not owned.
    void SetDropDownForm(TDropDownForm* form) { dropDown_ = form; }

    // Key preview: a message of the message loop before it is dispatched. A key pressed
    // in this window or one of its children goes to the controller first; true when it
    // was consumed (it is then not dispatched).
    bool PreviewKey(const MSG& msg);
    // For the message loop: a message of the modeless find and replace dialogs, handled
    // by them (true) so that Tab and Enter work there.
    bool DialogMessage(MSG& msg);

    // ---- TMainFormHost ----
    void SetCaption(const String& caption) override;
    void SetMenuBar(const TMenu& menu) override;
    void ShowWindow() override;
    void HideWindow() override;
    bool WindowVisible() const override;
    bool WindowMinimized() const override;
    bool ModalDialogOpen() const override;
    void CloseWindow() override;
    void SetCloseItemEnabled(bool enabled) override;
    TPlacementForm& PlacementForm() override { return placementForm_; }
    TRect ScreenRect() const override;
    TRect WorkArea() const override;
    void ShowEditor(TEditForm* editor, TSheet* sheet) override;
    TFindDialogs& FindDialogs() override;
    bool RegisterHotKey(THotKeyId id, unsigned modifiers, TKeyCode key) override;
    void UnregisterHotKey(THotKeyId id) override;
    bool AddTrayIcon(const String& tip) override;
    void RemoveTrayIcon() override;
    void ShowBalloon(const String& title, const String& text) override;
    int ShowTrayMenu(const TMenu& menu) override;
    bool AutoStartShortcutExists() const override;
    void SetAutoStartShortcut(bool present) override;
    bool AskOpenFileName(String& fileName) override;
    bool AskSaveFileName(String& fileName) override;
    void ShowSettingsDialog(std::function<void()> getMoreThemes) override;
    bool DropDownVisible() const override;
    void ShowDropDown() override;
    // Of both hosts: the window's timers.
    void StartTimer(int id, unsigned milliseconds) override;
    void StopTimer(int id) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Timer(int id) override;
    void Resized(int width, int height) override;
    void FocusChanged(bool focused) override;

private:
    void CreateViewport();
    // Places the document's viewport and the log panel's windows as the editor's log
    // panel says, showing or hiding the panel.
    void LayoutEditor();
    static ATOM HotKeyAtom(THotKeyId id);

    TGlobal& global_;
    // Before the controller: it keeps a reference to the placement form.
    TWindowPlacementForm placementForm_;
    TMainFormController controller_;
    TDropDownForm* dropDown_ = nullptr;
    UINT taskbarCreatedMessage_ = 0;
    UINT snippetCountMessage_ = 0;
    UINT menuCaptionMessage_ = 0;
    std::unique_ptr<TFindDialogsWin> findDialogs_;
    // The scrolling viewport that shows the editor's document view.
    std::unique_ptr<TRangeBoxWindow> viewport_;
    // The log panel: the log's viewport, the splitter above it and the close button.
    std::unique_ptr<TRangeBoxWindow> logViewport_;
    std::unique_ptr<TLogSplitterWindow> splitter_;
    std::unique_ptr<TLogButtonWindow> logButton_;
    // The palette above the document, made for the editor shown.
    std::unique_ptr<TPaletteWindow> palette_;
    TEditForm* editor_ = nullptr;
};

} // namespace quillora
