#include "text/Portion.h"

#include <algorithm>
#include <cstdlib>

#include "elements/VisualElement.h"
#include "render/DeviceContextManager.h"
#include "render/SheetCanvas.h"
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

void TPortion::PlaceElement(int x, int baseline) {}

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

int TTextPortion::HitTest(int& x, int targetX, int offset, int count, bool round, const TPoint* down,
                          const TPoint* mouse) const
{
    if (!ClampStretch(length_, offset, count)) return -1;
    const TTextAttributes* attributes = GetAttributes();
    const Char* chars = chars_.data() + offset;
    auto width = [&](int n) { return attributes ? attributes->GetTextWidth(chars, n) : 0; };
    const int total = width(count);
    const int target = targetX - x;
    if (target >= total) {
        x += total;
        return -1;
    }
    if (target < 0) return offset;
    int n = total > 0 ? std::min(MulDiv(target, count, total), count - 1) : 0;
    n = std::max(n, 0);
    int wn = width(n);
    while (n > 0 && wn > target) wn = width(--n);
    int wNext = width(n + 1);
    while (n + 1 < count && target >= wNext) {
        ++n;
        wn = wNext;
        wNext = width(n + 1);
    }
    if (round && wn + (wNext - wn) / 2 < target) ++n;
    return offset + n;
}

void TTextPortion::Draw(const TTextPaintContext& context, int& x, int offset, int count) const
{
    if (!ClampStretch(length_, offset, count)) return;
    const TTextAttributes* attributes = GetAttributes();
    if (!attributes) return;
    const Char* chars = chars_.data() + offset;
    const int left = x;
    x += attributes->DrawText(*context.Canvas, context.State, context.Flags, count, chars, context.Baseline, x,
                              context.RowRect);
    if (!(context.Flags & tdfNonPrinting)) return;
    const TTextDrawFlags markFlags = context.Flags & ~tdfSelected;
    for (int i = 0; i < count; ++i) {
        const Char c = chars[i];
        if (c != u' ' && c != u'\u00A0') continue;
        const Char mark = c == u' ' ? u'\u00B7' : u'\u00B0';
        const int at = left + attributes->GetTextWidth(chars, i);
        const int gap = (attributes->GetTextWidth(&c, 1) - attributes->GetTextWidth(&mark, 1)) / 2;
        attributes->DrawText(*context.Canvas, context.State, markFlags, 1, &mark, context.Baseline, at + gap,
                             context.RowRect);
    }
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

int TTabStopsPortion::HitTest(int& x, int targetX, int offset, int count, bool round, const TPoint* down,
                              const TPoint* mouse) const
{
    if (!ClampStretch(length_, offset, count)) return -1;
    const TTextAttributes* attributes = GetAttributes();
    const int tabWidth = attributes ? attributes->GetTabWidth() : 0;
    for (int i = 0; i < count; ++i) {
        const int left = x;
        const int stop = tabWidth > 0 ? tabWidth * (x / tabWidth + 1) : x;
        if (targetX < stop) {
            if (round && targetX - left > (stop - left) / 2) return offset + i + 1;
            return offset + i;
        }
        x = stop;
    }
    return -1;
}

void TTabStopsPortion::Draw(const TTextPaintContext& context, int& x, int offset, int count) const
{
    if (!ClampStretch(length_, offset, count)) return;
    const TTextAttributes* attributes = GetAttributes();
    if (!attributes) return;
    const int tabWidth = attributes->GetTabWidth();
    for (int i = 0; i < count; ++i) {
        const int left = x;
        // Tab stops count from the row's left edge.
        if (tabWidth > 0) x = context.RowLeft + tabWidth * ((x - context.RowLeft) / tabWidth + 1);
        attributes->DrawBlank(*context.Canvas, context.State, context.Flags, x - left, left, context.RowRect);
        if (context.Flags & tdfNonPrinting) {
            const Char mark = u'\u00AC';
            attributes->DrawText(*context.Canvas, context.State, context.Flags & ~tdfSelected, 1, &mark,
                                 context.Baseline, left, context.RowRect);
        }
    }
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

int TElementPortion::HitTest(int& x, int targetX, int offset, int count, bool round, const TPoint* down,
                             const TPoint* mouse) const
{
    if (!ClampStretch(length_, offset, count)) return -1;
    int right = x;
    MeasureWidth(right, 0, 1);
    const int full = right - x;
    if (targetX >= right) {
        x = right;
        return -1;
    }
    if (!round) return 0;
    int depth = full / 2;
    if (down && mouse &&
        (std::abs(mouse->X - down->X) > DragThreshold || std::abs(mouse->Y - down->Y) > DragThreshold))
        depth = mouse->X >= down->X ? std::min(full / 2, ElementDragDepth) : std::max(full / 2, full - ElementDragDepth);
    return x + depth < targetX ? 1 : 0;
}

void TElementPortion::Draw(const TTextPaintContext& context, int& x, int offset, int count) const
{
    if (!ClampStretch(length_, offset, count)) return;
    const int left = x;
    MeasureWidth(x, 0, 1);
    const TRect rect{left, context.RowRect.Top, x, context.RowRect.Bottom};
    if (const TTextAttributes* attributes = GetAttributes())
        attributes->DrawBackground(*context.Canvas, context.State, context.Flags, rect, context.RowRect);
    TSheetCanvas& canvas = *context.Canvas;
    if (element_ && element_->IsVisible()) {
        canvas.MoveOrigin(-context.Padding.X, -context.Padding.Y);
        try {
            if (canvas.RectVisible(element_->GetBoundsRect())) element_->PaintAll(canvas, 0);
        } catch (...) {
            canvas.MoveOrigin(context.Padding.X, context.Padding.Y);
            throw;
        }
        canvas.MoveOrigin(context.Padding.X, context.Padding.Y);
    }
    if (context.Flags & tdfSelected) canvas.FillSelection(rect, (context.Flags & tdfInactive) == 0);
}

void TElementPortion::PlaceElement(int x, int baseline)
{
    if (!element_) return;
    element_->SetBounds(x, baseline - element_->Height() + element_->Descent(), element_->Width(), element_->Height(),
                        element_->Descent());
}

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
