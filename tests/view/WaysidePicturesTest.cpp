#include <gtest/gtest.h>

#include "sim/CrossingQueue.h"
#include "sim/PanelLamps.h"
#include "sim/ProtectionState.h"
#include "view/CabPictures.h"
#include "view/StatusTextUpdates.h"
#include "view/StatusTexts.h"
#include "view/WaysidePictures.h"

namespace tovra {
namespace {

Image blank(int w, int h) {
    return Image{w, h, std::vector<std::uint32_t>(std::size_t(w * h))};
}

struct Placed {
    const Image* image;
    int x;
    int y;
    bool operator==(const Placed&) const = default;
};

std::vector<Placed> placed(const WaysideView& view) {
    std::vector<Placed> out;
    for (const PlacedPicture& p : view.pictures) out.push_back({p.image, p.x, p.y});
    return out;
}

TEST(WaysidePictures, RowsInTheTopLeftCornerShowingTheIdleImagesAtRest) {
    ImageLists lists;
    lists.cross = {blank(70, 30), blank(76, 20)};
    lists.anim = {blank(60, 28), blank(64, 28)};
    lists.trafficSignal = {blank(20, 50), blank(24, 60), blank(30, 12)};
    CrossingQueue crossings;
    PanelLamps lamps;
    StatusTexts animation;
    TrafficSignalView traffic;

    // At rest the crossing and the animation show their image 0. The
    // animation's row lies below the crossing's, which is as tall as its
    // tallest picture (30): 8 + 30 + 4.
    WaysideView view = waysideView(lists, crossings, lamps, animation, traffic);
    EXPECT_EQ(placed(view),
              (std::vector<Placed>{{&lists.cross[0], 8, 8}, {&lists.anim[0], 8, 42}}));
    EXPECT_FALSE(view.crossingLamp);

    // A crossing queued with its lamp lit, the lamp beside its picture and
    // centred on the row: (30 - 16) / 2 = 7 below the margin.
    crossings.shown = 0;
    crossings.image = 1;
    lamps.crossing = true;
    animation.shownAnimationPhase = 3;
    animation.animationImage = 1;
    view = waysideView(lists, crossings, lamps, animation, traffic);
    EXPECT_EQ(placed(view),
              (std::vector<Placed>{{&lists.cross[1], 8, 8}, {&lists.anim[1], 8, 42}}));
    ASSERT_TRUE(view.crossingLamp);
    EXPECT_EQ(view.crossingLamp->x, 8 + 76 + 4);
    EXPECT_EQ(view.crossingLamp->y, 8 + 7);

    // A traffic light in view takes the row below the animation (42 + 28 +
    // 4), its indicator the row below the tallest light (74 + 60 + 4) once
    // the second point enables it.
    traffic.light = 4;
    traffic.image = 1;
    traffic.indicatorImage = 2;
    view = waysideView(lists, crossings, lamps, animation, traffic);
    EXPECT_EQ(placed(view), (std::vector<Placed>{{&lists.cross[1], 8, 8},
                                                 {&lists.anim[1], 8, 42},
                                                 {&lists.trafficSignal[1], 8, 74}}));
    traffic.secondIndicator = true;
    traffic.image = 3;  // beyond the list: no light, the indicator stays put
    view = waysideView(lists, crossings, lamps, animation, traffic);
    EXPECT_EQ(placed(view), (std::vector<Placed>{{&lists.cross[1], 8, 8},
                                                 {&lists.anim[1], 8, 42},
                                                 {&lists.trafficSignal[2], 8, 138}}));

    // Without crossing and animation pictures the light starts the column.
    lists.cross.clear();
    lists.anim.clear();
    lamps.crossing = false;
    traffic.image = 0;
    traffic.secondIndicator = false;
    view = waysideView(lists, crossings, lamps, animation, traffic);
    EXPECT_EQ(placed(view), (std::vector<Placed>{{&lists.trafficSignal[0], 8, 8}}));
}

}  // namespace
}  // namespace tovra
