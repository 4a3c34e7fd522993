// The running sound: channel k holds the sound recorded at k x 10 km/h, and
// the two neighbours around the speed cross-fade.
#include "ports/ChannelLayout.h"
#include "sound/RunningSoundState.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

constexpr int kTopRunningChannel = 12;

int percentVolume(Extended gain) {
    return logVolume(gain / 100, 2000);
}

}  // namespace

void step_running_sound(SoundChannels& sound, const ChannelLayout& channels, Extended speed,
                        RunningSoundState& r) {
    const auto s = int(roundHalfEven(std::fabs(speed)));
    if (s < 120) {
        const int p = s / 10;
        const int below = channels.driveChannel(p - 1);
        const int low = channels.driveChannel(p);
        const int high = channels.driveChannel(p + 1);
        const int above = channels.driveChannel(p + 2);
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
        const int top = channels.driveChannel(kTopRunningChannel);
        if (!sound.isPlaying(top)) {
            sound.stop(top);
            sound.playLoop(top);
            sound.setVolume(top, 0);
        }
    }
}

}  // namespace tovra
