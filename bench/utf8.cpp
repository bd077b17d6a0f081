#include "utf8.h"

namespace velmora::bench {
namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

char ByteOf(char32_t bits) {
    return static_cast<char>(static_cast<unsigned char>(bits));
}

} // namespace

char* EncodeUtf8(char32_t c, char* out) {
    if (IsSurrogate(c) || c > 0x10FFFF)
        c = Replacement;
    if (c < 0x80) {
        *out++ = ByteOf(c);
    } else if (c < 0x800) {
        *out++ = ByteOf(0xC0 | (c >> 6));
        *out++ = ByteOf(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = ByteOf(0xE0 | (c >> 12));
        *out++ = ByteOf(0x80 | ((c >> 6) & 0x3F));
        *out++ = ByteOf(0x80 | (c & 0x3F));
    } else {
        *out++ = ByteOf(0xF0 | (c >> 18));
        *out++ = ByteOf(0x80 | ((c >> 12) & 0x3F));
        *out++ = ByteOf(0x80 | ((c >> 6) & 0x3F));
        *out++ = ByteOf(0x80 | (c & 0x3F));
    }
    return out;
}

char32_t NextCodePoint(std::wstring_view text, std::size_t& index) {
    const auto c = static_cast<char32_t>(text[index++]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (IsHighSurrogate(c) && index < text.size() &&
            IsLowSurrogate(static_cast<char32_t>(text[index]))) {
            const auto low = static_cast<char32_t>(text[index++]);
            return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return IsSurrogate(c) ? Replacement : c;
}

namespace {

// How many continuation bytes follow a lead byte; -1 where no sequence starts.
int ContinuationBytes(unsigned char lead) {
    if (lead < 0x80)
        return 0;
    if (lead < 0xC2 || lead > 0xF4)
        return -1;
    return lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
}

void AppendWide(std::wstring& out, char32_t c) {
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
}

} // namespace

std::optional<std::wstring> WidenUtf8(std::string_view bytes) {
    constexpr char32_t Shortest[] = {0, 0x80, 0x800, 0x10000};
    std::wstring out;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i++]);
        const int extra = ContinuationBytes(lead);
        if (extra < 0 || bytes.size() - i < static_cast<std::size_t>(extra))
            return std::nullopt;
        char32_t c = extra == 0 ? lead : lead & (0x3Fu >> extra);
        for (int k = 0; k < extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i++]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3Fu);
        }
        if (c < Shortest[extra] || IsSurrogate(c) || c > 0x10FFFF)
            return std::nullopt;
        AppendWide(out, c);
    }
    return out;
}

std::string NarrowToUtf8(std::wstring_view text) {
    std::string out;
    char bytes[MaxUtf8Bytes];
    for (std::size_t i = 0; i < text.size();)
        out.append(bytes, EncodeUtf8(NextCodePoint(text, i), bytes));
    return out;
}

} // namespace velmora::bench
