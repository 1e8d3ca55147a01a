// The text: positions, words, runs, locations and reading text.
#include "text/Textor.h"

namespace quillora {

TTextorPosition TTextor::Normalize(const TTextorPosition& pos)
{
    TTextorPosition result = pos;
    while (result.Portion && result.Offset >= result.Portion->Length()) {
        result.Offset -= result.Portion->Length();
        result.Portion = result.Portion->Next();
    }
    if (!result.Portion) result.Offset = 0;
    return result;
}

bool TTextor::IsBefore(const TTextorPosition& a, const TTextorPosition& b)
{
    if (a.Paragraph != b.Paragraph) {
        if (!a.Paragraph || !b.Paragraph) return false;
        // Search both ways from A at once, so that a nearby B is found quickly either way.
        TParagraph* forward = a.Paragraph->Next();
        TParagraph* backward = a.Paragraph->Prev();
        while (forward || backward) {
            if (forward == b.Paragraph) return true;
            if (backward == b.Paragraph) return false;
            if (forward) forward = forward->Next();
            if (backward) backward = backward->Prev();
        }
        return false;
    }
    if (a.Portion != b.Portion) {
        if (!a.Portion) return false;
        if (!b.Portion) return true;
        for (TPortion* p = a.Portion->Next(); p; p = p->Next())
            if (p == b.Portion) return true;
        return false;
    }
    return a.Offset < b.Offset;
}

bool TTextor::InRange(const TTextorPosition& pos, const TTextorRange& range)
{
    return (pos == range.StartPos || IsBefore(range.StartPos, pos)) && IsBefore(pos, range.EndPos);
}

TTextorPosition TTextor::NextPosition(const TTextorPosition& pos) const
{
    if (pos.Portion) return Normalize({pos.Paragraph, pos.Portion, pos.Offset + 1});
    if (pos.Paragraph && pos.Paragraph->Next()) return pos.Paragraph->Next()->GetStart();
    return pos;
}

TTextorPosition TTextor::PrevPosition(const TTextorPosition& pos) const
{
    if (!pos.Paragraph) return pos;
    if (pos.Portion && pos.Offset > 0) return {pos.Paragraph, pos.Portion, pos.Offset - 1};
    TPortion* before = pos.Portion ? pos.Portion->Prev() : pos.Paragraph->LastPortion();
    if (before) return {pos.Paragraph, before, before->Length() - 1};
    if (pos.Paragraph->Prev()) return pos.Paragraph->Prev()->GetEnd();
    return pos;
}

bool TTextor::CharAt(const TTextorPosition& pos, TTextorPosition& next, int& code)
{
    if (!pos.Portion) return false;
    code = pos.Portion->GetChar(pos.Offset);
    next = Normalize({pos.Paragraph, pos.Portion, pos.Offset + 1});
    return true;
}

bool TTextor::CharBefore(const TTextorPosition& pos, TTextorPosition& prev, int& code)
{
    if (!pos.Paragraph) return false;
    if (pos.Portion && pos.Offset > 0) {
        prev = {pos.Paragraph, pos.Portion, pos.Offset - 1};
    } else {
        TPortion* before = pos.Portion ? pos.Portion->Prev() : pos.Paragraph->LastPortion();
        if (!before) return false;
        prev = {pos.Paragraph, before, before->Length() - 1};
    }
    code = prev.Portion->GetChar(prev.Offset);
    return true;
}

bool TTextor::NextBoundary(const TTextorPosition& pos, bool crossParagraphs, TTextorPosition& next)
{
    if (pos.Portion) {
        next = {pos.Paragraph, pos.Portion->Next(), 0};
        return true;
    }
    if (crossParagraphs && pos.Paragraph && pos.Paragraph->Next()) {
        next = pos.Paragraph->Next()->GetStart();
        return true;
    }
    return false;
}

bool TTextor::PrevBoundary(const TTextorPosition& pos, bool crossParagraphs, TTextorPosition& prev)
{
    if (!pos.Paragraph) return false;
    TPortion* before = pos.Portion ? pos.Portion->Prev() : pos.Paragraph->LastPortion();
    if (before) {
        prev = {pos.Paragraph, before, 0};
        return true;
    }
    if (crossParagraphs && pos.Paragraph->Prev()) {
        prev = pos.Paragraph->Prev()->GetEnd();
        return true;
    }
    return false;
}

TTextorPosition TTextor::NextWord(const TTextorPosition& pos)
{
    TTextorPosition current;
    int code;
    if (!CharAt(pos, current, code)) return pos;
    int last = code;
    TTextorPosition next;
    while (CharAt(current, next, code) && IsWordContinuation(last, code)) {
        last = code;
        current = next;
    }
    return current;
}

TTextorPosition TTextor::PrevWord(const TTextorPosition& pos)
{
    TTextorPosition current = pos;
    TTextorPosition ignored;
    int code;
    if (!CharAt(pos, ignored, code)) {
        if (!pos.Paragraph || pos.Paragraph->Next() || !CharBefore(pos, current, code)) return pos;
    }
    TTextorPosition prev;
    int before;
    while (CharBefore(current, prev, before) && IsWordContinuation(before, code)) {
        code = before;
        current = prev;
    }
    return current;
}

void TTextor::GetRunRange(const TTextorPosition& pos, bool forward, bool crossParagraphs, TTextorRange& range)
{
    if (forward) {
        TTextorPosition start = pos;
        while (start.Portion && start.Portion->IsElement()) start = {start.Paragraph, start.Portion->Next(), 0};
        TTextorPosition end = start;
        TTextorPosition next;
        while (NextBoundary(end, crossParagraphs, next)) {
            end = next;
            if (end.Portion && end.Portion->IsElement()) break;
        }
        range = {start, end};
        return;
    }
    TTextorPosition end = pos;
    if (end.Paragraph && end.Offset == 0) {
        TPortion* before = end.Portion ? end.Portion->Prev() : end.Paragraph->LastPortion();
        while (before && before->IsElement()) {
            end = {end.Paragraph, before, 0};
            before = before->Prev();
        }
    }
    TTextorPosition start{end.Paragraph, end.Portion, 0};
    TTextorPosition prev;
    while (PrevBoundary(start, crossParagraphs, prev)) {
        if (prev.Portion && prev.Portion->IsElement()) break;
        start = prev;
    }
    range = {start, end};
}

TTextAttributes* TTextor::GetAttributesAt(const TTextorPosition& pos)
{
    if (!pos.Paragraph) return nullptr;
    if (pos.Portion && pos.Offset > 0) return pos.Portion->Attributes();
    TPortion* before = pos.Portion ? pos.Portion->Prev() : pos.Paragraph->LastPortion();
    if (before) return before->Attributes();
    if (pos.Portion) return pos.Portion->Attributes();
    return pos.Paragraph->TextAttributes();
}

String TTextor::GetRangeText(const TTextorRange& range)
{
    size_t length = 0;
    ForEachPart(range, false, [&](TParagraph*, TPortion* portion, int offset, int count) {
        length += portion ? static_cast<size_t>(portion->GetText(offset, count, nullptr)) : 2;
        return true;
    });
    String text(length, u'\0');
    size_t at = 0;
    ForEachPart(range, false, [&](TParagraph*, TPortion* portion, int offset, int count) {
        if (portion) {
            at += static_cast<size_t>(portion->GetText(offset, count, text.data() + at));
        } else {
            text[at++] = u'\r';
            text[at++] = u'\n';
        }
        return true;
    });
    return text;
}

namespace {
// The number of character positions before `pos` inside its paragraph.
int CharIndexOf(const TTextorPosition& pos)
{
    if (!pos.Paragraph) return 0;
    int chars = 0;
    for (TPortion* p = pos.Paragraph->FirstPortion(); p && p != pos.Portion; p = p->Next()) chars += p->Length();
    return chars + (pos.Portion ? pos.Offset : 0);
}
} // namespace

TTextorLocation TTextor::PositionToLocation(const TTextorPosition& pos) const
{
    if (!pos.Paragraph) return {};
    return {pos.Paragraph->GetIndex(), CharIndexOf(pos)};
}

TTextorLocationRange TTextor::RangeToLocations(const TTextorRange& range) const
{
    const TTextorLocation start = PositionToLocation(range.StartPos);
    // The same paragraph needs no second walk for its index.
    const TTextorLocation end = range.EndPos.Paragraph == range.StartPos.Paragraph
                                    ? TTextorLocation{start.ParagraphIndex, CharIndexOf(range.EndPos)}
                                    : PositionToLocation(range.EndPos);
    return {start.ParagraphIndex, start.CharIndex, end.ParagraphIndex, end.CharIndex};
}

bool TTextor::LocationToPosition(const TTextorLocation& location, TTextorPosition& pos) const
{
    TParagraph* paragraph = ParagraphAt(location.ParagraphIndex);
    if (!paragraph || location.CharIndex < 0) return false;
    int remaining = location.CharIndex;
    TPortion* p = paragraph->FirstPortion();
    while (p && remaining >= p->Length()) {
        remaining -= p->Length();
        p = p->Next();
    }
    if (p) {
        pos = {paragraph, p, remaining};
        return true;
    }
    if (remaining == 0) {
        pos = paragraph->GetEnd();
        return true;
    }
    return false;
}

bool TTextor::LocationsToRange(const TTextorLocationRange& locations, TTextorRange& range) const
{
    TTextorRange result;
    if (!LocationToPosition(locations.Start(), result.StartPos) || !LocationToPosition(locations.End(), result.EndPos))
        return false;
    range = result;
    return true;
}

} // namespace quillora
