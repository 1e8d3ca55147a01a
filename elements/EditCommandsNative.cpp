// Outside Windows there is no system beep to sound.
#ifndef _WIN32

#include "elements/EditCommands.h"

namespace quillora {

namespace {
class TSilentBeeper : public TBeeper {
public:
    void Beep() override {}
};
} // namespace

TBeeper& DefaultBeeper()
{
    static TSilentBeeper beeper;
    return beeper;
}

} // namespace quillora

#endif
