#pragma once

#include <vector>

#include "RouteText.h"

namespace tovra::author {

struct HeightSample {
    double position = 0;   // m along the route
    double elevation = 0;  // m
};

// Gradients from noisy heights (phone elevations wander by metres from fix
// to fix): a running median of 9 fixes removes spikes, a least-squares line
// through the heights within 600 m either side gives the gradient every
// 100 m, and neighbouring gradients within 3 permil of their run's mean make
// one run. `positions` (cm per frame, never decreasing) turns metres into
// frames.
std::vector<SlopeRun> fitSlopes(std::vector<HeightSample> heights,
                                const std::vector<double>& positions);

}  // namespace tovra::author
