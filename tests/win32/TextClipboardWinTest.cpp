// The Windows clipboard of text elements: Unicode text in and out, with the content
// source of an element copy.
#include <gtest/gtest.h>

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "text/win32/TextClipboardWin.h"

using namespace quillora;

namespace {

TEST(TextClipboardWinTest, UnicodeTextRoundTrips)
{
    TTextClipboard& clipboard = Service<TTextClipboard>();
    ASSERT_NE(dynamic_cast<TWinTextClipboard*>(&clipboard), nullptr);
    const String text = u"line \u00e9\u20ac \U0001F600\r\n<LoomwiseContent/>";
    try {
        clipboard.SetText(text);
    } catch (const Exception&) {
        GTEST_SKIP() << "no clipboard in this session";
    }
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.GetText(), text);
    clipboard.SetText(String());
    EXPECT_EQ(clipboard.GetText(), String());
}

} // namespace
