#include "sim/Stations.h"

#include <cmath>
#include <random>

#include "cab/Cab.h"
#include "common/Numeric.h"
#include "sim/Doors.h"
#include "sound/CalloutQueue.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

constexpr std::int32_t kPass = 1;
constexpr std::int32_t kInformation = 3;
constexpr std::int32_t kStationVideo = 1;

bool atRest(const Cab& cab) {
    return roundHalfEven(cab.state.Speed) == 0;
}
bool standing(const Cab& cab) {
    return std::fabs(cab.state.Speed) < 0.1L;
}
std::int32_t ticksOf(const Cab& cab, std::int32_t sound) {
    return 30 * soundSeconds(cab.routeSoundSeconds, sound);
}
int channelOf(const Cab& cab, std::int32_t sound) {
    return cab.channels.routeChannel(sound);
}

void nextStationText(Cab& cab, const StationRecord& n) {
    const ProgramSettings& s = cab.settings;
    StationState& st = cab.stations;
    switch (n.kind) {
        case 0:
            st.stationText = "次は " + n.name + s.StopText;
            break;
        case kPass:
            st.stationText = "次は " + n.name + s.PassText;
            break;
        case 2:
            st.stationText = "次は " + n.name + s.Stop2Text;
            break;
        case kInformation:
            st.stationText = s.InfoLabels.empty() ? std::string() : s.InfoLabels[0];
            break;
        default:
            break;
    }
}

// Moves the target on to the next stop; false when none is left.
bool moveNextStop(Cab& cab, std::int32_t j) {
    const auto k = next_stop_after(cab.route, j);
    if (!k) return false;
    StationState& st = cab.stations;
    const StationRecord& to = cab.route.stationOrEmpty(std::size_t(*k));
    cab.NextStopPosition = to.stopPosition;
    st.nextStopIndex = *k;
    st.fromStationName = cab.route.Stations[std::size_t(j)].name;
    st.toStationName = to.name;
    return true;
}

// The stretch sound of a route with exactly one [Sound2] line.
const StretchSound* onlyStretchSound(const Cab& cab) {
    return cab.route.SoundZones2.size() == 1 ? &cab.route.SoundZones2.front() : nullptr;
}

void arrivalAnnouncement(Cab& cab, const StationRecord& s, StationProgress& p) {
    cab.sound.restartOnce(channelOf(cab, s.arrivalSound));
    cab.stations.doorEventClock = cab.state.Clock;
    p.doorsOpenedHere = true;
    cab.controller.departureCalloutPending = true;
}

// Steps at a station whose zone the train is in and which it has not left;
// false when the run is over and the rest of the tick is skipped.
bool workStation(Cab& cab, std::int32_t j) {
    const StationRecord& s = cab.route.Stations[std::size_t(j)];
    StationState& st = cab.stations;
    StationProgress& p = st.progress[std::size_t(j)];
    const std::int32_t clock = cab.state.Clock;
    const bool doorsOpen = cab.traction.doorsOpen;
    const std::int32_t oneMan = cab.route.OneMan;

    if (s.kind == 0 && (st.currentStation == 0 || st.currentStation == st.startStation) &&
        atRest(cab) && !p.doorsOpenedHere) {
        cab.sound.restartOnce(channelOf(cab, 0));
        st.doorEventClock = clock;
        p.doorsOpenedHere = true;
        cab.controller.departureCalloutPending = true;
    }
    if (s.kind == 0 && oneMan >= 1 && !doorsOpen && atRest(cab) && !p.stopCalloutGiven) {
        p.stopCalloutGiven = true;
        station_callout_moment(cab, 0);
    }
    if (s.kind == 0 && oneMan == 0 && !cab.traction.doorsOpen && standing(cab)) {
        station_callout_moment(cab, 0);
        stations::Door_operate(cab);
        arrivalAnnouncement(cab, s, p);
        station_callout_moment(cab, 1);
        if (const StretchSound* z = onlyStretchSound(cab); z && j == z->lastStation)
            cab.sound.stop(channelOf(cab, z->sound));
    }
    if (s.kind == 0 && oneMan >= 1 && cab.traction.doorsOpen && !p.doorsOpenedHere && atRest(cab)) {
        arrivalAnnouncement(cab, s, p);
        station_callout_moment(cab, 1);
        if (!moveNextStop(cab, j)) return false;
    }
    if (s.kind == 2 && !p.doorsOpenedHere && atRest(cab)) arrivalAnnouncement(cab, s, p);

    if (cab.state.VideoMode[0] == kStationVideo) return true;
    const std::int32_t start = s.departureTime - ticksOf(cab, s.departureSound);
    if (start < clock && !p.departureStarted &&
        clock - st.doorEventClock > ticksOf(cab, s.arrivalSound)) {
        if ((s.kind >= 2 && standing(cab)) || (s.kind == 0 && cab.traction.doorsOpen)) {
            moveNextStop(cab, j);
            cab.sound.restartOnce(channelOf(cab, s.departureSound));
            p.departureStarted = true;
            cab.runningSound.crossingLamp = false;
            st.doorEventClock = clock;
            station_callout_moment(cab, 2);
            // Sounded with the departure it signals: restarted on every tick
            // a late train spends rolling through the zone, it would only
            // stutter.
            if (s.kind == 2) cab.sound.restartOnce(driveChannel(cab, cab.vehicle.DepSign));
        }
    }
    if (oneMan == 0 && s.departureTime < clock && cab.traction.doorsOpen && p.departureStarted &&
        p.doorsOpenedHere && !p.departedHere &&
        clock - st.doorEventClock > ticksOf(cab, s.departureSound)) {
        stations::Door_operate(cab);
        p.departedHere = true;
        cab.sound.stop(channelOf(cab, s.arrivalSound));
        station_callout_moment(cab, 5);
        if (const StretchSound* z = onlyStretchSound(cab);
            z && z->firstStation <= j && j < z->lastStation)
            cab.sound.loopIfSilent(channelOf(cab, z->sound));
    }
    return true;
}

