#include "sim/EffectiveGradient.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "sim/MotionState.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

constexpr Extended kCarLength = 2000;  // cm of track each car stands for

}  // namespace

std::int32_t slopeSegmentAt(const RouteSpec& route, std::int32_t frame) {
    std::int32_t found = -1;
    for (std::size_t i = 0; i < route.Slopes.size(); ++i) {
        const SlopeRecord& slope = route.Slopes[i];
        if (slope.firstFrame < frame && frame < slope.lastFrame) found = std::int32_t(i);
    }
    return found;
}

void sample_gradient(TrainState& s, MotionState& motion, const VehicleSpec& vehicle,
                     const RouteSpec& route) {
    const std::int32_t segment = slopeSegmentAt(route, s.Frame);
    motion.SlopeValue = segment < 0 ? Currency{} : route.Slopes[segment].gradient;

    if (!(std::fabs(s.Position - motion.GradSamplePos) > kCarLength)) return;
    motion.GradSamplePos = s.Position;
    // A file without cars still has a train: it counts as one car.
    const std::size_t cars = std::size_t(std::max(vehicle.Cars, 1));
    std::vector<std::int32_t>& under = motion.CarGradient;
    if (under.size() != cars) under.assign(cars, 0);
    std::copy_backward(under.begin(), under.end() - 1, under.end());
    under.front() = std::int32_t(roundHalfEven(motion.SlopeValue));
    std::int64_t sum = 0;
    for (std::int32_t g : under) sum += g;
    s.Gradient = Extended(sum) / Extended(cars);
}

}  // namespace tovra
