#include "sim/EngineStart.h"

#include <cmath>

#include "cab/Cab.h"
#include "sim/DieselTables.h"

namespace tovra {

namespace {

enum EngineKeyCommand : std::int32_t { kReleased = 0, kStart = 1, kStop = 2 };
enum EngineStates : std::int32_t { kStopping = -2, kStarting = -1, kStopped = 0, kRunning = 1 };

constexpr std::int32_t kStartTicks = 50;      // the key is held 5 s to start
constexpr std::int32_t kStopSoundTicks = 40;  // the stop sound leads the stop by 1 s
constexpr std::int32_t kStopTicks = 50;

void playStarter(Cab& cab) {
    cab.sound.restartOnce(cab.vehicle.EngineSound2[2]);
}
void playStop(Cab& cab) {
    cab.sound.restartOnce(cab.vehicle.EngineSound2[3]);
}

void followKey(Cab& cab) {
    DieselState& d = cab.diesel;
    std::int32_t& state = cab.state.EngineState;
    const std::int32_t ticks = d.EngineKeyTicks;
    const bool releasedEarly = d.EngineKey == kReleased && ticks > 0 && ticks < kStartTicks;

    switch (state) {
        case kStopped:
            if (d.EngineKey == kStart && ticks == 1) {
                playStarter(cab);
                state = kStarting;
            }
            break;
        case kStarting:
            if (d.EngineKey == kStart && ticks == kStartTicks) {
                state = kRunning;
            } else if (releasedEarly) {
                playStop(cab);
                state = kStopped;
            }
            break;
        case kRunning:
            if (d.EngineKey == kStop && ticks == 1 && cab.state.PowerHandle == 0) state = kStopping;
            break;
        case kStopping:
            if (d.EngineKey == kStop && ticks == kStopSoundTicks) {
                playStop(cab);
            } else if (d.EngineKey == kStop && ticks == kStopTicks) {
                state = kStopped;
                d.EngineKeyTicks = 0;
            } else if (releasedEarly) {
                state = kRunning;
            }
            break;
        default:
            break;
    }
}

// Power in the top gear at a standstill is more than the engine can take.
void checkStall(Cab& cab) {
    TrainState& s = cab.state;
    const DieselState& d = cab.diesel;
    const std::int32_t topGear = engineRows(cab.vehicle) - 1;
    if (s.EngineState == kRunning && s.Reverser != 0 && d.GearActual == topGear &&
        d.GearLever == topGear && s.PowerNotch >= 1 && std::fabs(s.Speed) < 0.5L) {
        s.EngineState = kStopped;
        s.PowerNotch = 0;
        playStop(cab);
    }
}

}  // namespace

void step_engine_key(Cab& cab) {
    if (cab.vehicle.Engine_Type != 0) return;
    DieselState& d = cab.diesel;
    if (d.EngineKey != kReleased) d.EngineKeyTicks += 1;
    followKey(cab);
    if (d.EngineKey == kReleased) d.EngineKeyTicks = 0;
    checkStall(cab);
}

}  // namespace tovra
