#pragma once
// TAboutForm: the About box. The program's icon on a white band beside the title and
// version, the notice in a read-only memo, the vendor's logo that opens the link when
// clicked, and OK. Modal over its owner; Escape, Enter and OK close it.
#include "foundation/win32/WinInclude.h"

#include <vector>

#include "foundation/Strings.h"
#include "foundation/win32/Window.h"

namespace quillora {

class TAboutForm : public TWindow {
public:
    TAboutForm(String notice, String linkUrl);
    ~TAboutForm() override;

    // Shows the box over `owner` (disabled meanwhile) and returns when it closes.
    void ShowModal(HWND owner);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void LoadLogo();
    void Paint(HDC dc);
    bool OverLogo(int x, int y) const;

    String notice_;
    String linkUrl_;
    bool closed_ = false;
    HICON icon_ = nullptr;
    HFONT font_ = nullptr;
    HFONT titleFont_ = nullptr;
    HWND title_ = nullptr;
    HBRUSH white_ = nullptr;
    // The logo, blended over the window's face colour, as 32-bit BGR rows from the top.
    int logoWidth_ = 0;
    int logoHeight_ = 0;
    std::vector<uint32_t> logo_;
};

// The About box of the program: the notice and the link are the vendor's.
void ShowAboutBox(HWND owner, const String& notice, const String& linkUrl);

} // namespace quillora
