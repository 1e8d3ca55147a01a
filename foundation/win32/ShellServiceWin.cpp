// The shell's "execute" of the Windows build.
#include "foundation/Utils.h"
#include "foundation/win32/WinPaths.h"

#include <shellapi.h>

namespace quillora {

namespace {

class TWinShellService : public TShellService {
public:
    intptr_t Execute(const String& verb, const String& fileName, const String& parameters, int showCommand) override
    {
        HINSTANCE result = ShellExecuteW(nullptr, verb.empty() ? nullptr : WidePtr(verb), WidePtr(fileName),
                                         parameters.empty() ? nullptr : WidePtr(parameters), nullptr, showCommand);
        return reinterpret_cast<intptr_t>(result);
    }
};

} // namespace

TShellService& PlatformShellService()
{
    static TWinShellService service;
    return service;
}

} // namespace quillora
