#pragma once

#include <string>

namespace tovra::demo {

// The "[DriveSound]" list shared by the three vehicles; every sound key of a
// vehicle file refers to these numbers. Entries 0 to 12 are the running
// sounds recorded at 0, 10, ..., 120 km/h.
enum DriveSound : int {
    kRunning = 0,
    kRunningCount = 13,
    kBrakeApply = kRunningCount,
    kBrakeRelease,
    kBrakeClick,
    kPowerClick,
    kPowerOff,
    kEmergency,
    kApplyAir,
    kAtsBell,
    kAtsChime,
    kAtsAck,
    kCabSignal,
    kHorn,
    kWhistle,
    kHorn3,
    kHornStart,
    kHornSustainA,
    kHornSustainB,
    kHornEnd,
    kDoorOpen,
    kDoorClose,
    kVigilanceBell,
    kSqueal,
    kCompressorStart,
    kCompressorRun,
    kCompressorEnd,
    kStopAlarm,
    kBuzzer,
    kDepartureSignal,
    kAtsWarn,
    kPointsSlow,
    kPointsFast,
    kEngineIdle,
    kEngineIdleDoors,
    kEngineStart,
    kEngineStop,
    kDriveSoundCount
};

// The file name of a drive sound, without its folder ("run_040.wav").
std::string driveSoundName(int sound);

// Sustain interval of the held horn, clock ticks.
inline constexpr int kHornInterval = 12;

}  // namespace tovra::demo
