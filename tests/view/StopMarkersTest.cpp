#include "view/StopMarkers.h"

#include <gtest/gtest.h>

#include <memory>

#include "headless/HeadlessRun.h"

namespace tovra {
namespace {

struct StopMarkers : ::testing::Test {
    StopMarkers() {
        cab.settings.VideoWidth = 800;
        cab.settings.VideoHeight = 450;  // horizon at row 189
        cab.route.PerspectiveDistance = 1.5L;
        cab.route.PerspectiveScale = 1040;
        StationRecord stop;
        stop.zoneHalfLength = 1000;  // 10 m either side
        cab.route.Stations = {StationRecord{}, stop};
        cab.stations.nextStopIndex = 1;
        for (const char* name :
             {"img_unten_teimokuS", "img_unten_teimokuM", "img_unten_teimokuE"}) {
            auto image = std::make_shared<Image>();
            image->width = 100;
            image->height = 50;
            image->pixels.assign(5000, 0);
            cab.sprites.add(Picture{name, image, std::nullopt, 100, 10}, 0, 0, 100);
        }
    }
    const Sprite& marker(const char* name) { return *cab.sprites.find(name); }
    void remain(Extended metres) {
        cab.state.RemainDistance = metres * 100;
        place_stop_markers(cab.sprites, cab.state, cab.stations, cab.route, cab.settings);
    }

    HeadlessRun run{RunChoice{}, 1};
    Cab& cab = run.cab;
};

TEST_F(StopMarkers, StandOnTheTrackByThePerspectiveAndGrowNearTheStop) {
    remain(50);
    // x metres ahead: 1229 - x / (x + 1.5) * 1040.
    EXPECT_EQ(marker("img_unten_teimokuS").y, 227);  // 40 m: 226.59
    EXPECT_EQ(marker("img_unten_teimokuM").y, 219);  // 50 m: 219.29
    EXPECT_EQ(marker("img_unten_teimokuE").y, 214);  // 60 m: 214.37
    EXPECT_EQ(marker("img_unten_teimokuM").x, 350);  // centred
    EXPECT_EQ(marker("img_unten_teimokuS").patternIndex, 0);
    EXPECT_EQ(marker("img_unten_teimokuM").patternIndex, 1);

    remain(8);  // the near end is behind the cab now
    EXPECT_EQ(marker("img_unten_teimokuS").y, -100);
    EXPECT_EQ(marker("img_unten_teimokuM").patternIndex, 3);  // round(4 - 1.2)
    EXPECT_EQ(marker("img_unten_teimokuE").patternIndex, 3);

    remain(100);  // not yet within reach
    for (const char* name : {"img_unten_teimokuS", "img_unten_teimokuM", "img_unten_teimokuE"})
        EXPECT_EQ(marker(name).y, -100) << name;

    cab.route.PerspectiveDistance = 0;  // no perspective: the lines stay where they are
    remain(50);
    EXPECT_EQ(marker("img_unten_teimokuM").y, -100);
}

}  // namespace
}  // namespace tovra
