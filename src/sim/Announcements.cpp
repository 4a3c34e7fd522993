#include "sim/Announcements.h"

#include <cmath>
#include <random>

#include "cab/Cab.h"

namespace tovra {

namespace {

constexpr Extended kWindow = 500;  // cm past the announcement point

int channelOf(const Cab& cab, std::size_t entry) {
    return cab.channels.routeChannel(cab.route.Announcements[entry].Sound);
}

bool anyArrived(const Cab& cab) {
    for (const StationProgress& p : cab.stations.progress)
        if (p.arrived) return true;
    return false;
}

void automaticAnnouncements(Cab& cab) {
    const Extended x = cab.state.Position;
    for (std::size_t i = 1; i <= cab.route.AnnouncementCount(); ++i) {
        const Announcement& a = cab.route.Announcements[i];
        const Extended stop =
            cab.route.stationOrEmpty(std::size_t(std::max(0, a.Station))).stopPosition;
        Extended from = 0;
        if (a.Kind == 0 && cab.state.RemainDistance > 10000) {
            from = stop + 100.0L * a.Distance;
        } else if (a.Kind == 1) {
            from = stop - 100.0L * a.Distance;
        } else {
            continue;
        }
        if (!(from < x && x < from + kWindow)) continue;
        bool& played = cab.stations.announcementPlayed[i];
        if (!cab.sound.isPlaying(channelOf(cab, i)) && !played)
            cab.sound.playOnce(channelOf(cab, i));
        played = true;
    }
}

void overrunAnnouncement(Cab& cab) {
    StationState& st = cab.stations;
    if (std::fabs(cab.state.Speed) >= 1 || cab.traction.doorsOpen ||
        cab.state.RemainDistance >= 0 || st.overrunAnnouncedAt == st.doorClosingCount ||
        anyArrived(cab))
        return;
    cab.sound.playOnce(channelOf(cab, 0));
    st.overrunAnnouncedAt = st.doorClosingCount;
}

// The lamp lights 3 x field 13 ticks after the request made with the
// announcement of the station before.
void passengerRequest(Cab& cab) {
    ControllerState& c = cab.controller;
    if (cab.traction.doorsOpen) c.requestLamp = false;
    if (!c.requestPending || c.announcePos < 1) return;
    const std::int32_t delay = cab.route.stationOrEmpty(std::size_t(c.announcePos - 1)).field13;
    if (cab.state.Clock > c.requestTime + 3 * delay) {
        c.requestLamp = true;
        c.requestPending = false;
    }
}

}  // namespace

void play_announcements(Cab& cab) {
    passengerRequest(cab);
    // On routes with the announcement key the driver announces.
    if (cab.route.OneMan == 1) return;
    automaticAnnouncements(cab);
    if (cab.route.OneMan == 0) overrunAnnouncement(cab);
}

void next_one_man_announcement(Cab& cab) {
    ControllerState& c = cab.controller;
    if (cab.route.OneMan != 1 || c.announcePos < 0 ||
        std::size_t(c.announcePos) > cab.route.AnnouncementCount())
        return;
    const auto pos = std::size_t(c.announcePos);
    if (cab.sound.isPlaying(channelOf(cab, pos))) return;
    if (pos > 0) cab.sound.stop(channelOf(cab, pos - 1));
    cab.sound.restartOnce(channelOf(cab, pos));
    const std::int32_t field12 = cab.route.stationOrEmpty(pos).field12;
    if (field12 > 0 &&
        std::uniform_int_distribution<std::int32_t>(0, field12 - 1)(cab.random) <= 10) {
        c.requestPending = true;
        c.requestTime = cab.state.Clock;
    }
    c.announcePos += 1;
}

void previous_one_man_announcement(Cab& cab) {
    ControllerState& c = cab.controller;
    if (cab.route.OneMan != 1) return;
    const auto pos = std::size_t(std::max(0, c.announcePos));
    if (pos <= cab.route.AnnouncementCount()) cab.sound.stop(channelOf(cab, pos));
    c.announcePos = std::max(0, c.announcePos - 1);
}

}  // namespace tovra
