#pragma once
// Menus given as data (TMenu) made into Windows menus.
#include "foundation/win32/WinInclude.h"

#include "foundation/Geometry.h"
#include "foundation/ViewHost.h"

namespace quillora {

// A popup menu with the visible items of `menu` (submenus included); the shortcut text
// stands right of the caption. The caller destroys it (DestroyMenu).
HMENU BuildPopupMenu(const TMenu& menu);
// A window's menu bar with the visible items of `menu` (its top-level items are the
// bar's entries, as a rule submenus). The window destroys it with itself; a bar that is
// replaced (SetMenu) is destroyed by the caller.
HMENU BuildMenuBar(const TMenu& menu);

// Opens `menu` at `screenPoint` for `owner` and waits for the choice: the command of
// the chosen item, 0 when none was chosen.
int TrackMenu(HWND owner, const TMenu& menu, TPoint screenPoint);

} // namespace quillora
