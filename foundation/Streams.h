#pragma once
// A growable in-memory byte stream with a position, the binary value type of the core.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillora {

class TMemoryStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

    const uint8_t* Data() const { return data_.data(); }
    uint8_t* Data() { return data_.data(); }
    size_t Size() const { return data_.size(); }
    size_t Position() const { return position_; }
    void SetPosition(size_t position) { position_ = position < data_.size() ? position : data_.size(); }
    void SetSize(size_t size)
    {
        data_.resize(size);
        if (position_ > size) position_ = size;
    }
    void Clear()
    {
        data_.clear();
        position_ = 0;
    }
    void Reserve(size_t capacity) { data_.reserve(capacity); }

    // Writes at the position, growing the stream as needed; advances the position.
    void Write(const void* bytes, size_t count)
    {
        if (count == 0) return;
        if (position_ + count > data_.size()) data_.resize(position_ + count);
        const auto* src = static_cast<const uint8_t*>(bytes);
        std::copy(src, src + count, data_.begin() + static_cast<std::ptrdiff_t>(position_));
        position_ += count;
    }
    // Reads up to count bytes from the position; returns how many were read.
    size_t Read(void* bytes, size_t count)
    {
        size_t available = data_.size() - position_;
        if (count > available) count = available;
        auto* dst = static_cast<uint8_t*>(bytes);
        std::copy(data_.begin() + static_cast<std::ptrdiff_t>(position_),
                  data_.begin() + static_cast<std::ptrdiff_t>(position_ + count), dst);
        position_ += count;
        return count;
    }

    const std::vector<uint8_t>& Bytes() const { return data_; }
    std::vector<uint8_t>& Bytes() { return data_; }

private:
    std::vector<uint8_t> data_;
    size_t position_ = 0;
};

} // namespace quillora
