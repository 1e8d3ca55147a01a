// The platform services outside Windows: the portable stand-ins.
#ifndef _WIN32

#include "shell/PlatformServices.h"

#include "elements/EditCommands.h"
#include "elements/Sounds.h"
#include "foundation/AnsiCodePage.h"
#include "foundation/ClockNative.h"
#include "foundation/Colors.h"
#include "foundation/FixedLocaleList.h"
#include "foundation/GeneratedStringTables.h"
#include "foundation/LocaleFormat.h"
#include "foundation/Service.h"
#include "foundation/SettingsPlatform.h"
#include "foundation/ShortCut.h"
#include "foundation/UtilsNative.h"
#include "images/PngDecoder.h"
#include "library/DataElementUtils.h"
#include "render/FontFixed.h"
#include "render/ThemeFontFaces.h"
#include "shell/WebSupport.h"
#include "text/TextClipboard.h"
#include "typing/KeyInputServicesNative.h"
#include "widgets/RangeBox.h"

namespace quillora {

// Each implementation is followed by its provider, so the providers end first.
struct TPlatformServices::TImplementations {
    TNativeCursorService Cursor;
    TProvide<TCursorService> ProvideCursor{Cursor};
    TMemoryScreenPointer ScreenPointer;
    TProvide<TScreenPointer> ProvideScreenPointer{ScreenPointer};
    TNativeMessageBoxService MessageBox;
    TProvide<TMessageBoxService> ProvideMessageBox{MessageBox};
    TNativeShellService Shell;
    TProvide<TShellService> ProvideShell{Shell};
    TNativeRegistryReader Registry;
    TProvide<TRegistryReader> ProvideRegistry{Registry};

    TTableStringSource StringTables{GeneratedStringTables()};
    TProvide<IStringTableSource> ProvideStringTables{StringTables};
    TFixedLocaleList Locales{StandardLocales(), LangEnglish};
    TProvide<ILocaleList> ProvideLocales{Locales};
    TFixedLocaleFormat LocaleFormat{EnglishUnitedStatesFormatSettings()};
    TProvide<ILocaleFormat> ProvideLocaleFormat{LocaleFormat};
    TSystemLocalClock Clock;
    TProvide<ILocalClock> ProvideClock{Clock};
    TSystemSteadyClock SteadyClock;
    TProvide<ISteadyClock> ProvideSteadyClock{SteadyClock};
    TCp1252CodePage AnsiCodePage;
    TProvide<TAnsiCodePage> ProvideAnsiCodePage{AnsiCodePage};
    TFixedSystemColors SystemColors;
    TProvide<TSystemColorResolver> ProvideSystemColors{SystemColors};
    TFixedSettingsPlatform Settings;
    TProvide<TSettingsPlatform> ProvideSettings{Settings};
    TNoKeyNames KeyNames;
    TProvide<TKeyNames> ProvideKeyNames{KeyNames};

    TPngDecoder PictureDecoder;
    TProvide<TPlatformDecoder> ProvidePictureDecoder{PictureDecoder};
    TFixedFontManager Fonts;
    TProvide<TDeviceContextManager> ProvideFonts{Fonts};
    TAnyFontFaces FontFaces;
    TProvide<TFontFaces> ProvideFontFaces{FontFaces};

    TSilentBeeper Beeper;
    TProvide<TBeeper> ProvideBeeper{Beeper};
    TSilentSoundPlayer Sounds;
    TProvide<TSoundPlayer> ProvideSounds{Sounds};
    TMemoryTextClipboard Clipboard;
    TProvide<TTextClipboard> ProvideClipboard{Clipboard};
    TMemoryDataClipboard DataClipboard;
    TProvide<TDataClipboard> ProvideDataClipboard{DataClipboard};
    TNoOpenWithPrograms OpenWith;
    TProvide<TOpenWithPrograms> ProvideOpenWith{OpenWith};

    TNativeInputInjector Input;
    TProvide<TInputInjector> ProvideInput{Input};
    TNativeKeyboardLayout Layout;
    TProvide<TKeyboardLayout> ProvideLayout{Layout};
    TNativeFocusTarget Target;
    TProvide<TFocusTarget> ProvideTarget{Target};

    TNoWebService Web;
    TProvide<TWebService> ProvideWeb{Web};
};

TPlatformServices::TPlatformServices() : implementations_(std::make_unique<TImplementations>()) {}

TPlatformServices::~TPlatformServices() = default;

} // namespace quillora

#endif
