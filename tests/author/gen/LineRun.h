#pragma once

#include <vector>

#include "GpsTrack.h"

namespace tovra::author::test {

// One piece of a made-up line: `length` m along it, turning with `radius` m
// (positive left, negative right, 0 straight).
struct LinePiece {
    double length = 0;
    double radius = 0;
};

// Lines of about 6.5 km for the figures and tests.
std::vector<LinePiece> straightLine();
// Curves of 300 to 1000 m radius both ways with straights between, and S-bends.
std::vector<LinePiece> windingLine();
// Out, round a 300 m horseshoe that doubles back, and home beside the way out.
std::vector<LinePiece> horseshoeLine();

// A stop of the train: where (m along the line) and how long it stands
// (0: the video cuts the dwell away).
struct TrainStop {
    double at = 0;
    double dwell = 0;
};

// A train that stands `lead` s at the first stop's place, then runs from stop
// to stop at 2 km/h/s up to `topKmh` and brakes at 2.5 km/h/s to stand
// exactly at each, and stands `lead` s at the last.
class TrainRun {
  public:
    TrainRun(std::vector<TrainStop> stops, double topKmh = 80, double lead = 20);
    double duration() const { return step_ * double(distance_.size() - 1); }
    double distance(double t) const;  // m
    double speed(double t) const;     // km/h
    // When the train comes to rest at stop `i` (s; 0 for the first, where it starts).
    double restsAt(std::size_t i) const { return restsAt_[i]; }
    const std::vector<TrainStop>& stops() const { return stops_; }

  private:
    static constexpr double step_ = 0.01;  // s
    std::vector<TrainStop> stops_;
    std::vector<double> distance_, speed_;
    std::vector<double> restsAt_;
};

// One fix a second, from `start` (s since 1970) on, of a receiver on `run`
// along `line` near 35 N 139 E, with `noise` m of normal error on each axis
// and heights on a 10 permil climb.
std::vector<TrackPoint> receiverFixes(const TrainRun& run, const std::vector<LinePiece>& line,
                                      double noise, unsigned seed, double start = 1.7e9);

}  // namespace tovra::author::test
