#include "elements/Sounds.h"

#include "shell/Settings.h"

namespace quillora {

namespace {
TSoundPlayer* substitutePlayer = nullptr;
} // namespace

TSoundPlayer& SoundPlayer() { return substitutePlayer ? *substitutePlayer : DefaultSoundPlayer(); }

void SetSoundPlayer(TSoundPlayer* player) { substitutePlayer = player; }

void PlaySchemeSound(const String& name)
{
    if (ModuleSettings().Sounds().Enabled().Value()) SoundPlayer().PlayResourceSound(name);
}

} // namespace quillora
