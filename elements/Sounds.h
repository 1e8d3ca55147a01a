#pragma once
// Sound feedback of the editor: short wave sounds, played by name when the "Sounds"
// settings allow it. The platform plays them behind TSoundPlayer, provided as
// Service<TSoundPlayer>() (foundation/Service.h).

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

// Plays nothing (platforms without the program's wave resources).
class TSilentSoundPlayer : public TSoundPlayer {
public:
    void PlayResourceSound(const String&) override {}
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

// Plays `name` when the "Enabled" key of the "Sounds" settings is on.
void PlaySchemeSound(const String& name);

} // namespace quillora
