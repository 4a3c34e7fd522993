#include "input/HandleSounds.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "cab/Cab.h"

namespace tovra {

namespace {

// The channel of a list entry; -1 (no channel) past the list's end.
int entry(const std::vector<std::int32_t>& list, std::int32_t index) {
    return index >= 0 && std::size_t(index) < list.size() ? list[std::size_t(index)] : -1;
}

void play(SoundChannels& sound, int channel) {
    if (!sound.isPlaying(channel)) sound.restartOnce(channel);
}

void playBrakeSounds(Cab& cab, std::int32_t notch) {
    const VehicleSpec& v = cab.vehicle;
    SoundChannels& sound = cab.sound;
    const std::int32_t handle = cab.state.BrakeHandle;
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
    } else if (handle == -v.Brake && handle < notch && std::fabs(cab.state.Speed) > 15) {
        // Above 15 km/h the emergency application has its own sound.
        if (!sound.isPlaying(entry(v.Sound_BA, v.Brake))) play(sound, entry(v.Sound_BA, b));
    } else if (-v.Brake <= handle && handle < notch) {
        play(sound, entry(v.Sound_BA, b));
    }
}

void playPowerSounds(Cab& cab, std::int32_t notch) {
    const VehicleSpec& v = cab.vehicle;
    const std::int32_t handle = cab.state.PowerHandle;
    if (handle == 0 && notch > 0) {
        play(cab.sound, entry(v.Sound_PR, notch - 1));  // the release of the notch in force
    } else if (handle > notch) {
        play(cab.sound, entry(v.Sound_PA, handle - 1));
    } else if (handle < notch) {
        play(cab.sound, entry(v.Sound_PA, handle));
    }
}

}  // namespace

void playHandleSounds(Cab& cab, NotchesBefore before) {
    playBrakeSounds(cab, before.brake);
    playPowerSounds(cab, before.power);
}

}  // namespace tovra
