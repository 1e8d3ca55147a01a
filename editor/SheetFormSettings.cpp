#include "editor/SheetFormSettings.h"

namespace quillora {

TSheetFormSettings::TSheetFormSettings(TProperty* owner)
    : TProperty(owner, u"SheetForm"), showHints_(new TBooleanProperty(this, u"ShowHints", true))
{
}

TPaletteFormSettings::TPaletteFormSettings(TProperty* owner)
    : TProperty(owner, u"PaletteForm"),
      showHeaders_(new TBooleanProperty(this, u"ShowHeaders", true)),
      showCaptions_(new TBooleanProperty(this, u"ShowCaptions", true)),
      showHints_(new TBooleanProperty(this, u"ShowHints", true))
{
}

} // namespace quillora
