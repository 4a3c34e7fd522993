#include "sim/DoorInterlock.h"

#include "data/VehicleSpec.h"

namespace tovra {

bool doorInterlockPasses(const VehicleSpec& vehicle, bool doorsOpen) {
    switch (vehicle.DoorLock) {
        case 0:
            return true;
        case 1:
            return !doorsOpen;
        default:
            return false;
    }
}

}  // namespace tovra
