#pragma once
// The platform services behind the utilities: the screen cursor, the modal message
// box, the shell's "execute" and the registry, each asked as Service<I>()
// (foundation/Service.h). The Windows build provides the real ones; elsewhere quiet
// stand-ins answer (foundation/UtilsNative.h).

#include <cstdint>
#include <vector>

#include "foundation/Strings.h"

namespace quillora {

// Screen cursor numbers: the standard cursors are negative, 0 is the default cursor,
// positive numbers are the program's own cursors registered at start-up.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The cursor shown over every window of the program while it is not crDefault.
class TCursorService {
public:
    virtual ~TCursorService() = default;
    virtual TCursor ScreenCursor() const = 0;
    virtual void SetScreenCursor(TCursor cursor) = 0;
};

// Message-box flags and results (the platform's values).
constexpr unsigned mbOk = 0x0;
constexpr unsigned mbOkCancel = 0x1;
constexpr unsigned mbYesNoCancel = 0x3;
constexpr unsigned mbYesNo = 0x4;
constexpr unsigned mbIconError = 0x10;
constexpr unsigned mbIconQuestion = 0x20;
constexpr unsigned mbIconWarning = 0x30;
constexpr unsigned mbIconInformation = 0x40;
constexpr unsigned mbDefButton2 = 0x100; // the second button is the default one
constexpr unsigned mbTopmost = 0x40000;
constexpr int idOk = 1;
constexpr int idCancel = 2;
constexpr int idYes = 6;
constexpr int idNo = 7;

class TMessageBoxService {
public:
    virtual ~TMessageBoxService() = default;
    // Shows the modal box over the active window; returns the id of the chosen button.
    virtual int Show(const String& text, const String& caption, unsigned flags) = 0;
    // Whether the program's active window stays on top of others.
    virtual bool ActiveWindowIsTopmost() const = 0;
    // The application's own title (the caption when nothing better is known).
    virtual String ApplicationTitle() const = 0;
};

// Show commands (the platform's values).
constexpr int swHide = 0;
constexpr int swShowNormal = 1;
constexpr int swShowMinimized = 2;
constexpr int swShowMaximized = 3;

class TShellService {
public:
    virtual ~TShellService() = default;
    // Asks the shell to perform `verb` (empty: the default action) on `fileName` with
    // `parameters`. Returns the shell's value: above 32 means success, otherwise an
    // error code (2 file not found, 3 path not found, 5 access denied, 27 incomplete
    // association, 31 no association, ...).
    virtual intptr_t Execute(const String& verb, const String& fileName, const String& parameters,
                             int showCommand) = 0;
};

enum TRegistryRoot {
    rrClassesRoot,
    rrCurrentUser,
    rrLocalMachine,
};

class TRegistryReader {
public:
    virtual ~TRegistryReader() = default;
    // The string value `valueName` (empty: the key's default value) of `key` under
    // `root`; false when the key or value is missing or not a string.
    virtual bool ReadString(TRegistryRoot root, const String& key, const String& valueName, String& value) const = 0;
    // Whether `key` exists under `root` and can be opened for reading.
    virtual bool KeyExists(TRegistryRoot root, const String& key) const = 0;
    // The names of the subkeys of `key`, in the registry's order; false (and `names`
    // empty) when the key is missing.
    virtual bool GetSubKeyNames(TRegistryRoot root, const String& key, std::vector<String>& names) const = 0;
    // The names of the values of `key` (the unnamed default value left out), in the
    // registry's order; false (and `names` empty) when the key is missing.
    virtual bool GetValueNames(TRegistryRoot root, const String& key, std::vector<String>& names) const = 0;
};

} // namespace quillora
