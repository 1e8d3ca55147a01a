#pragma once
// TSettingsDialog: the settings dialog on Windows. The rules (pages, bindings, OK and
// Apply) are TSettingsForm's; this window is their host: the page tree on the left, the
// selected page's controls on the right (real check boxes, combo boxes, radio buttons, a
// number edit with an up-down control, the system's hotkey control, a font button with
// the font dialog, file edits with the save dialog), and OK, Cancel and Apply. Its
// placement is kept in the session file ("SettingsForm").
#include "foundation/win32/WinInclude.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

#include "foundation/FormPlace.h"
#include "foundation/win32/Window.h"
#include "foundation/win32/WindowPlacementForm.h"
#include "shell/SettingsForm.h"

namespace quillora {

class TGlobal;

class TSettingsDialog : public TWindow, public TSettingsFormHost {
public:
    TSettingsDialog(TGlobal& global, HWND owner);
    ~TSettingsDialog() override;

    // Shows the dialog modally over `owner` until it closes; made again at once in the
    // new language when Apply changed it.
    // "Get More Themes" calls `getMoreThemes`.
    static void Execute(TGlobal& global, HWND owner, std::function<void()> getMoreThemes = nullptr);
    // Makes the window with its pages on the page where the last dialog closed, not yet
    // shown (Execute shows it); false when the system refused.
    bool Create();
    // The dialog closed (OK, Cancel, its close box, or Apply that changed the language).
    bool Done() const { return done_; }

    // ---- TSettingsFormHost ----
    void AddPage(const String& caption) override;
    void AddGroup(const String& caption) override;
    void AddExplanation(const String& text) override;
    ICheckBoxControl& AddCheckBox(bool visible) override;
    IComboBoxControl& AddComboBox(const String& label) override;
    IRadioGroupControl& AddRadioGroup() override;
    IIntegerEditControl& AddIntegerEdit(const String& label) override;
    IHotKeyControl& AddHotKey(const String& label) override;
    IFontButtonControl& AddFontButton(const String& note) override;
    ITextEditControl& AddFileEdit(const String& browseCaption, std::function<void()> browse) override;
    void AddButton(const String& caption, std::function<void()> click) override;
    bool AskSaveFileName(String& fileName) override;

    // One control of a page and the windows it is made of (see the .cpp).
    class TPageControl;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Runs the modal loop; true when the dialog is to be made again (Apply changed the
    // language).
    bool RunModal();
    HWND MakeChild(const wchar_t* className, const String& text, DWORD style, int id = 0, DWORD exStyle = 0);
    template <class T, class... Args> T& AddControl(Args&&... args);
    void Layout();
    void ShowPage(int page);
    void Close(bool ok);

    TGlobal& global_;
    HWND owner_;
    TWindowPlacementForm placementForm_;
    TFormPlace formPlace_;
    std::unique_ptr<TSettingsForm> form_;
    HFONT font_ = nullptr;
    bool ownsFont_ = false;
    HWND tree_ = nullptr;
    std::vector<HTREEITEM> pageItems_;
    std::vector<std::unique_ptr<TPageControl>> controls_;
    int buildingPage_ = -1;
    int nextId_ = 1000;
    bool done_ = false;
    bool reopen_ = false;
};

} // namespace quillora
