#include "foundation/win32/PopupMenuWin.h"

#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {
void AppendItems(HMENU target, const TMenu& menu)
{
    for (const TMenuItem& item : menu) {
        if (!item.Visible) continue;
        MENUITEMINFOW info {};
        info.cbSize = sizeof(info);
        if (item.IsSeparator()) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
            InsertMenuItemW(target, GetMenuItemCount(target), TRUE, &info);
            continue;
        }
        String text = item.Caption;
        if (!item.ShortCut.empty()) text += u'\t' + item.ShortCut;
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE;
        info.fType = MFT_STRING;
        info.dwTypeData = const_cast<wchar_t*>(WidePtr(text));
        info.wID = static_cast<UINT>(item.Command);
        info.fState = (item.Enabled ? MFS_ENABLED : MFS_GRAYED) | (item.Checked ? MFS_CHECKED : 0u) |
                      (item.Default ? MFS_DEFAULT : 0u);
        if (!item.Items.empty()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = BuildPopupMenu(item.Items);
        }
        InsertMenuItemW(target, GetMenuItemCount(target), TRUE, &info);
    }
}
} // namespace

HMENU BuildPopupMenu(const TMenu& menu)
{
    HMENU popup = CreatePopupMenu();
    if (popup) AppendItems(popup, menu);
    return popup;
}

HMENU BuildMenuBar(const TMenu& menu)
{
    HMENU bar = CreateMenu();
    if (bar) AppendItems(bar, menu);
    return bar;
}

int TrackMenu(HWND owner, const TMenu& menu, TPoint screenPoint)
{
    HMENU popup = BuildPopupMenu(menu);
    if (!popup) return 0;
    int command = static_cast<int>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screenPoint.X,
                                                  screenPoint.Y, 0, owner, nullptr));
    DestroyMenu(popup);
    return command;
}

} // namespace quillora
