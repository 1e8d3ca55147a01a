// Code points in UTF-16 text, the simple case folding, and the comparison of user text
// with case ignored: the awkward cases.
#include <gtest/gtest.h>

#include "foundation/Strings.h"
#include "foundation/TextCompare.h"

namespace quillora {
namespace {

const String Grin = u"\U0001F600"; // D83D DE00
const Char Lead = 0xD83D;
const Char Trail = 0xDE00;

TEST(Strings, CodePointSteps)
{
    const String twoLeads = String{Lead} + Grin; // a lone lead, then a pair
    const struct {
        const char* Name;
        String Text;
        size_t Index;
        size_t Length;       // CodePointLength(Text, Index)
        size_t LengthBefore; // CodePointLengthBefore(Text, Index)
        char32_t Code;       // CodePointAt(Text, Index), when Length > 0
    } cases[] = {
        {"plain", u"ab", 1, 1, 1, U'b'},
        {"pair", u"a" + Grin, 1, 2, 1, 0x1F600},
        {"second half of a pair", u"a" + Grin, 2, 1, 1, Trail},
        {"after a pair", Grin + u"b", 2, 1, 2, U'b'},
        {"pair at the end", u"a" + Grin, 3, 0, 2, 0},
        {"lone lead at the end", String(u"a") + Lead, 1, 1, 1, Lead},
        {"lone trail at the start", String{Trail} + u"a", 0, 1, 0, Trail},
        {"step back over a lone trail", String(u"a") + Trail, 2, 0, 1, 0},
        {"lead before a lead", twoLeads, 0, 1, 0, Lead},
        {"pair after a lone lead", twoLeads, 1, 2, 1, 0x1F600},
        {"past the end", u"a", 5, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(CodePointLength(c.Text, c.Index), c.Length);
        EXPECT_EQ(CodePointLengthBefore(c.Text, c.Index), c.LengthBefore);
        if (c.Length) {
            EXPECT_EQ(CodePointAt(c.Text, c.Index), c.Code);
        }
    }
}

TEST(Strings, SurrogatesCombineAndSplit)
{
    EXPECT_TRUE(IsLeadSurrogate(0xD800) && IsLeadSurrogate(0xDBFF) && !IsLeadSurrogate(0xDC00));
    EXPECT_TRUE(IsTrailSurrogate(0xDC00) && IsTrailSurrogate(0xDFFF) && !IsTrailSurrogate(0xDBFF));
    EXPECT_FALSE(IsSurrogate(0xD7FF) || IsSurrogate(0xE000));
    for (char32_t code : {char32_t(0x10000), char32_t(0x1F600), char32_t(0x10FFFF)}) {
        Char units[2] = {};
        ASSERT_EQ(SplitCodePoint(code, units), 2);
        EXPECT_TRUE(IsLeadSurrogate(units[0]) && IsTrailSurrogate(units[1]));
        EXPECT_EQ(CombineSurrogates(units[0], units[1]), code);
    }
    String text;
    AppendCodePoint(text, 0xFFFF);
    AppendCodePoint(text, 0x1F600);
    AppendCodePoint(text, 0x110000); // no code point
    EXPECT_EQ(text, u"\xFFFF" + Grin + u"\xFFFD");
    // The UTF-8 conversions go through the same helpers: a lone half becomes U+FFFD.
    EXPECT_EQ(StringToUtf8(u"a" + Grin + Lead), "a\xF0\x9F\x98\x80\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToString("\xF0\x9F\x98\x80\xFF"), Grin + u"\xFFFD");
}

TEST(Strings, CommonPrefixEndsOnACodePoint)
{
    EXPECT_EQ(CommonPrefixLength(u"ab" + Grin + u"c", u"ab" + Grin + u"d"), 4u);
    EXPECT_EQ(CommonPrefixLength(u"x\U0001F600", u"x\U0001F601"), 1u); // the same lead, other pairs
    EXPECT_EQ(CommonPrefixLength(String(u"x") + Lead, u"x" + Grin), 1u);   // half a pair is no character
    EXPECT_EQ(CommonPrefixLength(u"", u"a"), 0u);
    EXPECT_EQ(CommonPrefixLength(u"Ab", u"ab"), 0u);
}

TEST(Strings, SimpleCaseFolding)
{
    const struct {
        const char* Name;
        char32_t Code;
        char32_t Folded;
    } cases[] = {
        {"ASCII capital", U'Q', U'q'},
        {"small stays", U'q', U'q'},
        {"digit", U'7', U'7'},
        {"Latin-1 capital", 0xC9, 0xE9},
        {"multiplication sign", 0xD7, 0xD7},
        {"Y with diaeresis from Latin Extended-A", 0x178, 0xFF},
        {"L with stroke", 0x141, 0x142},
        {"Turkish capital I with dot stays", 0x130, 0x130},
        {"Turkish dotless i stays", 0x131, 0x131},
        {"I folds to dotted i", U'I', U'i'},
        {"sharp s stays (it would fold to two letters)", 0xDF, 0xDF},
        {"capital sharp s", 0x1E9E, 0xDF},
        {"final sigma", 0x3C2, 0x3C3},
        {"capital sigma", 0x3A3, 0x3C3},
        {"micro sign", 0xB5, 0x3BC},
        {"Kelvin sign", 0x212A, U'k'},
        {"Cyrillic IE with grave", 0x400, 0x450},
        {"Cyrillic ZHE", 0x416, 0x436},
        {"Cherokee small folds to the capital", 0xAB70, 0x13A0},
        {"Deseret, beyond the BMP", 0x10400, 0x10428},
        {"Adlam, beyond the BMP", 0x1E900, 0x1E922},
        {"a surrogate is itself", 0xD83D, 0xD83D},
        {"CJK", 0x4E2D, 0x4E2D},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(FoldCase(c.Code), c.Folded);
    }
}

TEST(TextCompare, CaseIgnoredCodePointByCodePoint)
{
    EXPECT_TRUE(SameTextIgnoreCase(u"Abc \u00DCber \u0416", u"aBC \u00FCBER \u0436"));
    EXPECT_TRUE(SameTextIgnoreCase(u"", u""));
    EXPECT_FALSE(SameTextIgnoreCase(u"abc", u"abd"));
    EXPECT_FALSE(SameTextIgnoreCase(u"ab", u"abc"));
    EXPECT_TRUE(StartsWithIgnoreCase(u"Ctrl+B", u"cTRL+"));
    EXPECT_FALSE(StartsWithIgnoreCase(u"Ct", u"Ctrl"));
    EXPECT_EQ(CommonPrefixIgnoreCase(u"ABCdef", u"abcXYZ"), 3u);
    EXPECT_EQ(CommonPrefixIgnoreCase(u"x" + Grin + u"y", u"X" + Grin + u"z"), 3u);
    EXPECT_EQ(CommonPrefixIgnoreCase(u"\u0141\u00F3d\u017A", u"\u0142\u00D3D\u0179!"), 4u);
}

#ifndef _WIN32
// The portable stand-in for the user's locale is the simple case folding (on Windows the
// locale decides these).
TEST(TextCompare, StandInFollowsTheSimpleCaseFolding)
{
    const struct {
        const char* Name;
        String A;
        String B;
        bool Same;
    } cases[] = {
        {"capital and small sharp s", u"Stra\u1E9Ee", u"stra\u00DFe", true},
        {"sharp s is not ss", u"Stra\u00DFe", u"Strasse", false},
        {"capital I with dot is not i", u"\u0130", u"i", false},
        {"dotless i is not I", u"\u0131", u"I", false},
        {"Deseret pair", u"\U00010400", u"\U00010428", true},
        {"lone lead matches itself", String{Lead}, String{Lead}, true},
        {"lone lead is not another", String{Lead}, String{0xD83E}, false},
        {"lone lead is not a pair", String{Lead} + u"x", Grin, false},
        {"final and plain sigma", u"\u03C3\u03C2", u"\u03A3\u03A3", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(SameTextIgnoreCase(c.A, c.B), c.Same);
    }
    EXPECT_EQ(CommonPrefixIgnoreCase(u"Stra\u00DFe", u"STRASSE"), 4u);
    EXPECT_EQ(CommonPrefixIgnoreCase(u"\U00010400\U00010401", u"\U00010428\U00010402"), 2u);
}
#endif

} // namespace
} // namespace quillora
