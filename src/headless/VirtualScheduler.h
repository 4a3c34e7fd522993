#pragma once

#include <cstdint>

#include "headless/HeadlessHost.h"
#include "headless/SimClock.h"

namespace tovra {

class Cab;

// Drives a cab on simulated time: the physics tick every 33 1/3 ms and the
// logic tick every 100 ms, each only while the host's timer for it runs.
class VirtualScheduler {
  public:
    VirtualScheduler(Cab& cab, HeadlessHost& host, SimClock& clock)
        : cab_(cab), host_(host), clock_(clock) {}

    // One period of 1/30 s: the physics tick, then the logic tick when due.
    void step();
    void runFor(double seconds);

  private:
    Cab& cab_;
    HeadlessHost& host_;
    SimClock& clock_;
};

}  // namespace tovra
