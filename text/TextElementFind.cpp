// The text element's part of find and replace: the search through its text and the
// elements embedded in it, and the replacing of a match.
#include <optional>

#include "elements/FindReplace.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "text/TextElement.h"
#include "text/Textor.h"

namespace quillora {

namespace {

// The character index of a position inside its paragraph.
int CharIndexOf(const TTextorPosition& pos)
{
    if (!pos.Portion) return pos.Paragraph->GetLength();
    int index = pos.Offset;
    for (TPortion* p = pos.Portion->Prev(); p; p = p->Prev()) index += p->Length();
    return index;
}

void AppendPortionText(String& run, const TPortion* portion, int offset, int count)
{
    if (count <= 0) return;
    const size_t size = run.size();
    run.resize(size + static_cast<size_t>(count));
    const int got = portion->GetText(offset, count, run.data() + size);
    run.resize(size + static_cast<size_t>(got > 0 ? got : 0));
}

} // namespace

bool TTextorElement::FindNext(TFindMode mode, TFindData* findData, bool forward, TVisualElement*& next,
                              TVisualElement*& from)
{
    if (!findData) return TCustomDropDownElement::FindNext(mode, findData, forward, next, from);
    TTextor& text = *text_;

    // Where the search starts.
    TTextorPosition pos;
    TElementPortion* cameOutOf = from ? from->Portion() : nullptr;
    from = nullptr;
    if (cameOutOf && cameOutOf->Paragraph() && cameOutOf->Paragraph()->Textor() == &text) {
        pos = forward ? TTextorPosition{cameOutOf->Paragraph(), cameOutOf->Next(), 0}
                      : TTextorPosition{cameOutOf->Paragraph(), cameOutOf, 0};
    } else if (findData->Entered != this && IsFocused()) {
        const TTextorRange selection = GetSelectionRange();
        bool skip = mode == fmFindAfter;
        if (mode == fmFind && !selection.IsEmpty()) skip = findData->Matches(this, text.GetRangeText(selection));
        pos = TTextor::Normalize(forward == skip ? selection.EndPos : selection.StartPos);
    } else {
        pos = forward ? text.GetStart() : text.GetEnd();
    }

    // Asks an embedded element for a place to go on; true when the search moves there.
    auto enter = [&](TPortion* portion) {
        TVisualElement* element = static_cast<TElementPortion*>(portion)->Element();
        TVisualElement* found = nullptr;
        if (!element ||
            !element->FindFocusable(true, forward, findData->VisibleOnly, findData->EnabledOnly, found) || !found)
            return false;
        next = found;
        from = nullptr;
        return true;
    };
    // Selects `length` characters at `start` of the paragraph, the caret at the end.
    auto select = [&](TParagraph* paragraph, int start, int length) {
        if (!IsFocused()) SetFocus(true, forward, std::nullopt, nullptr, String());
        const int index = paragraph->GetIndex();
        SetSelection({index, start, index, start + length});
    };

    const StringView wanted(findData->Text);
    const int length = static_cast<int>(wanted.size());
    String run;
    for (;;) {
        TParagraph* paragraph = pos.Paragraph;
        if (!paragraph) break;
        if (forward) {
            if (!pos.Portion) { // the end of the paragraph
                if (!paragraph->Next()) break;
                pos = paragraph->Next()->GetStart();
                continue;
            }
            if (pos.Portion->IsElement()) {
                if (enter(pos.Portion)) return false;
                pos = {paragraph, pos.Portion->Next(), 0};
                continue;
            }
            // The run of text and tabs up to the next element or the paragraph end.
            const int runStart = CharIndexOf(pos);
            run.clear();
            TPortion* p = pos.Portion;
            int offset = pos.Offset;
            for (; p && !p->IsElement(); p = p->Next(), offset = 0) AppendPortionText(run, p, offset, p->Length() - offset);
            const int count = static_cast<int>(run.size());
            for (int i = 0; i + length <= count; ++i)
                if (findData->Matches(this, StringView(run).substr(static_cast<size_t>(i), static_cast<size_t>(length)))) {
                    select(paragraph, runStart + i, length);
                    return true;
                }
            pos = {paragraph, p, 0};
        } else {
            TPortion* before = nullptr;
            int available = 0;
            if (pos.Portion && pos.Offset > 0) {
                before = pos.Portion;
                available = pos.Offset;
            } else {
                before = pos.Portion ? pos.Portion->Prev() : paragraph->LastPortion();
                available = before ? before->Length() : 0;
            }
            if (!before) { // the start of the paragraph
                if (!paragraph->Prev()) break;
                pos = paragraph->Prev()->GetEnd();
                continue;
            }
            if (before->IsElement()) {
                if (enter(before)) return false;
                pos = {paragraph, before, 0};
                continue;
            }
            TPortion* first = before;
            while (first->Prev() && !first->Prev()->IsElement()) first = first->Prev();
            run.clear();
            for (TPortion* p = first; p != before; p = p->Next()) AppendPortionText(run, p, 0, p->Length());
            AppendPortionText(run, before, 0, available);
            const int runStart = CharIndexOf({paragraph, first, 0});
            for (int i = static_cast<int>(run.size()) - length; i >= 0; --i)
                if (findData->Matches(this, StringView(run).substr(static_cast<size_t>(i), static_cast<size_t>(length)))) {
                    select(paragraph, runStart + i, length);
                    return true;
                }
            pos = {paragraph, first, 0};
        }
    }
    // The end of the text: the search goes on after this element.
    FindNextDefault(forward, findData->SearchRoot, findData->VisibleOnly, findData->EnabledOnly, next, from);
    return false;
}

void TTextorElement::ReplaceSelectedText(const String& text)
{
    ReplaceSelection(text.empty() ? nullptr : &text, true);
    // The edit leaves its selection for the next relayout; the search that follows must
    // start from the new text, not from places of the text before the edit.
    ApplyPendingSelection();
}

} // namespace quillora
