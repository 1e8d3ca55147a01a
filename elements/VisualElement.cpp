#include "elements/VisualElement.h"

namespace quillora {

TVisualElement::TVisualElement() = default;
TVisualElement::~TVisualElement() = default;
bool TVisualElement::IsFocused() const { return false; }
bool TVisualElement::IsPressed() const { return false; }
bool TVisualElement::IsHovered() const { return false; }
bool TVisualElement::IsReadOnly() const { return false; }
bool TVisualElement::IsVisualAncestorOf(const TVisualElement* element) const { return false; }
TPoint TVisualElement::ToParent(TPoint point) const { return point; }
TPoint TVisualElement::FromParent(TPoint point) const { return point; }
TPoint TVisualElement::ToSheet(TPoint point) const { return point; }
TPoint TVisualElement::FromSheet(TPoint point) const { return point; }
TRect TVisualElement::ToParent(const TRect& rect) const { return rect; }
TRect TVisualElement::ToSheet(const TRect& rect) const { return rect; }
TRect TVisualElement::GetBoundsRect() const { return {}; }
TRect TVisualElement::GetLocalRect() const { return {}; }
bool TVisualElement::IsFocusAncestorOf(const TVisualElement* element) const { return false; }
const TElementClass* TVisualElement::GetUnacceptedClass(TSchemeFiler* filer) { return nullptr; }
void TVisualElement::SetSheet(TCustomSheet* sheet) { }
bool TVisualElement::SetBounds(int left, int top, int width, int height, int descent) { return false; }
void TVisualElement::Invalidate() { }
void TVisualElement::InvalidateRect(const TRect& rect) { }
void TVisualElement::PaintAll(TSheetCanvas& canvas, int paintFlags) { }
TVisualElement* TVisualElement::HitTest(TPoint point, int hitFlags) { return {}; }
void TVisualElement::SetDisabled(bool value) { }
void TVisualElement::SetDisabledUndoable(bool value) { }
void TVisualElement::SetSelected(bool value) { }
void TVisualElement::SetExternalEditing(bool value) { }
void TVisualElement::SetMarked(bool value) { }
void TVisualElement::SetWantsActivation(bool value) { }
void TVisualElement::SetVisualOptions(TVisualOptions options) { }
void TVisualElement::SetPressed(bool value) { }
void TVisualElement::MakeVisible() { }
void TVisualElement::Focus() { }
void TVisualElement::BeginSelectionBatch() { }
void TVisualElement::EndSelectionBatch() { }
void TVisualElement::UpdateDisabled() { }
void TVisualElement::UpdateInSelection() { }
void TVisualElement::UpdateVisible() { }
void TVisualElement::UpdateAutoHide(bool keep, bool recompute, bool release) { }
void TVisualElement::UpdateMessagesSign() { }
void TVisualElement::ReportFocusedState() { }
void TVisualElement::ReportSelection() { }
void TVisualElement::ReportFocusedContent() { }
void TVisualElement::FindNextDefault(bool forward, TVisualElement* searchRoot, bool visibleOnly, bool enabledOnly, TVisualElement*& next, TVisualElement*& from) { }
void TVisualElement::Create() { }
intptr_t TVisualElement::Notification(int notify, intptr_t param1, intptr_t param2) { return {}; }
bool TVisualElement::IsCheckable() { return false; }
void TVisualElement::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) { }
void TVisualElement::HasValueChanged() { }
void TVisualElement::ErrorStateChanged() { }
void TVisualElement::LoadFromKnot(TSchemeFiler* filer, TKnot* knot) { }
void TVisualElement::SaveToKnot(TSchemeFiler* filer, TKnot* knot) { }
void TVisualElement::BoundsChanged(const TRect& oldRect, int oldDescent) { }
bool TVisualElement::IsChildVisible(TVisualElement* child) { return false; }
bool TVisualElement::ComputeDisabled() { return false; }
bool TVisualElement::ComputeInSelection() { return false; }
bool TVisualElement::ComputeVisible() { return false; }
void TVisualElement::PressedChanged() { }
void TVisualElement::ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent) { }
void TVisualElement::ChildDisabledChanged(TVisualElement* child) { }
void TVisualElement::ChildVisibleChanged(TVisualElement* child) { }
void TVisualElement::ChildSelectionChanged(TVisualElement* child) { }
void TVisualElement::DisabledChanged() { }
bool TVisualElement::ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked) { return false; }
void TVisualElement::GetPaletteItems(TPaletteItemList& list) { }
void TVisualElement::GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state) { }
bool TVisualElement::ContainsPoint(TPoint point) { return false; }
bool TVisualElement::Paste() { return false; }
void TVisualElement::ExternalEditingChanged() { }
void TVisualElement::FocusChanged() { }
void TVisualElement::FocusChanging() { }
void TVisualElement::GetCaret(bool& visible, TRect& rect) { }
bool TVisualElement::HasSelection() { return false; }
void TVisualElement::GetMargins(TRect& rect) { }
void TVisualElement::GetMouseTransparent(TRect& rect) { }
void TVisualElement::GetPadding(TRect& rect) { }
void TVisualElement::GetInvalidateRect(TRect& rect) { }
TVisualElement* TVisualElement::GetNextVisualChild(TVisualElement* previous, bool forward) { return {}; }
TVisualElement* TVisualElement::GetFocusParent() { return {}; }
void TVisualElement::InsertVisualChild(TVisualElement* child, TVisualElement* before) { }
void TVisualElement::EffectivelyDisabledChanged() { }
void TVisualElement::InSelectionChanged() { }
void TVisualElement::VisibleChanged() { }
void TVisualElement::ShowChild(TVisualElement* child) { }
void TVisualElement::MoveVisualChild(TVisualElement* child, TVisualElement* before) { }
bool TVisualElement::ShouldSaveChild(TSchemeFiler* filer, TElement* child) { return false; }
void TVisualElement::PaintChild(TSheetCanvas& canvas, int paintFlags, TVisualElement* child) { }
void TVisualElement::PaintChildren(TSheetCanvas& canvas, int paintFlags) { }
void TVisualElement::Paint(TSheetCanvas& canvas, int paintFlags) { }
void TVisualElement::PaintDisabled(TSheetCanvas& canvas) { }
void TVisualElement::PaintExternalEditing(TSheetCanvas& canvas) { }
void TVisualElement::PaintMark(TSheetCanvas& canvas) { }
void TVisualElement::PositionChanged() { }
void TVisualElement::ActivationChanged() { }
bool TVisualElement::VisualChildNotification(TVisualElement* child, int notify, intptr_t param2, intptr_t param1) { return false; }
void TVisualElement::RemoveVisualChild(TVisualElement* child) { }
void TVisualElement::SelectedChanged() { }
void TVisualElement::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged) { }
void TVisualElement::DetachingFromSheet() { }
void TVisualElement::AdjustCommonPaletteItems(TPaletteItemList& list) { }
void TVisualElement::PropagateDisabled() { }
void TVisualElement::PropagateSelection() { }
void TVisualElement::PropagateVisible() { }
void TVisualElement::VisualParentChanged() { }
void TVisualElement::CancelPress() { }
bool TVisualElement::CanDelete() { return false; }
bool TVisualElement::CanCopyText() { return false; }
bool TVisualElement::CanCopy() { return false; }
bool TVisualElement::CanPaste() { return false; }
void TVisualElement::Delete() { }
bool TVisualElement::ContextPopup(void* window, TPoint screenPoint) { return false; }
void TVisualElement::CopyText() { }
void TVisualElement::Copy() { }
TCursor TVisualElement::GetCursor(TPoint point) { return {}; }
void TVisualElement::Reserved101() { }
void TVisualElement::Reserved102() { }
void TVisualElement::Reserved103() { }
void TVisualElement::Reserved104(intptr_t param) { }
bool TVisualElement::DropFiles(const std::vector<String>& fileNames) { return false; }
bool TVisualElement::FindNext(TFindMode mode, TFindData* findData, bool forward, TVisualElement*& next, TVisualElement*& from) { return false; }
void TVisualElement::FocusFirst() { }
bool TVisualElement::FindFocusable(bool horizontal, bool forward, bool onlyVisible, bool skipDisabled, TVisualElement*& result) { return false; }
void TVisualElement::GetHint(String& text) { }
void TVisualElement::GetAvailableSize(TVisualElement* child, int& width, int& height) { }
TVisualElement* TVisualElement::FindNextFocusable(bool horizontal, bool forward, bool onlyVisible, bool skipDisabled, TVisualElement*& from) { return {}; }
void TVisualElement::KeyDown(uint16_t& key, TShiftState shift) { }
void TVisualElement::KeyPress(Char& ch) { }
void TVisualElement::KeyUp(uint16_t& key, TShiftState shift) { }
void TVisualElement::GetKnotClassName(TSchemeFiler* filer, TKnot* knot, String& name) { }
void TVisualElement::Click() { }
void TVisualElement::DblClick() { }
void TVisualElement::MouseDown(TPoint point, bool left, bool alt, bool ctrl, bool shift, bool quadruple, bool triple, bool dbl) { }
void TVisualElement::MouseEnter() { }
void TVisualElement::MouseLeave() { }
void TVisualElement::MouseMove(TPoint point, bool shift, bool alt, bool ctrl) { }
void TVisualElement::MouseUp(TPoint point, bool left, bool alt, bool ctrl, bool shift) { }
void TVisualElement::PaintOverlay(void* dc) { }
void TVisualElement::GetFocusData(String& text) { }
void TVisualElement::SelectAll() { }
void TVisualElement::SetFocus(bool horizontal, bool forward, std::optional<TPoint> point, TVisualElement* from, const String& focusData) { }
void TVisualElement::SetVisualParent(TVisualElement* newParent, TVisualElement* before) { }
void TVisualElement::ChildEventOut(intptr_t a, intptr_t b) { }
void TVisualElement::SetVisualStateBit(TVisualState bit, bool value) { }
void TVisualElement::RecomputeInAutoHide() { }
bool TVisualElement::HasShownValueOrFocusInside() { return false; }
void TVisualElement::PlaceMessagesSign() { }
void TVisualElement::FreeMessagesSign() { }
void TVisualElement::SetSheetOfSubtree(TCustomSheet* sheet) { }

} // namespace quillora
