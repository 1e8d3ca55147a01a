// Plain drawing of the sheet canvas: rectangles, focus rectangles, bitmaps and the
// element image lists. Everything lands in the buffer's pixels, cut to its clip rectangle.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "foundation/Service.h"
#include "render/Canvas.h"
#include "render/Color32.h"

namespace quillora {

namespace {

// A horizontal run of pixels [Left, Right) of one row, in 64 bits so that rectangles at
// the ends of the int range need no care.
struct TSpan {
    int64_t Left = 0;
    int64_t Right = 0;
    bool Empty() const { return Left >= Right; }
};

void FillSpan(TBitmap32& bitmap, int64_t y, TSpan span, TColor32 color)
{
    const TRect clip = bitmap.ClipRect();
    if (y < clip.Top || y >= clip.Bottom) return;
    const int64_t left = std::max<int64_t>(span.Left, clip.Left);
    const int64_t right = std::min<int64_t>(span.Right, clip.Right);
    if (left >= right) return;
    bitmap.FillRect(Rect(static_cast<int>(left), static_cast<int>(y), static_cast<int>(right), static_cast<int>(y) + 1), color);
}

// The shape of a rectangle with corner ellipses of diameter `radius`, row by row.
class TRoundRectShape {
public:
    TRoundRectShape(const TRect& rect, int radius)
        : left_(rect.Left), top_(rect.Top), right_(rect.Right), bottom_(rect.Bottom),
          rx_(std::min<double>(radius, static_cast<double>(right_ - left_)) / 2),
          ry_(std::min<double>(radius, static_cast<double>(bottom_ - top_)) / 2)
    {
    }

    // The pixels of row y inside the shape (empty outside its rows).
    TSpan Row(int64_t y) const
    {
        if (y < top_ || y >= bottom_) return {};
        const double centre = static_cast<double>(y) + 0.5;
        double dy = 0;
        if (centre < top_ + ry_)
            dy = top_ + ry_ - centre;
        else if (centre > bottom_ - ry_)
            dy = centre - (bottom_ - ry_);
        int64_t inset = 0;
        if (dy > 0 && ry_ > 0) {
            const double t = dy / ry_;
            inset = t >= 1 ? static_cast<int64_t>(std::llround(rx_)) : static_cast<int64_t>(std::llround(rx_ - rx_ * std::sqrt(1 - t * t)));
        }
        return {left_ + inset, right_ - inset};
    }

private:
    int64_t left_, top_, right_, bottom_;
    double rx_, ry_;
};

void DrawRoundRect(TBitmap32& bitmap, const TRect& rect, int radius, const TColor32* brush, const TColor32* pen)
{
    if (rect.IsEmpty()) return;
    const TRect clip = bitmap.ClipRect();
    const int64_t first = std::max<int64_t>(rect.Top, clip.Top);
    const int64_t last = std::min<int64_t>(rect.Bottom, clip.Bottom);
    const TRoundRectShape shape(rect, radius);
    for (int64_t y = first; y < last; ++y) {
        const TSpan row = shape.Row(y);
        if (row.Empty()) continue;
        if (!pen) {
            FillSpan(bitmap, y, row, *brush);
            continue;
        }
        // A pixel of the outline has a neighbour outside the shape.
        const TSpan above = shape.Row(y - 1);
        const TSpan below = shape.Row(y + 1);
        if (above.Empty() || below.Empty()) {
            FillSpan(bitmap, y, row, *pen);
            continue;
        }
        const int64_t innerLeft = std::min(row.Right, std::max({row.Left + 1, above.Left, below.Left}));
        const int64_t innerRight = std::max(innerLeft, std::min({row.Right - 1, above.Right, below.Right}));
        FillSpan(bitmap, y, {row.Left, innerLeft}, *pen);
        if (brush) FillSpan(bitmap, y, {innerLeft, innerRight}, *brush);
        FillSpan(bitmap, y, {innerRight, row.Right}, *pen);
    }
}

// Inverts the colour of every pixel of the segment whose x + y + phase is even.
void InvertDots(TBitmap32& bitmap, int64_t left, int64_t top, int64_t right, int64_t bottom, int64_t phase)
{
    const TRect clip = bitmap.ClipRect();
    left = std::max<int64_t>(left, clip.Left);
    top = std::max<int64_t>(top, clip.Top);
    right = std::min<int64_t>(right, clip.Right);
    bottom = std::min<int64_t>(bottom, clip.Bottom);
    for (int64_t y = top; y < bottom; ++y) {
        TColor32* line = bitmap.ScanLine(static_cast<int>(y));
        for (int64_t x = left + ((left + y + phase) & 1); x < right; x += 2) line[x] ^= 0x00FFFFFFu;
    }
}

// The rectangle grown by d pixels on each side, its edges kept in the int range.
TRect Inflate(const TRect& r, int d)
{
    auto clamp = [](int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); };
    return {clamp(int64_t{r.Left} - d), clamp(int64_t{r.Top} - d), clamp(int64_t{r.Right} + d), clamp(int64_t{r.Bottom} + d)};
}

} // namespace

