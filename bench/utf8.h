#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora::bench {

// The longest UTF-8 sequence of one code point.
inline constexpr std::size_t MaxUtf8Bytes = 4;

// Writes c as UTF-8 at out and returns the end. Surrogates and values beyond
// U+10FFFF become U+FFFD.
char* EncodeUtf8(char32_t c, char* out);

// The code point starting at text[index], advancing index past it. Wide text
// is UTF-16 where wchar_t has 16 bits (Windows) and UTF-32 elsewhere; a lone
// surrogate reads as U+FFFD.
char32_t NextCodePoint(std::wstring_view text, std::size_t& index);

// UTF-8 as wide text; nothing when the bytes are not UTF-8.
std::optional<std::wstring> WidenUtf8(std::string_view bytes);

// Wide text as UTF-8, for short texts such as messages.
std::string NarrowToUtf8(std::wstring_view text);

} // namespace velmora::bench
