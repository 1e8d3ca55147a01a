// The device-context manager of Windows: a memory context compatible with the screen,
// with a 1 x 1 bitmap selected, on which fonts are measured.
#include <algorithm>
#include <cstring>

#include "foundation/Exceptions.h"
#include "render/DeviceContextManager.h"
#include "render/Bitmap32.h"
#include "render/win32/Bitmap32Win.h"
#include "render/win32/DeviceContextManagerWin.h"
#include "render/win32/FontWin.h"

namespace quillora {

namespace {

class TGdiDeviceContextManager final : public TDeviceContextManager {
public:
    TGdiDeviceContextManager()
    {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        pixelsPerInch_ = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (dc_) bitmap_ = CreateCompatibleBitmap(screen ? screen : dc_, 1, 1);
        if (screen) ReleaseDC(nullptr, screen);
        if (!dc_ || !bitmap_) {
            if (dc_) DeleteDC(dc_);
            throw Exception(AsciiToString("The measuring device context could not be created"));
        }
        previous_ = SelectObject(dc_, bitmap_);
        if (pixelsPerInch_ <= 0) pixelsPerInch_ = 96;
    }

    ~TGdiDeviceContextManager() override
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    int PixelsPerInch() const override { return pixelsPerInch_; }

    std::unique_ptr<TBitmapStorage> NewBitmapStorage() override { return std::make_unique<TDibSectionStorage>(); }

    std::unique_ptr<TFont> CreateFont(const String& name, int size, int escapement, int orientation, TFontPitch pitch,
                                      TFontCharset charset, TFontStyles style) override
    {
        LOGFONTW lf{};
        lf.lfHeight = -FontPixelHeight(size, pixelsPerInch_);
        lf.lfEscapement = escapement;
        lf.lfOrientation = orientation;
        lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = charset;
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = pitch == fpVariable ? VARIABLE_PITCH : pitch == fpFixed ? FIXED_PITCH : DEFAULT_PITCH;
        // The face name is cut to what LOGFONTW holds (31 characters and the terminator).
        const size_t length = std::min<size_t>(name.size(), LF_FACESIZE - 1);
        std::memcpy(lf.lfFaceName, name.data(), length * sizeof(wchar_t));
        lf.lfFaceName[length] = 0;
        return CreateGdiFont(dc_, lf);
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int pixelsPerInch_ = 96;
};

} // namespace

std::unique_ptr<TDeviceContextManager> NewGdiDeviceContextManager()
{
    return std::make_unique<TGdiDeviceContextManager>();
}

} // namespace quillora
