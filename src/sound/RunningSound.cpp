// The running sound: channel k holds the sound recorded at k x 10 km/h, and
// the two neighbours around the speed cross-fade.
#include "cab/Cab.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

constexpr int kTopRunningChannel = 12;

int percentVolume(Extended gain) {
    return logVolume(gain / 100, 2000);
}

}  // namespace

void step_running_sound(Cab& cab) {
    SoundChannels& sound = cab.sound;
    RunningSoundState& r = cab.runningSound;
    const auto s = int(roundHalfEven(std::fabs(cab.state.Speed)));
    if (s < 120) {
        const int p = s / 10;
        const int below = cab.channels.driveChannel(p - 1);
        const int low = cab.channels.driveChannel(p);
        const int high = cab.channels.driveChannel(p + 1);
        const int above = cab.channels.driveChannel(p + 2);
        if (s >= 11 && p >= 2 && sound.isPlaying(below)) sound.stop(below);
        if (s < 110 && sound.isPlaying(above)) sound.stop(above);
        sound.loopIfSilent(low);
        if (p < kTopRunningChannel) sound.loopIfSilent(high);
        r.g1 = 100 - 10 * (s % 10);
        r.g2 = 10 * (s % 10);
        if (r.g1 == 0) r.g1 = 1;
        if (r.g2 == 0) r.g2 = 1;
        if (p >= 1) sound.setVolume(low, percentVolume(r.g1));
        sound.setVolume(high, percentVolume(r.g2));
    } else {
        const int top = cab.channels.driveChannel(kTopRunningChannel);
        if (!sound.isPlaying(top)) {
            sound.stop(top);
            sound.playLoop(top);
            sound.setVolume(top, 0);
        }
    }
}

void update_running_sounds(Cab& cab) {
    step_running_sound(cab);
    if (cab.vehicle.Engine_Type == 1) {
        step_motor_sounds(cab);
    } else if (cab.vehicle.Engine_Type == 0) {
        step_engine_sounds(cab);
    }
    step_held_horn(cab);
    step_buzzer(cab);
    step_stop_alarm(cab);
    step_brake_squeal(cab);
}

}  // namespace tovra
