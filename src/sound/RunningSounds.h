#pragma once

#include <cstdint>

namespace tovra {

class Cab;
struct RunningSoundState;

// The sounds the logic tick drives. Route sounds come before the station
// pass; the rest after it.
void update_route_sounds(Cab& cab);
void update_running_sounds(Cab& cab);

// Parts of update_route_sounds, in their order.
void step_sound_zones(Cab& cab);
void step_points_sounds(Cab& cab);
void step_doppler_sounds(Cab& cab);
void step_crossings(Cab& cab);

// Parts of update_running_sounds, in their order.
void step_running_sound(Cab& cab);
void step_motor_sounds(Cab& cab);   // electric vehicles
void step_engine_sounds(Cab& cab);  // diesel vehicles
void step_held_horn(Cab& cab);
void step_buzzer(Cab& cab);
void step_stop_alarm(Cab& cab);
void step_brake_squeal(Cab& cab);

// The crossing at the head of the queue, or -1; the Enter key gives its
// call-out and then drops it.
std::int32_t queuedCrossing(const RunningSoundState& state);
void dropQueuedCrossing(RunningSoundState& state);
// After the train is placed anew: the crossings whose range holds the frame
// (first <= frame < last) become the queue, at most eleven of them.
void setActiveCrossings(Cab& cab, std::int32_t frame);
// After the train is placed anew: the wayside sounds may sound again.
void clearPointsSounded(Cab& cab);
void clearSoundZonesPlayed(Cab& cab);

// Start/pause: what each channel plays is recorded and stopped, and on
// resuming restarted from its beginning, looped or once as it was.
void pauseChannels(Cab& cab);
void resumeChannels(Cab& cab);
// Every channel but the first (the standing running sound keeps playing).
void stopChannelsAfterFirst(Cab& cab);

}  // namespace tovra
