#include "headless/VirtualScheduler.h"

#include <cmath>

#include "cab/Cab.h"

namespace tovra {

void VirtualScheduler::step() {
    clock_.advance();
    if (host_.physicsRunning) cab_.MMTimer1Timer();
    if (host_.logicRunning && clock_.periods() % SimClock::kPeriodsPerLogicTick == 0) {
        cab_.Timer1Timer();
    }
}

void VirtualScheduler::runFor(double seconds) {
    const auto periods = std::int64_t(std::llround(seconds * SimClock::kPeriodsPerSecond));
    for (std::int64_t i = 0; i < periods; ++i) step();
}

}  // namespace tovra
