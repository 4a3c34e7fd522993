#include "sim/Doors.h"

#include <cmath>

#include "cab/Cab.h"
#include "sound/CalloutQueue.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

constexpr std::int32_t kDoorsClosedCallout = 19;

bool standing(const Cab& cab) {
    return std::fabs(cab.state.Speed) < 0.1L;
}

// One-man door chimes sound only when the station's chance wins the roll.
bool chimes(const Cab& cab) {
    return cab.route.OneMan == 0 || cab.stations.chimeChance >= cab.stations.chimeRoll;
}


}  // namespace

namespace stations {

void Door_operate(Cab& cab) {
    StationState& st = cab.stations;
    bool& doorsOpen = cab.traction.doorsOpen;
    st.doorOpening = 0;
    if (cab.route.OneMan > 0) st.doorMessage.clear();
    if (!doorsOpen && !standing(cab)) return;
    if (!doorsOpen) {
        st.doorOpening = 1;
        if (chimes(cab)) cab.sound.restartOnce(driveChannel(cab, cab.vehicle.Sound_DoorOpen));
        doorsOpen = true;
        cab.lamps.doorsClosed = false;
    } else if (chimes(cab)) {
        cab.sound.restartOnce(driveChannel(cab, cab.vehicle.Sound_DoorClose));
    }
}

}  // namespace stations

void complete_door_closing(Cab& cab) {
    StationState& st = cab.stations;
    if (st.doorOpening != 0) return;
    if (cab.sound.isPlayingOnce(driveChannel(cab, cab.vehicle.Sound_DoorOpen)) ||
        cab.sound.isPlayingOnce(driveChannel(cab, cab.vehicle.Sound_DoorClose)))
        return;
    // Without a pilot lamp the lamp counts as dark, but closed doors have
    // nothing left to complete.
    const PanelLamps& lamps = cab.lamps;
    if (lamps.doorLampFitted ? lamps.doorsClosed : !cab.traction.doorsOpen) return;
    cab.lamps.doorsClosed = true;
    cab.traction.doorsOpen = false;
    cab.sound.restartOnce(driveChannel(cab, cab.vehicle.DepSign));
    st.doorClosingCount += 1;
    kanko_queue_add(cab, kDoorsClosedCallout);
    station_callout_moment(cab, 3);
}

void check_door_safety(Cab& cab) {
    if (std::fabs(cab.state.Speed) > 5 && cab.stations.doorOpening == 1 && cab.traction.doorsOpen)
        stations::Door_operate(cab);
}

}  // namespace tovra
