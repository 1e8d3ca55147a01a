#include "editor/SheetView.h"

#include <algorithm>

#include "editor/SheetFormSettings.h"
#include "elements/EditCommands.h"
#include "elements/Scheme.h"
#include "elements/VisualElement.h"
#include "foundation/Localization.h"
#include "foundation/ShortCut.h"
#include "foundation/StringIds.h"
#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"
#include "render/SheetSettings.h"
#include "text/TextElement.h"

namespace quillora {

namespace {

bool EditCommandOf(int command, TEditCommand& edit)
{
    switch (command) {
    case scmCut: edit = ecCut; return true;
    case scmCopy: edit = ecCopy; return true;
    case scmCopyText: edit = ecCopyText; return true;
    case scmPaste: edit = ecPaste; return true;
    case scmDelete: edit = ecDelete; return true;
    case scmSelectAll: edit = ecSelectAll; return true;
    default: return false;
    }
}

} // namespace

TSheetView::~TSheetView()
{
    Detach();
    DropDownClosed();
    retired_.clear();
}

void TSheetView::SetSheet(TScheme* scheme, TSheet* sheet)
{
    Detach();
    scheme_ = scheme;
    sheet_ = sheet;
    Attach();
}

void TSheetView::Detach()
{
    if (sheet_) {
        sheet_->RemoveNotifyEvent(BindNotify<&TSheetView::SheetNotify>(this));
        sheet_->CloseDropDown(false);
        DropDownClosed();
        sheet_->SetActive(false);
        if (sheet_->Host() == host_) sheet_->SetHost(nullptr);
    }
    if (scheme_ && scheme_->UndoRedo()) scheme_->UndoRedo()->RemoveNotifyEvent(BindNotify<&TSheetView::UndoNotify>(this));
    sheet_ = nullptr;
    scheme_ = nullptr;
}

void TSheetView::Attach()
{
    if (scheme_ && scheme_->UndoRedo()) scheme_->UndoRedo()->AddNotifyEvent(BindNotify<&TSheetView::UndoNotify>(this));
    if (!sheet_) {
        if (viewport_) viewport_->InvalidateRangeRect(nullptr);
        return;
    }
    sheet_->AddNotifyEvent(BindNotify<&TSheetView::SheetNotify>(this));
    SyncViewport();
    if (OnActionsChanged) OnActionsChanged();
}

// The sheet and the viewport agree: the sheet's host, view size and scroll position, the
// viewport's range, caret and picture.
void TSheetView::SyncViewport()
{
    if (!sheet_ || !viewport_) return;
    sheet_->SetHost(host_);
    const TPoint client = viewport_->ClientSize();
    if (client.X > 0 && client.Y > 0) sheet_->SetViewSize(client);
    viewport_->SetRange(sheet_->GetWidth(), sheet_->GetHeight());
    viewport_->SetPosition(sheet_->ScrollPos());
    if (host_ && host_->HasFocus()) sheet_->SetActive(true);
    UpdateCaretRect();
    viewport_->InvalidateRangeRect(nullptr);
}

void TSheetView::AttachViewport(TScrollingViewport* viewport, TViewHost* host)
{
    if (sheet_ && sheet_->Host() == host_) sheet_->SetHost(nullptr);
    viewport_ = viewport;
    host_ = host;
    if (host_) host_->AcceptFiles(true);
    SyncViewport();
}

// ---- sheet notifications ----

void TSheetView::SheetNotify(TItfObject*, int notify, intptr_t param1, intptr_t)
{
    if (!sheet_) return;
    switch (notify) {
    case shnSizeChanged:
        if (viewport_) {
            viewport_->SetRange(std::max(sheet_->GetWidth(), 0), std::max(sheet_->GetHeight(), 0));
            viewport_->InvalidateRangeRect(nullptr);
        }
        break;
    case shnRepaint:
        if (viewport_) viewport_->InvalidateRangeRect(reinterpret_cast<const TRect*>(param1));
        break;
    case shnFocusChanged:
    case shnFocusedUpdated:
        if (viewport_) {
            // A text that takes tab characters gets Tab from the dialog.
            auto* text = dynamic_cast<TTextorElement*>(sheet_->GetFocused());
            viewport_->SetWantsTab(text && (text->TextOptions() & toTabs) != 0);
        }
        if (OnActionsChanged) OnActionsChanged();
        break;
    case shnReadOnlyChanged:
        if (OnActionsChanged) OnActionsChanged();
        break;
    case shnCursorChanged:
        if (host_) host_->SetCursor(sheet_->Cursor());
        break;
    case shnCaretChanged:
        UpdateCaretRect();
        break;
    case shnPaintCaret:
    case shnPaintCaretNow:
        if (viewport_ && sheet_->FocusKind() != fkNone) {
            const TRect caret = sheet_->FocusRect();
            viewport_->InvalidateRangeRect(&caret);
            if (host_) host_->UpdateNow();
        }
        break;
    case shnShowFocused:
        ShowFocusedNow(param1 == 1);
        break;
    case shnDropDownOpened:
        DropDownOpened();
        break;
    case shnDropDownChanged:
        DropDownChanged();
        break;
    case shnDropDownClosed:
        DropDownClosed();
        break;
    case shnScrollPosChanged:
        if (!insideScroll_ && viewport_) viewport_->SetPosition(sheet_->ScrollPos());
        break;
    default:
        break;
    }
}

void TSheetView::UndoNotify(TItfObject*, int, intptr_t, intptr_t)
{
    if (OnActionsChanged) OnActionsChanged();
}

void TSheetView::UpdateCaretRect()
{
    if (!viewport_ || !sheet_) return;
    viewport_->SetCaretRect(sheet_->FocusKind() == fkCaret ? sheet_->FocusRect() : TRect {});
}

void TSheetView::ShowFocusedNow(bool margin)
{
    TVisualElement* focused = sheet_ ? sheet_->GetFocused() : nullptr;
    if (!focused) return;
    const TRect rect = sheet_->FocusKind() != fkNone ? sheet_->FocusRect() : focused->ToSheet(focused->GetLocalRect());
    ScrollIntoView(rect, margin);
}

void TSheetView::ScrollIntoView(const TRect& r, bool margin)
{
    if (!viewport_) return;
    const int m = margin ? ShowMargin : 0;
    const TPoint client = viewport_->ClientSize();
    const int w = client.X, h = client.Y;
    TPoint p = viewport_->Position();
    if (p.X + w < r.Right + m) p.X = r.Right + m - w;
    if (r.Left - m < p.X) p.X = r.Left - m;
    const int bottom = std::min(r.Top + h, r.Bottom);
    if (p.Y + h < bottom) p.Y = bottom - h;
    const int top = std::max(r.Top, r.Bottom - h);
    if (top < p.Y) p.Y = top;
    viewport_->SetPosition(p);
}

// ---- showing elements ----

int TSheetView::ShowElements(const std::vector<int32_t>& ids)
{
    if (!sheet_ || !scheme_) return 0;
    auto cannotShow = [](int32_t id) {
        ShowMessageBox(FormatText(u"Element with identifier %1 is found, but it cannot be displayed", {IntToString(id)}));
    };
    sheet_->ClearSelection();
    const bool autoShow = sheet_->AutoShowFocused;
    sheet_->AutoShowFocused = false;
    TVisualElement* first = nullptr;
    int found = 0;
    for (int32_t id : ids) {
        TElement* element = id ? scheme_->FindElement(id) : nullptr;
        auto* visual = dynamic_cast<TVisualElement*>(element);
        // Only an element that stands in this sheet can be shown here.
        if (visual && visual->Sheet() != sheet_) visual = nullptr;
        if (!element) {
            ShowMessageBox(FormatText(u"Element with identifier %1 not found", {IntToString(id)}));
        } else if (!visual) {
            cannotShow(id);
        } else {
            ++found;
            sheet_->SetSelected(visual, true);
            if (!first) first = visual;
        }
    }
    if (first) {
        if (first->IsVisible()) {
            sheet_->SetFocused(first);
            ScrollIntoView(first->ToSheet(first->GetLocalRect()), false);
        } else {
            cannotShow(first->ID());
        }
    }
    sheet_->AutoShowFocused = autoShow;
    return found;
}

// ---- hints ----

String TSheetView::HintAt(TPoint point)
{
    if (!sheet_ || sheet_->GetCapture()) return {};
    if (formSettings_ && !formSettings_->ShowHints().Value()) return {};
    TVisualElement* element = sheet_->DropDownList() ? nullptr : sheet_->ElementAtPoint(point, true);
    if (element == hintElement_) return {};
    hintElement_ = element;
    String text;
    if (element) element->GetHint(text);
    return text;
}

void TSheetView::UpdateHint(TPoint point)
{
    const void* before = hintElement_;
    const String text = HintAt(point);
    if (hintElement_ == before || !host_) return; // the same element: its hint stays
    host_->HideHint();
    if (text.empty()) return;
    const TPoint screen = viewport_ ? viewport_->RangeToScreen(point) : host_->ClientToScreen(point);
    host_->ShowHint(text, screen, 0); // as wide as a third of the screen at most
}

void TSheetView::HideHint()
{
    hintElement_ = nullptr;
    if (host_) host_->HideHint();
}

// ---- the drop-down list's window ----

TRect TSheetView::PlaceDropDown() const
{
    const TRect element = sheet_->DropDownList()->ElementRect;
    const TPoint topLeft = viewport_ ? viewport_->RangeToScreen(element.TopLeft()) : element.TopLeft();
    const TPoint bottomRight = viewport_ ? viewport_->RangeToScreen(element.BottomRight()) : element.BottomRight();
    return dropDown_->Place(Rect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y), popup_->Desktop(),
                            popup_->FrameSize(), popup_->ScrollBarWidth());
}