void endOfRun(Cab& cab, std::int32_t j) {
    StationState& st = cab.stations;
    // Only the station the train stands at can end the run.
    if (st.runEnded || !atRest(cab) || !st.progress[std::size_t(j)].arrived) return;
    const StationRecord& s = cab.route.Stations[std::size_t(j)];
    const bool last = std::size_t(j) + 1 == cab.route.Stations.size();
    const bool doorsOpen = cab.traction.doorsOpen;
    const bool announced = !cab.sound.isPlaying(channelOf(cab, s.arrivalSound));
    if (last && ((s.kind == 0 && doorsOpen) || s.kind >= 2) && announced) {
        st.returnToTitle = true;
        st.runEnded = true;
    } else if (j == st.crewChangeStation && s.kind == 0 && doorsOpen && announced) {
        st.crewChangeOffered = true;
        st.runEnded = true;
    }
}

}  // namespace

std::optional<std::int32_t> next_stop_after(const RouteSpec& route, std::int32_t j) {
    const auto count = std::int32_t(route.Stations.size());
    std::int32_t k = j + 1;
    while (k < count && route.Stations[std::size_t(k)].kind == kPass) ++k;
    if (k >= count) return std::nullopt;
    return k;
}

void station_pass(Cab& cab) {
    StationState& st = cab.stations;
    const Extended p = cab.state.Position;
    const auto count = std::int32_t(cab.route.Stations.size());
    bool zoneOccupied = false;
    for (std::int32_t j = 0; j < count; ++j) {
        const StationRecord& s = cab.route.Stations[std::size_t(j)];
        const StationRecord& n = cab.route.stationOrEmpty(std::size_t(j + 1));
        StationProgress& progress = st.progress[std::size_t(j)];
        if (p > s.zoneEnd && (p < n.zoneStart || j == count - 1)) {
            nextStationText(cab, n);
            progress.arrived = false;
            if (std::size_t(j + 1) < st.progress.size())
                st.progress[std::size_t(j + 1)].arrived = false;
        }
        if (s.zoneStart <= p && p <= s.zoneEnd) {
            if (s.kind != kPass) {
                if (!progress.arrived) {
                    st.chimeChance = s.chimeChance;
                    st.chimeRoll = std::uniform_int_distribution<std::int32_t>(0, 99)(cab.random);
                }
                st.stationText = "ただいま " + s.name;
                st.currentStation = j;
                progress.arrived = true;
            }
            if (s.zoneSound != 0) cab.sound.loopIfSilent(channelOf(cab, s.zoneSound));
            zoneOccupied = true;
        }
        if (progress.arrived && cab.route.OneMan >= 1 && progress.doorsOpenedHere &&
            st.doorOpening == 1 && !cab.sound.isPlaying(channelOf(cab, s.arrivalSound)) &&
            cab.settings.InfoLabels.size() > 1)
            st.doorMessage = cab.settings.InfoLabels[1];
        if (progress.arrived && !progress.departedHere && !workStation(cab, j)) return;
        endOfRun(cab, j);
    }
    if (zoneOccupied) return;
    for (const StationRecord& s : cab.route.Stations) {
        const int channel = channelOf(cab, s.zoneSound);
        if (s.zoneSound != 0 && cab.sound.isPlaying(channel)) cab.sound.stop(channel);
    }
}

}  // namespace tovra
