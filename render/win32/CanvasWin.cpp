#include "render/win32/CanvasWin.h"

#include "render/win32/Bitmap32Win.h"

namespace quillora {

void TDCPaintTarget::Present(const TBitmap32& buffer, TPoint at)
{
    CopyBitmapToDC(buffer, dc_, at.X, at.Y);
}

HDC CanvasHandle(TCustomSheetCanvas& canvas)
{
    TBitmap32* buffer = canvas.Buffer();
    if (!buffer) return nullptr;
    // A buffer in plain memory (another device-context manager made it) moves into a DIB
    // section here and takes the current translation.
    HDC dc = BitmapDC(*buffer);
    buffer->Storage().SetDrawingOrigin(canvas.ToBuffer(0, 0));
    return dc;
}

} // namespace quillora
