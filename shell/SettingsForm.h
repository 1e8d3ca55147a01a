#pragma once
// TSettingsForm: the rules of the settings dialog, apart from any window. It builds the
// pages in their order ("General", "Problem Solving", "Data File", "Palette", "Editor",
// "Sounds") through the controls its host makes, binds every control to its setting,
// and writes them all on OK and Apply; Apply that changes the language asks for the
// dialog to be made again in the new language, on its first page. The page that was
// selected when the dialog last closed is where the next one opens (LastSettingsPage).

#include <functional>
#include <vector>

#include "foundation/Strings.h"
#include "widgets/PropertyAssociator.h"
#include "widgets/PropertyControls.h"

namespace quillora {

class TSettings;
class TModuleSettings;
class TSoundsSettings;

// The string ids of the dialog.
enum TSettingsFormString : int {
    sidSfLanguageName = 2021,
    sidSfLanguage = 2022,
    sidSfOk = 2023,
    sidSfCancel = 2024,
    sidSfApply = 2026,
    sidSfCaption = 2058,
    sidSfBrowse = 4160,
    sidSfGeneral = 4161,
    sidSfAutoStart = 4162,
    sidSfShowInTray = 4163,
    sidSfShowByHotKey = 4164,
    sidSfHideByEsc = 4165,
    sidSfHideToTray = 4166,
    sidSfDropDownHotKey = 4167,
    sidSfDropDownFont = 4168,
    sidSfProblemSolving = 4169,
    sidSfProblemSolvingNote = 4170,
    sidSfMethods = 4171,
    sidSfDelay = 4172,
    sidSfDataFile = 4173,
    sidSfDataFileNote = 4174,
    sidSfBackupFile = 4175,
    sidSfBackupFileNote = 4176,
    sidSfPalette = 4177,
    sidSfShowHeaders = 4178,
    sidSfShowCaptions = 4179,
    sidSfShowPaletteHints = 4180,
    sidSfEditor = 4181,
    sidSfAppearance = 4182,
    sidSfTheme = 4183,
    sidSfMoreThemes = 4184,
    sidSfFontSize = 4185,
    sidSfFontSizes = 4186,
    sidSfFocusNew = 4187,
    sidSfDropDownOnFocusNew = 4188,
    sidSfShowSheetHints = 4189,
    sidSfIncreaseWorkspace = 4190,
    sidSfSounds = 4207,
    sidSfSoundsEnabled = 4208,
};

// What the rules ask of the dialog's window: pages and the controls on them, made in
// the order they are shown. A control belongs to the page added last; the host lays
// the controls of a page out one below the other, leaving out the hidden ones.
class TSettingsFormHost {
public:
    virtual ~TSettingsFormHost() = default;

    // A new page of the page tree.
    virtual void AddPage(const String& caption) = 0;
    // A heading over the controls that follow.
    virtual void AddGroup(const String& caption) = 0;
    // A note in the system's shadow colour, wrapped over several lines.
    virtual void AddExplanation(const String& text) = 0;
    virtual ICheckBoxControl& AddCheckBox(bool visible) = 0;
    // A drop-down list with `label` in front of it (none when empty).
    virtual IComboBoxControl& AddComboBox(const String& label) = 0;
    virtual IRadioGroupControl& AddRadioGroup() = 0;
    // A number edit with an up-down control, `label` in front.
    virtual IIntegerEditControl& AddIntegerEdit(const String& label) = 0;
    virtual IHotKeyControl& AddHotKey(const String& label) = 0;
    // A button that opens the font dialog, with `note` beside it.
    virtual IFontButtonControl& AddFontButton(const String& note) = 0;
    // A file-name edit with a button `browseCaption` that calls `browse`.
    virtual ITextEditControl& AddFileEdit(const String& browseCaption, std::function<void()> browse) = 0;
    virtual void AddButton(const String& caption, std::function<void()> click) = 0;
    // The save dialog for data files ("tpt"), starting from `fileName`; the chosen path
    // in `fileName` when the user confirmed.
    virtual bool AskSaveFileName(String& fileName) = 0;
};

class TSettingsForm {
public:
    // The page selected when the dialog last closed (0 at start).
    static int LastSettingsPage;

    // All but `host` may be left to their defaults in tests: `sounds` is the module's
    // group, `themeNames` "Default" and the theme files found.
    TSettingsForm(TSettings& settings, TModuleSettings& modules, TSettingsFormHost& host);
    TSettingsForm(const TSettingsForm&) = delete;
    TSettingsForm& operator=(const TSettingsForm&) = delete;

    void SetThemeNames(std::vector<String> names) { themeNames_ = std::move(names); }
    void SetSoundsSettings(TSoundsSettings* sounds) { sounds_ = sounds; }
    // "Get More Themes": the caller opens the web page.
    std::function<void()> OnGetMoreThemes;

    // Makes the pages and their controls and binds them; the page to show first is
    // LastSettingsPage (the first when that no longer exists).
    void Build();
    int PageCount() const { return pageCount_; }
    int SelectedPage() const { return selectedPage_; }
    void SelectPage(int page);
    // The caption of the dialog.
    static String Caption();

    // OK: every control into its setting (each change notified on its own).
    void Ok();
    // Apply: the same; true when the language changed, so that the dialog is to be made
    // again in the new language, on its first page.
    bool Apply();
    // The dialog closes (by OK, Cancel or its close box): the page is remembered.
    void Closed();

    TPropertyAssociator& Associator() { return associator_; }

private:
    void AddPage(int captionId);
    void BuildGeneral();
    void BuildProblemSolving();
    void BuildDataFile();
    void BuildPalette();
    void BuildEditor();
    void BuildSounds();
    void BindFileEdit(ITextEditControl& edit, TStringProperty& property);

    TSettings& settings_;
    TModuleSettings& modules_;
    TSettingsFormHost& host_;
    TSoundsSettings* sounds_;
    std::vector<String> themeNames_;
    TPropertyAssociator associator_;
    ITextEditControl* dataEdit_ = nullptr;
    ITextEditControl* backupEdit_ = nullptr;
    int pageCount_ = 0;
    int selectedPage_ = 0;
    bool reopening_ = false;
};

} // namespace quillora
