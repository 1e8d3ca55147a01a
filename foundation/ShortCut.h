#pragma once
// Shortcut texts as the settings store them ("Ctrl+B", "Shift+Ctrl+Y", "^Q") and the
// global hotkeys they stand for.

#include <cstdint>

#include "foundation/Strings.h"

namespace quillora {

// Hotkey modifiers as the platform's hotkey registration takes them.
constexpr unsigned ModAlt = 1;
constexpr unsigned ModControl = 2;
constexpr unsigned ModShift = 4;

// The names that the keyboard layout gives keys without a fixed name, provided as
// Service<TKeyNames>() (foundation/Service.h): the layout's key name texts on Windows,
// TNoKeyNames elsewhere.
class TKeyNames {
public:
    virtual ~TKeyNames() = default;
    // The name of `keyCode` (0..255); empty when there is none.
    virtual String KeyName(int keyCode) const = 0;
};

// Every key without a fixed name is nameless.
class TNoKeyNames : public TKeyNames {
public:
    String KeyName(int) const override { return {}; }
};

// The name of key code `keyCode` in shortcut texts: "BkSp", "Tab", "Enter", "Esc",
// "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right", "Down", "Ins", "Del",
// digits, capital letters, "F1" to "F24", else the name of Service<TKeyNames>().
String ShortCutKeyName(int keyCode);

// Any sequence of "Shift+", "Ctrl+" (or "^") and "Alt+", without regard to case, then
// one key name (the first key code from 8 on whose name matches without regard to
// case). Fails only for an empty text; a text that does not parse gives key 0 and no
// modifiers.
bool ShortCutToHotKey(StringView text, unsigned& modifiers, unsigned& key);

// The text of a shortcut, prefixes in the order "Shift+", "Ctrl+", "Alt+"; empty for
// key 0 or a key without a name.
String HotKeyToShortCut(unsigned modifiers, unsigned key);

} // namespace quillora
