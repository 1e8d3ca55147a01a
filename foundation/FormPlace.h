#pragma once
// Keeps a window's position and size in the session file: the form's node is a child
// of the session tree's root named after the form.

#include "foundation/FormPlacement.h"
#include "foundation/Knot.h"
#include "foundation/Strings.h"

namespace quillora {

class TSessionFile;

class TFormPlace {
public:
    // `formName`: the node name ("MainForm", "DropDownForm", "SettingsForm").
    // `knotPath`: names joined by "." of the node that holds the form's node; empty: the root.
    TFormPlace(TPlacementForm* form, String formName, TSessionFile* sessionFile, String knotPath = {});

    TPlacementForm* Form() const { return form_; }
    const String& FormName() const { return formName_; }
    TSessionFile* SessionFile() const { return sessionFile_; }
    void SetSessionFile(TSessionFile* sessionFile) { sessionFile_ = sessionFile; }
    const String& KnotPath() const { return knotPath_; }
    void SetKnotPath(String knotPath) { knotPath_ = std::move(knotPath); }

    // The form's node, created if needed; null without a form or a session file.
    TKnot* FormKnot();

    // When the form has been created (after its own create handler): applies the
    // stored placement. A missing node leaves the designed placement.
    void FormCreated();
    // When the form is asked to close (before its own close-query handler): stores the
    // current placement.
    void FormCloseQuery();

private:
    TPlacementForm* form_;
    String formName_;
    TSessionFile* sessionFile_;
    String knotPath_;
};

} // namespace quillora
