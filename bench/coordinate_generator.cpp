#include "coordinate_generator.h"

#include <charconv>
#include <fstream>
#include <random>
#include <system_error>

namespace velmora::bench {
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

void AppendNumber(std::string& out, std::uint64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

// "-2193.814535": always six decimals, as the script writes them.
void AppendMillionths(std::string& out, std::int64_t millionths) {
    if (millionths < 0)
        out += '-';
    const std::uint64_t magnitude =
        millionths < 0 ? 0 - static_cast<std::uint64_t>(millionths) : millionths;
    AppendNumber(out, magnitude / 1'000'000);
    out += '.';
    const std::string fraction = std::to_string(magnitude % 1'000'000 + 1'000'000);
    out.append(fraction, 1);
}

constexpr std::size_t BytesPerGroupEstimate = 56;

} // namespace

std::string GenerateCoordinates(std::size_t groups, std::uint64_t seed) {
    std::mt19937_64 engine(seed);
    std::string out;
    out.reserve(groups * BytesPerGroupEstimate);
    for (std::size_t group = 1; group <= groups; ++group) {
        out += '[';
        AppendNumber(out, group);
        out += "]\r\n";
        for (const Axis& axis : Axes) {
            out += axis.key;
            out += '=';
            AppendMillionths(out, Draw(engine, axis));
            out += "\r\n";
        }
    }
    return out;
}

void WriteCoordinateFile(const std::filesystem::path& path, std::size_t groups,
                         std::uint64_t seed) {
    const std::string bytes = GenerateCoordinates(groups, seed);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        throw std::system_error(std::make_error_code(std::errc::io_error),
                                "cannot write " + path.string());
}

} // namespace velmora::bench
