#pragma once
// The keystroke sender: types a list of typing steps (text runs, single keys, the caret
// marker) into whatever control has the keyboard focus in the foreground application,
// then leaves the caret where the marker asked for it.

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Input.h"
#include "foundation/Strings.h"
#include "typing/KeyInputServices.h"
#include "typing/TypingSettings.h"

namespace quillora {


enum TMacroItemKind : uint8_t {
    mkText = 0,
    mkCaret = 1,
    mkReturn = 2,
    mkTab = 3,
    mkBack = 4,
    mkHome = 5,
    mkEnd = 6,
    mkLeft = 7,
    mkUp = 8,
    mkRight = 9,
    mkDown = 10,
    mkDel = 11,
    mkPaste = 12,
    mkWordLeft = 13,
    mkWordRight = 14,
};

// One typing step; `Text` only for mkText.
struct TMacroItem {
    TMacroItemKind Kind = mkText;
    String Text;

    bool operator==(const TMacroItem&) const = default;
};

using TMacroItems = std::vector<TMacroItem>;

// The entries of the "Method" setting.
constexpr int smCharMessages = 0;  // "Method1": one character message per UTF-16 unit
constexpr int smKeyStrokes = 1;    // synthesized key strokes, one batch per text run

// The key a step presses and whether Ctrl (or Shift) is held with it; false for the
// kinds without a key (text, caret).
bool MacroKindToKey(TMacroItemKind kind, TKeyCode& key, bool& shift, bool& ctrl);

// How one UTF-16 unit of a text run goes out as synthesized key strokes: the layout's
// key (with Shift when it needs it), or the unit itself as Unicode input.
struct TUnitStroke {
    bool Unicode = true;
    TKeyCode Key = kcNone;
    bool Shift = false;

    bool operator==(const TUnitStroke&) const = default;
};

// The layout's key only where pressing it types exactly the unit and nothing else: a
// key alone or with Shift that is not a dead key. Everything else is Unicode input:
// characters the layout lacks, surrogate halves, keys that need AltGr (injected
// Ctrl+Alt is no AltGr everywhere, and fires the target's Ctrl+Alt shortcuts), Ctrl or
// Alt (shortcuts, not text) or a layout's extra shift states, and dead keys (the next
// character would be composed with them). With `capsLock` on, a key that Caps Lock
// changes (the letters) gets Shift the other way when that types the unit, else the
// unit goes as Unicode input.
TUnitStroke StrokeOfUnit(char16_t unit, TKeyboardLayout& layout, bool capsLock = false);

// Whether a key is one of the extended keys (the navigation block, the right hand
// modifiers, ...), whose records carry kfExtendedKey.
bool IsExtendedKey(TKeyCode key);

class TKeystrokeSender {
public:
    // How long typing waits at most for the user to let go of the modifier keys.
    static constexpr unsigned ModifierWaitMs = 1000;
    static constexpr unsigned ModifierPollMs = 10;
    // Character messages overtake injected keys still queued for the target, so with
    // them a key step waits, at most KeyTakenWaitMs, until the target has taken its
    // keys; so does the step before a caret capture. KeyUnwatchedMs when that cannot be
    // watched.
    static constexpr unsigned KeyTakenWaitMs = 1000;
    static constexpr unsigned KeyTakenPollMs = 1;
    static constexpr unsigned KeyUnwatchedMs = 50;

    // "Method" and "Interval" of `settings` are read afresh at every step; input goes
    // through `services` (all three set).
    TKeystrokeSender(const TTypingSettings& settings, const TKeyInputServices& services);

    // Types the whole list, then places the caret. Nothing is typed while the user
    // holds Shift, Ctrl, Alt or a Windows key longer than ModifierWaitMs.
    void SendMacroItems(const TMacroItems& items);

    // The screen rectangle of the foreground thread's text caret; empty when there is none.
    void GetCaretScreenRect(TRect& rect);

    // The steps of SendMacroItems.
    void SendText(StringView text);
    void SendMacroKey(TMacroItemKind kind);
    // Appends the records of one key press: the key `code` (`isVirtualKey`, a TKeyCode)
    // or the key that types the UTF-16 unit `code`, with the modifiers it needs around it.
    void AddKeyStroke(uint16_t code, bool isVirtualKey, bool shift, bool ctrl, TInputsArray& inputs);
    static void AddKeyInput(uint16_t vk, uint16_t scan, uint32_t flags, TInputsArray& inputs);
    void ClickAtRectCenter(const TRect& rect);
    // Waits, at most ModifierWaitMs, until no modifier key is held; true when none is.
    bool WaitForModifiersReleased();

    // Whether the last call stopped before typing everything: the modifier keys stayed
    // held (nothing was typed), or the target stopped answering character messages
    // (the rest of the list was not typed).
    bool Abandoned() const { return abandoned_; }

private:
    int Method() const;
    unsigned Interval() const;
    void AddVirtualKey(TKeyCode key, uint32_t flags, TInputsArray& inputs);
    void AddUnicodeUnit(char16_t unit, TInputsArray& inputs);
    void CaptureCaret(TRect& caretRect);
    // The layout's answers, asked once per unit and key for each batch of records: the
    // platform looks the foreground application's layout up anew at every question,
    // which for a long run took longer than injecting it. Forgotten before each batch,
    // so a layout switched between steps counts from the next one.
    TUnitStroke Stroke(char16_t unit);
    uint16_t ScanCode(TKeyCode key);
    void ForgetLayout();
    // Injects the records of a text run or key step; with character messages, or
    // before a caret capture, returns once the target has taken them (see
    // KeyTakenWaitMs).
    void SendKeys(const TInputsArray& inputs);

    TTypingSettings settings_; // references to the keys
    TInputInjector& input_;
    TKeyboardLayout& layout_;
    TFocusTarget& target_;
    bool abandoned_ = false;
    // Caps Lock was on for the target when the text run being built was started.
    bool capsLock_ = false;
    // The next keys are followed by a caret capture (SendKeys).
    bool waitTaken_ = false;
    std::unordered_map<char16_t, TUnitStroke> strokes_;
    std::array<int32_t, 256> scanCodes_{}; // -1: not asked yet
};

// The process-wide entries, on the provided services (ProvidedKeyInputServices).
// SendMacroItems answers whether the whole list was typed (see Abandoned).
bool SendMacroItems(const TMacroItems& items, const TTypingSettings& settings);
void GetCaretScreenRect(TRect& rect);

} // namespace quillora