void TSheetView::DropDownOpened()
{
    // (No freeing here: a list may open from the selection of the one closing in its
    // window's own handler.)
    DropDownClosed();
    if (!sheet_ || !sheet_->DropDownList()) return;
    dropDown_ = std::make_unique<TDropDownControl>(*sheet_);
    if (PopupFactory) popup_ = PopupFactory(*dropDown_);
    if (popup_) popup_->ShowAt(PlaceDropDown());
}

void TSheetView::DropDownChanged()
{
    if (!dropDown_ || !sheet_ || !sheet_->DropDownList()) return;
    dropDown_->Populate();
    if (!popup_) return;
    popup_->ShowAt(TDropDownControl::Grow(popup_->ScreenRect(), PlaceDropDown()));
    popup_->Refresh();
}

// The list closed, perhaps inside its window's own handling of a click: the window is
// hidden now and freed only later (FreeRetired).
void TSheetView::DropDownClosed()
{
    if (!dropDown_ && !popup_) return;
    if (popup_) popup_->Hide();
    retired_.push_back({std::move(dropDown_), std::move(popup_)});
}

void TSheetView::FreeRetired() { retired_.clear(); }

// ---- actions ----

TSheetActionState TSheetView::Action(int command) const
{
    TSheetActionState state;
    if (!sheet_) return state;
    TUndoRedo* undo = scheme_ ? scheme_->UndoRedo() : nullptr;
    TVisualElement* focused = sheet_->GetFocused();
    TEditCommand edit;
    switch (command) {
    case scmUndo:
        // Read-only: nothing that would change the document.
        state.Enabled = undo && undo->CanUndo() && !sheet_->GetReadOnly();
        break;
    case scmRedo:
        state.Enabled = undo && undo->CanRedo() && !sheet_->GetReadOnly();
        break;
    case scmReadOnly:
        state.Enabled = true;
        state.Checked = sheet_->GetReadOnly();
        break;
    case scmNonPrintingCharacters:
        state.Enabled = sheet_->Settings() != nullptr;
        state.Checked = sheet_->Settings() && sheet_->Settings()->NonPrintingCharacters().Value();
        break;
    default:
        if (EditCommandOf(command, edit)) state.Enabled = focused && IsEditCommandEnabled(*focused, edit);
        break;
    }
    return state;
}

