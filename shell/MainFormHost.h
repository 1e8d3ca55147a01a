#pragma once
// TMainFormHost: what the main window's rules (TMainFormController) ask of the real
// window that carries them out. The controller decides; the host only does what it is
// told and answers questions about the window's state. Nothing here is a platform
// handle: menus are data, keys are the core's key codes, times are milliseconds of the
// platform's message clock.
//
// The Windows form implements it over its window, the notification area, the hotkey
// registration, the Startup folder and the common file dialogs; tests use a recording
// fake. Message boxes are not part of it: the controller shows them through the
// message-box service (ShowMessageBox), sounds through the sound player.

#include <cstdint>
#include <functional>

#include "foundation/FormPlacement.h"
#include "foundation/Geometry.h"
#include "foundation/Input.h"
#include "foundation/Strings.h"
#include "foundation/ViewHost.h"

namespace quillora {

class TEditForm;
class TFindDialogs;
class TSheet;

// The two system-wide hotkeys; the host maps them to its own identifiers (Windows: the
// global atoms of the process).
enum THotKeyId : int {
    hkMain = 1,     // shows the main window
    hkDropDown = 2, // opens the drop-down list in any program
};

class TMainFormHost {
public:
    virtual ~TMainFormHost() = default;

    // ---- the window ----
    // The title bar's text.
    virtual void SetCaption(const String& caption) = 0;
    // Replaces the menu bar with `menu` (its items are the top-level submenus). Called
    // only when something in it changed. A hidden item is left out; an item runs its
    // Command through TMainFormController::Command.
    virtual void SetMenuBar(const TMenu& menu) = 0;
    // Restores the window when it is minimized, shows it and brings it to the front
    // (the program becomes the foreground application).
    virtual void ShowWindow() = 0;
    virtual void HideWindow() = 0;
    virtual bool WindowVisible() const = 0;
    virtual bool WindowMinimized() const = 0;
    // A modal dialog of the program is open over the window (it does not take input).
    virtual bool ModalDialogOpen() const = 0;
    // Asks the window to close as the user's close would: the host then calls
    // TMainFormController::CloseQuery and destroys the window when it answers true
    // (which ends the program).
    virtual void CloseWindow() = 0;
    // Enables or greys the Close item of the window's system menu (and of the
    // application's, where the platform has one).
    virtual void SetCloseItemEnabled(bool enabled) = 0;
    // The window as the placement logic sees it (position, size, maximized); the
    // controller stores and restores it through the session file.
    virtual TPlacementForm& PlacementForm() = 0;
    // The size of the primary screen (Right and Bottom; Left and Top are 0) and its
    // work area (without the task bar), in pixels.
    virtual TRect ScreenRect() const = 0;
    virtual TRect WorkArea() const = 0;

    // ---- the editor ----
    // Shows `editor`'s document view in the window's client area, in a scrolling
    // viewport that gets the keyboard focus (none: takes the view out, before the editor
    // goes). `sheet` is the sheet the view shows; its canvas draws the pop-ups of
    // element lists.
    virtual void ShowEditor(TEditForm* editor, TSheet* sheet) = 0;
    // The platform's find and replace dialogs, owned by the window.
    virtual TFindDialogs& FindDialogs() = 0;

    // ---- global hotkeys ----
    // Registers the hotkey `id` for the key `key` with the modifiers of ShortCutToHotKey
    // (ModShift, ModControl, ModAlt). False when the platform refuses (another program
    // holds the combination); the controller then says nothing.
    virtual bool RegisterHotKey(THotKeyId id, unsigned modifiers, TKeyCode key) = 0;
    virtual void UnregisterHotKey(THotKeyId id) = 0;

    // ---- the icon in the notification area ----
    // Adds the icon with the tooltip `tip` (the host cuts a tip too long for the
    // platform; lines are separated by CR LF); true when it was added. A click or a
    // right click on it reaches TMainFormController::TrayIconClick / TrayIconMenu.
    virtual bool AddTrayIcon(const String& tip) = 0;
    virtual void RemoveTrayIcon() = 0;
    // An information balloon at the icon (about five seconds).
    virtual void ShowBalloon(const String& title, const String& text) = 0;
    // Opens `menu` at the pointer, in front of other windows, and waits for the choice:
    // the command of the chosen item, 0 when none was chosen.
    virtual int ShowTrayMenu(const TMenu& menu) = 0;

    // ---- starting with the system ----
    // Whether the program's shortcut is in the user's Startup folder.
    virtual bool AutoStartShortcutExists() const = 0;
    // Creates (true) or deletes (false) that shortcut; a failure is not reported.
    virtual void SetAutoStartShortcut(bool present) = 0;

    // ---- file dialogs (one filter: the data file's extension "tpt", and all files) ----
    // The open dialog; the file must exist. `fileName` is the initial name and, when the
    // user confirmed, the chosen path. False when cancelled.
    virtual bool AskOpenFileName(String& fileName) = 0;
    // The save dialog, with "tpt" as default extension and a prompt before overwriting.
    virtual bool AskSaveFileName(String& fileName) = 0;

    // ---- the settings dialog ----
    // Shows the settings dialog modally over the window; its changes reach the settings
    // root (and TMainFormController::OnSettingsChanged) while it is open. Its "Get More
    // Themes" button calls `getMoreThemes`.
    virtual void ShowSettingsDialog(std::function<void()> getMoreThemes) = 0;

    // ---- the drop-down list ----
    virtual bool DropDownVisible() const = 0;
    // Opens the list below the caret of the program in front.
    virtual void ShowDropDown() = 0;

    // ---- timers (TMainFormController::Timer gets the id) ----
    // Starts the timer `id`, or restarts it when it runs, so that it fires
    // `milliseconds` from now and then every `milliseconds` until StopTimer.
    virtual void StartTimer(int id, unsigned milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
};

} // namespace quillora
