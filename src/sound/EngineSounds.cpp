// Engine sounds of a diesel railcar: the first group follows the engine
// speed, the idle pair follows the engine and the doors, the second group
// follows the train's speed in its gear.
#include <algorithm>

#include "data/VehicleSpec.h"
#include "ports/ChannelLayout.h"
#include "sim/DieselState.h"
#include "sim/TrainState.h"
#include "sound/RunningSoundState.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

// Pitch and gain on the line from (low, ...) to (high, ...), fading in over
// the 10 units below `low` and out over the 10 above `high`.
struct Band {
    Extended low, pitchLow, gainLow;
    Extended high, pitchHigh, gainHigh;
};

// What every engine sound step reads and plays on.
struct EngineSoundRecords {
    SoundChannels& sound;
    const ChannelLayout& channels;
    const VehicleSpec& vehicle;
    const TrainState& s;
    const DieselState& diesel;
    RunningSoundState& r;
};

void followBand(SoundChannels& sound, int channel, const Band& b, Extended x,
                EngineSoundLevel& entry) {
    const auto pitch = [&] { return double(lineAt(x, b.low, b.pitchLow, b.high, b.pitchHigh)); };
    if (b.low < x && x < b.high) {
        sound.setPitch(channel, pitch());
        entry.level = lineAt(x, b.low, b.gainLow, b.high, b.gainHigh);
    } else if (b.low - 10 < x && x < b.high + 10) {
        sound.setPitch(channel, pitch());
        entry.level =
            x <= b.low ? b.gainLow * (x - b.low + 10) / 10 : b.gainHigh * (b.high + 10 - x) / 10;
    } else {
        entry.level = 1;
    }
}

void play(SoundChannels& sound, int channel, EngineSoundLevel& entry, Extended groupFactor) {
    entry.level = std::max<Extended>(entry.level, 1);
    sound.setVolume(channel, logVolume(entry.level * entry.activity * groupFactor / 1000000, 1660));
    sound.loopIfSilent(channel);
}

// Steps `factor` up to 95 and more while driving, down to `floor` while
// coasting or shifting; once per entry of its group, like the motor sounds.
void stepFactor(Extended& factor, bool driving, bool coasting, Extended step, Extended floor) {
    if (driving) {
        if (factor < 95) factor += step;
    } else if (coasting && factor > floor) {
        factor -= step;
    }
}

void stepEngineSound1(const EngineSoundRecords& k) {
    const TrainState& s = k.s;
    RunningSoundState& r = k.r;
    const std::size_t count = std::min(k.vehicle.EngineSound1.size(), r.engineSound1.size());
    for (std::size_t j = 0; j < count; ++j) {
        const EngineSound1Entry& e = k.vehicle.EngineSound1[j];
        EngineSoundLevel& entry = r.engineSound1[j];
        const int channel = k.channels.motor + int(j);
        followBand(k.sound, channel, {e.x0, e.p0, e.gain0, e.x2, e.p2, e.gain2}, s.EngineRpm,
                   entry);
        if (e.Kind >= 0) {
            entry.activity = e.Kind == k.diesel.GearActual ? 100 : 1;
        } else if (e.Kind == -1) {
            entry.activity = 100;
        } else if (e.Kind == -2 && s.BrakeNotch < 0) {
            entry.activity = 100;
        }
        stepFactor(r.groupFactor1,
                   s.PowerNotch != 0 && k.diesel.ShiftState == 0 && s.EngineState == 1,
                   s.PowerNotch == 0 || k.diesel.ShiftState != 0, 5, 5);
        play(k.sound, channel, entry, r.groupFactor1);
    }
}

void stepIdleSounds(const EngineSoundRecords& k, bool doorsOpen, std::int32_t doorOpening) {
    RunningSoundState& r = k.r;
    SoundChannels& sound = k.sound;
    r.doorClosingTicks = doorsOpen && doorOpening == 0 ? r.doorClosingTicks + 1 : 0;
    const int idle = k.channels.driveChannel(k.vehicle.EngineSound2[0]);
    const int doorsIdle = k.channels.driveChannel(k.vehicle.EngineSound2[1]);
    const auto loopAlone = [&](int channel) {
        if (sound.isPlaying(channel)) return;
        sound.stop(idle);
        sound.stop(doorsIdle);
        sound.playLoop(channel);
    };
    if (k.s.EngineState != 1) {
        sound.stop(idle);
        sound.stop(doorsIdle);
    } else if (r.doorClosingTicks == 55 || !doorsOpen) {
        loopAlone(idle);
    } else if (r.doorClosingTicks < 30) {
        loopAlone(doorsIdle);
    }
}

void stepEngineSound3(const EngineSoundRecords& k) {
    const TrainState& s = k.s;
    RunningSoundState& r = k.r;
    const bool shifting = k.diesel.ShiftState != 0;
    const std::size_t count = std::min(k.vehicle.EngineSound3.size(), r.engineSound3.size());
    for (std::size_t j = 0; j < count; ++j) {
        const EngineSound3Entry& e = k.vehicle.EngineSound3[j];
        EngineSoundLevel& entry = r.engineSound3[j];
        const int channel = k.channels.engine + int(j);
        followBand(k.sound, channel, {e.x0, e.p0, e.gain0, e.x1, e.p1, e.gain1}, s.Speed, entry);
        const bool pulling = e.Kind == 1 && s.PowerNotch >= 1;
        const bool braking = e.Kind == 2 && s.BrakeNotch < 0 && s.Speed > k.vehicle.Lose_elec;
        if (pulling || braking) {
            if (entry.activity < 95 && (braking || e.Gear == k.diesel.GearActual))
                entry.activity += 10;
        } else if (entry.activity > 10) {
            entry.activity -= 10;
        }
        stepFactor(r.groupFactor3,
                   (s.PowerNotch != 0 || s.BrakeNotch != 0) && !shifting && s.EngineState == 1,
                   (s.PowerNotch == 0 && s.BrakeNotch == 0) || shifting, 10, 10);
        play(k.sound, channel, entry, r.groupFactor3);
    }
}

}  // namespace

void step_engine_sounds(SoundChannels& sound, const ChannelLayout& channels,
                        const VehicleSpec& vehicle, const TrainState& s, const DieselState& diesel,
                        bool doorsOpen, std::int32_t doorOpening, RunningSoundState& r) {
    const EngineSoundRecords records{sound, channels, vehicle, s, diesel, r};
    stepEngineSound1(records);
    stepIdleSounds(records, doorsOpen, doorOpening);
    stepEngineSound3(records);
}

}  // namespace tovra
