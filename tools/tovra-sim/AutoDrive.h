#pragma once

#include <ostream>

#include "cab/Cab.h"

namespace tovra::sim {

// What a drive with the AutoDriver did.
struct AutoDriveResult {
    double simulatedSeconds = 0;
    double tickWallSeconds = 0;  // wall time spent in the ticks and the driver
    double loadWallSeconds = 0;  // wall time spent loading runs
    long logicTicks = 0;
    int runs = 0;              // loads; a run that ends is loaded afresh
    int stops = 0;             // stops where the doors were worked
    int missedStops = 0;       // stops of ended runs where they were not
    int protectionBrakes = 0;  // times the protection took over the brakes
    double distanceMetres = 0;
};

// Drives `choice` with the AutoDriver for `seconds` of simulated time,
// loading the run afresh whenever it ends. With `record`, every character
// typed is written as a script line ("<seconds> char <c>") that `run
// --script` plays back to the same drive.
AutoDriveResult autoDrive(const RunChoice& choice, unsigned seed, double seconds,
                          std::ostream* record = nullptr);

}  // namespace tovra::sim
