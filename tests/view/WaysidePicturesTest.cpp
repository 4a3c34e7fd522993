#include <gtest/gtest.h>

#include "data/RouteSpec.h"
#include "sim/ProtectionState.h"
#include "sound/RunningSoundState.h"
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

TEST(WaysidePictures, EachObjectInItsPlaceTheIdleImagesAtRest) {
    ImageLists lists;
    lists.cross = {blank(70, 30), blank(76, 20)};
    lists.anim = {blank(60, 28), blank(64, 28)};
    lists.trafficSignal = {blank(20, 50), blank(24, 60), blank(30, 12)};
    RouteSpec route;
    RunningSoundState crossings;
    StatusTexts animation;
    TrafficSignalView traffic;

    // At rest the crossing and the animation show their image 0; no light
    // is in view.
    traffic.image = 1;
    WaysideView view = waysideView(lists, route, 800, crossings, animation, traffic);
    EXPECT_EQ(placed(view),
              (std::vector<Placed>{{&lists.cross[0], 8, 8}, {&lists.anim[0], 8, 42}}));
    EXPECT_FALSE(view.crossingLamp);

    // The crossing at the top left, its lamp beside it, centred on the row of
    // the tallest crossing picture (30): (30 - 16) / 2 = 7 below the margin.
    // The animation below that row: 8 + 30 + 4.
    crossings.crossingShown = 0;
    crossings.crossingImage = 1;
    crossings.crossingLamp = true;
    animation.shownAnimationPhase = 3;
    animation.animationImage = 1;
    view = waysideView(lists, route, 800, crossings, animation, traffic);
    EXPECT_EQ(placed(view),
              (std::vector<Placed>{{&lists.cross[1], 8, 8}, {&lists.anim[1], 8, 42}}));
    ASSERT_TRUE(view.crossingLamp);
    EXPECT_EQ(view.crossingLamp->x, 8 + 76 + 4);
    EXPECT_EQ(view.crossingLamp->y, 8 + 7);

    // A traffic light without signal pictures: at the top right, its
    // indicator below it once the second point enables it.
    lists.cross.clear();
    lists.anim.clear();
    crossings.crossingLamp = false;
    traffic.light = 4;
    traffic.indicatorImage = 2;
    view = waysideView(lists, route, 800, crossings, animation, traffic);
    EXPECT_EQ(placed(view), (std::vector<Placed>{{&lists.trafficSignal[1], 800 - 8 - 24, 8}}));
    traffic.secondIndicator = true;
    view = waysideView(lists, route, 800, crossings, animation, traffic);
    EXPECT_EQ(placed(view), (std::vector<Placed>{{&lists.trafficSignal[1], 768, 8},
                                                 {&lists.trafficSignal[2], 800 - 8 - 30, 72}}));
    // With signal pictures it stands where the signal heads do.
    route.SignalImages = SignalImageSet{{736, 24}, {}};
    view = waysideView(lists, route, 800, crossings, animation, traffic);
    EXPECT_EQ(placed(view), (std::vector<Placed>{{&lists.trafficSignal[1], 736, 24},
                                                 {&lists.trafficSignal[2], 736, 88}}));
    // An image number beyond the list draws nothing.
    traffic.image = 3;
    traffic.indicatorImage = -1;
    view = waysideView(lists, route, 800, crossings, animation, traffic);
    EXPECT_TRUE(view.pictures.empty());
}

}  // namespace
}  // namespace tovra
