#pragma once

#include <string>

namespace velmora::ui {

// Coordinate files as the host's script writes them: groups of a header and three
// value lines, CR LF after every line.
inline std::string Group(const std::string& x, const std::string& y, const std::string& z) {
    return "[Position]\r\nX=" + x + "\r\nY=" + y + "\r\nZ=" + z + "\r\n";
}

inline const std::string TwoPositions = Group("1", "2", "3") + Group("4", "5", "6");
inline const std::wstring TwoPositionsList = L"1, 2, 3\r\n4, 5, 6";

} // namespace velmora::ui
