#pragma once
// How the keyboard hook turns a key into the characters it reports, without disturbing
// the dead key that the application typed into is composing.
//
// The hook sees every key before the application does, and translates it with the same
// keyboard layout. A translation may change the layout's dead-key state, which the
// application's own translation reads next: a hook that translated "^" itself would
// leave the application with "^^" or nothing, and one that translated the "e" after it
// would take the "^" away, so that the application typed "e" instead of "\u00EA". Every
// translation therefore asks the system to leave the keyboard state alone
// (KeepKeyboardState), and where a system does not know that request the hook puts the
// state back: a second press of a dead key it translated removes the dead key it added,
// and after a key that followed a dead key, that dead key is pressed again.

#include <cstdint>
#include <cstring>

namespace quillora::hook {

// The translation's flag that leaves the keyboard state unchanged.
constexpr unsigned KeepKeyboardState = 0x4;

// The layout call the translation needs (ToUnicodeEx with the target's layout).
class TLayoutCalls {
public:
    virtual ~TLayoutCalls() = default;
    // The characters of `vk` with the key states `keys` (256 bytes): their count, or -1
    // for a dead key (its spacing character in `out`), 0 for none.
    virtual int ToUnicode(unsigned vk, unsigned scan, const uint8_t* keys, char16_t* out, int size,
                          unsigned flags) = 0;
};

class TKeyTranslator {
public:
    // The characters that `vk` types in the application, into `out`; their count (0 for
    // a dead key, whose character comes with the next key).
    int Translate(TLayoutCalls& calls, unsigned vk, unsigned scan, const uint8_t* keys, char16_t* out, int size)
    {
        const int count = calls.ToUnicode(vk, scan, keys, out, size, KeepKeyboardState);
        char16_t scratch[8];
        if (count < 0) {
            calls.ToUnicode(vk, scan, keys, scratch, 8, KeepKeyboardState);
            dead_ = true;
            deadVk_ = vk;
            deadScan_ = scan;
            std::memcpy(deadKeys_, keys, sizeof deadKeys_);
            return 0;
        }
        if (dead_) {
            dead_ = false;
            calls.ToUnicode(deadVk_, deadScan_, deadKeys_, scratch, 8, KeepKeyboardState);
        }
        return count;
    }

private:
    bool dead_ = false;
    unsigned deadVk_ = 0;
    unsigned deadScan_ = 0;
    uint8_t deadKeys_[256] = {};
};

} // namespace quillora::hook