bool TSheetView::Execute(int command)
{
    if (!Action(command).Enabled) return false;
    TEditCommand edit;
    switch (command) {
    case scmUndo:
    case scmRedo: {
        TUndoRedo* undo = scheme_->UndoRedo();
        sheet_->BeginUpdate();
        try {
            if (command == scmUndo) undo->Undo();
            else undo->Redo();
        } catch (...) {
            sheet_->EndUpdate();
            throw;
        }
        sheet_->EndUpdate();
        break;
    }
    case scmReadOnly:
        sheet_->SetReadOnly(!sheet_->GetReadOnly());
        break;
    case scmNonPrintingCharacters: {
        TBooleanProperty& key = sheet_->Settings()->NonPrintingCharacters();
        key.SetValue(!key.Value());
        break;
    }
    default:
        if (!EditCommandOf(command, edit)) return false;
        ExecuteEditCommand(*sheet_->GetFocused(), edit);
        break;
    }
    if (OnActionsChanged) OnActionsChanged();
    return true;
}

String TSheetView::Caption(int command)
{
    switch (command) {
    case scmUndo: return LoadString(sidUndo);
    case scmRedo: return LoadString(sidRedo);
    case scmCut: return LoadString(sidCut);
    case scmCopy: return LoadString(sidCopy);
    case scmCopyText: return LoadString(sidCopyText);
    case scmPaste: return LoadString(sidPaste);
    case scmDelete: return LoadString(sidDelete);
    case scmSelectAll: return LoadString(sidSelectAll);
    case scmNonPrintingCharacters: return LoadString(sidNonPrintingCharacters);
    default: return {};
    }
}

