#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

namespace velmora::bench {

// Writes wide text to a C stream as UTF-8 through one fixed buffer, so a list
// of tens of megabytes costs a few hundred writes and never a second copy.
class Utf8Output {
  public:
    explicit Utf8Output(std::FILE* stream);

    // Throws std::system_error when the stream refuses the bytes.
    void Write(std::wstring_view text);
    void Flush();

  private:
    static constexpr std::size_t Capacity = std::size_t{1} << 18;

    std::FILE* stream_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

} // namespace velmora::bench
