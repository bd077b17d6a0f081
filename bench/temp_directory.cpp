#include "temp_directory.h"

#include <cerrno>
#include <stdlib.h>
#include <string>
#include <system_error>

namespace velmora::bench {

TempDirectory::TempDirectory() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), pattern);
    path_ = pattern;
}

TempDirectory::~TempDirectory() {
    std::error_code ignored; // a leftover temporary folder must not end the run
    std::filesystem::remove_all(path_, ignored);
}

} // namespace velmora::bench
