// Stops found in a run whose stops are known.
#include <gtest/gtest.h>

#include <cmath>

#include "StationList.h"
#include "StopFinder.h"
#include "gen/LineRun.h"
#include "support/TempDir.h"

namespace tovra::author {
namespace {

TEST(AuthorStops, DwellsAndCutAwaysAreStationsAShortStopIsASignal) {
    // Stands 20 s at the start and the end; a 30 s dwell, two dwells cut
    // away, a 5 s stop at a signal and a 40 s dwell between.
    const test::TrainRun run(
        {{0, 0}, {1200, 30}, {2000, 0}, {2600, 5}, {3500, 0}, {4400, 40}, {5000, 0}});
    const int frames = int(run.duration() * 30);
    std::vector<double> along;
    for (int f = 0; f < frames; ++f) along.push_back(run.distance(f / 30.0) * 100);
    const std::vector<FoundStop> stops = findStops(along, 30);
    ASSERT_EQ(stops.size(), 7u);
    for (std::size_t i = 0; i < stops.size(); ++i) {
        // Within a third of a second of coming to rest: a few cm short of the place.
        EXPECT_NEAR(stops[i].frame, run.restsAt(i) * 30, 10) << i;
        EXPECT_EQ(stops[i].station, i != 3) << i;
    }
    EXPECT_EQ(stops[0].frame, 0);
    EXPECT_NEAR(stops[1].dwell, 30, 1);
    EXPECT_EQ(stops[2].dwell, 0);
    EXPECT_NEAR(stops[3].dwell, 5, 1);
    EXPECT_EQ(stops[4].dwell, 0);

    // Named in order, then by number; the signal stop only when asked.
    const auto named = stationsAtStops(stops, {"Kita", "Minami"}, false);
    ASSERT_EQ(named.size(), 6u);
    EXPECT_EQ(named[1].name, "Minami");
    EXPECT_EQ(named[2].name, "駅3");
    EXPECT_EQ(named[3].frame, stops[4].frame);
    EXPECT_EQ(stationsAtStops(stops, {}, true).size(), 7u);
}

TEST(AuthorStops, ListReadsBackAsStations) {
    const std::vector<StationInput> stations{{"北原", 0, 0}, {"駅2", 2606, 1.2346}};
    const std::string csv = stationsCsv(stations, {{1500, "a stop of 5 s"}}, true);
    EXPECT_EQ(csv, "name,frame,km\n北原,0,0.000\n# a stop of 5 s\n駅2,2606,1.235\n");
    tovra::test::TempDir dir;
    const auto back = readStations(dir.writeBytes("s.csv", csv));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].name, "駅2");
    EXPECT_EQ(back[1].frame, 2606);
    EXPECT_DOUBLE_EQ(back[1].km, 1.235);
}

}  // namespace
}  // namespace tovra::author
