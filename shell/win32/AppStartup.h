#pragma once
// Process-wide values of the program, the single-instance handshake and the folders
// where the program keeps its files.
#include "foundation/win32/WinInclude.h"

#include "foundation/Strings.h"
#include "shell/Global.h"

namespace quillora {

// The message a second instance posts to the first one's main window.
constexpr UINT WM_SHOWINSTANCE = WM_USER + 2;
// The tray icon's callback message.
constexpr UINT WM_TRAYICON = WM_USER + 1;

struct TProcessValues {
    String ExeBaseName;
    ATOM HotKeyAtom = 0;
    ATOM DropDownHotKeyAtom = 0;
    UINT FocusedWindowMessage = 0;
};

// Created on first use (module initialization): the base name, both hotkey atoms and
// the focused-window message. FinalizeProcessValues deletes the atoms.
TProcessValues& ProcessValues();
void FinalizeProcessValues();
// Registers the program's own mouse cursors under their screen cursor numbers: the
// text cursors 10 to 17 and the expand button's 2.
void LoadProgramCursors();

// Creates the single-instance mutex named after the program. When another instance
// holds it, asks that instance's main window (class "TAppMainForm", the title in the
// current language) to show itself and returns true.
bool IsAnotherInstanceRunning();
// Two mutexes that tell other processes that the program runs: `name` and
// "Global\" + `name`, with access for everyone, kept open until the process ends.
void CreateAnnouncementMutexes(const String& name);

// "CompanyName" and "ProductName" of the executable's version information (the first
// translation); empty when missing.
void ReadVersionNames(String& companyName, String& productName);
// One value of the executable's version information ("ProductVersion", ...), from the
// first translation; empty when missing.
String ReadVersionValue(const String& name);
// The program's file names: settings and session in the local application-data folder
// + company + product, the data file and its backup in the documents folder + product;
// the executable's folder wherever a name or folder is missing.
TFilePaths SetupFilePaths();

// The autostart shortcut: the user's Startup folder + ExeBaseName + ".lnk".
String GetStartupFolder();
String GetStartupShortcutPath();
bool CreateShortcut(const String& target, const String& linkFile, const String& arguments, const String& description);
// Creates or deletes the shortcut so that its existence matches `autoStart`.
void ApplyAutoStart(bool autoStart);

} // namespace quillora
