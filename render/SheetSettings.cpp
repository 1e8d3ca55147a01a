#include "render/SheetSettings.h"

namespace quillora {

namespace {
std::vector<String> FontSizeEntries()
{
    return {u"", u"Large", u"Great"};
}
} // namespace

TSheetSettings::TSheetSettings(TProperty* owner, const TSettingsPlatform& platform)
    : TProperty(owner, u"Sheet"),
      theme_(new TStringProperty(this, u"Theme", u"Default")),
      fontSize_(new TEnumProperty(this, u"FontSize", FontSizeEntries())),
      nonPrintingCharacters_(new TBooleanProperty(this, u"NonPrintingCharacters", false)),
      caretSize_(new TIntegerProperty(this, u"CaretSize", platform.BorderWidth(), 1, 20)),
      focusNew_(new TBooleanProperty(this, u"FocusNew", false)),
      dropDownOnFocusNew_(new TBooleanProperty(this, u"DropDownOnFocusNew", true)),
      increaseWorkspaceHeight_(new TBooleanProperty(this, u"IncreaseWorkspaceHeight", false))
{
}

TPrintSettings::TPrintSettings(TProperty* owner)
    : TProperty(owner, u"Print"),
      theme_(new TStringProperty(this, u"Theme", u"Default")),
      fontSize_(new TEnumProperty(this, u"FontSize", FontSizeEntries())),
      scale_(new TIntegerProperty(this, u"Scale", 50, 1, 500))
{
}

} // namespace quillora
