#pragma once

#include <chrono>
#include <functional>

namespace tovra {

// Keeps a tick in real time on the monotonic clock: each call runs the ticks
// that have come due since the last, so a thread that was busy catches up
// what it missed; more than `catchUpLimit` owed at once are dropped and the
// time of the run slips instead of racing through them.
class TickDriver {
  public:
    using Clock = std::chrono::steady_clock;

    TickDriver(Clock::duration period, int catchUpLimit)
        : period_(period), catchUpLimit_(catchUpLimit) {}

    // The first tick comes due one period after `now`.
    void start(Clock::time_point now);
    void stop() { running_ = false; }
    bool running() const { return running_; }
    Clock::time_point nextDue() const { return due_; }

    // Runs `tick` once for each tick due at `now` while the driver runs (a
    // tick may stop or restart it); returns how many ran.
    int run(Clock::time_point now, const std::function<void()>& tick);

    // The latest a tick ran after it came due since the last call.
    Clock::duration takeWorstLateness();

  private:
    Clock::duration period_;
    int catchUpLimit_;
    Clock::time_point due_{};
    bool running_ = false;
    Clock::duration worst_{};
};

}  // namespace tovra
