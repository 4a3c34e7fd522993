// Pausing the run silences every channel; resuming starts again from the
// beginning what was sounding, looped or once as it was.
#include "ports/SoundChannels.h"
#include "sound/RunningSoundState.h"
#include "sound/RunningSounds.h"

namespace tovra {

void pauseChannels(SoundChannels& sound, RunningSoundState& r) {
    auto& paused = r.pausedChannels;
    for (int channel = 0; channel < SoundDevice::kChannelCount; ++channel) {
        paused[std::size_t(channel)] = sound.status(channel);
        if (paused[std::size_t(channel)] != SoundDevice::Status::NotPlaying) sound.stop(channel);
    }
}

void resumeChannels(SoundChannels& sound, RunningSoundState& r) {
    auto& paused = r.pausedChannels;
    for (int channel = 0; channel < SoundDevice::kChannelCount; ++channel) {
        switch (paused[std::size_t(channel)]) {
            case SoundDevice::Status::Once:
                sound.playOnce(channel);
                break;
            case SoundDevice::Status::Looped:
                sound.playLoop(channel);
                break;
            case SoundDevice::Status::NotPlaying:
                break;
        }
    }
    // A second resume without a pause in between restarts nothing.
    paused.fill(SoundDevice::Status::NotPlaying);
}

void stopChannelsAfterFirst(SoundChannels& sound) {
    for (int channel = 1; channel < SoundDevice::kChannelCount; ++channel) sound.stop(channel);
}

}  // namespace tovra
