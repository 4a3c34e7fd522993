#include "app/TickDriver.h"

#include <algorithm>
#include <utility>

namespace tovra {

void TickDriver::start(Clock::time_point now) {
    running_ = true;
    due_ = now + period_;
}

int TickDriver::run(Clock::time_point now, const std::function<void()>& tick) {
    int ran = 0;
    while (running_ && due_ <= now) {
        if (ran == catchUpLimit_) {
            due_ = now + period_;
            break;
        }
        worst_ = std::max(worst_, now - due_);
        due_ += period_;
        ++ran;
        tick();
    }
    return ran;
}

TickDriver::Clock::duration TickDriver::takeWorstLateness() {
    return std::exchange(worst_, Clock::duration{});
}

}  // namespace tovra
