#pragma once

// The byte loops the import runs over every line: finding CRs and "=", telling
// ASCII, and widening it. Where the compiler may use SSE2 (every x86-64
// processor) they take 16 bytes at a time; elsewhere, as on a 32-bit build for
// processors without it, one. Defining VELMORA_PORTABLE picks the plain loops
// anyway, so that the tests run both on the same tables.
//
// The SSE2 loops read whole blocks: the bytes must be followed by ReadAhead
// readable bytes, and an output by room for ByteBlock more characters.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#if defined(__SSE2__) && !defined(VELMORA_PORTABLE)
#include <bit>
#include <emmintrin.h>
#define VELMORA_SSE2 1
#endif

namespace velmora {

inline constexpr std::size_t ByteBlock = 16;
inline constexpr std::size_t ReadAhead = 64;

#ifdef VELMORA_SSE2

// Bit i set where from[i] is the byte, for i from 0 to 15.
inline unsigned Matches(const char* from, char byte) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(byte))));
}

// Bit i set for each of the first count bytes of a block that has the top bit
// (beyond ASCII), for count up to ByteBlock.
inline unsigned HighBytes(const char* from, std::size_t count) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    return static_cast<unsigned>(_mm_movemask_epi8(bytes)) & ((1u << count) - 1);
}

// Every place of one byte in [start, end), in order. The 64 bytes ahead are
// tested at once and their matches kept as bits, so that a step is a few
// instructions, with no load between one match and the next.
class ByteWalker {
  public:
    ByteWalker() = default;
    ByteWalker(const char* start, const char* end, char byte)
        : start_(start), size_(static_cast<std::size_t>(end - start)), byte_(byte) {
        Load();
    }

    // The next place of the byte, or end.
    const char* Next() {
        while (bits_ == 0) {
            offset_ += 64;
            if (offset_ >= size_)
                return start_ + size_;
            Load();
        }
        const char* const found = start_ + offset_ + std::countr_zero(bits_);
        bits_ &= bits_ - 1;
        return found;
    }

  private:
    void Load() {
        bits_ = 0;
        for (std::size_t i = 0; i < 4; ++i)
            bits_ |= std::uint64_t{Matches(start_ + offset_ + 16 * i, byte_)} << (16 * i);
        if (size_ - offset_ < 64) // none past the end
            bits_ &= (std::uint64_t{1} << (size_ - offset_)) - 1;
    }

    const char* start_ = nullptr;
    std::size_t size_ = 0;
    char byte_ = 0;
    std::size_t offset_ = 0; // of the 64 bytes that bits_ describes
    std::uint64_t bits_ = 0;
};

// The first two places of the byte in [from, end); end for each one missing.
inline std::pair<const char*, const char*> FindTwo(const char* from, const char* end, char byte) {
    const auto size = static_cast<std::size_t>(end - from);
    if (size <= ByteBlock) {              // most lines: one block, no branch
        const unsigned stop = 1u << size; // found where none is
        unsigned found = Matches(from, byte) & (stop - 1);
        const char* const first = from + std::countr_zero(found | stop);
        found &= found - 1;
        return {first, from + std::countr_zero(found | stop)};
    }
    const char* first = end;
    for (const char* block = from; block < end; block += ByteBlock) {
        const auto rest = static_cast<std::size_t>(end - block);
        unsigned found = Matches(block, byte) & ((1u << std::min(rest, ByteBlock)) - 1);
        for (; found != 0; found &= found - 1) {
            if (first != end)
                return {first, block + std::countr_zero(found)};
            first = block + std::countr_zero(found);
        }
    }
    return {first, end};
}

inline bool IsAscii(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); i += ByteBlock) {
        if (HighBytes(bytes.data() + i, std::min(bytes.size() - i, ByteBlock)) != 0)
            return false;
    }
    return true;
}

// Writes ASCII bytes as characters at out and returns the end; nullptr, having
// written some, where a byte is not ASCII.
inline wchar_t* WidenAscii(std::string_view bytes, wchar_t* out) {
    const __m128i zero = _mm_setzero_si128();
    std::size_t i = 0;
    do {
        if (HighBytes(bytes.data() + i, std::min(bytes.size() - i, ByteBlock)) != 0)
            return nullptr;
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
        const __m128i low = _mm_unpacklo_epi8(block, zero);
        const __m128i high = _mm_unpackhi_epi8(block, zero);
        auto* to = reinterpret_cast<__m128i*>(out + i);
        if constexpr (sizeof(wchar_t) == 2) {
            _mm_storeu_si128(to, low);
            _mm_storeu_si128(to + 1, high);
        } else {
            _mm_storeu_si128(to, _mm_unpacklo_epi16(low, zero));
            _mm_storeu_si128(to + 1, _mm_unpackhi_epi16(low, zero));
            _mm_storeu_si128(to + 2, _mm_unpacklo_epi16(high, zero));
            _mm_storeu_si128(to + 3, _mm_unpackhi_epi16(high, zero));
        }
        i += ByteBlock;
    } while (i < bytes.size());
    return out + bytes.size();
}

#else

class ByteWalker {
  public:
    ByteWalker() = default;
    ByteWalker(const char* start, const char* end, char byte)
        : at_(start), end_(end), byte_(byte) {}

    const char* Next() {
        const char* const found = std::find(at_, end_, byte_);
        at_ = found == end_ ? end_ : found + 1;
        return found;
    }

  private:
    const char* at_ = nullptr;
    const char* end_ = nullptr;
    char byte_ = 0;
};

inline std::pair<const char*, const char*> FindTwo(const char* from, const char* end, char byte) {
    const char* const first = std::find(from, end, byte);
    return {first, first == end ? end : std::find(first + 1, end, byte)};
}

inline bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

inline wchar_t* WidenAscii(std::string_view bytes, wchar_t* out) {
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return nullptr;
        *out++ = static_cast<wchar_t>(c);
    }
    return out;
}

#endif

} // namespace velmora
