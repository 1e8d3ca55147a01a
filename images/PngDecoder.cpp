#ifndef _WIN32
// The native platform decoder: PNG through libpng. Other formats are not available in the
// native build and fail with an error.
#include <png.h>

#include <cstring>
#include <string>

#include "foundation/Exceptions.h"
#include "images/ByteReader.h"
#include "images/PngDecoder.h"

namespace quillora {

namespace {

const uint8_t PngSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};

[[noreturn]] void RaisePngError(const char* message)
{
    throw Exception(u"Invalid PNG image (" + AsciiToString(message) + u")");
}

// The bytes of all IDAT chunks. Deflate expands at most 1032-fold, so this bounds how many
// pixels the file can really hold, before a frame of the header's size is allocated.
uint64_t CompressedImageBytes(const uint8_t* data, size_t size)
{
    TByteReader reader(data, size, 8);
    uint64_t total = 0;
    while (reader.CanRead(12)) {
        uint32_t length = reader.U32BE();
        const uint8_t* type = reader.Take(4);
        if (std::memcmp(type, "IDAT", 4) == 0) total += length;
        if (std::memcmp(type, "IEND", 4) == 0 || !reader.CanRead(uint64_t(length) + 4)) break;
        reader.Skip(uint64_t(length) + 4);
    }
    return total;
}

// The pixel bytes that the IHDR chunk announces (without the filter bytes of the rows, so
// that interlaced images are not over-counted).
uint64_t RawImageBytes(const uint8_t* data, size_t size)
{
    if (size < 8 + 8 + 13) return 0;
    TByteReader reader(data, size, 16);
    uint64_t width = reader.U32BE(), height = reader.U32BE();
    uint8_t bitDepth = reader.U8(), colorType = reader.U8();
    uint64_t channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
    return height * ((width * channels * bitDepth + 7) / 8);
}

} // namespace

void TPngDecoder::Decode(TMemoryStream& stream, TFrame& frame)
{
    const uint8_t* data = stream.Data() + stream.Position();
    size_t size = stream.Size() - stream.Position();
    if (size < 8 || std::memcmp(data, PngSignature, 8) != 0)
        throw Exception(u"Unsupported picture format (only PNG can be decoded here)");

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) RaisePngError(image.message);
    // BGRA in memory is the frame's ARGB in a little-endian 32-bit word.
    image.format = PNG_FORMAT_BGRA;
    uint64_t pixels = uint64_t(image.width) * image.height;
    if (pixels > MaxFramePixels || RawImageBytes(data, size) / 1032 > CompressedImageBytes(data, size) + 64) {
        png_image_free(&image);
        RaisePngError("the image data is too short for its size");
    }
    frame.SetSize(int(image.width), int(image.height));
    if (!png_image_finish_read(&image, nullptr, frame.Pixels().data(), 0, nullptr)) {
        std::string message = image.message;
        frame.SetSize(0, 0);
        RaisePngError(message.c_str());
    }
    stream.SetPosition(stream.Size());
}

void TPngDecoder::Encode(const TFrame& frame, TPictureEncoder encoder, TMemoryStream& target)
{
    if (encoder != pePng) throw Exception(u"Unsupported picture format (only PNG can be encoded here)");
    if (frame.Empty()) throw Exception(u"An empty picture cannot be encoded");
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(frame.Width());
    image.height = png_uint_32(frame.Height());
    image.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    const void* pixels = frame.Pixels().data();
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, nullptr)) RaisePngError(image.message);
    size_t start = target.Size();
    target.SetSize(start + size);
    if (!png_image_write_to_memory(&image, target.Data() + start, &size, 0, pixels, 0, nullptr)) {
        target.SetSize(start);
        RaisePngError(image.message);
    }
    target.SetSize(start + size);
    target.SetPosition(target.Size());
}

} // namespace quillora
#endif
