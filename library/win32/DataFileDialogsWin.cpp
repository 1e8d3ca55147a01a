#include "library/win32/DataFileDialogsWin.h"

#include "foundation/win32/WinInclude.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {

bool RunDialog(const std::vector<TDataFileDialogs::TFilter>& filters, bool save, const String& defaultExtension,
               String& fileName)
{
    // The dialog wants the parts separated by NUL characters and a double NUL at the end.
    String filter = TDataFileDialogs::FilterText(filters);
    for (Char& c : filter)
        if (c == u'|') c = 0;
    filter.push_back(0);
    filter.push_back(0);
    std::vector<wchar_t> buffer(32768, 0);
    const size_t n = std::min(fileName.size(), buffer.size() - 1);
    std::copy_n(fileName.data(), n, buffer.begin());

    OPENFILENAMEW ofn {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = GetActiveWindow();
    ofn.lpstrFilter = filters.empty() ? nullptr : reinterpret_cast<const wchar_t*>(filter.c_str());
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (save) {
        ofn.Flags |= OFN_OVERWRITEPROMPT;
        if (!defaultExtension.empty()) ofn.lpstrDefExt = WidePtr(defaultExtension);
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST;
    }
    if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return false;
    fileName = FromWide(buffer.data(), wcslen(buffer.data()));
    return true;
}

} // namespace

bool TWinDataFileDialogs::Open(const std::vector<TFilter>& filters, bool, String& fileName)
{
    // The filters come in the order to show, "All Files" first or last as the element wants.
    return RunDialog(filters, false, {}, fileName);
}

bool TWinDataFileDialogs::Save(const std::vector<TFilter>& filters, const String& defaultExtension, String& fileName)
{
    return RunDialog(filters, true, defaultExtension, fileName);
}

} // namespace quillora
