#include "input/LaterCommands.h"

namespace tovra {

void raise_departure_callout(Cab&) {}
void Door_operate(Cab&) {}
void AtsReset(Cab&) {}
void AtsAcknowledge(Cab&) {}
void driverCallout(Cab&) {}
void nextOneManAnnouncement(Cab&) {}
void previousOneManAnnouncement(Cab&) {}
void toggleValueDisplay(Cab&) {}
void skipToNextSignal(Cab&) {}
void moveCabSurface(Cab&, int) {}

}  // namespace tovra
