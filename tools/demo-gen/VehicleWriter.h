#pragma once

#include <filesystem>

#include "demo-gen/PanelLayout.h"
#include "demo-gen/VehicleDesign.h"

namespace tovra::demo {

// Writes the vehicle file of a design into its folder under `root`.
void writeVehicleFile(const std::filesystem::path& root, const VehicleDesign& vehicle,
                      const PanelLayout& layout);

}  // namespace tovra::demo
