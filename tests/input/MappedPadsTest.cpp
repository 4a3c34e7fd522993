#include "input/MappedPads.h"

#include <gtest/gtest.h>

#include <vector>

#include "input/PadMappingFile.h"

namespace tovra {
namespace {

const std::string kThrottle = "030000004f0400000ab4000000000000";
const std::string kPedal = "03000000de2800000000000000000000";

// A throttle whose lever rests at the positive end and is pushed towards
// the negative end: five notches spread evenly beyond a 10 % dead zone,
// that is from travel 0.10, 0.28, 0.46, 0.64 and 0.82.
AxisMapping throttle() {
    AxisMapping a;
    a.axis = 1;
    a.role = AxisRole::Power;
    a.rest = 32767;
    a.powerEnd = -32768;
    a.deadZone = 0.1;
    a.powerNotches = evenNotches(5, a.deadZone);
    return a;
}

AttachedDevice device(int id, const std::string& guid, std::vector<std::int32_t> axes,
                      std::vector<bool> buttons = {}, std::vector<std::uint8_t> hats = {}) {
    return {id,
            guid,
            "dev" + std::to_string(id),
            {std::move(axes), std::move(buttons), std::move(hats)}};
}

TEST(MappedPads, AxisSweepGivesEachNotchOnceBothWaysWithDeadZoneAndAMarginAtTheMarks) {
    MappedPads pads({{kThrottle, {"throttle", {throttle()}, {}}}});
    const auto sweep = [&](const std::vector<std::int32_t>& readings) {
        std::vector<Step> steps;
        for (const std::int32_t reading : readings) {
            const AttachedDevice d = device(7, kThrottle, {0, reading});
            const MappedPadEvents e = pads.poll({&d, 1});
            EXPECT_FALSE(e.steps.brake);
            steps.push_back(e.steps.power);
        }
        return steps;
    };
    // Travel 0, 0.05, 0.15, 0.285, 0.295, 0.5, 0.7, 0.9, 1. Within a
    // hundredth of the mark at 0.28 the step it had stays.
    EXPECT_EQ(sweep({32767, 29490, 22936, 14089, 13434, 0, -13107, -26214, -32768}),
              (std::vector<Step>{0, {}, 1, {}, 2, 3, 4, 5, {}}));
    // Back: 0.9, 0.7, 0.5, 0.295, 0.285, 0.275, 0.265, 0.15, 0.05, 0.
    EXPECT_EQ(sweep({-26214, -13107, 0, 13434, 14089, 14745, 15400, 22936, 29490, 32767}),
              (std::vector<Step>{{}, 4, 3, 2, {}, {}, 1, {}, 0, {}}));
    // A first mark dragged into the dead zone acts only beyond it.
    AxisMapping dragged = throttle();
    dragged.powerNotches = {0.02, 0.5};
    EXPECT_EQ(axisSteps(dragged, 29490).power, 0);  // travel 0.05
    EXPECT_EQ(axisSteps(dragged, 22936).power, 1);  // travel 0.15
}

TEST(MappedPads, CombinedHandleCrossesFromPowerToBrakeThroughNeutral) {
    AxisMapping a;
    a.role = AxisRole::Combined;
    a.rest = 0;
    a.powerEnd = -32768;
    a.brakeEnd = 32767;
    a.deadZone = 0.1;
    a.powerNotches = evenNotches(4, 0.1);  // 0.1 0.325 0.55 0.775
    a.brakeNotches = evenNotches(8, 0.1);  // 0.1 0.2125 0.325 0.4375 0.55 ...
    EXPECT_EQ(axisSteps(a, -32768), (HandleSteps{4, 0}));
    EXPECT_EQ(axisSteps(a, -16384), (HandleSteps{2, 0}));
    EXPECT_EQ(axisSteps(a, -2000), (HandleSteps{0, 0}));
    EXPECT_EQ(axisSteps(a, 0), (HandleSteps{0, 0}));
    EXPECT_EQ(axisSteps(a, 2000), (HandleSteps{0, 0}));
    EXPECT_EQ(axisSteps(a, 16384), (HandleSteps{0, 4}));
    EXPECT_EQ(axisSteps(a, 32767), (HandleSteps{0, 8}));

    MappedPads pads({{kThrottle, {"one handle", {a}, {}}}});
    std::vector<HandleSteps> seen;
    for (const std::int32_t reading : {-32768, -16384, 0, 16384, 32767}) {
        const AttachedDevice d = device(1, kThrottle, {reading});
        seen.push_back(pads.poll({&d, 1}).steps);
    }
    const std::vector<HandleSteps> expected{{4, 0}, {2, {}}, {0, {}}, {{}, 4}, {{}, 8}};
    EXPECT_EQ(seen, expected);
}

TEST(MappedPads, ButtonsAndHatsPressAndReleaseAndAPulledOutDeviceLetsGo) {
    AxisMapping pedal;
    pedal.axis = 0;
    pedal.role = AxisRole::Brake;
    pedal.rest = -32768;
    pedal.brakeEnd = 32767;
    pedal.deadZone = 0;
    pedal.brakeNotches = evenNotches(8, 0);
    const DeviceMapping throttleMap{
        "throttle",
        {throttle()},
        {{{false, 2, 0}, PadKey::Horn}, {{true, 0, HatUp}, PadKey::ReverserForward}}};
    MappedPads pads({{kThrottle, throttleMap}, {kPedal, {"pedal", {pedal}, {}}}});

    // Two devices in one poll: power from one, brake from the other.
    std::vector<AttachedDevice> both{device(1, kThrottle, {0, 32767}, {false, false, true}, {0}),
                                     device(2, kPedal, {32767})};
    MappedPadEvents e = pads.poll(both);
    EXPECT_EQ(e.steps, (HandleSteps{0, 8}));
    EXPECT_EQ(e.keys, (std::vector<PadKeyEvent>{{PadKey::Horn, true}}));
    EXPECT_EQ(e.pluggedIn, (std::vector<std::string>{"dev1", "dev2"}));

    both[0].reading.hats = {HatUp | HatRight};  // a diagonal holds the direction too
    EXPECT_EQ(pads.poll(both).keys, (std::vector<PadKeyEvent>{{PadKey::ReverserForward, true}}));
    EXPECT_TRUE(pads.poll(both).keys.empty());  // held: nothing new
    both[0].reading.buttons = {false, false, false};
    EXPECT_EQ(pads.poll(both).keys, (std::vector<PadKeyEvent>{{PadKey::Horn, false}}));

    // Pulled out with the hat held: released, the handles left where they are.
    both.erase(both.begin());
    e = pads.poll(both);
    EXPECT_EQ(e.keys, (std::vector<PadKeyEvent>{{PadKey::ReverserForward, false}}));
    EXPECT_EQ(e.steps, (HandleSteps{}));
    EXPECT_EQ(e.pulledOut, std::vector<std::string>{"dev1"});

    // Plugged in again under a new id: its lever acts at once.
    both.push_back(device(5, kThrottle, {0, -32768}));
    e = pads.poll(both);
    EXPECT_EQ(e.steps, (HandleSteps{5, {}}));
    EXPECT_EQ(e.pluggedIn, std::vector<std::string>{"dev5"});
}

TEST(PadMappingFile, RoundTripAndDamagedFiles) {
    AxisMapping combined = throttle();
    combined.axis = 3;
    combined.role = AxisRole::Combined;
    combined.brakeEnd = 32767;
    combined.rest = 0;
    combined.brakeNotches = {0.1, 0.35, 0.9};
    const DeviceMappings devices{
        {kThrottle,
         {"Throttle \"X\"",
          {throttle(), combined},
          {{{false, 0, 0}, PadKey::Callout}, {{true, 1, HatLeft}, PadKey::Doors}}}}};
    const MappingFile back = parseMappings(writeMappings(devices));
    ASSERT_EQ(back.error, "");
    ASSERT_EQ(back.devices.size(), 1u);
    const DeviceMapping& m = back.devices.at(kThrottle);
    EXPECT_EQ(m.name, "Throttle \"X\"");
    ASSERT_EQ(m.axes.size(), 2u);
    EXPECT_EQ(m.axes[1].role, AxisRole::Combined);
    EXPECT_EQ(m.axes[1].brakeNotches, combined.brakeNotches);
    EXPECT_EQ(m.axes[0].powerNotches, throttle().powerNotches);  // exactly, not nearly
    EXPECT_EQ(m.axes[0].rest, 32767);
    ASSERT_EQ(m.controls.size(), 2u);
    EXPECT_EQ(m.controls[1].control, (PadControl{true, 1, HatLeft}));
    EXPECT_EQ(m.controls[0].key, PadKey::Callout);

    const std::string head = "[" + kThrottle + "]\n";
    const std::pair<std::string, std::string> damaged[] = {
        {head + "axis.1 = power\naxis.1.rest = 12x\n", "3 行目"},
        {head + "axis.1 = power\naxis.1.rest = 40000\n", "3 行目"},
        {head + "axis.1 = sideways\n", "2 行目"},
        {head + "axis.1 = power\naxis.1.power_end = 0\naxis.1.rest = 0\n", "4 行目"},
        {head + "axis.1 = combined\naxis.1.power_end = 100\naxis.1.brake_end = 200\n", "4 行目"},
        {head + "axis.1.rest = 5\n", "2 行目"},
        {head + "axis.1 = power\naxis.1.power_notches = 0.5 0.3\n", "3 行目"},
        {head + "button.0 = horn\nbutton.0 = doors\n", "3 行目"},
        {head + "button.0 = fly\n", "2 行目"},
        {head + "colour = red\n", "2 行目"},
        {"button.0 = horn\n", "1 行目"},
        {"[not-a-guid]\n", "1 行目"},
        {head + "\n" + head, "3 行目"},
    };
    for (const auto& [text, where] : damaged) {
        const MappingFile file = parseMappings(text);
        EXPECT_TRUE(file.devices.empty()) << text;
        EXPECT_EQ(file.error.rfind(where, 0), 0u) << text << " -> " << file.error;
    }
}

}  // namespace
}  // namespace tovra
