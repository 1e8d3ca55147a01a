#pragma once
// TTextor: the rich text of one text element: a doubly linked list of paragraphs (never
// empty), each a list of portions. Every edit is expressed on positions and ranges and
// runs inside BeginUpdate/EndUpdate, so that one user action relayouts once and signals
// one change: at the outermost EndUpdate the pending relayout runs first, then Changed.
//
// The base answers the questions of its owner (width, default attributes, line-break and
// tab policy) with neutral values; the text of a text element overrides them.

#include <cstdint>
#include <exception>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "text/Attributes.h"
#include "text/Paragraph.h"
#include "text/ParagraphAttributes.h"
#include "text/Portion.h"
#include "text/TextAttributes.h"
#include "text/TextorPosition.h"

namespace quillora {

class TRow;
class TSheetCanvas;
class TVisualElement;

class TTextor {
public:
    // A text with one empty paragraph. With `lockLayout` the text starts with one layout
    // lock and lays nothing out until its owner unlocks it.
    explicit TTextor(bool lockLayout = false);
    TTextor(const TTextor&) = delete;
    TTextor& operator=(const TTextor&) = delete;
    // Frees every paragraph without signalling anything.
    virtual ~TTextor();

    TParagraph* FirstParagraph() const { return firstParagraph_; }
    TParagraph* LastParagraph() const { return lastParagraph_; }
    int UpdateCount() const { return updateCount_; }
    int LayoutLockCount() const { return layoutLockCount_; }
    bool ChangePending() const { return changePending_; }
    bool RelayoutPending() const { return relayoutPending_; }
    bool InLayout() const { return inLayout_; }
    // How many paragraphs have an invalid layout or invalid offsets.
    int InvalidParagraphCount() const { return invalidParagraphs_; }

    // ---- virtual operations, in slot order ----
    // A line-break opportunity between two adjacent codes (ElementCharCode for an
    // element): when either is an element, or `prev` is a space or a tab.
    virtual bool CanBreakBetween(int prev, int next);                                 // 1
    // The content changed (once per outermost update); nothing here.
    virtual void Changed();                                                           // 2
    // Lays out every paragraph whose layout or offsets are invalid.
    virtual void Relayout(bool contentChanged);                                       // 3
    virtual TParagraphAttributes* GetDefaultParagraphAttributes();                    // 4
    virtual TTextAttributes* GetDefaultTextAttributes();                              // 5
    // The spacing kept left, above, right and below each embedded element.
    virtual void GetMargins(TRect& rect);                                             // 6
    // The width available for rows.
    virtual int GetWidth();                                                           // 7
    virtual const TAttributesClass& GetParagraphAttributesClass();                   // 8
    // Whether CR and LF in inserted text make paragraphs.
    virtual bool AcceptsLineBreaks();                                                 // 9
    // Whether tab characters in inserted text become tab-stop portions.
    virtual bool AcceptsTabs();                                                       // 10
    virtual const TAttributesClass& GetTextAttributesClass();                        // 11
    // Whether `next` belongs to the same word step as `prev`.
    virtual bool IsWordContinuation(int prev, int next);                              // 12
    // Lays out one paragraph for `width`: builds its rows and marks its layout and
    // offsets valid: breaks it into rows when its layout is invalid, else only moves its
    // rows below the paragraph above.
    virtual void LayoutParagraph(TParagraph& paragraph, int width);                   // 13
    // The padding by which the text's frame lies inside its owning element (embedded
    // elements are placed and painted in the element's frame); zero here.
    virtual void GetLayoutPadding(TRect& rect);

    // ---- batching ----
    void BeginUpdate();
    void EndUpdate();
    void LockLayout();
    void UnlockLayout();
    // A paragraph's content changed: asks for a relayout and signals (or holds back) the change.
    void NotifyChanged();
    void RequestRelayout(bool contentChanged);
    // Every paragraph loses its layout, under one layout lock.
    void InvalidateLayout();

    // ---- the whole text ----
    // Frees every paragraph but the first and every portion of the first; the first
    // keeps its attribute references.
    void Clear();
    // Clear, then the text inserted with no attributes.
    void SetText(StringView text);
    String GetText();
    bool IsEmpty() const;
    TTextorPosition GetStart() const;
    TTextorPosition GetEnd() const;
    TTextorRange GetWholeRange() const { return {GetStart(), GetEnd()}; }
    // The first portion of the first paragraph that has one.
    TPortion* GetFirstPortion() const;
    int ParagraphCount() const;
    // The paragraph at a zero-based index, or none.
    TParagraph* ParagraphAt(int index) const;

