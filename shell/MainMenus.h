#pragma once
// The menus of the main window as data, captioned from the string table of the current
// language: built anew whenever the language or the state of a command changes.

#include "editor/EditForm.h"
#include "editor/SheetView.h"
#include "foundation/ViewHost.h"

namespace quillora {

// The commands of the main window's menus.
enum TMainFormCommand : int {
    mcFileImport = 101,
    mcFileExport = 102,
    mcFileExit = 103,
    mcToolsSettings = 110,
    // The editor's own commands, for the menu items bound to them.
    mcEditUndo = scmUndo,
    mcEditRedo = scmRedo,
    mcTrayShow = 120,
    // The Help menu.
    mcHelpOnlineHelp = 111,
    mcHelpCheckUpdates = 112,
    mcHelpProgramPage = 113,
    mcHelpForum = 114,
    mcHelpSendMessage = 115,
    mcHelpAbout = 116,
};

// File (Import, Export, Exit), then the editor's Edit and View menus with their states,
// then Service (Settings), then Help.
TMenu BuildMainMenu(const TEditForm& editor);
// Online Help, Check for Updates, the program's pages, About.
TMenuItem BuildHelpMenu();
// The tray icon's menu: the title (the default item, shows the window), Exit.
TMenu BuildTrayMenu();

} // namespace quillora
