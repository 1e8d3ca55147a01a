#include "shell/Settings.h"

#include "foundation/Localization.h"

namespace quillora {

// ---- TGeneralSettings ----

TGeneralSettings::TGeneralSettings(TProperty* owner, const TSettingsPlatform& platform)
    : TProperty(owner, u"General"),
      language_(new TStringProperty(this, u"Language")),
      autoStart_(new TBooleanProperty(this, u"AutoStart", true)),
      showInTray_(new TBooleanProperty(this, u"ShowInTray", true)),
      showByHotKey_(new TBooleanProperty(this, u"ShowByHotKey", false)),
      hotKey_(new TStringProperty(this, u"HotKey", u"Ctrl+Shift+Y")),
      hideByEsc_(new TBooleanProperty(this, u"HideByEsc", true)),
      hideToTrayByMinimizeButton_(new TBooleanProperty(this, u"HideToTrayByMinimizeButton", false)),
      dataFileName_(new TStringProperty(this, u"DataFileName")),
      backupFileName_(new TStringProperty(this, u"BackupFileName")),
      dropDownHotKey_(new TStringProperty(this, u"DropDownHotKey", u"Ctrl+B")),
      dropDownFont_(new TFontProperty(this, u"DropDownFont", DefaultDropDownFont(platform))),
      method_(new TEnumProperty(this, u"Method", {u"Method1", u""})),
      interval_(new TIntegerProperty(this, u"Interval", 1, 1, 200))
{
}

intptr_t TGeneralSettings::Notification(int notify, intptr_t param1, intptr_t param2)
{
    if (notify == pnFirstRun) language_->SetValue(GetDefaultLanguageCode(TitleStringId));
    return TProperty::Notification(notify, param1, param2);
}

TSearchSettings::TSearchSettings(TProperty* owner)
    : TProperty(owner, u"Search"),
      caseSensitiveByDefault_(new TBooleanProperty(this, u"CaseSensitiveByDefault", false)),
      visibleOnlyByDefault_(new TBooleanProperty(this, u"VisibleOnlyByDefault", false)),
      enabledOnlyByDefault_(new TBooleanProperty(this, u"EnabledOnlyByDefault", false))
{
}

TMiscSettings::TMiscSettings(TProperty* owner)
    : TProperty(owner, u"Misc"), backupOnSave_(new TBooleanProperty(this, u"BackupOnSave", true))
{
}

// ---- TSettings ----

TSettings::TSettings(const TSettingsPlatform& platform)
    : TProperty(nullptr, String()),
      general_(new TGeneralSettings(this, platform)),
      sheet_(new TSheetSettings(this, platform)),
      search_(new TSearchSettings(this)),
      print_(new TPrintSettings(this)),
      misc_(new TMiscSettings(this))
{
}

// ---- TModuleSettings ----

TModuleSettings::TModuleSettings()
{
    for (TProperty* group : {static_cast<TProperty*>(&data_), static_cast<TProperty*>(&naming_),
                             static_cast<TProperty*>(&log_), static_cast<TProperty*>(&sheetForm_),
                             static_cast<TProperty*>(&paletteForm_)})
        group->SetExternallyOwned(true);
}

TModuleSettings::~TModuleSettings()
{
    Detach();
}

void TModuleSettings::AttachTo(TSettings& settings)
{
    data_.SetParent(&settings.Sheet());
    naming_.SetParent(&settings.Sheet());
    log_.SetParent(&settings.Sheet());
    sheetForm_.SetParent(&settings);
    paletteForm_.SetParent(&settings);
}

void TModuleSettings::Detach()
{
    for (TProperty* group : {static_cast<TProperty*>(&data_), static_cast<TProperty*>(&naming_),
                             static_cast<TProperty*>(&log_), static_cast<TProperty*>(&sheetForm_),
                             static_cast<TProperty*>(&paletteForm_)})
        group->SetParent(nullptr);
}

} // namespace quillora
