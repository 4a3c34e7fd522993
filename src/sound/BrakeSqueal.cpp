// Brake squeal: loud at high cylinder pressure and low speed while only the
// air brake holds the train, fading out once the brake is released or the
// train stands.
#include <algorithm>
#include <cmath>

#include "data/VehicleSpec.h"
#include "ports/ChannelLayout.h"
#include "sim/TrainState.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

void fade(SoundChannels& sound, int channel, int step) {
    if (sound.volume(channel) >= -5999) sound.setVolume(channel, sound.volume(channel) - step);
    if (sound.volume(channel) < -5000) sound.stop(channel);
}

}  // namespace

void step_brake_squeal(SoundChannels& sound, const ChannelLayout& channels,
                       const VehicleSpec& vehicle, const TrainState& s) {
    const int squeal = channels.driveChannel(vehicle.Sound_squeak);
    const Extended pressure = s.BcPressT;
    const Extended speed = std::fabs(s.Speed);
    const bool airOnly = pressure > 0 && s.ElecBrakeCurrent == 0 && speed > 1;
    if (airOnly) sound.loopIfSilent(squeal);
    if (pressure == 0) fade(sound, squeal, 100);
    if (speed < 1) fade(sound, squeal, 1000);
    if (airOnly) {
        // Backwards as forwards; with no electric-brake speed the squeal is silent.
        const int loseElec = vehicle.Lose_elec;
        const Extended volume =
            loseElec > 0 ? speed * 500 / loseElec / pressure * -500 : SoundChannels::kSilentVolume;
        sound.setVolume(
            squeal, int(roundHalfEven(std::max<Extended>(volume, SoundChannels::kSilentVolume))));
    }
}

}  // namespace tovra
