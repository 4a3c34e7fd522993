#pragma once

#include <cstdint>

namespace tovra {

// Simulated time in physics periods of 1/30 s: the physics tick fires every
// period, the logic tick every third.
class SimClock {
  public:
    static constexpr int kPeriodsPerSecond = 30;
    static constexpr int kPeriodsPerLogicTick = 3;

    std::int64_t periods() const { return periods_; }
    double seconds() const { return double(periods_) / kPeriodsPerSecond; }
    void advance() { ++periods_; }

  private:
    std::int64_t periods_ = 0;
};

}  // namespace tovra
