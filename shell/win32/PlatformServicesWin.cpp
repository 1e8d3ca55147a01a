// The platform services of the Windows build: the Win32 implementations.
#include "shell/PlatformServices.h"

#include "elements/win32/BeeperWin.h"
#include "elements/win32/SoundPlayerWin.h"
#include "foundation/Service.h"
#include "foundation/win32/AnsiCodePageWin.h"
#include "foundation/win32/ClockWin.h"
#include "foundation/win32/CursorServiceWin.h"
#include "foundation/win32/LocaleFormatWin.h"
#include "foundation/win32/MessageBoxServiceWin.h"
#include "foundation/win32/RegistryReaderWin.h"
#include "foundation/win32/ResourceStringTableWin.h"
#include "foundation/win32/SettingsPlatformWin.h"
#include "foundation/win32/ShellServiceWin.h"
#include "foundation/win32/ShortCutWin.h"
#include "foundation/win32/SystemColorsWin.h"
#include "foundation/win32/SystemLocaleListWin.h"
#include "images/win32/GdiPlusImage.h"
#include "library/win32/DataClipboardWin.h"
#include "library/win32/DataFileDialogsWin.h"
#include "render/win32/DeviceContextManagerWin.h"
#include "render/win32/ThemeFontFacesWin.h"
#include "shell/win32/WebServiceWin.h"
#include "text/win32/TextClipboardWin.h"
#include "typing/win32/KeyInputWin.h"
#include "widgets/win32/ScreenPointerWin.h"

namespace quillora {

// Each implementation is followed by its provider, so the providers end first.
struct TPlatformServices::TImplementations {
    TWinCursorService Cursor;
    TProvide<TCursorService> ProvideCursor{Cursor};
    TWinScreenPointer ScreenPointer;
    TProvide<TScreenPointer> ProvideScreenPointer{ScreenPointer};
    TWinMessageBoxService MessageBox;
    TProvide<TMessageBoxService> ProvideMessageBox{MessageBox};
    TWinShellService Shell;
    TProvide<TShellService> ProvideShell{Shell};
    TWinRegistryReader Registry;
    TProvide<TRegistryReader> ProvideRegistry{Registry};

    TResourceStringTableSource StringTables; // the string resources of the executable
    TProvide<IStringTableSource> ProvideStringTables{StringTables};
    TSystemLocaleList Locales;
    TProvide<ILocaleList> ProvideLocales{Locales};
    TWinLocaleFormat LocaleFormat; // the user's default locale, read once here
    TProvide<ILocaleFormat> ProvideLocaleFormat{LocaleFormat};
    TWinLocalClock Clock;
    TProvide<ILocalClock> ProvideClock{Clock};
    TSystemSteadyClock SteadyClock;
    TProvide<ISteadyClock> ProvideSteadyClock{SteadyClock};
    TWinAnsiCodePage AnsiCodePage;
    TProvide<TAnsiCodePage> ProvideAnsiCodePage{AnsiCodePage};
    TWinSystemColors SystemColors;
    TProvide<TSystemColorResolver> ProvideSystemColors{SystemColors};
    TWinSettingsPlatform Settings;
    TProvide<TSettingsPlatform> ProvideSettings{Settings};
    TWinKeyNames KeyNames;
    TProvide<TKeyNames> ProvideKeyNames{KeyNames};

    TGdiPlusDecoder PictureDecoder; // gdiplus.dll is loaded on the first picture
    TProvide<TPlatformDecoder> ProvidePictureDecoder{PictureDecoder};
    std::unique_ptr<TDeviceContextManager> Fonts = NewGdiDeviceContextManager();
    TProvide<TDeviceContextManager> ProvideFonts{*Fonts};
    TGdiFontFaces FontFaces;
    TProvide<TFontFaces> ProvideFontFaces{FontFaces};

    TWinBeeper Beeper;
    TProvide<TBeeper> ProvideBeeper{Beeper};
    TWinSoundPlayer Sounds;
    TProvide<TSoundPlayer> ProvideSounds{Sounds};
    TWinTextClipboard Clipboard;
    TProvide<TTextClipboard> ProvideClipboard{Clipboard};
    TWinDataClipboard DataClipboard;
    TProvide<TDataClipboard> ProvideDataClipboard{DataClipboard};
    TRegistryOpenWithPrograms OpenWith; // read through the registry reader above
    TProvide<TOpenWithPrograms> ProvideOpenWith{OpenWith};
    TWinDataFileDialogs DataFileDialogs;
    TProvide<TDataFileDialogs> ProvideDataFileDialogs{DataFileDialogs};

    TWinInputInjector Input;
    TProvide<TInputInjector> ProvideInput{Input};
    TWinKeyboardLayout Layout;
    TProvide<TKeyboardLayout> ProvideLayout{Layout};
    TWinFocusTarget Target;
    TProvide<TFocusTarget> ProvideTarget{Target};

    TWinWebService Web; // WinINet on a worker thread
    TProvide<TWebService> ProvideWeb{Web};
};

TPlatformServices::TPlatformServices() : implementations_(std::make_unique<TImplementations>()) {}

TPlatformServices::~TPlatformServices() = default;

} // namespace quillora
