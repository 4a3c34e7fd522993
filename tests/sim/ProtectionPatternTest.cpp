#include <gtest/gtest.h>

#include <string_view>

#include "common/UiText.h"
#include "sim/ProtectionFixture.h"
#include "support/AllocationCount.h"

namespace tovra {
namespace {

using Lines = std::vector<std::string>;

// Pattern protection; a stop signal at frame 1500 (150000 cm) held at stop
// by the preceding train, the signal before it at frame 500.
struct ProtectionPatternTest : test::ProtectionFixture {
    ProtectionPatternTest() {
        cab.vehicle.ATS_Type = 1;
        addSignal(5, 500);
        addSignal(5, 1500);
        addSignal(5, 3000);
        cab.protection.PreTrainFrame = 1600;
        cab.protection.SectionLimit = 100;
        cab.patternPoints = {{50000, 10, 0, kPatternStopSignal},
                             {150000, 10, 1, kPatternStopSignal},
                             {300000, 10, 2, kPatternStopSignal}};
    }
    // Puts the train d cm before the stop signal.
    void before(Extended d, Extended speed) {
        cab.state.Position = 150000 - d;
        cab.state.Frame = std::int32_t((150000 - d) / 100);
        cab.state.Speed = speed;
        logicTick();
    }
    // With a single pattern point at `point`: the train d cm before it.
    void onlyPoint(PatternPoint point) {
        cab.route.Signals.clear();
        cab.patternPoints = {point};
    }
    void ahead(Extended d, Extended speed) {
        cab.state.Position = cab.patternPoints.front().position - d;
        cab.state.Speed = speed;
        logicTick();
    }
    ProtectionState& p = cab.protection;
    TrainState& s = cab.state;
};

TEST_F(ProtectionPatternTest, StopSignalCapturedInAWindowBrakesAtThePatternUntilReset) {
    // 300 m before the signal lies between two windows: the section limit rules.
    before(30000, 70);
    EXPECT_EQ(p.PatternSpeed, 999);
    EXPECT_EQ(p.PatternBrake, 110);
    EXPECT_EQ(p.PatternWarn, 105);
    EXPECT_EQ(p.PatternState, 0);

    // In the 270-280 m window the signal's target is taken; 70 km/h is over
    // the warning curve but under the brake curve.
    before(27500, 70);
    EXPECT_EQ(p.PatternSpeed, 10);
    EXPECT_EQ(p.PatternPos, 150000);
    EXPECT_EQ(p.PatternBrake, 77);
    EXPECT_EQ(p.PatternWarn, 69);
    EXPECT_EQ(p.PatternState, 1);
    EXPECT_TRUE(playing(kPatternChime));
    EXPECT_TRUE(lit("img_Lamp_Atsp1"));
    EXPECT_FALSE(lit("img_Lamp_Atsp2"));
    EXPECT_FALSE(s.ProtectService);
    EXPECT_EQ(logLines(), Lines{"停止信号まで275m"});

    // Out of the window the pattern stays; at the curve the stop brake falls.
    before(22000, 70);
    EXPECT_EQ(p.PatternBrake, 68);
    EXPECT_EQ(p.PatternState, 3);
    EXPECT_TRUE(s.ProtectService);
    EXPECT_TRUE(s.BrakeDelayState.pending);
    EXPECT_TRUE(lit("img_Lamp_Atsp2"));
    EXPECT_EQ(logLines().back(), "10km/h照査によって停止ブレーキ 速度70 パターン68");

    // It holds down to a stand, and the reset needs the emergency position
    // at rest.
    before(15000, 0);
    EXPECT_EQ(p.PatternState, 3);
    s.BrakeHandle = -7;
    type("r");
    EXPECT_TRUE(s.ProtectService);
    s.BrakeHandle = -8;
    s.Speed = 0.2L;
    type("r");
    EXPECT_TRUE(s.ProtectService);
    s.Speed = 0;
    type("r");
    EXPECT_FALSE(s.ProtectService);
    EXPECT_TRUE(lit("img_Lamp_Ats1"));
    EXPECT_FALSE(lit("img_Lamp_Ats2"));
    before(15000, 0);
    EXPECT_EQ(p.PatternState, 0);
    EXPECT_FALSE(lit("img_Lamp_Atsp1"));
    EXPECT_FALSE(lit("img_Lamp_Atsp2"));

    // Crawling on past the signal overruns it; once reset, its pattern, now
    // behind the train, holds nothing back.
    before(1000, 5);
    ASSERT_TRUE(s.ProtectEmergency);
    s.Speed = 0;
    type("r");
    for (const Extended d : {-1000, -3000}) {
        before(d, 20);
        EXPECT_EQ(p.PatternSpeed, 999) << d;
        EXPECT_EQ(p.PatternState, 0) << d;
        EXPECT_FALSE(s.ProtectService || s.ProtectEmergency) << d;
    }
}

TEST_F(ProtectionPatternTest, ClearedSignalLiftsOnlyItsOwnPattern) {
    before(27500, 40);
    ASSERT_EQ(p.PatternPos, 150000);
    // The signal beyond shows proceed and sits in a window too: the pattern
    // of the stop signal stays.
    cab.patternPoints[2].position = 150000 + 32000;
    cab.state.Position = 150000 - 27500;
    logicTick();
    EXPECT_EQ(p.PatternPos, 150000);

    // The preceding train moves on: in the next window the pattern goes.
    p.PreTrainFrame = 3500;
    before(17500, 40);
    EXPECT_EQ(p.PatternSpeed, 999);
    EXPECT_EQ(logLines().back(), "パターン消去: 信号まで175m");
}

TEST_F(ProtectionPatternTest, PassingAStopSignalBringsTheEmergencyBrakeWithoutAPattern) {
    before(1000, 30);  // 10 m before: no window, but the beacon at the signal
    EXPECT_EQ(p.PatternSpeed, 999);
    EXPECT_EQ(p.SignalLimit, 0);
    EXPECT_TRUE(s.ProtectEmergency);
    EXPECT_TRUE(s.BrakeDelayState.pending);
    EXPECT_TRUE(playing(kPatternChime));

    // Reset at rest, still on the beacon: the overrun signal no longer brakes
    // the train, neither standing there nor moving on past it.
    s.BrakeHandle = -8;
    s.Speed = 0;
    type("r");
    EXPECT_FALSE(s.ProtectEmergency);
    for (const Extended d : {1000, 1000, 0, -1000, -2000}) {
        before(d, d == 1000 ? 0 : 5);
        EXPECT_FALSE(s.ProtectEmergency) << d;
    }
    // Once the train has left the beacon, the signal brakes a new approach.
    before(500, 5);
    EXPECT_TRUE(s.ProtectEmergency);
}

TEST_F(ProtectionPatternTest, SpeedCheckBrakesAndReleasesBelowTheTarget) {
    onlyPoint({200000, 45, 0, kPatternSpeedCheck});
    ahead(17500, 70);
    EXPECT_EQ(p.PatternSpeed, 55);
    EXPECT_EQ(p.PatternBrake, 81);
    EXPECT_EQ(p.PatternState, 0);
    EXPECT_EQ(logLines(), Lines{"45km/h照査まで175m"});

    ahead(5000, 70);
    EXPECT_EQ(p.PatternBrake, 61);
    EXPECT_EQ(p.PatternState, 2);
    EXPECT_TRUE(s.ProtectService);
    EXPECT_EQ(logLines().back(), "55km/h照査によってブレーキ 速度70 パターン61");
    ahead(4000, 45.4L);  // still not 10 km/h under the target
    EXPECT_EQ(p.PatternState, 2);
    ahead(3500, 44.4L);
    EXPECT_EQ(p.PatternState, 0);
    EXPECT_FALSE(s.ProtectService);

    // At the point the pattern is dropped.
    ahead(150, 44);
    EXPECT_EQ(p.PatternSpeed, 999);
    EXPECT_EQ(logLines().back(), "速度照査パターン消去");
}

// The log's texts of a speed check in a language that puts the numbers
// elsewhere.
std::string reordered(const char* context, const char* source) {
    if (std::string_view(context) != "ProtectionLog") return {};
    const std::string_view text(source);
    if (text == "%1km/h照査まで%2m") return "%2 m to the %1 km/h check";
    if (text == "%1km/h照査によってブレーキ 速度%2 パターン%3")
        return "brake at %2 km/h, pattern %3, check %1 km/h";
    if (text == "速度照査パターン消去") return "check pattern cleared";
    return {};
}

struct Translated {
    explicit Translated(UiTranslator translator) { setUiTranslator(translator); }
    ~Translated() { setUiTranslator(nullptr); }
};

TEST_F(ProtectionPatternTest, LinesReadInThePlayersLanguageAndTheTickDoesNotAllocateForThem) {
    const Translated language(reordered);
    onlyPoint({200000, 45, 0, kPatternSpeedCheck});
    playedOnce.reserve(8);  // the fixture's record of the chimes, not the tick's
    std::size_t allocations = 0;
    for (const auto& [d, speed] :
         {std::pair<Extended, Extended>{17500, 70}, {5000, 70}, {150, 44}}) {
        const test::AllocationCount count;
        ahead(d, speed);
        allocations += count.count();
    }
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(logLines(),
              (Lines{"175 m to the 45 km/h check", "brake at 70 km/h, pattern 61, check 55 km/h",
                     "check pattern cleared"}));
}

TEST_F(ProtectionPatternTest, StationStopPatternUntilDeparture) {
    onlyPoint({400000, 10, 2, kPatternStationStop});
    ahead(12500, 0);  // standing: nothing taken
    EXPECT_EQ(p.PatternSpeed, 999);
    ahead(12500, 30);
    EXPECT_EQ(p.PatternSpeed, 1);
    EXPECT_EQ(logLines(), Lines{"停車駅まで125m"});
    ahead(1000, 5);
    EXPECT_EQ(p.PatternBrake, 1);
    EXPECT_EQ(p.PatternState, 3);
    ahead(150, 5);
    EXPECT_EQ(p.PatternSpeed, 999);
    EXPECT_EQ(logLines().back(), "停車駅パターン消去");

    cab.stations.progress[2].departedHere = true;
    ahead(12500, 30);
    EXPECT_EQ(p.PatternSpeed, 999);
}

// A train standing at the stop mark is 20 m short of the station's point: its
// pattern ends with the departure, not only near the point.
TEST_F(ProtectionPatternTest, StationPatternEndsWithTheDeparture) {
    onlyPoint({400000, 10, 2, kPatternStationStop});
    ahead(12500, 30);
    ASSERT_EQ(p.PatternSpeed, 1);
    ahead(2000, 0);  // standing at the stop mark
    EXPECT_EQ(p.PatternSpeed, 1);

    cab.stations.progress[2].departedHere = true;
    ahead(2000, 0);
    EXPECT_EQ(p.PatternSpeed, 999);
    EXPECT_EQ(logLines().back(), "停車駅パターン消去");
    ahead(1950, 5);  // pulling away
    EXPECT_EQ(p.PatternState, 0);
    EXPECT_FALSE(cab.state.ProtectService);
}

// On a one-man route the driver's closing of the doors is the departure.
TEST_F(ProtectionPatternTest, OneManStationPatternEndsWhenTheDoorsShut) {
    onlyPoint({400000, 10, 2, kPatternStationStop});
    cab.route.OneMan = 1;
    ahead(12500, 30);
    ASSERT_EQ(p.PatternSpeed, 1);
    cab.stations.progress[2].doorsOpenedHere = true;
    cab.traction.doorsOpen = true;
    ahead(2000, 0);
    EXPECT_EQ(p.PatternSpeed, 1);  // still at the platform
    cab.traction.doorsOpen = false;
    ahead(1950, 5);
    EXPECT_EQ(p.PatternSpeed, 999);
    EXPECT_FALSE(cab.state.ProtectService);
    ahead(1800, 10);  // and not taken again in the last window
    EXPECT_EQ(p.PatternSpeed, 999);
}

TEST_F(ProtectionPatternTest, SwitchedOffOrReversedNothingIsCaptured) {
    p.AtsOn = false;
    before(27500, 70);
    EXPECT_EQ(p.PatternSpeed, 999);
    p.AtsOn = true;
    s.Reverser = 0;
    before(27500, 70);
    EXPECT_EQ(p.PatternSpeed, 999);
    EXPECT_TRUE(logLines().empty());
}

}  // namespace
}  // namespace tovra