TMenuItem TSheetView::MenuItem(int command, bool plainCaption) const
{
    String shortCut;
    switch (command) {
    case scmUndo: shortCut = HotKeyToShortCut(ModControl, kcZ); break;
    case scmRedo: shortCut = HotKeyToShortCut(ModControl, kcY); break;
    case scmCut: shortCut = HotKeyToShortCut(ModControl, kcX); break;
    case scmCopy: shortCut = HotKeyToShortCut(ModControl, kcC); break;
    case scmCopyText: shortCut = HotKeyToShortCut(ModShift | ModControl, kcC); break;
    case scmPaste: shortCut = HotKeyToShortCut(ModControl, kcV); break;
    case scmDelete: shortCut = HotKeyToShortCut(0, kcDelete); break;
    case scmSelectAll: shortCut = HotKeyToShortCut(ModControl, kcA); break;
    default: break;
    }
    String caption = Caption(command);
    TUndoRedo* undo = scheme_ ? scheme_->UndoRedo() : nullptr;
    if (!plainCaption && undo && (command == scmUndo || command == scmRedo)) {
        const TOperation* next = command == scmUndo ? undo->NextUndo() : undo->NextRedo();
        String name = next ? next->GetCaption() : String();
        // The name is shown as it stands: an ampersand in it is no mnemonic.
        for (size_t i = name.find(u'&'); i != String::npos; i = name.find(u'&', i + 2)) name.insert(i, 1, u'&');
        if (!name.empty()) caption = FormatText(u"%1: %2", {caption, name});
    }
    TMenuItem item = TMenuItem::Item(command, std::move(caption), std::move(shortCut));
    const TSheetActionState state = Action(command);
    item.Enabled = state.Enabled;
    item.Checked = state.Checked;
    return item;
}

TMenu TSheetView::ContextMenuItems() const
{
    return {MenuItem(scmUndo, true), TMenuItem::Separator(), MenuItem(scmCut),       MenuItem(scmCopy),
            MenuItem(scmPaste),  MenuItem(scmDelete),    TMenuItem::Separator(), MenuItem(scmSelectAll)};
}

void TSheetView::Refresh()
{
    if (!sheet_) return;
    sheet_->BeginUpdate();
    sheet_->GetRoot()->UpdateLayout(false, true, true, true);
    sheet_->Invalidate(nullptr);
    sheet_->EndUpdate();
}

