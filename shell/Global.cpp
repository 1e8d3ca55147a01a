#include "shell/Global.h"

#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"

namespace quillora {

TFilePaths ComputeFilePaths(const String& dataFolder, const String& docFolder, const String& exeBaseName)
{
    TFilePaths paths;
    paths.SettingsFile = dataFolder + exeBaseName + u".settings";
    paths.SessionFile = dataFolder + exeBaseName + u".session";
    paths.DataFile = docFolder + exeBaseName + u".tpt";
    paths.BackupFile = docFolder + exeBaseName + u"Backup.tpt";
    return paths;
}

TGlobal::TGlobal() : settings_(std::make_unique<TSettings>(Service<TSettingsPlatform>()))
{
    moduleSettings_.AttachTo(*settings_);
}

TGlobal::~TGlobal()
{
    if (languageSubscribed_) settings_->General().Language().RemoveNotifyEvent(BindNotify<&TGlobal::LanguageChanged>(this));
    moduleSettings_.Detach();
}

namespace {
// An empty file name takes its default; the file's folder is created.
void CompleteFileName(TStringProperty& property)
{
    if (property.Value().empty()) property.SetValue(property.DefaultValue());
    String folder = ExtractFilePath(property.Value());
    if (!folder.empty()) ForceFolders(folder);
}
} // namespace

void TGlobal::DataModuleCreate(const TFilePaths& paths)
{
    TGeneralSettings& general = settings_->General();
    settingsFile_.SetFileName(paths.SettingsFile);
    sessionFile_.SetFileName(paths.SessionFile);
    general.DataFileName().SetDefaultValue(paths.DataFile);
    general.DataFileName().Reset();
    general.BackupFileName().SetDefaultValue(paths.BackupFile);
    general.BackupFileName().Reset();

    settingsFile_.Load();
    sessionFile_.Load();
    if (settingsFile_.LoadState() == lsMissing) {
        settings_->NotifyTree(pnFirstRun, 0, true, 0);
        settingsDirty_ = true;
    } else {
        settings_->LoadChildren(settingsFile_.Knot());
    }
    CompleteFileName(general.DataFileName());
    CompleteFileName(general.BackupFileName());
    settingsFile_.Knot().Clear();

    general.Language().AddNotifyEvent(BindNotify<&TGlobal::LanguageChanged>(this));
    languageSubscribed_ = true;
    ApplyLanguage(general.Language().Value());
}

void TGlobal::LanguageChanged(TItfObject*, int notify, intptr_t, intptr_t)
{
    if (notify == pnChanged) ApplyLanguage(settings_->General().Language().Value());
}

void TGlobal::SaveSettings()
{
    settingsFile_.Knot().Clear();
    settings_->SaveChildren(settingsFile_.Knot());
    settingsFile_.Save();
    settingsFile_.Knot().Clear();
    settingsDirty_ = false;
}

} // namespace quillora
