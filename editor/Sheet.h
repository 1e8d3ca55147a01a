#pragma once
// TSheet: the controller between one tree of visual elements and the window that shows
// it. It owns the canvas and the invisible root element (a TSheetElement, in which the
// document's root is placed), keeps the focused, pressed (capture) and hovered elements
// and the selection, routes the window's input to the right element, paints the tree
// through the canvas, keeps the focus indicator and the cursor up to date, holds at most
// one open drop-down list, and tells its window what to do through numbered
// notifications (TItfObject::Notify, codes below). It knows nothing of the window: the
// sheet form turns window events into sheet calls and notifications into window actions.
//
// Its two timers (the delayed focus action and the scroll into view after a focus
// change) run on the host given with SetHost; the form passes their ticks to Timer.

#include <cstdint>
#include <memory>
#include <vector>

#include "elements/CustomSheet.h"
#include "elements/DropDownList.h"
#include "foundation/Geometry.h"
#include "foundation/Input.h"
#include "foundation/Knot.h"
#include "foundation/ViewHost.h"
#include "render/Canvas.h"

namespace quillora {

class TSheetSettings;
class TVisualElement;

// The notifications of a sheet (the code of Notify; param1 as said).
enum TSheetNotification : int {
    shnSizeChanged = 1,
    shnRepaint = 2,             // param1: a TRect* in sheet coordinates, or 0 for everything
    shnFocusChanged = 3,
    shnFocusedUpdated = 4,
    shnCursorChanged = 5,
    shnCaretChanged = 6,
    shnHoverChanged = 7,
    shnDropDownOpened = 8,
    shnDropDownChanged = 9,
    shnDropDownClosed = 10,
    shnFocusedContentChanged = 20,
    shnFocusedValueChanged = 21,
    shnPaintCaret = 22,
    shnPaintCaretNow = 23,
    shnShowFocused = 24,        // param1: 1 with a horizontal margin
    shnReadOnlyChanged = 25,
    shnActiveChanged = 26,
    shnScrollPosChanged = 27,
};

// The focus indicator the focused element asks for.
enum TSheetFocusKind : int {
    fkNone = 0,
    fkFocusRect = 1,
    fkThickFocusRect = 2,
    fkCaret = 3,
};

// Paint flags of the sheet (beside the element's own, elements/VisualElement.h).
constexpr int spfNoFocusRect = 0x10;
constexpr int spfNoCaret = 0x40;

class TSheet : public TCustomSheet {
public:
    // The ids of the sheet's timers on its host.
    static constexpr int DelayTimerId = 0x5301;
    static constexpr int ShowTimerId = 0x5302;
    static constexpr unsigned TimerInterval = 300;
    static constexpr int Unbounded = 0x3FFFFFFF;

    // `settings` (none: the defaults) must outlive the sheet; the sheet owns `canvas`.
    TSheet(TSheetSettings* settings, std::unique_ptr<TSheetCanvas> canvas);
    ~TSheet() override;

    // The host that runs the sheet's timers (none: the timers do not run). A host that is
    // replaced gets its running timers stopped.
    void SetHost(TViewHost* host);
    TViewHost* Host() const { return host_; }
    // Places `root` (the document's root element) in the sheet's root element; none takes
    // the current one out.
    void SetDocument(TVisualElement* root);
    TVisualElement* Document() const { return document_; }
    TSheetSettings* Settings() const { return settings_; }

    // ---- TCustomSheet ----
    TVisualElement* GetFocused() const override { return focused_; }
    TVisualElement* GetCapture() const override { return capture_; }
    TVisualElement* GetHover() const override { return hover_; }
    void SetFocused(TVisualElement* element) override;
    void SetCapture(TVisualElement* element) override;
    void SetHover(TVisualElement* element) override;
    void ElementRemoved(TVisualElement* element) override;
    TVisualElement* GetRoot() const override;
    TSheetCanvas* GetCanvas() const override { return canvas_.get(); }
    bool GetReadOnly() const override { return readOnly_; }
    bool GetActive() const override { return active_; }
    void GetAvailableSize(int& width, int& height) const override;
    int GetDefaultTextDescent() const override;
    void BeginUpdate() override;
    void EndUpdate() override;
    bool IsUpdating() const override { return updateCount_ > 0; }
    void Invalidate(const TRect* rect) override;
    void SizeChanged() override;
    void UpdateCaret() override;
    void ShowFocused() override;
    void ReportFocusedState() override;
    void ReportSelection() override;
    void ReportFocusedContent() override;
    void MarkChanged(TVisualElement* element) override;
    void SetSelected(TVisualElement* element, bool selected) override;
    void ClearSelection() override;
    TVisualElement* GetDropDownOwner() const override;
    void OpenDropDown(TDropDownList* list) override;
    void CloseDropDown(bool accept) override;
    void DelayFocusAction(TVisualElement* element) override;
    void PlaySheetSound(const String& name) override;

