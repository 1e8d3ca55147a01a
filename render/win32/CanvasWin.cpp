#include "render/win32/CanvasWin.h"

#include "render/win32/Bitmap32Win.h"

namespace quillora {

void TDCPaintTarget::Present(const TBitmap32& buffer, TPoint at)
{
    CopyBitmapToDC(buffer, dc_, at.X, at.Y);
}

HDC CanvasHandle(TCustomSheetCanvas& canvas)
{
    return static_cast<HDC>(canvas.GetHandle());
}

} // namespace quillora
