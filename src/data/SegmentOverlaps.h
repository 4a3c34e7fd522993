#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "data/SpeedUnits.h"

namespace tovra {

// A segment that begins before an earlier-starting one ends: the frames they
// share would lie at two places of the line. Sharing a boundary frame is no
// overlap.
struct SegmentOverlap {
    std::size_t later;    // index of the segment starting later
    std::size_t earlier;  // the segment it overlaps
};
std::vector<SegmentOverlap> overlappingSegments(std::span<const SpeedUnit> units);

}  // namespace tovra
