#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "FramePositions.h"
#include "StopFinder.h"

namespace tovra::author {

// "name,frame[,km]"; throws std::invalid_argument naming what is wrong.
StationInput parseStation(std::string_view text);

// One station per line in UTF-8; empty lines, lines starting with "#" and a
// first line starting with "name" are skipped. Errors name the file and line.
std::vector<StationInput> readStations(const std::filesystem::path& file);

// The stations at the found stops that are stations (and at the signal
// stops too with `signalStops`), named from `names` in order and then
// "駅1", "駅2", ... by their number; kilometre posts 0.
std::vector<StationInput> stationsAtStops(const std::vector<FoundStop>& stops,
                                          const std::vector<std::string>& names, bool signalStops);

// The stations as readStations() reads them back, with a header line and
// `notes` (the signal stops not made stations, say) as "#" lines after the
// stations they follow by frame; kilometre posts with three decimals when
// `withKm`.
struct CsvNote {
    int frame = 0;
    std::string text;
};
std::string stationsCsv(const std::vector<StationInput>& stations,
                        const std::vector<CsvNote>& notes, bool withKm);

}  // namespace tovra::author
