#include "run/MoveToStation.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "cab/Cab.h"
#include "cab/Masconupdate.h"
#include "cab/StartState.h"
#include "common/UiText.h"
#include "ports/Host.h"
#include "run/TrainPlacement.h"
#include "sim/Protection.h"
#include "sound/RunningSounds.h"
#include "view/StatusTextUpdates.h"

namespace tovra {

namespace {

constexpr std::int64_t kTicksPerSecond = 30;

std::optional<std::size_t> timedStation(const RouteSpec& route, std::int32_t from,
                                        std::int32_t step) {
    for (std::int32_t i = from; i >= 0 && std::size_t(i) < route.Stations.size(); i += step)
        if (route.Stations[std::size_t(i)].departureTime != 0) return std::size_t(i);
    return std::nullopt;
}

// Linear by position between the timed stations either side, station 0
// standing in for a side without one. Where both lie at one position the
// nearer timed station's time stands alone rather than dividing by nothing.
std::int64_t interpolatedDeparture(const RouteSpec& route, std::int32_t s) {
    const auto p = timedStation(route, s - 1, -1);
    const auto q = timedStation(route, s + 1, 1);
    const StationRecord& before = route.Stations[p.value_or(0)];
    const StationRecord& after = route.Stations[q.value_or(0)];
    if (after.stopPosition == before.stopPosition)
        return p ? before.departureTime : after.departureTime;
    const Extended at = route.Stations[std::size_t(s)].stopPosition;
    return roundHalfEven(Extended(after.departureTime - before.departureTime) /
                             (after.stopPosition - before.stopPosition) *
                             (at - before.stopPosition) +
                         before.departureTime);
}

// The pointer of the announcement key: the last after-departure entry of
// station `s` or beyond; unchanged when there is none.
void placeAnnouncementPointer(Cab& cab, std::int32_t s) {
    const RouteSpec& route = cab.route;
    for (std::size_t j = 1; j <= route.AnnouncementCount(); ++j) {
        const Announcement& a = route.Announcements[j];
        if (a.Station >= s && a.Kind == 0) cab.stations.announcePos = std::int32_t(j);
    }
}

}  // namespace

std::vector<MoveMenuItem> moveMenuItems(const RouteSpec& route) {
    std::vector<MoveMenuItem> items;
    const auto count = std::int32_t(route.Stations.size());
    for (std::int32_t i = 0; i + 1 < count; ++i) {
        const StationRecord& s = route.Stations[std::size_t(i)];
        if (s.kind == 0 || s.kind == 2) items.push_back({i, "Sta" + std::to_string(i), s.name});
    }
    return items;
}

std::int32_t moveClock(const RouteSpec& route, const RouteSoundSeconds& seconds, std::int32_t s) {
    const StationRecord& station = route.Stations.at(std::size_t(s));
    const std::int64_t departure =
        station.departureTime != 0 ? station.departureTime : interpolatedDeparture(route, s);
    const std::int64_t clock = departure -
                               kTicksPerSecond * soundSeconds(seconds, station.departureSound) -
                               kTicksPerSecond * soundSeconds(seconds, station.arrivalSound);
    return clampToClock(clock);
}

bool moveToStation(Cab& cab, std::int32_t s) {
    if (s < 0 || std::size_t(s) >= cab.route.Stations.size()) return false;
    const StationRecord& station = cab.route.Stations[std::size_t(s)];
    TrainState& state = cab.state;
    StationState& st = cab.stations;

    placeAnnouncementPointer(cab, s);
    returnToRouteVideo(cab);
    setWindowCaption(cab.statusTexts, cab.host, cab.route.LineName);
    state.Speed = 0;

    clearRunProgress(cab);
    clearSoundZonesPlayed(cab.runningSound);
    st.announcementPlayed.fill(false);
    stopChannelsAfterFirst(cab.sound);
    closeDoors(cab);
    showFrame(cab, station.videoFrame);
    st.stationText = fillIn(uiText("Stations", "ただいま %1"), {station.name});

    state.Clock = moveClock(cab.route, cab.routeSoundSeconds, s);
    // With a conductor aboard the doors count as worked here already.
    if (cab.route.OneMan == 0) st.progress[std::size_t(s)].doorsOpenedHere = true;
    placePrecedingTrain(cab.protection, cab.state.Clock, cab.route);

    resetProtection(cab.protection, cab.state, cab.lamps);
    st.overrunAnnouncedAt = -1;
    cab.stations.departureCalloutPending = false;
    st.runEnded = false;
    setCrewTexts(cab);
    st.startStation = s;

    state.PowerNotch = 0;
    setBrake(cab, 1 - cab.vehicle.Brake);
    state.Position = station.stopPosition;
    setNextStop(cab, s);
    markPassedSpeedChecks(cab);
    placeWayside(cab);
    masconupdate(cab);
    cab.runRecord.startLeg(RunEventKind::Move);
    return true;
}

}  // namespace tovra
