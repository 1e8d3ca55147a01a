#include "typing/SendKeys.h"

#include <algorithm>

#include "typing/TypingSettings.h"

namespace quillora {

namespace {

// The fixed pauses around a caret capture and the caret click.
constexpr unsigned PauseBeforeCaretMs = 100;
constexpr unsigned PauseAfterCaretMs = 20;

void CaretScreenRect(TFocusTarget& target, TRect& rect)
{
    rect = TRect{};
    TWindowHandle caretWindow = 0;
    TRect caret;
    if (!target.ForegroundCaret(caretWindow, caret)) return;
    TPoint origin;
    if (!target.ClientToScreen(caretWindow, origin)) return;
    caret.Offset(origin.X, origin.Y);
    rect = caret;
}

// Puts the pointer back where it was, however the click ends.
class TCursorRestore {
public:
    TCursorRestore(TInputInjector& input, TPoint saved) : input_(input), saved_(saved) {}
    ~TCursorRestore() { input_.SetCursorPos(saved_); }
    TCursorRestore(const TCursorRestore&) = delete;
    TCursorRestore& operator=(const TCursorRestore&) = delete;

private:
    TInputInjector& input_;
    TPoint saved_;
};

} // namespace

bool MacroKindToKey(TMacroItemKind kind, uint8_t& vk, bool& shift, bool& ctrl)
{
    shift = false;
    ctrl = false;
    switch (kind) {
    case mkReturn: vk = vkReturn; return true;
    case mkTab: vk = vkTab; return true;
    case mkBack: vk = vkBack; return true;
    case mkHome: vk = vkHome; return true;
    case mkEnd: vk = vkEnd; return true;
    case mkLeft: vk = vkLeft; return true;
    case mkUp: vk = vkUp; return true;
    case mkRight: vk = vkRight; return true;
    case mkDown: vk = vkDown; return true;
    case mkDel: vk = vkDelete; return true;
    case mkPaste: vk = vkV; ctrl = true; return true;
    case mkWordLeft: vk = vkLeft; ctrl = true; return true;
    case mkWordRight: vk = vkRight; ctrl = true; return true;
    case mkText:
    case mkCaret: break;
    }
    vk = 0;
    return false;
}

bool IsExtendedKey(uint8_t vk)
{
    switch (vk) {
    case 0x21: case 0x22: case 0x23: case 0x24:  // Page Up, Page Down, End, Home
    case 0x25: case 0x26: case 0x27: case 0x28:  // the arrows
    case 0x2C: case 0x2D: case 0x2E:             // Print Screen, Insert, Delete
    case 0x5B: case 0x5C: case 0x5D:             // the Windows keys, Applications
    case 0x6F: case 0x90:                        // numeric-pad Divide, Num Lock
    case 0xA3: case 0xA5:                        // right Ctrl, right Alt
        return true;
    default:
        return false;
    }
}

TKeystrokeSender::TKeystrokeSender(const TTypingSettings& settings, const TKeyInputServices& services)
    : settings_(settings), input_(*services.Input), layout_(*services.Layout), target_(*services.Target)
{
}

int TKeystrokeSender::Method() const
{
    return settings_.Method.Value() == smCharMessages ? smCharMessages : smKeyStrokes;
}

unsigned TKeystrokeSender::Interval() const
{
    return static_cast<unsigned>(std::clamp(settings_.Interval.Value(), 1, 200));
}

void TKeystrokeSender::AddKeyInput(uint16_t vk, uint16_t scan, uint32_t flags, TInputsArray& inputs)
{
    TInputRecord record;
    record.Type = itKeyboard;
    record.Vk = vk;
    record.Scan = scan;
    record.Flags = flags;
    inputs.push_back(record);
}

void TKeystrokeSender::AddVirtualKey(uint8_t vk, uint32_t flags, TInputsArray& inputs)
{
    AddKeyInput(vk, layout_.ScanCode(vk), flags | (IsExtendedKey(vk) ? kfExtendedKey : 0), inputs);
}

void TKeystrokeSender::AddUnicodeUnit(char16_t unit, TInputsArray& inputs)
{
    AddKeyInput(0, unit, kfUnicode, inputs);
    AddKeyInput(0, unit, kfUnicode | kfKeyUp, inputs);
}

void TKeystrokeSender::AddKeyStroke(uint16_t code, bool isVirtualKey, bool shift, bool ctrl, TInputsArray& inputs)
{
    uint8_t vk = 0;
    bool alt = false;
    if (isVirtualKey) {
        vk = static_cast<uint8_t>(code);
    } else {
        const char16_t unit = static_cast<char16_t>(code);
        // Surrogate halves have no key; the pair goes out as two Unicode units of
        // the same batch.
        if (IsSurrogate(unit)) {
            AddUnicodeUnit(unit, inputs);
            return;
        }
        const int16_t scan = layout_.VkKeyScan(unit);
        const unsigned state = (static_cast<uint16_t>(scan) >> 8) & 0xFF;
        vk = static_cast<uint8_t>(scan & 0xFF);
        const unsigned chord = state & (ksControl | ksAlt);
        // Typed as a Unicode unit instead of a key: characters the layout cannot
        // produce, keys that need a shift state beyond Shift and AltGr (Ctrl+Alt), and
        // keys that need Ctrl or Alt alone, which would be shortcuts rather than text.
        if (scan == -1 || vk == 0xFF || (state & ~(ksShift | ksControl | ksAlt)) != 0 ||
            (chord != 0 && chord != (ksControl | ksAlt))) {
            AddUnicodeUnit(unit, inputs);
            return;
        }
        shift = shift || (state & ksShift) != 0;
        if (chord != 0) {
            ctrl = true;
            alt = true;
        }
    }
    if (shift) AddVirtualKey(vkShift, 0, inputs);
    if (ctrl) AddVirtualKey(vkControl, 0, inputs);
    if (alt) AddVirtualKey(vkMenu, 0, inputs);
    AddVirtualKey(vk, 0, inputs);
    AddVirtualKey(vk, kfKeyUp, inputs);
    if (alt) AddVirtualKey(vkMenu, kfKeyUp, inputs);
    if (ctrl) AddVirtualKey(vkControl, kfKeyUp, inputs);
    if (shift) AddVirtualKey(vkShift, kfKeyUp, inputs);
}

void TKeystrokeSender::SendText(StringView text)
{
    if (Method() == smCharMessages) {
        for (char16_t unit : text) {
            if (target_.SendChar(target_.FocusWindow(), unit) == cdNotAnswering) {
                abandoned_ = true;
                return;
            }
            input_.Sleep(Interval());
        }
        return;
    }
    TInputsArray inputs;
    inputs.reserve(text.size() * 2);
    for (char16_t unit : text) AddKeyStroke(unit, false, false, false, inputs);
    input_.SendInput(inputs);
    input_.Sleep(Interval());
}

void TKeystrokeSender::SendMacroKey(TMacroItemKind kind)
{
    uint8_t vk;
    bool shift, ctrl;
    if (!MacroKindToKey(kind, vk, shift, ctrl)) return;
    TInputsArray inputs;
    AddKeyStroke(vk, true, shift, ctrl, inputs);
    input_.SendInput(inputs);
    input_.Sleep(Interval());
}

void TKeystrokeSender::GetCaretScreenRect(TRect& rect)
{
    CaretScreenRect(target_, rect);
}

void TKeystrokeSender::CaptureCaret(TRect& caretRect)
{
    input_.ProcessPendingMessages();
    input_.Sleep(PauseBeforeCaretMs);
    GetCaretScreenRect(caretRect);
    input_.ProcessPendingMessages();
    input_.Sleep(PauseAfterCaretMs);
}

void TKeystrokeSender::ClickAtRectCenter(const TRect& rect)
{
    TPoint saved;
    if (rect.IsEmpty() || !input_.CursorPos(saved)) return;
    const TPoint centre{rect.Left + (rect.Right - rect.Left) / 2, rect.Top + (rect.Bottom - rect.Top) / 2};
    const bool swapped = input_.MouseButtonsSwapped();
    TInputsArray inputs(2);
    for (TInputRecord& record : inputs) {
        record.Type = itMouse;
        record.Dx = centre.X;
        record.Dy = centre.Y;
    }
    inputs[0].Flags = (swapped ? mfRightDown : mfLeftDown) | mfAbsolute;
    inputs[1].Flags = (swapped ? mfRightUp : mfLeftUp) | mfAbsolute;

    TCursorRestore restore(input_, saved);
    input_.ProcessPendingMessages();
    input_.Sleep(PauseBeforeCaretMs);
    input_.SetCursorPos(centre);
    input_.SendInput(inputs);
    input_.ProcessPendingMessages();
    input_.Sleep(PauseAfterCaretMs);
}

bool TKeystrokeSender::WaitForModifiersReleased()
{
    const uint64_t start = input_.TickCount();
    while (input_.HeldModifiers() != 0) {
        if (input_.TickCount() - start >= ModifierWaitMs) return false;
        input_.Sleep(ModifierPollMs);
    }
    return true;
}

void TKeystrokeSender::SendMacroItems(const TMacroItems& items)
{
    abandoned_ = false;

    // Which caret moves the steps after the last caret marker make, as long as they
    // can be undone by pressing Left: one press per UTF-16 unit of a text run, as the
    // plain edit controls step.
    int leftCount = 0;
    bool countable = true;
    bool caretFound = false;
    for (auto it = items.rbegin(); it != items.rend() && countable && !caretFound; ++it) {
        switch (it->Kind) {
        case mkText: leftCount += static_cast<int>(it->Text.size()); break;
        case mkTab:
        case mkRight: ++leftCount; break;
        case mkBack:
        case mkLeft: --leftCount; break;
        case mkCaret: caretFound = true; break;
        default: countable = false; break;
        }
    }
    if (!caretFound) countable = false;

    // Keys the user still holds would turn the typed characters into shortcuts (Ctrl+Q
    // quits, Win+L locks): rather nothing than that.
    if (!WaitForModifiersReleased()) {
        abandoned_ = true;
        return;
    }

    TRect caretRect;
    for (const TMacroItem& item : items) {
        if (abandoned_) return;
        switch (item.Kind) {
        case mkText: SendText(item.Text); break;
        case mkCaret:
            if (!countable) CaptureCaret(caretRect);
            break;
        default: SendMacroKey(item.Kind); break;
        }
    }
    if (abandoned_) return;

    if (!countable) {
        ClickAtRectCenter(caretRect);
    } else if (leftCount > 0) {
        TInputsArray inputs;
        inputs.reserve(static_cast<size_t>(leftCount) * 2);
        for (int i = 0; i < leftCount; ++i) AddKeyStroke(vkLeft, true, false, false, inputs);
        input_.SendInput(inputs);
    }
}

bool SendMacroItems(const TMacroItems& items, const TTypingSettings& settings)
{
    TKeystrokeSender sender(settings);
    sender.SendMacroItems(items);
    return !sender.Abandoned();
}

void GetCaretScreenRect(TRect& rect)
{
    CaretScreenRect(*KeyInputServices().Target, rect);
}

} // namespace quillora
