// Motor sounds of an electric train: pitch and gain follow the speed, each
// entry sounds while its notch kind is in use and fades out after.
#include <algorithm>

#include "data/VehicleSpec.h"
#include "ports/ChannelLayout.h"
#include "sim/TrainState.h"
#include "sound/RunningSoundState.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

void followSpeed(SoundChannels& sound, int channel, const EngineSound1Entry& e, Extended v,
                 EngineSoundLevel& entry) {
    if (e.x0 <= v && v <= e.x1) {
        sound.setPitch(channel, double(lineAt(v, e.x0, e.p0, e.x1, e.p1)));
        entry.level = lineAt(v, e.x0, e.gain0, e.x1, e.gain1);
    } else if (e.x1 < v && v <= e.x2) {
        sound.setPitch(channel, double(lineAt(v, e.x1, e.p1, e.x2, e.p2)));
        entry.level = lineAt(v, e.x1, e.gain1, e.x2, e.gain2);
    } else {
        entry.level = 1;
    }
}

bool inUse(const TrainState& s, std::int32_t kind) {
    return kind == 2 || (kind == 0 && s.PowerNotch >= 1) || (kind == 1 && s.BrakeNotch < 0);
}

void stepGroupFactor(const TrainState& s, Extended& factor) {
    if (s.PowerNotch != 0 || s.BrakeNotch != 0 || s.ProtectService || s.ProtectEmergency) {
        if (factor < 85) factor += 20;
    } else if (factor > 15) {
        factor -= 10;
    }
    factor = std::min<Extended>(factor, 100);
}

}  // namespace

void step_motor_sounds(SoundChannels& sound, const ChannelLayout& channels,
                       const VehicleSpec& vehicle, const TrainState& s, RunningSoundState& r) {
    const std::size_t count = std::min(vehicle.EngineSound1.size(), r.engineSound1.size());
    for (std::size_t j = 0; j < count; ++j) {
        const EngineSound1Entry& e = vehicle.EngineSound1[j];
        EngineSoundLevel& entry = r.engineSound1[j];
        const int channel = channels.motor + int(j);
        followSpeed(sound, channel, e, s.Speed, entry);
        if (inUse(s, e.Kind)) {
            entry.activity = 100;
        } else if (entry.activity > 11) {
            entry.activity -= 10;
        }
        // The group steps once per entry: vehicle sound data is tuned to
        // swell and fade faster the more motor entries a train has.
        stepGroupFactor(s, r.groupFactor1);
        entry.level = std::max<Extended>(entry.level, 1);
        const int volume = logVolume(entry.level * entry.activity * r.groupFactor1 / 1000000, 1660);
        sound.setVolume(channel, volume <= -3000 || entry.activity <= 10
                                     ? SoundChannels::kSilentVolume
                                     : volume);
        if (entry.activity < 5) {
            if (sound.isPlaying(channel)) sound.stop(channel);
        } else {
            sound.loopIfSilent(channel);
        }
    }
}

}  // namespace tovra
