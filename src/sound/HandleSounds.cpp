#include "sound/HandleSounds.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace tovra {

namespace {

// The channel of a list entry; -1 (no channel) past the list's end.
int entry(const std::vector<std::int32_t>& list, std::int32_t index) {
    return index >= 0 && std::size_t(index) < list.size() ? list[std::size_t(index)] : -1;
}

void play(SoundChannels& sound, int channel) {
    if (!sound.isPlaying(channel)) sound.restartOnce(channel);
}

void playBrakeSounds(SoundChannels& sound, const TrainState& s, const VehicleSpec& v,
                     std::int32_t notch) {
    const std::int32_t handle = s.BrakeHandle;
    const std::int32_t b = std::abs(notch);
    if (handle < notch) {
        for (std::int32_t i = 0; i < v.Brake; ++i) {
            sound.stop(entry(v.Sound_BK, i));
            sound.stop(entry(v.Sound_BR, i));
            sound.stop(entry(v.Sound_BA, i));
        }
    }
    if (v.BrakeType == 0) {
        if (handle == 0 && notch < 0) {
            play(sound, entry(v.Sound_BK, b - 1));
        } else if (notch < handle) {
            play(sound, entry(v.Sound_BR, b - 1));
        } else if (-v.Brake < handle && handle < notch) {
            play(sound, entry(v.Sound_BA, b));
        }
    } else if (handle == -v.Brake && handle < notch && std::fabs(s.Speed) > 15) {
        // Above 15 km/h the emergency application has its own sound.
        if (!sound.isPlaying(entry(v.Sound_BA, v.Brake))) play(sound, entry(v.Sound_BA, b));
    } else if (-v.Brake <= handle && handle < notch) {
        play(sound, entry(v.Sound_BA, b));
    }
}

void playPowerSounds(SoundChannels& sound, const TrainState& s, const VehicleSpec& v,
                     std::int32_t notch) {
    const std::int32_t handle = s.PowerHandle;
    if (handle == 0 && notch > 0) {
        play(sound, entry(v.Sound_PR, notch - 1));  // the release of the notch in force
    } else if (handle > notch) {
        play(sound, entry(v.Sound_PA, handle - 1));
    } else if (handle < notch) {
        play(sound, entry(v.Sound_PA, handle));
    }
}

}  // namespace

void playHandleSounds(SoundChannels& sound, const TrainState& s, const VehicleSpec& v,
                      NotchesBefore before) {
    playBrakeSounds(sound, s, v, before.brake);
    playPowerSounds(sound, s, v, before.power);
}

}  // namespace tovra
