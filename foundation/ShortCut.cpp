#include "foundation/ShortCut.h"

#include "foundation/TextCompare.h"

namespace quillora {

namespace {
constexpr int FirstKeyCode = 8;
// Key codes 8 to 597 are tried; names exist only below 256.
constexpr int LastKeyCode = 597;
} // namespace

#ifndef _WIN32
String PlatformKeyName(int) { return {}; }
#endif

String ShortCutKeyName(int keyCode)
{
    switch (keyCode) {
    case 8: return u"BkSp";
    case 9: return u"Tab";
    case 13: return u"Enter";
    case 27: return u"Esc";
    case 32: return u"Space";
    case 33: return u"PgUp";
    case 34: return u"PgDn";
    case 35: return u"End";
    case 36: return u"Home";
    case 37: return u"Left";
    case 38: return u"Up";
    case 39: return u"Right";
    case 40: return u"Down";
    case 45: return u"Ins";
    case 46: return u"Del";
    default: break;
    }
    if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z')) return String(1, static_cast<Char>(keyCode));
    if (keyCode >= 112 && keyCode <= 135) return u"F" + IntToString(keyCode - 111);
    if (keyCode < 0 || keyCode > 255) return {};
    return PlatformKeyName(keyCode);
}

bool ShortCutToHotKey(StringView text, unsigned& modifiers, unsigned& key)
{
    modifiers = 0;
    key = 0;
    if (text.empty()) return false;
    unsigned mods = 0;
    for (;;) {
        if (StartsWithIgnoreCase(text, u"Shift+")) {
            mods |= ModShift;
            text.remove_prefix(6);
        } else if (StartsWithIgnoreCase(text, u"Ctrl+")) {
            mods |= ModControl;
            text.remove_prefix(5);
        } else if (StartsWithIgnoreCase(text, u"^")) {
            mods |= ModControl;
            text.remove_prefix(1);
        } else if (StartsWithIgnoreCase(text, u"Alt+")) {
            mods |= ModAlt;
            text.remove_prefix(4);
        } else {
            break;
        }
    }
    if (text.empty()) return true;
    for (int code = FirstKeyCode; code <= LastKeyCode; ++code) {
        String name = ShortCutKeyName(code);
        if (!name.empty() && SameTextIgnoreCase(name, text)) {
            modifiers = mods;
            key = static_cast<unsigned>(code);
            return true;
        }
    }
    return true;
}

String HotKeyToShortCut(unsigned modifiers, unsigned key)
{
    String name = key ? ShortCutKeyName(static_cast<int>(key)) : String();
    if (name.empty()) return {};
    String text;
    if (modifiers & ModShift) text += u"Shift+";
    if (modifiers & ModControl) text += u"Ctrl+";
    if (modifiers & ModAlt) text += u"Alt+";
    return text + name;
}

} // namespace quillora
