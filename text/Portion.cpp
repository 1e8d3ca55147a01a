#include "text/Portion.h"

#include <algorithm>

#include "elements/VisualElement.h"
#include "text/Paragraph.h"
#include "text/Textor.h"

namespace quillora {

// ---- TPortion ----

TPortion::~TPortion()
{
    if (paragraph_) paragraph_->RemovePortion(this);
    if (attributes_) {
        TTextAttributes* old = attributes_;
        attributes_ = nullptr;
        old->Release();
    }
}

TPortion* TPortion::Create(const TPortionClass& cls, TParagraph* paragraph, TPortion* before,
                           TTextAttributes* attributes)
{
    TPortion* portion = cls.NewInstance();
    ReplaceAttributes(portion->attributes_, attributes);
    if (paragraph) paragraph->InsertPortion(portion, before);
    return portion;
}

TTextor* TPortion::Textor() const { return paragraph_ ? paragraph_->Textor() : nullptr; }

TTextAttributes* TPortion::GetAttributes() const
{
    if (attributes_) return attributes_;
    TTextor* textor = Textor();
    return textor ? textor->GetDefaultTextAttributes() : nullptr;
}

void TPortion::SetAttributes(TTextAttributes* attributes)
{
    if (ReplaceAttributes(attributes_, attributes)) ContentChanged();
}

void TPortion::ContentChanged()
{
    if (paragraph_) paragraph_->InvalidateContent();
}

TPortion* TPortion::SplitAt(int offset)
{
    if (offset <= 0) return this;
    if (offset >= length_) return next_;
    TPortion* target = Create(GetClass(), paragraph_, next_, attributes_);
    SplitInto(*target, offset);
    ContentChanged();
    return target;
}

bool TPortion::SameAttributes(const TTextAttributes* attributes) const { return attributes_ == attributes; }

void TPortion::MoveBy(int dx, int dy) {}

// ---- TTextPortion ----

namespace {
TPortion* NewTextPortion() { return new TTextPortion(); }
TPortion* NewTabStopsPortion() { return new TTabStopsPortion(); }
TPortion* NewElementPortion() { return new TElementPortion(); }

// Clamps a stretch of `count` positions from `index` to the `length` positions there are.
bool ClampStretch(int length, int& index, int& count)
{
    if (index < 0) {
        count += index;
        index = 0;
    }
    if (index > length) index = length;
    count = std::min(count, length - index);
    return count > 0;
}
} // namespace

const TPortionClass& TTextPortion::Class()
{
    static const TPortionClass cls{"TTextPortion", &NewTextPortion};
    return cls;
}

int TTextPortion::MeasureWidth(int& x, int index, int count) const
{
    if (!ClampStretch(length_, index, count)) return 0;
    const TTextAttributes* attributes = GetAttributes();
    const int width = attributes ? attributes->GetTextWidth(chars_.data() + index, count) : 0;
    x += width;
    return width;
}

void TTextPortion::DeleteChars(int index, int count)
{
    if (!ClampStretch(length_, index, count)) return;
    chars_.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    length_ = static_cast<int>(chars_.size());
}

void TTextPortion::SplitInto(TPortion& target, int index)
{
    auto& t = static_cast<TTextPortion&>(target);
    index = std::clamp(index, 0, length_);
    t.chars_.assign(chars_, static_cast<size_t>(index));
    t.length_ = static_cast<int>(t.chars_.size());
    chars_.erase(static_cast<size_t>(index));
    length_ = static_cast<int>(chars_.size());
}

void TTextPortion::PrependFrom(const TPortion& other)
{
    chars_.insert(0, static_cast<const TTextPortion&>(other).chars_);
    length_ = static_cast<int>(chars_.size());
}

int TTextPortion::GetChar(int index) const
{
    return index >= 0 && index < length_ ? static_cast<int>(chars_[static_cast<size_t>(index)]) : 0;
}

int TTextPortion::InsertChars(int index, const TPortionData& data, int count)
{
    if (count <= 0 || !data.Chars) return 0;
    index = std::clamp(index, 0, length_);
    chars_.insert(static_cast<size_t>(index), data.Chars, static_cast<size_t>(count));
    length_ = static_cast<int>(chars_.size());
    return count;
}

int TTextPortion::GetText(int index, int count, Char* buffer) const
{
    if (!ClampStretch(length_, index, count)) return 0;
    if (buffer) std::copy_n(chars_.data() + index, count, buffer);
    return count;
}

void TTextPortion::GetHeights(int& ascent, int& descent) const
{
    const TTextAttributes* attributes = GetAttributes();
    ascent = attributes ? attributes->GetAscent() : 0;
    descent = attributes ? attributes->GetDescent() : 0;
}

// ---- TTabStopsPortion ----

const TPortionClass& TTabStopsPortion::Class()
{
    static const TPortionClass cls{"TTabStopsPortion", &NewTabStopsPortion};
    return cls;
}

int TTabStopsPortion::MeasureWidth(int& x, int index, int count) const
{
    if (!ClampStretch(length_, index, count)) return 0;
    const TTextAttributes* attributes = GetAttributes();
    const int tabWidth = attributes ? attributes->GetTabWidth() : 0;
    // Without a tab width there are no tab stops to move to.
    if (tabWidth <= 0) return 0;
    const int start = x;
    for (int i = 0; i < count; ++i) x = tabWidth * (x / tabWidth + 1);
    return x - start;
}

void TTabStopsPortion::DeleteChars(int index, int count)
{
    if (ClampStretch(length_, index, count)) length_ -= count;
}

void TTabStopsPortion::SplitInto(TPortion& target, int index)
{
    index = std::clamp(index, 0, length_);
    static_cast<TTabStopsPortion&>(target).length_ = length_ - index;
    length_ = index;
}

void TTabStopsPortion::PrependFrom(const TPortion& other) { length_ += other.Length(); }

int TTabStopsPortion::GetChar(int index) const { return 9; }

int TTabStopsPortion::InsertChars(int index, const TPortionData& data, int count)
{
    if (count <= 0) return 0;
    length_ += count;
    return count;
}

int TTabStopsPortion::GetText(int index, int count, Char* buffer) const
{
    if (!ClampStretch(length_, index, count)) return 0;
    if (buffer) std::fill_n(buffer, count, u'\t');
    return count;
}

void TTabStopsPortion::GetHeights(int& ascent, int& descent) const
{
    const TTextAttributes* attributes = GetAttributes();
    ascent = attributes ? attributes->GetAscent() : 0;
    descent = attributes ? attributes->GetDescent() : 0;
}

// ---- TElementPortion ----

const TPortionClass& TElementPortion::Class()
{
    static const TPortionClass cls{"TElementPortion", &NewElementPortion};
    return cls;
}

TElementPortion::~TElementPortion()
{
    if (TVisualElement* element = element_) {
        element_ = nullptr;
        element->SetPortion(nullptr);
        element->SetParent(nullptr);
        delete element;
    }
}

void TElementPortion::ReleaseElement()
{
    if (element_) element_->SetPortion(nullptr);
    element_ = nullptr;
}

int TElementPortion::MeasureWidth(int& x, int index, int count) const
{
    if (!element_ || !ClampStretch(length_, index, count)) return 0;
    TRect margins;
    if (TTextor* textor = Textor()) textor->GetMargins(margins);
    const int width = margins.Left + element_->Width() + margins.Right;
    x += width;
    return width;
}

bool TElementPortion::SameAttributes(const TTextAttributes* attributes) const { return false; }

void TElementPortion::DeleteChars(int index, int count) {}

void TElementPortion::SplitInto(TPortion& target, int index) {}

void TElementPortion::PrependFrom(const TPortion& other) {}

int TElementPortion::GetChar(int index) const { return ElementCharCode; }

int TElementPortion::InsertChars(int index, const TPortionData& data, int count)
{
    // A portion holds one element for its whole life.
    if (data.Element && !element_) {
        element_ = data.Element;
        element_->SetPortion(this);
    }
    return 1;
}

void TElementPortion::MoveBy(int dx, int dy)
{
    if (element_ && (dx || dy))
        element_->SetBounds(element_->Left() + dx, element_->Top() + dy, element_->Width(), element_->Height());
}

int TElementPortion::GetText(int index, int count, Char* buffer) const { return 0; }

void TElementPortion::GetHeights(int& ascent, int& descent) const
{
    TRect margins;
    if (TTextor* textor = Textor()) textor->GetMargins(margins);
    const int height = element_ ? element_->Height() : 0;
    const int elementDescent = element_ ? element_->Descent() : 0;
    ascent = height - elementDescent + margins.Top;
    descent = elementDescent + margins.Bottom;
}

} // namespace quillora
