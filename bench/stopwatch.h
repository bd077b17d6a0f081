#pragma once

#include <chrono>

namespace velmora::bench {

// Milliseconds since construction, from the steady clock.
class Stopwatch {
  public:
    double Milliseconds() const {
        return std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
    }

  private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start_ = Clock::now();
};

} // namespace velmora::bench
