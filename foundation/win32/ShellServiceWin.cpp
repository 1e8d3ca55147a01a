// The shell's "execute" of the Windows build.
#include "foundation/win32/ShellServiceWin.h"

#include "foundation/win32/WinPaths.h"

#include <shellapi.h>

namespace quillora {

intptr_t TWinShellService::Execute(const String& verb, const String& fileName, const String& parameters,
                                   int showCommand)
{
    HINSTANCE result = ShellExecuteW(nullptr, verb.empty() ? nullptr : WidePtr(verb), WidePtr(fileName),
                                     parameters.empty() ? nullptr : WidePtr(parameters), nullptr, showCommand);
    return reinterpret_cast<intptr_t>(result);
}

} // namespace quillora
