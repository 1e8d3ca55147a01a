// The keyboard hook library: while the drop-down list is open it watches the keys
// typed into the application in front and reports each one to the list window.
//
// A low-level keyboard hook (WH_KEYBOARD_LL) does the watching. It runs in the calling
// process, so nothing is injected into other processes and 32-bit and 64-bit targets
// are watched alike, on a thread of its own that does nothing but pump the hook's
// messages: every key of the user, and every key the program injects, waits for the
// hook, and a hook on the program's main thread would hold them while that thread is
// busy (filling the list, typing a snippet) until the system's hook timeout.
//
// A key is reported by posting WM_NULL to the list window with wParam = the token's
// length in UTF-16 units and the low 16 bits of lParam = a global atom named by the
// token; the list reads the name and deletes the atom. Tokens are "[ENTER]", "[ESC]",
// "[UP]", "[DOWN]", "[HOME]", "[LEFT]", "[END]", "[RIGHT]", "[PGUP]", "[PGDN]",
// "[BACKSPACE]" and, for a key that types characters, each character on its own.
// Bracketed keys are kept from the target, Backspace only while the list allows it;
// character keys reach it as usual.

#include <atomic>
#include <bitset>

#include "foundation/win32/WinInclude.h"
#include "typing/hook/HookTokens.h"
#include "typing/hook/KeyTranslation.h"

namespace {

// How long UnhookKeys waits for the hook's thread to end.
constexpr DWORD ThreadEndWaitMs = 5000;

struct THookState {
    // Set before the hook's thread starts and read by it; the thread alone touches the
    // hook, the swallowed keys and the translator.
    HANDLE thread = nullptr;
    DWORD threadId = 0;
    HHOOK hook = nullptr;
    HWND listWindow = nullptr;
    HWND targetWindow = nullptr;
    // Keys whose press was kept from the target: their release is kept back too.
    std::bitset<256> swallowed;
    quillora::hook::TKeyTranslator translator;
};

// The one hook of the process (the library is loaded once by the program).
THookState state;
// Set by the program's thread at any time.
std::atomic<bool> allowBackspace{false};

// ToUnicodeEx with the target's layout.
class TWinLayoutCalls : public quillora::hook::TLayoutCalls {
public:
    explicit TWinLayoutCalls(HKL layout) : layout_(layout) {}
    int ToUnicode(unsigned vk, unsigned scan, const uint8_t* keys, char16_t* out, int size, unsigned flags) override
    {
        return ToUnicodeEx(vk, scan, keys, reinterpret_cast<wchar_t*>(out), size, flags, layout_);
    }

private:
    HKL layout_;
};

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
// the modifier keys held now, leaving the dead key the target composes alone.
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
        TWinLayoutCalls calls(TargetLayout());
        count = state.translator.Translate(calls, key.vkCode, key.scanCode, keys, reinterpret_cast<char16_t*>(chars), 7);
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
        if (vk == VK_BACK && allowBackspace.load()) {
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

// The hook's thread: sets the hook, tells HookKeys whether it could, and pumps the
// hook's calls until UnhookKeys posts WM_QUIT.
DWORD WINAPI HookThread(LPVOID started)
{
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue, for WM_QUIT
    state.hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, ThisModule(), 0);
    const bool hooked = state.hook != nullptr;
    SetEvent(static_cast<HANDLE>(started));
    if (!hooked) return 1;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    UnhookWindowsHookEx(state.hook);
    state.hook = nullptr;
    return 0;
}

// Ends the hook's thread. `wait`: false inside DllMain, where the thread cannot end
// (it would need the loader lock held there); the thread is stopped then.
void Unhook(bool wait = true)
{
    if (state.thread) {
        PostThreadMessageW(state.threadId, WM_QUIT, 0, 0);
        if (!wait || WaitForSingleObject(state.thread, ThreadEndWaitMs) != WAIT_OBJECT_0) {
            if (state.hook) UnhookWindowsHookEx(state.hook);
            TerminateThread(state.thread, 1);
        }
        CloseHandle(state.thread);
    }
    state.thread = nullptr;
    state.threadId = 0;
    state.hook = nullptr;
    state.listWindow = nullptr;
    state.targetWindow = nullptr;
    state.swallowed.reset();
    state.translator = quillora::hook::TKeyTranslator{};
    allowBackspace = false;
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
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!started) return FALSE;
    state.thread = CreateThread(nullptr, 0, &HookThread, started, 0, &state.threadId);
    if (state.thread) {
        // The user's keys wait for this thread: it runs before the busier ones.
        SetThreadPriority(state.thread, THREAD_PRIORITY_ABOVE_NORMAL);
        HANDLE both[2] = {started, state.thread};
        WaitForMultipleObjects(2, both, FALSE, ThreadEndWaitMs);
    }
    CloseHandle(started);
    if (!state.thread || !state.hook) {
        Unhook();
        return FALSE;
    }
    return TRUE;
}

// Whether Backspace reaches the target. Callers may pass a one-byte boolean, so only
// the low byte counts.
extern "C" void WINAPI SetAllowBackspace(BOOL allow)
{
    allowBackspace = (static_cast<unsigned>(allow) & 0xFF) != 0;
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
    if (reason == DLL_PROCESS_DETACH && !reserved) Unhook(false);
    return TRUE;
}
