#pragma once
// TSheetView: the rules of the sheet form, the window in which a document is shown and
// edited. It is the painted view that a scrolling viewport shows (render/PaintedView.h):
// it turns the viewport's input into sheet calls, the sheet's notifications into
// repaints, scrolling, cursor and caret updates, and offers the edit commands as actions
// with their shortcuts and a context menu given as data. The Win32 form only puts it
// into a viewport window.

#include <functional>
#include <memory>
#include <vector>

#include "editor/DropDownControl.h"
#include "editor/Sheet.h"
#include "foundation/ViewHost.h"
#include "render/PaintedView.h"

namespace quillora {

class TScheme;
class TSheetFormSettings;

// The pop-up window in which the sheet form shows an open drop-down list; the platform
// makes it (TSheetView::PopupFactory) and passes its input to the TDropDownControl it
// was made for.
class TDropDownPopup {
public:
    virtual ~TDropDownPopup() = default;
    // Shows the window at `screenRect` (or moves it there) without taking the focus.
    virtual void ShowAt(const TRect& screenRect) = 0;
    // Draws the rows again.
    virtual void Refresh() = 0;
    virtual void Hide() = 0;
    virtual TRect ScreenRect() const = 0;
    // The desktop's work area, the window frame (both sides together) and the width of a
    // vertical scroll bar, for placing the window.
    virtual TRect Desktop() const = 0;
    virtual int FrameSize() const = 0;
    virtual int ScrollBarWidth() const = 0;
};
using TDropDownPopupFactory = std::function<std::unique_ptr<TDropDownPopup>(TDropDownControl& control)>;

// The commands of the sheet form (menu commands and actions).
enum TSheetCommand : int {
    scmUndo = 0x5101,
    scmRedo,
    scmCut,
    scmCopy,
    scmCopyText,
    scmPaste,
    scmDelete,
    scmSelectAll,
    scmReadOnly,
    scmNonPrintingCharacters,
};

struct TSheetActionState {
    bool Enabled = false;
    bool Checked = false;
    bool operator==(const TSheetActionState&) const = default;
};

class TSheetView : public TPaintedView {
public:
    // The margin kept beside the focus when it is scrolled into view.
    static constexpr int ShowMargin = 30;

    TSheetView() = default;
    ~TSheetView() override;
    TSheetView(const TSheetView&) = delete;
    TSheetView& operator=(const TSheetView&) = delete;

    // Shows `sheet` (none: nothing) of `scheme` (its undo engine runs Undo and Redo).
    // Neither is owned; a sheet that is replaced loses its drop-down list and activity.
    void SetSheet(TScheme* scheme, TSheet* sheet);
    TSheet* Sheet() const { return sheet_; }
    TScrollingViewport* Viewport() const { return viewport_; }

    // ---- actions ----
    TSheetActionState Action(int command) const;
    // Runs `command` when it is enabled; false when it did not run.
    bool Execute(int command);
    // The caption of a command, from the string table.
    static String Caption(int command);
    // The menu item of a command: caption, shortcut, state as it is now. Undo and Redo
    // name the operation they would undo or redo ("Undo: Typing") when it has a name,
    // unless `plainCaption` is set.
    TMenuItem MenuItem(int command, bool plainCaption = false) const;
    // The context menu: Undo, -, Cut, Copy, Paste, Delete, -, Select All.
    TMenu ContextMenuItems() const;
    // Repaints everything and lays the document out again.
    void Refresh();
    // The actions may have changed (focus, selection, read-only, undo).
    std::function<void()> OnActionsChanged;

    // Makes the window of a drop-down list when one opens; none: lists are not shown.
    TDropDownPopupFactory PopupFactory;
    TDropDownControl* DropDownControl() const { return dropDown_.get(); }
    TDropDownPopup* DropDownPopup() const { return popup_.get(); }

