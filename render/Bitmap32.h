#pragma once
// TBitmap32: a bitmap of 32-bit ARGB pixels with straight alpha (render/Color32.h), rows
// top-down without padding.
//
// Every drawing operation is clipped to the clip rectangle (at most the bitmap's bounds);
// rectangles that lie outside, are empty or have negative sizes draw nothing, and any
// coordinates of the int range are safe. When the bitmap is the source of a transfer its
// draw mode decides how its pixels land: dmOpaque copies them as they are (alpha
// included), dmBlend combines them with the destination by its combine mode (Blend or
// Merge, render/Blend.h).
//
// Platform drawing (text through a device context on Windows) reaches the pixels when the
// bitmap's memory is a TBitmapStorage that the platform supplies (render/win32).

#include <cstdint>
#include <memory>

#include "foundation/Geometry.h"
#include "render/Color32.h"

namespace quillora {

enum TDrawMode { dmOpaque, dmBlend };
enum TCombineMode { cmBlend, cmMerge };

// The pixel memory of a bitmap.
class TBitmapStorage {
public:
    virtual ~TBitmapStorage() = default;
    // Replaces the memory by memory for width x height pixels (both above 0) and returns its
    // first pixel; the content is undefined. On failure the old memory stays and the error
    // passes on.
    virtual TColor32* Allocate(int width, int height) = 0;
    // Frees the memory.
    virtual void Release() = 0;
    // Completes pending platform drawing; called before the pixels are read or written.
    virtual void Synchronize() {}
    // Where platform drawing through the storage's own drawing context (a device context
    // on Windows) puts the point (0, 0) of its coordinates: on the pixel `origin`. Pixel
    // access is not affected; a storage without such a context ignores it.
    virtual void SetDrawingOrigin(TPoint origin) {}
};

// Plain heap memory, the default storage.
std::unique_ptr<TBitmapStorage> NewHeapStorage();

class TBitmap32 {
public:
    // The largest number of pixels a bitmap may hold (1 GiB of pixel data).
    static constexpr int64_t MaxPixels = int64_t{1} << 28;

    TBitmap32();
    TBitmap32(int width, int height);
    ~TBitmap32();
    TBitmap32(const TBitmap32&) = delete;
    TBitmap32& operator=(const TBitmap32&) = delete;

    // A new size clears every pixel to 0 (transparent) and resets the clip rectangle;
    // negative sizes count as 0. More than MaxPixels, or memory that cannot be had, raise
    // an Exception and leave the bitmap as it was. The same size changes nothing.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    TRect BoundsRect() const { return {0, 0, width_, height_}; }

    TRect ClipRect() const { return clip_; }
    // Sets the clip rectangle to rect cut to the bounds.
    void SetClipRect(const TRect& rect);
    void ResetClipRect() { clip_ = BoundsRect(); }

    TDrawMode DrawMode() const { return drawMode_; }
    void SetDrawMode(TDrawMode mode) { drawMode_ = mode; }
    TCombineMode CombineMode() const { return combineMode_; }
    void SetCombineMode(TCombineMode mode) { combineMode_ = mode; }
    // The colour that reading a pixel outside the bitmap gives.
    TColor32 OuterColor() const { return outerColor_; }
    void SetOuterColor(TColor32 color) { outerColor_ = color; }

    // The pixels (null when empty), after pending platform drawing has completed.
    TColor32* Bits();
    const TColor32* Bits() const;
    // Row y (0 <= y < Height()).
    TColor32* ScanLine(int y) { return Bits() + static_cast<int64_t>(y) * width_; }
    const TColor32* ScanLine(int y) const { return Bits() + static_cast<int64_t>(y) * width_; }

    // The pixel at (x, y), or the outer colour outside the bitmap.
    TColor32 Pixel(int x, int y) const;
    // Writes the pixel as it is; ignored outside the clip rectangle.
    void SetPixel(int x, int y, TColor32 color);

    // Sets every pixel, whatever the clip rectangle.
    void Clear(TColor32 color);
    // Writes color into every pixel of rect.
    void FillRect(const TRect& rect, TColor32 color);
    // Combines color over rect by this bitmap's combine mode; an opaque colour fills, a
    // fully transparent one draws nothing.
    void FillRectBlend(const TRect& rect, TColor32 color);
    // Writes color into the one-pixel outline of rect.
    void FrameRect(const TRect& rect, TColor32 color);
    // Sets the alpha of every pixel of rect (platform drawing leaves an alpha of 0).
    void ResetAlpha(const TRect& rect, uint8_t alpha = 0xFF);

    // Block transfer: the whole of source with its top-left corner at (x, y).
    void Draw(int x, int y, const TBitmap32& source);
    // Block transfer: sourceRect of source with its top-left corner at (x, y). Parts of
    // sourceRect outside the source are not drawn.
    void Draw(int x, int y, const TRect& sourceRect, const TBitmap32& source);
    // Stretch transfer with nearest-neighbour sampling: destination pixel (x, y) shows the
    // source pixel at the same relative position of its centre,
    //   sx = sourceRect.Left + floor((2 (x - rect.Left) + 1) * sourceWidth / (2 * rectWidth)),
    // and likewise for y. Destination pixels whose sample lies outside the source are not
    // drawn. Equal sizes make a block transfer.
    void Draw(const TRect& rect, const TRect& sourceRect, const TBitmap32& source);
    // Tiles of sourceRect (first cut to the source) laid over rect from its top-left
    // corner rightwards and downwards; the last tiles are cut to rect.
    void Tile(const TRect& rect, const TRect& sourceRect, const TBitmap32& source);

    // Makes this bitmap a copy of source: size, pixels, modes and outer colour.
    void Assign(const TBitmap32& source);

    TBitmapStorage& Storage() const { return *storage_; }
    // Moves the pixels into new memory (the heap when storage is null).
    void SetStorage(std::unique_ptr<TBitmapStorage> storage);

private:
    void Synchronize() const { storage_->Synchronize(); }

    std::unique_ptr<TBitmapStorage> storage_;
    TColor32* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    TRect clip_;
    TDrawMode drawMode_ = dmOpaque;
    TCombineMode combineMode_ = cmBlend;
    TColor32 outerColor_ = 0;
};

} // namespace quillora
