// The default beep of the system (MessageBeep with MB_OK).
#include "elements/win32/BeeperWin.h"

#include "foundation/win32/WinInclude.h"

namespace quillora {

void TWinBeeper::Beep()
{
    MessageBeep(MB_OK);
}

} // namespace quillora
