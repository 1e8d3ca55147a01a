#include "elements/WaveFormat.h"

namespace quillora {

namespace {
uint32_t U32(std::string_view bytes, size_t at)
{
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
    return b(0) | (b(1) << 8) | (b(2) << 16) | (b(3) << 24);
}

uint32_t U16(std::string_view bytes, size_t at)
{
    auto b = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
    return b(0) | (b(1) << 8);
}

constexpr uint32_t PcmFormatTag = 1;
} // namespace

bool ReadWaveFormat(std::string_view bytes, TWaveFormat& format)
{
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return false;
    const uint64_t end = 8 + static_cast<uint64_t>(U32(bytes, 4));
    if (end > bytes.size()) return false;

    TWaveFormat read;
    bool haveFormat = false;
    uint64_t at = 12;
    while (at + 8 <= end) {
        const std::string_view id = bytes.substr(static_cast<size_t>(at), 4);
        const uint64_t size = U32(bytes, static_cast<size_t>(at + 4));
        const uint64_t body = at + 8;
        if (body + size > end) return false;
        if (id == "fmt ") {
            if (size < 16) return false;
            const size_t f = static_cast<size_t>(body);
            const uint32_t tag = U16(bytes, f), channels = U16(bytes, f + 2), rate = U32(bytes, f + 4),
                           byteRate = U32(bytes, f + 8), blockAlign = U16(bytes, f + 12), bits = U16(bytes, f + 14);
            if (tag != PcmFormatTag || channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 1 ||
                rate > 192000 || blockAlign != channels * bits / 8 || byteRate != rate * blockAlign)
                return false;
            read.Channels = static_cast<int>(channels);
            read.SamplesPerSecond = static_cast<int>(rate);
            read.BitsPerSample = static_cast<int>(bits);
            haveFormat = true;
        } else if (id == "data") {
            const uint32_t frame = static_cast<uint32_t>(read.Channels * read.BitsPerSample / 8);
            if (!haveFormat || size == 0 || size % frame != 0) return false;
            read.DataBytes = static_cast<uint32_t>(size);
            format = read;
            return true;
        }
        at = body + size + (size & 1); // chunks start on even offsets
    }
    return false;
}

} // namespace quillora
