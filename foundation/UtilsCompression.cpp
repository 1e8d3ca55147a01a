// Stream compression in the zlib format (RFC 1950) at the default level.
#include <zlib.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "foundation/Exceptions.h"
#include "foundation/Utils.h"

namespace quillora {

namespace {

constexpr size_t ChunkSize = 64 * 1024;
// zlib counts in 32-bit units: feed large inputs in pieces.
constexpr size_t MaxFeed = std::numeric_limits<uInt>::max();

// Puts `bytes` into `dest` at its position, then rewinds `dest`.
void PutAndRewind(const std::vector<uint8_t>& bytes, TMemoryStream& dest)
{
    dest.Write(bytes.data(), bytes.size());
    dest.SetPosition(0);
}

} // namespace

void CompressStream(const TMemoryStream& source, TMemoryStream& dest)
{
    if (source.Size() == 0) return;
    z_stream z{};
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) throw Exception(u"Cannot start the compression");
    std::vector<uint8_t> out;
    out.reserve(source.Size());
    const uint8_t* in = source.Data();
    size_t left = source.Size();
    int status = Z_OK;
    do {
        if (z.avail_in == 0 && left > 0) {
            size_t feed = std::min(left, MaxFeed);
            z.next_in = const_cast<Bytef*>(in);
            z.avail_in = static_cast<uInt>(feed);
            in += feed;
            left -= feed;
        }
        size_t used = out.size();
        out.resize(used + ChunkSize);
        z.next_out = out.data() + used;
        z.avail_out = static_cast<uInt>(ChunkSize);
        status = deflate(&z, left == 0 ? Z_FINISH : Z_NO_FLUSH);
        out.resize(used + ChunkSize - z.avail_out);
    } while (status == Z_OK || status == Z_BUF_ERROR);
    deflateEnd(&z);
    if (status != Z_STREAM_END) throw Exception(u"Error compressing data");
    PutAndRewind(out, dest);
}

void DecompressStream(const TMemoryStream& source, TMemoryStream& dest, size_t maxSize)
{
    if (source.Size() == 0) return;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) throw Exception(u"Cannot start the decompression");
    std::vector<uint8_t> out;
    const uint8_t* in = source.Data();
    size_t left = source.Size();
    int status = Z_OK;
    for (;;) {
        if (z.avail_in == 0 && left > 0) {
            size_t feed = std::min(left, MaxFeed);
            z.next_in = const_cast<Bytef*>(in);
            z.avail_in = static_cast<uInt>(feed);
            in += feed;
            left -= feed;
        }
        size_t used = out.size();
        out.resize(used + ChunkSize);
        z.next_out = out.data() + used;
        z.avail_out = static_cast<uInt>(ChunkSize);
        status = inflate(&z, Z_NO_FLUSH);
        out.resize(used + ChunkSize - z.avail_out);
        if (out.size() > maxSize) {
            inflateEnd(&z);
            throw Exception(u"The compressed data is too large");
        }
        if (status == Z_STREAM_END) break;
        if (status == Z_BUF_ERROR && z.avail_in == 0 && left == 0) break; // input ended early
        if (status != Z_OK && status != Z_BUF_ERROR) break;
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) throw Exception(u"The compressed data is damaged");
    PutAndRewind(out, dest);
}

} // namespace quillora
