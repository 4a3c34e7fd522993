#include <algorithm>
#include <array>
#include <cmath>

#include "common/UiText.h"
#include "sim/HandleRules.h"
#include "sim/PendingDelays.h"
#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

struct Window {
    Extended from, to;  // cm before the target, both open
};
// From 600 m down to 15-20 m before the target.
constexpr std::array<Window, 7> kBeaconWindows{{{59000, 60000},
                                                {27000, 28000},
                                                {17000, 18000},
                                                {12000, 13000},
                                                {7500, 8500},
                                                {4000, 5000},
                                                {1500, 2000}}};
constexpr Extended kFarthestBeacon = 60000;  // cm
constexpr Extended kPointReach = 200;        // cm before a point that lifts its own pattern
constexpr std::int32_t kStationPatternSpeed = 1;
constexpr std::int32_t kStopSignalFloor = 10;
constexpr std::int32_t kStopBrakingBelow = 16;  // km/h: targets under it stop the train
constexpr Extended kBrakeMargin = 2000;         // cm
constexpr Extended kWarnMargin = 7000;          // cm
constexpr Extended kCurveShare = 7.2L * 0.7L;   // 70 % of the air brake

// The log's lines, whole sentences so that a translation may place the
// numbers where its language wants them.
constexpr const char* kStopSignalAhead = uiTextMark("ProtectionLog", "停止信号まで%1m");
constexpr const char* kSignalPatternCleared =
    uiTextMark("ProtectionLog", "パターン消去: 信号まで%1m");
constexpr const char* kStationStopAhead = uiTextMark("ProtectionLog", "停車駅まで%1m");
constexpr const char* kSpeedCheckAhead = uiTextMark("ProtectionLog", "%1km/h照査まで%2m");
constexpr const char* kStationPatternCleared = uiTextMark("ProtectionLog", "停車駅パターン消去");
constexpr const char* kCheckPatternCleared = uiTextMark("ProtectionLog", "速度照査パターン消去");
constexpr const char* kStopBraking =
    uiTextMark("ProtectionLog", "%1km/h照査によって停止ブレーキ 速度%2 パターン%3");
constexpr const char* kBraking =
    uiTextMark("ProtectionLog", "%1km/h照査によってブレーキ 速度%2 パターン%3");

std::int32_t windowOf(Extended d) {
    for (std::size_t w = 0; w < kBeaconWindows.size(); ++w) {
        if (kBeaconWindows[w].from < d && d < kBeaconWindows[w].to) return std::int32_t(w);
    }
    return -1;
}

std::int64_t metres(Extended d) {
    return roundHalfEven(d / 100);
}

bool ownsPattern(const ProtectionState& p, const PatternPoint& point) {
    return p.patternKind == point.kind && p.patternTarget == point.index &&
           p.PatternPos == point.position;
}

// Takes the point's target; true when it was not already held from this
// window, so that each capture is logged once.
bool capture(ProtectionState& p, const PatternPoint& point, std::int32_t speed,
             std::int32_t window) {
    const bool fresh =
        !ownsPattern(p, point) || p.PatternSpeed != speed || p.patternWindow != window;
    p.PatternSpeed = speed;
    p.PatternPos = point.position;
    p.patternKind = point.kind;
    p.patternTarget = point.index;
    p.patternWindow = window;
    return fresh;
}

// A one-man train never marks its departure: doors worked and shut again
// count as one.
bool departedFrom(const ProtectionRecords& r, std::int32_t station) {
    const auto& progress = r.stations.progress;
    if (station < 0 || std::size_t(station) >= progress.size()) return false;
    const StationProgress& p = progress[std::size_t(station)];
    return p.departedHere || (r.route.OneMan >= 1 && p.doorsOpenedHere && !r.traction.doorsOpen);
}

void atBeacon(ProtectionRecords& r, const PatternPoint& point, Extended d, std::int32_t window) {
    ProtectionState& p = r.protection;
    switch (point.kind) {
        case kPatternStopSignal:
            if (signalAtStop(r.route, point.index)) {
                if (capture(p, point, point.speed, window)) p.log.add(kStopSignalAhead, metres(d));
            } else if (p.PatternSpeed == kStopSignalFloor && ownsPattern(p, point)) {
                cancelPattern(p);
                p.log.add(kSignalPatternCleared, metres(d));
            }
            break;
        case kPatternStationStop:
            if (r.state.Speed > 0 && !departedFrom(r, point.index) &&
                capture(p, point, kStationPatternSpeed, window)) {
                p.log.add(kStationStopAhead, metres(d));
            }
            break;
        case kPatternSpeedCheck:
            if (capture(p, point, point.speed + 10, window))
                p.log.add(kSpeedCheckAhead, point.speed, metres(d));
            break;
        default:
            break;
    }
}

void nearPoint(ProtectionState& p, const PatternPoint& point) {
    if (!ownsPattern(p, point)) return;
    if (point.kind == kPatternStationStop) {
        cancelPattern(p);
        p.log.add(kStationPatternCleared);
    } else if (point.kind == kPatternSpeedCheck) {
        cancelPattern(p);
        p.log.add(kCheckPatternCleared);
    }
}

