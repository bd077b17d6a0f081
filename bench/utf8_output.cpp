#include "utf8_output.h"

#include "files.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>
#include <system_error>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace velmora::bench {
namespace {

constexpr std::size_t Block = 16;

// Writes a block of 16 characters as bytes at out where all are ASCII.
bool NarrowAscii(const wchar_t* block, char* out) {
#ifdef __SSE2__
    const auto* from = reinterpret_cast<const __m128i*>(block);
    const __m128i zero = _mm_setzero_si128();
    __m128i bytes;
    if constexpr (sizeof(wchar_t) == 2) {
        const __m128i low = _mm_loadu_si128(from), high = _mm_loadu_si128(from + 1);
        const __m128i beyond = _mm_and_si128(_mm_or_si128(low, high), _mm_set1_epi16(-0x80));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(beyond, zero)) != 0xFFFF)
            return false;
        bytes = _mm_packus_epi16(low, high);
    } else {
        const __m128i a = _mm_loadu_si128(from), b = _mm_loadu_si128(from + 1);
        const __m128i c = _mm_loadu_si128(from + 2), d = _mm_loadu_si128(from + 3);
        const __m128i any = _mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(any, _mm_set1_epi32(-0x80)), zero)) !=
            0xFFFF)
            return false;
        bytes = _mm_packus_epi16(_mm_packs_epi32(a, b), _mm_packs_epi32(c, d));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
    return true;
#else
    for (std::size_t i = 0; i < Block; ++i) {
        if (static_cast<std::uint32_t>(block[i]) >= 0x80)
            return false;
        out[i] = static_cast<char>(block[i]);
    }
    return true;
#endif
}

} // namespace

Utf8Output::Utf8Output(std::FILE* stream)
    : stream_(stream), buffer_(std::make_unique_for_overwrite<char[]>(Capacity)) {}

void Utf8Output::Write(std::wstring_view text) {
    for (std::size_t index = 0; index < text.size();) {
        if (Capacity - used_ < 4 * (Block + 1)) // a block's worst case in UTF-8
            Flush();
        // ASCII a block at a time, as far as the buffer and the text allow.
        const std::size_t blocks =
            std::min((Capacity - used_) / Block - 4, (text.size() - index) / Block);
        const std::size_t start = index;
        while (index < start + blocks * Block &&
               NarrowAscii(text.data() + index, buffer_.get() + used_ + (index - start)))
            index += Block;
        used_ += index - start;
        const bool beyondAscii = index < start + blocks * Block;
        if (index == text.size() || (!beyondAscii && text.size() - index >= Block))
            continue; // done, or the buffer is full
        // A block beyond ASCII, or the last few characters, go through the path's
        // conversion, keeping a UTF-16 surrogate pair together.
        std::size_t count = std::min(Block, text.size() - index);
        if ((text[index + count - 1] & 0xFC00) == 0xD800 && index + count < text.size())
            ++count;
        const std::string bytes = testing::ToUtf8(text.substr(index, count));
        used_ = static_cast<std::size_t>(
            std::copy(bytes.begin(), bytes.end(), buffer_.get() + used_) - buffer_.get());
        index += count;
    }
}

void Utf8Output::Flush() {
    if (used_ > 0 && std::fwrite(buffer_.get(), 1, used_, stream_) != used_)
        throw std::system_error(errno, std::generic_category(), "writing the list");
    used_ = 0;
    if (std::fflush(stream_) != 0)
        throw std::system_error(errno, std::generic_category(), "writing the list");
}

} // namespace velmora::bench
