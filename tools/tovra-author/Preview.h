#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "RouteText.h"
#include "ports/Image.h"

namespace tovra::author {

// A measured speed at a frame, km/h as the train ran.
struct SpeedPoint {
    double frame = 0;
    double kmh = 0;
};

// The fitted speed of the draft's segments (converted from the 30 frames a
// second the route file counts in to the video's `fps`) over the raw speeds,
// with a line and the name at every station.
std::string previewSvg(const RouteDraft& draft, const std::vector<SpeedPoint>& raw, double fps,
                       const std::string& caption);

// The station frames side by side, in station order, each with its number,
// name and frame below it when a font is at hand. Throws std::runtime_error
// when the file cannot be written.
void saveContactSheet(const std::filesystem::path& file, const std::vector<StationMark>& stations,
                      const std::vector<Image>& pictures);

}  // namespace tovra::author
