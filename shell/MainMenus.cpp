#include "shell/MainMenus.h"

#include "foundation/Localization.h"
#include "foundation/ShortCut.h"
#include "foundation/StringIds.h"

namespace quillora {

TMenu BuildMainMenu(bool canUndo, bool canRedo)
{
    TMenuItem undo = TMenuItem::Item(mcEditUndo, LoadString(sidUndo), HotKeyToShortCut(ModControl, kcZ));
    undo.Enabled = canUndo;
    TMenuItem redo = TMenuItem::Item(mcEditRedo, LoadString(sidRedo), HotKeyToShortCut(ModControl, kcY));
    redo.Enabled = canRedo;
    return {
        TMenuItem::Submenu(LoadString(sidFileMenu), {TMenuItem::Item(mcFileImport, LoadString(sidImport)),
                                                     TMenuItem::Item(mcFileExport, LoadString(sidExport)),
                                                     TMenuItem::Separator(),
                                                     TMenuItem::Item(mcFileExit, LoadString(sidExit))}),
        TMenuItem::Submenu(LoadString(sidEditMenu), {undo, redo}),
    };
}

TMenu BuildTrayMenu()
{
    TMenuItem show = TMenuItem::Item(mcTrayShow, LoadString(TitleStringId));
    show.Default = true;
    return {show, TMenuItem::Separator(), TMenuItem::Item(mcFileExit, LoadString(sidExit))};
}

} // namespace quillora
