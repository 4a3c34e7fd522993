#pragma once

#include <optional>
#include <vector>

#include "GpsTrack.h"

namespace tovra::author {

// A fix reduced to how far along the line it lies.
struct TrackSample {
    double time = 0;      // s, the track's clock
    double distance = 0;  // m from the track's first fix, never decreasing
    std::optional<double> elevation;
};

// Distance along the track for every fix. Position noise must not add up
// into distance (a phone standing still wanders by metres), so each fix is
// projected onto a coarse line through the track smoothed by a local
// quadratic over time, measured along the arcs its vertices turn by, so that
// curves keep their length; the projected distances are smoothed over a few
// seconds and made monotonic. Throws
// std::runtime_error when the track does not move at all.
std::vector<TrackSample> alongTrack(const std::vector<TrackPoint>& points);

// Distance at a time of the track's clock, linear between the samples;
// times outside the track hold its ends.
double distanceAt(const std::vector<TrackSample>& samples, double time);

}  // namespace tovra::author
