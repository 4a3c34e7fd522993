#include <gtest/gtest.h>

#include "sim/ProtectionFixture.h"

namespace tovra {
namespace {

struct TrafficSignalsTest : test::ProtectionFixture {
    TrafficSignalsTest() {
        TrafficSignalRecord l;
        l.viewFirstFrame = 500;
        l.viewLastFrame = 1000;
        // Phases of 3, 0, 2, 0, 0 and 1 ticks; 3 and 4 let trains pass.
        l.phases = {{{10, 3, 0}, {11, 0, 1}, {12, 2, 1}, {13, 0, 0}, {14, 0, 0}, {15, 1, 0}}};
        l.stopPosition = 50000;
        l.secondPosition = 70000;
        l.secondFrame = 700;
        l.indicatorFrame = 900;
        l.indicatorStopImage = 30;
        l.indicatorProceedImage = 31;
        cab.route.TrafficSignals.push_back(l);
    }
    const TrafficSignalRecord& light() const { return cab.route.TrafficSignals[0]; }
    const TrafficSignalView& view = cab.protection.traffic;
};

TEST_F(TrafficSignalsTest, PhasesCycleByTheirDurationsAndShowWhileInView) {
    at(550, 0);  // in view, before the middle of the two points
    std::vector<int> phases, images;
    for (int t = 0; t < 10; ++t) {
        step_traffic_signals(records);
        phases.push_back(light().phase);
        images.push_back(view.image);
    }
    EXPECT_EQ(phases, (std::vector<int>{2, 3, 3, 4, 5, 6, 1, 1, 1, 2}));
    // A phase without duration passes without being shown.
    EXPECT_EQ(images, (std::vector<int>{-1, 12, 12, 12, 12, 15, 10, 10, 10, 10}));
    EXPECT_EQ(view.light, 0);
    EXPECT_TRUE(view.secondIndicator);
    EXPECT_EQ(view.indicatorImage, -1);

    // Past the middle the indicator follows whether the phase lets trains pass.
    at(650, 0);
    step_traffic_signals(records);
    EXPECT_EQ(light().phase, 3);
    EXPECT_EQ(view.indicatorImage, 31);
    step_traffic_signals(records);
    step_traffic_signals(records);
    EXPECT_EQ(light().phase, 4);
    EXPECT_EQ(view.indicatorImage, 30);

    // Out of view the display is empty, while the light keeps cycling.
    at(1000, 0);
    step_traffic_signals(records);
    EXPECT_EQ(view.light, -1);
    EXPECT_EQ(view.image, -1);
    EXPECT_EQ(light().phase, 5);
}

}  // namespace
}  // namespace tovra
