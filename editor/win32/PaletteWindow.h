#pragma once
// The window of the palette (editor/PaletteForm.h): a child window on the window base
// that shows the form's buttons through the document sheet's canvas and passes its
// pointer input and timers to the form. The form's rules decide everything else.
#include "foundation/win32/WinInclude.h"

#include "editor/PaletteForm.h"
#include "foundation/win32/Window.h"

namespace quillora {

class TCustomSheetCanvas;

class TPaletteWindow : public TWindow {
public:
    // `form` outlives the window.
    explicit TPaletteWindow(TPaletteForm& form);
    ~TPaletteWindow() override;

    // Makes the window as a child of `parent` at `bounds` (client coordinates of the parent).
    bool Create(HWND parent, const TRect& bounds);
    // The canvas the buttons are painted with (the document sheet's); none: nothing is painted.
    void SetCanvas(TCustomSheetCanvas* canvas);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    TPaletteForm& form_;
    TCustomSheetCanvas* canvas_ = nullptr;
};

} // namespace quillora
