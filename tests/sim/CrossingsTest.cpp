#include <gtest/gtest.h>

#include "data/RouteSpec.h"
#include "sim/CrossingQueue.h"
#include "sim/PanelLamps.h"
#include "sim/StationState.h"

namespace tovra {
namespace {

TEST(Crossings, QueueShowAndLeave) {
    RouteSpec route;
    //                 image callout first last station
    route.Crossings = {{5, 9, 100, 200, 2}, {6, 8, 150, 300, 0}};
    CrossingQueue q;
    PanelLamps lamps;
    StationState stations;
    const auto at = [&](std::int32_t frame) { step_crossings(q, lamps, route, stations, frame); };

    at(105);
    EXPECT_EQ(queuedCrossing(q), 0);
    EXPECT_EQ(q.shown, -1);  // not shown while approaching
    at(125);
    EXPECT_EQ(q.image, 5);
    EXPECT_TRUE(lamps.crossing);  // station 2's melody has not started
    at(155);
    EXPECT_EQ(q.crossings[1], 1);
    at(160);
    EXPECT_EQ(q.image, 5);

    at(205);  // the first crossing is passed
    EXPECT_EQ(queuedCrossing(q), 1);
    EXPECT_EQ(q.image, 6);
    EXPECT_FALSE(lamps.crossing);
    at(210);  // still near the first one's end: the second stays queued
    EXPECT_EQ(queuedCrossing(q), 1);

    at(305);
    EXPECT_EQ(queuedCrossing(q), -1);
    EXPECT_EQ(q.image, 0);
    EXPECT_EQ(q.shown, -1);

    // The train placed anew between both crossings; Enter drops the head.
    stations.progress[2].departureStarted = true;
    setActiveCrossings(q, route, 170);
    EXPECT_EQ(q.crossings[0], 0);
    EXPECT_EQ(q.crossings[1], 1);
    at(175);
    EXPECT_EQ(q.image, 5);
    EXPECT_FALSE(lamps.crossing);
    dropQueuedCrossing(q);
    EXPECT_EQ(queuedCrossing(q), 1);
    dropQueuedCrossing(q);
    EXPECT_EQ(queuedCrossing(q), -1);
    EXPECT_EQ(q.shown, -1);
    dropQueuedCrossing(q);  // an empty queue stays empty
    EXPECT_EQ(q.crossings, CrossingQueue::empty());
}

}  // namespace
}  // namespace tovra
