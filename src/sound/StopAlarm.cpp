// The stop-approach alarm: it sounds while the train could not stop within
// the distance left before the next stop, and its lamp blinks meanwhile.
#include <cmath>

#include "cab/Cab.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

void step_stop_alarm(Cab& cab) {
    const TrainState& s = cab.state;
    SoundChannels& sound = cab.sound;
    const int alarm = cab.channels.driveChannel(cab.vehicle.Stop);
    Sprite* lamp = cab.sprites.find("img_Lamp_stopalert");
    // Standing, it would start and be stopped again in the same tick.
    if (s.Speed >= 1 && (s.Speed / 5) * (s.Speed / 3.6L) > s.RemainDistance / 100 - 125 &&
        !sound.isPlaying(alarm)) {
        sound.restartOnce(alarm);
    }
    if (s.Speed < 1 && sound.isPlaying(alarm)) {
        sound.stop(alarm);
        if (lamp) lamp->visible = false;
        sound.setVolume(alarm, 0);
    }
    if (lamp && sound.isPlaying(alarm)) {
        if (s.LogicTickCount % 10 == 0) {
            lamp->visible = true;
        } else if (s.LogicTickCount % 5 == 0) {
            lamp->visible = false;
        }
    }
}

}  // namespace tovra
