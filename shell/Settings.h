#pragma once
// The settings tree: the root, its groups and every key with its default and range.
// The groups "Data", "Naming", "Log", "SheetForm" and "PaletteForm" belong to their
// modules (TModuleSettings) and hang in the tree only while attached; "Sounds" is never
// attached, so it is not stored and starts at its default in every run.

#include "foundation/FontData.h"
#include "shell/Props.h"
#include "shell/SettingsPlatform.h"

namespace quillora {

class TGeneralSettings : public TProperty {
public:
    explicit TGeneralSettings(TProperty* owner, const TSettingsPlatform& platform = SettingsPlatform());

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

class TSheetSettings : public TProperty {
public:
    explicit TSheetSettings(TProperty* owner, const TSettingsPlatform& platform = SettingsPlatform());

    TStringProperty& Theme() const { return *theme_; }
    // 0 "" (normal), 1 "Large", 2 "Great".
    TEnumProperty& FontSize() const { return *fontSize_; }
    TBooleanProperty& NonPrintingCharacters() const { return *nonPrintingCharacters_; }
    // 1..20; the default is the system's border width.
    TIntegerProperty& CaretSize() const { return *caretSize_; }
    TBooleanProperty& FocusNew() const { return *focusNew_; }
    TBooleanProperty& DropDownOnFocusNew() const { return *dropDownOnFocusNew_; }
    TBooleanProperty& IncreaseWorkspaceHeight() const { return *increaseWorkspaceHeight_; }

private:
    TStringProperty* theme_;
    TEnumProperty* fontSize_;
    TBooleanProperty* nonPrintingCharacters_;
    TIntegerProperty* caretSize_;
    TBooleanProperty* focusNew_;
    TBooleanProperty* dropDownOnFocusNew_;
    TBooleanProperty* increaseWorkspaceHeight_;
};

// How one kind of picture is opened for external editing.
class TExternalEditorSettings : public TProperty {
public:
    TExternalEditorSettings(TProperty* owner, String key);

    // 0 "" (the system's editor), 1 "CustomEditor", 2 "None".
    TEnumProperty& DefaultAction() const { return *defaultAction_; }
    TStringProperty& CustomEditor() const { return *customEditor_; }

private:
    TEnumProperty* defaultAction_;
    TStringProperty* customEditor_;
};

class TDataElementSettings : public TProperty {
public:
    explicit TDataElementSettings(TProperty* owner = nullptr);

    TExternalEditorSettings& ExternalEditorBitmaps() const { return *bitmaps_; }
    TExternalEditorSettings& ExternalEditorIcons() const { return *icons_; }
    TExternalEditorSettings& ExternalEditorCursors() const { return *cursors_; }
    TExternalEditorSettings& ExternalEditorMetafiles() const { return *metafiles_; }
    TExternalEditorSettings& ExternalEditorOther() const { return *other_; }

private:
    TExternalEditorSettings* bitmaps_;
    TExternalEditorSettings* icons_;
    TExternalEditorSettings* cursors_;
    TExternalEditorSettings* metafiles_;
    TExternalEditorSettings* other_;
};

class TNamingSettings : public TProperty {
public:
    explicit TNamingSettings(TProperty* owner = nullptr);

    TBooleanProperty& FillEnabled() const { return *fillEnabled_; }
    // 0 "", 1 "Upper", 2 "Lower", 3 "Extra".
    TEnumProperty& FillMode() const { return *fillMode_; }
    TBooleanProperty& FillNumberFirst() const { return *fillNumberFirst_; }
    TBooleanProperty& FillUnderscore() const { return *fillUnderscore_; }
    // 1..12.
    TIntegerProperty& FillDigits() const { return *fillDigits_; }

private:
    TBooleanProperty* fillEnabled_;
    TEnumProperty* fillMode_;
    TBooleanProperty* fillNumberFirst_;
    TBooleanProperty* fillUnderscore_;
    TIntegerProperty* fillDigits_;
};

class TLogSettings : public TProperty {
public:
    explicit TLogSettings(TProperty* owner = nullptr);

    TBooleanProperty& WriteInformation() const { return *writeInformation_; }
    TBooleanProperty& WriteHints() const { return *writeHints_; }
    TBooleanProperty& WriteWarnings() const { return *writeWarnings_; }

private:
    TBooleanProperty* writeInformation_;
    TBooleanProperty* writeHints_;
    TBooleanProperty* writeWarnings_;
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

class TPrintSettings : public TProperty {
public:
    explicit TPrintSettings(TProperty* owner);

    TStringProperty& Theme() const { return *theme_; }
    // 0 "", 1 "Large", 2 "Great".
    TEnumProperty& FontSize() const { return *fontSize_; }
    // Percent, 1..500.
    TIntegerProperty& Scale() const { return *scale_; }

private:
    TStringProperty* theme_;
    TEnumProperty* fontSize_;
    TIntegerProperty* scale_;
};

class TMiscSettings : public TProperty {
public:
    explicit TMiscSettings(TProperty* owner);

    TBooleanProperty& BackupOnSave() const { return *backupOnSave_; }

private:
    TBooleanProperty* backupOnSave_;
};

class TSheetFormSettings : public TProperty {
public:
    explicit TSheetFormSettings(TProperty* owner = nullptr);

    TBooleanProperty& ShowHints() const { return *showHints_; }

private:
    TBooleanProperty* showHints_;
};

class TPaletteFormSettings : public TProperty {
public:
    explicit TPaletteFormSettings(TProperty* owner = nullptr);

    TBooleanProperty& ShowHeaders() const { return *showHeaders_; }
    TBooleanProperty& ShowCaptions() const { return *showCaptions_; }
    TBooleanProperty& ShowHints() const { return *showHints_; }

private:
    TBooleanProperty* showHeaders_;
    TBooleanProperty* showCaptions_;
    TBooleanProperty* showHints_;
};

class TSoundsSettings : public TProperty {
public:
    explicit TSoundsSettings(TProperty* owner = nullptr);

    TBooleanProperty& Enabled() const { return *enabled_; }

private:
    TBooleanProperty* enabled_;
};

// The root: no key of its own; its children are the groups "General" to "Misc" and,
// while attached, "SheetForm" and "PaletteForm" ("Data", "Naming" and "Log" hang
// under "Sheet").
class TSettings : public TProperty {
public:
    explicit TSettings(const TSettingsPlatform& platform = SettingsPlatform());

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

// The groups that other modules own, created without a parent.
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
    TSoundsSettings& Sounds() { return sounds_; }

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
    TSoundsSettings sounds_;
};

// The process-wide groups of the modules, created on first use.
TModuleSettings& ModuleSettings();

} // namespace quillora
