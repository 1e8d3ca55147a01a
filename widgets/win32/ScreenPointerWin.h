#pragma once
// The screen pointer of Windows: the cursor's position and its visibility.
#include "foundation/win32/WinInclude.h"

#include "widgets/RangeBox.h"

namespace quillora {

class TWinScreenPointer : public TScreenPointer {
public:
    TPoint GetPosition() const override
    {
        POINT p {};
        GetCursorPos(&p);
        return {p.x, p.y};
    }
    void SetPosition(TPoint point) override { SetCursorPos(point.X, point.Y); }
    void ShowPointer(bool show) override { ShowCursor(show ? TRUE : FALSE); }
};

} // namespace quillora
