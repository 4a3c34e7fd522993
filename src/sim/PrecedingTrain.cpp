#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "sim/Protection.h"

namespace tovra {

namespace {

constexpr Extended kStandingFilmDivisor = 0.3L;

std::int32_t legStartFrame(const RouteSpec& route, std::size_t leg) {
    const std::int32_t station = route.PreTrain[leg].Station;
    return station < 0 ? 0 : route.stationOrEmpty(std::size_t(station)).videoFrame;
}

// The leg runs from its station's stop frame up to the next leg's; the last
// leg runs on to the end of the line.
bool legHolds(const RouteSpec& route, std::size_t leg, std::int32_t frame) {
    if (frame < legStartFrame(route, leg)) return false;
    return leg + 1 == route.PreTrain.size() || frame < legStartFrame(route, leg + 1);
}

const PreTrainLeg* currentLeg(const RouteSpec& route, ProtectionState& p) {
    const std::int32_t frame = p.PreTrainFrame;
    if (p.preTrainLeg >= 0 && std::size_t(p.preTrainLeg) < route.PreTrain.size() &&
        legHolds(route, std::size_t(p.preTrainLeg), frame)) {
        return &route.PreTrain[std::size_t(p.preTrainLeg)];
    }
    for (std::size_t i = 0; i < route.PreTrain.size(); ++i) {
        if (legHolds(route, i, frame)) {
            p.preTrainLeg = std::int32_t(i);
            return &route.PreTrain[i];
        }
    }
    p.preTrainLeg = -1;
    return nullptr;
}

bool sectionHolds(const SpeedUnit& unit, std::int32_t frame) {
    return unit.FirstFrame <= frame && frame < unit.LastFrame;
}

// The speed at which the frame was filmed, 0 outside every section. The
// sections follow each other along the video, so the one found last or its
// successor usually holds the frame; otherwise a binary search finds it.
std::int32_t filmSpeedAt(const std::vector<SpeedUnit>& units, std::int32_t& cache,
                         std::int32_t frame) {
    const auto holds = [&](std::int32_t i) {
        return i >= 0 && std::size_t(i) < units.size() &&
               sectionHolds(units[std::size_t(i)], frame);
    };
    if (!holds(cache) && !holds(++cache)) {
        const auto after = std::upper_bound(
            units.begin(), units.end(), frame,
            [](std::int32_t f, const SpeedUnit& unit) { return f < unit.FirstFrame; });
        cache = std::int32_t(after - units.begin()) - 1;
        if (!holds(cache)) {
            cache = -1;
            return 0;
        }
    }
    const SpeedUnit& u = units[std::size_t(cache)];
    const Extended slope = (u.LastSpeed - u.FirstSpeed) / (u.LastFrame - u.FirstFrame);
    return std::int32_t(roundHalfEven(slope * (frame - u.FirstFrame) + u.FirstSpeed));
}

}  // namespace

void move_preceding_train(ProtectionState& p, const TrainState& s, const RouteSpec& route) {
    if (p.PreTrainFrame == 0 || s.Frame >= p.PreTrainFrame) return;
    const PreTrainLeg* leg = currentLeg(route, p);
    p.PreTrainStep = leg != nullptr && s.Clock > leg->DepartTime ? leg->Step : 0;
    const std::int32_t film = filmSpeedAt(route.SpeedUnits, p.preTrainSection, p.PreTrainFrame);

    p.PreTrainAccumulator += std::abs(p.PreTrainStep);
    if (p.PreTrainAccumulator < film) return;
    std::int32_t frames = 0;
    if (film == 0) {
        frames =
            std::int32_t(roundHalfEven(std::fabs(p.PreTrainAccumulator / kStandingFilmDivisor)));
        p.PreTrainAccumulator = 0;
    } else {
        frames = p.PreTrainAccumulator / film;
        p.PreTrainAccumulator %= film;
    }
    p.PreTrainFrame += p.PreTrainStep < 0 ? -frames : frames;
}

void remove_passed_preceding_train(ProtectionState& p, const RouteSpec& route) {
    if (p.PreTrainFrame > route.PreTrainEnd) p.PreTrainFrame = 0;
}

void placePrecedingTrain(ProtectionState& p, std::int32_t clock, const RouteSpec& route) {
    p.PreTrainFrame = 0;
    for (std::size_t i = 0; i + 1 < route.PreTrain.size(); ++i) {
        if (route.PreTrain[i].DepartTime <= clock && clock < route.PreTrain[i + 1].DepartTime)
            p.PreTrainFrame = legStartFrame(route, i + 1);
    }
    p.PreTrainAccumulator = 0;
    p.preTrainLeg = -1;
}

}  // namespace tovra
