#pragma once
// TParagraph: one paragraph of a text: a doubly linked list of portions, its paragraph
// and run attributes references, and the rows of its last layout.

#include "text/ParagraphAttributes.h"
#include "text/Portion.h"
#include "text/TextAttributes.h"
#include "text/TextorPosition.h"

namespace quillora {

class TRow;
class TTextor;

class TParagraph {
public:
    // A new empty paragraph linked into `textor` before `before` (at the end when none);
    // its content counts as changed.
    TParagraph(TTextor* textor, TParagraph* before);
    TParagraph(const TParagraph&) = delete;
    TParagraph& operator=(const TParagraph&) = delete;
    // Frees the rows, unlinks the paragraph from its text (the next paragraph's offsets
    // become invalid and the text changes), frees the portions with their elements and
    // releases both attribute references.
    ~TParagraph();

    // The owning text; none while the text is being destroyed.
    TTextor* Textor() const { return textor_; }
    TParagraph* Next() const { return next_; }
    TParagraph* Prev() const { return prev_; }
    TPortion* FirstPortion() const { return firstPortion_; }
    TPortion* LastPortion() const { return lastPortion_; }
    TRow* FirstRow() const { return firstRow_; }
    TRow* LastRow() const { return lastRow_; }
    bool LayoutValid() const { return layoutValid_; }
    bool OffsetsValid() const { return offsetsValid_; }
    // The own references (may be none).
    TParagraphAttributes* ParagraphAttributes() const { return paragraphAttributes_; }
    TTextAttributes* TextAttributes() const { return textAttributes_; }

    // ---- portions ----
    // Links `portion` (taken from wherever it was) before `before` (at the end when none).
    void InsertPortion(TPortion* portion, TPortion* before);
    // Unlinks `portion` without freeing it.
    void RemovePortion(TPortion* portion);

    // ---- attributes ----
    // Through ReplaceAttributes; the content changes only when the reference did.
    void SetParagraphAttributes(TParagraphAttributes* attributes);
    void SetTextAttributes(TTextAttributes* attributes);
    // The own reference or the text's default (may be none).
    TParagraphAttributes* GetParagraphAttributes() const;
    TTextAttributes* GetTextAttributes() const;

    // ---- contents ----
    bool IsEmpty() const { return firstPortion_ == nullptr; }
    // The number of character positions.
    int GetLength() const;
    // The zero-based index in the text.
    int GetIndex() const;
    TTextorPosition GetStart() const { return {const_cast<TParagraph*>(this), firstPortion_, 0}; }
    TTextorPosition GetEnd() const { return {const_cast<TParagraph*>(this), nullptr, 0}; }
    TTextorRange GetRange() const { return {GetStart(), GetEnd()}; }

    // The parts from `from` to `to` (both in this paragraph): callback(portion, offset,
    // count) for each stretch of a portion (count > 0), then callback(nullptr, 0, 0) for
    // the paragraph end when `includeEnd`. The next portion is fetched before each call,
    // so the callback may free the current one. A callback returning false stops the walk,
    // which then returns false.
    template <class F>
    bool ForEachPart(const TTextorPosition& from, const TTextorPosition& to, bool includeEnd, F&& callback)
    {
        TPortion* p = from.Portion;
        const TPortion* q = to.Portion;
        if (p) {
            if (p == q) {
                if (to.Offset - from.Offset > 0 && !callback(p, from.Offset, to.Offset - from.Offset)) return false;
                return true;
            }
            TPortion* next = p->Next();
            if (p->Length() - from.Offset > 0 && !callback(p, from.Offset, p->Length() - from.Offset)) return false;
            p = next;
            while (p && p != q) {
                next = p->Next();
                if (!callback(p, 0, p->Length())) return false;
                p = next;
            }
            if (q) {
                if (p == q && to.Offset > 0 && !callback(p, 0, to.Offset)) return false;
                return true;
            }
        }
        if (includeEnd && !callback(static_cast<TPortion*>(nullptr), 0, 0)) return false;
        return true;
    }

    // ---- layout state ----
    // Content: the rows no longer match (and the text changes). Layout: the rows must be
    // rebuilt. Offsets: the rows must move. Each asks the text for a relayout.
    void InvalidateContent();
    void InvalidateLayout();
    void InvalidateOffsets();
    void SetLayoutValid(bool value) { SetValidity(value, offsetsValid_); }
    void SetOffsetsValid(bool value) { SetValidity(layoutValid_, value); }
    // Both the layout and the offsets are valid.
    bool IsValid() const { return layoutValid_ && offsetsValid_; }
    // Takes the rows of a new layout (the old ones are freed first).
    void SetRows(TRow* first, TRow* last);
    void FreeRows();
    // The bottom of the last row of the paragraph's last layout, also after a content
    // change freed its rows (which may refer to portions that are gone); -1 before the
    // first layout.
    int LaidOutBottom() const;
    // The largest right edge of the rows (row left + Width + right indent).
    int ContentRight() const { return contentRight_; }

private:
    friend class TTextor;

    // Sets both flags, keeping the text's count of paragraphs to lay out.
    void SetValidity(bool layoutValid, bool offsetsValid);

    TTextor* textor_ = nullptr;
    int index_ = 0; // the position in the text's index, while that is current
    TParagraphAttributes* paragraphAttributes_ = nullptr;
    TTextAttributes* textAttributes_ = nullptr;
    TParagraph* next_ = nullptr;
    TParagraph* prev_ = nullptr;
    TPortion* firstPortion_ = nullptr;
    TPortion* lastPortion_ = nullptr;
    TRow* firstRow_ = nullptr;
    TRow* lastRow_ = nullptr;
    bool layoutValid_ = false;
    bool offsetsValid_ = false;
    int oldBottom_ = -1;
    int contentRight_ = 0;
};

} // namespace quillora
