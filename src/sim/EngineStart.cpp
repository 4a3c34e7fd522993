#include "sim/EngineStart.h"

#include <cmath>

#include "sim/DieselTables.h"

namespace tovra {

namespace {

struct EngineRecords {
    DieselState& diesel;
    TrainState& state;
    SoundChannels& sound;
    const VehicleSpec& vehicle;
};

enum EngineKeyCommand : std::int32_t { kReleased = 0, kStart = 1, kStop = 2 };
enum EngineStates : std::int32_t { kStopping = -2, kStarting = -1, kStopped = 0, kRunning = 1 };

constexpr std::int32_t kStartTicks = 50;      // the key is held 5 s to start
constexpr std::int32_t kStopSoundTicks = 40;  // the stop sound leads the stop by 1 s
constexpr std::int32_t kStopTicks = 50;

void playStarter(EngineRecords& e) {
    e.sound.restartOnce(e.vehicle.EngineSound2[2]);
}
void playStop(EngineRecords& e) {
    e.sound.restartOnce(e.vehicle.EngineSound2[3]);
}

void followKey(EngineRecords& e) {
    DieselState& d = e.diesel;
    std::int32_t& state = e.state.EngineState;
    const std::int32_t ticks = d.EngineKeyTicks;
    const bool releasedEarly = d.EngineKey == kReleased && ticks > 0 && ticks < kStartTicks;

    switch (state) {
        case kStopped:
            if (d.EngineKey == kStart && ticks == 1) {
                playStarter(e);
                state = kStarting;
            }
            break;
        case kStarting:
            if (d.EngineKey == kStart && ticks == kStartTicks) {
                state = kRunning;
            } else if (releasedEarly) {
                playStop(e);
                state = kStopped;
            }
            break;
        case kRunning:
            if (d.EngineKey == kStop && ticks == 1 && e.state.PowerHandle == 0) state = kStopping;
            break;
        case kStopping:
            if (d.EngineKey == kStop && ticks == kStopSoundTicks) {
                playStop(e);
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
void checkStall(EngineRecords& e) {
    TrainState& s = e.state;
    const DieselState& d = e.diesel;
    const std::int32_t topGear = engineRows(e.vehicle) - 1;
    if (s.EngineState == kRunning && s.Reverser != 0 && d.GearActual == topGear &&
        d.GearLever == topGear && s.PowerNotch >= 1 && std::fabs(s.Speed) < 0.5L) {
        s.EngineState = kStopped;
        s.PowerNotch = 0;
        playStop(e);
    }
}

}  // namespace

void step_engine_key(DieselState& diesel, TrainState& state, SoundChannels& sound,
                     const VehicleSpec& vehicle) {
    EngineRecords e{diesel, state, sound, vehicle};
    if (e.vehicle.Engine_Type != 0) return;
    DieselState& d = e.diesel;
    if (d.EngineKey != kReleased) d.EngineKeyTicks += 1;
    followKey(e);
    if (d.EngineKey == kReleased) d.EngineKeyTicks = 0;
    checkStall(e);
}

}  // namespace tovra
