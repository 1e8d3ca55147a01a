#pragma once
// A bounded reader over bytes in memory, used by the picture codecs: every read checks what
// is left and fails with "Stream read error" instead of reading past the end.

#include <cstddef>
#include <cstdint>

#include "foundation/Exceptions.h"
#include "foundation/Strings.h"

namespace quillora {

[[noreturn]] inline void RaiseStreamReadError()
{
    throw Exception(u"Stream read error");
}

class TByteReader {
public:
    TByteReader(const uint8_t* data, size_t size, size_t position = 0)
        : data_(data), size_(size), position_(position < size ? position : size) {}

    size_t Position() const { return position_; }
    size_t Size() const { return size_; }
    size_t Remaining() const { return size_ - position_; }
    bool CanRead(uint64_t count) const { return count <= Remaining(); }

    // The next `count` bytes, advancing past them.
    const uint8_t* Take(uint64_t count)
    {
        if (!CanRead(count)) RaiseStreamReadError();
        const uint8_t* at = data_ + position_;
        position_ += size_t(count);
        return at;
    }
    void Skip(uint64_t count) { Take(count); }

    uint8_t U8() { return *Take(1); }
    uint16_t U16LE()
    {
        const uint8_t* p = Take(2);
        return uint16_t(p[0] | (p[1] << 8));
    }
    uint32_t U32LE()
    {
        const uint8_t* p = Take(4);
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    }
    uint16_t U16BE()
    {
        const uint8_t* p = Take(2);
        return uint16_t((p[0] << 8) | p[1]);
    }
    uint32_t U32BE()
    {
        const uint8_t* p = Take(4);
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_;
};

} // namespace quillora
