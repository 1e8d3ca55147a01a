// The modal message box of the Windows build.
#include "foundation/Utils.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {

class TWinMessageBoxService : public TMessageBoxService {
public:
    int Show(const String& text, const String& caption, unsigned flags) override
    {
        return MessageBoxW(GetActiveWindow(), WidePtr(text), WidePtr(caption), flags);
    }
    bool ActiveWindowIsTopmost() const override
    {
        HWND active = GetActiveWindow();
        return active && (GetWindowLongPtrW(active, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }
    String ApplicationTitle() const override { return GetBaseName(ModuleFileName()); }
};

} // namespace

TMessageBoxService& PlatformMessageBoxService()
{
    static TWinMessageBoxService service;
    return service;
}

} // namespace quillora
