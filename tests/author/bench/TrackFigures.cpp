// Figures of the GPS way on made-up lines: station error and speed RMS of the
// fitted route against the true run, per line shape and noise, over seeds.
// Usage: tovra_author_track_figures [SEEDS]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FramePositions.h"
#include "SegmentFit.h"
#include "TrackDistance.h"
#include "gen/LineRun.h"

using namespace tovra;
using namespace tovra::author;

namespace {

constexpr double kFps = 30;

struct Figures {
    double worst = 0, sum = 0, speedSquares = 0;
    int stations = 0, frames = 0;
};

void measure(const std::vector<test::LinePiece>& line, double noise, unsigned seed, Figures& out) {
    const test::TrainRun run(
        {{0, 0}, {1100, 30}, {2300, 30}, {3200, 30}, {4500, 30}, {5400, 30}, {6400, 30}});
    const std::vector<TrackPoint> fixes = test::receiverFixes(run, line, noise, seed);
    const int frames = int(run.duration() * kFps);
    const std::vector<double> positions =
        positionsFromTrack(alongTrack(fixes), {0, fixes.front().time}, kFps, frames);
    std::vector<SpeedUnit> units = fitSpeedUnits(positions);
    const auto at = [&](double t) {
        return double(*frame_to_position(units, int(t * kFps))) / 100;
    };
    const double first = at(run.restsAt(0));
    for (std::size_t i = 1; i < run.stops().size(); ++i) {
        const double error =
            std::abs(at(run.restsAt(i) + 1) - first - (run.stops()[i].at - run.stops()[0].at));
        out.worst = std::max(out.worst, error);
        out.sum += error;
        ++out.stations;
    }
    for (int f = 0; f + 1 < frames; ++f) {
        const double kmh =
            speedOfStep(double(*frame_to_position(units, f + 1) - *frame_to_position(units, f)));
        const double d = kmh - run.speed((f + 0.5) / kFps);
        out.speedSquares += d * d;
        ++out.frames;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::pair<const char*, std::vector<test::LinePiece>> lines[] = {
        {"straight", test::straightLine()},
        {"winding", test::windingLine()},
        {"horseshoe", test::horseshoeLine()}};
    std::printf("%-10s %6s %14s %14s %14s\n", "line", "noise", "worst stn (m)", "mean stn (m)",
                "speed RMS km/h");
    for (const auto& [name, line] : lines) {
        for (const double noise : {0.0, 3.0, 5.0}) {
            Figures f;
            for (int s = 1; s <= seeds; ++s) measure(line, noise, unsigned(s), f);
            std::printf("%-10s %5.0fm %14.2f %14.2f %14.2f\n", name, noise, f.worst,
                        f.sum / f.stations, std::sqrt(f.speedSquares / f.frames));
        }
    }
}
