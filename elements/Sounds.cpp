#include "elements/Sounds.h"

#include "foundation/Service.h"

namespace quillora {

TSoundsSettings::TSoundsSettings(TProperty* owner)
    : TProperty(owner, u"Sounds"), enabled_(new TBooleanProperty(this, u"Enabled", true))
{
}

TSoundsSettings& SoundsSettings()
{
    static TSoundsSettings group;
    return group;
}

void PlaySchemeSound(const String& name)
{
    if (SoundsSettings().Enabled().Value()) Service<TSoundPlayer>().PlayResourceSound(name);
}

} // namespace quillora
