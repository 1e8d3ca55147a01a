#pragma once
// TDropDownForm: the list of snippets that opens below the caret of any program
// without taking the focus from it. While it is open the keyboard hook reports the
// keys typed in that program as tokens; characters filter the list, Enter types the
// chosen snippet, Escape or a switch to another window closes it.
#include "foundation/win32/WinInclude.h"

#include <functional>
#include <memory>

#include "foundation/Geometry.h"
#include "foundation/win32/Window.h"
#include "render/Bitmap32.h"
#include "typing/DropDownModel.h"
#include "typing/TypingSettings.h"

namespace quillora {

class TFocusedWindowNotifier;
class TFormPlace;
class TDropDownListWindow;
class TSessionFile;
class TWindowPlacementForm;
class THookLibrary;
class TParagraph;
class TTextor;

class TDropDownForm : public TWindow {
public:
    // The list keeps the size the user gives it in `sessionFile` (none: not kept).
    TDropDownForm(const TTypingSettings& settings, TSessionFile* sessionFile = nullptr);
    ~TDropDownForm() override;
    TDropDownForm(const TDropDownForm&) = delete;
    TDropDownForm& operator=(const TDropDownForm&) = delete;

    // Creates the hidden window (and the focused-window notifier).
    bool Create(HINSTANCE instance);
    bool Visible() const { return Handle() && IsWindowVisible(Handle()); }
    // The text whose paragraphs are the snippets.
    void SetText(TTextor* text) { text_ = text; }
    // Types a chosen snippet: the number of filter characters to erase first, and the
    // paragraph. The program sets it to the typing engine.
    std::function<void(int filterLength, const TParagraph& paragraph)> OnType;

    // Opens the list below the caret of the program in front, with the hook active.
    void ShowList();
    // Closes the list without typing.
    void CloseList();
    void HandleToken(StringView token);
    void ChooseItem();
    const TDropDownModel& Model() const { return model_; }
    // The pointer moved over the list: the item under it is selected (not while the
    // pointer rests where it was when the items were rebuilt).
    void ListMouseMove(int x, int y);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void FormShow();
    void FormHide();
    void ReleaseHook();
    void UpdateFont();
    void UpdateItemHeight();
    void FillList();
    void DrawItem(HDC dc, int index, const RECT& r, bool selected);
    int PageSize() const;

    TTypingSettings settings_;
    TDropDownModel model_;
    TTextor* text_ = nullptr;
    std::unique_ptr<THookLibrary> hook_;
    std::unique_ptr<TFocusedWindowNotifier> notifier_;
    TSessionFile* sessionFile_;
    std::unique_ptr<TWindowPlacementForm> placementForm_;
    std::unique_ptr<TFormPlace> formPlace_;
    std::unique_ptr<TDropDownListWindow> list_;
    HFONT font_ = nullptr;
    HWND targetWindow_ = nullptr;
    TRect caretRect_;
    int itemHeight_ = 19;
    TBitmap32 rowBitmap_; // one item row, composed before it goes to the screen
    bool shownOnce_ = false;
    TRefusedTargets refusedTargets_;
};

} // namespace quillora