// The points ahead within reach of the farthest beacon, nearest first.
void passBeacons(ProtectionRecords& r) {
    const PatternPoints& points = r.patternPoints;
    const Extended position = r.state.Position;
    auto it =
        std::upper_bound(points.begin(), points.end(), position,
                         [](Extended pos, const PatternPoint& pt) { return pos < pt.position; });
    for (; it != points.end() && it->position - position < kFarthestBeacon; ++it) {
        const Extended d = it->position - position;
        if (const std::int32_t window = windowOf(d); window >= 0) atBeacon(r, *it, d, window);
        if (d <= kPointReach) nearPoint(r.protection, *it);
    }
}

std::int32_t curveSpeed(std::int32_t target, Extended rate, Extended beyond) {
    return std::int32_t(
        roundHalfAway(std::sqrt(Extended(target) * target + kCurveShare * rate * beyond / 100)));
}

void updatePatternSpeeds(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    const std::int32_t section = p.SectionLimit;
    if (p.PatternSpeed == kNoPattern) {
        p.PatternBrake = section + 10;
        p.PatternWarn = section + 5;
        return;
    }
    const Extended d = p.PatternPos - r.state.Position;
    if (d > 0) {
        const Extended rate = r.vehicle.BrakeRateAir;
        p.PatternBrake =
            d > kBrakeMargin ? curveSpeed(p.PatternSpeed, rate, d - kBrakeMargin) : p.PatternSpeed;
        p.PatternWarn = d > kWarnMargin ? curveSpeed(p.PatternSpeed, rate, d - kWarnMargin)
                                        : p.PatternSpeed - 10;
    }
    if (p.patternKind == kPatternStopSignal)
        p.PatternBrake = std::max(p.PatternBrake, kStopSignalFloor);
    if (p.patternKind == kPatternStationStop)
        p.PatternBrake = std::max(p.PatternBrake, kStationPatternSpeed);
    p.PatternBrake = std::min(p.PatternBrake, section + 10);
    p.PatternWarn = std::min(p.PatternWarn, section + 5);
}

void decide(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    const Extended speed = r.state.Speed;
    const bool service = r.state.ProtectService;
    const bool over = p.PatternSpeed < speed && p.PatternBrake < speed;
    const std::int32_t before = p.PatternState;
    if (over && p.PatternSpeed < kStopBrakingBelow) {
        p.PatternState = 3;
        if (before != 3)
            p.log.add(kStopBraking, p.PatternSpeed, roundHalfEven(speed), p.PatternBrake);
    } else if (over) {
        p.PatternState = 2;
        if (before != 2) p.log.add(kBraking, p.PatternSpeed, roundHalfEven(speed), p.PatternBrake);
    } else if (!service && speed >= p.PatternWarn - 0.5L) {
        p.PatternState = 1;
    } else if (p.PatternState == 2 && p.PatternSpeed >= 15 &&
               roundHalfEven(speed) < p.PatternSpeed - 10) {
        p.PatternState = 0;
    } else if (!service) {
        p.PatternState = 0;
    }
}

void actOnChange(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    TrainState& s = r.state;
    const std::int32_t now = p.PatternState;
    const std::int32_t before = p.PatternStatePrev;
    if (now == before) return;
    const int chime = r.vehicle.ATS_Warn;
    if (now == 1) {
        r.sound.restartOnce(chime);
        showPatternLamps(r.lamps, true, false);
    } else if (now >= 2 && before < 2) {
        r.sound.restartOnce(chime);
        s.ProtectService = true;
        markBrakePending(s);
        showPatternLamps(r.lamps, true, true);
    } else if (now == 0) {
        r.sound.restartOnce(chime);
        s.ProtectService = false;
        markBrakePending(s);
        showPatternLamps(r.lamps, false, false);
    }
    p.PatternStatePrev = now;
    handles_moved_by_train(r.state, r.vehicle);
}

// Past a stop signal the emergency brake, pattern or none.
void checkOverrun(ProtectionRecords& r) {
    if (r.protection.SignalLimit != 0 || r.state.ProtectEmergency) return;
    r.sound.restartOnce(r.vehicle.ATS_Warn);
    protectionEmergency(r);
}

}  // namespace

void cancelPattern(ProtectionState& p) {
    p.PatternSpeed = kNoPattern;
    p.PatternPos = 0;
    p.patternKind = 0;
    p.patternTarget = -1;
    p.patternWindow = -1;
}

void stepAtsPattern(ProtectionRecords& r) {
    // A station's pattern ends with the departure from it: a train standing
    // at the stop mark is still short of the point.
    ProtectionState& p = r.protection;
    if (p.patternKind == kPatternStationStop && departedFrom(r, p.patternTarget)) {
        cancelPattern(p);
        p.log.add(kStationPatternCleared);
    }
    // A target the train has passed (an overrun signal, say) protects
    // nothing ahead of it any more.
    if (p.PatternSpeed != kNoPattern && p.PatternPos <= r.state.Position) cancelPattern(p);
    passBeacons(r);
    updatePatternSpeeds(r);
    decide(r);
    actOnChange(r);
    checkOverrun(r);
}

}  // namespace tovra
