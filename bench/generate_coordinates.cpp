// generate_coordinates GROUPS FILE: writes a coordinate file shaped like the
// recording script's: per position a "[n]" header and three value lines such as
// "x=-2193.814535", all ending in CR LF. A fixed seed gives the same bytes on
// every machine.
#include <charconv>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

// Axis ranges in millionths, roughly a game map's extent: x and y across the
// map, z from below sea level to rooftops.
struct Axis {
    char key;
    std::int64_t low;
    std::int64_t high;
};
constexpr Axis Axes[3] = {
    {'x', -3'000'000'000, 3'000'000'000},
    {'y', -3'000'000'000, 3'000'000'000},
    {'z', -100'000'000, 1'000'000'000},
};

// mt19937_64's output is fixed by the standard; the library's distributions
// are not, so the range is mapped by hand.
std::int64_t Draw(std::mt19937_64& engine, const Axis& axis) {
    const auto span = static_cast<std::uint64_t>(axis.high - axis.low) + 1;
    return axis.low + static_cast<std::int64_t>(engine() % span);
}

std::string Generate(std::uint64_t groups, std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    std::string out;
    char line[64];
    for (std::uint64_t group = 1; group <= groups; ++group) {
        out.append(line, std::snprintf(line, sizeof line, "[%" PRIu64 "]\r\n", group));
        for (const Axis& axis : Axes) {
            const std::int64_t value = Draw(engine, axis);
            const auto magnitude = static_cast<std::uint64_t>(value < 0 ? -value : value);
            out.append(line, std::snprintf(line, sizeof line, "%c=%s%" PRIu64 ".%06" PRIu64 "\r\n",
                                           axis.key, value < 0 ? "-" : "", magnitude / 1'000'000,
                                           magnitude % 1'000'000));
        }
    }
    return out;
}

bool ParseCount(std::string_view text, std::uint64_t& count) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv) {
    std::uint64_t groups = 0;
    if (argc != 3 || !ParseCount(argv[1], groups)) {
        std::fprintf(stderr, "usage: generate_coordinates GROUPS FILE\n");
        return 2;
    }
    try {
        const std::string bytes = Generate(groups, 20261207);
        std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file)
            throw std::runtime_error(std::string("cannot write ") + argv[2]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generate_coordinates: %s\n", error.what());
        return 1;
    }
}
