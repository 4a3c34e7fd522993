#include "cab/SoundSteps.h"

#include "cab/Cab.h"
#include "ports/Host.h"
#include "sim/CrossingQueue.h"
#include "sim/HornAir.h"
#include "sound/RunningSounds.h"

namespace tovra {

namespace {

// A key counts as held from its key press until the key is up again.
bool stillHeld(Host& host, bool& pressed, HeldKey key) {
    if (pressed && !host.isKeyHeld(key)) pressed = false;
    return pressed;
}

}  // namespace

void update_route_sounds(Cab& cab) {
    const TrainState& s = cab.state;
    step_sound_zones(cab.sound, cab.channels, cab.route, s, cab.runningSound);
    step_points_sounds(cab.sound, cab.channels, cab.route, cab.vehicle, s, cab.runningSound);
    step_doppler_sounds(cab.sound, cab.channels, cab.route, s, cab.stations);
    step_crossings(cab.crossings, cab.lamps, cab.route, cab.stations, s.Frame);
}

void update_running_sounds(Cab& cab) {
    SoundChannels& sound = cab.sound;
    const ChannelLayout& channels = cab.channels;
    const VehicleSpec& vehicle = cab.vehicle;
    RunningSoundState& r = cab.runningSound;
    step_running_sound(sound, channels, cab.state.Speed, r);
    if (vehicle.Engine_Type == 1) {
        step_motor_sounds(sound, channels, vehicle, cab.state, r);
    } else if (vehicle.Engine_Type == 0) {
        step_engine_sounds(sound, channels, vehicle, cab.state, cab.diesel, cab.traction.doorsOpen,
                           cab.stations.doorOpening, r);
    }
    const bool hornHeld =
        stillHeld(cab.host, cab.controller.hornHeld, HeldKey::Horn3) || cab.external.controllerHorn;
    step_held_horn(sound, channels, vehicle, cab.state, r, hornHeld);
    if (vehicle.HasSound_Horn4 && r.hornBlowing) use_horn_air(cab.state);
    step_buzzer(sound, channels, vehicle,
                stillHeld(cab.host, cab.controller.buzzerHeld, HeldKey::Horn4));
    step_stop_alarm(sound, channels, vehicle, cab.state, cab.lamps);
    step_brake_squeal(sound, channels, vehicle, cab.state);
}

}  // namespace tovra
