#pragma once

#include <cstdint>
#include <vector>

namespace tovra {

// One logic tick of a run, as the report plots it.
struct RunSample {
    double position = 0;            // cm
    float speed = 0;                // km/h
    float bcPressure = 0;           // kPa
    float lineCurrent = 0;          // A, negative while regenerating
    float lineVoltage = 0;          // V
    std::int32_t clock = 0;         // 1/30 s since midnight
    std::int16_t sectionLimit = 0;  // km/h
    std::int16_t signalLimit = 0;   // km/h, 999 none
    std::int16_t patternSpeed = 0;  // km/h, 999 none
    std::int16_t signalFace = 0;
    std::int16_t leg = 0;
    std::int8_t powerHandle = 0;
    std::int8_t brakeHandle = 0;
    bool doorsOpen = false;
};

enum class RunEventKind : std::uint8_t {
    Stop,
    Departure,
    DoorsOpened,
    DoorsClosed,
    ProtectionBrake,
    ProtectionEmergency,
    Bell,
    Emergency,  // the driver's emergency brake
    Move,
    Restore,
};

struct RunEvent {
    RunEventKind kind = RunEventKind::Stop;
    std::int32_t clock = 0;
    double position = 0;  // cm
    float speed = 0;      // km/h
    std::int16_t leg = 0;
};

// Figures kept for every tick, even once the samples are thinned.
struct RunTotals {
    double energyUsed = 0;            // J drawn from the line
    double energyRegenerated = 0;     // J returned to it
    double drivenDistance = 0;        // cm, over all legs
    double peakDeceleration = 0;      // m/s²
    std::int32_t jerks = 0;           // times the jerk rose above 1 m/s³
    std::int32_t overspeedTicks = 0;  // logic ticks above the section or signal limit
};

// What one run did. Bounded: past kMaxSamples every second sample is dropped
// and only every `stride`-th tick is kept from then on.
struct RunRecord {
    static constexpr std::size_t kMaxSamples = 72000;  // two hours at full rate
    static constexpr std::size_t kMaxEvents = 20000;

    std::vector<RunSample> samples;
    std::vector<RunEvent> events;
    RunTotals totals;
    std::int32_t stride = 1;  // logic ticks per sample
    std::int16_t legs = 1;    // a move or restore starts a new leg
};

}  // namespace tovra
