// generate_coordinates GROUPS FILE [SEED]: writes a reproducible coordinate
// file of GROUPS positions for the benchmarks.
#include "coordinate_generator.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string_view>

namespace {

template <class Number> bool ParseNumber(std::string_view text, Number& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv) {
    std::size_t groups = 0;
    std::uint64_t seed = velmora::bench::DefaultSeed;
    if (argc < 3 || argc > 4 || !ParseNumber(argv[1], groups) ||
        (argc == 4 && !ParseNumber(argv[3], seed))) {
        std::fprintf(stderr, "usage: generate_coordinates GROUPS FILE [SEED]\n");
        return 2;
    }
    try {
        velmora::bench::WriteCoordinateFile(argv[2], groups, seed);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generate_coordinates: %s\n", error.what());
        return 1;
    }
    return 0;
}
