#pragma once
// The program's side of the keyboard hook library "QuilloraHook.dll": loading it from
// the program's folder and calling its three functions.

#include <cstdint>

#include "foundation/Strings.h"
#include "typing/KeyInputTarget.h"

namespace quillora {

class THookLibrary {
public:
    THookLibrary() = default;
    // Unhooks when still hooked, then unloads the library.
    ~THookLibrary();
    THookLibrary(const THookLibrary&) = delete;
    THookLibrary& operator=(const THookLibrary&) = delete;

    // The program's folder + "QuilloraHook.dll".
    static String DefaultFileName();

    // Loads the library and looks up "HookKeys", "UnhookKeys" and "SetAllowBackspace".
    // A missing file raises "File not found: %1" with the file name. A file that does
    // not load, or lacks one of the three functions, gives false and is not kept, so a
    // later call tries again. True at once when a library is loaded already.
    bool Load(const String& fileName = DefaultFileName());
    bool Loaded() const { return module_ != nullptr; }

    // The library's functions; nothing happens while no library is loaded.
    void HookKeys(TWindowHandle listWindow, TWindowHandle targetWindow);
    void SetAllowBackspace(bool allow);
    void UnhookKeys();
    bool Hooked() const { return hooked_; }

private:
    using THookKeysProc = int(__stdcall*)(void* list, void* target, intptr_t reserved);
    using TSetAllowBackspaceProc = void(__stdcall*)(int allow);
    using TUnhookKeysProc = void(__stdcall*)();

    void* module_ = nullptr;
    THookKeysProc hookKeys_ = nullptr;
    TUnhookKeysProc unhookKeys_ = nullptr;
    TSetAllowBackspaceProc setAllowBackspace_ = nullptr;
    bool hooked_ = false;
};

} // namespace quillora
