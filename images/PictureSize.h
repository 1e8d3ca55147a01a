#pragma once
// Reading a picture's size from the start of its data without decoding it (the image
// elements use this when no preview can be made). Each reader is bounded by the data: a
// short or malformed header, or a zero width or height, gives false.

#include <cstddef>
#include <cstdint>

#include "images/UniversalImage.h"

namespace quillora {

// "BM", then the information header's width and the absolute value of its height.
bool ReadBmpSize(const uint8_t* data, size_t size, TPictureSize& result);
// The icon or cursor directory: the widest entry's width byte, and its height byte
// (icons, `useHeight`) or its width byte again (cursors).
bool ReadIconSize(const uint8_t* data, size_t size, bool useHeight, TPictureSize& result);
// FF D8, then marker segments up to FF D9; the size from the first FF C0 or FF C2 segment.
// A segment length below 2 (which would not move on) ends the search with false.
bool ReadJpegSize(const uint8_t* data, size_t size, TPictureSize& result);
// GIF: the logical screen size after the 6-byte signature.
bool ReadGifSize(const uint8_t* data, size_t size, TPictureSize& result);
// PNG: the IHDR width and height (big-endian, after 16 bytes); sizes above 2^31 - 1 fail.
bool ReadPngSize(const uint8_t* data, size_t size, TPictureSize& result);

} // namespace quillora
