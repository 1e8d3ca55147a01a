// The composition of the platform services: one TPlatformServices provides every service
// of the core for its lifetime and gives back the ones before it (in the native build the
// stand-ins, under Wine the Win32 implementations).
#include <gtest/gtest.h>

#include <vector>

#include "elements/EditCommands.h"
#include "elements/Sounds.h"
#include "foundation/AnsiCodePage.h"
#include "foundation/Clock.h"
#include "foundation/Colors.h"
#include "foundation/LocaleFormat.h"
#include "foundation/LocaleList.h"
#include "foundation/Service.h"
#include "foundation/SettingsPlatform.h"
#include "foundation/ShortCut.h"
#include "foundation/StringTableSource.h"
#include "foundation/UtilsServices.h"
#include "images/PlatformDecoder.h"
#include "library/DataElementUtils.h"
#include "render/DeviceContextManager.h"
#include "render/ThemeFontFaces.h"
#include "shell/PlatformServices.h"
#include "text/TextClipboard.h"
#include "typing/KeyInputServices.h"
#include "widgets/RangeBox.h"

namespace quillora {
namespace {

template <class... I> std::vector<const void*> ProvidedOf()
{
    return {FindService<I>()...};
}

// Every platform service, in one list.
std::vector<const void*> Provided()
{
    return ProvidedOf<TCursorService, TMessageBoxService, TShellService, TRegistryReader, IStringTableSource,
                      ILocaleList, ILocaleFormat, ILocalClock, ISteadyClock, TAnsiCodePage, TSystemColorResolver,
                      TSettingsPlatform, TKeyNames, TPlatformDecoder, TDeviceContextManager, TFontFaces, TBeeper, TSoundPlayer,
                      TTextClipboard, TDataClipboard, TOpenWithPrograms, TInputInjector, TKeyboardLayout, TFocusTarget,
                      TScreenPointer>();
}

TEST(PlatformServices, ProvideEveryServiceForTheirLifeAndGiveBackTheOnesBefore)
{
    const std::vector<const void*> before = Provided(); // the test runner's
    {
        TPlatformServices services;
        const std::vector<const void*> during = Provided();
        for (size_t i = 0; i < during.size(); ++i) {
            EXPECT_NE(during[i], nullptr) << "service " << i;
            EXPECT_NE(during[i], before[i]) << "service " << i;
        }
    }
    EXPECT_EQ(Provided(), before);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_NE(before[i], nullptr) << "service " << i;
}

} // namespace
} // namespace quillora