    // ---- state ----
    const std::vector<TVisualElement*>& Selection() const { return selection_; }
    TDropDownList* DropDownList() const { return dropDown_.get(); }
    TSheetFocusKind FocusKind() const { return focusKind_; }
    const TRect& FocusRect() const { return focusRect_; }
    TCursor Cursor() const { return cursor_; }
    TPoint MousePos() const { return mousePos_; }
    TPoint ScrollPos() const { return scrollPos_; }
    TPoint ViewSize() const { return viewSize_; }
    bool AutoShowFocused = true;
    // The element waiting for its delayed focus action.
    TVisualElement* DelayedElement() const { return delayed_; }

    // ---- window-facing ----
    void KeyDown(TKeyEvent& event);
    void KeyPress(TKeyEvent& event);
    void KeyUp(TKeyEvent& event);
    // Points in sheet coordinates.
    void MouseDown(const TPointerEvent& event);
    void MouseMove(const TPointerEvent& event);
    void MouseUp(const TPointerEvent& event);
    // The pointer left the window: a move to (-1, -1).
    void MouseLeave();
    void CancelMode();
    // Files dropped at `point`: offered to the element under the point, then to each of
    // its visual ancestors, until one takes them (DropFilesAt); false when none did.
    bool DropFiles(const std::vector<String>& fileNames, TPoint point);
    void SetActive(bool value);
    void SetReadOnly(bool value);
    void SetScrollPos(TPoint point);
    void SetViewSize(TPoint size);
    // The deepest visible element at `point`; passive elements count only `forHint`.
    TVisualElement* ElementAtPoint(TPoint point, bool forHint);
    // Paints `rect` (sheet coordinates) and hands the picture to `target`.
    void Paint(TPaintTarget* target, const TRect& rect, int flags);
    // Draws the focused element's caret (overlay) into the canvas of a paint in progress.
    void PaintCaret();
    int GetWidth() const;
    int GetHeight() const;
    // One of the sheet's timers fired on its host.
    void Timer(int id);
    // The left button is held (the scroll into view waits for its release).
    bool LeftButtonHeld() const { return leftHeld_; }

    // ---- session data ----
    void SaveFocusData(TKnot& knot) const;
    void LoadFocusData(TKnot& knot);

private:
    void Raise(int notify, intptr_t param = 0);
    // Raises now, or records it for the end of the update.
    void RaiseOrRecord(int notify);
    void SettingsChanged(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void UpdateCursor();
    void StartTimer(int id);
    void StopTimer(int id);
    void RelayOut(bool widthChanged, bool heightChanged);

    TSheetSettings* settings_;
    std::unique_ptr<TSheetCanvas> canvas_;
    // The canvas again when it paints into a buffer of its own.
    TCustomSheetCanvas* bufferCanvas_ = nullptr;
    TVisualElement* root_ = nullptr;
    TVisualElement* document_ = nullptr;
    TViewHost* host_ = nullptr;
    bool readOnly_ = false;
    bool active_ = false;
    TSheetFocusKind focusKind_ = fkNone;
    TRect focusRect_;
    TCursor cursor_ = crDefault;
    TVisualElement* capture_ = nullptr;
    TVisualElement* focused_ = nullptr;
    TVisualElement* hover_ = nullptr;
    std::unique_ptr<TDropDownList> dropDown_;
    // The list being closed, while its selection handler may still run.
    TDropDownList* closing_ = nullptr;
    bool closingOwnerGone_ = false;
    TPoint mousePos_;
    std::vector<TVisualElement*> selection_;
    int updateCount_ = 0;
    TPoint scrollPos_;
    TPoint viewSize_ {Unbounded, Unbounded};
    std::vector<int> pending_;
    bool pendingWidth_ = false;
    bool pendingHeight_ = false;
    TVisualElement* delayed_ = nullptr;
    bool showTimerRuns_ = false;
    bool leftHeld_ = false;
    bool destroying_ = false;
};

} // namespace quillora
