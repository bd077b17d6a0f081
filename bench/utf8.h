#pragma once

#include "files.h"

#include <string>
#include <string_view>

namespace velmora::bench {

// Text as UTF-8 and back, through the path, which throws where it is not Unicode.
inline std::string ToUtf8(std::wstring_view text) {
    const std::u8string bytes = testing::AsPath(text).u8string();
    return {bytes.begin(), bytes.end()};
}
inline std::wstring FromUtf8(std::string_view bytes) {
    return testing::AsWide(std::u8string(bytes.begin(), bytes.end()));
}

} // namespace velmora::bench
