#include "foundation/win32/OpenSaveDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "foundation/win32/WinPaths.h"

namespace quillora {

bool TOpenSaveDialog::ExecuteOpen(HWND owner) { return Execute(owner, TFileDialogKind::Open); }

bool TOpenSaveDialog::ExecuteSave(HWND owner) { return Execute(owner, TFileDialogKind::Save); }

bool TOpenSaveDialog::Execute(HWND owner, TFileDialogKind kind)
{
    // The filter text separates its parts by "|"; the dialog wants NUL characters and a
    // double NUL at the end.
    String filter = BuildFilter(FileFilters, Options, kind);
    for (Char& c : filter)
        if (c == u'|') c = 0;
    filter.push_back(0);
    filter.push_back(0);
    String defaultExt = DefaultSaveExtension(FileFilters);
    std::vector<wchar_t> buffer(32768, 0);
    size_t n = std::min(FileName.size(), buffer.size() - 1);
    std::copy_n(FileName.data(), n, buffer.begin());

    OPENFILENAMEW ofn {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = reinterpret_cast<const wchar_t*>(filter.c_str());
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = Title.empty() ? nullptr : WidePtr(Title);
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (kind == TFileDialogKind::Open) {
        ofn.Flags |= OFN_FILEMUSTEXIST;
    } else {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        if (!defaultExt.empty()) ofn.lpstrDefExt = WidePtr(defaultExt);
    }
    BOOL ok = kind == TFileDialogKind::Open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
    if (!ok) return false;
    FileName = FromWide(buffer.data(), wcslen(buffer.data()));
    return true;
}

} // namespace quillora
