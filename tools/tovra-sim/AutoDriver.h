#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tovra {
class Cab;
}

namespace tovra::sim {

// A plain driver for benchmarks and long test runs: powers up to a little
// under the limit in force, coasts, brakes for lower limits ahead and to the
// stop position of each stop, waits while the doors are open. It works the
// cab through typed characters, as a player on the keyboard would, one per
// logic tick.
class AutoDriver {
  public:
    // The character to type in this logic tick, if any.
    std::optional<char> decide(const Cab& cab);

  private:
    std::optional<char> towards(const Cab& cab, int target) const;
    std::optional<double> metresToStopSignal(const Cab& cab);
    std::optional<char> oneManDoors(const Cab& cab, bool standing);

    bool stopping_ = false;            // braking for the stop ahead until standing
    std::size_t nextSignal_ = 0;       // the first signal not yet passed
    std::int32_t doorsWorkedAt_ = -1;  // one-man: the station whose doors it closed last
};

}  // namespace tovra::sim
