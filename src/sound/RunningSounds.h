#pragma once

#include <cstdint>

#include "common/Numeric.h"

namespace tovra {

class SoundChannels;
struct ChannelLayout;
struct DieselState;
struct PanelLamps;
struct RouteSpec;
struct RunningSoundState;
struct StationState;
struct TrainState;
struct VehicleSpec;

// The route's sounds along the line, in their order (the level crossings
// follow them in the tick).
void step_sound_zones(SoundChannels& sound, const ChannelLayout& channels, const RouteSpec& route,
                      const TrainState& s, RunningSoundState& r);
void step_points_sounds(SoundChannels& sound, const ChannelLayout& channels, const RouteSpec& route,
                        const VehicleSpec& vehicle, const TrainState& s, RunningSoundState& r);
void step_doppler_sounds(SoundChannels& sound, const ChannelLayout& channels,
                         const RouteSpec& route, const TrainState& s, const StationState& stations);

// The train's own sounds, in their order.
void step_running_sound(SoundChannels& sound, const ChannelLayout& channels, Extended speed,
                        RunningSoundState& r);
// Electric vehicles.
void step_motor_sounds(SoundChannels& sound, const ChannelLayout& channels,
                       const VehicleSpec& vehicle, const TrainState& s, RunningSoundState& r);
// Diesel vehicles; the idle sounds follow the doors (`doorOpening` as the
// stations keep it).
void step_engine_sounds(SoundChannels& sound, const ChannelLayout& channels,
                        const VehicleSpec& vehicle, const TrainState& s, const DieselState& diesel,
                        bool doorsOpen, std::int32_t doorOpening, RunningSoundState& r);
// The held horn (start, two sustain sounds taking turns, end). It blows
// while held with air in the main reservoir: `r.hornBlowing` says so, and
// the air it takes is the train's (use_horn_air).
void step_held_horn(SoundChannels& sound, const ChannelLayout& channels, const VehicleSpec& vehicle,
                    const TrainState& s, RunningSoundState& r, bool held);
void step_buzzer(SoundChannels& sound, const ChannelLayout& channels, const VehicleSpec& vehicle,
                 bool held);
void step_stop_alarm(SoundChannels& sound, const ChannelLayout& channels,
                     const VehicleSpec& vehicle, const TrainState& s, PanelLamps& lamps);
void step_brake_squeal(SoundChannels& sound, const ChannelLayout& channels,
                       const VehicleSpec& vehicle, const TrainState& s);

// After the train is placed anew: the wayside sounds may sound again.
void clearPointsSounded(RunningSoundState& r);
void clearSoundZonesPlayed(RunningSoundState& r);

// Start/pause: what each channel plays is recorded and stopped, and on
// resuming restarted from its beginning, looped or once as it was.
void pauseChannels(SoundChannels& sound, RunningSoundState& r);
void resumeChannels(SoundChannels& sound, RunningSoundState& r);
// Every channel but the first (the standing running sound keeps playing).
void stopChannelsAfterFirst(SoundChannels& sound);

}  // namespace tovra
