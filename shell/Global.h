#pragma once
// TGlobal: the program's data module. It owns the settings and the two side files
// (settings and session), knows where the program's files live, reads the settings at
// start-up and writes them when they changed.

#include <memory>

#include "foundation/Service.h"
#include "foundation/SessionFile.h"
#include "foundation/Strings.h"
#include "shell/Settings.h"

namespace quillora {

// Where the program keeps its files.
struct TFilePaths {
    String SettingsFile;
    String SessionFile;
    String DataFile;   // the default of "DataFileName"
    String BackupFile; // the default of "BackupFileName"
};

// The files of the program named `exeBaseName`: settings and session in `dataFolder`,
// the data file and its backup in `docFolder` (both with a trailing delimiter).
TFilePaths ComputeFilePaths(const String& dataFolder, const String& docFolder, const String& exeBaseName);

class TGlobal {
public:
    // Creates the settings, their system defaults read from Service<TSettingsPlatform>(),
    // with the groups of the other modules attached.
    TGlobal();
    // Detaches the module groups and frees the settings; writes nothing.
    ~TGlobal();
    TGlobal(const TGlobal&) = delete;
    TGlobal& operator=(const TGlobal&) = delete;

    TSettings& Settings() const { return *settings_; }
    // The groups of other modules, attached to Settings() for the life of this object.
    TModuleSettings& ModuleSettings() { return moduleSettings_; }
    TSessionFile& SettingsFile() { return settingsFile_; }
    TSessionFile& SessionFile() { return sessionFile_; }
    bool SettingsDirty() const { return settingsDirty_; }
    void SetSettingsDirty(bool value) { settingsDirty_ = value; }

    // The start-up steps after the localization and fonts: file names and defaults,
    // both side files loaded, the settings read (or, on a first run, the first-run
    // notification sent and the settings marked dirty), empty data and backup names
    // replaced by their defaults and their folders created, the settings file's tree
    // cleared, and the language applied now and on every change of "Language".
    void DataModuleCreate(const TFilePaths& paths);
    // Writes the settings into the settings file and clears the dirty mark.
    void SaveSettings();

private:
    void LanguageChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);

    TModuleSettings moduleSettings_;
    // The data elements read how to edit their data from here.
    TProvide<TDataElementSettings> provideDataSettings_{moduleSettings_.Data()};
    std::unique_ptr<TSettings> settings_;
    TSessionFile settingsFile_{u"settings"};
    TSessionFile sessionFile_{u"session"};
    bool settingsDirty_ = false;
    bool languageSubscribed_ = false;
};

} // namespace quillora
