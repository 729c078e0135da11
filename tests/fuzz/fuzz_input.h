// Reads a fuzzer's bytes as a stream of small values; past the end every
// value is 0, so any input is a valid script.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }

    std::uint16_t Unit() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }

    std::uint32_t Word() { return static_cast<std::uint32_t>(Unit()) | (static_cast<std::uint32_t>(Unit()) << 16); }

    // The rest of the input as UTF-16 units, at most `capacity` - 1 of them,
    // NUL-terminated; returns the number of units copied.
    std::size_t RestAsText(char16_t* out, std::size_t capacity) {
        std::size_t count = 0;
        while (used_ + 1 < size_ && count + 1 < capacity) out[count++] = static_cast<char16_t>(Unit());
        out[count] = u'\0';
        return count;
    }

    std::size_t Remaining() const { return size_ - used_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};
