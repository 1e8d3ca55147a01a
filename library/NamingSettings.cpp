#include "library/NamingSettings.h"

namespace quillora {

TNamingSettings::TNamingSettings(TProperty* owner)
    : TProperty(owner, u"Naming"),
      fillEnabled_(new TBooleanProperty(this, u"FillEnabled", true)),
      fillMode_(new TEnumProperty(this, u"FillMode", {u"", u"Upper", u"Lower", u"Extra"})),
      fillNumberFirst_(new TBooleanProperty(this, u"FillNumberFirst", true)),
      fillUnderscore_(new TBooleanProperty(this, u"FillUnderscore", false)),
      fillDigits_(new TIntegerProperty(this, u"FillDigits", 1, 1, 12))
{
}

} // namespace quillora
