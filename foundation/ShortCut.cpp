#include "foundation/ShortCut.h"

#include "foundation/Input.h"
#include "foundation/Service.h"
#include "foundation/TextCompare.h"

namespace quillora {

namespace {
constexpr int FirstKeyCode = kcBack;
// Key codes 8 to 597 are tried; names exist only below 256.
constexpr int LastKeyCode = 597;
} // namespace

String ShortCutKeyName(int keyCode)
{
    switch (keyCode) {
    case kcBack: return u"BkSp";
    case kcTab: return u"Tab";
    case kcReturn: return u"Enter";
    case kcEscape: return u"Esc";
    case kcSpace: return u"Space";
    case kcPrior: return u"PgUp";
    case kcNext: return u"PgDn";
    case kcEnd: return u"End";
    case kcHome: return u"Home";
    case kcLeft: return u"Left";
    case kcUp: return u"Up";
    case kcRight: return u"Right";
    case kcDown: return u"Down";
    case kcInsert: return u"Ins";
    case kcDelete: return u"Del";
    default: break;
    }
    if ((keyCode >= kc0 && keyCode <= kc9) || (keyCode >= kcA && keyCode <= kcZ)) return String(1, static_cast<Char>(keyCode));
    if (keyCode >= kcF1 && keyCode <= kcF24) return u"F" + IntToString(keyCode - kcF1 + 1);
    if (keyCode < 0 || keyCode > 255) return {};
    return Service<TKeyNames>().KeyName(keyCode);
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
