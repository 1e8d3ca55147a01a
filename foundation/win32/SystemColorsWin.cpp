// System colours of the running system (GetSysColor).
#include "foundation/win32/SystemColorsWin.h"

#include "foundation/win32/WinInclude.h"

namespace quillora {

TColor TWinSystemColors::SystemColor(int index) const
{
    return static_cast<TColor>(GetSysColor(index)) & 0x00FFFFFF;
}

} // namespace quillora
