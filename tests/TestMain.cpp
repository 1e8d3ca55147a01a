#include <gtest/gtest.h>

#include "foundation/Localization.h"
#include "shell/PlatformServices.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // Plain LF output under Wine, so the test log reads the same as the native one.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    // As the program does at start-up: the platform's services (Windows-side tests use the
    // real ones), English with English behind it.
    quillora::TPlatformServices platformServices;
    quillora::Localization().SetFallbackLanguage(quillora::LangEnglish);
    quillora::Localization().SetLanguage(quillora::LangEnglish);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
