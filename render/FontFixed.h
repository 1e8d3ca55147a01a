#pragma once
// A deterministic font engine for builds without the platform's fonts, and for tests.
//
// At 96 pixels per inch a font of S points has the cell height H = MulDiv(|S|, 96, 72)
// (16 when S is 0), the descent H / 4, the ascent H - H / 4 and the average width
// W = (H + 1) / 2. Characters advance by W; the capital letters A to Z by W + W / 2;
// characters below 32 by 0 (so a control character is only seen as the replacement
// character that measuring puts in its place); bold adds one pixel to every character
// and to W. Drawing fills one box per character other than the space and the
// no-break space: from the left of the character to one pixel before its advance (at
// least one pixel wide), from the top of the cell plus one to the baseline. Underline
// and strike-out draw a one-pixel row across the run, one below the baseline and at
// half the ascent. Face name, charset, pitch and angles change nothing.

#include "render/DeviceContextManager.h"

namespace quillora {

class TFixedFontManager final : public TDeviceContextManager {
public:
    static constexpr int FixedPixelsPerInch = 96;

    int PixelsPerInch() const override { return FixedPixelsPerInch; }
    std::unique_ptr<TFont> CreateFont(const String& name, int size, int escapement, int orientation, TFontPitch pitch,
                                      TFontCharset charset, TFontStyles style) override;
};

// The metrics TFixedFontManager gives a font of `size` points and `style`.
TFontMetrics FixedFontMetrics(int size, TFontStyles style);
// The advance of one character in such a font.
int FixedCharWidth(Char c, int aveCharWidth, TFontStyles style);

} // namespace quillora
