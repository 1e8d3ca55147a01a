#pragma once
// TRow: one row of a laid-out paragraph. The paragraph owns its rows (FirstRow ...
// LastRow, chained by GetNextRow) and frees them whenever its content changes. A
// paragraph that did not wrap has one TWholeParagraphRow; a wrapped one has a first row,
// inner rows and a last row, each of which knows where it starts and ends.

#include "text/TextorPosition.h"

namespace quillora {

class TRow {
public:
    TRow() = default;
    TRow(const TRow&) = delete;
    TRow& operator=(const TRow&) = delete;
    virtual ~TRow() = default;

    int Descent = 0; // pixels below the baseline
    int Bottom = 0;  // y of the row's bottom edge
    int Width = 0;   // width of the row's content, trailing blanks included
    int Ascent = 0;  // pixels above the baseline: with Descent the row's height

    int Height() const { return Ascent + Descent; }
    // The row's top: the bottom of the row above it.
    int Top() const { return Bottom - Ascent - Descent; }
    int Baseline() const { return Bottom - Descent; }

    // The next and previous rows of the same paragraph; none in the base.
    virtual TRow* GetNextRow() const { return nullptr; }
    virtual TRow* GetPrevRow() const { return nullptr; }
    virtual TParagraph* GetParagraph() const = 0;
    // Where the row starts and ends; the paragraph's start and end in the base.
    virtual TTextorPosition GetStartPos() const;
    virtual TTextorPosition GetEndPos() const;
};

// The only row of a paragraph that did not wrap.
class TWholeParagraphRow : public TRow {
public:
    explicit TWholeParagraphRow(TParagraph* paragraph) : Paragraph(paragraph) {}
    TParagraph* GetParagraph() const override { return Paragraph; }
    TParagraph* Paragraph;
};

// The rows of a wrapped paragraph.
class TWrappedParagraphRow : public TRow {
public:
    explicit TWrappedParagraphRow(TParagraph* paragraph) : Paragraph(paragraph) {}
    TParagraph* GetParagraph() const override { return Paragraph; }
    TParagraph* Paragraph;
};

// Starts at the paragraph start and ends at EndPos.
class TWrappedParagraphFirstRow : public TWrappedParagraphRow {
public:
    using TWrappedParagraphRow::TWrappedParagraphRow;
    TRow* GetNextRow() const override { return NextRow; }
    TTextorPosition GetEndPos() const override { return EndPos; }
    TRow* NextRow = nullptr;
    TTextorPosition EndPos;
};

// Starts at StartPos and ends at the paragraph end.
class TWrappedParagraphFollowRow : public TWrappedParagraphRow {
public:
    using TWrappedParagraphRow::TWrappedParagraphRow;
    TRow* GetPrevRow() const override { return PrevRow; }
    TTextorPosition GetStartPos() const override { return StartPos; }
    TRow* PrevRow = nullptr;
    TTextorPosition StartPos;
};

// A row between the first and the last.
class TWrappedParagraphInnerRow : public TWrappedParagraphFollowRow {
public:
    using TWrappedParagraphFollowRow::TWrappedParagraphFollowRow;
    TRow* GetNextRow() const override { return NextRow; }
    TTextorPosition GetEndPos() const override { return EndPos; }
    TRow* NextRow = nullptr;
    TTextorPosition EndPos;
};

// The last row of a wrapped paragraph.
class TWrappedParagraphLastRow : public TWrappedParagraphFollowRow {
public:
    using TWrappedParagraphFollowRow::TWrappedParagraphFollowRow;
};

} // namespace quillora
