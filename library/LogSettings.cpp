#include "library/LogSettings.h"

namespace quillora {

TLogSettings::TLogSettings(TProperty* owner)
    : TProperty(owner, u"Log"),
      writeInformation_(new TBooleanProperty(this, u"WriteInformation", true)),
      writeHints_(new TBooleanProperty(this, u"WriteHints", true)),
      writeWarnings_(new TBooleanProperty(this, u"WriteWarnings", true))
{
}

} // namespace quillora
