#include "editor/EditForm.h"

#include "library/Log.h"

#include "editor/Sheet.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/ShortCut.h"
#include "foundation/StringIds.h"
#include "text/TextElement.h"

namespace quillora {

TEditForm::TEditForm(TFindDialogs& dialogs) : find_(dialogs)
{
    documentView_.OnActionsChanged = [this] { ActionsChanged(); };
    documentView_.OnSheetKeyDown = [this](TKeyEvent& event) { palette_.SheetKeyDown(event); };
    documentView_.OnSheetKeyPress = [this](TKeyEvent& event) { palette_.SheetKeyPress(event); };
    documentView_.OnSheetKeyUp = [this](TKeyEvent& event) { palette_.SheetKeyUp(event); };
}

TEditForm::~TEditForm()
{
    // Nobody hears of the form's end.
    OnActionsChanged = nullptr;
    OnPaletteVisibleChanged = nullptr;
    documentView_.OnActionsChanged = nullptr;
    SetLog(nullptr, nullptr);
    documentView_.OnSheetKeyDown = nullptr;
    documentView_.OnSheetKeyPress = nullptr;
    documentView_.OnSheetKeyUp = nullptr;
    SetDocument(nullptr, nullptr);
}

void TEditForm::SetDocument(TScheme* scheme, TSheet* sheet)
{
    if (!sheet) scheme = nullptr;
    scheme_ = scheme;
    sheet_ = sheet;
    documentView_.SetSheet(scheme, sheet);
    palette_.SetSheet(sheet);
    find_.SetSheet(sheet, sheet ? sheet->Document() : nullptr);
    UpdateLogPanel();
    ActionsChanged();
}

TLogRoot* TEditForm::LogRoot() const
{
    return logScheme_ ? dynamic_cast<TLogRoot*>(logScheme_->Root()) : nullptr;
}

void TEditForm::SetLog(TScheme* logScheme, TSheet* logSheet)
{
    if (TLogRoot* old = LogRoot()) {
        old->OnChange = nullptr;
        old->OnShowElements = nullptr;
        old->OnOpenFile = nullptr;
    }
    if (!logSheet) logScheme = nullptr;
    logScheme_ = logScheme;
    logSheet_ = logSheet;
    logView_.SetSheet(logScheme, logSheet);
    if (TLogRoot* root = LogRoot()) {
        root->OnChange = [this] {
            // New lines start at the left edge.
            if (logSheet_) logSheet_->SetScrollPos({0, logSheet_->ScrollPos().Y});
            UpdateLogPanel();
        };
        root->OnShowElements = [this](const std::vector<int32_t>& ids) { ShowElements(ids); };
        root->OnOpenFile = [this](const String& fileName) {
            if (OnOpenFile) OnOpenFile(fileName);
        };
    }
    UpdateLogPanel();
}

void TEditForm::UpdateLogPanel()
{
    TLogRoot* root = LogRoot();
    const bool wasShown = logPanel_.Shown();
    const int change = logPanel_.Update(scheme_ && root ? &root->DocumentMessages() : nullptr);
    if (change != TLogPanel::lpcNone && OnLogPanelChanged) OnLogPanelChanged();
    if (logPanel_.Shown() != wasShown) ActionsChanged();
}

void TEditForm::ClearLog()
{
    if (TLogRoot* root = LogRoot()) root->DocumentMessages().Clear();
}

void TEditForm::SplitterMoved(int splitterTop, int formHeight)
{
    if (logPanel_.SplitterMoved(splitterTop, formHeight) && OnLogPanelChanged) OnLogPanelChanged();
}

void TEditForm::ShowElements(const std::vector<int32_t>& ids)
{
    documentView_.ShowElements(ids);
    if (OnFocusDocument) OnFocusDocument();
}

void TEditForm::ActionsChanged()
{
    if (OnActionsChanged) OnActionsChanged();
}

bool TEditForm::IsCommand(int command) const
{
    return (command >= efcEditFind && command <= efcViewPalette) ||
           (command >= scmUndo && command <= scmNonPrintingCharacters);
}

TSheetActionState TEditForm::Action(int command) const
{
    if (command >= scmUndo && command <= scmNonPrintingCharacters) return documentView_.Action(command);
    TSheetActionState state;
    switch (command) {
    case efcEditFind:
    case efcEditFindNext:
    case efcEditReplace:
    case efcToolsCollapseAll:
    case efcToolsExpandedNotEmpty:
    case efcToolsExpandAll: state.Enabled = sheet_ != nullptr; break;
    case efcToolsRefresh: state.Enabled = true; break;
    case efcToolsClearLog: state.Enabled = logPanel_.CanClear(); break;
    case efcViewPalette:
        state.Enabled = true;
        state.Checked = paletteVisible_;
        break;
    default: break;
    }
    return state;
}

void TEditForm::BeforeCommand()
{
    if (!sheet_) return;
    if (auto* text = dynamic_cast<TTextorElement*>(sheet_->GetFocused()); text && text->CommitPending())
        text->CommitChange();
    sheet_->CancelMode();
}

bool TEditForm::Execute(int command)
{
    if (!IsCommand(command) || !Action(command).Enabled) return false;
    BeforeCommand();
    switch (command) {
    case efcEditFind: find_.Find(); break;
    case efcEditFindNext: find_.FindNext(); break;
    case efcEditReplace: find_.Replace(); break;
    case efcToolsCollapseAll: ExpandButtons(eamCollapseAll); break;
    case efcToolsExpandedNotEmpty: ExpandButtons(eamExpandedNotEmpty); break;
    case efcToolsExpandAll: ExpandButtons(eamExpandAll); break;
    case efcToolsRefresh: Refresh(); break;
    case efcToolsClearLog: ClearLog(); break;
    case efcViewPalette: SetPaletteVisible(!paletteVisible_); break;
    default: return documentView_.Execute(command);
    }
    ActionsChanged();
    return true;
}

void TEditForm::ShortCut(TKeyEvent& event)
{
    const bool plain = event.Modifiers(0);
    const bool ctrl = event.Modifiers(ssCtrl);
    const bool ctrlShift = event.Modifiers(ssCtrl | ssShift);
    const TKeyCode key = event.Key;
    int command = 0;
    if (ctrl && key == kcF) command = efcEditFind;
    else if (plain && key == kcF3) command = efcEditFindNext;
    else if (ctrl && (key == KeyOfChar('H') || key == KeyOfChar('R'))) command = efcEditReplace;
    else if (ctrlShift && key == KeyOfChar('J')) command = efcToolsCollapseAll;
    else if (ctrlShift && key == KeyOfChar('K')) command = efcToolsExpandedNotEmpty;
    else if (ctrlShift && key == KeyOfChar('L')) command = efcToolsExpandAll;
    else if (plain && key == kcF5) command = efcToolsRefresh;
    else if (ctrl && key == kcF5) command = efcToolsClearLog;
    else if (plain && key == kcF4) command = efcViewPalette;
    if (command && Execute(command)) event.Consume();
}

TMenuItem TEditForm::EditMenu() const
{
    auto item = [this](int command, String caption, String shortCut) {
        TMenuItem menuItem = TMenuItem::Item(command, std::move(caption), std::move(shortCut));
        menuItem.Enabled = Action(command).Enabled;
        return menuItem;
    };
    const TSheetView& view = documentView_;
    return TMenuItem::Submenu(
        LoadString(sidEditMenu),
        {view.MenuItem(scmUndo),
         view.MenuItem(scmRedo),
         TMenuItem::Separator(),
         view.MenuItem(scmCut),
         view.MenuItem(scmCopy),
         view.MenuItem(scmCopyText),
         view.MenuItem(scmPaste),
         view.MenuItem(scmDelete),
         TMenuItem::Separator(),
         item(efcEditFind, LoadString(sidFind), HotKeyToShortCut(ModControl, kcF)),
         item(efcEditFindNext, LoadString(sidFindNext), HotKeyToShortCut(0, kcF3)),
         item(efcEditReplace, LoadString(sidReplace), HotKeyToShortCut(ModControl, KeyOfChar('H'))),
         TMenuItem::Separator(),
         view.MenuItem(scmSelectAll)});
}

TMenuItem TEditForm::ViewMenu() const
{
    TMenuItem palette = TMenuItem::Item(efcViewPalette, LoadString(sidViewPalette), HotKeyToShortCut(0, kcF4));
    palette.Checked = paletteVisible_;
    return TMenuItem::Submenu(LoadString(sidViewMenu), {palette, documentView_.MenuItem(scmNonPrintingCharacters)});
}

void TEditForm::ExpandButtons(TExpandAllMode mode)
{
    if (sheet_ && sheet_->Document()) quillora::ExpandButtons(*sheet_->Document(), mode);
}

void TEditForm::Refresh() { documentView_.Refresh(); }

void TEditForm::SetPaletteVisible(bool visible)
{
    if (paletteVisible_ == visible) return;
    paletteVisible_ = visible;
    if (!visible) palette_.CancelMode();
    if (OnPaletteVisibleChanged) OnPaletteVisibleChanged();
    ActionsChanged();
}

void TEditForm::LoadSession(TKnot& node, int parentHeight)
{
    if (TKnot* palette = node.FindKnot(u"Palette")) SetPaletteVisible(palette->ReadBool(u"Visible", true));
    logPanel_.LoadSession(node, parentHeight);
}

void TEditForm::SaveSession(TKnot& node) const
{
    node.GetKnot(u"Palette")->WriteBool(u"Visible", paletteVisible_);
    logPanel_.SaveSession(node);
}

} // namespace quillora
