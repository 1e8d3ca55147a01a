#include "shell/SettingsForm.h"

#include <algorithm>

#include "elements/Sounds.h"
#include "foundation/Localization.h"
#include "foundation/Utils.h"
#include "render/Theme.h"
#include "shell/Settings.h"

namespace quillora {

int TSettingsForm::LastSettingsPage = 0;

namespace {
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0; }

String Trimmed(const String& text)
{
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}
} // namespace

TSettingsForm::TSettingsForm(TSettings& settings, TModuleSettings& modules, TSettingsFormHost& host)
    : settings_(settings), modules_(modules), host_(host), sounds_(&SoundsSettings())
{
}

String TSettingsForm::Caption() { return LoadString(sidSfCaption); }

void TSettingsForm::AddPage(int captionId)
{
    host_.AddPage(LoadString(captionId));
    ++pageCount_;
}

void TSettingsForm::Build()
{
    BuildGeneral();
    BuildProblemSolving();
    BuildDataFile();
    BuildPalette();
    BuildEditor();
    BuildSounds();
    selectedPage_ = LastSettingsPage >= 0 && LastSettingsPage < pageCount_ ? LastSettingsPage : 0;
}

void TSettingsForm::SelectPage(int page)
{
    if (page >= 0 && page < pageCount_) selectedPage_ = page;
}

void TSettingsForm::BuildGeneral()
{
    TGeneralSettings& general = settings_.General();
    AddPage(sidSfGeneral);

    // The languages whose table has the application's own strings, each under its own name.
    std::vector<String> codes, names;
    GetLanguageCodes(codes, TitleStringId);
    for (const String& code : codes) {
        TLanguageId id = 0;
        FindLanguageByCode(code, id);
        String name = LoadLanguageString(sidSfLanguageName, id);
        names.push_back(name.empty() ? code : name);
    }
    IComboBoxControl& language = host_.AddComboBox(LoadString(sidSfLanguage));
    // A list of one still selects by code: an unknown code selects nothing instead of
    // being shown as text. Without any list the setting is left alone.
    if (codes.empty()) {
    } else if (codes.size() == 1) {
        language.SetItems(names);
        associator_.AddCustom([&language, &general, code = codes.front()] { language.SetItemIndex(general.Language().Value() == code ? 0 : -1); },
                              [&language, &general, code = codes.front()] {
                                  general.Language().SetValue(language.ItemIndex() == 0 ? code : String());
                              });
    } else {
        associator_.AddStringComboBox(language, general.Language(), names, codes);
    }

    associator_.AddCheckBox(host_.AddCheckBox(true), general.AutoStart(), LoadString(sidSfAutoStart));
    associator_.AddCheckBox(host_.AddCheckBox(true), general.ShowInTray(), LoadString(sidSfShowInTray));
    associator_.AddCheckBox(host_.AddCheckBox(false), general.ShowByHotKey(),
                            FormatString(sidSfShowByHotKey, {general.HotKey().Value()}));
    associator_.AddCheckBox(host_.AddCheckBox(false), general.HideByEsc(), FormatString(sidSfHideByEsc, {u"Esc"}));
    associator_.AddCheckBox(host_.AddCheckBox(true), general.HideToTrayByMinimizeButton(), LoadString(sidSfHideToTray));
    associator_.AddHotKey(host_.AddHotKey(LoadString(sidSfDropDownHotKey)), general.DropDownHotKey());
    associator_.AddFontButton(host_.AddFontButton(LoadString(sidSfDropDownFont)), general.DropDownFont());
}

void TSettingsForm::BuildProblemSolving()
{
    TGeneralSettings& general = settings_.General();
    AddPage(sidSfProblemSolving);
    host_.AddGroup(LoadString(sidSfProblemSolving));
    host_.AddExplanation(LoadString(sidSfProblemSolvingNote));
    associator_.AddEnumRadioGroup(host_.AddRadioGroup(), general.Method(), LoadString(sidSfMethods));
    TIntegerProperty& interval = general.Interval();
    String label = LoadString(sidSfDelay) + u" (" + IntToString(interval.MinValue()) + u" - " +
                   IntToString(interval.MaxValue()) + u")";
    associator_.AddIntegerEdit(host_.AddIntegerEdit(label), interval);
}

