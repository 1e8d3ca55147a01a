#include "typing/DropDownListView.h"

#include <algorithm>

#include "typing/DropDownModel.h"

namespace quillora {

void TDropDownListView::SetCount(int count)
{
    count_ = std::max(0, count);
    SetTop(top_);
}

void TDropDownListView::SetItemHeight(int height)
{
    itemHeight_ = std::max(1, height);
    SetTop(top_);
}

void TDropDownListView::SetClientHeight(int height)
{
    clientHeight_ = std::max(0, height);
    SetTop(top_);
}

bool TDropDownListView::SetTop(int top)
{
    const int clamped = std::clamp(top, 0, MaxTop());
    if (clamped == top_) return false;
    top_ = clamped;
    return true;
}

int TDropDownListView::PageSize() const { return DropDownPageSize(clientHeight_, itemHeight_); }

int TDropDownListView::MaxTop() const { return std::max(0, count_ - PageSize()); }

bool TDropDownListView::EnsureVisible(int index)
{
    if (index < 0 || index >= count_) return false;
    if (index < top_) return SetTop(index);
    if (index >= top_ + PageSize()) return SetTop(index - PageSize() + 1);
    return false;
}

int TDropDownListView::ItemAt(int y) const
{
    if (y < 0) return -1;
    const int index = top_ + y / itemHeight_;
    return index < count_ ? index : -1;
}

int TDropDownListView::EndVisible() const
{
    const int rows = (clientHeight_ + itemHeight_ - 1) / itemHeight_;
    return std::min(count_, top_ + rows);
}

TScrollRange TDropDownListView::ScrollRange() const
{
    TScrollRange range;
    range.Min = 0;
    range.Max = std::max(0, count_ - 1);
    range.Page = PageSize();
    range.Pos = top_;
    return range;
}

bool TDropDownListView::Scroll(TScrollCode code, int position)
{
    switch (code) {
    case scLineUp: return SetTop(top_ - 1);
    case scLineDown: return SetTop(top_ + 1);
    case scPageUp: return SetTop(top_ - PageSize());
    case scPageDown: return SetTop(top_ + PageSize());
    case scTrack:
    case scPosition: return SetTop(position);
    case scTop: return SetTop(0);
    case scBottom: return SetTop(MaxTop());
    default: return false;
    }
}

bool TDropDownListView::Wheel(int wheelDelta)
{
    constexpr int notch = TPointerEvent::WheelNotch;
    wheelRest_ += wheelDelta;
    const int notches = wheelRest_ / notch;
    wheelRest_ -= notches * notch;
    return notches != 0 && SetTop(top_ - notches * 3);
}

} // namespace quillora
