// The text: construction, the owner's questions, batching and the whole text.
#include "text/Textor.h"

#include "text/CharClasses.h"

namespace quillora {

namespace {
// Sets a flag for a scope and clears it again, also when an error leaves the scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};
} // namespace

TTextor::TTextor(bool lockLayout)
{
    // The first paragraph is made without signalling: nothing can listen yet, and the
    // owner's overrides are not in place during construction. A relayout stays pending.
    ++updateCount_;
    ++layoutLockCount_;
    new TParagraph(this, nullptr);
    --updateCount_;
    --layoutLockCount_;
    changePending_ = false;
    if (lockLayout) layoutLockCount_ = 1;
}

TTextor::~TTextor()
{
    ++updateCount_;
    ++layoutLockCount_;
    destroying_ = true;
    while (TParagraph* paragraph = firstParagraph_) {
        firstParagraph_ = paragraph->next_;
        if (firstParagraph_) firstParagraph_->prev_ = nullptr;
        paragraph->next_ = paragraph->prev_ = nullptr;
        paragraph->textor_ = nullptr;
        delete paragraph;
    }
    lastParagraph_ = nullptr;
    index_.clear();
    indexValid_ = false;
}

// ---- the owner's questions ----

bool TTextor::CanBreakBetween(int prev, int next)
{
    return prev == ElementCharCode || next == ElementCharCode || prev == 32 || prev == 9;
}

void TTextor::Changed() {}

void TTextor::Relayout(bool contentChanged)
{
    if (inLayout_) return;
    TFlagScope scope(inLayout_);
    const int width = GetWidth();
    GetLayoutPadding(layoutPadding_);
    GetMargins(layoutMargins_);
    if (invalidParagraphs_ > 0) ++layoutSerial_;
    // Paragraphs below a changed one only move, by the accumulated change of height.
    int shift = 0;
    for (TParagraph* p = firstParagraph_; p; p = p->Next()) {
        if (p->IsValid()) {
            if (shift != 0) ShiftRows(*p, shift);
            else if (invalidParagraphs_ == 0) break;
            continue;
        }
        int oldBottom = p->LaidOutBottom();
        if (oldBottom < 0) oldBottom = BottomAbove(*p);
        else shift = 0; // its own old bottom is where the paragraphs below were laid out
        LayoutParagraph(*p, width);
        shift += p->LaidOutBottom() - oldBottom;
    }
}

TParagraphAttributes* TTextor::GetDefaultParagraphAttributes() { return nullptr; }

TTextAttributes* TTextor::GetDefaultTextAttributes() { return nullptr; }

void TTextor::GetMargins(TRect& rect) { rect = TRect{}; }

int TTextor::GetWidth() { return 0; }

const TAttributesClass& TTextor::GetParagraphAttributesClass() { return TParagraphAttributes::Class(); }

bool TTextor::AcceptsLineBreaks() { return false; }

bool TTextor::AcceptsTabs() { return false; }

const TAttributesClass& TTextor::GetTextAttributesClass() { return TTextAttributes::Class(); }

bool TTextor::IsWordContinuation(int prev, int next)
{
    if (prev < 0 || next < 0) return false;
    if (IsWhiteSpaceCode(next)) return true;
    return IsWordCode(prev) == IsWordCode(next) && !IsWhiteSpaceCode(prev);
}

void TTextor::GetLayoutPadding(TRect& rect) { rect = TRect{}; }

// ---- batching ----

void TTextor::BeginUpdate()
{
    ++updateCount_;
    LockLayout();
}

void TTextor::EndUpdate()
{
    if (updateCount_ <= 0) return;
    UnlockLayout();
    if (--updateCount_ == 0 && changePending_) {
        changePending_ = false;
        Changed();
    }
}

void TTextor::LockLayout() { ++layoutLockCount_; }

void TTextor::UnlockLayout()
{
    if (layoutLockCount_ <= 0) return;
    if (--layoutLockCount_ == 0 && relayoutPending_) {
        relayoutPending_ = false;
        RequestRelayout(changePending_);
    }
}

void TTextor::NotifyChanged()
{
    if (destroying_) return;
    ++contentSerial_;
    RequestRelayout(true);
    if (inLayout_) return;
    if (updateCount_ > 0)
        changePending_ = true;
    else
        Changed();
}

void TTextor::RequestRelayout(bool contentChanged)
{
    if (inLayout_ || destroying_) return;
    if (layoutLockCount_ <= 0)
        Relayout(contentChanged);
    else
        relayoutPending_ = true;
}

void TTextor::InvalidateLayout()
{
    LockLayout();
    try {
        for (TParagraph* p = firstParagraph_; p; p = p->Next()) p->InvalidateLayout();
    } catch (...) {
        UnlockLayout();
        throw;
    }
    UnlockLayout();
}

// ---- the whole text ----

void TTextor::Clear()
{
    TTextorUpdate update(*this);
    if (!firstParagraph_) new TParagraph(this, nullptr);
    while (lastParagraph_ != firstParagraph_) delete lastParagraph_;
    TParagraph* first = firstParagraph_;
    while (TPortion* portion = first->LastPortion()) delete portion;
}

void TTextor::SetText(StringView text)
{
    TTextorUpdate update(*this);
    Clear();
    TTextorRange range;
    InsertText(GetEnd(), text, nullptr, range);
}

String TTextor::GetText()
{
    TParagraph* first = firstParagraph_;
    if (!first) return String();
    if (first == lastParagraph_) {
        if (first->IsEmpty()) return String();
        TPortion* only = first->FirstPortion();
        if (only == first->LastPortion() && &only->GetClass() == &TTextPortion::Class())
            return String(static_cast<TTextPortion*>(only)->Text());
    }
    return GetRangeText(GetWholeRange());
}

bool TTextor::IsEmpty() const
{
    return !firstParagraph_ || (firstParagraph_ == lastParagraph_ && firstParagraph_->IsEmpty());
}

TTextorPosition TTextor::GetStart() const
{
    return firstParagraph_ ? firstParagraph_->GetStart() : TTextorPosition{};
}

TTextorPosition TTextor::GetEnd() const { return lastParagraph_ ? lastParagraph_->GetEnd() : TTextorPosition{}; }

TPortion* TTextor::GetFirstPortion() const
{
    for (TParagraph* p = firstParagraph_; p; p = p->Next())
        if (p->FirstPortion()) return p->FirstPortion();
    return nullptr;
}

void TTextor::UpdateIndex() const
{
    if (indexValid_) return;
    index_.clear();
    for (TParagraph* p = firstParagraph_; p; p = p->Next()) {
        p->index_ = static_cast<int>(index_.size());
        index_.push_back(p);
    }
    indexValid_ = true;
}

int TTextor::ParagraphCount() const
{
    UpdateIndex();
    return static_cast<int>(index_.size());
}

TParagraph* TTextor::ParagraphAt(int index) const
{
    UpdateIndex();
    if (index < 0 || index >= static_cast<int>(index_.size())) return nullptr;
    return index_[static_cast<size_t>(index)];
}

} // namespace quillora