void TSettingsForm::BindFileEdit(ITextEditControl& edit, TStringProperty& property)
{
    associator_.AddCustom([&edit, &property] { edit.SetText(property.Value()); },
                          [&edit, &property] {
                              String name = Trimmed(edit.Text());
                              property.SetValue(name.empty() ? property.DefaultValue() : name);
                          });
}

void TSettingsForm::BuildDataFile()
{
    TGeneralSettings& general = settings_.General();
    AddPage(sidSfDataFile);
    auto browse = [this](ITextEditControl** edit) {
        return [this, edit] {
            String name = Trimmed((*edit)->Text());
            if (host_.AskSaveFileName(name)) (*edit)->SetText(name);
        };
    };
    host_.AddGroup(LoadString(sidSfDataFile));
    dataEdit_ = &host_.AddFileEdit(LoadString(sidSfBrowse), browse(&dataEdit_));
    BindFileEdit(*dataEdit_, general.DataFileName());
    host_.AddExplanation(LoadString(sidSfDataFileNote));
    host_.AddGroup(LoadString(sidSfBackupFile));
    backupEdit_ = &host_.AddFileEdit(LoadString(sidSfBrowse), browse(&backupEdit_));
    BindFileEdit(*backupEdit_, general.BackupFileName());
    host_.AddExplanation(LoadString(sidSfBackupFileNote));
}

void TSettingsForm::BuildPalette()
{
    TPaletteFormSettings& palette = modules_.PaletteForm();
    AddPage(sidSfPalette);
    associator_.AddCheckBox(host_.AddCheckBox(true), palette.ShowHeaders(), LoadString(sidSfShowHeaders));
    associator_.AddCheckBox(host_.AddCheckBox(true), palette.ShowCaptions(), LoadString(sidSfShowCaptions));
    associator_.AddCheckBox(host_.AddCheckBox(true), palette.ShowHints(), LoadString(sidSfShowPaletteHints));
}

void TSettingsForm::BuildEditor()
{
    TSheetSettings& sheet = settings_.Sheet();
    AddPage(sidSfEditor);
    host_.AddGroup(LoadString(sidSfAppearance));
    std::vector<String> themes = themeNames_;
    if (themes.empty()) themes.push_back(u"Default");
    associator_.AddStringComboBox(host_.AddComboBox(LoadString(sidSfTheme)), sheet.Theme(), themes);
    associator_.AddEnumComboBox(host_.AddComboBox(LoadString(sidSfFontSize)), sheet.FontSize(), LoadString(sidSfFontSizes));
    host_.AddButton(LoadString(sidSfMoreThemes), [this] {
        if (OnGetMoreThemes) OnGetMoreThemes();
    });
    // Kept for their settings, not shown.
    ICheckBoxControl& focusNew = host_.AddCheckBox(false);
    associator_.AddCheckBox(focusNew, sheet.FocusNew(), LoadString(sidSfFocusNew));
    ICheckBoxControl& dropDown = host_.AddCheckBox(false);
    associator_.AddCheckBox(dropDown, sheet.DropDownOnFocusNew(), LoadString(sidSfDropDownOnFocusNew));
    dropDown.SetEnabled(focusNew.Checked());
    focusNew.SetOnChange([&focusNew, &dropDown] { dropDown.SetEnabled(focusNew.Checked()); });
    associator_.AddCheckBox(host_.AddCheckBox(false), modules_.SheetForm().ShowHints(), LoadString(sidSfShowSheetHints));
    associator_.AddCheckBox(host_.AddCheckBox(false), sheet.IncreaseWorkspaceHeight(), LoadString(sidSfIncreaseWorkspace));
    host_.AddCheckBox(false);
}

void TSettingsForm::BuildSounds()
{
    AddPage(sidSfSounds);
    if (sounds_) associator_.AddCheckBox(host_.AddCheckBox(true), sounds_->Enabled(), LoadString(sidSfSoundsEnabled));
}

void TSettingsForm::Ok()
{
    TBusyCursor busy;
    associator_.ApplyAll();
}

bool TSettingsForm::Apply()
{
    String language = settings_.General().Language().Value();
    {
        TBusyCursor busy;
        associator_.ApplyAll();
    }
    if (settings_.General().Language().Value() == language) return false;
    reopening_ = true;
    return true;
}

void TSettingsForm::Closed() { LastSettingsPage = reopening_ ? 0 : selectedPage_; }

} // namespace quillora
