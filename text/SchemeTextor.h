#pragma once
// TSchemeTextor: the rich text of a text element. It answers the text's questions (width,
// default attributes, line-break and tab policy, word steps) from its owner element and
// passes content changes and relayouts back to it.

#include "text/Textor.h"

namespace quillora {

class TTextorElement;

class TSchemeTextor : public TTextor {
public:
    // A text with its layout locked, owned by `owner`.
    explicit TSchemeTextor(TTextorElement* owner);

    TTextorElement* Owner() const { return owner_; }
    // Cleared by the element when it is destroyed.
    void SetOwner(TTextorElement* owner) { owner_ = owner; }

    void Changed() override;
    void Relayout(bool contentChanged) override;
    TParagraphAttributes* GetDefaultParagraphAttributes() override;
    TTextAttributes* GetDefaultTextAttributes() override;
    // 1 pixel left and right of every embedded element, and above and below when the
    // text accepts line breaks.
    void GetMargins(TRect& rect) override;
    int GetWidth() override;
    const TAttributesClass& GetParagraphAttributesClass() override;
    bool AcceptsLineBreaks() override;
    bool AcceptsTabs() override;
    const TAttributesClass& GetTextAttributesClass() override;
    // With the owner's word-class option: both or neither are word characters.
    bool IsWordContinuation(int prev, int next) override;
    void LayoutParagraph(TParagraph& paragraph, int width) override;
    // The owner's padding while it is in a sheet.
    void GetLayoutPadding(TRect& rect) override;

private:
    TTextorElement* owner_;
};

} // namespace quillora
