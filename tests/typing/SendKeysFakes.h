#pragma once
// A deterministic stand-in for the keystroke sender's platform: it records every call
// in order as a readable log and answers from a small scripted state.

#include <cstdio>
#include <functional>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "typing/KeyInputServices.h"

namespace quillora::testing_typing {

inline std::string KeyName(uint16_t vk)
{
    switch (vk) {
    case 0x08: return "Back";
    case 0x09: return "Tab";
    case 0x0D: return "Enter";
    case 0x10: return "Shift";
    case 0x11: return "Ctrl";
    case 0x12: return "Alt";
    case 0x23: return "End";
    case 0x24: return "Home";
    case 0x25: return "Left";
    case 0x26: return "Up";
    case 0x27: return "Right";
    case 0x28: return "Down";
    case 0x2E: return "Del";
    default: break;
    }
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X", vk);
    return buffer;
}

// "+A" key down, "-A" key up, "*" marks an extended key, "+u00E9" a Unicode unit,
// "L+@5,6" a left-button press at (5, 6) (absolute flag shown as "@", a move to the point
// as "~": "L+~@5,6").
inline std::string FormatRecord(const TInputRecord& r)
{
    char buffer[48];
    if (r.Type == itMouse) {
        std::string s;
        if (r.Flags & mfLeftDown) s = "L+";
        else if (r.Flags & mfLeftUp) s = "L-";
        else if (r.Flags & mfRightDown) s = "R+";
        else if (r.Flags & mfRightUp) s = "R-";
        else s = "M?";
        if (r.Flags & mfMove) s += "~";
        if (r.Flags & mfAbsolute) s += "@";
        std::snprintf(buffer, sizeof buffer, "%d,%d", r.Dx, r.Dy);
        return s + buffer;
    }
    const char* sign = (r.Flags & kfKeyUp) ? "-" : "+";
    if (r.Flags & kfUnicode) {
        std::snprintf(buffer, sizeof buffer, "%su%04X", sign, r.Scan);
        return buffer;
    }
    return sign + KeyName(r.Vk) + ((r.Flags & kfExtendedKey) ? "*" : "");
}

inline std::string FormatRecords(const TInputsArray& inputs)
{
    std::string s;
    for (const TInputRecord& r : inputs) {
        if (!s.empty()) s += ' ';
        s += FormatRecord(r);
    }
    return s;
}

class TFakeKeyInput : public TInputInjector, public TKeyboardLayout, public TFocusTarget {
public:
    // The log, one entry per call: "send[...]", "sleep N", "pump", "char W:X" (X the
    // unit in hex), "caret?", "cursor X,Y".
    std::vector<std::string> Log;
    std::vector<TInputsArray> Batches;

    // Scripted answers.
    std::map<char16_t, int16_t> KeyScans;  // VkKeyScan beyond the US letters and digits
    uint64_t Clock = 0;
    uint64_t ModifiersHeldUntil = 0;       // HeldModifiers() answers non-zero before this tick
    TWindowHandle Focus = 0x70;
    std::map<size_t, TCharDelivery> CharResults;  // by the index of the SendChar call
    size_t CharCalls = 0;
    std::vector<TRect> CaretRects;         // one per ForegroundCaret call; empty: no caret
    size_t CaretCalls = 0;
    TWindowHandle CaretWindow = 0x80;
    TPoint ClientOrigin{1000, 2000};
    bool CursorReadable = true;
    TPoint Cursor{3, 4};
    bool Swapped = false;
    std::function<void()> OnSend;
    std::set<TKeyCode> DeadKeys;
    // The target's taken key states (TakenKeyState): injected keyboard records wait in
    // Queued until the target takes them, TakePerSleep of them at every Sleep (the
    // target runs while the sender sleeps); TakenStateReadable false: cannot be read.
    std::deque<TInputRecord> Queued;
    size_t TakePerSleep = 1000000;
    bool TakenStateReadable = true;
    std::map<TKeyCode, uint8_t> TakenStates;

    TKeyInputServices Services() { return {this, this, this}; }

    // Log entries of one kind only ("send[" gives the batches).
    std::vector<std::string> Entries(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const std::string& e : Log)
            if (e.rfind(prefix, 0) == 0) out.push_back(e);
        return out;
    }

