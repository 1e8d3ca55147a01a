// Key names of the keyboard layout for keys without a fixed name.
#include "foundation/win32/ShortCutWin.h"

#include "foundation/win32/WinInclude.h"

namespace quillora {

String TWinKeyNames::KeyName(int keyCode) const
{
    UINT scan = MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC);
    if (!scan) return {};
    wchar_t buffer[64] {};
    int n = GetKeyNameTextW(static_cast<LONG>(scan << 16), buffer, 64);
    return n > 0 ? String(reinterpret_cast<const Char*>(buffer), static_cast<size_t>(n)) : String();
}

} // namespace quillora
