#include "cab/Masconupdate.h"

#include "cab/Cab.h"
#include "cab/LaterCommands.h"
#include "sim/HandleRules.h"
#include "view/HandlePanel.h"
#include "view/HandleTexts.h"

namespace tovra {

namespace {

void checkDepartureCallout(Cab& cab) {
    StationState& st = cab.stations;
    if (st.departureCalloutPending && cab.state.PowerHandle > 0 && !cab.traction.doorsOpen) {
        st.departureCalloutPending = false;
        raise_departure_callout(cab);
    }
}

}  // namespace

void updateGearText(Cab& cab) {
    tovra::updateGearText(cab.handleTexts.GearText, cab.vehicle, cab.settings,
                          cab.handles.PowerMode, cab.diesel.GearLever);
}

void masconupdate(Cab& cab) {
    update_const_speed(cab.state, cab.vehicle);
    showHandleState(cab);
}

void showHandleState(Cab& cab) {
    cab.state.handleDisplayDue = false;
    cab.lamps.forward = cab.state.Reverser == 1;
    cab.lamps.backward = cab.state.Reverser == -1;
    showHandleTexts(cab.handleTexts, cab.state, cab.handles, cab.vehicle, cab.settings);
    showHandlePanel(cab.sprites, cab.state, cab.vehicle, cab.diesel.GearLever);
    checkDepartureCallout(cab);
    updateGearText(cab);
}

}  // namespace tovra