    unsigned SendInput(const TInputsArray& inputs) override
    {
        Batches.push_back(inputs);
        Log.push_back("send[" + FormatRecords(inputs) + "]");
        for (const TInputRecord& r : inputs)
            if (r.Type == itKeyboard) Queued.push_back(r);
        if (OnSend) OnSend();
        return static_cast<unsigned>(inputs.size());
    }
    void Sleep(unsigned milliseconds) override
    {
        Clock += milliseconds;
        Log.push_back("sleep " + std::to_string(milliseconds));
        for (size_t i = 0; i < TakePerSleep && !Queued.empty(); ++i) {
            const TInputRecord r = Queued.front();
            Queued.pop_front();
            uint8_t& state = TakenStates[r.Vk];
            if (r.Flags & kfKeyUp) {
                state &= ~0x80;
            } else {
                if (!(state & 0x80)) state ^= 0x01;
                state |= 0x80;
            }
        }
    }
    uint64_t TickCount() override { return Clock; }
    void ProcessPendingMessages() override { Log.push_back("pump"); }
    unsigned HeldModifiers() override { return Clock < ModifiersHeldUntil ? hmControl : 0; }
    bool CursorPos(TPoint& point) override
    {
        point = Cursor;
        return CursorReadable;
    }
    void SetCursorPos(TPoint point) override
    {
        Cursor = point;
        Log.push_back("cursor " + std::to_string(point.X) + "," + std::to_string(point.Y));
    }
    bool MouseButtonsSwapped() override { return Swapped; }

    // How often the layout was asked about each unit and key.
    std::map<char16_t, int> UnitQuestions;
    std::map<TKeyCode, int> ScanCodeQuestions;

    // US-like layout: lower-case letters and digits unshifted, capitals with Shift.
    int16_t VkKeyScan(char16_t unit) override
    {
        ++UnitQuestions[unit];
        auto it = KeyScans.find(unit);
        if (it != KeyScans.end()) return it->second;
        if (unit >= u'a' && unit <= u'z') return static_cast<int16_t>(unit - u'a' + 'A');
        if (unit >= u'A' && unit <= u'Z') return static_cast<int16_t>(0x100 | unit);
        if ((unit >= u'0' && unit <= u'9') || unit == u' ') return static_cast<int16_t>(unit);
        return -1;
    }
    uint16_t ScanCode(TKeyCode key) override
    {
        ++ScanCodeQuestions[key];
        return static_cast<uint16_t>(0x100 + key);
    }
    bool IsDeadKey(TKeyCode key) override { return DeadKeys.count(key) != 0; }
    // Caps Lock turns the letters to the other case, nothing else.
    char16_t TypedUnit(TKeyCode key, bool shift, bool capsLock) override
    {
        if (key >= 'A' && key <= 'Z') return static_cast<char16_t>(shift != capsLock ? key : key - 'A' + u'a');
        for (const auto& [unit, scan] : KeyScans)
            if ((scan & 0xFF) == key && ((scan >> 8) & ksShift) == (shift ? ksShift : 0u)) return unit;
        if ((key >= '0' && key <= '9') || key == ' ') return shift ? 0 : static_cast<char16_t>(key);
        return 0;
    }

    TWindowHandle FocusWindow() override { return Focus; }
    TCharDelivery SendChar(TWindowHandle window, char16_t unit) override
    {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "char %X:%X", static_cast<unsigned>(window), static_cast<unsigned>(unit));
        Log.push_back(buffer);
        auto it = CharResults.find(CharCalls++);
        if (it != CharResults.end()) return it->second;
        return window ? cdDelivered : cdNoWindow;
    }
    bool ForegroundCaret(TWindowHandle& caretWindow, TRect& caretRect) override
    {
        Log.push_back("caret?");
        size_t i = CaretCalls++;
        if (i >= CaretRects.size() || CaretRects[i].IsEmpty()) {
            caretWindow = 0;
            caretRect = TRect{};
            return true;  // the platform answers, but there is no caret window
        }
        caretWindow = CaretWindow;
        caretRect = CaretRects[i];
        return true;
    }
    bool TakenKeyState(TWindowHandle window, TKeyCode key, uint8_t& state) override
    {
        Log.push_back("taken? " + KeyName(key));
        if (!window || !TakenStateReadable) return false;
        state = TakenStates[key];
        return true;
    }
    bool AcceptsInput(TWindowHandle) override { return true; }
    size_t WatchEnds = 0;
    void EndKeyWatch() override { ++WatchEnds; }
    bool CapsLock = false;
    bool CapsLockOn() override { return CapsLock; }
    std::vector<TRect> AccessibleCarets;  // one per AccessibleCaret call; empty: none
    size_t AccessibleCalls = 0;
    bool AccessibleCaret(TRect& screenRect) override
    {
        Log.push_back("accessible?");
        size_t i = AccessibleCalls++;
        if (i >= AccessibleCarets.size() || AccessibleCarets[i].IsEmpty()) return false;
        screenRect = AccessibleCarets[i];
        return true;
    }
    std::vector<TRect> AutomationCarets;  // one per AutomationCaret call; none past the end
    size_t AutomationCalls = 0;
    bool AutomationCaret(TRect& screenRect) override
    {
        Log.push_back("automation?");
        size_t i = AutomationCalls++;
        if (i >= AutomationCarets.size()) return false;
        screenRect = AutomationCarets[i];
        return true;
    }
    bool ClientToScreen(TWindowHandle window, TPoint& point) override
    {
        if (!window) return false;
        point.X += ClientOrigin.X;
        point.Y += ClientOrigin.Y;
        return true;
    }
};

} // namespace quillora::testing_typing
