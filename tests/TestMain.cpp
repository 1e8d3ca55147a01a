#include <gtest/gtest.h>

#include "foundation/ErrorHandler.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "shell/PlatformServices.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#endif

namespace {
// An error that reaches the edge of a window's message during a test fails that test
// (instead of opening a message box nobody closes). Tests that expect one provide their own.
class TFailingErrorHandler : public quillora::TErrorHandler {
public:
    void ShowError(const quillora::String& message) override
    {
        ADD_FAILURE() << "error handler called: " << quillora::StringToUtf8(message);
    }
};
} // namespace

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
    TFailingErrorHandler errors;
    quillora::TProvide<quillora::TErrorHandler> provideErrors(errors);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
