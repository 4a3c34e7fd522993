#include "cab/LaterCommands.h"

#include "cab/Cab.h"
#include "ports/Host.h"
#include "sim/Announcements.h"
#include "sim/Doors.h"
#include "sim/Protection.h"
#include "sound/CalloutQueue.h"

namespace tovra {

namespace {
constexpr std::int32_t kSignalLeadFrames = 10;
}  // namespace

void raise_departure_callout(Cab& cab) {
    station_callout_moment(cab.calloutRecords(), 4, cab.stations.currentStation);
}
void Door_operate(Cab& cab) {
    StationRecords records = cab.stationRecords();
    stations::Door_operate(records);
}
void AtsReset(Cab& cab) {
    ProtectionRecords records = cab.protectionRecords();
    ats::AtsReset(records);
}
void AtsAcknowledge(Cab& cab) {
    ProtectionRecords records = cab.protectionRecords();
    ats::AtsAcknowledge(records);
}
void nextOneManAnnouncement(Cab& cab) {
    StationRecords records = cab.stationRecords();
    next_one_man_announcement(records);
}
void previousOneManAnnouncement(Cab& cab) {
    StationRecords records = cab.stationRecords();
    previous_one_man_announcement(records);
}
void toggleValueDisplay(Cab& cab) {
    cab.host.toggleValueDisplay();
}
void skipToNextSignal(Cab& cab) {
    const std::int32_t frame = cab.state.Frame;
    for (const SignalRecord& signal : cab.route.Signals) {
        if (signal.viewFrame - kSignalLeadFrames <= frame) continue;
        cab.state.Frame = signal.viewFrame - kSignalLeadFrames;
        cab.calloutOffer.lastKankoChannel = -1;
        cab.protection.signalInView = -1;
        cab.protection.shownFace = -2;
        return;
    }
}
void moveCabSurface(Cab& cab, int pixels) {
    cab.host.moveCabSurface(pixels);
}

}  // namespace tovra
