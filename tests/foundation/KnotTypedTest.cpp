// Typed parameter access of knots: numbers, truth values, colours, binary data, fonts
// and form placement.
#include <gtest/gtest.h>

#include "foundation/Knot.h"
#include "foundation/NumberParse.h"
#include "foundation/Service.h"

namespace quillora {
namespace {

TEST(NumberParseTest, FollowsThePlatformRules)
{
    struct Case {
        const char16_t* Text;
        bool Ok;
        int32_t Value;
    };
    const Case cases[] = {
        {u"0", true, 0},          {u"42", true, 42},         {u"  -7", true, -7},        {u"+7", true, 7},
        {u"$1F", true, 31},       {u"x1f", true, 31},        {u"X10", true, 16},         {u"0x10", true, 16},
        {u"0X10", true, 16},      {u"-$10", true, -16},      {u"$FFFFFFFF", true, -1},   {u"2147483647", true, 2147483647},
        {u"-2147483648", true, INT32_MIN},
        {u"2147483648", false, 0}, {u"-2147483649", false, 0}, {u"$100000000", false, 0}, {u"", false, 0},
        {u" ", false, 0},         {u"-", false, 0},          {u"$", false, 0},           {u"0x", false, 0},
        {u"12a", false, 0},       {u"12 ", false, 0},        {u"\t1", false, 0},         {u"1.5", false, 0},
        {u"--1", false, 0},       {u"99999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(TryParseInt32(c.Text, value), c.Ok) << StringToUtf8(c.Text);
        if (c.Ok) {
            EXPECT_EQ(value, c.Value) << StringToUtf8(c.Text);
        }
    }
}

class KnotTypedTest : public testing::Test {
protected:
    void SetUp() override
    {
        knot.LoadFromText(u"<k i=42 neg=-5 hex=$10 bad=12a big=99999999999 one=1 zero=0 yes=true none "
                          u"c1=#1a2b3c c2=1A2B3C c3=navy c4=12345 c5=#12345G c6=White/>");
        ASSERT_FALSE(knot.Corrupt());
    }
    TKnot knot;
};

TEST_F(KnotTypedTest, ReadInteger)
{
    EXPECT_EQ(knot.ReadInteger(u"i", 7), 42);
    EXPECT_EQ(knot.ReadInteger(u"neg", 7), -5);
    EXPECT_EQ(knot.ReadInteger(u"hex", 7), 16);
    EXPECT_EQ(knot.ReadInteger(u"bad", 7), 7);
    EXPECT_EQ(knot.ReadInteger(u"big", 7), 7);
    EXPECT_EQ(knot.ReadInteger(u"none", 7), 7);
    EXPECT_EQ(knot.ReadInteger(u"missing", 7), 7);
    EXPECT_EQ(knot.ReadInteger(u"i", 7, 0, 41), 7);
    EXPECT_EQ(knot.ReadInteger(u"i", 7, 42, 50), 42);
    EXPECT_EQ(knot.ReadInteger(u"neg", 7, 0, 0), -5); // Min = Max: no range
    EXPECT_EQ(knot.ReadInteger(u"neg", 7, 3, 3), -5);
    EXPECT_TRUE(knot.FindParam(u"bad")->Visited());
}

TEST_F(KnotTypedTest, ReadBoolAndString)
{
    EXPECT_TRUE(knot.ReadBool(u"one", false));
    EXPECT_FALSE(knot.ReadBool(u"zero", true));
    EXPECT_TRUE(knot.ReadBool(u"yes", true));
    EXPECT_FALSE(knot.ReadBool(u"yes", false));
    EXPECT_FALSE(knot.ReadBool(u"missing", false));
    EXPECT_EQ(knot.ReadString(u"none", u"d"), u"");
    EXPECT_EQ(knot.ReadString(u"missing", u"d"), u"d");
    EXPECT_FALSE(knot.FindParam(u"c1")->Visited());
    EXPECT_TRUE(knot.ParamExists(u"c1"));
    EXPECT_TRUE(knot.FindParam(u"c1")->Visited());
    EXPECT_FALSE(knot.ParamExists(u"missing"));
}

TEST_F(KnotTypedTest, ReadColor)
{
    EXPECT_EQ(knot.ReadColor(u"c1", clNone), RGBColor(0x1A, 0x2B, 0x3C));
    EXPECT_EQ(knot.ReadColor(u"c2", clNone), RGBColor(0x1A, 0x2B, 0x3C));
    EXPECT_EQ(knot.ReadColor(u"c3", clNone), clNavy);
    EXPECT_EQ(knot.ReadColor(u"c4", clNone), clNone);
    EXPECT_EQ(knot.ReadColor(u"c5", clNone), clNone);
    EXPECT_EQ(knot.ReadColor(u"c6", clNone), clWhite);
    EXPECT_EQ(knot.ReadColor(u"none", clRed), clRed);
}

class FixedColors : public TSystemColorResolver {
public:
    TColor SystemColor(int index) const override { return index == 15 ? RGBColor(0x12, 0x34, 0x56) : 0; }
};

TEST(KnotColorTest, WriteColorByNameOrHex)
{
    TKnot k(u"k");
    {
        FixedColors colors;
        TProvide<TSystemColorResolver> provideColors(colors);
        k.WriteColor(u"a", clNavy);
        k.WriteColor(u"b", RGBColor(0x1A, 0x2B, 0x3C));
        k.WriteColor(u"c", clBtnFace);
        k.SetIncludedOptions(koColorHash);
        k.WriteColor(u"d", clNavy);
        k.WriteColor(u"e", RGBColor(0xAB, 0xCD, 0xEF));
        k.SetIncludedOptions(koColorNoNames);
        k.WriteColor(u"f", clNavy);
    }
    EXPECT_EQ(k.SaveToText(), u"<k a=\"Navy\" b=\"1A2B3C\" c=\"123456\" d=\"Navy\" e=\"#ABCDEF\" f=\"000080\"/>\r\n");
    // Every named colour reads back as itself.
    for (TColor c : {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clGray, clSilver, clRed, clLime,
                     clYellow, clBlue, clFuchsia, clAqua, clWhite}) {
        TColor back = clNone;
        EXPECT_TRUE(StringToColor(ColorToString(c, false, false), back));
        EXPECT_EQ(back, c);
        EXPECT_TRUE(StringToColor(ColorToString(c, true, true), back));
        EXPECT_EQ(back, c);
    }
    EXPECT_EQ(ColorToString(clWindow, false, false), u"FFFFFF"); // the provided resolver again
}

TEST(KnotStreamTest, BinaryValues)
{
    TKnot k(u"k");
    TMemoryStream bytes(std::vector<uint8_t>{0x00, 0xFF});
    bytes.SetPosition(1);
    k.WriteStream(u"s", bytes); // the whole stream, whatever its position
    EXPECT_EQ(k.ReadString(u"s"), u"00FF");

    TKnot read;
    read.LoadFromText(u"<k a=00ff b=ABC c=12zz d=\"\" e/>");
    TMemoryStream out(std::vector<uint8_t>{9, 9, 9});
    out.SetPosition(2);
    EXPECT_TRUE(read.ReadStream(u"a", out));
    EXPECT_EQ(out.Bytes(), (std::vector<uint8_t>{0x00, 0xFF}));
    EXPECT_EQ(out.Position(), 0u);

    TMemoryStream untouched(std::vector<uint8_t>{7});
    EXPECT_FALSE(read.ReadStream(u"b", untouched)); // odd length
    EXPECT_EQ(untouched.Bytes(), std::vector<uint8_t>{7});
    EXPECT_TRUE(read.ReadStream(u"e", untouched)); // no value
    EXPECT_TRUE(read.ReadStream(u"missing", untouched));
    EXPECT_EQ(untouched.Bytes(), std::vector<uint8_t>{7});
    EXPECT_FALSE(read.ReadStream(u"c", untouched)); // not hexadecimal: emptied
    EXPECT_EQ(untouched.Size(), 0u);
    EXPECT_TRUE(read.ReadStream(u"d", untouched)); // empty text: empty stream
    EXPECT_EQ(untouched.Size(), 0u);

    TMemoryStream copy;
    EXPECT_TRUE(k.ReadStream(u"s", copy));
    EXPECT_EQ(copy.Bytes(), (std::vector<uint8_t>{0x00, 0xFF}));
}

TEST(KnotStreamTest, ChangingTheKindFreesTheValue)
{
    TKnot k(u"k");
    TMemoryStream bytes(std::vector<uint8_t>{1});
    k.WriteStream(u"p", bytes);
    TKnotParam* p = k.FindParam(u"p");
    ASSERT_NE(p->Stream(), nullptr);
    p->SetKind(pkText);
    EXPECT_EQ(p->Stream(), nullptr);
    EXPECT_EQ(p->Text(), u"");
    p->SetText(u"x");
    p->SetKind(pkNone);
    EXPECT_EQ(p->Text(), u"");
    EXPECT_EQ(p->TextForm(), u"");
}

TEST(KnotFontTest, WritesAndReadsFonts)
{
    TFontData font;
    font.Name = u"Segoe UI";
    font.Size = 11;
    font.Color = clMaroon;
    font.Style = fsBold | fsUnderline | fsStrikeOut;
    font.Charset = 204;
    TKnot k(u"Font");
    k.WriteFont(font);
    EXPECT_EQ(k.SaveToText(),
              u"<Font Name=\"Segoe UI\" Size=\"11\" Color=\"Maroon\" Style=\"BUS\" Charset=\"RUSSIAN_CHARSET\"/>\r\n");
    TFontData back;
    back.Style = fsItalic;
    back.Charset = 0;
    k.ReadFont(back);
    EXPECT_EQ(back, font);

    // No style, and a character set without identifier.
    TFontData plain;
    plain.Charset = 3;
    TKnot p(u"Font");
    p.WriteFont(plain);
    EXPECT_EQ(p.FindParam(u"Style"), nullptr);
    EXPECT_EQ(p.FindParam(u"Charset"), nullptr);

    // Missing values keep the font's own; a missing or unknown charset gives the default.
    TKnot partial;
    partial.LoadFromText(u"<Font Size=x Style=xIxB Charset=NOPE_CHARSET/>");
    TFontData f;
    f.Name = u"Keep";
    f.Size = 9;
    f.Charset = 0;
    partial.ReadFont(f);
    EXPECT_EQ(f.Name, u"Keep");
    EXPECT_EQ(f.Size, 9);
    EXPECT_EQ(f.Style, fsBold | fsItalic);
    EXPECT_EQ(f.Charset, DefaultCharset);
    TKnot noStyle;
    noStyle.LoadFromText(u"<Font charset=ansi_charset/>");
    f.Style = fsUnderline;
    noStyle.ReadFont(f);
    EXPECT_EQ(f.Style, fsUnderline);
}

class FakeForm : public TPlacementForm {
public:
    TFormBorderKind Border = TFormBorderKind::Sizeable;
    bool MaximizeButton = true;
    bool IsMaximized = false;
    bool Explicit = false;
    TFormBounds Box{10, 20, 300, 200};

    TFormBorderKind BorderKind() const override { return Border; }
    bool HasMaximizeButton() const override { return MaximizeButton; }
    bool Maximized() const override { return IsMaximized; }
    void Maximize() override { IsMaximized = true; }
    TFormBounds Bounds() const override { return Box; }
    void SetBounds(const TFormBounds& b) override { Box = b; }
    int DesktopWidth() const override { return 1000; }
    int DesktopHeight() const override { return 800; }
    void SetExplicitPlacement() override { Explicit = true; }
};

String Placement(const FakeForm& form)
{
    TKnot k(u"F");
    k.WriteFormPlacement(form);
    return k.SaveToText();
}

TEST(KnotFormPlacementTest, WritesWhatTheBorderAllows)
{
    FakeForm form;
    EXPECT_EQ(Placement(form), u"<F Maximized=\"0\" Left=\"10\" Top=\"20\" Width=\"300\" Height=\"200\"/>\r\n");
    form.IsMaximized = true;
    EXPECT_EQ(Placement(form), u"<F Maximized=\"1\"/>\r\n");
    form.MaximizeButton = false;
    EXPECT_EQ(Placement(form), u"<F Left=\"10\" Top=\"20\" Width=\"300\" Height=\"200\"/>\r\n");
    form.Border = TFormBorderKind::Dialog;
    EXPECT_EQ(Placement(form), u"<F Left=\"10\" Top=\"20\"/>\r\n");
    for (TFormBorderKind kind : {TFormBorderKind::None, TFormBorderKind::SizeToolWindow}) {
        form.Border = kind;
        EXPECT_EQ(Placement(form), u"<F Left=\"10\" Top=\"20\" Width=\"300\" Height=\"200\"/>\r\n");
    }
}

TEST(KnotFormPlacementTest, ReadsWithinTheDesktop)
{
    TKnot k;
    k.LoadFromText(u"<F Maximized=1 Left=50 Top=60 Width=400 Height=300/>");
    FakeForm form;
    k.ReadFormPlacement(form);
    EXPECT_TRUE(form.IsMaximized);
    EXPECT_FALSE(form.Explicit);
    EXPECT_EQ(form.Box, (TFormBounds{10, 20, 300, 200}));

    k.LoadFromText(u"<F Maximized=0 Left=50 Top=60 Width=400 Height=300/>");
    FakeForm normal;
    k.ReadFormPlacement(normal);
    EXPECT_FALSE(normal.IsMaximized);
    EXPECT_TRUE(normal.Explicit);
    EXPECT_EQ(normal.Box, (TFormBounds{50, 60, 400, 300}));

    // Off the desktop: the position stays; a fixed border keeps the size.
    k.LoadFromText(u"<F Left=700 Top=-1 Width=400 Height=300/>");
    FakeForm dialog;
    dialog.Border = TFormBorderKind::Dialog;
    k.ReadFormPlacement(dialog);
    EXPECT_EQ(dialog.Box, (TFormBounds{700, 20, 300, 200}));
    FakeForm wide;
    k.ReadFormPlacement(wide);
    EXPECT_EQ(wide.Box, (TFormBounds{10, 20, 400, 300}));
    // A form as wide as the desktop can only be at 0.
    k.LoadFromText(u"<F Left=5 Top=0 Width=1000/>");
    FakeForm full;
    k.ReadFormPlacement(full);
    EXPECT_EQ(full.Box, (TFormBounds{10, 0, 1000, 200}));

    // Without "Left" nothing is placed.
    k.LoadFromText(u"<F Top=5 Width=10/>");
    FakeForm untouched;
    k.ReadFormPlacement(untouched);
    EXPECT_FALSE(untouched.Explicit);
    EXPECT_EQ(untouched.Box, (TFormBounds{10, 20, 300, 200}));
}

} // namespace
} // namespace quillora
