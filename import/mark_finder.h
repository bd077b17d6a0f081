#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velmora {

// Walks bytes from start to end and stops at every CR and "=", the only bytes
// that shape a coordinate file. Lines average 14 bytes, too short for a
// library search per line to pay off, so it tests eight bytes at a time and
// keeps the matches of the current eight between calls.
class MarkFinder {
  public:
    MarkFinder() = default;
    MarkFinder(const char* start, const char* end)
        : start_(start), size_(static_cast<std::size_t>(end - start)) {
        Load();
    }

    // The next CR or "=", or end when there is none.
    const char* Next() {
        while (marks_ == 0) {
            word_ += 8;
            if (word_ >= size_)
                return start_ + size_;
            Load();
        }
        const char* mark = start_ + word_ + std::countr_zero(marks_) / 8;
        marks_ &= marks_ - 1;
        return mark;
    }

  private:
    static_assert(std::endian::native == std::endian::little, "byte i of a word is bits 8i..8i+7");
    static constexpr std::uint64_t Ones = 0x0101010101010101;
    static constexpr std::uint64_t Low7 = 0x7F7F7F7F7F7F7F7F;

    // 0x80 in each byte of x that is zero, and only there.
    static std::uint64_t ZeroBytes(std::uint64_t x) { return ~(((x & Low7) + Low7) | x | Low7); }

    void Load() {
        std::uint64_t word = 0; // bytes past the end read as 0, which is neither mark
        std::memcpy(&word, start_ + word_, std::min<std::size_t>(size_ - word_, 8));
        marks_ = ZeroBytes(word ^ (Ones * '\r')) | ZeroBytes(word ^ (Ones * '='));
    }

    const char* start_ = nullptr;
    std::size_t size_ = 0;
    std::size_t word_ = 0; // offset of the eight bytes that marks_ describes
    std::uint64_t marks_ = 0;
};

} // namespace velmora
