#pragma once
// TColor: 0x00BBGGRR for a plain colour, 0xFF0000nn for system colour nn, clNone for
// no colour; and the colour strings of the knot format (a name or six hex digits RRGGBB).

#include <cstdint>

#include "foundation/Strings.h"

namespace quillora {

using TColor = uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor SystemColorFlag = 0xFF000000;

// The sixteen named colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// System colours: SystemColorFlag | the platform's colour index.
constexpr TColor clScrollBar = SystemColorFlag | 0;
constexpr TColor clBackground = SystemColorFlag | 1;
constexpr TColor clActiveCaption = SystemColorFlag | 2;
constexpr TColor clInactiveCaption = SystemColorFlag | 3;
constexpr TColor clMenu = SystemColorFlag | 4;
constexpr TColor clWindow = SystemColorFlag | 5;
constexpr TColor clWindowFrame = SystemColorFlag | 6;
constexpr TColor clMenuText = SystemColorFlag | 7;
constexpr TColor clWindowText = SystemColorFlag | 8;
constexpr TColor clCaptionText = SystemColorFlag | 9;
constexpr TColor clActiveBorder = SystemColorFlag | 10;
constexpr TColor clInactiveBorder = SystemColorFlag | 11;
constexpr TColor clAppWorkSpace = SystemColorFlag | 12;
constexpr TColor clHighlight = SystemColorFlag | 13;
constexpr TColor clHighlightText = SystemColorFlag | 14;
constexpr TColor clBtnFace = SystemColorFlag | 15;
constexpr TColor clBtnShadow = SystemColorFlag | 16;
constexpr TColor clGrayText = SystemColorFlag | 17;
constexpr TColor clBtnText = SystemColorFlag | 18;
constexpr TColor clInactiveCaptionText = SystemColorFlag | 19;
constexpr TColor clBtnHighlight = SystemColorFlag | 20;
constexpr TColor cl3DDkShadow = SystemColorFlag | 21;
constexpr TColor cl3DLight = SystemColorFlag | 22;
constexpr TColor clInfoText = SystemColorFlag | 23;
constexpr TColor clInfoBk = SystemColorFlag | 24;
constexpr TColor clHotLight = SystemColorFlag | 26;
constexpr TColor clGradientActiveCaption = SystemColorFlag | 27;
constexpr TColor clGradientInactiveCaption = SystemColorFlag | 28;
constexpr TColor clMenuHighlight = SystemColorFlag | 29;
constexpr TColor clMenuBar = SystemColorFlag | 30;

constexpr TColor RGBColor(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) | (static_cast<TColor>(blue) << 16);
}
constexpr uint8_t ColorRed(TColor c) { return static_cast<uint8_t>(c & 0xFF); }
constexpr uint8_t ColorGreen(TColor c) { return static_cast<uint8_t>((c >> 8) & 0xFF); }
constexpr uint8_t ColorBlue(TColor c) { return static_cast<uint8_t>((c >> 16) & 0xFF); }
constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000) == SystemColorFlag; }

// Resolves system colour indexes to their current 0x00BBGGRR value, provided as
// Service<TSystemColorResolver>() (foundation/Service.h). The Windows build asks the
// system; elsewhere TFixedSystemColors answers.
class TSystemColorResolver {
public:
    virtual ~TSystemColorResolver() = default;
    virtual TColor SystemColor(int index) const = 0;
};

// The default values of the system colours (indexes 0..30) on a current desktop; 0 for
// any other index.
class TFixedSystemColors : public TSystemColorResolver {
public:
    TColor SystemColor(int index) const override;
};

// A system colour to its current value; a plain colour to itself (the top byte cleared).
TColor ColorToRGB(TColor color);

// The name of one of the sixteen named colours ("Black" ... "White"); empty otherwise.
String ColorName(TColor color);
// A colour name (any case) to its colour; false when the name is unknown.
bool ColorFromName(StringView name, TColor& color);

// The colour string: the name when the colour is a named one and `noNames` is off;
// otherwise RRGGBB in uppercase hexadecimal (system colours resolved), with "#" when `hash`.
String ColorToString(TColor color, bool hash, bool noNames);
// "#RRGGBB", "RRGGBB" (either case) or a colour name (any case); false when not a colour.
bool StringToColor(StringView text, TColor& color);

} // namespace quillora
