#pragma once
// The window of the range box (widgets/RangeBox.h): a child control on the window base
// that hosts the model, paints through it and tells dialogs which keys it wants. The
// caret the model mirrors is the window's system caret, so screen readers, input
// methods and caret queries of other programs find it.
#include "foundation/win32/WinInclude.h"

#include <chrono>

#include "foundation/win32/Window.h"
#include "widgets/RangeBox.h"

namespace quillora {

class TRangeBoxWindow : public TWindow {
public:
    TRangeBoxWindow();
    ~TRangeBoxWindow() override;

    // Makes the control as a child of `parent` at `bounds` (client coordinates of the parent).
    bool Create(HWND parent, const TRect& bounds);
    TRangeBox& Box() { return box_; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TRangeBox box_;
    bool keyPending_ = false;
    std::chrono::steady_clock::time_point keyStarted_;
};

} // namespace quillora
