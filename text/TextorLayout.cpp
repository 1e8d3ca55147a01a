// The text's layout: breaking paragraphs into rows, moving rows, and the geometric
// questions of the editor (rows at y, positions at points, caret rectangles), and drawing.
#include <algorithm>
#include <climits>

#include "render/SheetCanvas.h"
#include "text/Textor.h"
#include "text/TextorRow.h"

namespace quillora {

namespace {

// A place to break a row: the position after a character, with the row's ascent,
// descent and x as they were when it was recorded.
struct TBreakCandidate {
    TPortion* Portion = nullptr; // the portion whose character ends the row (none: the row start)
    int Index = -1;              // that character's index
    int Quality = 0;
    int Ascent = 0;
    int Descent = 0;
    int X = 0;
};

// The position after character `index` of `portion`, normalized.
TTextorPosition PositionAfter(TParagraph& paragraph, TPortion* portion, int index)
{
    return TTextor::Normalize({&paragraph, portion, index + 1});
}

int AttributesAscent(const TTextAttributes* attributes) { return attributes ? attributes->GetAscent() : 0; }
int AttributesDescent(const TTextAttributes* attributes) { return attributes ? attributes->GetDescent() : 0; }

} // namespace

int TTextor::BottomAbove(const TParagraph& paragraph) const
{
    for (TParagraph* p = paragraph.Prev(); p; p = p->Prev()) {
        const int bottom = p->LaidOutBottom();
        if (bottom >= 0) return bottom;
    }
    return 0;
}

void TTextor::ShiftRows(TParagraph& paragraph, int dy)
{
    if (dy == 0) return;
    for (TRow* row = paragraph.FirstRow(); row; row = row->GetNextRow()) row->Bottom += dy;
    for (TPortion* portion = paragraph.FirstPortion(); portion; portion = portion->Next()) portion->MoveBy(0, dy);
}

void TTextor::LayoutParagraph(TParagraph& paragraph, int width)
{
    if (paragraph.IsValid()) return;
    TRect padding = layoutPadding_, margins = layoutMargins_;
    if (!inLayout_) {
        GetLayoutPadding(padding);
        GetMargins(margins);
    }
    if (paragraph.LayoutValid() && paragraph.FirstRow()) {
        // Only moved: the first row starts right below the paragraph above.
        ShiftRows(paragraph, BottomAbove(paragraph) - paragraph.FirstRow()->Top());
    } else {
        BreakParagraph(paragraph, width, padding, margins);
        PlaceElements(paragraph, padding, margins);
    }
    paragraph.SetValidity(true, true);
}

void TTextor::BreakParagraph(TParagraph& paragraph, int width, const TRect& padding, const TRect& margins)
{
    paragraph.FreeRows();
    const TTextAttributes* T = paragraph.GetTextAttributes();
    const TParagraphAttributes* P = paragraph.GetParagraphAttributes();
    const bool wrap = width > 0;
    int room = 0, laterRoom = 0;
    if (wrap) {
        const int left = P ? P->GetLeftIndent(T) : 0;
        const int right = P ? P->GetRightIndent(T) : 0;
        const int first = P ? P->GetFirstIndent(T) : 0;
        room = std::max(1, width - left - first - right);
        laterRoom = std::max(1, width - left - right);
    }
    const int baseAscent = AttributesAscent(T), baseDescent = AttributesDescent(T);
    int ascent = baseAscent, descent = baseDescent, x = 0;
    TBreakCandidate candidate{nullptr, -1, 0, baseAscent, baseDescent, 0};
    TRow* firstRow = nullptr;
    TRow* lastRow = nullptr;
    int bottom = BottomAbove(paragraph);
    TTextorPosition rowStart = paragraph.GetStart();
    int right = 0;

    auto rowRight = [&](TRow* row) {
        // The row's right edge without computing its alignment: indents and width.
        const int left = P ? P->GetLeftIndent(T) + (row == firstRow ? P->GetFirstIndent(T) : 0) : 0;
        right = std::max(right, left + row->Width + (P ? P->GetRightIndent(T) : 0));
    };
    auto linkRow = [&](TRow* row) {
        if (!firstRow) firstRow = row;
        if (auto* prevFirst = dynamic_cast<TWrappedParagraphFirstRow*>(lastRow)) prevFirst->NextRow = row;
        else if (auto* prevInner = dynamic_cast<TWrappedParagraphInnerRow*>(lastRow)) prevInner->NextRow = row;
        if (auto* follow = dynamic_cast<TWrappedParagraphFollowRow*>(row)) {
            follow->PrevRow = lastRow;
            follow->StartPos = rowStart;
        }
        lastRow = row;
        rowRight(row);
    };

    try {
        for (TPortion* portion = paragraph.FirstPortion(); portion; portion = portion->Next()) {
            const int length = portion->Length();
            int pa = 0, pd = 0;
            portion->GetHeights(pa, pd);
            ascent = std::max(ascent, pa);
            descent = std::max(descent, pd);
            int x0 = x;
            portion->MeasureWidth(x, 0, length);
            if (!wrap) continue;
            int s = 0;
            for (;;) {
                if (!portion->Next() && x <= room) break;
                // The best place to break within the rest of this portion.
                int probe = x0;
                const int d = portion->HitTest(probe, room, s, length - s, false, nullptr, nullptr);
                int index, quality;
                if (d < 0) {
                    index = length - 1;
                    quality = 2;
                } else if (d > s) {
                    index = d - 1;
                    quality = 2;
                    for (int i = d - 1; i >= s; --i) {
                        const int next = i + 1 < length ? portion->GetChar(i + 1)
                                                        : (portion->Next() ? portion->Next()->GetChar(0) : INT_MIN);
                        if (next != INT_MIN && CanBreakBetween(portion->GetChar(i), next)) {
                            index = i;
                            quality = 3;
                            break;
                        }
                    }
                } else {
                    index = s;
                    quality = 1;
                }
                if (quality >= candidate.Quality) {
                    int cx = x0;
                    portion->MeasureWidth(cx, s, index + 1 - s);
                    candidate = {portion, index, quality, ascent, descent, cx};
                    s = index + 1;
                    x0 = cx;
                }
                const bool atEnd = candidate.Portion && !candidate.Portion->Next() &&
                                   candidate.Index + 1 >= candidate.Portion->Length();
                if (x <= room || atEnd) break;
                // Break: a row ends at the candidate.
                const TTextorPosition end = candidate.Portion ? PositionAfter(paragraph, candidate.Portion, candidate.Index)
                                                              : rowStart;
                TRow* row;
                if (!firstRow) {
                    auto* first = new TWrappedParagraphFirstRow(&paragraph);
                    first->EndPos = end;
                    row = first;
                } else {
                    auto* inner = new TWrappedParagraphInnerRow(&paragraph);
                    inner->EndPos = end;
                    row = inner;
                }
                row->Ascent = candidate.Ascent;
                row->Descent = candidate.Descent;
                row->Width = candidate.X;
                bottom += candidate.Ascent + candidate.Descent;
                row->Bottom = bottom;
                linkRow(row);
                rowStart = end;
                room = laterRoom;
                // The carried part is measured again from the new row's start: a tab's
                // width depends on where it starts.
                const bool inThisPortion = candidate.Portion == portion;
                if (!inThisPortion) s = 0;
                x = 0;
                portion->MeasureWidth(x, s, length - s);
                x0 = 0;
                candidate = {nullptr, -1, 0, baseAscent, baseDescent, 0};
                ascent = baseAscent;
                descent = baseDescent;
                if (s >= length) break;
                ascent = std::max(ascent, pa);
                descent = std::max(descent, pd);
            }
        }
        TRow* row;
        if (!firstRow) row = new TWholeParagraphRow(&paragraph);
        else row = new TWrappedParagraphLastRow(&paragraph);
        row->Ascent = ascent;
        row->Descent = descent;
        row->Width = x;
        bottom += ascent + descent;
        row->Bottom = bottom;
        linkRow(row);
    } catch (...) {
        for (TRow* row = firstRow; row;) {
            TRow* next = row->GetNextRow();
            delete row;
            row = next;
        }
        throw;
    }
    paragraph.SetRows(firstRow, lastRow);
    paragraph.contentRight_ = right;
}

void TTextor::PlaceElements(TParagraph& paragraph, const TRect& padding, const TRect& margins)
{
    bool hasElement = false;
    for (TPortion* portion = paragraph.FirstPortion(); portion && !hasElement; portion = portion->Next())
        hasElement = portion->IsElement();
    if (!hasElement) return;
    for (TRow* row = paragraph.FirstRow(); row; row = row->GetNextRow()) {
        int x = RowLeft(row);
        const int baseline = row->Baseline() + padding.Top;
        paragraph.ForEachPart(row->GetStartPos(), row->GetEndPos(), false, [&](TPortion* portion, int offset, int count) {
            if (portion->IsElement()) portion->PlaceElement(x + margins.Left + padding.Left, baseline);
            portion->MeasureWidth(x, offset, count);
            return true;
        });
    }
}

// ---- rows ----

int TTextor::GetHeight() const
{
    for (TParagraph* p = lastParagraph_; p; p = p->Prev())
        if (p->LastRow()) return p->LastRow()->Bottom;
    return 0;
}

int TTextor::GetContentWidth() const
{
    int width = 0;
    for (TParagraph* p = firstParagraph_; p; p = p->Next()) width = std::max(width, p->ContentRight());
    return width;
}

TRow* TTextor::NextRow(const TRow* row)
{
    if (!row) return nullptr;
    if (TRow* next = row->GetNextRow()) return next;
    for (TParagraph* p = row->GetParagraph()->Next(); p; p = p->Next())
        if (p->FirstRow()) return p->FirstRow();
    return nullptr;
}

TRow* TTextor::PrevRow(const TRow* row)
{
    if (!row) return nullptr;
    if (TRow* prev = row->GetPrevRow()) return prev;
    for (TParagraph* p = row->GetParagraph()->Prev(); p; p = p->Prev())
        if (p->LastRow()) return p->LastRow();
    return nullptr;
}

TRow* TTextor::FirstRow() const { return firstParagraph_ ? firstParagraph_->FirstRow() : nullptr; }

TRow* TTextor::LastRow() const { return lastParagraph_ ? lastParagraph_->LastRow() : nullptr; }

int TTextor::RowLeft(const TRow* row)
{
    TParagraph* paragraph = row->GetParagraph();
    const TParagraphAttributes* P = paragraph->GetParagraphAttributes();
    if (!P) return 0;
    const TTextAttributes* T = paragraph->GetTextAttributes();
    const TParagraphAlignment alignment = P->Alignment();
    int width = 0;
    if (alignment != paLeft) {
        width = GetWidth();
        // Without a width to align in, every row is aligned left.
        if (width <= 0 || width == INT_MAX) width = 0;
    }
    if (alignment == paRight && width > 0) return width - P->GetRightIndent(T) - row->Width;
    int left = P->GetLeftIndent(T);
    if (alignment == paCenter && width > 0) left += (width - left - P->GetRightIndent(T) - row->Width) / 2;
    if (row == paragraph->FirstRow()) left += P->GetFirstIndent(T);
    return left;
}

TRect TTextor::RowRect(const TRow* row)
{
    const int left = RowLeft(row);
    return TRect{left, row->Top(), left + row->Width, row->Bottom};
}

TRow* TTextor::RowAtY(int y, bool clamp) const
{
    if (!IsLaidOut()) return nullptr;
    if (y < 0) return clamp ? FirstRow() : nullptr;
    if (y >= GetHeight()) return clamp ? LastRow() : nullptr;
    UpdateIndex();
    // The first paragraph whose bottom lies below y.
    size_t low = 0, high = index_.size();
    while (low < high) {
        const size_t mid = (low + high) / 2;
        if (index_[mid]->LastRow()->Bottom > y) high = mid;
        else low = mid + 1;
    }
    if (low >= index_.size()) return clamp ? LastRow() : nullptr;
    for (TRow* row = index_[low]->FirstRow(); row; row = row->GetNextRow())
        if (row->Bottom > y) return row;
    return index_[low]->LastRow();
}

TRow* TTextor::RowOfPosition(const TTextorPosition& pos, bool preferNext, const TRow* hint) const
{
    TParagraph* paragraph = pos.Paragraph;
    if (!paragraph || !paragraph->FirstRow() || !paragraph->IsValid()) return nullptr;
    if (!pos.Portion) return paragraph->LastRow();
    const TTextorPosition p = Normalize(pos);
    if (!p.Portion) return paragraph->LastRow();
    auto holds = [&](const TRow* row) {
        return !IsBefore(p, row->GetStartPos()) && !IsBefore(row->GetEndPos(), p);
    };
    const TRow* row = hint && hint->GetParagraph() == paragraph && holds(hint) ? hint : paragraph->FirstRow();
    for (; row; row = row->GetNextRow()) {
        if (!holds(row)) continue;
        if (preferNext && row->GetNextRow() && row->GetEndPos() == p) return row->GetNextRow();
        return const_cast<TRow*>(row);
    }
    return paragraph->LastRow();
}

void TTextor::RowsOfRange(const TTextorRange& range, TRow*& first, TRow*& last) const
{
    if (range.IsEmpty()) {
        first = last = RowOfPosition(range.StartPos);
        return;
    }
    first = RowOfPosition(range.StartPos, true);
    last = RowOfPosition(range.EndPos, false, range.EndPos.Paragraph == range.StartPos.Paragraph ? first : nullptr);
}

int TTextor::XOfPosition(const TRow* row, const TTextorPosition& pos)
{
    const TTextorPosition p = Normalize(pos);
    const TTextorPosition end = row->GetEndPos();
    if (p == end) return row->Width;
    int x = 0;
    row->GetParagraph()->ForEachPart(row->GetStartPos(), p, false, [&](TPortion* portion, int offset, int count) {
        portion->MeasureWidth(x, offset, count);
        return true;
    });
    return x;
}

bool TTextor::PositionAtX(const TRow* row, int x, bool round, TTextorPosition& pos, const TPoint* down,
                          const TPoint* mouse)
{
    x -= RowLeft(row);
    if (x < 0) {
        pos = row->GetStartPos();
        return false;
    }
    if (x >= row->Width) {
        pos = row->GetEndPos();
        return false;
    }
    TParagraph* paragraph = row->GetParagraph();
    int cx = 0;
    bool found = false;
    paragraph->ForEachPart(row->GetStartPos(), row->GetEndPos(), false, [&](TPortion* portion, int offset, int count) {
        const int hit = portion->HitTest(cx, x, offset, count, round, down, mouse);
        if (hit < 0) return true;
        pos = Normalize({paragraph, portion, hit});
        found = true;
        return false;
    });
    if (!found) pos = row->GetEndPos();
    return found;
}

bool TTextor::PositionAtPoint(TPoint point, bool clamp, bool round, TTextorPosition& pos, TRow*& row,
                              const TPoint* down, const TPoint* mouse)
{
    row = RowAtY(point.Y, clamp);
    if (!row) return false;
    const bool inside = PositionAtX(row, point.X, round, pos, down, mouse);
    return clamp || inside;
}

TRect TTextor::CaretRect(const TRow* row, const TTextorPosition& pos, int caretWidth)
{
    if (!row) return TRect{};
    const int left = RowLeft(row) + XOfPosition(row, pos) - caretWidth / 2;
    return TRect{left, row->Top(), left + caretWidth, row->Bottom};
}

bool TTextor::ClipRange(const TRect& clip, const TTextorRange& range, TTextorRange& visible, TRow*& first, TRow*& last)
{
    if (!IsLaidOut()) return false;
    TRow *rangeFirst = nullptr, *rangeLast = nullptr;
    RowsOfRange(range, rangeFirst, rangeLast);
    if (!rangeFirst || !rangeLast) return false;
    TRow* clipFirst = RowAtY(clip.Top, true);
    TRow* clipLast = RowAtY(clip.Bottom - 1, true);
    if (!clipFirst || !clipLast) return false;
    if (rangeFirst->Top() >= clip.Bottom || rangeLast->Bottom <= clip.Top) return false;
    if (clipFirst->Top() >= clip.Bottom || clipLast->Bottom <= clip.Top) return false;
    first = rangeFirst->Top() >= clipFirst->Top() ? rangeFirst : clipFirst;
    last = rangeLast->Top() <= clipLast->Top() ? rangeLast : clipLast;
    if (first->Top() > last->Top()) return false;
    visible.StartPos = first == rangeFirst ? range.StartPos : first->GetStartPos();
    visible.EndPos = last == rangeLast ? range.EndPos : last->GetEndPos();
    return true;
}

// ---- drawing ----

void TTextor::Paint(TSheetCanvas& canvas, TTextPaintState state, bool paragraphEndSelected, TTextDrawFlags flags,
                    const TTextorRange& range)
{
    if (range.IsEmpty()) return;
    const TRect clip = canvas.GetClipRect();
    TTextorRange visible;
    TRow *first = nullptr, *last = nullptr;
    if (!ClipRange(clip, range, visible, first, last)) return;
    TRect padding;
    GetLayoutPadding(padding);
    TTextPaintContext context;
    context.Canvas = &canvas;
    context.State = state;
    context.Flags = flags;
    context.Padding = TPoint{padding.Left, padding.Top};
    for (TRow* row = first; row; row = NextRow(row)) {
        TParagraph* paragraph = row->GetParagraph();
        const TTextorPosition from = row == first ? visible.StartPos : row->GetStartPos();
        const TTextorPosition to = row == last ? visible.EndPos : row->GetEndPos();
        const TRect rect = RowRect(row);
        const bool lastOfParagraph = row == paragraph->LastRow();
        // The paragraph end belongs to the range when the range goes on past it.
        const bool withEnd = lastOfParagraph && !to.Portion && paragraph != range.EndPos.Paragraph;
        if (rect.Left < clip.Right && rect.Right + 5 >= clip.Left && (from != to || withEnd)) {
            context.RowRect = rect;
            context.RowLeft = rect.Left;
            context.Baseline = row->Baseline();
            int x = rect.Left + XOfPosition(row, from);
            paragraph->ForEachPart(from, to, withEnd, [&](TPortion* portion, int offset, int count) {
                if (portion) {
                    portion->Draw(context, x, offset, count);
                    return x < clip.Right;
                }
                const TRect block{x, rect.Top, x + 5, rect.Bottom};
                if (paragraphEndSelected && (flags & tdfSelected)) canvas.FillSelection(block, !(state & tpsNoFocus));
                if ((flags & tdfNonPrinting) && paragraph->Next())
                    if (const TTextAttributes* attributes = paragraph->GetTextAttributes()) {
                        const Char mark = u'\u00B6';
                        attributes->DrawText(canvas, state, flags & ~tdfSelected, 1, &mark, context.Baseline, x, rect);
                    }
                return true;
            });
        }
        if (row == last) break;
    }
}

void TTextor::PaintBackgrounds(TSheetCanvas& canvas, TTextPaintState state)
{
    if (!IsLaidOut()) return;
    const TRect clip = canvas.GetClipRect();
    TRow* row = RowAtY(clip.Top, true);
    if (!row) return;
    int width = GetWidth();
    if (width <= 0 || width == INT_MAX) width = std::max(GetContentWidth(), clip.Right);
    for (TParagraph* p = row->GetParagraph(); p; p = p->Next()) {
        TRow* firstRow = p->FirstRow();
        if (!firstRow || firstRow->Top() >= clip.Bottom) break;
        if (const TParagraphAttributes* attributes = p->GetParagraphAttributes())
            attributes->Paint(canvas, state, firstRow->Height(), RowLeft(firstRow), p->GetTextAttributes(),
                              TRect{0, firstRow->Top(), width, p->LastRow()->Bottom});
    }
}

} // namespace quillora