    // ---- editing ----
    // Inserts `count` characters: with the line-break and tab policy, CR, LF, CR LF and
    // LF CR become paragraph breaks and tabs tab-stop portions. `range` receives the
    // inserted range.
    void InsertText(const TTextorPosition& pos, const Char* chars, int count, TTextAttributes* attributes,
                    TTextorRange& range);
    void InsertText(const TTextorPosition& pos, StringView text, TTextAttributes* attributes, TTextorRange& range)
    {
        InsertText(pos, text.data(), static_cast<int>(text.size()), attributes, range);
    }
    // Embeds `element` (the portion owns it from now on) as a portion of its own.
    void InsertElement(const TTextorPosition& pos, TVisualElement* element, TTextAttributes* attributes,
                       TTextorRange& range);
    // Inserts `count` positions of `portionClass`: into the portion at `pos` or the one
    // before it when that has the class and the very attributes, else as a new portion.
    void InsertPortion(const TTextorPosition& pos, const TPortionClass& portionClass, int count,
                       const TPortionData& data, TTextAttributes* attributes, TTextorRange& range);
    // Breaks the paragraph at `pos`; the new paragraph's run attributes are `attributes`
    // when nothing moves into it. `range` is (old paragraph end, new paragraph start).
    void SplitParagraph(const TTextorPosition& pos, TTextAttributes* attributes, TTextorRange& range);
    // Deletes the range (paragraphs it spans are joined); `pos` receives where it began.
    void DeleteRange(const TTextorRange& range, TTextorPosition& pos);
    // Gives every part of the range `attributes` (splitting portions at the range ends);
    // paragraph ends set the paragraph's run attributes. `result` is the range, kept on
    // the same characters.
    void ApplyAttributes(const TTextorRange& range, bool includeLastEnd, TTextAttributes* attributes,
                         TTextorRange& result);
    // Inserts every run of text again so that it is split by the current line-break and
    // tab policy; formatting of the runs is lost.
    void Reparse();

    // ---- reading ----
    // The text of the range: characters, tab characters, CR LF per paragraph end inside
    // the range; nothing for elements.
    String GetRangeText(const TTextorRange& range);
    // The stretch of text and tab portions around `pos` that holds no element.
    void GetRunRange(const TTextorPosition& pos, bool forward, bool crossParagraphs, TTextorRange& range);
    // The attributes that typing at `pos` continues (the own references; may be none).
    TTextAttributes* GetAttributesAt(const TTextorPosition& pos);

    // Walks the parts of a range: callback(paragraph, portion or none, offset, count).
    // A part of a portion has count > 0; a paragraph end (portion none, count 0) comes for
    // every paragraph but the last, and for the last when `includeLastEnd`. The next
    // paragraph and portion are fetched before each call, so the callback may free the
    // current ones. A callback returning false stops the walk, which then returns false.
    template <class F>
    bool ForEachPart(const TTextorRange& range, bool includeLastEnd, F&& callback)
    {
        TParagraph* paragraph = range.StartPos.Paragraph;
        TParagraph* last = range.EndPos.Paragraph;
        while (paragraph) {
            TParagraph* next = paragraph->Next();
            const bool isFirst = paragraph == range.StartPos.Paragraph;
            const bool isLast = paragraph == last;
            const TTextorPosition from = isFirst ? range.StartPos : paragraph->GetStart();
            const TTextorPosition to = isLast ? range.EndPos : paragraph->GetEnd();
            TParagraph* current = paragraph;
            if (!paragraph->ForEachPart(from, to, !isLast || includeLastEnd,
                                        [&](TPortion* portion, int offset, int count) {
                                            return callback(current, portion, offset, count);
                                        }))
                return false;
            if (isLast) break;
            paragraph = next;
        }
        return true;
    }

    // ---- layout: rows and geometry (valid after every outermost EndUpdate) ----
    // Changes with every content change (positions taken before it may point nowhere)
    // and with every relayout that rebuilt or moved rows (rows taken before it may be gone).
    uint64_t ContentSerial() const { return contentSerial_; }
    uint64_t LayoutSerial() const { return layoutSerial_; }
    // Every paragraph has valid rows: geometric questions may be asked.
    bool IsLaidOut() const { return invalidParagraphs_ == 0 && layoutLockCount_ == 0 && firstParagraph_->FirstRow(); }
    // The bottom of the last row; 0 without rows.
    int GetHeight() const;
    // Over all rows, the largest row left + Width + the paragraph's right indent.
    int GetContentWidth() const;
    // The row across paragraphs after and before `row`.
    static TRow* NextRow(const TRow* row);
    static TRow* PrevRow(const TRow* row);
    TRow* FirstRow() const;
    TRow* LastRow() const;
    // Where the row's content starts (indents and alignment) and its rectangle.
    int RowLeft(const TRow* row);
    TRect RowRect(const TRow* row);
    // The row whose vertical extent holds y; with `clamp` y above the text gives the
    // first row and y at or below its bottom the last; none otherwise.
    TRow* RowAtY(int y, bool clamp) const;
    // The row that holds `pos`; with `preferNext` a position at a row's end goes to the
    // next row of its paragraph. `hint` (a row of the same paragraph) starts the search.
    TRow* RowOfPosition(const TTextorPosition& pos, bool preferNext = false, const TRow* hint = nullptr) const;
    void RowsOfRange(const TTextorRange& range, TRow*& first, TRow*& last) const;
    // X of `pos` from the row's left edge.
    int XOfPosition(const TRow* row, const TTextorPosition& pos);
    // The position at x (text frame) in the row; true when x fell on a part of the row.
    bool PositionAtX(const TRow* row, int x, bool round, TTextorPosition& pos, const TPoint* down = nullptr,
                     const TPoint* mouse = nullptr);
    // RowAtY, then PositionAtX; true when a row was found and either `clamp` is set or x
    // fell inside the row's content.
    bool PositionAtPoint(TPoint point, bool clamp, bool round, TTextorPosition& pos, TRow*& row,
                         const TPoint* down = nullptr, const TPoint* mouse = nullptr);
    // The caret at `pos` shown in `row`, `caretWidth` wide and centred on the position.
    TRect CaretRect(const TRow* row, const TTextorPosition& pos, int caretWidth);
    // The part of `range` whose rows meet `clip` vertically, with its first and last rows.
    bool ClipRange(const TRect& clip, const TTextorRange& range, TTextorRange& visible, TRow*& first, TRow*& last);
    // Draws the parts of `range` in the rows that meet the canvas's clip rectangle.
    void Paint(TSheetCanvas& canvas, TTextPaintState state, bool paragraphEndSelected, TTextDrawFlags flags,
               const TTextorRange& range);
    // The paragraph attributes' backgrounds of the paragraphs in the clip rectangle.
    void PaintBackgrounds(TSheetCanvas& canvas, TTextPaintState state);
    // Moves the rows and the embedded elements of a paragraph by dy.
    static void ShiftRows(TParagraph& paragraph, int dy);

