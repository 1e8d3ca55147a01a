#pragma once
// Sound feedback of the editor: short wave sounds, played by name when the "Sounds"
// settings allow it. The platform plays them behind TSoundPlayer.

#include "foundation/Props.h"
#include "foundation/Strings.h"

namespace quillora {

// Names of the element model's sounds (wave resources).
inline constexpr const char16_t* ItemSoundName = u"diClassesItemSound";
inline constexpr const char16_t* ElementSoundName = u"diClassesElementSound";
inline constexpr const char16_t* DisableSoundName = u"diClassesDisableSound";

class TSoundPlayer {
public:
    virtual ~TSoundPlayer() = default;
    // Starts the wave resource `name` asynchronously, without the system's default
    // sound when it is missing and without interrupting a sound that is playing.
    // A missing resource plays nothing.
    virtual void PlayResourceSound(const String& name) = 0;
};

// The settings group "Sounds": whether sounds play. It is never attached to the
// settings tree, so it is not stored and starts switched on in every run.
class TSoundsSettings : public TProperty {
public:
    explicit TSoundsSettings(TProperty* owner = nullptr);

    TBooleanProperty& Enabled() const { return *enabled_; }

private:
    TBooleanProperty* enabled_;
};

// The module's group, created on first use.
TSoundsSettings& SoundsSettings();

// The process-wide player: the platform's, unless a test set another one.
TSoundPlayer& SoundPlayer();
// Substitutes the player (null restores the platform's); the caller keeps it alive.
void SetSoundPlayer(TSoundPlayer* player);
// The platform's player (defined by the build: Win32 or a silent one).
TSoundPlayer& DefaultSoundPlayer();

// Plays `name` when the "Enabled" key of the "Sounds" settings is on.
void PlaySchemeSound(const String& name);

} // namespace quillora
