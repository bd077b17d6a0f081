#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace velmora::bench {

// Coordinate files shaped like the recording script's: per position a "[n]"
// header and three value lines such as "x=-2193.814535", all ending in CR LF.
// The same seed gives the same bytes on every machine.
std::string GenerateCoordinates(std::size_t groups, std::uint64_t seed);

// Writes GenerateCoordinates(groups, seed) to path. Throws std::system_error.
void WriteCoordinateFile(const std::filesystem::path& path, std::size_t groups, std::uint64_t seed);

inline constexpr std::uint64_t DefaultSeed = 20261207;

} // namespace velmora::bench
