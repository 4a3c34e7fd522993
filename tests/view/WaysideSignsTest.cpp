#include <memory>

#include "StatusTextsFixture.h"

namespace tovra {
namespace {

struct WaysideSignsTest : test::StatusTextsFixture {
    WaysideSignsTest() {
        Picture picture;
        picture.name = "img_unten_other";
        picture.image = std::make_shared<Image>(Image{64, 32, std::vector<std::uint32_t>(64 * 32)});
        picture.patternWidth = 32;
        cab.sprites.add(std::move(picture), 0, 0, 100).visible = false;
        cab.state.Frame = 150;
        cab.calloutOffer.lastKankoChannel = 7;
    }
    const Sprite& sign() const { return *cab.sprites.find("img_unten_other"); }
    std::int32_t tick() {
        update_wayside_signs(cab.sprites, cab.statusTexts, cab.calloutOffer, cab.route, cab.state);
        EXPECT_EQ(cab.calloutOffer.kankoPending, cab.statusTexts.shownSign);
        return cab.statusTexts.shownSign;
    }
};

TEST_F(WaysideSignsTest, SignSwitchesToItsSecondImageAfterSecondsInView) {
    cab.route.Signs = {{3, 100, 200, 2}};
    cab.state.Frame = 99;
    EXPECT_EQ(tick(), 999);
    EXPECT_FALSE(sign().visible);
    EXPECT_EQ(cab.calloutOffer.lastKankoChannel, 7);

    cab.state.Frame = 100;
    EXPECT_EQ(tick(), 3);
    EXPECT_TRUE(sign().visible);
    EXPECT_EQ(sign().patternIndex, 3);
    EXPECT_EQ(cab.calloutOffer.lastKankoChannel, -1);  // the new sign can be called out

    cab.calloutOffer.lastKankoChannel = 3;
    for (int k = 2; k <= 21; ++k) ASSERT_EQ(tick(), 3) << k;
    EXPECT_EQ(cab.calloutOffer.lastKankoChannel, 3);
    EXPECT_EQ(tick(), 4);  // more than 20 ticks in view
    EXPECT_EQ(sign().patternIndex, 4);
    EXPECT_EQ(cab.calloutOffer.lastKankoChannel, -1);
    cab.calloutOffer.lastKankoChannel = 4;
    EXPECT_EQ(tick(), 4);
    EXPECT_EQ(cab.calloutOffer.lastKankoChannel, 4);

    cab.state.Frame = 200;
    EXPECT_EQ(tick(), 999);
    EXPECT_FALSE(sign().visible);
}

TEST_F(WaysideSignsTest, SignSwitchesOnceTheClockHasPassedItsTime) {
    cab.route.Signs = {{5, 100, 200, 36000}};
    cab.state.Clock = 36000;
    EXPECT_EQ(tick(), 5);
    EXPECT_EQ(tick(), 5);
    cab.state.Clock = 36001;
    EXPECT_EQ(tick(), 6);
    EXPECT_EQ(sign().patternIndex, 6);

    // Parameter 0 keeps the first image however long the sign is in view.
    cab.route.Signs.push_back({7, 300, 400, 0});
    cab.state.Frame = 250;
    EXPECT_EQ(tick(), 999);
    cab.state.Frame = 300;
    for (int k = 0; k < 500; ++k) ASSERT_EQ(tick(), 7) << k;
}

TEST_F(WaysideSignsTest, TimeCheckMarkWhileRunningTowardsAFarStop) {
    cab.route.TimeCallouts = {{150, 300, 1080000}};
    cab.state.Speed = 30;
    cab.state.RemainDistance = 20000;
    EXPECT_EQ(tick(), 999);  // the first frame itself is outside
    cab.state.Frame = 151;
    EXPECT_EQ(tick(), 900);
    EXPECT_TRUE(sign().visible);
    EXPECT_EQ(sign().patternIndex, 0);
    EXPECT_EQ(cab.calloutOffer.lastKankoChannel, -1);
    cab.state.RemainDistance = 10000;
    EXPECT_EQ(tick(), 999);
    EXPECT_FALSE(sign().visible);
    cab.state.RemainDistance = 20000;
    cab.state.Speed = 1;
    EXPECT_EQ(tick(), 999);

    // A sign in view keeps the sprite for itself.
    cab.state.Speed = 30;
    cab.route.Signs = {{3, 100, 200, 0}};
    EXPECT_EQ(tick(), 3);
    EXPECT_EQ(sign().patternIndex, 3);
}

TEST_F(WaysideSignsTest, AnimationStepsThroughFourteenPhases) {
    StatusTexts& t = cab.statusTexts;
    cab.route.Anims = {{100, 200, 2, 5}};
    std::vector<std::int32_t> shown;
    for (int k = 0; k < 43; ++k) {
        update_wayside_animation(cab.statusTexts, cab.route, cab.state.Frame);
        shown.push_back(t.animationImage);
    }
    // A step after every third tick (the timer must pass the period).
    for (int k = 0; k < 43; ++k) EXPECT_EQ(shown[std::size_t(k)], 5 + (k / 3) % 14) << k;
    EXPECT_EQ(shown[41], 18);
    EXPECT_EQ(shown[42], 5);  // after phase 13 back to phase 0

    for (int k = 0; k < 3; ++k)
        update_wayside_animation(cab.statusTexts, cab.route, cab.state.Frame);
    EXPECT_EQ(t.animationImage, 6);

    cab.state.Frame = 200;
    update_wayside_animation(cab.statusTexts, cab.route, cab.state.Frame);
    EXPECT_EQ(t.animationImage, 0);
    EXPECT_EQ(t.shownAnimationPhase, 999);
    // Back in view the phase it had reached is shown again.
    cab.state.Frame = 100;
    update_wayside_animation(cab.statusTexts, cab.route, cab.state.Frame);
    EXPECT_EQ(t.animationImage, 6);
}

}  // namespace
}  // namespace tovra
