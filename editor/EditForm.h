#pragma once
// TEditForm: the rules of the editor that fills the main window. It shows the document's
// sheet in its sheet form (TSheetView), owns the document-wide commands (find, find
// next, replace, expand and collapse all, refresh) with their shortcuts, builds the Edit
// and View menus that the main window shows, and keeps its part of the session. The
// window side only puts the sheet form's view into a scrolling viewport and gives the
// platform's find and replace dialogs.

#include <functional>

#include "editor/FindDialogs.h"
#include "editor/LogPanel.h"
#include "editor/PaletteForm.h"
#include "editor/SheetView.h"
#include "foundation/Input.h"
#include "foundation/ViewHost.h"
#include "library/ExpandButton.h"

namespace quillora {

class TKnot;
class TLogRoot;
class TScheme;
class TSheet;

// The commands of the edit form (menu commands and actions).
enum TEditFormCommand : int {
    efcEditFind = 0x5201,
    efcEditFindNext,
    efcEditReplace,
    efcToolsCollapseAll,
    efcToolsExpandedNotEmpty,
    efcToolsExpandAll,
    efcToolsRefresh,
    efcToolsClearLog,
    efcViewPalette,
};

class TEditForm {
public:
    // The dialogs must outlive the form.
    explicit TEditForm(TFindDialogs& dialogs);
    ~TEditForm();
    TEditForm(const TEditForm&) = delete;
    TEditForm& operator=(const TEditForm&) = delete;

    // Connects the editor to a document's scheme and the sheet that shows it (none:
    // nothing is shown and the document commands are disabled). Neither is owned.
    void SetDocument(TScheme* scheme, TSheet* sheet);
    TScheme* Scheme() const { return scheme_; }

    // Connects the log: its scheme (whose root is a TLogRoot) and the sheet that shows it
    // in the log's sheet form (none: no log). The log root's callbacks are set here and
    // cleared again when the log is replaced or the form goes; the panel is updated.
    void SetLog(TScheme* logScheme, TSheet* logSheet);
    TLogRoot* LogRoot() const;

    // The document's sheet form: the view the window puts into its viewport.
    TSheetView& DocumentView() { return documentView_; }
    // The log's sheet form, and the rules of the panel that holds it.
    TSheetView& LogView() { return logView_; }
    TLogPanel& LogPanel() { return logPanel_; }
    const TLogPanel& LogPanel() const { return logPanel_; }
    // The panel was shown or hidden, its glyph or its height changed: the window lays
    // itself out again (TLogPanel::Layout) and repaints the close button.
    std::function<void()> OnLogPanelChanged;
    // A file link of the log was clicked (none: nothing happens).
    std::function<void(const String& fileName)> OnOpenFile;
    // The splitter was dragged so that its top is at `splitterTop` of a form `formHeight`
    // high.
    void SplitterMoved(int splitterTop, int formHeight);
    // The close button was clicked: the log is cleared (which hides it).
    void LogButtonClick() { Execute(efcToolsClearLog); }
    // A log link was clicked: the document's sheet form shows the elements and takes
    // the focus (OnFocusDocument).
    void ShowElements(const std::vector<int32_t>& ids);
    std::function<void()> OnFocusDocument;
    TFindCommands& Find() { return find_; }
    // The palette above the document: it follows the document's sheet and takes the
    // document view's keys first (its Ctrl accelerators).
    TPaletteForm& Palette() { return palette_; }
    // Whether the palette shows (View > Palette, F4); kept in the session.
    bool PaletteVisible() const { return paletteVisible_; }
    // The height the palette takes above the document: 0 while it is hidden.
    int PaletteHeight() const { return paletteVisible_ ? palette_.FormHeight() : 0; }
    void SetPaletteVisible(bool visible);
    std::function<void()> OnPaletteVisibleChanged;

    // ---- commands ----
    // A command of the edit form or of its sheet form (TSheetCommand).
    bool IsCommand(int command) const;
    TSheetActionState Action(int command) const;
    // Runs `command` when it is enabled: first the focused element commits a change
    // waiting for the focus to leave, and a press or drag in progress is cancelled.
    // False when it did not run.
    bool Execute(int command);
    // The edit form's shortcuts (Ctrl+F, F3, Ctrl+H or Ctrl+R, Ctrl+Shift+J/K/L, F5,
    // Ctrl+F5, F4),
    // seen before the focused element; a key acted on is consumed.
    void ShortCut(TKeyEvent& event);

    // ---- menus ----
    // Edit: Undo, Redo, -, Cut, Copy, Copy as Text, Paste, Delete, -, Find, Find Next,
    // Replace, -, Select All. View: Palette, Non-Printing Characters. Captions from the string
    // table of the current language, states as they are now.
    TMenuItem EditMenu() const;
    TMenuItem ViewMenu() const;
    // The state of a command may have changed (focus, selection, undo, document).
    std::function<void()> OnActionsChanged;

    // ---- the document-wide commands ----
    // Sets every expand button of the document as `mode` says, as one undo step.
    void ExpandButtons(TExpandAllMode mode);
    void Refresh();

    // ---- session ----
    // "Palette"/"Visible" and "Log"/"Height" of the main window's node. A log height
    // outside 10 to half of `parentHeight` (the height of the window the form stands in;
    // 0: no upper limit) keeps the current height.
    void LoadSession(TKnot& node, int parentHeight = 0);
    void SaveSession(TKnot& node) const;

private:
    void ActionsChanged();
    void BeforeCommand();
    void UpdateLogPanel();
    void ClearLog();

    TSheetView documentView_;
    TSheetView logView_;
    TLogPanel logPanel_;
    TScheme* logScheme_ = nullptr;
    TSheet* logSheet_ = nullptr;
    TPaletteForm palette_;
    TFindCommands find_;
    TScheme* scheme_ = nullptr;
    TSheet* sheet_ = nullptr;
    bool paletteVisible_ = true;
};

} // namespace quillora
