#include "typing/DropDownModel.h"

#include <algorithm>

#include "foundation/AnsiCodePage.h"
#include "typing/KeyInput.h"
#include "foundation/Service.h"
#include "foundation/TextCompare.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "text/Textor.h"

namespace quillora {

void AppendParagraphCaption(const TParagraph& paragraph, String& out)
{
    size_t at = out.size();
    for (TPortion* p = paragraph.FirstPortion(); p; p = p->Next()) {
        size_t length = static_cast<size_t>(p->GetText(0, p->Length(), nullptr));
        if (length == 0) continue;
        out.resize(at + length);
        at += static_cast<size_t>(p->GetText(0, p->Length(), out.data() + at));
    }
    out.resize(at);
}

String ParagraphCaption(const TParagraph& paragraph)
{
    String caption;
    AppendParagraphCaption(paragraph, caption);
    return caption;
}

bool CaptionMatchesFilter(StringView caption, StringView filter)
{
    return filter.empty() || StartsWithIgnoreCase(caption, filter);
}

void TDropDownModel::Open(const TTextor& text)
{
    all_.clear();
    captions_.clear();
    // Offsets first: the store may move while it grows.
    std::vector<size_t> starts;
    for (TParagraph* p = text.FirstParagraph(); p; p = p->Next()) {
        if (p->IsEmpty()) continue;
        starts.push_back(captions_.size());
        all_.push_back({{}, p});
        AppendParagraphCaption(*p, captions_);
    }
    starts.push_back(captions_.size());
    for (size_t i = 0; i < all_.size(); ++i)
        all_[i].Caption = StringView(captions_).substr(starts[i], starts[i + 1] - starts[i]);
    filter_.clear();
    RebuildItems();
}

void TDropDownModel::Clear()
{
    items_.clear();
    all_.clear();
    captions_.clear();
    filter_.clear();
    selection_ = -1;
    restingPointer_.reset();
}

void TDropDownModel::SetSelection(int index)
{
    if (items_.empty()) {
        selection_ = -1;
        return;
    }
    selection_ = std::clamp(index, 0, Count() - 1);
}

void TDropDownModel::RebuildItems()
{
    items_.clear();
    for (const TSnippetItem& item : all_)
        if (CaptionMatchesFilter(item.Caption, filter_)) items_.push_back(&item);
    selection_ = items_.empty() ? -1 : 0;
    restingPointer_.reset();
    TPoint pointer;
    if (TInputInjector* input = FindService<TInputInjector>(); input && input->CursorPos(pointer))
        restingPointer_ = pointer;
}

bool TDropDownModel::PointerMoved(TPoint screenPoint)
{
    if (restingPointer_ && *restingPointer_ == screenPoint) return false;
    restingPointer_.reset();
    return true;
}

bool TDropDownModel::HandleChar(int code)
{
    if (code == 8) {
        if (filter_.empty()) return false;
        filter_.resize(filter_.size() - CodePointLengthBefore(filter_, filter_.size()));
    } else {
        if (code < 32) return false;
        if (code <= 255 && Service<TAnsiCodePage>().IsLeadByte(static_cast<uint8_t>(code))) return false;
        filter_.push_back(static_cast<Char>(code));
    }
    RebuildItems();
    return true;
}

TTokenResult TDropDownModel::HandleToken(StringView token, int pageSize)
{
    int selection = selection_;
    if (token == u"[ENTER]") return TTokenResult::Choose;
    if (token == u"[ESC]") return TTokenResult::Close;
    if (token == u"[UP]")
        selection = selection_ - 1;
    else if (token == u"[DOWN]")
        selection = selection_ + 1;
    else if (token == u"[HOME]" || token == u"[LEFT]")
        selection = 0;
    else if (token == u"[END]" || token == u"[RIGHT]")
        selection = Count() - 1;
    else if (token == u"[PGUP]")
        selection = selection_ - std::max(pageSize, 1);
    else if (token == u"[PGDN]")
        selection = selection_ + std::max(pageSize, 1);
    else if (token == u"[BACKSPACE]")
        return HandleChar(8) ? TTokenResult::FilterChanged : TTokenResult::None;
    else if (token.size() == 1)
        return HandleChar(token[0]) ? TTokenResult::FilterChanged : TTokenResult::None;
    else
        return TTokenResult::Beep;
    int before = selection_;
    SetSelection(selection);
    return selection_ != before ? TTokenResult::SelectionMoved : TTokenResult::None;
}

int DropDownPageSize(int clientHeight, int itemHeight)
{
    if (itemHeight <= 0) return 1;
    return std::max(clientHeight / itemHeight, 1);
}

int DropDownItemHeight(int textHeight) { return std::max(textHeight, 15) + 4; }

TPoint PlaceInWorkArea(int x, int y, int width, int height, const TRect& workArea)
{
    return {std::min(x, workArea.Right - width), std::min(y, workArea.Bottom - height)};
}

TPoint DropDownPosition(const TRect& caret, int width, int height, const TRect& workArea)
{
    // A caret of no width (some programs draw one) still counts when it has a height.
    bool hasCaret = caret.Bottom > caret.Top || caret.Right > caret.Left;
    if (hasCaret)
        return PlaceInWorkArea(caret.Right - 7 - 22, caret.Bottom + 2, width, height, workArea);
    return PlaceInWorkArea((workArea.Right - width) / 2, workArea.Bottom - height, width, height, workArea);
}

} // namespace quillora

namespace quillora {

namespace {
bool HasCaret(const TRect& caret) { return caret.Bottom > caret.Top || caret.Right > caret.Left; }

// Squared distance from a point to a rectangle (0 inside).
long long DistanceSquared(TPoint p, const TRect& r)
{
    const long long dx = p.X < r.Left ? r.Left - p.X : p.X >= r.Right ? p.X - (r.Right - 1) : 0;
    const long long dy = p.Y < r.Top ? r.Top - p.Y : p.Y >= r.Bottom ? p.Y - (r.Bottom - 1) : 0;
    return dx * dx + dy * dy;
}
} // namespace

TRect CaretWorkArea(const TRect& caret, const std::vector<TMonitorArea>& monitors)
{
    if (monitors.empty()) return {};
    const TMonitorArea* chosen = &monitors.front();
    if (!HasCaret(caret)) {
        for (const TMonitorArea& m : monitors)
            if (m.Primary) return m.Work;
        return chosen->Work;
    }
    const TPoint at = caret.TopLeft();
    long long best = DistanceSquared(at, chosen->Bounds);
    for (const TMonitorArea& m : monitors) {
        const long long d = DistanceSquared(at, m.Bounds);
        if (d < best) {
            best = d;
            chosen = &m;
        }
    }
    return chosen->Work;
}

TPoint DropDownPositionOnMonitors(const TRect& caret, int width, int height, const std::vector<TMonitorArea>& monitors)
{
    const TRect work = CaretWorkArea(caret, monitors);
    TPoint p = DropDownPosition(caret, width, height, work);
    p.X = std::max(p.X, work.Left);
    p.Y = std::max(p.Y, work.Top);
    return p;
}

} // namespace quillora
