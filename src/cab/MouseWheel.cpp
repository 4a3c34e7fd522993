#include "cab/Cab.h"
#include "cab/KeyInput.h"
#include "ports/Host.h"

namespace tovra {

void WheelD(Cab& cab) {
    cab.host.postCharacter('8');
}

// Stepping never reaches the emergency position; the wheel does, from the
// last service position.
void WheelU(Cab& cab) {
    cab.host.postCharacter(cab.state.BrakeHandle == 1 - cab.vehicle.Brake ? '0' : '2');
}

}  // namespace tovra
