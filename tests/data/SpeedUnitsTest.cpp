#include "data/SpeedUnits.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace tovra {
namespace {

SpeedUnit unit(std::int32_t first, std::int32_t last, Extended v1, Extended v2) {
    return SpeedUnit{first, last, v1, v2, 0};
}

std::vector<SpeedUnit> withEnds(std::vector<SpeedUnit> units) {
    computeEndDistances(units);
    return units;
}

TEST(SpeedUnits, TwoConstantSegments) {
    const auto units = withEnds({unit(0, 300, 60, 60), unit(300, 600, 30, 30)});
    EXPECT_EQ(units[0].EndDistance, 16667);
    EXPECT_EQ(units[1].EndDistance, 25000);
    EXPECT_EQ(frame_to_position(units, 450), 20834);
    EXPECT_EQ(frame_to_position(units, 0), 0);
    EXPECT_EQ(frame_to_position(units, 150), 8333);
    EXPECT_EQ(frame_to_position(units, 600), 25000);
    // A boundary frame measured through either segment.
    EXPECT_EQ(positionInSegment(units, 0, 300), 16667);
    EXPECT_EQ(positionInSegment(units, 1, 300), 16667);
    EXPECT_EQ(frame_to_position(units, 601), std::nullopt);
    EXPECT_EQ(frame_to_position(units, -1), std::nullopt);
}

TEST(SpeedUnits, AcceleratingSegmentFollowsTheSpeedRamp) {
    // 0 to 60 km/h over 10 s: after 5 s at 30 km/h the train has run 20.83 m.
    const auto units = withEnds({unit(0, 300, 0, 60)});
    EXPECT_EQ(units[0].EndDistance, 8333);
    EXPECT_EQ(frame_to_position(units, 150), 2083);
    EXPECT_EQ(frame_to_position(units, 30), 83);  // 1 s, 6 km/h: 0.833 m
}

TEST(SpeedUnits, LengthsAreRoundedBeforeSumming) {
    // Each 36 km/h segment of 100 frames is 3333.3 cm: the sum is 6666, not 6667.
    const auto units = withEnds({unit(0, 100, 36, 36), unit(100, 200, 36, 36)});
    EXPECT_EQ(units[1].EndDistance, 6666);
    EXPECT_EQ(frame_to_position(units, 150), 3333 + 1667);
}

TEST(SpeedUnits, DegenerateSegmentsHaveNoLength) {
    // Equal frames would divide by zero; standing film covers no distance.
    const auto units = withEnds({unit(0, 100, 36, 36), unit(100, 100, 50, 70), unit(100, 200, 0, 0),
                                 unit(200, 260, 36, 36)});
    EXPECT_EQ(segmentLength(units[1]), 0);
    EXPECT_EQ(units[1].EndDistance, 3333);
    EXPECT_EQ(positionInSegment(units, 1, 100), 3333);
    EXPECT_EQ(units[2].EndDistance, 3333);
    for (std::int32_t frame : {100, 150, 199, 200})
        EXPECT_EQ(frame_to_position(units, frame), 3333);
    EXPECT_EQ(frame_to_position(units, 230), 3333 + 1000);
}

TEST(SpeedUnits, FramesAcrossTheWholeIntegerRange) {
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    const auto units = withEnds({unit(lo, hi, 1, 1)});
    // 2 km/h-frames x 4294967295 / 2.16, far beyond a 32-bit count.
    EXPECT_EQ(units[0].EndDistance, 3976821569);
    EXPECT_EQ(frame_to_position(units, hi), 3976821569);
    EXPECT_EQ(frame_to_position(units, lo), 0);
}

TEST(SpeedUnits, FilmSpeedBounds) {
    EXPECT_TRUE(isWithinFilmSpeed(unit(0, 1, -kMaxFilmSpeed, kMaxFilmSpeed)));
    EXPECT_FALSE(isWithinFilmSpeed(unit(0, 1, 0, kMaxFilmSpeed + 1)));
    EXPECT_FALSE(isWithinFilmSpeed(unit(0, 1, -kMaxFilmSpeed - 1, 0)));
}

}  // namespace
}  // namespace tovra
