#include "input/MappingLearner.h"

#include <gtest/gtest.h>

namespace tovra {
namespace {

TEST(MappingLearner, TheLeverMovedFurthestAndTheControlNewlyPressedAreLearnt) {
    MappingLearner learner;
    // Button 0 is already held when the step begins, and the hat rests up.
    learner.begin({{100, -32768, 0}, {true, false}, {HatUp}});
    learner.watch({{9000, -20000, 300}, {true, false}, {HatUp}});
    EXPECT_FALSE(learner.movedAxis());  // 12768 at most: under a quarter
    EXPECT_FALSE(learner.pressedControl());

    learner.watch({{9000, 30000, 300}, {true, false}, {HatUp | HatLeft}});
    learner.watch({{0, 20000, 0}, {true, true}, {HatUp}});  // back a little
    const auto axis = learner.movedAxis();
    ASSERT_TRUE(axis);
    EXPECT_EQ(axis->axis, 1);
    EXPECT_EQ(axis->start, -32768);
    EXPECT_EQ(axis->furthest, 30000);
    // The hat's left came first; the button after it does not replace it.
    EXPECT_EQ(learner.pressedControl(), (PadControl{true, 0, HatLeft}));

    learner.begin({{0, 0, 0}, {false, false}, {0}});
    learner.watch({{0, 0, 0}, {false, true}, {0}});
    EXPECT_EQ(learner.pressedControl(), (PadControl{false, 1, 0}));
    EXPECT_FALSE(learner.movedAxis());
}

}  // namespace
}  // namespace tovra
