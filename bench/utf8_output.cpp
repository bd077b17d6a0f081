#include "utf8_output.h"

#include "utf8.h"

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <type_traits>

namespace velmora::bench {

Utf8Output::Utf8Output(std::FILE* stream)
    : stream_(stream), buffer_(std::make_unique_for_overwrite<char[]>(Capacity)) {}

void Utf8Output::Write(std::wstring_view text) {
    std::size_t index = 0;
    while (index < text.size()) {
        // Convert as many units as surely fit, so the loop below needs no
        // bounds check; a surrogate pair may read one unit past the batch.
        if (Capacity - used_ < 2 * MaxUtf8Bytes)
            Flush();
        const std::size_t batch =
            std::min(text.size() - index, (Capacity - used_) / MaxUtf8Bytes - 1);
        const std::size_t end = index + batch;
        char* out = buffer_.get() + used_;
        while (index < end) {
            const wchar_t c = text[index];
            if (static_cast<std::make_unsigned_t<wchar_t>>(c) < 0x80) {
                *out++ = static_cast<char>(c);
                ++index;
            } else {
                out = EncodeUtf8(NextCodePoint(text, index), out);
            }
        }
        used_ = static_cast<std::size_t>(out - buffer_.get());
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
