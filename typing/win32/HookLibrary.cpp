#include "typing/win32/HookLibrary.h"

#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/Utils.h"
#include "foundation/win32/WinInclude.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

namespace {

template <typename TProc>
TProc Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<TProc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

THookLibrary::~THookLibrary()
{
    UnhookKeys();
    if (module_) FreeLibrary(static_cast<HMODULE>(module_));
}

String THookLibrary::DefaultFileName()
{
    return GetProgramFolder() + u"QuilloraHook.dll";
}

bool THookLibrary::Load(const String& fileName)
{
    if (module_) return true;
    if (!FileExists(fileName)) RaiseFileNotFound(fileName);
    HMODULE module = LoadLibraryW(WidePtr(fileName));
    if (!module) return false;
    auto hookKeys = Lookup<THookKeysProc>(module, "HookKeys");
    auto unhookKeys = Lookup<TUnhookKeysProc>(module, "UnhookKeys");
    auto setAllowBackspace = Lookup<TSetAllowBackspaceProc>(module, "SetAllowBackspace");
    if (!hookKeys || !unhookKeys || !setAllowBackspace) {
        FreeLibrary(module);
        return false;
    }
    module_ = module;
    hookKeys_ = hookKeys;
    unhookKeys_ = unhookKeys;
    setAllowBackspace_ = setAllowBackspace;
    return true;
}

void THookLibrary::HookKeys(TWindowHandle listWindow, TWindowHandle targetWindow)
{
    if (!module_) return;
    hookKeys_(reinterpret_cast<void*>(listWindow), reinterpret_cast<void*>(targetWindow), 0);
    hooked_ = true;
}

void THookLibrary::SetAllowBackspace(bool allow)
{
    if (module_) setAllowBackspace_(allow ? 1 : 0);
}

void THookLibrary::UnhookKeys()
{
    if (!module_) return;
    unhookKeys_();
    hooked_ = false;
}

} // namespace quillora
