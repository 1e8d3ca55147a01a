#include "shell/Settings.h"

#include "foundation/Localization.h"

namespace quillora {

namespace {

std::vector<String> FontSizeEntries()
{
    return {u"", u"Large", u"Great"};
}

} // namespace

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

// ---- TSheetSettings ----

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

// ---- data element groups ----

TExternalEditorSettings::TExternalEditorSettings(TProperty* owner, String key)
    : TProperty(owner, std::move(key)),
      defaultAction_(new TEnumProperty(this, u"DefaultAction", {u"", u"CustomEditor", u"None"})),
      customEditor_(new TStringProperty(this, u"CustomEditor"))
{
}

TDataElementSettings::TDataElementSettings(TProperty* owner)
    : TProperty(owner, u"Data"),
      bitmaps_(new TExternalEditorSettings(this, u"ExternalEditorBitmaps")),
      icons_(new TExternalEditorSettings(this, u"ExternalEditorIcons")),
      cursors_(new TExternalEditorSettings(this, u"ExternalEditorCursors")),
      metafiles_(new TExternalEditorSettings(this, u"ExternalEditorMetafiles")),
      other_(new TExternalEditorSettings(this, u"ExternalEditorOther"))
{
}

// ---- other groups ----

TNamingSettings::TNamingSettings(TProperty* owner)
    : TProperty(owner, u"Naming"),
      fillEnabled_(new TBooleanProperty(this, u"FillEnabled", true)),
      fillMode_(new TEnumProperty(this, u"FillMode", {u"", u"Upper", u"Lower", u"Extra"})),
      fillNumberFirst_(new TBooleanProperty(this, u"FillNumberFirst", true)),
      fillUnderscore_(new TBooleanProperty(this, u"FillUnderscore", false)),
      fillDigits_(new TIntegerProperty(this, u"FillDigits", 1, 1, 12))
{
}

TLogSettings::TLogSettings(TProperty* owner)
    : TProperty(owner, u"Log"),
      writeInformation_(new TBooleanProperty(this, u"WriteInformation", true)),
      writeHints_(new TBooleanProperty(this, u"WriteHints", true)),
      writeWarnings_(new TBooleanProperty(this, u"WriteWarnings", true))
{
}

TSearchSettings::TSearchSettings(TProperty* owner)
    : TProperty(owner, u"Search"),
      caseSensitiveByDefault_(new TBooleanProperty(this, u"CaseSensitiveByDefault", false)),
      visibleOnlyByDefault_(new TBooleanProperty(this, u"VisibleOnlyByDefault", false)),
      enabledOnlyByDefault_(new TBooleanProperty(this, u"EnabledOnlyByDefault", false))
{
}

TPrintSettings::TPrintSettings(TProperty* owner)
    : TProperty(owner, u"Print"),
      theme_(new TStringProperty(this, u"Theme", u"Default")),
      fontSize_(new TEnumProperty(this, u"FontSize", FontSizeEntries())),
      scale_(new TIntegerProperty(this, u"Scale", 50, 1, 500))
{
}

TMiscSettings::TMiscSettings(TProperty* owner)
    : TProperty(owner, u"Misc"), backupOnSave_(new TBooleanProperty(this, u"BackupOnSave", true))
{
}

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

TSoundsSettings::TSoundsSettings(TProperty* owner)
    : TProperty(owner, u"Sounds"), enabled_(new TBooleanProperty(this, u"Enabled", true))
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
                             static_cast<TProperty*>(&paletteForm_), static_cast<TProperty*>(&sounds_)})
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

TModuleSettings& ModuleSettings()
{
    static TModuleSettings instance;
    return instance;
}

} // namespace quillora
