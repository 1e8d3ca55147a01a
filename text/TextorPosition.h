#pragma once
// Places in a text. A position points into the portions directly and is valid until the
// next edit; a location counts characters and survives edits that rebuild portions.

namespace quillora {

class TParagraph;
class TPortion;

// (paragraph, portion, offset). Portion none is the end of the paragraph, with offset 0;
// otherwise 0 <= Offset < Portion.Length in a normal position.
struct TTextorPosition {
    TParagraph* Paragraph = nullptr;
    TPortion* Portion = nullptr;
    int Offset = 0;

    bool operator==(const TTextorPosition&) const = default;
};

// StartPos is never after EndPos; an empty range has equal positions.
struct TTextorRange {
    TTextorPosition StartPos;
    TTextorPosition EndPos;

    bool IsEmpty() const { return StartPos == EndPos; }
    bool operator==(const TTextorRange&) const = default;
};

// Zero-based paragraph index and the number of character positions before the place
// inside its paragraph (embedded elements and tabs count one each).
struct TTextorLocation {
    int ParagraphIndex = 0;
    int CharIndex = 0;

    bool operator==(const TTextorLocation&) const = default;
};

struct TTextorLocationRange {
    int StartParagraph = 0;
    int StartChar = 0;
    int EndParagraph = 0;
    int EndChar = 0;

    TTextorLocation Start() const { return {StartParagraph, StartChar}; }
    TTextorLocation End() const { return {EndParagraph, EndChar}; }
    bool operator==(const TTextorLocationRange&) const = default;
};

} // namespace quillora
