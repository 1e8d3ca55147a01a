#include "shell/TrayAppDocument.h"

#include "elements/Element.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "library/Log.h"
#include "shell/DataFile.h"

namespace quillora {

TTrayAppDocument::TTrayAppDocument() : undoRedo_(std::make_unique<TUndoRedo>()) {}

TTrayAppDocument::~TTrayAppDocument()
{
    // The scheme's elements may still record into the undo engine while they go.
    scheme_.reset();
    undoRedo_.reset();
}

void TTrayAppDocument::Initialize()
{
    scheme_ = CreateScheme();
    scheme_->SetUndoRedo(undoRedo_.get());
}

TElement* TTrayAppDocument::Root() const { return scheme_ ? scheme_->Root() : nullptr; }

void TTrayAppDocument::Protect(const String& fileName, String reason)
{
    protectedFileName_ = fileName;
    protectionReason_ = std::move(reason);
    overwriteConfirmed_ = false;
}

void TTrayAppDocument::LoadDataFile(const String& fileName)
{
    loadMessages_.clear();
    protectedFileName_.clear();
    protectionReason_.clear();
    overwriteConfirmed_ = false;
    // The load reports into a list of its own: the scheme's list (the log's) may refuse
    // kinds the user does not want to read, but every report protects the file.
    TElementMessages& messages = scheme_->SchemeMessages();
    messages.Clear();
    TElementMessages reports;
    scheme_->SetSchemeMessages(&reports);
    try {
        scheme_->LoadFromFile(fileName);
    } catch (const Exception& e) {
        scheme_->SetSchemeMessages(&messages);
        if (!FileExists(fileName)) return;
        loadMessages_.push_back(e.Message());
        Protect(fileName, e.Message());
        throw;
    }
    scheme_->SetSchemeMessages(&messages);
    for (int i = 0; i < reports.Count(); ++i) {
        const TElementMessage& report = reports.GetItems(i);
        loadMessages_.push_back(report.GetText());
        auto copy = std::make_unique<TElementMessage>(report.Kind);
        copy->Parts = report.Parts;
        messages.Add(std::move(copy));
    }
    if (!loadMessages_.empty()) Protect(fileName, loadMessages_.front());
    // What the checks found wrong with the loaded elements is told too; it protects nothing.
    ReportElementMessages(*scheme_, messages);
}

bool TTrayAppDocument::IsProtected(StringView fileName) const
{
    return !protectedFileName_.empty() && !overwriteConfirmed_ && SameFileName(fileName, protectedFileName_);
}

void TTrayAppDocument::ConfirmOverwrite() { overwriteConfirmed_ = true; }

String TTrayAppDocument::ProtectionNotice() const
{
    if (protectedFileName_.empty() || overwriteConfirmed_) return {};
    return FormatString(sidDataFileProtected, {protectedFileName_, protectionReason_});
}

void TTrayAppDocument::SaveDataFile(const String& fileName, const String& backupFileName)
{
    if (IsProtected(fileName))
        throw Exception(FormatString(sidSaveRefusedProtected, {fileName, protectionReason_}));
    // A confirmed overwrite does not copy the unreadable file over a good backup.
    bool overwritingProtected = !protectedFileName_.empty() && SameFileName(fileName, protectedFileName_);
    if (!backupFileName.empty() && !overwritingProtected) {
        try {
            RefreshBackup(fileName, backupFileName);
        } catch (...) {
            // A backup that cannot be made never stops the save.
        }
    }
    scheme_->SaveToFile(fileName);
    if (overwritingProtected) {
        protectedFileName_.clear();
        protectionReason_.clear();
        overwriteConfirmed_ = false;
    }
}

void TTrayAppDocument::SaveDataFileCopy(const String& fileName)
{
    if (IsProtected(fileName))
        throw Exception(FormatString(sidSaveRefusedProtected, {fileName, protectionReason_}));
    scheme_->SaveToFile(fileName, true);
}

} // namespace quillora
