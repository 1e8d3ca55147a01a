#pragma once
// Wave resources of the executable played from memory with PlaySoundW.

#include "elements/Sounds.h"

namespace quillora {

class TWinSoundPlayer : public TSoundPlayer {
public:
    void PlayResourceSound(const String& name) override;
};

} // namespace quillora
