#include "view/TrackSigns.h"

#include <gtest/gtest.h>

#include <memory>

#include "data/RouteSpec.h"
#include "sim/ProtectionState.h"
#include "view/SpriteModel.h"

namespace tovra {
namespace {

// The four signs, each a column of `patterns` patterns, hidden as loaded.
struct TrackSigns : ::testing::Test {
    TrackSigns() {
        add("img_unten_slope", 5);
        add("img_unten_limit", 81);  // 0 to 80 km/h
        add("img_unten_remain", 11);
        add("img_unten_teimoku", 1);
    }
    void add(const char* name, int patterns) {
        auto image = std::make_shared<Image>();
        image->width = 4;
        image->height = 4 * patterns;
        image->pixels.assign(std::size_t(16 * patterns), 0);
        sprites.add(Picture{name, image, std::nullopt, 4, 4}, 0, 0, 100).visible = false;
    }
    // The pattern the sign shows, -1 while hidden.
    int shown(const char* name) const {
        const Sprite& s = *sprites.find(name);
        return s.visible ? s.patternIndex : -1;
    }
    int post(std::int32_t frame, Extended gradient) {
        show_gradient_post(sprites, slopes, frame, Currency(gradient));
        return shown("img_unten_slope");
    }

    SpriteModel sprites;
    std::vector<SlopeRecord> slopes;
};

TEST_F(TrackSigns, GradientPostWhileEnteringAnUpGradient) {
    slopes = {{Currency(5), 100, 200},
              {Currency(-8), 300, 400},
              {Currency(2.5L), 500, 600},
              {Currency(10), 150, 160},  // within the first
              {Currency(3), 700, 800}};
    EXPECT_EQ(post(100, 0), -1);  // both ends are outside
    EXPECT_EQ(post(101, 0), 1);
    EXPECT_EQ(post(199, 4.5L), 1);
    EXPECT_EQ(post(199, 5), -1);  // the whole train is on it
    EXPECT_EQ(post(200, 0), -1);
    EXPECT_EQ(post(350, 0), -1);  // a down gradient has no post
    EXPECT_EQ(post(550, 2.4999L), 3);
    EXPECT_EQ(post(550, 2.5L), -1);
    EXPECT_EQ(post(155, 0), 4);   // the later entry
    EXPECT_EQ(post(750, 0), -1);  // a fifth post the picture lacks
}

TEST_F(TrackSigns, LimitSignWithin200MetresShowsItsSpeed) {
    ApproachEntry next;
    next.ahead = true;
    next.limit = 45;
    next.distance = 20001;
    show_limit_sign(sprites, next);
    EXPECT_EQ(shown("img_unten_limit"), -1);
    next.distance = 20000;
    show_limit_sign(sprites, next);
    EXPECT_EQ(shown("img_unten_limit"), 45);
    next.limit = 80;
    show_limit_sign(sprites, next);
    EXPECT_EQ(shown("img_unten_limit"), 80);
    next.limit = 81;  // no sign drawn for it
    show_limit_sign(sprites, next);
    EXPECT_EQ(shown("img_unten_limit"), -1);
    show_limit_sign(sprites, ApproachEntry{});  // no sign ahead
    EXPECT_EQ(shown("img_unten_limit"), -1);
}

TEST_F(TrackSigns, RemainingDistanceInTensOfMetres) {
    const auto remain = [&](Extended cm) {
        show_remaining_distance(sprites, cm);
        return shown("img_unten_remain");
    };
    EXPECT_EQ(remain(20000), -1);
    EXPECT_EQ(remain(10501), -1);  // 105.01 m: no 110
    EXPECT_EQ(remain(10500), 10);  // 105 m: a half, to even
    EXPECT_EQ(remain(5849), 6);
    EXPECT_EQ(remain(1500), 2);
    EXPECT_EQ(remain(0), 0);
    EXPECT_EQ(remain(-1), -1);  // past the stop position
}

TEST_F(TrackSigns, StopMarkNearTheStopOfAStationThatAsksForIt) {
    StationRecord stop;
    stop.zoneHalfLength = 1000;
    const auto mark = [&](Extended cm) {
        show_stop_mark(sprites, stop, cm);
        return shown("img_unten_teimoku");
    };
    EXPECT_EQ(mark(5000), -1);
    stop.stopMarkType = 1;
    EXPECT_EQ(mark(10000), -1);
    EXPECT_EQ(mark(9999), 0);
    EXPECT_EQ(mark(-999), 0);  // within the stopping window beyond it
    EXPECT_EQ(mark(-1000), -1);
}

}  // namespace
}  // namespace tovra
