#pragma once
// TTrayAppDocument: the document of the resident program. It owns the scheme (the
// element tree of the snippets), its undo engine, and loads and saves the data file.
//
// A data file that exists but did not load completely (it is corrupt, of a newer
// format, or holds data this version did not read) is protected: saving to that name
// and refreshing the backup from it are refused with a clear message until the user
// saves under another name or confirms overwriting (ConfirmOverwrite). Without that, the
// next autosave would replace the user's real file with the part this version read.

#include <memory>
#include <vector>

#include "foundation/StringIds.h"
#include "foundation/Strings.h"
#include "foundation/UndoRedo.h"
#include "elements/Scheme.h" // New makes and hands over the scheme

namespace quillora {

class TElement;


class TTrayAppDocument {
public:
    TTrayAppDocument(const TTrayAppDocument&) = delete;
    TTrayAppDocument& operator=(const TTrayAppDocument&) = delete;
    virtual ~TTrayAppDocument();

    // Creates a document of class T (T derives from TTrayAppDocument) with its scheme.
    template <class T, class... Args> static std::unique_ptr<T> New(Args&&... args)
    {
        std::unique_ptr<T> document(new T(std::forward<Args>(args)...));
        document->Initialize();
        return document;
    }

    TScheme* Scheme() const { return scheme_.get(); }
    TUndoRedo* UndoRedo() const { return undoRedo_.get(); }
    TElement* Root() const;

    // Loads the scheme from the file. A missing file leaves the document empty (the
    // scheme still takes the name); an existing file that cannot be read raises its
    // error and is protected. The texts of the load's reports are in LoadMessages; any
    // report protects the file.
    void LoadDataFile(const String& fileName);
    // RefreshBackup (when `backupFileName` is not empty), then the safe save of the
    // scheme to `fileName`, which becomes the scheme's file name. Raises the message
    // sidSaveRefusedProtected when `fileName` is protected; a failed save raises its
    // error and leaves the old file as it was. A backup that cannot be made never stops
    // the save.
    void SaveDataFile(const String& fileName, const String& backupFileName);
    // The safe save of the scheme to `fileName` as a copy: no backup, and the scheme
    // keeps its file name. Raises as SaveDataFile does.
    void SaveDataFileCopy(const String& fileName);

    // The reports of the last LoadDataFile, one text each, in order.
    const std::vector<String>& LoadMessages() const { return loadMessages_; }
    // The data file that must not be overwritten; empty when none.
    const String& ProtectedFileName() const { return protectedFileName_; }
    bool IsProtected(StringView fileName) const;
    // The user confirmed that the protected file may be overwritten.
    void ConfirmOverwrite();
    // The message that tells the user once that the file is protected (sidDataFileProtected);
    // empty when nothing is protected.
    String ProtectionNotice() const;

protected:
    TTrayAppDocument();
    // The document's scheme (slot 0); called once, by New.
    virtual std::unique_ptr<TScheme> CreateScheme() = 0;

private:
    void Initialize();
    void Protect(const String& fileName, String reason);

    std::unique_ptr<TUndoRedo> undoRedo_;
    std::unique_ptr<TScheme> scheme_;
    std::vector<String> loadMessages_;
    String protectedFileName_;
    String protectionReason_;
    bool overwriteConfirmed_ = false;
};

} // namespace quillora
