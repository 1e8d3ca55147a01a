#include "foundation/Colors.h"

#include "foundation/NumberParse.h"
#include "foundation/Service.h"

namespace quillora {

namespace {
struct TNamedColor {
    TColor Color;
    const char16_t* Name;
};
constexpr TNamedColor NamedColors[] = {
    {clBlack, u"Black"},   {clMaroon, u"Maroon"}, {clGreen, u"Green"}, {clOlive, u"Olive"},
    {clNavy, u"Navy"},     {clPurple, u"Purple"}, {clTeal, u"Teal"},   {clGray, u"Gray"},
    {clSilver, u"Silver"}, {clRed, u"Red"},       {clLime, u"Lime"},   {clYellow, u"Yellow"},
    {clBlue, u"Blue"},     {clFuchsia, u"Fuchsia"}, {clAqua, u"Aqua"}, {clWhite, u"White"},
};

void AppendHexByte(String& out, uint8_t b)
{
    static constexpr char16_t digits[] = u"0123456789ABCDEF";
    out.push_back(digits[b >> 4]);
    out.push_back(digits[b & 0x0F]);
}

bool HexPair(StringView text, size_t at, uint8_t& b)
{
    int hi = HexDigitValue(text[at]), lo = HexDigitValue(text[at + 1]);
    if (hi < 0 || lo < 0) return false;
    b = static_cast<uint8_t>(hi * 16 + lo);
    return true;
}
} // namespace

TColor ColorToRGB(TColor color)
{
    if (IsSystemColor(color)) return Service<TSystemColorResolver>().SystemColor(static_cast<int>(color & 0xFF)) & 0x00FFFFFF;
    return color & 0x00FFFFFF;
}

String ColorName(TColor color)
{
    for (const auto& nc : NamedColors)
        if (nc.Color == color) return nc.Name;
    return {};
}

bool ColorFromName(StringView name, TColor& color)
{
    for (const auto& nc : NamedColors)
        if (SameTextAscii(name, nc.Name)) {
            color = nc.Color;
            return true;
        }
    return false;
}

String ColorToString(TColor color, bool hash, bool noNames)
{
    if (!noNames) {
        String name = ColorName(color);
        if (!name.empty()) return name;
    }
    TColor rgb = ColorToRGB(color);
    String out;
    out.reserve(7);
    if (hash) out.push_back(u'#');
    AppendHexByte(out, ColorRed(rgb));
    AppendHexByte(out, ColorGreen(rgb));
    AppendHexByte(out, ColorBlue(rgb));
    return out;
}

bool StringToColor(StringView text, TColor& color)
{
    StringView digits;
    if (text.size() == 7 && text[0] == u'#') digits = text.substr(1);
    else if (text.size() == 6) digits = text;
    uint8_t r = 0, g = 0, b = 0;
    if (!digits.empty() && HexPair(digits, 0, r) && HexPair(digits, 2, g) && HexPair(digits, 4, b)) {
        color = RGBColor(r, g, b);
        return true;
    }
    return ColorFromName(text, color);
}

namespace {
// The default values of the system colours (indexes 0..30) on a current desktop.
constexpr TColor FixedSystemColors[31] = {
    RGBColor(0xC8, 0xC8, 0xC8), // scroll bar
    RGBColor(0x00, 0x00, 0x00), // background
    RGBColor(0x99, 0xB4, 0xD1), // active caption
    RGBColor(0xBF, 0xCD, 0xDB), // inactive caption
    RGBColor(0xF0, 0xF0, 0xF0), // menu
    RGBColor(0xFF, 0xFF, 0xFF), // window
    RGBColor(0x64, 0x64, 0x64), // window frame
    RGBColor(0x00, 0x00, 0x00), // menu text
    RGBColor(0x00, 0x00, 0x00), // window text
    RGBColor(0x00, 0x00, 0x00), // caption text
    RGBColor(0xB4, 0xB4, 0xB4), // active border
    RGBColor(0xF4, 0xF7, 0xFC), // inactive border
    RGBColor(0xAB, 0xAB, 0xAB), // application workspace
    RGBColor(0x00, 0x78, 0xD7), // highlight
    RGBColor(0xFF, 0xFF, 0xFF), // highlight text
    RGBColor(0xF0, 0xF0, 0xF0), // button face
    RGBColor(0xA0, 0xA0, 0xA0), // button shadow
    RGBColor(0x6D, 0x6D, 0x6D), // gray text
    RGBColor(0x00, 0x00, 0x00), // button text
    RGBColor(0x00, 0x00, 0x00), // inactive caption text
    RGBColor(0xFF, 0xFF, 0xFF), // button highlight
    RGBColor(0x69, 0x69, 0x69), // 3D dark shadow
    RGBColor(0xE3, 0xE3, 0xE3), // 3D light
    RGBColor(0x00, 0x00, 0x00), // info text
    RGBColor(0xFF, 0xFF, 0xE1), // info background
    RGBColor(0x00, 0x00, 0x00), // (unused index 25)
    RGBColor(0x00, 0x66, 0xCC), // hot light
    RGBColor(0xB9, 0xD1, 0xEA), // gradient active caption
    RGBColor(0xD7, 0xE4, 0xF2), // gradient inactive caption
    RGBColor(0x33, 0x99, 0xFF), // menu highlight
    RGBColor(0xF0, 0xF0, 0xF0), // menu bar
};

} // namespace

TColor TFixedSystemColors::SystemColor(int index) const
{
    return index >= 0 && index < 31 ? FixedSystemColors[index] : 0;
}

} // namespace quillora
