// Key names of the keyboard layout for keys without a fixed name.
#include "foundation/win32/ShortCutWin.h"

#include "foundation/Input.h"
#include "foundation/ShortCut.h"
#include "foundation/win32/WinInclude.h"

namespace quillora {

// Hotkeys are registered with the modifiers and key codes of the shortcut texts as they stand.
static_assert(ModAlt == MOD_ALT && ModControl == MOD_CONTROL && ModShift == MOD_SHIFT);
static_assert(kcBack == VK_BACK && kcTab == VK_TAB && kcReturn == VK_RETURN && kcEscape == VK_ESCAPE &&
              kcSpace == VK_SPACE && kcPrior == VK_PRIOR && kcNext == VK_NEXT && kcEnd == VK_END &&
              kcHome == VK_HOME && kcLeft == VK_LEFT && kcUp == VK_UP && kcRight == VK_RIGHT && kcDown == VK_DOWN &&
              kcInsert == VK_INSERT && kcDelete == VK_DELETE && kcF1 == VK_F1 && kcF24 == VK_F24);

String TWinKeyNames::KeyName(int keyCode) const
{
    UINT scan = MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC);
    if (!scan) return {};
    wchar_t buffer[64] {};
    int n = GetKeyNameTextW(static_cast<LONG>(scan << 16), buffer, 64);
    return n > 0 ? String(reinterpret_cast<const Char*>(buffer), static_cast<size_t>(n)) : String();
}

} // namespace quillora
