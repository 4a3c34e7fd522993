#pragma once

#include <vector>

#include "data/SpeedUnits.h"

namespace tovra::author {

// Speed segments from frame 0 to the last frame whose positions, by the
// frame-to-distance rule, stay within `tolerance` cm of `positions` (cm, one
// per frame, never decreasing) at every frame, with as few segments as a
// greedy fit finds. Speeds are rounded as the route file writes them, and
// each segment ends on its target position so that errors do not add up.
std::vector<SpeedUnit> fitSpeedUnits(const std::vector<double>& positions, double tolerance = 100);

// The filming speed in km/h that a distance per frame stands for.
inline double speedOfStep(double cmPerFrame) {
    return cmPerFrame * kFilmFramesPerSecond * 0.036;
}

}  // namespace tovra::author
