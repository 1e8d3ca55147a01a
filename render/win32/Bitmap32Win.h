#pragma once
// The device context of a TBitmap32 on Windows: the bitmap's pixels live in a DIB section
// selected into a memory device context, so that GDI drawing (text, focus rectangles,
// pens and brushes, image lists) lands in them. GDI leaves the alpha of the pixels it
// draws at 0; TBitmap32::ResetAlpha makes such a rectangle opaque again.

#include "foundation/win32/WinInclude.h"
#include "render/Bitmap32.h"

namespace quillora {

// Pixel memory in a top-down 32-bit DIB section. The memory device context lives as long
// as the storage, across size changes, so fonts, colours and the viewport origin set on it
// stay; a bitmap of size 0 has the context without a DIB section.
class TDibSectionStorage final : public TBitmapStorage {
public:
    TDibSectionStorage();
    ~TDibSectionStorage() override;
    TDibSectionStorage(const TDibSectionStorage&) = delete;
    TDibSectionStorage& operator=(const TDibSectionStorage&) = delete;

    TColor32* Allocate(int width, int height) override;
    void Release() override;
    void Synchronize() override { GdiFlush(); }
    // The viewport origin of the device context.
    void SetDrawingOrigin(TPoint origin) override { SetViewportOrgEx(dc_, origin.X, origin.Y, nullptr); }

    HDC Handle() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HBITMAP section_ = nullptr;
    HGDIOBJ original_ = nullptr;
};

// The device context of bitmap. The first call moves the pixels into a DIB section.
HDC BitmapDC(TBitmap32& bitmap);

// Copies the bitmap into dc with its top-left corner at (x, y) (colour channels only).
void CopyBitmapToDC(const TBitmap32& bitmap, HDC dc, int x, int y);

} // namespace quillora
