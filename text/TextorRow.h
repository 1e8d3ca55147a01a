#pragma once
// TRow: one row of a laid-out paragraph. The paragraph owns its rows (FirstRow ...
// LastRow, chained by GetNextRow) and frees them whenever its content changes; the row
// classes that break paragraphs into rows derive from this.

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

    // The next and previous rows of the same paragraph; none in the base.
    virtual TRow* GetNextRow() const { return nullptr; }
    virtual TRow* GetPrevRow() const { return nullptr; }
    virtual TParagraph* GetParagraph() const = 0;
    // Where the row starts and ends; the paragraph's start and end in the base.
    virtual TTextorPosition GetStartPos() const;
    virtual TTextorPosition GetEndPos() const;
};

} // namespace quillora