    // Shows the elements of the scheme with these identifiers (a log link): each visual
    // one is selected, the first of them gets the focus and is scrolled into view; an
    // identifier that names no element (0, or one removed meanwhile) or a non-visual one
    // is told in a message box. Returns how many were found.
    int ShowElements(const std::vector<int32_t>& ids);

    // Keys before the sheet's own handling (the edit form's); a consumed key goes no further.
    std::function<void(TKeyEvent&)> OnSheetKeyDown;
    std::function<void(TKeyEvent&)> OnSheetKeyPress;
    std::function<void(TKeyEvent&)> OnSheetKeyUp;

    // ---- hints ----
    // The settings group "SheetForm" ("ShowHints"); none: hints show.
    void SetFormSettings(TSheetFormSettings* settings) { formSettings_ = settings; }
    // The hint for the pointer at `point` (range coordinates): the text of the element
    // under it, asked once per element; empty when no hint is to show (none while an
    // element holds the pointer, while a list is open, or with "ShowHints" off).
    String HintAt(TPoint point);
    // Asks the window to show the hint of the element at `point` when the pointer came
    // to another element, or to hide the hint when that element has none.
    void UpdateHint(TPoint point);
    void HideHint();

    // Scrolls the viewport so that `rect` (sheet coordinates) is in view, with the
    // horizontal margin when `margin`. A rectangle taller than the view shows its top
    // when approached from above and its bottom when approached from below.
    void ScrollIntoView(const TRect& rect, bool margin);

    // ---- TPaintedView ----
    void Paint(TPaintTarget& target, const TRect& rect) override;
    void AttachViewport(TScrollingViewport* viewport, TViewHost* host) override;
    void Scrolled(TPoint position) override;
    void KeyDown(TKeyEvent& event) override;
    void KeyPress(TKeyEvent& event) override;
    void KeyUp(TKeyEvent& event) override;
    void PointerDown(const TPointerEvent& event) override;
    void PointerMove(const TPointerEvent& event) override;
    void PointerUp(const TPointerEvent& event) override;
    void PointerLeave() override;
    // While a list is open, the wheel scrolls it.
    bool Wheel(const TPointerEvent& event) override;
    bool ContextMenu(TPoint screenPoint, bool byKeyboard) override;
    void Timer(int id) override;
    void FocusChanged(bool focused) override;
    void Resized(int width, int height) override;
    void CancelMode() override;
    // Files dropped at `point` go to the sheet (TSheet::DropFiles). The view's window
    // accepts dropped files from the moment the view is shown in it.
    bool DropFiles(const std::vector<String>& fileNames, TPoint point) override;

private:
    void SheetNotify(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void UndoNotify(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void Attach();
    void Detach();
    void SyncViewport();
    void UpdateCaretRect();
    void ShowFocusedNow(bool margin);
    bool RunShortcut(const TKeyEvent& event);
    void DropDownOpened();
    void DropDownChanged();
    void DropDownClosed();
    TRect PlaceDropDown() const;
    // Frees the windows of closed lists; never while one of them may still be handling
    // the input that closed it.
    void FreeRetired();

    TScheme* scheme_ = nullptr;
    TSheet* sheet_ = nullptr;
    TScrollingViewport* viewport_ = nullptr;
    TViewHost* host_ = nullptr;
    // The viewport's own scroll is being passed to the sheet: its echo is ignored.
    bool insideScroll_ = false;
    TSheetFormSettings* formSettings_ = nullptr;
    // The element whose hint shows; only compared, never used (it may be gone).
    const void* hintElement_ = nullptr;
    std::unique_ptr<TDropDownControl> dropDown_;
    std::unique_ptr<TDropDownPopup> popup_;
    // Closed lists' windows, hidden at once and freed after the input that closed them.
    struct TRetired {
        std::unique_ptr<TDropDownControl> Control;
        std::unique_ptr<TDropDownPopup> Popup;
    };
    std::vector<TRetired> retired_;
};

} // namespace quillora
