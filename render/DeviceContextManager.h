#pragma once
// TDeviceContextManager: the maker of fonts for the text engine and the canvas, provided
// as Service<TDeviceContextManager>() (foundation/Service.h). On Windows it owns a memory
// device context compatible with the screen (with a 1 x 1 bitmap selected) on which
// every measurement is made, and knows the screen's vertical resolution; elsewhere a
// deterministic fixed-metric engine stands in (render/FontFixed.h).

#include <memory>

#include "foundation/FontData.h"
#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "render/Bitmap32.h"
#include "render/Font.h"

namespace quillora {

class TDeviceContextManager {
public:
    TDeviceContextManager() = default;
    TDeviceContextManager(const TDeviceContextManager&) = delete;
    TDeviceContextManager& operator=(const TDeviceContextManager&) = delete;
    virtual ~TDeviceContextManager() = default;

    // The screen's vertical resolution in pixels per inch.
    virtual int PixelsPerInch() const = 0;

    // A font of the face `name` (the platform's default face when it is not installed) and
    // `size` points, its height -FontPixelHeight(size, PixelsPerInch()); bold, italic,
    // underline and strike-out from `style`; escapement and orientation in tenths of a
    // degree (the text engine passes 0). Raises an Exception when the platform refuses.
    virtual std::unique_ptr<TFont> CreateFont(const String& name, int size, int escapement, int orientation,
                                              TFontPitch pitch, TFontCharset charset, TFontStyles style) = 0;
    // Frees the font and empties the reference.
    void DeleteFont(std::unique_ptr<TFont>& font) { font.reset(); }

    // Pixel memory with a drawing context of the platform (a device context on Windows),
    // for bitmaps that platform drawing lands on (paint buffers); null means plain memory.
    virtual std::unique_ptr<TBitmapStorage> NewBitmapStorage() { return nullptr; }
};

// round(a * b / c) with halves away from zero, computed in 64 bits; -1 when c is 0 or the
// result does not fit.
int MulDiv(int a, int b, int c);
// The character height in pixels of a font of `size` points: MulDiv(size, pixelsPerInch, 72).
int FontPixelHeight(int size, int pixelsPerInch);

} // namespace quillora
