// Outside Windows the editor plays no sounds; the switch still decides whether it tries.
#ifndef _WIN32

#include "elements/Sounds.h"

namespace quillora {

namespace {
class TSilentSoundPlayer : public TSoundPlayer {
public:
    void PlayResourceSound(const String&) override {}
};
} // namespace

TSoundPlayer& DefaultSoundPlayer()
{
    static TSilentSoundPlayer player;
    return player;
}

} // namespace quillora

#endif
