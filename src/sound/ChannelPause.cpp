// Pausing the run silences every channel; resuming starts again from the
// beginning what was sounding, looped or once as it was.
#include "cab/Cab.h"
#include "sound/RunningSounds.h"

namespace tovra {

void pauseChannels(Cab& cab) {
    auto& paused = cab.runningSound.pausedChannels;
    for (int channel = 0; channel < SoundDevice::kChannelCount; ++channel) {
        paused[std::size_t(channel)] = cab.sound.status(channel);
        if (paused[std::size_t(channel)] != SoundDevice::Status::NotPlaying)
            cab.sound.stop(channel);
    }
}

void resumeChannels(Cab& cab) {
    auto& paused = cab.runningSound.pausedChannels;
    for (int channel = 0; channel < SoundDevice::kChannelCount; ++channel) {
        switch (paused[std::size_t(channel)]) {
            case SoundDevice::Status::Once:
                cab.sound.playOnce(channel);
                break;
            case SoundDevice::Status::Looped:
                cab.sound.playLoop(channel);
                break;
            case SoundDevice::Status::NotPlaying:
                break;
        }
    }
    // A second resume without a pause in between restarts nothing.
    paused.fill(SoundDevice::Status::NotPlaying);
}

void stopChannelsAfterFirst(Cab& cab) {
    for (int channel = 1; channel < SoundDevice::kChannelCount; ++channel) cab.sound.stop(channel);
}

}  // namespace tovra
