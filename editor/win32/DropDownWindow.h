#pragma once
// The pop-up window of an open drop-down list (editor/DropDownControl.h): a borderless,
// top-most tool window with a shadow, shown without taking the focus, whose rows are
// drawn on the sheet's canvas and whose input goes to the control's rules.
#include "foundation/win32/WinInclude.h"

#include "editor/DropDownControl.h"
#include "editor/SheetView.h"
#include "foundation/win32/Window.h"

namespace quillora {

class TCustomSheetCanvas;

class TDropDownWindow : public TWindow, public TDropDownPopup {
public:
    // `canvas` draws the rows (the sheet's); `owner` is the window of the sheet form.
    TDropDownWindow(TDropDownControl& control, TCustomSheetCanvas* canvas, HWND owner);
    ~TDropDownWindow() override;

    // ---- TDropDownPopup ----
    void ShowAt(const TRect& screenRect) override;
    void Refresh() override;
    void Hide() override;
    TRect ScreenRect() const override;
    TRect Desktop() const override;
    int FrameSize() const override;
    int ScrollBarWidth() const override;

    // A factory for TSheetView::PopupFactory.
    static TDropDownPopupFactory Factory(TCustomSheetCanvas* canvas, HWND owner);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PointerDown(const TPointerEvent& event) override;
    void PointerMove(const TPointerEvent& event) override;
    void PointerUp(const TPointerEvent& event) override;
    bool Wheel(const TPointerEvent& event) override;

private:
    void Paint(HDC dc, const TRect& rect);

    TDropDownControl& control_;
    TCustomSheetCanvas* canvas_;
    HWND owner_;
};

} // namespace quillora
