// The held horn (start, two sustain sounds taking turns, end), and the
// buzzer; both sound while their key stays down.
#include "data/VehicleSpec.h"
#include "ports/ChannelLayout.h"
#include "sim/TrainState.h"
#include "sound/RunningSoundState.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

void step_held_horn(SoundChannels& sound, const ChannelLayout& channels, const VehicleSpec& vehicle,
                    const TrainState& s, RunningSoundState& r, bool held) {
    if (!vehicle.HasSound_Horn4) return;
    const auto& horn = vehicle.Sound_Horn4;
    const int a = channels.driveChannel(horn[0]);
    const int b = channels.driveChannel(horn[1]);
    const int c = channels.driveChannel(horn[2]);
    const int z = channels.driveChannel(horn[3]);
    const std::int32_t interval = horn[4];
    const std::int32_t clock = s.Clock;
    const bool due = clock - r.hornStart > interval;
    const auto next = [&](int channel) {
        r.hornStart = clock;
        sound.playOnce(channel);
    };
    r.hornBlowing = held && s.MrPress > 0;
    if (held && !r.hornBlowing) {
        // An empty main reservoir blows no horn.
        for (int channel : {a, b, c}) {
            if (sound.isPlaying(channel)) sound.stop(channel);
        }
    } else if (held) {
        if (!sound.isPlaying(a) && !sound.isPlaying(b) && !sound.isPlaying(c)) {
            next(a);
        } else if (sound.isPlaying(a) && !sound.isPlaying(b) && due) {
            next(b);
        } else if (sound.isPlaying(b) && !sound.isPlaying(c) && due) {
            next(c);
        } else if (sound.isPlaying(c) && !sound.isPlaying(b) && due) {
            next(b);
        }
    } else {
        for (int channel : {a, b, c}) {
            if (sound.isPlaying(channel) && !sound.isPlaying(z) && due) sound.playOnce(z);
        }
    }
}

void step_buzzer(SoundChannels& sound, const ChannelLayout& channels, const VehicleSpec& vehicle,
                 bool held) {
    const int buzzer = channels.driveChannel(vehicle.Buzzer);
    if (held) {
        sound.loopIfSilent(buzzer);
    } else if (sound.isPlaying(buzzer)) {
        sound.stop(buzzer);
    }
}

}  // namespace tovra
