#include "view/VideoFrameRate.h"

#include <gtest/gtest.h>

namespace tovra {
namespace {

TEST(VideoFrameRate, CountsThePicturesShownInTheLastSecond) {
    VideoFrameRate rate;
    EXPECT_EQ(rate.perSecond(0), 0);
    for (int t = 0; t < 1000; t += 40) rate.shown(t);  // 0, 40, ..., 960: 25 pictures
    EXPECT_EQ(rate.perSecond(999), 25);
    EXPECT_EQ(rate.perSecond(1000), 24);  // the first is a second old
    // The train stops: no new picture, and the rate falls to nothing.
    EXPECT_EQ(rate.perSecond(1500), 12);  // 520 .. 960
    EXPECT_EQ(rate.perSecond(1960), 0);
    rate.shown(3000);
    EXPECT_EQ(rate.perSecond(3000), 1);
}

}  // namespace
}  // namespace tovra
