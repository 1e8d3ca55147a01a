#include "shell/MainMenus.h"

#include "foundation/Localization.h"
#include "foundation/ShortCut.h"
#include "foundation/StringIds.h"

namespace quillora {

TMenu BuildMainMenu(const TEditForm& editor)
{
    return {
        TMenuItem::Submenu(LoadString(sidFileMenu), {TMenuItem::Item(mcFileImport, LoadString(sidImport)),
                                                     TMenuItem::Item(mcFileExport, LoadString(sidExport)),
                                                     TMenuItem::Separator(),
                                                     TMenuItem::Item(mcFileExit, LoadString(sidExit))}),
        editor.EditMenu(),
        editor.ViewMenu(),
        TMenuItem::Submenu(LoadString(sidServiceMenu), {TMenuItem::Item(mcToolsSettings, LoadString(sidSettingsItem))}),
        BuildHelpMenu(),
    };
}

TMenuItem BuildHelpMenu()
{
    TMenuItem onlineHelp = TMenuItem::Item(mcHelpOnlineHelp, LoadString(sidOnlineHelp));
    onlineHelp.ShortCut = u"F1";
    return TMenuItem::Submenu(LoadString(sidHelpMenu), {onlineHelp,
                                                        TMenuItem::Separator(),
                                                        TMenuItem::Item(mcHelpCheckUpdates, LoadString(sidCheckForUpdates)),
                                                        TMenuItem::Item(mcHelpProgramPage, LoadString(sidProgramHomePage)),
                                                        TMenuItem::Item(mcHelpForum, LoadString(sidProgramForum)),
                                                        TMenuItem::Item(mcHelpSendMessage, LoadString(sidContactDevelopers)),
                                                        TMenuItem::Separator(),
                                                        TMenuItem::Item(mcHelpAbout, LoadString(sidAboutItem))});
}

TMenu BuildTrayMenu()
{
    TMenuItem show = TMenuItem::Item(mcTrayShow, LoadString(TitleStringId));
    show.Default = true;
    return {show, TMenuItem::Separator(), TMenuItem::Item(mcFileExit, LoadString(sidExit))};
}

} // namespace quillora
