// Wave resources of the executable played from memory with PlaySoundW.
#include "elements/win32/SoundPlayerWin.h"

#include "foundation/win32/WinInclude.h"

#include <mmsystem.h>

namespace quillora {

namespace {

using TPlaySound = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);

// winmm is loaded on the first sound, so programs that never play one never load it.
TPlaySound PlaySoundProc()
{
    static TPlaySound proc = [] {
        HMODULE winmm = LoadLibraryW(L"winmm.dll");
        return winmm ? reinterpret_cast<TPlaySound>(reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundW")))
                     : nullptr;
    }();
    return proc;
}

} // namespace

void TWinSoundPlayer::PlayResourceSound(const String& name)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, reinterpret_cast<const wchar_t*>(name.c_str()), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!info) return;
    HGLOBAL block = LoadResource(module, info);
    const void* wave = block ? LockResource(block) : nullptr;
    if (!wave) return;
    // Resources stay mapped for the life of the module, so the asynchronous play may
    // go on reading the memory after this returns.
    if (auto play = PlaySoundProc())
        play(static_cast<const wchar_t*>(wave), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
}

} // namespace quillora
