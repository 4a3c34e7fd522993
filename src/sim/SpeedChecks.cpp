#include "sim/Cab.h"
#include "sim/ProtectionParts.h"

namespace tovra {

namespace {

// A check tied to a signal applies only while that signal shows stop.
bool applies(const RouteSpec& route, const SpeedCheckRecord& check) {
    return check.signal == 0 || signalAtStop(route, check.signal);
}

void markBehind(Cab& cab) {
    const auto& checks = cab.route.SpeedChecks1;
    auto& passed = cab.stations.speedCheck1Passed;
    passed.assign(checks.size(), false);
    for (std::size_t k = 0; k < checks.size(); ++k)
        passed[k] = checks[k].position < cab.state.Position;
}

// The first set checks the speed once, as the train passes each point.
void passCheckPoints(Cab& cab, bool armed) {
    const auto& checks = cab.route.SpeedChecks1;
    auto& passed = cab.stations.speedCheck1Passed;
    if (passed.size() != checks.size()) markBehind(cab);
    for (std::size_t k = 0; k < checks.size(); ++k) {
        const SpeedCheckRecord& check = checks[k];
        if (passed[k] || check.position >= cab.state.Position) continue;
        passed[k] = true;
        if (armed && applies(cab.route, check) && cab.state.Speed > check.targetSpeed)
            raiseCheckAlarm(cab);
    }
}

// The entry of the second set whose stretch holds the train: the last point
// behind it.
std::int32_t stretchEntry(const Cab& cab) {
    const auto& checks = cab.route.SpeedChecks2;
    std::int32_t entry = -1;
    for (std::size_t k = 0; k < checks.size(); ++k) {
        if (checks[k].position < cab.state.Position &&
            (entry < 0 || checks[k].position >= checks[std::size_t(entry)].position))
            entry = std::int32_t(k);
    }
    return entry;
}

// The cab signal shows the speed in force when the vehicle has a picture
// for it; a speed it cannot show is forgotten.
void showSpeedInForce(Cab& cab) {
    ProtectionState& p = cab.protection;
    const auto& speeds = cab.vehicle.Lamp_signalSpeeds;
    Sprite* lamp = cab.sprites.find("img_cabsignal");
    for (std::size_t k = 0; k < speeds.size(); ++k) {
        if (speeds[k] == p.CheckSpeedInForce) {
            if (lamp != nullptr) {
                lamp->visible = true;
                lamp->patternIndex = int(k);
            }
            return;
        }
    }
    if (lamp != nullptr) lamp->visible = false;
    p.CheckSpeedInForce = kNoLimit;
}

// The second set holds a speed from each point to the next.
void checkStretches(Cab& cab, bool armed) {
    ProtectionState& p = cab.protection;
    const std::int32_t entry = stretchEntry(cab);
    if (entry != p.speedCheck2Entry) {
        p.speedCheck2Entry = entry;
        const SpeedCheckRecord* check =
            entry >= 0 ? &cab.route.SpeedChecks2[std::size_t(entry)] : nullptr;
        p.CheckSpeedInForce =
            check != nullptr && applies(cab.route, *check) ? check->targetSpeed : kNoLimit;
        if (check != nullptr) showSpeedInForce(cab);
    }
    const std::int32_t limit = p.CheckSpeedInForce;
    if (armed && limit != kNoLimit && limit < p.SignalLimit && cab.state.Speed > limit)
        raiseCheckAlarm(cab);
}

}  // namespace

void stepSpeedChecks(Cab& cab) {
    const bool armed = cab.protection.AtsOn;
    passCheckPoints(cab, armed);
    checkStretches(cab, armed);
}

}  // namespace tovra
