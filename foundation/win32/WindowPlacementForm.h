#pragma once
// A real window as the form-placement logic sees it.
#include "foundation/win32/WinInclude.h"

#include "foundation/FormPlacement.h"

namespace quillora {

class TWindowPlacementForm : public TPlacementForm {
public:
    explicit TWindowPlacementForm(HWND window = nullptr) : window_(window) {}
    void SetWindow(HWND window) { window_ = window; }
    HWND Window() const { return window_; }

    TFormBorderKind BorderKind() const override;
    bool HasMaximizeButton() const override;
    bool Maximized() const override;
    void Maximize() override;
    TFormBounds Bounds() const override;
    void SetBounds(const TFormBounds& bounds) override;
    int DesktopWidth() const override;
    int DesktopHeight() const override;
    void SetExplicitPlacement() override {}

private:
    HWND window_;
};

} // namespace quillora
