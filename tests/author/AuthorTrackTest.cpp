// Distance along a GPS track on made-up lines whose true run is known.
#include <gtest/gtest.h>

#include "TrackDistance.h"
#include "gen/LineRun.h"

namespace tovra::author {
namespace {

// Station errors (m, from the first station) of the track's distances.
std::vector<double> stationErrors(const std::vector<test::LinePiece>& line, double noise) {
    const test::TrainRun run({{0, 0}, {1300, 30}, {2600, 30}, {3900, 30}, {5200, 30}, {6400, 30}});
    const std::vector<TrackPoint> fixes = test::receiverFixes(run, line, noise, 11);
    const std::vector<TrackSample> samples = alongTrack(fixes);
    const auto at = [&](std::size_t i) {
        return distanceAt(samples, fixes.front().time + run.restsAt(i) + 1);
    };
    std::vector<double> errors;
    for (std::size_t i = 1; i < run.stops().size(); ++i)
        errors.push_back(at(i) - at(0) - run.stops()[i].at);
    return errors;
}

TEST(AuthorTrack, DistanceFollowsTheCurvesNotTheirChords) {
    // Round and round a 300 m circle without noise: a chord of the 75 m the
    // reference line's vertices stand apart is 0.26 % short of its arc, 17 m
    // by the last station; a mean of neighbouring fixes cuts far more.
    for (const double e : stationErrors({{6600, 300}}, 0)) EXPECT_NEAR(e, 0, 2.5);
    // Curves of 300 to 1000 m both ways, S-bends and a horseshoe that doubles
    // back, with 3 m of noise: every station within 5 m.
    for (const auto& line : {test::windingLine(), test::horseshoeLine()})
        for (const double e : stationErrors(line, 3)) EXPECT_NEAR(e, 0, 5);
}

}  // namespace
}  // namespace tovra::author
