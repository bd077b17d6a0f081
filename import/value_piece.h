#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace velmora {

// The text between the first and the second "=" of a line, or from the first
// "=" to the end; nothing when the line has no "=". Shared by the wide ValueField
// and the import, which looks for the value before decoding the file's bytes.
template <class Char>
std::optional<std::basic_string_view<Char>> ValuePiece(std::basic_string_view<Char> line) {
    const std::size_t first = line.find(Char('='));
    if (first == line.npos)
        return std::nullopt;
    const auto rest = line.substr(first + 1);
    return rest.substr(0, rest.find(Char('=')));
}

} // namespace velmora
