#include "input/PadPresets.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "input/GamePad.h"

namespace tovra {
namespace {

using ButtonKeys = std::vector<std::pair<int, PadKey>>;

ButtonKeys buttonKeys(const DeviceMapping& m) {
    ButtonKeys keys;
    for (const ControlMapping& c : m.controls) {
        EXPECT_FALSE(c.control.hat);
        keys.emplace_back(c.control.index, c.key);
    }
    return keys;
}

TEST(PadPresets, ButtonsGiveTheCommandsOfTheKeysTheirTypeTypes) {
    // The keypad's digits are the letters' commands; "w" is a gear position
    // besides the power mode, so it is not "9".
    EXPECT_EQ(padKeyTyping('7'), PadKey::Doors);
    EXPECT_EQ(padKeyTyping('1'), PadKey::NextAnnouncement);
    EXPECT_EQ(padKeyTyping('9'), PadKey::NextPowerMode);
    EXPECT_EQ(padKeyTyping('w'), PadKey::GearLever2);
    EXPECT_EQ(padKeyTyping('z'), std::nullopt);

    const ButtonKeys twoLever{{0, PadKey::NextPowerMode}, {1, PadKey::NextAnnouncement},
                              {2, PadKey::Horn},          {3, PadKey::Doors},
                              {5, PadKey::GearLever0},    {4, PadKey::Callout}};
    EXPECT_EQ(buttonKeys(presetMapping(PadType::TwoLever)), twoLever);
    const DeviceMapping adapter = presetMapping(PadType::PsAdapter);
    const ButtonKeys adapterKeys{{9, PadKey::NextAnnouncement},
                                 {1, PadKey::Horn},
                                 {2, PadKey::Doors},
                                 {3, PadKey::NextPowerMode},
                                 {8, PadKey::AtsReset}};
    EXPECT_EQ(buttonKeys(adapter), adapterKeys);
    EXPECT_TRUE(adapter.axes.empty());
    const DeviceMapping oneHandle = presetMapping(PadType::OneHandle);
    EXPECT_EQ(buttonKeys(oneHandle), (ButtonKeys{{0, PadKey::Horn}}));
    EXPECT_TRUE(oneHandle.axes.empty());
}

// Over the whole range of both axes the preset's levers give the type's
// steps, but where a reading lies exactly on a limit, which the type leaves
// as it was.
TEST(PadPresets, TwoLeverLeversStepAsTheTypeReadsThem) {
    const DeviceMapping m = presetMapping(PadType::TwoLever);
    ASSERT_EQ(m.axes.size(), 2u);
    const AxisMapping& power = m.axes[0];
    const AxisMapping& brake = m.axes[1];
    ASSERT_EQ(power.role, AxisRole::Power);
    ASSERT_EQ(power.axis, 1);
    ASSERT_EQ(brake.role, AxisRole::Brake);
    ASSERT_EQ(brake.axis, 0);
    int compared = 0;
    for (std::int32_t v = -32768; v <= 32767; ++v) {
        const PadCommand fixed = padCommand(PadType::TwoLever, {}, PadReading{v, v, 0});
        if (fixed.power) {
            ASSERT_EQ(axisSteps(power, v).power, fixed.power) << v;
            ++compared;
        }
        if (fixed.brake) {
            ASSERT_EQ(axisSteps(brake, v).brake, fixed.brake) << v;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 2 * 65536 - 4 - 8);
}

}  // namespace
}  // namespace tovra
