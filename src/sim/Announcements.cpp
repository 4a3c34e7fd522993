#include "sim/Announcements.h"

#include <cmath>
#include <random>

namespace tovra {

namespace {

constexpr Extended kWindow = 500;  // cm past the announcement point

int channelOf(const StationRecords& r, std::size_t entry) {
    return r.channels.routeChannel(r.route.Announcements[entry].Sound);
}

bool anyArrived(const StationRecords& r) {
    for (const StationProgress& p : r.stations.progress)
        if (p.arrived) return true;
    return false;
}

void automaticAnnouncements(StationRecords& r) {
    const Extended x = r.state.Position;
    for (std::size_t i = 1; i <= r.route.AnnouncementCount(); ++i) {
        const Announcement& a = r.route.Announcements[i];
        const Extended stop =
            r.route.stationOrEmpty(std::size_t(std::max(0, a.Station))).stopPosition;
        Extended from = 0;
        if (a.Kind == 0 && r.state.RemainDistance > 10000) {
            from = stop + 100.0L * a.Distance;
        } else if (a.Kind == 1) {
            from = stop - 100.0L * a.Distance;
        } else {
            continue;
        }
        if (!(from < x && x < from + kWindow)) continue;
        bool& played = r.stations.announcementPlayed[i];
        if (!r.sound.isPlaying(channelOf(r, i)) && !played) r.sound.playOnce(channelOf(r, i));
        played = true;
    }
}

void overrunAnnouncement(StationRecords& r) {
    StationState& st = r.stations;
    if (std::fabs(r.state.Speed) >= 1 || r.traction.doorsOpen || r.state.RemainDistance >= 0 ||
        st.overrunAnnouncedAt == st.doorClosingCount || anyArrived(r))
        return;
    r.sound.playOnce(channelOf(r, 0));
    st.overrunAnnouncedAt = st.doorClosingCount;
}

// The lamp lights 3 x field 13 ticks after the request made with the
// announcement of the station before.
void passengerRequest(StationRecords& r) {
    StationState& c = r.stations;
    if (r.traction.doorsOpen) c.requestLamp = false;
    if (!c.requestPending || c.announcePos < 1) return;
    const std::int32_t delay = r.route.stationOrEmpty(std::size_t(c.announcePos - 1)).field13;
    if (r.state.Clock > c.requestTime + 3 * delay) {
        c.requestLamp = true;
        c.requestPending = false;
    }
}

}  // namespace

void play_announcements(StationRecords& r) {
    passengerRequest(r);
    // On routes with the announcement key the driver announces.
    if (r.route.OneMan == 1) return;
    automaticAnnouncements(r);
    if (r.route.OneMan == 0) overrunAnnouncement(r);
}

void next_one_man_announcement(StationRecords& r) {
    StationState& c = r.stations;
    if (r.route.OneMan != 1 || c.announcePos < 0 ||
        std::size_t(c.announcePos) > r.route.AnnouncementCount())
        return;
    const auto pos = std::size_t(c.announcePos);
    if (r.sound.isPlaying(channelOf(r, pos))) return;
    if (pos > 0) r.sound.stop(channelOf(r, pos - 1));
    r.sound.restartOnce(channelOf(r, pos));
    const std::int32_t field12 = r.route.stationOrEmpty(pos).field12;
    if (field12 > 0 &&
        std::uniform_int_distribution<std::int32_t>(0, field12 - 1)(r.random) <= 10) {
        c.requestPending = true;
        c.requestTime = r.state.Clock;
    }
    c.announcePos += 1;
}

void previous_one_man_announcement(StationRecords& r) {
    StationState& c = r.stations;
    if (r.route.OneMan != 1) return;
    const auto pos = std::size_t(std::max(0, c.announcePos));
    if (pos <= r.route.AnnouncementCount()) r.sound.stop(channelOf(r, pos));
    c.announcePos = std::max(0, c.announcePos - 1);
}

}  // namespace tovra
