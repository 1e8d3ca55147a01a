// The keyboard hook library: while the drop-down list is open it watches the keys
// typed into the application in front and reports each one to the list window.
//
// A low-level keyboard hook (WH_KEYBOARD_LL) does the watching. It runs in the calling
// process, on the thread that called HookKeys (the program's main thread, which pumps
// messages), so nothing is injected into other processes and 32-bit and 64-bit
// targets are watched alike.
//
// A key is reported by posting WM_NULL to the list window with wParam = the token's
// length in UTF-16 units and the low 16 bits of lParam = a global atom named by the
// token; the list reads the name and deletes the atom. Tokens are "[ENTER]", "[ESC]",
// "[UP]", "[DOWN]", "[HOME]", "[LEFT]", "[END]", "[RIGHT]", "[PGUP]", "[PGDN]",
// "[BACKSPACE]" and, for a key that types characters, each character on its own.
// Bracketed keys are kept from the target, Backspace only while the list allows it;
// character keys reach it as usual.

#include <bitset>

#include "foundation/win32/WinInclude.h"
#include "typing/hook/HookTokens.h"

namespace {

struct THookState {
    HHOOK hook = nullptr;
    HWND listWindow = nullptr;
    HWND targetWindow = nullptr;
    bool allowBackspace = false;
    // Keys whose press was kept from the target: their release is kept back too.
    std::bitset<256> swallowed;
};

// The one hook of the process (the library is loaded once by the program).
THookState state;

void Report(const wchar_t* token, unsigned length)
{
    wchar_t name[16] = {};
    if (length == 0 || length >= 16) return;
    for (unsigned i = 0; i < length; ++i) name[i] = token[i];
    const ATOM atom = GlobalAddAtomW(name);
    if (atom == 0) return;
    if (!PostMessageW(state.listWindow, WM_NULL, length, atom)) GlobalDeleteAtom(atom);
}

// Keys count only while the window they were meant for is in front; anything typed
// elsewhere (in the short time before the list notices the switch) is left alone.
bool TargetInFront()
{
    return !state.targetWindow || GetForegroundWindow() == state.targetWindow;
}

HKL TargetLayout()
{
    HWND window = state.targetWindow ? state.targetWindow : GetForegroundWindow();
    return GetKeyboardLayout(window ? GetWindowThreadProcessId(window, nullptr) : 0);
}

// The characters the key types in the target, translated with the target's layout and
// the modifier keys held now. Our own thread's dead-key state follows the target's,
// since this thread sees the same keys in the same order.
void ReportCharacters(const KBDLLHOOKSTRUCT& key)
{
    wchar_t chars[8] = {};
    int count = 0;
    if (key.vkCode == VK_PACKET) {
        // Input of a character that no key of the layout types: the unit is the scan code.
        chars[0] = static_cast<wchar_t>(key.scanCode);
        count = 1;
    } else {
        BYTE keys[256] = {};
        static const int modifiers[] = {VK_SHIFT,   VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL,
                                        VK_RCONTROL, VK_MENU,   VK_LMENU,  VK_RMENU};
        for (int vk : modifiers)
            if (GetAsyncKeyState(vk) & 0x8000) keys[vk] = 0x80;
        if (GetKeyState(VK_CAPITAL) & 1) keys[VK_CAPITAL] |= 1;
        if (GetKeyState(VK_NUMLOCK) & 1) keys[VK_NUMLOCK] |= 1;
        count = ToUnicodeEx(key.vkCode, key.scanCode, keys, chars, 7, 0, TargetLayout());
    }
    // A dead key (negative) types nothing yet; control codes (Ctrl with a letter, Tab)
    // are no characters of a filter.
    for (int i = 0; i < count && i < 7; ++i)
        if (chars[i] >= 0x20 && chars[i] != 0x7F) Report(&chars[i], 1);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM message, LPARAM data)
{
    if (code != HC_ACTION || !state.hook) return CallNextHookEx(nullptr, code, message, data);
    const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    const unsigned vk = key.vkCode & 0xFF;
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (!down) {
        if (state.swallowed[vk]) {
            state.swallowed[vk] = false;
            return 1;
        }
        return CallNextHookEx(nullptr, code, message, data);
    }
    if (!TargetInFront()) return CallNextHookEx(nullptr, code, message, data);

    if (const wchar_t* token = quillora::hook::BracketedToken(vk)) {
        unsigned length = 0;
        while (token[length]) ++length;
        Report(token, length);
        if (vk == VK_BACK && state.allowBackspace) {
            state.swallowed[vk] = false;
            return CallNextHookEx(nullptr, code, message, data);
        }
        state.swallowed[vk] = true;
        return 1;
    }
    // With Alt held (and no Ctrl, which would make it AltGr) keys are commands, not text.
    if (message != WM_SYSKEYDOWN) ReportCharacters(key);
    return CallNextHookEx(nullptr, code, message, data);
}

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&KeyboardProc), &module);
    return module;
}

void Unhook()
{
    if (state.hook) UnhookWindowsHookEx(state.hook);
    state = THookState{};
}

} // namespace

// Starts reporting the keys typed into `target` to `list`. A hook still set from an
// earlier call is replaced. The third argument is reserved (0).
extern "C" BOOL WINAPI HookKeys(HWND list, HWND target, LPARAM reserved)
{
    Unhook();
    if (!list) return FALSE;
    state.listWindow = list;
    state.targetWindow = target;
    state.hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, ThisModule(), 0);
    if (!state.hook) {
        state = THookState{};
        return FALSE;
    }
    return TRUE;
}

// Whether Backspace reaches the target. Callers may pass a one-byte boolean, so only
// the low byte counts.
extern "C" void WINAPI SetAllowBackspace(BOOL allow)
{
    state.allowBackspace = (static_cast<unsigned>(allow) & 0xFF) != 0;
}

// Stops reporting; the keyboard behaves as usual again.
extern "C" void WINAPI UnhookKeys()
{
    Unhook();
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    // Unloaded while hooked: the hook must not outlive its procedure. (At process exit,
    // reserved is set and the system takes the hook away itself.)
    if (reason == DLL_PROCESS_DETACH && !reserved) Unhook();
    return TRUE;
}
