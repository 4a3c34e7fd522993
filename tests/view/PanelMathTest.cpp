#include <gtest/gtest.h>

#include "view/PanelMath.h"

namespace tovra {
namespace {

TEST(AppPanelMath, GaugeAnglesRoundHalvesAwayFromZero) {
    // 360 degrees are 255 steps.
    EXPECT_EQ(gaugeAngle(0, 1, 360), 255);
    EXPECT_EQ(gaugeAngle(100, 0.9L, 0), 64);  // 63.75
    // 6 degrees are 4.25 steps; 18 degrees 12.75; -18 degrees -12.75.
    EXPECT_EQ(gaugeAngle(6, 1, 0), 4);
    EXPECT_EQ(gaugeAngle(18, 1, 0), 13);
    EXPECT_EQ(gaugeAngle(-18, 1, 0), -13);
    EXPECT_EQ(gaugeAngle(7.2L, 1, 0), 5);
    EXPECT_EQ(gaugeAngle(-7.2L, 1, 0), -5);
}

TEST(AppPanelMath, SpeedNeedleExpandsBelowTenAndJoinsAtTen) {
    const Extended rate = 1.5L, rate2 = 3, start = -135;
    const int at9 = *speedNeedleAngle(9, rate, rate2, start);
    const int at10 = *speedNeedleAngle(10, rate, rate2, start);
    EXPECT_EQ(at9, gaugeAngle(9 * rate2 + start, 1, 0));
    // Continuous at 10 km/h: 10 x rate2 + start either way.
    EXPECT_EQ(at10, gaugeAngle(10 * rate2 + start, 1, 0));
    EXPECT_NEAR(at10 - at9, rate2 * kDegreesToSteps, 1);
    // Above 10 the normal rate, shifted.
    EXPECT_EQ(*speedNeedleAngle(20, rate, rate2, start),
              gaugeAngle(20 * rate + start - (rate - rate2) * 10, 1, 0));
    // Without a second rate one scale serves all speeds.
    EXPECT_EQ(*speedNeedleAngle(9, rate, 0, start), gaugeAngle(9 * rate + start, 1, 0));
    // Backwards the needle shows the magnitude from 1 km/h on.
    EXPECT_EQ(*speedNeedleAngle(-30, rate, 0, start), *speedNeedleAngle(30, rate, 0, start));
    EXPECT_FALSE(speedNeedleAngle(-0.5L, rate, 0, start));
    EXPECT_FALSE(speedNeedleAngle(160, rate, 0, start));
    EXPECT_TRUE(speedNeedleAngle(159.9L, rate, 0, start));
}

TEST(AppPanelMath, AmmeterHalvesTheDistanceAndNeverOvershoots) {
    for (const auto& [from, to] : {std::pair{0, 100},
                                   {0, -100},
                                   {250, 3},
                                   {-40, 41},
                                   {5, -5},
                                   {0, 1},
                                   {0, -1},
                                   {-300, -299}}) {
        std::int32_t shown = from;
        int passes = 0;
        while (shown != to && passes < 64) {
            const std::int32_t next = easeAmmeter(shown, to);
            // Each pass moves towards the value, by about half the way.
            EXPECT_LE(std::abs(to - next), std::abs(to - shown) / 2 + 1) << from << "->" << to;
            EXPECT_TRUE((next - shown) * (to - shown) > 0) << from << "->" << to;
            EXPECT_LE(std::abs(to - next), std::abs(to - shown));
            EXPECT_GE((to - next) * (to - from), 0) << "overshot " << from << "->" << to;
            shown = next;
            ++passes;
        }
        EXPECT_EQ(shown, to) << from << "->" << to;
    }
    EXPECT_EQ(easeAmmeter(0, 100), 50);
    EXPECT_EQ(easeAmmeter(50, 100), 75);
    EXPECT_EQ(easeAmmeter(100, 0), 50);
    EXPECT_EQ(easeAmmeter(7, 7), 7);
}

TEST(AppPanelMath, AmmeterSources) {
    // Source 0 follows the reverser's sign, 1 the magnitude, 2 stays at the start.
    EXPECT_EQ(ammeterAngle(-100, 0.9L, 0, 0, 1), -64);
    EXPECT_EQ(ammeterAngle(100, 0.9L, 0, 0, -1), -64);
    EXPECT_EQ(ammeterAngle(-100, 0.9L, 0, 1, -1), 64);
    EXPECT_EQ(ammeterAngle(-100, 0.9L, 40, 2, 1), 40);
    EXPECT_EQ(linearGaugeTop(300, 0.25L, 490), 300 - 123);  // 122.5 rounds away
}

TEST(AppPanelMath, FadeDarkensInStepsOfTenAndThenCloses) {
    int level = 1;
    int passes = 0;
    std::vector<int> drawn;
    bool closed = false;
    while (level > 0) {
        const FadeStep step = stepFade(level, false);
        drawn.push_back(step.level);
        closed = step.close;
        level = step.next;
        ++passes;
    }
    EXPECT_TRUE(closed);
    EXPECT_EQ(drawn.front(), 1);
    EXPECT_EQ(drawn.back(), 251);
    EXPECT_EQ(passes, 26);
    for (std::size_t i = 1; i < drawn.size(); ++i) EXPECT_EQ(drawn[i] - drawn[i - 1], 10);

    // Effects off: fully black and closed at the first pass.
    const FadeStep off = stepFade(1, true);
    EXPECT_EQ(off.level, 256);
    EXPECT_TRUE(off.close);
    EXPECT_EQ(off.next, 0);
    EXPECT_FALSE(stepFade(0, true).close);
}

TEST(AppPanelMath, DrawingPace) {
    EXPECT_FALSE(drawDue(14));
    EXPECT_TRUE(drawDue(15));
}

}  // namespace
}  // namespace tovra
