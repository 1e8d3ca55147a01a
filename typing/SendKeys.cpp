#include "typing/SendKeys.h"

#include <algorithm>

#include "foundation/Service.h"
#include "typing/TypingSettings.h"

namespace quillora {

namespace {

// The fixed pauses around a caret capture and the caret click.
constexpr unsigned PauseBeforeCaretMs = 100;
constexpr unsigned PauseAfterCaretMs = 20;

// A caret rectangle that an accessibility source gave: a bar has no width, or (laid on
// its side) no height, but never neither.
bool IsCaretShape(const TRect& r)
{
    return r.Right >= r.Left && r.Bottom >= r.Top && (r.Right > r.Left || r.Bottom > r.Top);
}

// The system caret of the foreground thread; where there is none, the caret that the
// focused control exposes to accessibility clients (programs that draw their own):
// first through the older accessibility interface, which most such programs answer and
// which is cheap to ask, then through UI Automation's text pattern.
void CaretScreenRect(TFocusTarget& target, TRect& rect)
{
    rect = TRect{};
    TWindowHandle caretWindow = 0;
    TRect caret;
    TPoint origin;
    if (target.ForegroundCaret(caretWindow, caret) && target.ClientToScreen(caretWindow, origin)) {
        caret.Offset(origin.X, origin.Y);
        rect = caret;
        return;
    }
    TRect exposed;
    if (target.AccessibleCaret(exposed) && IsCaretShape(exposed)) {
        rect = exposed;
        return;
    }
    exposed = TRect{};
    if (target.AutomationCaret(exposed) && IsCaretShape(exposed)) rect = exposed;
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

bool MacroKindToKey(TMacroItemKind kind, TKeyCode& key, bool& shift, bool& ctrl)
{
    shift = false;
    ctrl = false;
    switch (kind) {
    case mkReturn: key = kcReturn; return true;
    case mkTab: key = kcTab; return true;
    case mkBack: key = kcBack; return true;
    case mkHome: key = kcHome; return true;
    case mkEnd: key = kcEnd; return true;
    case mkLeft: key = kcLeft; return true;
    case mkUp: key = kcUp; return true;
    case mkRight: key = kcRight; return true;
    case mkDown: key = kcDown; return true;
    case mkDel: key = kcDelete; return true;
    case mkPaste: key = kcV; ctrl = true; return true;
    case mkWordLeft: key = kcLeft; ctrl = true; return true;
    case mkWordRight: key = kcRight; ctrl = true; return true;
    case mkText:
    case mkCaret: break;
    }
    key = kcNone;
    return false;
}

TUnitStroke StrokeOfUnit(char16_t unit, TKeyboardLayout& layout, bool capsLock)
{
    // Surrogate halves have no key; the pair goes out as two Unicode units of one batch.
    if (IsSurrogate(unit)) return {};
    const int16_t scan = layout.VkKeyScan(unit);
    if (scan == -1) return {};
    const unsigned state = (static_cast<uint16_t>(scan) >> 8) & 0xFF;
    const TKeyCode key = static_cast<TKeyCode>(scan & 0xFF);
    if (key == 0xFF || key == kcNone || (state & ~ksShift) != 0) return {};
    if (layout.IsDeadKey(key)) return {};
    const bool shift = (state & ksShift) != 0;
    if (capsLock && layout.TypedUnit(key, shift, true) != unit) {
        if (layout.TypedUnit(key, !shift, true) == unit) return {false, key, !shift};
        return {};
    }
    return {false, key, shift};
}

bool IsExtendedKey(TKeyCode key)
{
    switch (key) {
    case kcPrior: case kcNext: case kcEnd: case kcHome:
    case kcLeft: case kcUp: case kcRight: case kcDown:
    case kcSnapshot: case kcInsert: case kcDelete:
    case kcLWin: case kcRWin: case kcApps:
    case kcDivide: case kcNumLock:
    case kcRControl: case kcRMenu:
        return true;
    default:
        return false;
    }
}

TKeystrokeSender::TKeystrokeSender(const TTypingSettings& settings, const TKeyInputServices& services)
    : settings_(settings), input_(*services.Input), layout_(*services.Layout), target_(*services.Target)
{
    ForgetLayout();
}

void TKeystrokeSender::ForgetLayout()
{
    strokes_.clear();
    scanCodes_.fill(-1);
}

TUnitStroke TKeystrokeSender::Stroke(char16_t unit)
{
    auto [it, added] = strokes_.try_emplace(unit);
    if (added) it->second = StrokeOfUnit(unit, layout_, capsLock_);
    return it->second;
}

uint16_t TKeystrokeSender::ScanCode(TKeyCode key)
{
    int32_t& code = scanCodes_[key & 0xFF];
    if (code < 0) code = layout_.ScanCode(key);
    return static_cast<uint16_t>(code);
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

void TKeystrokeSender::AddVirtualKey(TKeyCode key, uint32_t flags, TInputsArray& inputs)
{
    AddKeyInput(key, ScanCode(key), flags | (IsExtendedKey(key) ? kfExtendedKey : 0), inputs);
}

void TKeystrokeSender::AddUnicodeUnit(char16_t unit, TInputsArray& inputs)
{
    AddKeyInput(0, unit, kfUnicode, inputs);
    AddKeyInput(0, unit, kfUnicode | kfKeyUp, inputs);
}

void TKeystrokeSender::AddKeyStroke(uint16_t code, bool isVirtualKey, bool shift, bool ctrl, TInputsArray& inputs)
{
    TKeyCode key = kcNone;
    if (isVirtualKey) {
        key = code;
    } else {
        const TUnitStroke stroke = Stroke(static_cast<char16_t>(code));
        if (stroke.Unicode) {
            AddUnicodeUnit(static_cast<char16_t>(code), inputs);
            return;
        }
        key = stroke.Key;
        shift = shift || stroke.Shift;
    }
    if (shift) AddVirtualKey(kcShift, 0, inputs);
    if (ctrl) AddVirtualKey(kcControl, 0, inputs);
    AddVirtualKey(key, 0, inputs);
    AddVirtualKey(key, kfKeyUp, inputs);
    if (ctrl) AddVirtualKey(kcControl, kfKeyUp, inputs);
    if (shift) AddVirtualKey(kcShift, kfKeyUp, inputs);
}

void TKeystrokeSender::SendText(StringView text)
{
    if (Method() == smCharMessages) {
        // The focused control, asked once for the run (asking attaches to its thread).
        const TWindowHandle focus = target_.FocusWindow();
        for (size_t i = 0; i < text.size();) {
            // A surrogate pair goes as its two messages back to back, one pause after both.
            const size_t length = CodePointLength(text, i);
            for (size_t k = 0; k < length; ++k) {
                if (target_.SendChar(focus, text[i + k]) == cdNotAnswering) {
                    abandoned_ = true;
                    return;
                }
            }
            i += length;
            input_.Sleep(Interval());
        }
        return;
    }
    TInputsArray inputs;
    inputs.reserve(text.size() * 2);
    ForgetLayout();
    capsLock_ = target_.CapsLockOn();
    for (char16_t unit : text) AddKeyStroke(unit, false, false, false, inputs);
    capsLock_ = false;
    SendKeys(inputs);
    input_.Sleep(Interval());
}

void TKeystrokeSender::SendKeys(const TInputsArray& inputs)
{
    if (inputs.empty()) return;
    // The target reads sent character messages before the input waiting in its queue,
    // and a caret capture reads where the target's caret stands: either must wait
    // until the target has taken these keys. The watched key is the last one released:
    // its toggle bit flips with every press the target takes (so it tells only when
    // the records press it an odd number of times), and its down bit clears when the
    // target takes the release. Unicode units arrive as the packet key.
    const bool wait = Method() == smCharMessages || waitTaken_;
    const TInputRecord& last = inputs.back();
    const TKeyCode watched = (last.Flags & kfUnicode) ? kcPacket : last.Vk;
    size_t presses = 0;
    for (const TInputRecord& r : inputs)
        if (r.Type == itKeyboard && !(r.Flags & kfKeyUp) && ((r.Flags & kfUnicode) ? kcPacket : r.Vk) == watched)
            ++presses;
    const TWindowHandle window = wait ? target_.FocusWindow() : 0;
    uint8_t before = 0;
    const bool watchable = window && last.Type == itKeyboard && (last.Flags & kfKeyUp) && presses % 2 == 1 &&
                           target_.TakenKeyState(window, watched, before);
    input_.SendInput(inputs);
    if (!wait) return;
    if (!watchable) {
        input_.Sleep(KeyUnwatchedMs);
        return;
    }
    const uint64_t start = input_.TickCount();
    for (;;) {
        uint8_t now = 0;
        if (!target_.TakenKeyState(window, watched, now)) return;
        if ((now & 0x80) == 0 && ((now ^ before) & 0x01) != 0) return;
        if (input_.TickCount() - start >= KeyTakenWaitMs) return;
        input_.Sleep(KeyTakenPollMs);
    }
}

void TKeystrokeSender::SendMacroKey(TMacroItemKind kind)
{
    TKeyCode key;
    bool shift, ctrl;
    if (!MacroKindToKey(kind, key, shift, ctrl)) return;
    TInputsArray inputs;
    ForgetLayout();
    AddKeyStroke(key, true, shift, ctrl, inputs);
    SendKeys(inputs);
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
    // Each record carries its point: a click that took the pointer's position could land
    // wherever a pointer movement still on its way (the user's hand, an earlier warp) put it.
    inputs[0].Flags = (swapped ? mfRightDown : mfLeftDown) | mfMove | mfAbsolute;
    inputs[1].Flags = (swapped ? mfRightUp : mfLeftUp) | mfMove | mfAbsolute;

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
    // Whatever watching the target's keys held on to is let go however typing ends.
    struct TWatchEnd {
        TFocusTarget& target;
        ~TWatchEnd() { target.EndKeyWatch(); }
    } watchEnd{target_};

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
    for (size_t i = 0; i < items.size(); ++i) {
        const TMacroItem& item = items[i];
        if (abandoned_) return;
        // The caret is read where the target has put it after every key before.
        waitTaken_ = !countable && i + 1 < items.size() && items[i + 1].Kind == mkCaret;
        switch (item.Kind) {
        case mkText: SendText(item.Text); break;
        case mkCaret:
            if (!countable) CaptureCaret(caretRect);
            break;
        default: SendMacroKey(item.Kind); break;
        }
    }
    waitTaken_ = false;
    if (abandoned_) return;

    if (!countable) {
        ClickAtRectCenter(caretRect);
    } else if (leftCount > 0) {
        TInputsArray inputs;
        inputs.reserve(static_cast<size_t>(leftCount) * 2);
        ForgetLayout();
        for (int i = 0; i < leftCount; ++i) AddKeyStroke(kcLeft, true, false, false, inputs);
        input_.SendInput(inputs);
    }
}

bool SendMacroItems(const TMacroItems& items, const TTypingSettings& settings)
{
    TKeystrokeSender sender(settings, ProvidedKeyInputServices());
    sender.SendMacroItems(items);
    return !sender.Abandoned();
}

void GetCaretScreenRect(TRect& rect)
{
    CaretScreenRect(Service<TFocusTarget>(), rect);
}

} // namespace quillora
