#include "text/Paragraph.h"

#include "text/Textor.h"
#include "text/TextorRow.h"

namespace quillora {

TTextorPosition TRow::GetStartPos() const
{
    TParagraph* paragraph = GetParagraph();
    return paragraph ? paragraph->GetStart() : TTextorPosition{};
}

TTextorPosition TRow::GetEndPos() const
{
    TParagraph* paragraph = GetParagraph();
    return paragraph ? paragraph->GetEnd() : TTextorPosition{};
}

TParagraph::TParagraph(TTextor* textor, TParagraph* before) : textor_(textor)
{
    if (!textor_) return;
    if (before) {
        prev_ = before->prev_;
        next_ = before;
        before->prev_ = this;
        if (prev_)
            prev_->next_ = this;
        else
            textor_->firstParagraph_ = this;
    } else {
        prev_ = textor_->lastParagraph_;
        if (prev_)
            prev_->next_ = this;
        else
            textor_->firstParagraph_ = this;
        textor_->lastParagraph_ = this;
    }
    textor_->indexValid_ = false;
    ++textor_->invalidParagraphs_;
    InvalidateContent();
}

TParagraph::~TParagraph()
{
    FreeRows();
    TTextor* textor = textor_;
    if (textor) {
        if (prev_)
            prev_->next_ = next_;
        else
            textor->firstParagraph_ = next_;
        if (next_)
            next_->prev_ = prev_;
        else
            textor->lastParagraph_ = prev_;
        TParagraph* next = next_;
        next_ = prev_ = nullptr;
        textor->indexValid_ = false;
        if (!IsValid()) --textor->invalidParagraphs_;
        textor_ = nullptr;
        if (next) next->InvalidateOffsets();
        textor->NotifyChanged();
    }
    while (TPortion* portion = lastPortion_) delete portion;
    ReplaceAttributes(paragraphAttributes_, static_cast<TParagraphAttributes*>(nullptr));
    ReplaceAttributes(textAttributes_, static_cast<TTextAttributes*>(nullptr));
}

void TParagraph::InsertPortion(TPortion* portion, TPortion* before)
{
    if (!portion) return;
    if (portion->paragraph_) portion->paragraph_->RemovePortion(portion);
    if (before && before->paragraph_ != this) before = nullptr;
    portion->paragraph_ = this;
    if (before) {
        portion->prev_ = before->prev_;
        portion->next_ = before;
        before->prev_ = portion;
        if (portion->prev_)
            portion->prev_->next_ = portion;
        else
            firstPortion_ = portion;
    } else {
        portion->prev_ = lastPortion_;
        portion->next_ = nullptr;
        if (lastPortion_)
            lastPortion_->next_ = portion;
        else
            firstPortion_ = portion;
        lastPortion_ = portion;
    }
    InvalidateContent();
}

void TParagraph::RemovePortion(TPortion* portion)
{
    if (!portion || portion->paragraph_ != this) return;
    if (portion->prev_)
        portion->prev_->next_ = portion->next_;
    else
        firstPortion_ = portion->next_;
    if (portion->next_)
        portion->next_->prev_ = portion->prev_;
    else
        lastPortion_ = portion->prev_;
    portion->next_ = portion->prev_ = nullptr;
    portion->paragraph_ = nullptr;
    InvalidateContent();
}

void TParagraph::SetParagraphAttributes(TParagraphAttributes* attributes)
{
    if (ReplaceAttributes(paragraphAttributes_, attributes)) InvalidateContent();
}

void TParagraph::SetTextAttributes(TTextAttributes* attributes)
{
    if (ReplaceAttributes(textAttributes_, attributes)) InvalidateContent();
}

TParagraphAttributes* TParagraph::GetParagraphAttributes() const
{
    if (paragraphAttributes_) return paragraphAttributes_;
    return textor_ ? textor_->GetDefaultParagraphAttributes() : nullptr;
}

TTextAttributes* TParagraph::GetTextAttributes() const
{
    if (textAttributes_) return textAttributes_;
    return textor_ ? textor_->GetDefaultTextAttributes() : nullptr;
}

int TParagraph::GetLength() const
{
    int length = 0;
    for (TPortion* p = firstPortion_; p; p = p->Next()) length += p->Length();
    return length;
}

int TParagraph::GetIndex() const
{
    if (textor_) {
        textor_->UpdateIndex();
        return index_;
    }
    int index = 0;
    for (const TParagraph* p = prev_; p; p = p->prev_) ++index;
    return index;
}

void TParagraph::SetValidity(bool layoutValid, bool offsetsValid)
{
    const bool wasValid = IsValid();
    layoutValid_ = layoutValid;
    offsetsValid_ = offsetsValid;
    if (textor_ && wasValid != IsValid()) textor_->invalidParagraphs_ += wasValid ? 1 : -1;
}

void TParagraph::InvalidateContent()
{
    // Rows may point into portions that this change frees: they go now, and only their
    // bottom is kept for moving the paragraphs below.
    if (lastRow_) {
        oldBottom_ = lastRow_->Bottom;
        FreeRows();
    }
    SetValidity(false, offsetsValid_);
    if (textor_) textor_->NotifyChanged();
}

void TParagraph::InvalidateLayout()
{
    SetValidity(false, offsetsValid_);
    if (textor_) textor_->RequestRelayout(false);
}

void TParagraph::InvalidateOffsets()
{
    SetValidity(layoutValid_, false);
    if (textor_) textor_->RequestRelayout(false);
}

void TParagraph::SetRows(TRow* first, TRow* last)
{
    if (first != firstRow_) FreeRows();
    firstRow_ = first;
    lastRow_ = last;
}

int TParagraph::LaidOutBottom() const { return lastRow_ ? lastRow_->Bottom : oldBottom_; }

void TParagraph::FreeRows()
{
    TRow* row = firstRow_;
    firstRow_ = lastRow_ = nullptr;
    while (row) {
        TRow* next = row->GetNextRow();
        delete row;
        row = next;
    }
}

} // namespace quillora
