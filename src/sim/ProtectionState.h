#pragma once

#include <array>
#include <cstdint>

#include "common/Numeric.h"
#include "sim/BeaconIndex.h"
#include "sim/ProtectionLog.h"

namespace tovra {

inline constexpr std::int32_t kNoFace = 999;
inline constexpr std::int32_t kNoLimit = 999;
inline constexpr std::int32_t kWarningLimit = 998;  // caution with a stop ahead
inline constexpr std::int32_t kNoPattern = 999;

// One line of the approach table: a wayside limit ahead, for the value
// display and the speed-limit text. Without a sign ahead the limit and the
// distance read 999.
struct ApproachEntry {
    bool ahead = false;
    std::int32_t index = -1;  // "[SpeedLimit]" or "[SpeedCheck1]" entry
    std::int32_t limit = kNoLimit;
    std::int64_t distance = kNoLimit;  // cm, rounded
    Extended slowDownDistance = 0;     // cm, while Speed exceeds the limit
};

// What the traffic-signal display shows: images of the route's traffic
// signal image list, -1 for nothing.
struct TrafficSignalView {
    std::int32_t light = -1;  // the light in view
    std::int32_t image = -1;
    std::int32_t indicatorImage = -1;
    bool secondIndicator = false;
};

// Signals, the preceding train and the train protection at run time.
struct ProtectionState {
    bool AtsOn = true;
    std::int32_t SectionLimit = 0;  // km/h

    // The preceding train: its frame (0 none), its pace, and the frame
    // advance it keeps like the own train's.
    std::int32_t PreTrainFrame = 0;
    std::int32_t PreTrainStep = 0;
    std::int32_t PreTrainAccumulator = 0;
    std::int32_t preTrainLeg = -1;      // leg found last, tried first
    std::int32_t preTrainSection = -1;  // speed section found last, tried first

    std::int32_t SignalFace = kNoFace;
    std::int32_t signalInView = -1;  // the signal the signal sprites show
    std::int32_t shownFace = -2;     // its face as they last showed it; -2 not yet shown
    std::int32_t SignalLimit = kNoLimit;
    // The signal whose beacon last set the stop limit, and the one a reset
    // released: its beacon stops the train no more until the train has left
    // the beacon's reach (-1 none).
    std::int32_t stopSignal = -1;
    std::int32_t releasedSignal = -1;

    bool AtsAlarm = false;
    bool AtsAck = false;
    // The signal whose long-distance beacon gave the warning in force, and
    // the signal whose warning the driver acknowledged (-1 none): a warning
    // acknowledged raises no new alarm, and both lapse at that signal.
    std::int32_t warningSignal = -1;
    std::int32_t acknowledgedSignal = -1;
    std::int32_t AtsCounter = 0;         // logic ticks since the alarm
    std::int32_t alarmLimit = kNoLimit;  // SignalLimit when the bell started

    std::int32_t PatternSpeed = kNoPattern;  // km/h
    Extended PatternPos = 0;                 // cm
    std::int32_t patternKind = 0;            // PatternKind of the target, 0 none
    std::int32_t patternTarget = -1;         // its signal, station or entry
    std::int32_t patternWindow = -1;         // beacon window of the last capture
    std::int32_t PatternBrake = 0;           // km/h
    std::int32_t PatternWarn = 0;
    std::int32_t PatternState = 0;  // 0 none, 1 warning, 2 braking, 3 stop braking
    std::int32_t PatternStatePrev = 0;

    bool CodeLatch = false;
    std::int32_t codeFace = kNoFace;  // SignalFace the codes saw last

    // The second speed checks: the entry whose stretch the train is in, and
    // its speed while in force (999 none).
    std::int32_t speedCheck2Entry = -1;
    std::int32_t CheckSpeedInForce = kNoLimit;

    TrafficSignalView traffic;

    // The next three speed-limit signs, then the next speed check at stop.
    std::array<ApproachEntry, 3> nextLimits{};
    ApproachEntry nextCheck;

    // Logic ticks while moving since the driver last touched a control.
    std::int32_t vigilanceCount = 0;
    // Counts the changes of the signal in view, so that the signal sprites
    // follow once per change.
    std::uint32_t signalViewChanges = 0;

    ProtectionLog log;
    BeaconIndex beacons;
};

}  // namespace tovra
