#pragma once

#include <stdexcept>

namespace velmora::ui {

// The driver's complaint when the program does not react as a user would see it,
// or the system refuses what the driver asks; the test running it fails.
class DriverError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace velmora::ui
