// The hook's key translation against a layout with a dead key, whose dead-key state the
// hook and the application typed into share (as on Windows): the application must type
// what it would type without the hook, and the hook must report the same characters.
#include <gtest/gtest.h>

#include <string>

#include "typing/hook/KeyTranslation.h"

using namespace quillora::hook;

namespace {

constexpr unsigned VkCircumflex = 0xDC;

// Keys: letters and space type themselves; VkCircumflex is a dead "^". The dead key
// composes with a and e, gives "^" before a space and both characters before anything
// else. With `HonoursKeep` false, the system ignores KeepKeyboardState (older systems).
class TFakeDeadKeyLayout : public TLayoutCalls {
public:
    bool HonoursKeep = true;
    char16_t Pending = 0;

    int ToUnicode(unsigned vk, unsigned, const uint8_t*, char16_t* out, int size, unsigned flags) override
    {
        const bool keep = HonoursKeep && (flags & KeepKeyboardState);
        std::u16string chars;
        char16_t pending = Pending;
        int result;
        if (vk == VkCircumflex && !pending) {
            out[0] = u'^';
            if (!keep) Pending = u'^';
            return -1;
        }
        const char16_t typed = vk == VkCircumflex ? u'^' : vk == ' ' ? u' ' : static_cast<char16_t>(vk - 'A' + 'a');
        if (!pending) chars = typed;
        else if (typed == u'a') chars = u"\u00E2";
        else if (typed == u'e') chars = u"\u00EA";
        else if (typed == u' ') chars = u"^";
        else chars = std::u16string(1, pending) + typed;
        if (!keep) Pending = 0;
        result = static_cast<int>(chars.size());
        for (int i = 0; i < result && i < size; ++i) out[i] = chars[static_cast<size_t>(i)];
        return result;
    }
};

struct Case {
    const char* keys; // "^" the dead key, others as typed
    const char16_t* typed;
};

class KeyTranslation : public testing::TestWithParam<bool> {};

TEST_P(KeyTranslation, TheApplicationTypesAsWithoutTheHookAndTheFilterSeesTheSame)
{
    const Case cases[] = {
        {"^e", u"\u00EA"},  {"a^a", u"a\u00E2"}, {"^ ", u"^"},   {"^^", u"^^"},
        {"^x", u"^x"},      {"^e^a", u"\u00EA\u00E2"}, {"e", u"e"}, {"^ ^e", u"^\u00EA"},
    };
    for (const Case& c : cases) {
        TFakeDeadKeyLayout layout;
        layout.HonoursKeep = GetParam();
        TKeyTranslator translator;
        std::u16string application, filter;
        uint8_t keys[256] = {};
        for (const char* k = c.keys; *k; ++k) {
            const unsigned vk = *k == '^' ? VkCircumflex : *k == ' ' ? ' ' : static_cast<unsigned>(*k - 'a' + 'A');
            char16_t out[8];
            // The hook first, then the application's own translation of the same key.
            const int reported = translator.Translate(layout, vk, 0, keys, out, 8);
            filter.append(out, out + (reported > 0 ? reported : 0));
            const int typed = layout.ToUnicode(vk, 0, keys, out, 8, 0);
            application.append(out, out + (typed > 0 ? typed : 0));
        }
        EXPECT_EQ(application, std::u16string(c.typed)) << c.keys;
        EXPECT_EQ(filter, std::u16string(c.typed)) << c.keys;
        EXPECT_EQ(layout.Pending, 0) << c.keys;
    }
}

INSTANTIATE_TEST_SUITE_P(System, KeyTranslation, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("KeepsTheState") : std::string("IgnoresTheFlag");
                         });

} // namespace
