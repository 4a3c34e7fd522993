#include "input/LaterCommands.h"

#include "sim/Announcements.h"
#include "sim/Cab.h"
#include "sim/Doors.h"
#include "sim/Protection.h"
#include "sim/Timetable.h"
#include "sound/CalloutQueue.h"

namespace tovra {

void raise_departure_callout(Cab& cab) {
    station_callout_moment(cab, 4);
}
void Door_operate(Cab& cab) {
    stations::Door_operate(cab);
}
void AtsReset(Cab& cab) {
    ats::AtsReset(cab);
}
void AtsAcknowledge(Cab& cab) {
    ats::AtsAcknowledge(cab);
}
// Only the pending wayside call-out is given here so far.
void driverCallout(Cab& cab) {
    ControllerState& c = cab.controller;
    constexpr std::int32_t kNone = 999;
    constexpr std::int32_t kTimeCheck = 900;
    const std::int32_t k = c.kankoPending;
    const bool loaded = k >= 0 && std::size_t(k) < cab.calloutWaves.sounds.size() &&
                        cab.calloutWaves.sounds[std::size_t(k)].has_value();
    if (k == kNone || (!loaded && k != kTimeCheck) || k == c.lastKankoChannel) return;
    if (k == kTimeCheck) {
        Timecheck(cab, 0);
    } else {
        kanko_queue_add(cab, k);
    }
    c.lastKankoChannel = k;
}
void nextOneManAnnouncement(Cab& cab) {
    next_one_man_announcement(cab);
}
void previousOneManAnnouncement(Cab& cab) {
    previous_one_man_announcement(cab);
}
void toggleValueDisplay(Cab&) {}
void skipToNextSignal(Cab&) {}
void moveCabSurface(Cab&, int) {}

}  // namespace tovra
