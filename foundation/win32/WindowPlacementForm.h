#pragma once
// A real window as the form-placement logic sees it.
#include "foundation/win32/WinInclude.h"

#include "foundation/FormPlacement.h"

namespace quillora {

class TWindow;

class TWindowPlacementForm : public TPlacementForm {
public:
    explicit TWindowPlacementForm(TWindow& window) : window_(window) {}

    TFormBorderKind BorderKind() const override;
    bool HasMaximizeButton() const override;
    // Also while hidden: a window maximized while hidden comes back maximized.
    bool Maximized() const override;
    void Maximize() override;
    TFormBounds Bounds() const override;
    void SetBounds(const TFormBounds& bounds) override;
    int DesktopWidth() const override;
    int DesktopHeight() const override;
    void SetExplicitPlacement() override {}

private:
    HWND Handle() const;

    TWindow& window_;
};

} // namespace quillora
