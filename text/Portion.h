#pragma once
// Portions: the pieces of a paragraph. A text portion is a run of characters, a tab-stops
// portion a run of tab characters, an element portion exactly one embedded visual element
// (which it owns). Every portion refers to a counted run attributes object; none means
// the text's default text attributes.

#include <cstdint>

#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "text/TextAttributes.h"

namespace quillora {

class TParagraph;
class TPortion;
class TTextor;
class TVisualElement;

// What InsertChars takes: characters for text and tab portions, the element for an
// element portion.
struct TPortionData {
    const Char* Chars = nullptr;
    TVisualElement* Element = nullptr;
};

// A class reference of the portion classes (the virtual constructor's class).
struct TPortionClass {
    const char* Name;
    TPortion* (*NewInstance)();
};

// What drawing a part of a row needs: the canvas (moved to the text's frame), the paint
// state and flags, the row's rectangle and baseline, and the padding by which the text's
// frame lies inside its element (embedded elements paint in the element's frame).
struct TTextPaintContext {
    TSheetCanvas* Canvas = nullptr;
    TTextPaintState State = 0;
    TTextDrawFlags Flags = 0;
    TRect RowRect;
    int Baseline = 0;
    int RowLeft = 0;
    TPoint Padding;
};

// The horizontal and vertical distance the pointer must move from where the button went
// down before a drag over an embedded element uses the drag thresholds.
constexpr int DragThreshold = 5;
// How far into an embedded element a drag goes before the element joins the selection.
constexpr int ElementDragDepth = 40;

// The character code of an embedded element.
constexpr int ElementCharCode = -1;

class TPortion {
public:
    TPortion(const TPortion&) = delete;
    TPortion& operator=(const TPortion&) = delete;
    // Unlinks the portion from its paragraph and releases its attributes.
    virtual ~TPortion();

    virtual const TPortionClass& GetClass() const = 0;

    // ---- virtual constructor (slot 13) ----
    // A new portion of `cls` that holds a reference to `attributes`, linked into
    // `paragraph` before `before` (at the end when none). Element portions start with
    // length 1.
    static TPortion* Create(const TPortionClass& cls, TParagraph* paragraph, TPortion* before,
                            TTextAttributes* attributes);

    TParagraph* Paragraph() const { return paragraph_; }
    TTextor* Textor() const;
    int Length() const { return length_; }
    // The own reference (may be none).
    TTextAttributes* Attributes() const { return attributes_; }
    TPortion* Next() const { return next_; }
    TPortion* Prev() const { return prev_; }
    bool IsElement() const { return GetChar(0) == ElementCharCode; }

    // The own attributes, or the text's default text attributes (may be none).
    TTextAttributes* GetAttributes() const;
    // Sets the attributes reference; the paragraph's content changes when it did.
    void SetAttributes(TTextAttributes* attributes);
    // Offset 0 (or below): this portion. Otherwise a new portion of the same class and
    // attributes right after this one takes the positions from `offset` on and is
    // returned; an offset at or beyond the length splits nothing and gives the next
    // portion (none at the paragraph end).
    TPortion* SplitAt(int offset);

    // ---- virtual operations, in slot order ----
    // Advances x over `count` positions from `index`; returns the advance.
    virtual int MeasureWidth(int& x, int index, int count) const = 0;                 // 1
    // Whether `attributes` is the very object this portion refers to.
    virtual bool SameAttributes(const TTextAttributes* attributes) const;             // 2
    virtual void DeleteChars(int index, int count) = 0;                               // 3
    // Moves the positions from `index` on into the empty portion `target` of this class.
    virtual void SplitInto(TPortion& target, int index) = 0;                          // 4
    // Puts the positions of `other` (of this class) in front of this portion's.
    virtual void PrependFrom(const TPortion& other) = 0;                              // 5
    // The code at `index`: a code unit, 9 for a tab, ElementCharCode for an element.
    virtual int GetChar(int index) const = 0;                                         // 6
    // Inserts at `index`; returns how many positions were taken.
    virtual int InsertChars(int index, const TPortionData& data, int count) = 0;      // 8
    // Element portions move their element; nothing for the others.
    virtual void MoveBy(int dx, int dy);                                              // 9
    // Copies the plain text of `count` positions from `index` into `buffer` (when not
    // null); returns how many code units that is.
    virtual int GetText(int index, int count, Char* buffer) const = 0;                // 11
    // Ascent and descent of the portion on its row.
    virtual void GetHeights(int& ascent, int& descent) const = 0;                     // 14
    // Over the `count` positions from `offset`, with x at the left edge of position
    // `offset` (measured from the row's left edge): the offset (from the portion's start)
    // of the position at targetX, or -1 after advancing x over the whole stretch when
    // targetX >= x + its advance. With `round` the nearer edge decides. `down` and
    // `mouse` are the points of a drag (where the button went down, where the pointer
    // is), or none.
    virtual int HitTest(int& x, int targetX, int offset, int count, bool round, const TPoint* down,
                        const TPoint* mouse) const = 0;                                   // 15
    // Draws `count` positions from `offset` at x (from the text's left edge) and advances
    // x over them; `rowLeft` of the context is where tab stops are counted from.
    virtual void Draw(const TTextPaintContext& context, int& x, int offset, int count) const = 0; // 16
    // Element portions place their element with its left edge at x (the element's
    // frame) and its baseline on `baseline`.
    virtual void PlaceElement(int x, int baseline);                                   // 17

protected:
    TPortion() = default;
    // Invalidates the paragraph's content (nothing outside a paragraph).
    void ContentChanged();

