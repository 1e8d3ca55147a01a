// Wave resources of the executable played from memory with PlaySoundW.
#include "elements/win32/SoundPlayerWin.h"

#include "foundation/win32/WinInclude.h"

#include <mmsystem.h>

#include "elements/win32/WaveResourceWin.h"

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
    // Only a well-formed wave is handed over: the player reads as far as the sizes
    // written in the block say. Resources stay mapped for the life of the module, so
    // the asynchronous play may go on reading the memory after this returns.
    std::string_view wave;
    if (!FindWaveResource(GetModuleHandleW(nullptr), name, wave)) return;
    // Without a sound device (or while another sound plays: SND_NOSTOP) the call
    // fails, which is no error of the program: the sound is feedback only.
    if (auto play = PlaySoundProc())
        play(reinterpret_cast<const wchar_t*>(wave.data()), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
}

} // namespace quillora
