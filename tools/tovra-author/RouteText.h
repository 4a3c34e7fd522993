#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/SpeedUnits.h"

namespace tovra::author {

// Speeds go into the route file with four decimals.
double roundedSpeed(double kmh);

struct StationMark {
    std::string name;
    int frame = 0;         // where the train stands at the stop mark
    int sectionLimit = 0;  // km/h to the next station
};

struct SlopeRun {
    double permil = 0;
    int firstFrame = 0;
    int lastFrame = 0;
};

// What a starter route file states; everything else is written empty.
struct RouteDraft {
    std::string lineName;
    std::string lineName2;
    std::string dataName;  // the video, as the route file names it
    int frameRate = 30;
    std::vector<StationMark> stations;
    std::vector<SpeedUnit> units;
    std::vector<SlopeRun> slopes;
    int stopFrame = 0;  // the video's last frame
};

// The file's lines in UTF-8.
std::vector<std::string> routeLines(const RouteDraft& draft);

// Writes the route in code page 932 with CR LF line ends. Throws
// std::runtime_error when the file cannot be written.
void saveRoute(const std::filesystem::path& file, const RouteDraft& draft);

}  // namespace tovra::author
