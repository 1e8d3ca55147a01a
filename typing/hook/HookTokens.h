#pragma once
// The names under which the hook reports the keys that steer the drop-down list
// instead of reaching the application typed into.

namespace quillora::hook {

// The token of a key that the list handles itself, or null for every other key.
// Backspace is among them: it is reported always, and passed on only while allowed.
inline const wchar_t* BracketedToken(unsigned virtualKey)
{
    switch (virtualKey) {
    case 0x0D: return L"[ENTER]";     // VK_RETURN, the numeric pad's too
    case 0x1B: return L"[ESC]";       // VK_ESCAPE
    case 0x26: return L"[UP]";        // VK_UP
    case 0x28: return L"[DOWN]";      // VK_DOWN
    case 0x24: return L"[HOME]";      // VK_HOME
    case 0x25: return L"[LEFT]";      // VK_LEFT
    case 0x23: return L"[END]";       // VK_END
    case 0x27: return L"[RIGHT]";     // VK_RIGHT
    case 0x21: return L"[PGUP]";      // VK_PRIOR
    case 0x22: return L"[PGDN]";      // VK_NEXT
    case 0x08: return L"[BACKSPACE]"; // VK_BACK
    default: return nullptr;
    }
}

} // namespace quillora::hook
