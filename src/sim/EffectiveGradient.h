#pragma once

#include <cstdint>

namespace tovra {

struct MotionState;
struct RouteSpec;
struct TrainState;
struct VehicleSpec;

// Logic tick, step 6: SlopeValue at the current frame, and every 20 m run a
// new sample under the leading car; Gradient is the mean over the cars.
void sample_gradient(TrainState& s, MotionState& motion, const VehicleSpec& vehicle,
                     const RouteSpec& route);

// Index of the slope segment that holds the frame strictly inside it (the
// last one in route order where several do), or -1.
std::int32_t slopeSegmentAt(const RouteSpec& route, std::int32_t frame);

}  // namespace tovra
