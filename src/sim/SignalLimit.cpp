#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "sim/Protection.h"
#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

constexpr std::int32_t kBeaconReach = 15;  // frames either side of a beacon
constexpr std::int32_t kStopPatternSpeed = 10;

bool near(std::int32_t frame, std::int32_t target) {
    return std::abs(frame - target) < kBeaconReach;
}

bool oneOf(std::int32_t face, std::initializer_list<std::int32_t> faces) {
    return std::find(faces.begin(), faces.end(), face) != faces.end();
}

// The long-distance beacon warns of a stop ahead or clears the way.
void farBeacon(ProtectionRecords& r, const SignalRecord& signal, std::int32_t index) {
    const VehicleSpec& v = r.vehicle;
    std::int32_t& limit = r.protection.SignalLimit;
    if (v.ATS_Type == 0 && v.ATS_Alert == 0 && signal.signalType >= 1 &&
        oneOf(signal.face, {1, 4, 7, 10, 13, 17, 21, 26, 30, 35})) {
        limit = kWarningLimit;
        r.protection.warningSignal = index;
    }
    if (v.ATS_Alert == 1 && oneOf(signal.face, {9, 12, 16, 20, 25, 28, 29, 33, 34, 40}))
        limit = kNoLimit;
}

// The beacon at the signal sets what the signal allows.
void nearBeacon(ProtectionRecords& r, const SignalRecord& signal, std::int32_t index) {
    const RouteSpec& route = r.route;
    ProtectionState& p = r.protection;
    std::int32_t& limit = p.SignalLimit;
    const std::int32_t face = signal.face;
    if (oneOf(face, {7, 10, 13, 17, 21, 26, 30, 35}) && index != p.releasedSignal) {
        limit = 0;
        p.stopSignal = index;
    }
    if (r.vehicle.ATS_Alert == 1) {
        if (oneOf(face, {18, 22})) limit = speedSignal(route, 1);
        if (oneOf(face, {8, 11, 14, 19, 23, 27, 31})) limit = speedSignal(route, 2);
        if (oneOf(face, {15, 24, 32})) limit = speedSignal(route, 3);
        if (oneOf(face, {9, 12, 16, 20, 25, 28, 29, 33, 34})) limit = speedSignal(route, 4);
        if (oneOf(face, {26, 32})) limit = kNoLimit;
    }
    p.SignalFace = kNoFace;
    // Only the stop pattern of this signal: one towards a signal further on
    // still stands.
    if (p.PatternSpeed == kStopPatternSpeed && limit != 0 && p.patternKind == kPatternStopSignal &&
        p.patternTarget == index) {
        cancelPattern(p);
    }
}

}  // namespace

void update_signal_limit(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    if (!p.AtsOn || r.vehicle.ATS_Type >= 2) return;
    const std::int32_t frame = r.state.Frame;
    const std::vector<SignalRecord>& signals = r.route.Signals;
    BeaconIndex& index = p.beacons;
    if (!index.describes(signals)) index.build(signals);
    if (p.releasedSignal >= 0 &&
        !near(frame, signals[std::size_t(p.releasedSignal)].nearBeaconFrame))
        p.releasedSignal = -1;
    // Only the signals with a mark within reach of the frame, in signal order.
    for (const std::int32_t n : index.signalsNear(frame, kBeaconReach)) {
        const SignalRecord& signal = signals[std::size_t(n)];
        if (near(frame, signal.signalFrame)) {
            if (p.acknowledgedSignal == n) p.acknowledgedSignal = -1;
            // A warning holds up to the signal it was given for; kept on, it
            // would ring the bell at every signal for the rest of the run.
            if (p.warningSignal == n) {
                p.warningSignal = -1;
                if (p.SignalLimit == kWarningLimit) p.SignalLimit = kNoLimit;
            }
        }
        if (near(frame, signal.farBeaconFrame)) farBeacon(r, signal, n);
        if (near(frame, signal.nearBeaconFrame)) nearBeacon(r, signal, n);
    }
}

}  // namespace tovra
