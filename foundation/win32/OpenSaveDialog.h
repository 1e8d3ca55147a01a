#pragma once
// TOpenSaveDialog: the standard open and save dialogs with the program's extension
// filters.
#include "foundation/win32/WinInclude.h"

#include "foundation/FileFilters.h"
#include "foundation/Strings.h"

namespace quillora {

class TOpenSaveDialog {
public:
    String Title;
    String FileName;
    TFileFilters FileFilters;
    TOpenSaveOptions Options = 0;

    // True when the user confirmed; the chosen path is then in FileName. The file must
    // exist.
    bool ExecuteOpen(HWND owner);
    // With the first filter's extension as default and a prompt before overwriting.
    bool ExecuteSave(HWND owner);

private:
    bool Execute(HWND owner, TFileDialogKind kind);
};

} // namespace quillora
