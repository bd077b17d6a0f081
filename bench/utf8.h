#pragma once

#include "files.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora::bench {

// Writes text as UTF-8 through a buffer of its own: what writing the list
// costs, and no more. A block of ASCII, the common case, is narrowed in one loop
// the compiler vectorises; any other block is encoded a character at a time.
// The benchmarks run on Linux, where wchar_t holds UTF-32.
inline void WriteUtf8(std::wstring_view text, std::FILE* to) {
    char buffer[1 << 16];
    while (!text.empty()) {
        const std::size_t block = std::min(text.size(), sizeof buffer / 4); // 4 bytes at most each
        std::size_t used = 0;
        wchar_t any = 0;
        for (; used < block; ++used) {
            buffer[used] = static_cast<char>(text[used]);
            any |= text[used];
        }
        if (static_cast<char32_t>(any) >= 0x80) {
            used = 0;
            for (const wchar_t c : text.substr(0, block)) {
                const auto code = static_cast<char32_t>(c);
                const int tail = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
                buffer[used++] = static_cast<char>(
                    tail == 0 ? code : (0xF0 << (3 - tail)) | (code >> (6 * tail)));
                for (int shift = 6 * (tail - 1); shift >= 0; shift -= 6)
                    buffer[used++] = static_cast<char>(0x80 | ((code >> shift) & 0x3F));
            }
        }
        if (std::fwrite(buffer, 1, used, to) != used)
            throw std::runtime_error("cannot write the list");
        text.remove_prefix(block);
    }
    if (std::fflush(to) != 0)
        throw std::runtime_error("cannot write the list");
}

// The command line's UTF-8 as text.
inline std::wstring FromUtf8(std::string_view bytes) {
    return testing::AsWide(std::u8string(bytes.begin(), bytes.end()));
}

} // namespace velmora::bench
