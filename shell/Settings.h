#pragma once
// The settings tree: the root with its own groups "General", "Search" and "Misc", and
// the groups that other modules define: "Sheet" and "Print" of the sheet canvas, built
// with the root; "Data", "Naming", "Log", "SheetForm" and "PaletteForm" of the data
// element, the log and the editor, which hang in the tree only while attached
// (TModuleSettings). The sound module's "Sounds" is never attached, so it is not stored
// and starts at its default in every run.

#include "editor/SheetFormSettings.h"
#include "foundation/FontData.h"
#include "foundation/Props.h"
#include "foundation/SettingsPlatform.h"
#include "library/DataElementSettings.h"
#include "library/LogSettings.h"
#include "library/NamingSettings.h"
#include "render/SheetSettings.h"
#include "typing/TypingSettings.h"

namespace quillora {

class TGeneralSettings : public TProperty {
public:
    // The defaults that come from the system are read from `platform`.
    TGeneralSettings(TProperty* owner, const TSettingsPlatform& platform);

    TStringProperty& Language() const { return *language_; }
    TBooleanProperty& AutoStart() const { return *autoStart_; }
    TBooleanProperty& ShowInTray() const { return *showInTray_; }
    TBooleanProperty& ShowByHotKey() const { return *showByHotKey_; }
    TStringProperty& HotKey() const { return *hotKey_; }
    TBooleanProperty& HideByEsc() const { return *hideByEsc_; }
    TBooleanProperty& HideToTrayByMinimizeButton() const { return *hideToTrayByMinimizeButton_; }
    TStringProperty& DataFileName() const { return *dataFileName_; }
    TStringProperty& BackupFileName() const { return *backupFileName_; }
    TStringProperty& DropDownHotKey() const { return *dropDownHotKey_; }
    TFontProperty& DropDownFont() const { return *dropDownFont_; }
    // 0 "Method1", 1 "" (the default).
    TEnumProperty& Method() const { return *method_; }
    // Milliseconds between two typed steps, 1..200.
    TIntegerProperty& Interval() const { return *interval_; }
    // The keys that the typing engine reads.
    TTypingSettings Typing() const { return {*method_, *interval_, *dropDownFont_}; }

protected:
    // pnFirstRun: "Language" becomes the language of the user's default locale.
    intptr_t Notification(int notify, intptr_t param1, intptr_t param2) override;

private:
    TStringProperty* language_;
    TBooleanProperty* autoStart_;
    TBooleanProperty* showInTray_;
    TBooleanProperty* showByHotKey_;
    TStringProperty* hotKey_;
    TBooleanProperty* hideByEsc_;
    TBooleanProperty* hideToTrayByMinimizeButton_;
    TStringProperty* dataFileName_;
    TStringProperty* backupFileName_;
    TStringProperty* dropDownHotKey_;
    TFontProperty* dropDownFont_;
    TEnumProperty* method_;
    TIntegerProperty* interval_;
};

class TSearchSettings : public TProperty {
public:
    explicit TSearchSettings(TProperty* owner);

    TBooleanProperty& CaseSensitiveByDefault() const { return *caseSensitiveByDefault_; }
    TBooleanProperty& VisibleOnlyByDefault() const { return *visibleOnlyByDefault_; }
    TBooleanProperty& EnabledOnlyByDefault() const { return *enabledOnlyByDefault_; }

private:
    TBooleanProperty* caseSensitiveByDefault_;
    TBooleanProperty* visibleOnlyByDefault_;
    TBooleanProperty* enabledOnlyByDefault_;
};

class TMiscSettings : public TProperty {
public:
    explicit TMiscSettings(TProperty* owner);

    TBooleanProperty& BackupOnSave() const { return *backupOnSave_; }

private:
    TBooleanProperty* backupOnSave_;
};

// The root: no key of its own; its children are the groups "General" to "Misc" and,
// while attached, "SheetForm" and "PaletteForm" ("Data", "Naming" and "Log" hang
// under "Sheet").
class TSettings : public TProperty {
public:
    // The defaults that come from the system are read from `platform`.
    explicit TSettings(const TSettingsPlatform& platform);

    TGeneralSettings& General() const { return *general_; }
    TSheetSettings& Sheet() const { return *sheet_; }
    TSearchSettings& Search() const { return *search_; }
    TPrintSettings& Print() const { return *print_; }
    TMiscSettings& Misc() const { return *misc_; }

private:
    TGeneralSettings* general_;
    TSheetSettings* sheet_;
    TSearchSettings* search_;
    TPrintSettings* print_;
    TMiscSettings* misc_;
};

// The groups that other modules define, owned here and created without a parent.
class TModuleSettings {
public:
    TModuleSettings();
    // Detaches the groups that are still attached, then frees them.
    ~TModuleSettings();
    TModuleSettings(const TModuleSettings&) = delete;
    TModuleSettings& operator=(const TModuleSettings&) = delete;

    TDataElementSettings& Data() { return data_; }
    TNamingSettings& Naming() { return naming_; }
    TLogSettings& Log() { return log_; }
    TSheetFormSettings& SheetForm() { return sheetForm_; }
    TPaletteFormSettings& PaletteForm() { return paletteForm_; }

    // "Data", "Naming" and "Log" at the end of "Sheet"; "SheetForm" and "PaletteForm"
    // at the end of the root.
    void AttachTo(TSettings& settings);
    // Takes the attached groups out of the tree again (before the root is freed).
    void Detach();

private:
    TDataElementSettings data_;
    TNamingSettings naming_;
    TLogSettings log_;
    TSheetFormSettings sheetForm_;
    TPaletteFormSettings paletteForm_;
};

} // namespace quillora
