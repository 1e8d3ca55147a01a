#include "elements/Sounds.h"

namespace quillora {

namespace {
TSoundPlayer* substitutePlayer = nullptr;
} // namespace

TSoundsSettings::TSoundsSettings(TProperty* owner)
    : TProperty(owner, u"Sounds"), enabled_(new TBooleanProperty(this, u"Enabled", true))
{
}

TSoundsSettings& SoundsSettings()
{
    static TSoundsSettings group;
    return group;
}

TSoundPlayer& SoundPlayer() { return substitutePlayer ? *substitutePlayer : DefaultSoundPlayer(); }

void SetSoundPlayer(TSoundPlayer* player) { substitutePlayer = player; }

void PlaySchemeSound(const String& name)
{
    if (SoundsSettings().Enabled().Value()) SoundPlayer().PlayResourceSound(name);
}

} // namespace quillora