    // ---- positions ----
    static TTextorPosition Normalize(const TTextorPosition& pos);
    static bool SamePosition(const TTextorPosition& a, const TTextorPosition& b) { return a == b; }
    // Whether `a` comes before `b`.
    static bool IsBefore(const TTextorPosition& a, const TTextorPosition& b);
    // Whether `pos` is at or after the range start and before its end.
    static bool InRange(const TTextorPosition& pos, const TTextorRange& range);
    TTextorPosition NextPosition(const TTextorPosition& pos) const;
    TTextorPosition PrevPosition(const TTextorPosition& pos) const;
    // The code at `pos` and the position after it; false at a paragraph end.
    static bool CharAt(const TTextorPosition& pos, TTextorPosition& next, int& code);
    // The position before `pos` in its paragraph and the code there; false at the
    // paragraph start.
    static bool CharBefore(const TTextorPosition& pos, TTextorPosition& prev, int& code);
    static bool NextBoundary(const TTextorPosition& pos, bool crossParagraphs, TTextorPosition& next);
    static bool PrevBoundary(const TTextorPosition& pos, bool crossParagraphs, TTextorPosition& prev);
    TTextorPosition NextWord(const TTextorPosition& pos);
    TTextorPosition PrevWord(const TTextorPosition& pos);
    TTextorLocation PositionToLocation(const TTextorPosition& pos) const;
    TTextorLocationRange RangeToLocations(const TTextorRange& range) const;
    bool LocationToPosition(const TTextorLocation& location, TTextorPosition& pos) const;
    bool LocationsToRange(const TTextorLocationRange& locations, TTextorRange& range) const;

private:
    friend class TParagraph;

    // Renews the paragraph index after paragraphs were added or removed.
    void UpdateIndex() const;
    // Breaks a paragraph into rows (TParagraph.Layout with an invalid layout).
    void BreakParagraph(TParagraph& paragraph, int width, const TRect& padding, const TRect& margins);
    // Places the embedded elements of a laid-out paragraph on their rows.
    void PlaceElements(TParagraph& paragraph, const TRect& padding, const TRect& margins);
    int BottomAbove(const TParagraph& paragraph) const;

    TParagraph* firstParagraph_ = nullptr;
    TParagraph* lastParagraph_ = nullptr;
    int updateCount_ = 0;
    int layoutLockCount_ = 0;
    bool changePending_ = false;
    bool relayoutPending_ = false;
    bool inLayout_ = false;
    bool destroying_ = false;
    int invalidParagraphs_ = 0;
    uint64_t contentSerial_ = 0;
    uint64_t layoutSerial_ = 0;
    // The padding and margins of the relayout pass that is running.
    TRect layoutPadding_;
    TRect layoutMargins_;
    // The paragraphs in order, renewed on demand after the list changed, so that
    // locations convert in constant time while typing.
    mutable std::vector<TParagraph*> index_;
    mutable bool indexValid_ = false;
};

// Holds one update of a text for its scope. The closing EndUpdate may relayout and signal;
// its errors pass on, except while an error already leaves the scope.
class TTextorUpdate {
public:
    explicit TTextorUpdate(TTextor& textor) : textor_(textor), exceptions_(std::uncaught_exceptions())
    {
        textor_.BeginUpdate();
    }
    ~TTextorUpdate() noexcept(false)
    {
        if (std::uncaught_exceptions() > exceptions_) {
            try {
                textor_.EndUpdate();
            } catch (...) {
            }
        } else {
            textor_.EndUpdate();
        }
    }
    TTextorUpdate(const TTextorUpdate&) = delete;
    TTextorUpdate& operator=(const TTextorUpdate&) = delete;

private:
    TTextor& textor_;
    int exceptions_;
};

} // namespace quillora
