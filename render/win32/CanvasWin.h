#pragma once
// The sheet canvas on Windows: painting into a window's device context and the device
// context of the paint buffer.

#include "foundation/win32/WinInclude.h"

#include "render/Canvas.h"

namespace quillora {

// Copies the finished buffer into a device context (the window's, during WM_PAINT) at
// the painted rectangle's place; only the colour channels count there.
class TDCPaintTarget final : public TPaintTarget {
public:
    explicit TDCPaintTarget(HDC dc) : dc_(dc) {}
    void Present(const TBitmap32& buffer, TPoint at) override;

private:
    HDC dc_;
};

// The device context of the canvas's paint buffer, its viewport origin at the current
// translation and following the origin moves; null outside a paint.
HDC CanvasHandle(TCustomSheetCanvas& canvas);

} // namespace quillora
