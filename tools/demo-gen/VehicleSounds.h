#pragma once

#include <filesystem>

#include "demo-gen/VehicleDesign.h"
#include "demo-gen/Wave.h"

namespace tovra::demo {

// Synthesises a vehicle's sounds into its folder under `root`: the
// "[DriveSound]" list (running sounds at 13 speeds, brakes, horns, doors,
// bells, compressor, points, engine) and its motor or engine sounds. A quick
// set keeps every sound short.
void writeVehicleSounds(const std::filesystem::path& root, const VehicleDesign& vehicle,
                        bool quick);

// One entry of the "[DriveSound]" list of a vehicle, as written.
Samples driveSound(const VehicleDesign& vehicle, int sound, bool quick);

}  // namespace tovra::demo
