#include "text/ParagraphAttributes.h"

#include "render/SheetCanvas.h"

namespace quillora {

namespace {
TAttributes* NewParagraphAttributes() { return new TParagraphAttributes(); }
TAttributes* NewRichParagraphAttributes() { return new TRichParagraphAttributes(); }

template <class T, class V>
void SetField(TAttributes& self, T& field, V value)
{
    self.Changing();
    field = value;
    self.Changed();
}
} // namespace

// ---- TParagraphAttributes ----

const TAttributesClass& TParagraphAttributes::Class()
{
    static const TAttributesClass cls{"TParagraphAttributes", &TAttributes::Class(), &NewParagraphAttributes};
    return cls;
}

void TParagraphAttributes::SetAlignment(TParagraphAlignment value)
{
    CheckWritable();
    SetField(*this, alignment_, value);
}

void TParagraphAttributes::Create()
{
    TAttributes::Create();
    alignment_ = paLeft;
}

void TParagraphAttributes::Assign(const TAttributes& source)
{
    TAttributes::Assign(source);
    if (const auto* s = dynamic_cast<const TParagraphAttributes*>(&source)) alignment_ = s->alignment_;
}

bool TParagraphAttributes::IsEqual(const TAttributes& other) const
{
    return TAttributes::IsEqual(other) && alignment_ == static_cast<const TParagraphAttributes&>(other).alignment_;
}

size_t TParagraphAttributes::HashValue() const
{
    size_t seed = TAttributes::HashValue();
    HashCombine(seed, alignment_);
    return seed;
}

void TParagraphAttributes::Paint(TSheetCanvas& canvas, TTextPaintState state, int firstRowHeight, int textLeft,
                                 const TTextAttributes* textAttributes, const TRect& paragraphRect) const
{
}

int TParagraphAttributes::GetFirstIndent(const TTextAttributes* textAttributes) const { return 0; }

int TParagraphAttributes::GetLeftIndent(const TTextAttributes* textAttributes) const { return 0; }

int TParagraphAttributes::GetRightIndent(const TTextAttributes* textAttributes) const { return 0; }

// ---- TRichParagraphAttributes ----

const TAttributesClass& TRichParagraphAttributes::Class()
{
    static const TAttributesClass cls{"TRichParagraphAttributes", &TParagraphAttributes::Class(),
                                      &NewRichParagraphAttributes};
    return cls;
}

void TRichParagraphAttributes::SetBackColor(TColor value)
{
    CheckWritable();
    SetField(*this, backColor_, value);
}

void TRichParagraphAttributes::SetFirstIndent(int value)
{
    CheckWritable();
    SetField(*this, firstIndent_, value);
}

void TRichParagraphAttributes::SetLeftIndent(int value)
{
    CheckWritable();
    SetField(*this, leftIndent_, value);
}

void TRichParagraphAttributes::SetBullet(bool value)
{
    CheckWritable();
    SetField(*this, bullet_, value);
}

void TRichParagraphAttributes::SetRightIndent(int value)
{
    CheckWritable();
    SetField(*this, rightIndent_, value);
}

void TRichParagraphAttributes::Create()
{
    TParagraphAttributes::Create();
    backColor_ = clNone;
    firstIndent_ = leftIndent_ = rightIndent_ = 0;
    bullet_ = false;
}

void TRichParagraphAttributes::Assign(const TAttributes& source)
{
    TParagraphAttributes::Assign(source);
    if (const auto* s = dynamic_cast<const TRichParagraphAttributes*>(&source)) {
        backColor_ = s->backColor_;
        firstIndent_ = s->firstIndent_;
        leftIndent_ = s->leftIndent_;
        bullet_ = s->bullet_;
        rightIndent_ = s->rightIndent_;
    }
}

bool TRichParagraphAttributes::IsEqual(const TAttributes& other) const
{
    if (!TParagraphAttributes::IsEqual(other)) return false;
    const auto& o = static_cast<const TRichParagraphAttributes&>(other);
    return backColor_ == o.backColor_ && firstIndent_ == o.firstIndent_ && leftIndent_ == o.leftIndent_ &&
           bullet_ == o.bullet_ && rightIndent_ == o.rightIndent_;
}

size_t TRichParagraphAttributes::HashValue() const
{
    size_t seed = TParagraphAttributes::HashValue();
    HashCombine(seed, backColor_);
    HashCombine(seed, static_cast<unsigned>(firstIndent_));
    HashCombine(seed, static_cast<unsigned>(leftIndent_));
    HashCombine(seed, bullet_ ? 1 : 0);
    HashCombine(seed, static_cast<unsigned>(rightIndent_));
    return seed;
}

void TRichParagraphAttributes::Paint(TSheetCanvas& canvas, TTextPaintState state, int firstRowHeight, int textLeft,
                                     const TTextAttributes* textAttributes, const TRect& paragraphRect) const
{
    if (backColor_ != clNone) {
        TRect back = paragraphRect;
        back.Left += leftIndent_;
        back.Right -= rightIndent_;
        if (!back.IsEmpty()) canvas.DrawRect(back, clNone, backColor_);
    }
    if (bullet_ && textAttributes) {
        const int baseline = paragraphRect.Top + firstRowHeight - textAttributes->GetDescent();
        const int left = textLeft - textAttributes->GetTabWidth() / 2;
        const TRect firstRow{paragraphRect.Left, paragraphRect.Top, paragraphRect.Right,
                             paragraphRect.Top + firstRowHeight};
        const Char bullet = BulletChar;
        textAttributes->DrawText(canvas, state, 0, 1, &bullet, baseline, left, firstRow);
    }
}

int TRichParagraphAttributes::GetFirstIndent(const TTextAttributes* textAttributes) const { return firstIndent_; }

int TRichParagraphAttributes::GetLeftIndent(const TTextAttributes* textAttributes) const
{
    int indent = leftIndent_;
    if (bullet_ && textAttributes) indent += textAttributes->GetTabWidth();
    return indent;
}

int TRichParagraphAttributes::GetRightIndent(const TTextAttributes* textAttributes) const { return rightIndent_; }

} // namespace quillora