    int length_ = 0;

private:
    friend class TParagraph;

    TParagraph* paragraph_ = nullptr;
    TTextAttributes* attributes_ = nullptr;
    TPortion* next_ = nullptr;
    TPortion* prev_ = nullptr;
};

// A run of characters, held in one buffer of exactly Length code units.
class TTextPortion : public TPortion {
public:
    static const TPortionClass& Class();
    const TPortionClass& GetClass() const override { return Class(); }

    const Char* Chars() const { return chars_.data(); }
    StringView Text() const { return chars_; }

    int MeasureWidth(int& x, int index, int count) const override;
    void DeleteChars(int index, int count) override;
    void SplitInto(TPortion& target, int index) override;
    void PrependFrom(const TPortion& other) override;
    int GetChar(int index) const override;
    int InsertChars(int index, const TPortionData& data, int count) override;
    int GetText(int index, int count, Char* buffer) const override;
    void GetHeights(int& ascent, int& descent) const override;
    int HitTest(int& x, int targetX, int offset, int count, bool round, const TPoint* down,
                const TPoint* mouse) const override;
    // With non-printing characters shown, each blank gets U+00B7 and each no-break space
    // U+00B0, centred in its advance.
    void Draw(const TTextPaintContext& context, int& x, int offset, int count) const override;

private:
    String chars_;
};

// Length consecutive tab characters.
class TTabStopsPortion : public TPortion {
public:
    static const TPortionClass& Class();
    const TPortionClass& GetClass() const override { return Class(); }

    // Each tab moves x to the next tab stop of the attributes' tab width.
    int MeasureWidth(int& x, int index, int count) const override;
    void DeleteChars(int index, int count) override;
    void SplitInto(TPortion& target, int index) override;
    void PrependFrom(const TPortion& other) override;
    int GetChar(int index) const override;
    int InsertChars(int index, const TPortionData& data, int count) override;
    int GetText(int index, int count, Char* buffer) const override;
    void GetHeights(int& ascent, int& descent) const override;
    int HitTest(int& x, int targetX, int offset, int count, bool round, const TPoint* down,
                const TPoint* mouse) const override;
    // With non-printing characters shown, each tab gets U+00AC at its start.
    void Draw(const TTextPaintContext& context, int& x, int offset, int count) const override;
};

// One embedded element, owned by the portion; Length is always 1.
class TElementPortion : public TPortion {
public:
    static const TPortionClass& Class();
    const TPortionClass& GetClass() const override { return Class(); }

    TElementPortion() { length_ = 1; }
    // Clears the element's back-reference, detaches the element from its parent and
    // frees it.
    ~TElementPortion() override;

    TVisualElement* Element() const { return element_; }
    // Forgets the element without freeing it (its owner is taking it away) and clears
    // its back-reference.
    void ReleaseElement();

    // Margin left + the element's width + margin right.
    int MeasureWidth(int& x, int index, int count) const override;
    bool SameAttributes(const TTextAttributes* attributes) const override;
    void DeleteChars(int index, int count) override;
    void SplitInto(TPortion& target, int index) override;
    void PrependFrom(const TPortion& other) override;
    int GetChar(int index) const override;
    // Stores the element of `data` and sets its back-reference; takes 1.
    int InsertChars(int index, const TPortionData& data, int count) override;
    void MoveBy(int dx, int dy) override;
    int GetText(int index, int count, Char* buffer) const override;
    // Element height - element descent + margin top, element descent + margin bottom.
    void GetHeights(int& ascent, int& descent) const override;
    // Before the element, or with `round` after it once targetX is past a threshold
    // inside it: its middle, or during a drag 40 pixels into it from the side the drag
    // comes from.
    int HitTest(int& x, int targetX, int offset, int count, bool round, const TPoint* down,
                const TPoint* mouse) const override;
    // The background over the margins and the element between the row's top and
    // bottom, the element itself, and the selection over it.
    void Draw(const TTextPaintContext& context, int& x, int offset, int count) const override;
    void PlaceElement(int x, int baseline) override;

private:
    TVisualElement* element_ = nullptr;
};

} // namespace quillora
