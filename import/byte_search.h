#pragma once

// The byte loops the import runs over every line: finding CRs and "=", telling
// ASCII, and widening it. They take blocks of 16 bytes, which three primitives
// handle: with SSE2 where the compiler may use it (every x86-64 processor),
// byte by byte elsewhere, as on a 32-bit build for processors without it.
// Defining VELMORA_PORTABLE picks the plain primitives anyway, so that the
// tests run both on the same tables.
//
// The loops read whole blocks: the bytes must be followed by ReadAhead readable
// bytes, and an output by room for ByteBlock more characters.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#if defined(__SSE2__) && !defined(VELMORA_PORTABLE)
#include <emmintrin.h>
#define VELMORA_SSE2 1
#endif

namespace velmora {

inline constexpr std::size_t ByteBlock = 16;
inline constexpr std::size_t ReadAhead = 64;

#ifdef VELMORA_SSE2

inline __m128i Load(const void* from) {
    return _mm_loadu_si128(static_cast<const __m128i*>(from));
}
inline void Store(void* to, __m128i bytes) {
    _mm_storeu_si128(static_cast<__m128i*>(to), bytes);
}
inline unsigned Mask(__m128i bytes) { // bit i: the top bit of byte i
    return static_cast<unsigned>(_mm_movemask_epi8(bytes));
}
// All ones in the lanes below count (up to 16).
inline __m128i LanesBelow(std::size_t count) {
    const __m128i lanes = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    return _mm_cmplt_epi8(lanes, _mm_set1_epi8(static_cast<char>(count)));
}

// Bit i set where block[i] is the byte sought.
inline unsigned Matches(const char* block, char sought) {
    return Mask(_mm_cmpeq_epi8(Load(block), _mm_set1_epi8(sought)));
}
// Bit i set where block[i] is not ASCII.
inline unsigned BeyondAscii(const char* block) {
    return Mask(Load(block));
}
// The lanes of a where select is all ones, of b elsewhere.
inline __m128i Select(__m128i select, __m128i a, __m128i b) {
    return _mm_or_si128(_mm_and_si128(select, a), _mm_andnot_si128(select, b));
}
// Writes 16 ASCII bytes as 16 characters.
inline void StoreWide(wchar_t* out, __m128i bytes) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i low = _mm_unpacklo_epi8(bytes, zero), high = _mm_unpackhi_epi8(bytes, zero);
    if constexpr (sizeof(wchar_t) == 2) {
        Store(out, low);
        Store(out + 8, high);
    } else {
        Store(out, _mm_unpacklo_epi16(low, zero));
        Store(out + 4, _mm_unpackhi_epi16(low, zero));
        Store(out + 8, _mm_unpacklo_epi16(high, zero));
        Store(out + 12, _mm_unpackhi_epi16(high, zero));
    }
}
// Writes the 16 bytes as 16 characters, each byte's value.
inline void Widen(const char* block, wchar_t* out) {
    StoreWide(out, Load(block));
}

#else

inline unsigned Matches(const char* block, char sought) {
    unsigned bits = 0;
    for (std::size_t i = 0; i < ByteBlock; ++i)
        bits |= unsigned{block[i] == sought} << i;
    return bits;
}
inline unsigned BeyondAscii(const char* block) {
    unsigned bits = 0;
    for (std::size_t i = 0; i < ByteBlock; ++i)
        bits |= unsigned{static_cast<unsigned char>(block[i]) >= 0x80} << i;
    return bits;
}
inline void Widen(const char* block, wchar_t* out) {
    for (std::size_t i = 0; i < ByteBlock; ++i)
        out[i] = static_cast<unsigned char>(block[i]);
}

#endif

// Every place of one byte in [start, end), in order. The 64 bytes ahead are
// tested at once and their matches kept as bits, so that a step is a few
// instructions, with no load between one match and the next.
class ByteWalker {
  public:
    ByteWalker(const char* start, const char* end, char sought)
        : start_(start), size_(static_cast<std::size_t>(end - start)), byte_(sought) {
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

    const char* start_;
    std::size_t size_;
    char byte_;
    std::size_t offset_ = 0; // of the 64 bytes that bits_ describes
    std::uint64_t bits_ = 0;
};

// The first two places of the byte in [from, end); end for each one missing.
inline std::pair<const char*, const char*> FindTwo(const char* from, const char* end, char sought) {
    const auto size = static_cast<std::size_t>(end - from);
    if (size > ByteBlock) { // few lines are longer
        const char* const first = std::find(from, end, sought);
        return {first, first == end ? end : std::find(first + 1, end, sought)};
    }
    const unsigned stop = 1u << size; // found where none is
    unsigned found = Matches(from, sought) & (stop - 1);
    const char* const first = from + std::countr_zero(found | stop);
    found &= found - 1;
    return {first, from + std::countr_zero(found | stop)};
}

// Writes ASCII bytes as characters at out and returns the end; nullptr, having
// written some, where a byte is not ASCII.
inline wchar_t* WidenAscii(std::string_view bytes, wchar_t* out) {
    for (std::size_t i = 0; i < bytes.size(); i += ByteBlock) {
        const std::size_t count = std::min(bytes.size() - i, ByteBlock);
        if ((BeyondAscii(bytes.data() + i) & ((1u << count) - 1)) != 0)
            return nullptr;
        Widen(bytes.data() + i, out + i);
    }
    return out + bytes.size();
}

} // namespace velmora
