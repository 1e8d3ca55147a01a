#pragma once
// TFont: a realised font of the text engine. It knows its metrics, measures runs of
// characters and draws them onto a 32-bit bitmap. Characters below 32 (control
// characters) are measured and drawn as U+FFFD, the replacement character, so that a
// stray control character takes the same room wherever it appears; the caller's
// characters are never changed.
//
// Fonts come from the device-context manager (render/DeviceContextManager.h), which
// decides the platform: GDI fonts on Windows, a fixed-metric font elsewhere.

#include <cstdint>

#include "foundation/Colors.h"
#include "foundation/Strings.h"

namespace quillora {

class TBitmap32;

enum TFontPitch : uint8_t { fpDefault = 0, fpVariable = 1, fpFixed = 2 };

struct TFontMetrics {
    int Ascent = 0;       // pixels from the top of a row's text to its baseline
    int Descent = 0;      // pixels below the baseline
    int AveCharWidth = 0; // the font's average character width

    int Height() const { return Ascent + Descent; }
    // One tab step: eight average characters.
    int TabWidth() const { return 8 * AveCharWidth; }
};

// The character that measuring and drawing put in place of a control character.
constexpr Char ControlCharReplacement = u'\uFFFD';

class TFont {
public:
    virtual ~TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const TFontMetrics& Metrics() const { return metrics_; }
    int Ascent() const { return metrics_.Ascent; }
    int Descent() const { return metrics_.Descent; }
    int Height() const { return metrics_.Height(); }
    int AveCharWidth() const { return metrics_.AveCharWidth; }
    int TabWidth() const { return metrics_.TabWidth(); }

    // The advance width of `count` characters; 0 when count <= 0 (chars is then not read).
    int TextWidth(const Char* chars, int count) const;
    int TextWidth(StringView text) const;

    // Draws `count` characters in `color` (a Windows colour; system colours resolved) with
    // the top-left corner of the text cell at (x, y) in bitmap pixels, on a transparent
    // background. Only the bitmap's clip rectangle is touched; the pixels drawn are made
    // opaque. Returns the advance width, as TextWidth. clNone measures without drawing.
    int DrawText(TBitmap32& target, int x, int y, TColor color, const Char* chars, int count) const;
    int DrawText(TBitmap32& target, int x, int y, TColor color, StringView text) const;

protected:
    explicit TFont(const TFontMetrics& metrics) : metrics_(metrics) {}

    // The platform's measuring and drawing of characters that contain no control
    // characters any more; count > 0.
    virtual int MeasureChars(const Char* chars, int count) const = 0;
    virtual void DrawChars(TBitmap32& target, int x, int y, TColor rgb, const Char* chars, int count) const = 0;

private:
    TFontMetrics metrics_;
};

// Whether any of the characters is below 32.
bool HasControlChars(const Char* chars, int count);
// The characters with every one below 32 replaced by ControlCharReplacement.
String ReplaceControlChars(const Char* chars, int count);

} // namespace quillora
