// The transfers of TBitmap32: block, stretch and tile.

#include <algorithm>
#include <vector>

#include "render/Bitmap32.h"
#include "render/RasterDetail.h"

namespace quillora {

using raster_detail::TransferLine;
using raster_detail::TSpan;

namespace {

// floor((2 offset + 1) * sourceSize / (2 destSize)): the source index whose pixel the
// centre of destination pixel `offset` falls on. All three may be up to 2^32.
int64_t SampleIndex(int64_t offset, int64_t sourceSize, int64_t destSize)
{
#ifdef __SIZEOF_INT128__
    return static_cast<int64_t>((static_cast<__int128>(2 * offset + 1) * sourceSize) / (2 * static_cast<__int128>(destSize)));
#else
    // Without a 128-bit type (MSVC): the product as two 64-bit halves, divided bit by bit.
    // Offsets and sizes are never negative here.
    const uint64_t a = static_cast<uint64_t>(2 * offset + 1), b = static_cast<uint64_t>(sourceSize);
    const uint64_t d = 2 * static_cast<uint64_t>(destSize);
    const uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32, bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
    const uint64_t lolo = aLo * bLo, lohi = aLo * bHi, hilo = aHi * bLo, hihi = aHi * bHi;
    const uint64_t middle = (lolo >> 32) + (lohi & 0xFFFFFFFFu) + (hilo & 0xFFFFFFFFu);
    uint64_t hi = hihi + (lohi >> 32) + (hilo >> 32) + (middle >> 32);
    uint64_t lo = (middle << 32) | (lolo & 0xFFFFFFFFu);
    uint64_t quotient = 0, remainder = 0;
    for (int bit = 127; bit >= 0; --bit) {
        const uint64_t next = bit >= 64 ? (hi >> (bit - 64)) & 1 : (lo >> bit) & 1;
        const bool carry = (remainder >> 63) != 0;
        remainder = (remainder << 1) | next;
        if (carry || remainder >= d) {
            remainder -= d;
            if (bit < 64) quotient |= uint64_t{1} << bit;
        }
    }
    return static_cast<int64_t>(quotient);
#endif
}

} // namespace

void TBitmap32::Draw(int x, int y, const TBitmap32& source)
{
    Draw(x, y, source.BoundsRect(), source);
}

void TBitmap32::Draw(int x, int y, const TRect& sourceRect, const TBitmap32& source)
{
    if (&source == this) {
        TBitmap32 copy;
        copy.Assign(source);
        Draw(x, y, sourceRect, copy);
        return;
    }
    // The source part inside the source, moved to the destination and cut to the clip.
    const TSpan src = TSpan::Of(sourceRect).Intersect(TSpan::Of(source.BoundsRect()));
    if (src.IsEmpty())
        return;
    const int64_t dx = int64_t{x} - sourceRect.Left;
    const int64_t dy = int64_t{y} - sourceRect.Top;
    const TSpan dst = TSpan{src.Left + dx, src.Top + dy, src.Right + dx, src.Bottom + dy}.Intersect(TSpan::Of(clip_));
    if (dst.IsEmpty())
        return;
    const size_t count = static_cast<size_t>(dst.Width());
    for (int64_t row = dst.Top; row < dst.Bottom; ++row) {
        const TColor32* from = source.ScanLine(static_cast<int>(row - dy)) + (dst.Left - dx);
        TransferLine(source, from, ScanLine(static_cast<int>(row)) + dst.Left, count);
    }
}

void TBitmap32::Draw(const TRect& rect, const TRect& sourceRect, const TBitmap32& source)
{
    const TSpan d = TSpan::Of(rect);
    const TSpan s = TSpan::Of(sourceRect);
    if (d.IsEmpty() || s.IsEmpty())
        return;
    if (d.Width() == s.Width() && d.Height() == s.Height()) {
        Draw(rect.Left, rect.Top, sourceRect, source);
        return;
    }
    if (&source == this) {
        TBitmap32 copy;
        copy.Assign(source);
        Draw(rect, sourceRect, copy);
        return;
    }
    TSpan visible = d.Intersect(TSpan::Of(clip_));
    if (visible.IsEmpty())
        return;

    // Source column of every visible destination column; samples outside the source lie
    // at the two ends only, as the mapping is monotonic.
    std::vector<int> columns;
    columns.reserve(static_cast<size_t>(visible.Width()));
    int64_t first = visible.Right;
    for (int64_t x = visible.Left; x < visible.Right; ++x) {
        const int64_t sx = s.Left + SampleIndex(x - d.Left, s.Width(), d.Width());
        if (sx < 0 || sx >= source.Width()) {
            if (!columns.empty())
                break;
            continue;
        }
        if (columns.empty())
            first = x;
        columns.push_back(static_cast<int>(sx));
    }
    if (columns.empty())
        return;
    visible.Left = first;
    visible.Right = first + static_cast<int64_t>(columns.size());
    const bool sameWidth = d.Width() == s.Width();

    std::vector<TColor32> row(columns.size());
    int64_t rowSource = -1;
    for (int64_t y = visible.Top; y < visible.Bottom; ++y) {
        const int64_t sy = s.Top + SampleIndex(y - d.Top, s.Height(), d.Height());
        if (sy < 0 || sy >= source.Height())
            continue;
        const TColor32* sourceRow = source.ScanLine(static_cast<int>(sy));
        const TColor32* from = sourceRow + columns.front();
        if (!sameWidth) {
            if (sy != rowSource) {
                for (size_t i = 0; i < columns.size(); ++i)
                    row[i] = sourceRow[columns[i]];
                rowSource = sy;
            }
            from = row.data();
        }
        TransferLine(source, from, ScanLine(static_cast<int>(y)) + visible.Left, columns.size());
    }
}

void TBitmap32::Tile(const TRect& rect, const TRect& sourceRect, const TBitmap32& source)
{
    if (&source == this) {
        TBitmap32 copy;
        copy.Assign(source);
        Tile(rect, sourceRect, copy);
        return;
    }
    const TSpan s = TSpan::Of(sourceRect).Intersect(TSpan::Of(source.BoundsRect()));
    const TSpan d = TSpan::Of(rect);
    const TSpan visible = d.Intersect(TSpan::Of(clip_));
    if (s.IsEmpty() || visible.IsEmpty())
        return;
    const int64_t tileWidth = s.Width();
    const int64_t tileHeight = s.Height();
    const int64_t startColumn = (visible.Left - d.Left) % tileWidth;
    const size_t count = static_cast<size_t>(visible.Width());
    // Narrow tiles are first repeated into rows as wide as the visible part, so that each
    // row is one transfer; one such row per tile row when they fit in 4 MiB, else one.
    const bool narrow = tileWidth < 64 && visible.Width() > tileWidth;
    const int64_t slots = !narrow ? 0 : (tileHeight * static_cast<int64_t>(count) <= (int64_t{1} << 20) ? tileHeight : 1);
    std::vector<TColor32> patterns(static_cast<size_t>(slots) * count);
    std::vector<int64_t> slotSource(static_cast<size_t>(slots), -1);
    for (int64_t y = visible.Top; y < visible.Bottom; ++y) {
        const int64_t sy = s.Top + (y - d.Top) % tileHeight;
        const TColor32* sourceRow = source.ScanLine(static_cast<int>(sy)) + s.Left;
        TColor32* target = ScanLine(static_cast<int>(y)) + visible.Left;
        if (narrow) {
            const size_t slot = slots == 1 ? 0 : static_cast<size_t>(sy - s.Top);
            TColor32* pattern = patterns.data() + slot * count;
            if (slotSource[slot] != sy) {
                int64_t column = startColumn;
                for (size_t i = 0; i < count; ++i) {
                    pattern[i] = sourceRow[column];
                    if (++column == tileWidth)
                        column = 0;
                }
                slotSource[slot] = sy;
            }
            TransferLine(source, pattern, target, count);
            continue;
        }
        int64_t column = startColumn;
        for (size_t x = 0; x < count;) {
            const size_t part = static_cast<size_t>(std::min<int64_t>(tileWidth - column, static_cast<int64_t>(count - x)));
            TransferLine(source, sourceRow + column, target + x, part);
            x += part;
            column = 0;
        }
    }
}

} // namespace quillora
