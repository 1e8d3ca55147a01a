#pragma once
// The default beep of the system (MessageBeep with MB_OK).

#include "elements/EditCommands.h"

namespace quillora {

class TWinBeeper : public TBeeper {
public:
    void Beep() override;
};

} // namespace quillora