void TCustomSheetCanvas::DrawRectangle(const TRect& rect, int radius, TColor brushColor, TColor penColor)
{
    if (!buffer_) return;
    TRect r = ToBuffer(rect);
    const TColor32 brush = brushColor == clNone ? 0 : ColorToColor32(brushColor);
    const TColor32 pen = penColor == clNone ? 0 : ColorToColor32(penColor);
    if (radius > 0) {
        if (brushColor == clNone && penColor == clNone) return;
        DrawRoundRect(*buffer_, r, radius, brushColor == clNone ? nullptr : &brush, penColor == clNone ? nullptr : &pen);
        return;
    }
    if (penColor != clNone) {
        buffer_->FrameRect(r, pen);
        r = Inflate(r, -1);
    }
    if (brushColor != clNone) buffer_->FillRect(r, brush);
}

void TCustomSheetCanvas::DrawFocusRect(const TRect& rect)
{
    if (!buffer_ || rect.IsEmpty()) return;
    // In 64 bits: the rectangle's edges in buffer pixels, and the parity of the sheet.
    const int64_t dx = offsetX_ - origin_.X;
    const int64_t dy = offsetY_ - origin_.Y;
    const int64_t left = rect.Left + dx;
    const int64_t top = rect.Top + dy;
    const int64_t right = rect.Right + dx;
    const int64_t bottom = rect.Bottom + dy;
    const int64_t phase = int64_t{origin_.X} + origin_.Y;
    InvertDots(*buffer_, left, top, right, top + 1, phase);
    if (bottom - 1 > top) InvertDots(*buffer_, left, bottom - 1, right, bottom, phase);
    InvertDots(*buffer_, left, top + 1, left + 1, bottom - 1, phase);
    if (right - 1 > left) InvertDots(*buffer_, right - 1, top + 1, right, bottom - 1, phase);
}

void TCustomSheetCanvas::DrawThickFocusRect(const TRect& rect)
{
    DrawFocusRect(rect);
    const TRect inner = Inflate(rect, -1);
    if (!inner.IsEmpty()) DrawFocusRect(inner);
}

void TCustomSheetCanvas::DrawBitmap(int x, int y, const TBitmap32& bitmap)
{
    if (!buffer_) return;
    const TPoint at = ToBuffer(x, y);
    buffer_->Draw(at.X, at.Y, bitmap);
}

void TCustomSheetCanvas::DrawImageListImage(TSheetThemeImage size, int x, int y, int index)
{
    const TCanvasImageLists* lists = FindService<TCanvasImageLists>();
    if (!buffer_ || !lists) return;
    if (const TBitmap32* image = lists->GetImage(size, index)) DrawBitmap(x, y, *image);
}

void TCustomSheetCanvas::DrawCharImage(int x, int y, int index)
{
    DrawImageListImage(stiChar, x, y, index);
}

void TCustomSheetCanvas::DrawSmallImage(int x, int y, int index)
{
    DrawImageListImage(stiSmall, x, y, index);
}

void TCustomSheetCanvas::DrawLargeImage(int x, int y, int index)
{
    DrawImageListImage(stiLarge, x, y, index);
}

} // namespace quillora
