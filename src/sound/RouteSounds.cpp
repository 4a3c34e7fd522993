// The route's sounds along the line: sound zones, points and passing
// sources, each on the channel of its route sound.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "ports/ChannelLayout.h"
#include "sim/StationState.h"
#include "sim/TrainState.h"
#include "sound/RunningSoundState.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

constexpr Extended kSoundSpeed = 1220;   // km/h
constexpr Extended kSourceOffset = 300;  // cm beside the track

// Frames apart, without overflow whatever the data file holds.
std::int64_t framesApart(std::int32_t a, std::int32_t b) {
    return std::abs(std::int64_t(a) - b);
}

// The speed-dependent volume factor of the zone the frame lies in; the last
// zone that holds the frame wins.
Extended attenuation(const RouteSpec& route, std::int32_t frame) {
    Extended a = 1;
    for (const AttenuationRecord& zone : route.Attenuations) {
        if (zone.firstFrame < frame && frame < zone.lastFrame) a = zone.factor / 100.0L;
    }
    return a;
}

void followSpeed(SoundChannels& sound, int channel, const SoundZone& zone, Extended speed,
                 Extended a) {
    const Extended r = zone.referenceSpeed;
    // A zone without a reference speed keeps its recorded pitch and volume.
    sound.setPitch(channel, zone.pitchFollowsSpeed != 0 && r > 0 ? double(speed / r) : 1.0);
    sound.setVolume(channel, speed > 0 && zone.volumeFollowsSpeed == 1 && r > 0
                                 ? logVolume(speed * a / r, 5000)
                                 : 0);
}

void stepZone(SoundChannels& sound, const ChannelLayout& channels, const SoundZone& zone,
              const TrainState& s, bool& played, Extended a) {
    const std::int32_t frame = s.Frame;
    const int channel = channels.routeChannel(zone.sound);
    const std::int32_t end = zone.field3;
    const std::int32_t mode = zone.field5;     // 0 once, 1 and above looped
    const std::int32_t trigger = zone.field8;  // 1: once when passed slowly enough
    if (trigger == 0) {
        if (framesApart(zone.frame, frame) < 15) {
            followSpeed(sound, channel, zone, s.Speed, a);
            if (!played && mode >= 0) {
                sound.stop(channel);
                if (mode == 0) {
                    sound.playOnce(channel);
                } else {
                    sound.playLoop(channel);
                }
                played = true;
            }
        }
        if (mode >= 1 && framesApart(end, frame) < 10 && played) sound.stop(channel);
        if (zone.frame < frame && frame < end) {
            followSpeed(sound, channel, zone, s.Speed, a);
            if (s.Speed < 1) sound.setVolume(channel, SoundChannels::kSilentVolume);
        }
    } else if (trigger == 1 && zone.frame < frame && frame < end && !played &&
               zone.referenceSpeed >= roundHalfEven(s.Speed)) {
        sound.restartOnce(channel);
        played = true;
    }
}

// The first points sound of the switch's kind for a speed below its own.
const SwitchSoundRow* pointsSound(const VehicleSpec& vehicle, std::int32_t id, Extended speed) {
    for (const SwitchSoundRow& row : vehicle.SwitchSound) {
        if (row.SwitchId == id && row.Speed > speed) return &row;
    }
    return nullptr;
}

// The ratio of the heard to the emitted frequency of a source d cm ahead (or
// behind, d < 0) of the train, 300 cm beside the track.
Extended dopplerRatio(Extended d, Extended speed) {
    const Extended closing = std::cos(std::atan(kSourceOffset / d)) * speed;
    return kSoundSpeed / (d > 0 ? kSoundSpeed - closing : kSoundSpeed + closing);
}

bool departed(const StationState& stations, std::int32_t station) {
    return station >= 0 && std::size_t(station) < stations.progress.size() &&
           stations.progress[std::size_t(station)].departureStarted;
}

}  // namespace

void step_sound_zones(SoundChannels& sound, const ChannelLayout& channels, const RouteSpec& route,
                      const TrainState& s, RunningSoundState& r) {
    const Extended a = attenuation(route, s.Frame);
    auto& played = r.soundZonePlayed;
    const std::size_t count = std::min(route.SoundZones.size(), played.size());
    for (std::size_t k = 0; k < count; ++k)
        stepZone(sound, channels, route.SoundZones[k], s, played[k], a);
}

void step_points_sounds(SoundChannels& sound, const ChannelLayout& channels, const RouteSpec& route,
                        const VehicleSpec& vehicle, const TrainState& s, RunningSoundState& r) {
    auto& sounded = r.pointsSounded;
    const std::size_t count = std::min(route.Switches.size(), sounded.size());
    for (std::size_t k = 0; k < count; ++k) {
        const PointsRecord& points = route.Switches[k];
        if (sounded[k] || framesApart(points.frame, s.Frame) >= 15) continue;
        if (const SwitchSoundRow* row = pointsSound(vehicle, points.sound, s.Speed)) {
            sound.restartOnce(channels.driveChannel(row->Sound));
            sounded[k] = true;
        }
    }
}

void step_doppler_sounds(SoundChannels& sound, const ChannelLayout& channels,
                         const RouteSpec& route, const TrainState& s,
                         const StationState& stations) {
    bool anyInRange = false;
    for (const DopplerSource& source : route.DopplerSources) {
        const Extended d = source.position - s.Position;
        const Extended range = source.range;
        if (std::fabs(d) > range) continue;
        anyInRange = true;
        const int channel = channels.routeChannel(source.sound);
        if (!sound.isPlaying(channel) &&
            (source.station == 0 || departed(stations, source.station))) {
            sound.stop(channel);
            sound.playLoop(channel);
        }
        if (source.panned == 0 && d != 0) {
            const Extended ratio = dopplerRatio(d, s.Speed);
            if (std::isfinite(ratio) && ratio > 0) sound.setPitch(channel, double(ratio));
        }
        sound.setVolume(channel, logVolume((range - std::fabs(d)) / range, 2000));
    }
    if (anyInRange) return;
    for (const DopplerSource& source : route.DopplerSources) {
        const int channel = channels.routeChannel(source.sound);
        if (sound.isPlaying(channel)) sound.stop(channel);
    }
}

void clearPointsSounded(RunningSoundState& r) {
    r.pointsSounded.fill(false);
}

void clearSoundZonesPlayed(RunningSoundState& r) {
    r.soundZonePlayed.fill(false);
}

}  // namespace tovra
