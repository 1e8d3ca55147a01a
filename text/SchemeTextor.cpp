#include "text/SchemeTextor.h"

#include <climits>

#include "text/CharClasses.h"
#include "text/DefaultAttributes.h"
#include "text/TextElement.h"

namespace quillora {

TSchemeTextor::TSchemeTextor(TTextorElement* owner) : TTextor(true), owner_(owner) {}

void TSchemeTextor::Changed()
{
    if (owner_ && !(owner_->TextState() & tesReparsing)) owner_->TextChanged();
}

void TSchemeTextor::Relayout(bool contentChanged)
{
    TTextor::Relayout(contentChanged);
    if (owner_) owner_->AfterRelayout(contentChanged);
}

TParagraphAttributes* TSchemeTextor::GetDefaultParagraphAttributes() { return DefaultParagraphAttributes(); }

TTextAttributes* TSchemeTextor::GetDefaultTextAttributes()
{
    return owner_ ? owner_->GetDefaultTextAttributes() : DefaultTextAttributes();
}

void TSchemeTextor::GetMargins(TRect& rect)
{
    const int vertical = AcceptsLineBreaks() ? 1 : 0;
    rect = TRect{1, vertical, 1, vertical};
}

int TSchemeTextor::GetWidth()
{
    if (!owner_) return 0;
    int minWidth = 0, maxWidth = 0, minHeight = 0;
    owner_->GetSizeLimits(minWidth, maxWidth, minHeight);
    if (maxWidth == INT_MAX) return maxWidth;
    TRect padding;
    owner_->GetPadding(padding);
    return maxWidth - padding.Left - padding.Right;
}

const TAttributesClass& TSchemeTextor::GetParagraphAttributesClass() { return TRichParagraphAttributes::Class(); }

bool TSchemeTextor::AcceptsLineBreaks() { return owner_ && (owner_->TextOptions() & toLineBreaks); }

bool TSchemeTextor::AcceptsTabs() { return owner_ && (owner_->TextOptions() & toTabs); }

const TAttributesClass& TSchemeTextor::GetTextAttributesClass() { return TRichTextAttributes::Class(); }

bool TSchemeTextor::IsWordContinuation(int prev, int next)
{
    if (owner_ && owner_->HasOption(teoWordByClass)) {
        if (prev < 0 || next < 0) return false;
        return IsWordCode(prev) == IsWordCode(next);
    }
    return TTextor::IsWordContinuation(prev, next);
}

void TSchemeTextor::GetLayoutPadding(TRect& rect)
{
    if (owner_ && owner_->Sheet()) owner_->GetPadding(rect);
    else rect = TRect{};
}

void TSchemeTextor::LayoutParagraph(TParagraph& paragraph, int width)
{
    if (owner_) owner_->BeforeLayoutParagraph(paragraph);
    TTextor::LayoutParagraph(paragraph, width);
}

} // namespace quillora
