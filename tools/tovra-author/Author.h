#pragma once

#include <cmath>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "FramePositions.h"
#include "PictureMotion.h"
#include "Preview.h"
#include "RouteText.h"
#include "StopFinder.h"
#include "VideoFrames.h"

namespace tovra::author {

// Where the speed along the video comes from, best first.
enum class SpeedSource { Gps, Picture, Stations };

struct AuthorRequest {
    std::filesystem::path video;
    std::filesystem::path routeFile;  // written; the previews go beside it
    std::filesystem::path dataDir;    // the folder the program reads the route from
    std::string lineName;
    std::string lineName2;               // the line name when empty
    std::vector<StationInput> stations;  // none: the stops found are the stations
    std::vector<std::string> names;      // of the stations found, in order
    std::vector<double> kms;             // their kilometre posts, for the picture
    bool signalStops = false;            // short stops found are stations too
    SpeedSource source = SpeedSource::Stations;
    std::filesystem::path track;    // GPX or NMEA, for SpeedSource::Gps
    std::optional<TrackSync> sync;  // frame and track time filmed together
    double trackOffset = 0;         // else: track time of frame 0 after the first fix, s
    double tolerance = 100;         // cm
    MotionBand band;
    RunStyle style;
};

// The draft and what it was made from.
struct Authored {
    RouteDraft draft;
    VideoFacts video;
    std::vector<double> positions;  // cm per frame, what the segments were fitted to
    std::vector<SpeedPoint> measured;
    std::vector<StationInput> stations;  // as given, or at the stops found
    std::vector<FoundStop> stops;        // found when no stations were given
    double trackStart = NAN;             // track time of frame 0, with a GPS track
};

// The found stations as a list to edit and pass back with --stations, the
// signal stops that are not stations as "#" lines.
std::string foundStationsCsv(const Authored& authored);

// Reads the video and the track, measures and fits. Throws std::runtime_error
// or std::invalid_argument with a message for the author.
Authored authorRoute(const AuthorRequest& request, const Progress& progress = {});

// The route file, the preview SVG (".svg" beside it) and the contact sheet
// ("-stations.png" beside it).
void writeRoute(const AuthorRequest& request, const Authored& authored);

// "[DataName]": the video relative to the data folder and the folder of
// videos that `velmoran.dat` names there, "\"-separated, without ".avi".
// Throws std::invalid_argument when the video lies outside that folder.
std::string dataNameOf(const std::filesystem::path& video, const std::filesystem::path& dataDir);

// The root-mean-square difference in km/h between the speeds of two
// frame-to-distance tables over each stretch between stations, in the
// video's own time (`fps`). For comparing a draft with a known table.
std::vector<double> stretchSpeedErrors(const std::vector<SpeedUnit>& units,
                                       const std::vector<SpeedUnit>& truth,
                                       const std::vector<StationMark>& stations, double fps);

// What the author should know about a video the program shows otherwise
// than the measure sees it; empty when nothing.
std::string videoNote(const std::filesystem::path& video, const VideoFacts& facts);

// Loads the written route with the program's loader and prints its length,
// stations with their positions and segments. Returns false (having printed
// why) when the route does not load.
bool checkRoute(const std::filesystem::path& routeFile, std::ostream& out);

}  // namespace tovra::author
