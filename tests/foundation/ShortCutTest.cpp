#include <gtest/gtest.h>

#include "foundation/ShortCut.h"

namespace quillora {
namespace {

TEST(ShortCutTest, TextsToHotKeys)
{
    struct Case {
        const char16_t* text;
        bool ok;
        unsigned modifiers;
        unsigned key;
    };
    const Case cases[] = {
        {u"Ctrl+B", true, ModControl, 'B'},
        {u"Shift+Ctrl+Y", true, ModShift | ModControl, 'Y'},
        {u"ctrl+shift+y", true, ModShift | ModControl, 'Y'},
        {u"^Q", true, ModControl, 'Q'},
        {u"Alt+F12", true, ModAlt, 123},
        {u"Ctrl+Space", true, ModControl, 32},
        {u"Ctrl+pgdn", true, ModControl, 34},
        {u"Ctrl+7", true, ModControl, '7'},
        {u"F1", true, 0, 112},
        {u"Ctrl+NoSuchKey", true, 0, 0}, // unparsable: key 0, no modifiers
        {u"Ctrl+", true, 0, 0},
        {u"", false, 0, 0},
    };
    for (const Case& c : cases) {
        unsigned modifiers = 99, key = 99;
        EXPECT_EQ(ShortCutToHotKey(c.text, modifiers, key), c.ok) << StringToUtf8(c.text);
        EXPECT_EQ(modifiers, c.modifiers) << StringToUtf8(c.text);
        EXPECT_EQ(key, c.key) << StringToUtf8(c.text);
    }
}

TEST(ShortCutTest, WrittenTextsPutPrefixesInOrderAndParseBack)
{
    EXPECT_EQ(HotKeyToShortCut(ModAlt | ModControl | ModShift, 'Y'), u"Shift+Ctrl+Alt+Y");
    EXPECT_EQ(HotKeyToShortCut(ModControl, 8), u"Ctrl+BkSp");
    EXPECT_EQ(HotKeyToShortCut(ModControl, 0), u"");
    for (unsigned key : {8u, 13u, 27u, 46u, unsigned('Z'), 135u}) {
        unsigned modifiers = 0, parsed = 0;
        ASSERT_TRUE(ShortCutToHotKey(HotKeyToShortCut(ModShift, key), modifiers, parsed));
        EXPECT_EQ(parsed, key);
        EXPECT_EQ(modifiers, ModShift);
    }
}

} // namespace
} // namespace quillora
