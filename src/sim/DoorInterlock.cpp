#include "sim/DoorInterlock.h"

#include "sim/Cab.h"

namespace tovra {

bool doorInterlockPasses(const Cab& cab) {
    switch (cab.vehicle.DoorLock) {
        case 0:
            return true;
        case 1:
            return !cab.traction.doorsOpen;
        default:
            return false;
    }
}

}  // namespace tovra
