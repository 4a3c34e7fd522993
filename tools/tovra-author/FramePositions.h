#pragma once

#include <vector>

#include "TrackDistance.h"

namespace tovra::author {

// A station as the author gives it: the frame where the train stands at its
// stop mark and, for the ways without GPS, its kilometre post.
struct StationInput {
    std::string name;
    int frame = 0;
    double km = 0;
};

// How the video's clock meets the track's: frame `frame` was filmed at
// track time `time`.
struct TrackSync {
    int frame = 0;
    double time = 0;
    bool timeOfDay = false;  // `time` counts from midnight of the track's first day
};

// Positions (cm from frame 0, one per frame) of a video of `frameCount`
// frames at `fps`, read off the track.
std::vector<double> positionsFromTrack(const std::vector<TrackSample>& track, const TrackSync& sync,
                                       double fps, int frameCount);

// How the filming train runs a stretch of the way without picture or GPS.
struct RunStyle {
    double accel = 2.0;  // km/h/s
    double brake = 2.5;  // km/h/s
};

// Positions from the stations alone: between each pair, accelerate, cruise
// and brake so that the stretch takes exactly its frames and its length;
// standing before the first station and after the last.
std::vector<double> positionsFromStations(const std::vector<StationInput>& stations, double fps,
                                          int frameCount, const RunStyle& style = {});

// Positions from a measure of motion per frame (`motion[f]`, any unit, from
// frame f - 1 to f), scaled on each stretch so that it covers its length;
// before the first station and after the last the nearest stretch's scale
// holds. A stretch that shows no motion runs as positionsFromStations().
std::vector<double> positionsFromMotion(const std::vector<StationInput>& stations,
                                        const std::vector<double>& motion, double fps);

// Throws std::invalid_argument unless the stations stand in video order, in
// the video, with kilometre posts that rise.
void checkStations(const std::vector<StationInput>& stations, int frameCount, bool needKm);

}  // namespace tovra::author
