#include "sim/Doors.h"

#include <cmath>

namespace tovra {

namespace {

constexpr std::int32_t kDoorsClosedCallout = 19;

bool standing(const StationRecords& r) {
    return std::fabs(r.state.Speed) < 0.1L;
}

// One-man door chimes sound only when the station's chance wins the roll.
bool chimes(const StationRecords& r) {
    return r.route.OneMan == 0 || r.stations.chimeChance >= r.stations.chimeRoll;
}

}  // namespace

namespace stations {

void Door_operate(StationRecords& r) {
    StationState& st = r.stations;
    bool& doorsOpen = r.traction.doorsOpen;
    st.doorOpening = 0;
    if (r.route.OneMan > 0) st.doorMessage.clear();
    if (!doorsOpen && !standing(r)) return;
    if (!doorsOpen) {
        st.doorOpening = 1;
        if (chimes(r)) r.sound.restartOnce(r.channels.driveChannel(r.vehicle.Sound_DoorOpen));
        doorsOpen = true;
        r.lamps.doorsClosed = false;
    } else if (chimes(r)) {
        r.sound.restartOnce(r.channels.driveChannel(r.vehicle.Sound_DoorClose));
    }
}

}  // namespace stations

void complete_door_closing(StationRecords& r) {
    StationState& st = r.stations;
    if (st.doorOpening != 0) return;
    if (r.sound.isPlayingOnce(r.channels.driveChannel(r.vehicle.Sound_DoorOpen)) ||
        r.sound.isPlayingOnce(r.channels.driveChannel(r.vehicle.Sound_DoorClose)))
        return;
    // Without a pilot lamp the lamp counts as dark, but closed doors have
    // nothing left to complete.
    const PanelLamps& lamps = r.lamps;
    if (lamps.doorLampFitted ? lamps.doorsClosed : !r.traction.doorsOpen) return;
    r.lamps.doorsClosed = true;
    r.traction.doorsOpen = false;
    r.sound.restartOnce(r.channels.driveChannel(r.vehicle.DepSign));
    st.doorClosingCount += 1;
    r.callouts.callout(kDoorsClosedCallout);
    r.callouts.stationMoment(r.stations.currentStation, 3);
}

void check_door_safety(StationRecords& r) {
    if (std::fabs(r.state.Speed) > 5 && r.stations.doorOpening == 1 && r.traction.doorsOpen)
        stations::Door_operate(r);
}

}  // namespace tovra
