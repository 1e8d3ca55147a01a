#pragma once
// One frame of a picture: a plain 32-bit ARGB pixel buffer (alpha in the top byte, then
// red, green, blue; top row first, no row padding). The raster bitmaps are built from it.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillora {

// The largest frame any codec creates (16384 x 16384 pixels, 1 GiB): a bound on what a
// picture header may ask for, so that a malformed size fails instead of exhausting memory.
constexpr uint64_t MaxFramePixels = uint64_t(1) << 28;

constexpr uint32_t MakeArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

class TFrame {
public:
    TFrame() = default;
    TFrame(int width, int height) { SetSize(width, height); }

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // Resizes to width x height with every pixel 0 (transparent black). A negative size,
    // or one above MaxFramePixels, throws Exception; either side 0 gives an empty frame.
    void SetSize(int width, int height);

    uint32_t* Row(int y) { return pixels_.data() + size_t(y) * size_t(width_); }
    const uint32_t* Row(int y) const { return pixels_.data() + size_t(y) * size_t(width_); }
    uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    void SetPixel(int x, int y, uint32_t argb) { Row(y)[x] = argb; }

    std::vector<uint32_t>& Pixels() { return pixels_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }

    bool operator==(const TFrame& other) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

} // namespace quillora
