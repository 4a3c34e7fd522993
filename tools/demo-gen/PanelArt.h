#pragma once

#include <filesystem>

#include "demo-gen/PanelLayout.h"

namespace tovra::demo {

// Draws every picture of a vehicle's cab panel (panel, second panel with its
// windows, lamps, needles, bars, notch and gear indicators, digital
// speedometer, cab signal, free pictures) into its folder under `root`.
void writePanelPictures(const std::filesystem::path& root, const VehicleDesign& vehicle,
                        const PanelLayout& layout);

}  // namespace tovra::demo
