#pragma once
// The menus of the main window as data, captioned from the string table of the current
// language: built anew whenever the language or the state of a command changes.

#include "foundation/ViewHost.h"

namespace quillora {

// The commands of the main window's menus.
enum TMainFormCommand : int {
    mcFileImport = 101,
    mcFileExport = 102,
    mcFileExit = 103,
    mcEditUndo = 110,
    mcEditRedo = 111,
    mcTrayShow = 120,
};

// File (Import, Export, Exit) and Edit (Undo with Ctrl+Z, Redo with Ctrl+Y; each
// enabled only when there is something to undo or redo).
TMenu BuildMainMenu(bool canUndo, bool canRedo);
// The tray icon's menu: the title (the default item, shows the window), Exit.
TMenu BuildTrayMenu();

} // namespace quillora
