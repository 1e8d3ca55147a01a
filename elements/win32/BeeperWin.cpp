// The default beep of the system (MessageBeep with MB_OK).
#include "foundation/win32/WinInclude.h"

#include "elements/EditCommands.h"

namespace quillora {

namespace {
class TWinBeeper : public TBeeper {
public:
    void Beep() override { MessageBeep(MB_OK); }
};
} // namespace

TBeeper& DefaultBeeper()
{
    static TWinBeeper beeper;
    return beeper;
}

} // namespace quillora
