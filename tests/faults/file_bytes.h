#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace velmora::testing {

// The file's bytes in one read: the 100 MB cases are compared whole.
inline std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in)
        return "(cannot be read)";
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

} // namespace velmora::testing
