#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "FramePositions.h"

namespace tovra::author {

// "name,frame[,km]"; throws std::invalid_argument naming what is wrong.
StationInput parseStation(std::string_view text);

// One station per line in UTF-8; empty lines, lines starting with "#" and a
// first line starting with "name" are skipped. Errors name the file and line.
std::vector<StationInput> readStations(const std::filesystem::path& file);

}  // namespace tovra::author
