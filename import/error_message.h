#pragma once

#include "coordinate_error.h"

#include <string>

namespace velmora {

// The sentence the user sees, e.g.: Line 7 of cleo\Temp.INI has no "=".
std::wstring DescribeError(const CoordinateError& error);

} // namespace velmora