bool TSheetView::RunShortcut(const TKeyEvent& event)
{
    const bool shift = event.Modifiers(ssShift);
    const bool ctrl = event.Modifiers(ssCtrl);
    const bool ctrlShift = event.Modifiers(ssCtrl | ssShift);
    int command = 0;
    switch (event.Key) {
    case kcInsert:
        if (shift) command = scmPaste;
        else if (ctrl) command = scmCopy;
        break;
    case kcDelete:
        if (shift) command = scmCut;
        else if (!event.HasShift()) command = scmDelete;
        break;
    case kcC: if (ctrl) command = scmCopy; else if (ctrlShift) command = scmCopyText; break;
    case kcA: if (ctrl) command = scmSelectAll; break;
    case kcV: if (ctrl) command = scmPaste; break;
    case kcX: if (ctrl) command = scmCut; break;
    case kcY: if (ctrl) command = scmRedo; break;
    case kcZ: if (ctrl) command = scmUndo; else if (ctrlShift) command = scmRedo; break;
    default: break;
    }
    return command != 0 && Execute(command);
}

// ---- input ----

void TSheetView::Paint(TPaintTarget& target, const TRect& rect)
{
    if (sheet_) sheet_->Paint(&target, rect, 0);
}

void TSheetView::Scrolled(TPoint position)
{
    if (!sheet_) return;
    insideScroll_ = true;
    sheet_->SetScrollPos(position);
    insideScroll_ = false;
}

void TSheetView::KeyDown(TKeyEvent& event)
{
    FreeRetired();
    if (OnSheetKeyDown) OnSheetKeyDown(event);
    if (event.Consumed() || !sheet_) return;
    if (dropDown_ && event.Modifiers(0) &&
        (event.Key == kcPrior || event.Key == kcNext || event.Key == kcEnd || event.Key == kcHome ||
         event.Key == kcUp || event.Key == kcDown)) {
        dropDown_->KeyDown(event.Key);
        if (popup_) popup_->Refresh();
        event.Consume();
        return;
    }
    sheet_->KeyDown(event);
    if (event.Consumed()) return;
    if (RunShortcut(event)) event.Consume();
}

void TSheetView::KeyPress(TKeyEvent& event)
{
    if (!sheet_) return;
    sheet_->KeyPress(event);
    if (!event.Consumed() && OnSheetKeyPress) OnSheetKeyPress(event);
}

void TSheetView::KeyUp(TKeyEvent& event)
{
    if (!sheet_) return;
    sheet_->KeyUp(event);
    if (!event.Consumed() && OnSheetKeyUp) OnSheetKeyUp(event);
}

void TSheetView::PointerDown(const TPointerEvent& event)
{
    FreeRetired();
    HideHint();
    if (sheet_) sheet_->MouseDown(event);
}

bool TSheetView::Wheel(const TPointerEvent& event)
{
    if (!dropDown_) return false;
    // The list scrolls under a pointer that stays where it is.
    dropDown_->Wheel(event.WheelDelta / TPointerEvent::WheelNotch, {-1, -1});
    if (popup_) popup_->Refresh();
    return true;
}

void TSheetView::PointerMove(const TPointerEvent& event)
{
    if (sheet_) sheet_->MouseMove(event);
    UpdateHint(event.Point);
}

void TSheetView::PointerUp(const TPointerEvent& event)
{
    if (sheet_) sheet_->MouseUp(event);
}

void TSheetView::PointerLeave()
{
    HideHint();
    if (sheet_) sheet_->MouseLeave();
}

bool TSheetView::ContextMenu(TPoint screenPoint, bool)
{
    if (!sheet_ || !host_) return false;
    if (TVisualElement* focused = sheet_->GetFocused())
        if (focused->ContextPopup(*host_, screenPoint)) return true;
    const int command = host_->ShowPopupMenu(ContextMenuItems(), screenPoint);
    if (command != 0) Execute(command);
    return true;
}

void TSheetView::Timer(int id)
{
    if (sheet_) sheet_->Timer(id);
}

void TSheetView::FocusChanged(bool focused)
{
    if (!sheet_) return;
    if (!focused) sheet_->CloseDropDown(false);
    sheet_->SetActive(focused);
}

void TSheetView::Resized(int width, int height)
{
    if (sheet_ && width > 0 && height > 0) sheet_->SetViewSize({width, height});
}

void TSheetView::CancelMode()
{
    if (sheet_) sheet_->CancelMode();
}

bool TSheetView::DropFiles(const std::vector<String>& fileNames, TPoint point)
{
    FreeRetired();
    HideHint();
    return sheet_ && sheet_->DropFiles(fileNames, point);
}

} // namespace quillora
