#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

// A check tied to a signal applies only while that signal shows stop.
bool applies(const RouteSpec& route, const SpeedCheckRecord& check) {
    return check.signal == 0 || signalAtStop(route, check.signal);
}

void markBehind(ProtectionRecords& r) {
    const auto& checks = r.route.SpeedChecks1;
    auto& passed = r.stations.speedCheck1Passed;
    passed.assign(checks.size(), false);
    for (std::size_t k = 0; k < checks.size(); ++k)
        passed[k] = checks[k].position < r.state.Position;
}

// The first set checks the speed once, as the train passes each point.
void passCheckPoints(ProtectionRecords& r, bool armed) {
    const auto& checks = r.route.SpeedChecks1;
    auto& passed = r.stations.speedCheck1Passed;
    if (passed.size() != checks.size()) markBehind(r);
    for (std::size_t k = 0; k < checks.size(); ++k) {
        const SpeedCheckRecord& check = checks[k];
        if (passed[k] || check.position >= r.state.Position) continue;
        passed[k] = true;
        if (armed && applies(r.route, check) && r.state.Speed > check.targetSpeed)
            raiseCheckAlarm(r);
    }
}

// The entry of the second set whose stretch holds the train: the last point
// behind it.
std::int32_t stretchEntry(const ProtectionRecords& r) {
    const auto& checks = r.route.SpeedChecks2;
    std::int32_t entry = -1;
    for (std::size_t k = 0; k < checks.size(); ++k) {
        if (checks[k].position < r.state.Position &&
            (entry < 0 || checks[k].position >= checks[std::size_t(entry)].position))
            entry = std::int32_t(k);
    }
    return entry;
}

// The cab signal shows the speed in force when the vehicle has a picture
// for it; a speed it cannot show is forgotten.
void showSpeedInForce(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    const auto& speeds = r.vehicle.Lamp_signalSpeeds;
    for (std::size_t k = 0; k < speeds.size(); ++k) {
        if (speeds[k] == p.CheckSpeedInForce) {
            r.lamps.cabSignalLit = true;
            r.lamps.cabSignalPattern = std::int32_t(k);
            return;
        }
    }
    r.lamps.cabSignalLit = false;
    p.CheckSpeedInForce = kNoLimit;
}

// The second set holds a speed from each point to the next.
void checkStretches(ProtectionRecords& r, bool armed) {
    ProtectionState& p = r.protection;
    const std::int32_t entry = stretchEntry(r);
    if (entry != p.speedCheck2Entry) {
        p.speedCheck2Entry = entry;
        const SpeedCheckRecord* check =
            entry >= 0 ? &r.route.SpeedChecks2[std::size_t(entry)] : nullptr;
        p.CheckSpeedInForce =
            check != nullptr && applies(r.route, *check) ? check->targetSpeed : kNoLimit;
        if (check != nullptr) showSpeedInForce(r);
    }
    const std::int32_t limit = p.CheckSpeedInForce;
    if (armed && limit != kNoLimit && limit < p.SignalLimit && r.state.Speed > limit)
        raiseCheckAlarm(r);
}

}  // namespace

void stepSpeedChecks(ProtectionRecords& r) {
    const bool armed = r.protection.AtsOn;
    passCheckPoints(r, armed);
    checkStretches(r, armed);
}

}  // namespace tovra
