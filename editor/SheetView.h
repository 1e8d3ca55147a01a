#pragma once
// TSheetView: the rules of the sheet form, the window in which a document is shown and
// edited. It is the painted view that a scrolling viewport shows (render/PaintedView.h):
// it turns the viewport's input into sheet calls, the sheet's notifications into
// repaints, scrolling, cursor and caret updates, and offers the edit commands as actions
// with their shortcuts and a context menu given as data. The Win32 form only puts it
// into a viewport window.

#include <functional>

#include "editor/Sheet.h"
#include "foundation/ViewHost.h"
#include "render/PaintedView.h"

namespace quillora {

class TScheme;
class TSheetFormSettings;

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
    // The context menu: Undo, -, Cut, Copy, Paste, Delete, -, Select All.
    TMenu ContextMenuItems() const;
    // Repaints everything and lays the document out again.
    void Refresh();
    // The actions may have changed (focus, selection, read-only, undo).
    std::function<void()> OnActionsChanged;

    // Keys before the sheet's own handling (the edit form's); a consumed key goes no further.
    std::function<void(TKeyEvent&)> OnSheetKeyDown;
    std::function<void(TKeyEvent&)> OnSheetKeyPress;
    std::function<void(TKeyEvent&)> OnSheetKeyUp;

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
    bool ContextMenu(TPoint screenPoint, bool byKeyboard) override;
    void Timer(int id) override;
    void FocusChanged(bool focused) override;
    void Resized(int width, int height) override;
    void CancelMode() override;

private:
    void SheetNotify(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void UndoNotify(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void Attach();
    void Detach();
    void SyncViewport();
    void UpdateCaretRect();
    void ShowFocusedNow(bool margin);
    bool RunShortcut(const TKeyEvent& event);

    TScheme* scheme_ = nullptr;
    TSheet* sheet_ = nullptr;
    TScrollingViewport* viewport_ = nullptr;
    TViewHost* host_ = nullptr;
    // The viewport's own scroll is being passed to the sheet: its echo is ignored.
    bool insideScroll_ = false;
};

} // namespace quillora
