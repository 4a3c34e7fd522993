#include "sim/Stations.h"

#include <cmath>
#include <random>

#include "common/Numeric.h"
#include "common/UiText.h"
#include "sim/Doors.h"

namespace tovra {

namespace {

constexpr std::int32_t kPass = 1;
constexpr std::int32_t kInformation = 3;
constexpr std::int32_t kStationVideo = 1;

bool atRest(const StationRecords& r) {
    return roundHalfEven(r.state.Speed) == 0;
}
bool standing(const StationRecords& r) {
    return std::fabs(r.state.Speed) < 0.1L;
}
std::int32_t ticksOf(const StationRecords& r, std::int32_t sound) {
    return 30 * soundSeconds(r.routeSoundSeconds, sound);
}
int channelOf(const StationRecords& r, std::int32_t sound) {
    return r.channels.routeChannel(sound);
}

void nextStationText(StationRecords& r, const StationRecord& n) {
    const ProgramSettings& s = r.settings;
    StationState& st = r.stations;
    const std::string* kindText = nullptr;
    switch (n.kind) {
        case 0:
            kindText = &s.StopText;
            break;
        case kPass:
            kindText = &s.PassText;
            break;
        case 2:
            kindText = &s.Stop2Text;
            break;
        case kInformation:
            st.stationText = s.InfoLabels.empty() ? std::string() : s.InfoLabels[0];
            break;
        default:
            break;
    }
    if (kindText) {
        fillInto(st.stationText, uiText("Stations", "次は %1"), {n.name});
        st.stationText += *kindText;
    }
}

// Moves the target on to the next stop; false when none is left.
bool moveNextStop(StationRecords& r, std::int32_t j) {
    const auto k = next_stop_after(r.route, j);
    if (!k) return false;
    StationState& st = r.stations;
    const StationRecord& to = r.route.stationOrEmpty(std::size_t(*k));
    r.NextStopPosition = to.stopPosition;
    st.nextStopIndex = *k;
    st.fromStationName = r.route.Stations[std::size_t(j)].name;
    st.toStationName = to.name;
    return true;
}

// The stretch sound of a route with exactly one [Sound2] line.
const StretchSound* onlyStretchSound(const StationRecords& r) {
    return r.route.SoundZones2.size() == 1 ? &r.route.SoundZones2.front() : nullptr;
}

void arrivalAnnouncement(StationRecords& r, const StationRecord& s, StationProgress& p) {
    r.sound.restartOnce(channelOf(r, s.arrivalSound));
    r.stations.doorEventClock = r.state.Clock;
    p.doorsOpenedHere = true;
    r.stations.departureCalloutPending = true;
}

// Steps at a station whose zone the train is in and which it has not left;
// false when the run is over and the rest of the tick is skipped.
bool workStation(StationRecords& r, std::int32_t j) {
    const StationRecord& s = r.route.Stations[std::size_t(j)];
    StationState& st = r.stations;
    StationProgress& p = st.progress[std::size_t(j)];
    const std::int32_t clock = r.state.Clock;
    const bool doorsOpen = r.traction.doorsOpen;
    const std::int32_t oneMan = r.route.OneMan;

    if (s.kind == 0 && (st.currentStation == 0 || st.currentStation == st.startStation) &&
        atRest(r) && !p.doorsOpenedHere) {
        r.sound.restartOnce(channelOf(r, 0));
        st.doorEventClock = clock;
        p.doorsOpenedHere = true;
        r.stations.departureCalloutPending = true;
    }
    if (s.kind == 0 && oneMan >= 1 && !doorsOpen && atRest(r) && !p.stopCalloutGiven) {
        p.stopCalloutGiven = true;
        r.callouts.stationMoment(r.stations.currentStation, 0);
    }
    if (s.kind == 0 && oneMan == 0 && !r.traction.doorsOpen && standing(r)) {
        r.callouts.stationMoment(r.stations.currentStation, 0);
        stations::Door_operate(r);
        arrivalAnnouncement(r, s, p);
        r.callouts.stationMoment(r.stations.currentStation, 1);
        if (const StretchSound* z = onlyStretchSound(r); z && j == z->lastStation)
            r.sound.stop(channelOf(r, z->sound));
    }
    if (s.kind == 0 && oneMan >= 1 && r.traction.doorsOpen && !p.doorsOpenedHere && atRest(r)) {
        arrivalAnnouncement(r, s, p);
        r.callouts.stationMoment(r.stations.currentStation, 1);
        if (!moveNextStop(r, j)) return false;
    }
    if (s.kind == 2 && !p.doorsOpenedHere && atRest(r)) arrivalAnnouncement(r, s, p);

    if (r.state.VideoMode[0] == kStationVideo) return true;
    const std::int32_t start = s.departureTime - ticksOf(r, s.departureSound);
    if (start < clock && !p.departureStarted &&
        clock - st.doorEventClock > ticksOf(r, s.arrivalSound)) {
        if ((s.kind >= 2 && standing(r)) || (s.kind == 0 && r.traction.doorsOpen)) {
            moveNextStop(r, j);
            r.sound.restartOnce(channelOf(r, s.departureSound));
            p.departureStarted = true;
            r.lamps.crossing = false;
            st.doorEventClock = clock;
            r.callouts.stationMoment(r.stations.currentStation, 2);
            // Sounded with the departure it signals: restarted on every tick
            // a late train spends rolling through the zone, it would only
            // stutter.
            if (s.kind == 2) r.sound.restartOnce(r.channels.driveChannel(r.vehicle.DepSign));
        }
    }
    if (oneMan == 0 && s.departureTime < clock && r.traction.doorsOpen && p.departureStarted &&
        p.doorsOpenedHere && !p.departedHere &&
        clock - st.doorEventClock > ticksOf(r, s.departureSound)) {
        stations::Door_operate(r);
        p.departedHere = true;
        r.sound.stop(channelOf(r, s.arrivalSound));
        r.callouts.stationMoment(r.stations.currentStation, 5);
        if (const StretchSound* z = onlyStretchSound(r);
            z && z->firstStation <= j && j < z->lastStation)
            r.sound.loopIfSilent(channelOf(r, z->sound));
    }
    return true;
}

void endOfRun(StationRecords& r, std::int32_t j) {
    StationState& st = r.stations;
    // Only the station the train stands at can end the run.
    if (st.runEnded || !atRest(r) || !st.progress[std::size_t(j)].arrived) return;
    const StationRecord& s = r.route.Stations[std::size_t(j)];
    const bool last = std::size_t(j) + 1 == r.route.Stations.size();
    const bool doorsOpen = r.traction.doorsOpen;
    const bool announced = !r.sound.isPlaying(channelOf(r, s.arrivalSound));
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

void station_pass(StationRecords& r) {
    StationState& st = r.stations;
    const Extended p = r.state.Position;
    const auto count = std::int32_t(r.route.Stations.size());
    bool zoneOccupied = false;
    for (std::int32_t j = 0; j < count; ++j) {
        const StationRecord& s = r.route.Stations[std::size_t(j)];
        const StationRecord& n = r.route.stationOrEmpty(std::size_t(j + 1));
        StationProgress& progress = st.progress[std::size_t(j)];
        if (p > s.zoneEnd && (p < n.zoneStart || j == count - 1)) {
            nextStationText(r, n);
            progress.arrived = false;
            if (std::size_t(j + 1) < st.progress.size())
                st.progress[std::size_t(j + 1)].arrived = false;
        }
        if (s.zoneStart <= p && p <= s.zoneEnd) {
            if (s.kind != kPass) {
                if (!progress.arrived) {
                    st.chimeChance = s.chimeChance;
                    st.chimeRoll = std::uniform_int_distribution<std::int32_t>(0, 99)(r.random);
                }
                fillInto(st.stationText, uiText("Stations", "ただいま %1"), {s.name});
                st.currentStation = j;
                progress.arrived = true;
            }
            if (s.zoneSound != 0) r.sound.loopIfSilent(channelOf(r, s.zoneSound));
            zoneOccupied = true;
        }
        if (progress.arrived && r.route.OneMan >= 1 && progress.doorsOpenedHere &&
            st.doorOpening == 1 && !r.sound.isPlaying(channelOf(r, s.arrivalSound)) &&
            r.settings.InfoLabels.size() > 1)
            st.doorMessage = r.settings.InfoLabels[1];
        if (progress.arrived && !progress.departedHere && !workStation(r, j)) return;
        endOfRun(r, j);
    }
    if (zoneOccupied) return;
    for (const StationRecord& s : r.route.Stations) {
        const int channel = channelOf(r, s.zoneSound);
        if (s.zoneSound != 0 && r.sound.isPlaying(channel)) r.sound.stop(channel);
    }
}

}  // namespace tovra
