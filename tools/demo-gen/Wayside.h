#pragma once

#include <vector>

#include "demo-gen/LinePlan.h"

namespace tovra::demo {

// The line's features as a train going one way meets them, in that order.

struct SlopeStretch {
    double permil;  // + uphill for this direction
    double from, to;
};

struct ZoneStretch {
    int speed;
    double entry, exit;  // chainages, entry met first
};

std::vector<SlopeStretch> slopesOf(const LineWorld& world, Direction dir);
std::vector<ZoneStretch> zonesOf(const LineWorld& world, Direction dir);

}  // namespace tovra::demo
