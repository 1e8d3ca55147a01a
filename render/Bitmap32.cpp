#include "render/Bitmap32.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "foundation/Exceptions.h"
#include "render/Blend.h"
#include "render/RasterDetail.h"

namespace quillora {

using raster_detail::TSpan;

namespace {

class THeapStorage final : public TBitmapStorage {
public:
    TColor32* Allocate(int width, int height) override
    {
        pixels_ = std::make_unique_for_overwrite<TColor32[]>(static_cast<size_t>(width) * static_cast<size_t>(height));
        return pixels_.get();
    }
    void Release() override { pixels_.reset(); }

private:
    std::unique_ptr<TColor32[]> pixels_;
};

String SizeText(int width, int height)
{
    return AsciiToString(std::to_string(width) + " x " + std::to_string(height));
}

} // namespace

std::unique_ptr<TBitmapStorage> NewHeapStorage()
{
    return std::make_unique<THeapStorage>();
}

namespace raster_detail {

void CopyLine(const TColor32* src, TColor32* dst, size_t count)
{
    // Blocks of fixed size become plain vector moves; the library's memmove of rows slows
    // down several times when the target lies a few bytes past the source modulo 4 KiB.
    size_t i = 0;
    for (; i + 16 <= count; i += 16)
        std::memcpy(dst + i, src + i, 16 * sizeof(TColor32));
    for (; i < count; ++i)
        dst[i] = src[i];
}

void TransferLine(const TBitmap32& source, const TColor32* src, TColor32* dst, size_t count)
{
    if (source.DrawMode() == dmOpaque)
        CopyLine(src, dst, count);
    else if (source.CombineMode() == cmBlend)
        BlendLine(src, dst, count);
    else
        MergeLine(src, dst, count);
}

} // namespace raster_detail

TBitmap32::TBitmap32() : storage_(NewHeapStorage()) {}

TBitmap32::TBitmap32(int width, int height) : TBitmap32()
{
    SetSize(width, height);
}

TBitmap32::~TBitmap32() = default;

void TBitmap32::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0)
        width = height = 0;
    if (width == width_ && height == height_)
        return;
    if (width == 0) {
        storage_->Release();
        bits_ = nullptr;
    } else {
        if (static_cast<int64_t>(width) * height > MaxPixels)
            throw Exception(AsciiToString("The bitmap size ") + SizeText(width, height) + AsciiToString(" is too large"));
        try {
            bits_ = storage_->Allocate(width, height);
        } catch (const std::bad_alloc&) {
            throw Exception(AsciiToString("Not enough memory for a bitmap of ") + SizeText(width, height));
        }
        std::fill_n(bits_, static_cast<size_t>(width) * static_cast<size_t>(height), TColor32{0});
    }
    width_ = width;
    height_ = height;
    clip_ = BoundsRect();
}

void TBitmap32::SetClipRect(const TRect& rect)
{
    const TSpan r = TSpan::Of(rect).Intersect(TSpan::Of(BoundsRect()));
    clip_ = r.IsEmpty() ? TRect{} : TRect{static_cast<int>(r.Left), static_cast<int>(r.Top), static_cast<int>(r.Right), static_cast<int>(r.Bottom)};
}

TColor32* TBitmap32::Bits()
{
    Synchronize();
    return bits_;
}

const TColor32* TBitmap32::Bits() const
{
    Synchronize();
    return bits_;
}

TColor32 TBitmap32::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return outerColor_;
    return ScanLine(y)[x];
}

void TBitmap32::SetPixel(int x, int y, TColor32 color)
{
    if (clip_.Contains({x, y}))
        ScanLine(y)[x] = color;
}

void TBitmap32::Clear(TColor32 color)
{
    if (!Empty())
        std::fill_n(Bits(), static_cast<size_t>(width_) * static_cast<size_t>(height_), color);
}

void TBitmap32::FillRect(const TRect& rect, TColor32 color)
{
    const TSpan r = TSpan::Of(rect).Intersect(TSpan::Of(clip_));
    if (r.IsEmpty())
        return;
    for (int64_t y = r.Top; y < r.Bottom; ++y)
        std::fill_n(ScanLine(static_cast<int>(y)) + r.Left, r.Width(), color);
}

void TBitmap32::FillRectBlend(const TRect& rect, TColor32 color)
{
    const uint32_t alpha = AlphaOf(color);
    if (alpha == 0)
        return;
    if (alpha == 255) {
        FillRect(rect, color);
        return;
    }
    const TSpan r = TSpan::Of(rect).Intersect(TSpan::Of(clip_));
    if (r.IsEmpty())
        return;
    const std::vector<TColor32> row(static_cast<size_t>(r.Width()), color);
    for (int64_t y = r.Top; y < r.Bottom; ++y) {
        TColor32* dst = ScanLine(static_cast<int>(y)) + r.Left;
        if (combineMode_ == cmBlend)
            BlendLine(row.data(), dst, row.size());
        else
            MergeLine(row.data(), dst, row.size());
    }
}

void TBitmap32::FrameRect(const TRect& rect, TColor32 color)
{
    if (rect.IsEmpty())
        return;
    FillRect({rect.Left, rect.Top, rect.Right, rect.Top + 1}, color);
    FillRect({rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom}, color);
    FillRect({rect.Left, rect.Top, rect.Left + 1, rect.Bottom}, color);
    FillRect({rect.Right - 1, rect.Top, rect.Right, rect.Bottom}, color);
}

void TBitmap32::ResetAlpha(const TRect& rect, uint8_t alpha)
{
    const TSpan r = TSpan::Of(rect).Intersect(TSpan::Of(clip_));
    if (r.IsEmpty())
        return;
    for (int64_t y = r.Top; y < r.Bottom; ++y) {
        TColor32* row = ScanLine(static_cast<int>(y));
        for (int64_t x = r.Left; x < r.Right; ++x)
            row[x] = WithAlpha(row[x], alpha);
    }
}

void TBitmap32::Assign(const TBitmap32& source)
{
    if (&source == this)
        return;
    SetSize(source.width_, source.height_);
    if (!Empty())
        std::memcpy(Bits(), source.Bits(), static_cast<size_t>(width_) * static_cast<size_t>(height_) * sizeof(TColor32));
    clip_ = BoundsRect();
    drawMode_ = source.drawMode_;
    combineMode_ = source.combineMode_;
    outerColor_ = source.outerColor_;
}

void TBitmap32::SetStorage(std::unique_ptr<TBitmapStorage> storage)
{
    if (!storage)
        storage = NewHeapStorage();
    if (!Empty()) {
        TColor32* bits = storage->Allocate(width_, height_);
        std::memcpy(bits, Bits(), static_cast<size_t>(width_) * static_cast<size_t>(height_) * sizeof(TColor32));
        bits_ = bits;
    }
    storage_ = std::move(storage);
}

} // namespace quillora
