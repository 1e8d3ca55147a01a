#include <gtest/gtest.h>

#include "foundation/win32/WinInclude.h"

#include "elements/Sounds.h"
#include "elements/WaveFormat.h"
#include "elements/win32/WaveResourceWin.h"
#include "foundation/Service.h"
#include "foundation/Utils.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {
namespace {

// Every sound the program plays.
const char16_t* const SoundNames[] = {u"diClassesDropDownSound", u"diClassesValueSound",
                                      u"diClassesItemSound",     u"diClassesElementSound",
                                      u"diClassesDisableSound",  u"diExpandButtonExpandSound",
                                      u"diExpandButtonCollapseSound", u"diLogMessageSound"};

void ExpectEverySound(HMODULE module)
{
    for (const char16_t* name : SoundNames) {
        std::string_view wave;
        ASSERT_TRUE(FindWaveResource(module, name, wave)) << StringToUtf8(name);
        TWaveFormat format;
        EXPECT_TRUE(ReadWaveFormat(wave, format)) << StringToUtf8(name);
        EXPECT_EQ(format.Channels, 1) << StringToUtf8(name);
        EXPECT_LE(wave.size(), 16u * 1024) << StringToUtf8(name);
    }
    std::string_view none;
    EXPECT_FALSE(FindWaveResource(module, u"diNoSuchSound", none));
}

TEST(SoundsWin, TheProgramCarriesEverySoundAsAWave)
{
    // The real program, beside this runner's build folder, read as data.
    const String program = GetProgramFolder() + u"..\\shell\\win32\\Quillora.exe";
    HMODULE module = LoadLibraryExW(WidePtr(program), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << StringToUtf8(program);
    ExpectEverySound(module);
    FreeLibrary(module);
}

// The runner carries the same resources, so the player runs as in the program. Without a
// sound device (as under Wine here) playing fails quietly; it never fails the program.
TEST(SoundsWin, ThePlayerTakesEverySoundAndMissingOnesPlayNothing)
{
    ExpectEverySound(GetModuleHandleW(nullptr));
    for (const char16_t* name : SoundNames) Service<TSoundPlayer>().PlayResourceSound(name);
    Service<TSoundPlayer>().PlayResourceSound(u"diNoSuchSound");
    Service<TSoundPlayer>().PlayResourceSound(u"");
    Sleep(200);
    // Another round while one may still be playing (SND_NOSTOP: it is not cut off).
    for (const char16_t* name : SoundNames) Service<TSoundPlayer>().PlayResourceSound(name);
    // Stop whatever plays before the runner goes on (winmm is loaded by the first sound).
    using TPlaySound = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    if (HMODULE winmm = GetModuleHandleW(L"winmm.dll"))
        if (auto play = reinterpret_cast<TPlaySound>(reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundW"))))
            play(nullptr, nullptr, 0);
}

} // namespace
} // namespace quillora
