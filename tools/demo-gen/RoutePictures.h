#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "demo-gen/LinePlan.h"

namespace tovra::demo {

// The pictures a route file names, relative to the data folder. Pictures
// with several patterns are columns of patterns, one below the other.
struct RoutePictures {
    struct Sign {
        std::string file;
        int size;
    };
    struct Strip {
        int patternWidth, patternHeight;
        std::string file;
    };
    // Stop mark, the three stop lines, gradient post, speed limit,
    // remaining distance, other signs.
    std::array<Sign, 8> signs;
    int signalDisplayX = 0, signalDisplayY = 0;
    Strip signal;                     // 41 faces
    std::array<Strip, 3> subSignals;  // sub-signals 0, 1 and 2
    std::vector<std::string> anims;   // image 0 idle, 1..14 the steps
    std::vector<std::string> crossings;
    std::string opening;  // still image before the run starts
    std::string staff;    // the timetable card
};

inline constexpr int kSignalFaces = 41;
inline constexpr int kStopLineSizes = 5;
inline constexpr int kLimitSignPatterns = 121;  // 0 to 120 km/h
inline constexpr int kRemainPatterns = 11;      // 0 to 100 m

RoutePictures routePictures(const ServicePlan& service);

// Draws every picture of every route; `stills` are the first frames of the
// two route videos, for the still images.
void writeRoutePictures(const std::filesystem::path& root, const LinePlan& plan);

}  // namespace tovra::demo
