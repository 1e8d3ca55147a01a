// The text: inserting, splitting, deleting, formatting and reparsing.
#include "text/Textor.h"

namespace quillora {

namespace {

bool IsClass(const TPortion* portion, const TPortionClass& cls) { return portion && &portion->GetClass() == &cls; }

// Keeps a position on the same character after `portion` was split at `offset` and the
// positions from there on moved into `tail`.
void FollowSplit(TTextorPosition& pos, const TPortion* portion, int offset, TPortion* tail)
{
    if (pos.Portion == portion && tail && tail != portion && offset > 0 && pos.Offset >= offset) {
        pos.Portion = tail;
        pos.Offset -= offset;
    }
}

} // namespace

void TTextor::InsertPortion(const TTextorPosition& pos, const TPortionClass& portionClass, int count,
                            const TPortionData& data, TTextAttributes* attributes, TTextorRange& range)
{
    range = {pos, pos};
    if (!pos.Paragraph || count <= 0) return;
    TTextorUpdate update(*this);
    TParagraph* paragraph = pos.Paragraph;
    TPortion* at = pos.Portion;
    if (IsClass(at, portionClass) && at->SameAttributes(attributes)) {
        const int taken = at->InsertChars(pos.Offset, data, count);
        range.EndPos = Normalize({paragraph, at, pos.Offset + taken});
    } else {
        TPortion* prev = at ? at->Prev() : paragraph->LastPortion();
        if (pos.Offset == 0 && IsClass(prev, portionClass) && prev->SameAttributes(attributes)) {
            const int length = prev->Length();
            range.StartPos = {paragraph, prev, length};
            const int taken = prev->InsertChars(length, data, count);
            range.EndPos = Normalize({paragraph, prev, length + taken});
        } else {
            TPortion* follow = at ? at->SplitAt(pos.Offset) : nullptr;
            TPortion* portion = TPortion::Create(portionClass, paragraph, follow, attributes);
            range.StartPos = {paragraph, portion, 0};
            const int taken = portion->InsertChars(0, data, count);
            if (portion->Length() <= 0) {
                // Nothing was taken: no empty portion stays behind.
                delete portion;
                range.StartPos = Normalize({paragraph, follow, 0});
                range.EndPos = range.StartPos;
            } else {
                range.EndPos = Normalize({paragraph, portion, taken});
            }
        }
    }
    paragraph->InvalidateContent();
}

void TTextor::InsertElement(const TTextorPosition& pos, TVisualElement* element, TTextAttributes* attributes,
                            TTextorRange& range)
{
    range = {pos, pos};
    if (!element) return;
    TPortionData data;
    data.Element = element;
    InsertPortion(pos, TElementPortion::Class(), 1, data, attributes, range);
}

void TTextor::InsertText(const TTextorPosition& pos, const Char* chars, int count, TTextAttributes* attributes,
                         TTextorRange& range)
{
    range = {pos, pos};
    if (count <= 0 || !chars || !pos.Paragraph) return;
    TTextorUpdate update(*this);
    const bool lineBreaks = AcceptsLineBreaks();
    const bool tabs = AcceptsTabs();
    if (!lineBreaks && !tabs) {
        TPortionData data;
        data.Chars = chars;
        InsertPortion(pos, TTextPortion::Class(), count, data, attributes, range);
        return;
    }
    TTextorPosition current = pos;
    bool first = true;
    auto addPiece = [&](const TTextorRange& piece) {
        if (first) range.StartPos = piece.StartPos;
        first = false;
        range.EndPos = piece.EndPos;
        current = piece.EndPos;
    };
    int runStart = 0;
    bool runIsTab = false;
    auto flush = [&](int runEnd) {
        if (runEnd <= runStart) return;
        TPortionData data;
        data.Chars = chars + runStart;
        TTextorRange piece;
        InsertPortion(current, runIsTab ? TTabStopsPortion::Class() : TTextPortion::Class(), runEnd - runStart, data,
                      attributes, piece);
        addPiece(piece);
    };
    int i = 0;
    while (i < count) {
        const Char c = chars[i];
        if (lineBreaks && (c == u'\r' || c == u'\n')) {
            flush(i);
            int next = i + 1;
            if (next < count && (chars[next] == u'\r' || chars[next] == u'\n') && chars[next] != c) ++next;
            TTextorRange piece;
            SplitParagraph(current, attributes, piece);
            addPiece(piece);
            i = next;
            runStart = i;
            continue;
        }
        const bool isTab = tabs && c == u'\t';
        if (i > runStart && isTab != runIsTab) {
            flush(i);
            runStart = i;
        }
        runIsTab = isTab;
        ++i;
    }
    flush(count);
}

void TTextor::SplitParagraph(const TTextorPosition& pos, TTextAttributes* attributes, TTextorRange& range)
{
    range = {pos, pos};
    TParagraph* old = pos.Paragraph;
    if (!old) return;
    TTextorUpdate update(*this);
    auto* created = new TParagraph(this, old->Next());
    bool moved = false;
    if (pos.Portion) {
        TPortion* firstMoving = pos.Portion->SplitAt(pos.Offset);
        while (firstMoving) {
            TPortion* portion = old->LastPortion();
            if (!portion) break;
            created->InsertPortion(portion, created->FirstPortion());
            moved = true;
            if (portion == firstMoving) break;
        }
    }
    created->SetParagraphAttributes(old->ParagraphAttributes());
    created->SetTextAttributes(moved ? old->TextAttributes() : attributes);
    range = {old->GetEnd(), created->GetStart()};
}

void TTextor::DeleteRange(const TTextorRange& range, TTextorPosition& pos)
{
    const TTextorRange r{Normalize(range.StartPos), Normalize(range.EndPos)};
    pos = r.StartPos;
    TParagraph* first = r.StartPos.Paragraph;
    TParagraph* last = r.EndPos.Paragraph;
    if (!first || !last || r.IsEmpty()) return;
    TTextorUpdate update(*this);
    TTextorPosition work = r.StartPos;
    ForEachPart(r, false, [&](TParagraph* paragraph, TPortion* portion, int offset, int count) {
        if (portion) {
            if (offset == 0 && count >= portion->Length()) {
                if (work.Portion == portion) work = {paragraph, portion->Next(), 0};
                delete portion;
            } else {
                portion->DeleteChars(offset, count);
                paragraph->InvalidateContent();
                if (work.Portion == portion) work = Normalize(work);
            }
        } else if (paragraph != first && paragraph != last) {
            delete paragraph;
        }
        return true;
    });
    if (first != last) {
        if (!work.Portion && last->FirstPortion()) work = {first, last->FirstPortion(), 0};
        while (TPortion* portion = last->FirstPortion()) first->InsertPortion(portion, nullptr);
        delete last;
    }
    pos = work;
}

void TTextor::ApplyAttributes(const TTextorRange& range, bool includeLastEnd, TTextAttributes* attributes,
                              TTextorRange& result)
{
    result = {Normalize(range.StartPos), Normalize(range.EndPos)};
    if (!result.StartPos.Paragraph || !result.EndPos.Paragraph) return;
    TTextorUpdate update(*this);
    const TTextorRange walk = result;
    ForEachPart(walk, includeLastEnd, [&](TParagraph* paragraph, TPortion* portion, int offset, int count) {
        if (!portion) {
            paragraph->SetTextAttributes(attributes);
            return true;
        }
        const int end = offset + count;
        if (end < portion->Length()) {
            TPortion* tail = portion->SplitAt(end);
            FollowSplit(result.StartPos, portion, end, tail);
            FollowSplit(result.EndPos, portion, end, tail);
        }
        TPortion* target = portion;
        if (offset > 0) {
            target = portion->SplitAt(offset);
            FollowSplit(result.StartPos, portion, offset, target);
            FollowSplit(result.EndPos, portion, offset, target);
        }
        target->SetAttributes(attributes);
        return true;
    });
}

void TTextor::Reparse()
{
    TTextorUpdate update(*this);
    TTextorPosition pos = GetStart();
    for (;;) {
        TTextorRange run;
        GetRunRange(pos, true, true, run);
        if (run.IsEmpty()) break;
        const String text = GetRangeText(run);
        if (text.empty()) {
            pos = run.EndPos;
            continue;
        }
        TTextorPosition at;
        DeleteRange(run, at);
        TTextorRange inserted;
        InsertText(at, text, nullptr, inserted);
        pos = inserted.EndPos;
    }
}

} // namespace quillora
