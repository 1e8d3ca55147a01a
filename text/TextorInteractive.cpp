#include "text/TextorInteractive.h"

#include <algorithm>

#include "render/SheetCanvas.h"
#include "text/TextorRow.h"

namespace quillora {

TCursor TextorCursor(uint8_t kind)
{
    switch (kind) {
    case tckFieldBeam: return 10;
    case tckFieldElementsBeam: return 11;
    case tckFieldDropDownBeam: return 12;
    case tckContainerBeam: return 13;
    case tckContainerTextBeam: return 14;
    case tckLeftZone:
    case tckLeftZone2: return 15;
    case tckArrow: return crArrow;
    case tckDragMove: return 16;
    case tckDragCopy: return 17;
    case tckNoDrop: return -13;
    case tckHand: return crHandPoint;
    default: return crDefault;
    }
}

TTextorInteractive::TTextorInteractive(TTextor& textor) : textor_(textor)
{
    const TTextorPosition start = textor_.GetStart();
    Store(textor_.FirstRow(), start, start, start);
}

// ---- positions that survive edits ----

TTextorPosition TTextorInteractive::PositionOf(const TTextorLocation& location) const
{
    TTextorPosition pos;
    if (textor_.LocationToPosition(location, pos)) return pos;
    // The text became shorter: the nearest place that exists.
    const int count = textor_.ParagraphCount();
    TParagraph* paragraph = textor_.ParagraphAt(std::clamp(location.ParagraphIndex, 0, count - 1));
    if (!paragraph) return textor_.GetStart();
    if (location.ParagraphIndex >= count) return paragraph->GetEnd();
    const TTextorLocation clamped{paragraph->GetIndex(), std::clamp(location.CharIndex, 0, paragraph->GetLength())};
    if (textor_.LocationToPosition(clamped, pos)) return pos;
    return paragraph->GetStart();
}

void TTextorInteractive::Store(TRow* row, const TTextorPosition& caret, const TTextorPosition& anchor,
                               const TTextorPosition& selEnd)
{
    caretRow_ = row;
    caret_ = TTextor::Normalize(caret);
    anchor_ = TTextor::Normalize(anchor);
    selEnd_ = TTextor::Normalize(selEnd);
    anchorLocation_ = textor_.PositionToLocation(anchor_);
    selEndLocation_ = textor_.PositionToLocation(selEnd_);
    contentSerial_ = textor_.ContentSerial();
    layoutSerial_ = textor_.LayoutSerial();
}

void TTextorInteractive::Refresh()
{
    if (contentSerial_ != textor_.ContentSerial()) {
        anchor_ = PositionOf(anchorLocation_);
        selEnd_ = PositionOf(selEndLocation_);
        caret_ = selEnd_;
        anchorLocation_ = textor_.PositionToLocation(anchor_);
        selEndLocation_ = textor_.PositionToLocation(selEnd_);
        contentSerial_ = textor_.ContentSerial();
        caretRow_ = nullptr;
        layoutSerial_ = ~textor_.LayoutSerial();
    }
    if (layoutSerial_ != textor_.LayoutSerial() || !caretRow_) {
        if (!textor_.IsLaidOut()) {
            caretRow_ = nullptr;
            return;
        }
        caretRow_ = textor_.RowOfPosition(caret_, true);
        layoutSerial_ = textor_.LayoutSerial();
    }
}

TRow* TTextorInteractive::CaretRow()
{
    Refresh();
    return caretRow_;
}

const TTextorPosition& TTextorInteractive::Caret()
{
    Refresh();
    return caret_;
}

const TTextorPosition& TTextorInteractive::Anchor()
{
    Refresh();
    return anchor_;
}

const TTextorPosition& TTextorInteractive::SelEnd()
{
    Refresh();
    return selEnd_;
}

// ---- selection ----

void TTextorInteractive::GetSelection(TTextorRange& range)
{
    Refresh();
    if (TTextor::IsBefore(selEnd_, anchor_)) range = {selEnd_, anchor_};
    else range = {anchor_, selEnd_};
}

bool TTextorInteractive::HasSelection()
{
    Refresh();
    return !(anchor_ == selEnd_);
}

bool TTextorInteractive::IsReversed()
{
    Refresh();
    return TTextor::IsBefore(selEnd_, anchor_);
}

String TTextorInteractive::GetSelectedText()
{
    TTextorRange range;
    GetSelection(range);
    return textor_.GetRangeText(range);
}

TTextorLocationRange TTextorInteractive::GetSelectionLocations(bool& caretAtStart)
{
    Refresh();
    caretAtStart = TTextor::IsBefore(selEnd_, anchor_);
    const TTextorLocation a = caretAtStart ? selEndLocation_ : anchorLocation_;
    const TTextorLocation b = caretAtStart ? anchorLocation_ : selEndLocation_;
    return {a.ParagraphIndex, a.CharIndex, b.ParagraphIndex, b.CharIndex};
}

void TTextorInteractive::SetCaret(const TTextorPosition& pos)
{
    Refresh();
    MoveCaret(textor_.RowOfPosition(pos, true), pos, false, false);
}

void TTextorInteractive::SetSelection(const TTextorRange& range, bool caretAtStart)
{
    Refresh();
    const TTextorPosition caret = caretAtStart ? range.StartPos : range.EndPos;
    const TTextorPosition anchor = caretAtStart ? range.EndPos : range.StartPos;
    const TTextorPosition oldAnchor = anchor_, oldSelEnd = selEnd_, oldCaret = caret_;
    TRow* oldRow = caretRow_;
    Store(textor_.RowOfPosition(caret), caret, anchor, caret);
    if (!(oldRow == caretRow_ && oldCaret == caret_)) Notify(tinCaret, 1);
    const bool wasEmpty = oldAnchor == oldSelEnd, isEmpty = anchor_ == selEnd_;
    if (!(wasEmpty && isEmpty) && !(oldAnchor == anchor_ && oldSelEnd == selEnd_) &&
        !(oldAnchor == selEnd_ && oldSelEnd == anchor_))
        Notify(tinSelection);
}

void TTextorInteractive::SelectAll() { SetSelection(textor_.GetWholeRange(), false); }

void TTextorInteractive::Collapse()
{
    Refresh();
    MoveCaret(caretRow_, caret_, false, false);
}

bool TTextorInteractive::MoveCaret(TRow* row, const TTextorPosition& pos, bool extend, bool keepSelection)
{
    Refresh();
    const TTextorPosition p = TTextor::Normalize(pos);
    TTextorPosition anchor = anchor_, selEnd = selEnd_;
    if (!keepSelection) {
        selEnd = p;
        if (!extend) anchor = p;
        else if (anchor_ == selEnd_) anchor = caret_;
    }
    const TTextorPosition oldAnchor = anchor_, oldSelEnd = selEnd_, oldCaret = caret_;
    TRow* oldRow = caretRow_;
    Store(row, p, anchor, selEnd);
    const bool caretChanged = !(oldRow == caretRow_ && oldCaret == caret_);
    const bool wasEmpty = oldAnchor == oldSelEnd, isEmpty = anchor_ == selEnd_;
    const bool selectionChanged = !(wasEmpty && isEmpty) && !(oldAnchor == anchor_ && oldSelEnd == selEnd_) &&
                                  !(oldAnchor == selEnd_ && oldSelEnd == anchor_);
    if (caretChanged) Notify(tinCaret, 1);
    if (selectionChanged) Notify(tinSelection);
    return caretChanged || selectionChanged;
}

// ---- keys ----

void TTextorInteractive::Replace(const String* text) { Notify(tinReplaceSelection, reinterpret_cast<intptr_t>(text)); }

void TTextorInteractive::DeleteSelection() { Replace(nullptr); }

bool TTextorInteractive::LinkAt(const TTextorPosition& pos, TTextorPosition& link) const
{
    TTextorPosition p = TTextor::Normalize(pos);
    TPortion* portion = p.Portion;
    if (!portion || p.Offset == 0) {
        TTextorPosition prev;
        int code = 0;
        if (TTextor::CharBefore(p, prev, code)) {
            p = prev;
            portion = prev.Portion;
        } else if (!portion) {
            return false;
        }
    }
    const TTextAttributes* attributes = portion ? portion->GetAttributes() : nullptr;
    if (!attributes || !attributes->IsLink()) return false;
    link = p;
    return true;
}

bool TTextorInteractive::LinkAtPoint(TPoint point, TTextorPosition& link)
{
    TTextorPosition pos;
    TRow* row = nullptr;
    if (!textor_.PositionAtPoint(point, false, false, pos, row)) return false;
    if (!pos.Portion) return false;
    const TTextAttributes* attributes = pos.Portion->GetAttributes();
    if (!attributes || !attributes->IsLink()) return false;
    link = pos;
    return true;
}

bool TTextorInteractive::EnterElement(bool left)
{
    if (!EnterElementCallback) return false;
    TPortion* portion = nullptr;
    if (left) {
        if (!caret_.Portion || caret_.Offset == 0)
            portion = caret_.Portion ? caret_.Portion->Prev() : caret_.Paragraph->LastPortion();
    } else if (caret_.Portion && caret_.Offset == 0) {
        portion = caret_.Portion;
    }
    if (!portion || !portion->IsElement()) return false;
    TVisualElement* element = static_cast<TElementPortion*>(portion)->Element();
    return element && EnterElementCallback(element, left);
}

void TTextorInteractive::KeyDown(TKeyEvent& event)
{
    if (mouseMode_ != 0 || !textor_.IsLaidOut()) return;
    Refresh();
    const bool shift = event.HasShift(), ctrl = event.HasCtrl();
    TRow* row = nullptr;
    TTextorPosition pos;
    switch (event.Key) {
    case kcBack:
    case kcDelete: {
        if (!CanEdit()) return;
        if (!HasSelection()) {
            TTextorRange range;
            if (event.Key == kcBack) {
                TTextorPosition from = textor_.PrevPosition(caret_);
                if (ctrl) from = textor_.PrevWord(from);
                range = {from, caret_};
            } else {
                TTextorPosition to = textor_.NextPosition(caret_);
                if (ctrl) {
                    const TTextorPosition word = textor_.NextWord(caret_);
                    if (!(word == caret_)) to = word;
                }
                range = {caret_, to};
            }
            if (TTextor::Normalize(range.StartPos) == TTextor::Normalize(range.EndPos)) return;
            SetSelection(range, event.Key == kcDelete);
        }
        event.Consume();
        Replace(nullptr);
        return;
    }
    case kcReturn: {
        if (!ctrl || !(Flags & tifCtrlEnterLinks)) return;
        TTextorPosition link;
        if (!LinkAt(caret_, link)) return;
        event.Consume();
        Notify(tinLink, reinterpret_cast<intptr_t>(&link));
        return;
    }
    case kcEnd:
    case kcHome:
        if (ctrl) {
            pos = event.Key == kcEnd ? textor_.GetEnd() : textor_.GetStart();
        } else {
            row = caretRow_;
            if (!row) return;
            pos = event.Key == kcEnd ? row->GetEndPos() : row->GetStartPos();
        }
        break;
    case kcLeft:
        if (!shift && !ctrl && EnterElement(true)) {
            event.Consume();
            return;
        }
        pos = textor_.PrevPosition(caret_);
        if (ctrl) pos = textor_.PrevWord(pos);
        break;
    case kcRight:
        if (!shift && !ctrl && EnterElement(false)) {
            event.Consume();
            return;
        }
        if (ctrl) {
            pos = textor_.NextWord(caret_);
            if (TTextor::Normalize(pos) == caret_) pos = textor_.NextPosition(caret_);
        } else {
            pos = textor_.NextPosition(caret_);
        }
        break;
    case kcUp:
    case kcDown: {
        if (ctrl || !caretRow_) return;
        TRow* target = event.Key == kcUp ? TTextor::PrevRow(caretRow_) : TTextor::NextRow(caretRow_);
        if (!target) return;
        const TRect rect = CaretRect();
        const TPoint point{(rect.Left + rect.Right) / 2, event.Key == kcUp ? rect.Top - 1 : rect.Bottom};
        if (!textor_.PositionAtPoint(point, true, true, pos, row)) return;
        break;
    }
    default:
        return;
    }
    if (!row) row = textor_.RowOfPosition(pos, true);
    if (MoveCaret(row, pos, shift, false)) event.Consume();
}

void TTextorInteractive::KeyPress(TKeyEvent& event)
{
    if (mouseMode_ != 0 || !CanEdit()) return;
    const Char ch = event.Ch;
    // AltGr arrives as Ctrl+Alt: only Ctrl without Alt makes a key a command, and Alt
    // without Ctrl is the window's menu key (Alt+S opens "Service").
    const bool command = event.HasCtrl() != event.HasAlt();
    String text;
    if (ch >= 32 && ch != 127 && !command) text.assign(1, ch);
    else if (ch == 13 && textor_.AcceptsLineBreaks() && !event.HasCtrl()) text = u"\r";
    else if (ch == 9 && textor_.AcceptsTabs() && !event.HasCtrl()) text = u"\t";
    else return;
    event.Consume();
    Replace(&text);
}

void TTextorInteractive::KeyUp(TKeyEvent& event) {}

// ---- mouse ----

uint8_t TTextorInteractive::TextCursorKind() const
{
    if (Flags & tifDropDown) return tckFieldDropDownBeam;
    if (!(Flags & tifLineBreaks)) return (Flags & tifContent) ? tckFieldElementsBeam : tckFieldBeam;
    return (Flags & tifText) ? tckContainerTextBeam : tckContainerBeam;
}

void TTextorInteractive::MouseDown(TPoint point, bool left, TShiftState shift, int clickCount)
{
    if (!left) {
        SetMouseMode(0);
        return;
    }
    SetMouseMode(0);
    DownPoint = MousePoint = point;
    if (!textor_.IsLaidOut()) return;
    TTextorPosition pos;
    TRow* row = nullptr;
    if (clickCount == 2) {
        TTextorPosition link;
        if ((Flags & tifLinks) && LinkAtPoint(point, link)) {
            Notify(tinLink, reinterpret_cast<intptr_t>(&link));
            return;
        }
        if (!textor_.PositionAtPoint(point, true, false, pos, row)) return;
        // The word that holds the character clicked (the trailing blanks included).
        TTextorPosition after, start;
        int code = 0;
        if (TTextor::CharAt(pos, after, code)) start = textor_.PrevWord(after);
        else start = textor_.PrevWord(pos);
        if (TTextor::IsBefore(pos, start)) start = pos;
        TTextorRange range{start, textor_.NextWord(pos)};
        if (TTextor::Normalize(range.StartPos) == TTextor::Normalize(range.EndPos))
            range = {pos, textor_.NextPosition(pos)};
        SetSelection(range, false);
        return;
    }
    if (clickCount >= 3) {
        if (!textor_.PositionAtPoint(point, true, false, pos, row)) return;
        TParagraph* paragraph = pos.Paragraph;
        const TTextorPosition end = paragraph->Next() ? paragraph->Next()->GetStart() : paragraph->GetEnd();
        SetSelection({paragraph->GetStart(), end}, false);
        return;
    }
    if (!textor_.PositionAtPoint(point, true, true, pos, row)) return;
    MoveCaret(textor_.RowOfPosition(pos, true), pos, (shift & ssShift) != 0, false);
    SetMouseMode(1);
    SetCursorKind(TextCursorKind());
}

void TTextorInteractive::MouseMove(TPoint point)
{
    MousePoint = point;
    if (!textor_.IsLaidOut()) return;
    if (mouseMode_ == 1) {
        TTextorPosition pos;
        TRow* row = nullptr;
        if (textor_.PositionAtPoint(point, true, true, pos, row, &DownPoint, &MousePoint))
            MoveCaret(textor_.RowOfPosition(pos, true), pos, true, false);
        return;
    }
    if (mouseMode_ == 0) {
        TTextorPosition link;
        SetCursorKind((Flags & tifLinks) && LinkAtPoint(point, link) ? tckHand : TextCursorKind());
    }
}

void TTextorInteractive::MouseUp(TPoint point, bool left)
{
    MousePoint = point;
    if (!left || mouseMode_ == 0) return;
    SetMouseMode(0);
    SetCursorKind(TextCursorKind());
}

void TTextorInteractive::CancelPress()
{
    SetMouseMode(0);
    SetCursorKind(TextCursorKind());
}

// ---- caret and painting ----

TRect TTextorInteractive::CaretRect()
{
    Refresh();
    if (!caretRow_) return TRect{};
    return textor_.CaretRect(caretRow_, caret_, caretWidth_);
}

void TTextorInteractive::Paint(TSheetCanvas& canvas, TTextPaintState state, TTextDrawFlags flags)
{
    if (!textor_.IsLaidOut()) return;
    Refresh();
    textor_.PaintBackgrounds(canvas, state);
    const TTextorRange whole = textor_.GetWholeRange();
    if ((flags & tdfSelected) && HasSelection()) {
        TTextorRange selection;
        GetSelection(selection);
        const TTextDrawFlags plain = flags & ~tdfSelected;
        textor_.Paint(canvas, state, false, plain, {whole.StartPos, selection.StartPos});
        textor_.Paint(canvas, state, false, plain, {selection.EndPos, whole.EndPos});
        textor_.Paint(canvas, state, (Flags & tifParagraphEndSelected) != 0, flags, selection);
    } else {
        textor_.Paint(canvas, state, false, flags & ~tdfSelected, whole);
    }
}

void TTextorInteractive::SetCaretWidth(int width)
{
    if (width == caretWidth_) return;
    caretWidth_ = width;
    Notify(tinCaret, 0);
}

void TTextorInteractive::SetCursorKind(uint8_t kind)
{
    if (kind == cursorKind_) return;
    cursorKind_ = kind;
    Notify(tinCursor);
}

void TTextorInteractive::SetMouseMode(uint8_t mode)
{
    if (mode == mouseMode_) return;
    mouseMode_ = mode;
    Notify(tinMouseMode);
}

} // namespace quillora
