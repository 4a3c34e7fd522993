// The stop-approach alarm: it sounds while the train could not stop within
// the distance left before the next stop, and its lamp blinks meanwhile.
#include <cmath>

#include "data/VehicleSpec.h"
#include "ports/ChannelLayout.h"
#include "sim/PanelLamps.h"
#include "sim/TrainState.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

void step_stop_alarm(SoundChannels& sound, const ChannelLayout& channels,
                     const VehicleSpec& vehicle, const TrainState& s, PanelLamps& lamps) {
    const int alarm = channels.driveChannel(vehicle.Stop);
    // Standing, it would start and be stopped again in the same tick.
    if (s.Speed >= 1 && (s.Speed / 5) * (s.Speed / 3.6L) > s.RemainDistance / 100 - 125 &&
        !sound.isPlaying(alarm)) {
        sound.restartOnce(alarm);
    }
    if (s.Speed < 1 && sound.isPlaying(alarm)) {
        sound.stop(alarm);
        lamps.stopAlert = false;
        sound.setVolume(alarm, 0);
    }
    if (sound.isPlaying(alarm)) {
        if (s.LogicTickCount % 10 == 0) {
            lamps.stopAlert = true;
        } else if (s.LogicTickCount % 5 == 0) {
            lamps.stopAlert = false;
        }
    }
}

}  // namespace tovra
