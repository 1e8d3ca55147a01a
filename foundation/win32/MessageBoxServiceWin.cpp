// The modal message box of the Windows build.
#include "foundation/win32/MessageBoxServiceWin.h"

#include "foundation/Utils.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

int TWinMessageBoxService::Show(const String& text, const String& caption, unsigned flags)
{
    return MessageBoxW(GetActiveWindow(), WidePtr(text), WidePtr(caption), flags);
}

bool TWinMessageBoxService::ActiveWindowIsTopmost() const
{
    HWND active = GetActiveWindow();
    return active && (GetWindowLongPtrW(active, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

String TWinMessageBoxService::ApplicationTitle() const
{
    return GetBaseName(ModuleFileName());
}

} // namespace quillora
