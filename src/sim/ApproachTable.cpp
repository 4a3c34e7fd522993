#include <algorithm>

#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

constexpr Extended kSlowDownRate = 21.6L;  // 2 x 3.6 x 3 km/h/s
constexpr std::size_t kNone = std::size_t(-1);

ApproachEntry entryFor(std::size_t index, std::int32_t limit, Extended distance, Extended speed) {
    ApproachEntry e;
    e.ahead = true;
    e.index = std::int32_t(index);
    e.limit = limit;
    e.distance = roundHalfEven(distance);
    // The braking distance at 3 km/h/s, plus a second's run.
    if (speed > limit)
        e.slowDownDistance = ((limit + speed) * (speed - limit) / kSlowDownRate + speed) * 100;
    return e;
}

// The three signs nearest ahead, nearest first.
std::array<std::size_t, 3> nearestLimits(const std::vector<SpeedLimitRecord>& limits,
                                         Extended position) {
    std::array<std::size_t, 3> nearest;
    nearest.fill(kNone);
    for (std::size_t k = 0; k < limits.size(); ++k) {
        const Extended at = limits[k].position;
        if (at <= position) continue;
        auto slot = std::find_if(nearest.begin(), nearest.end(), [&](std::size_t n) {
            return n == kNone || at < limits[n].position;
        });
        if (slot == nearest.end()) continue;
        std::move_backward(slot, nearest.end() - 1, nearest.end());
        *slot = k;
    }
    return nearest;
}

// The next check point that applies, its signal at stop or without one.
std::size_t nextCheckPoint(const RouteSpec& route, Extended position) {
    std::size_t next = kNone;
    const auto& checks = route.SpeedChecks1;
    for (std::size_t k = 0; k < checks.size(); ++k) {
        const SpeedCheckRecord& c = checks[k];
        if (c.position <= position || (next != kNone && c.position >= checks[next].position))
            continue;
        if (c.signal == 0 || signalAtStop(route, c.signal)) next = k;
    }
    return next;
}

}  // namespace

void updateApproachTable(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    const RouteSpec& route = r.route;
    const Extended position = r.state.Position;
    const Extended speed = r.state.Speed;
    const auto nearest = nearestLimits(route.SpeedLimits, position);
    for (std::size_t i = 0; i < nearest.size(); ++i) {
        const std::size_t k = nearest[i];
        p.nextLimits[i] = k == kNone ? ApproachEntry{}
                                     : entryFor(k, route.SpeedLimits[k].targetSpeed,
                                                route.SpeedLimits[k].position - position, speed);
    }
    const std::size_t k = nextCheckPoint(route, position);
    p.nextCheck = k == kNone ? ApproachEntry{}
                             : entryFor(k, route.SpeedChecks1[k].targetSpeed,
                                        route.SpeedChecks1[k].position - position, speed);
}

}  // namespace tovra
