#include "cab/PadInput.h"
#include "input/GamePad.h"

#include <string>
#include <utility>
#include <vector>

#include "input/ControllerFixture.h"
#include "input/ExternalControllerState.h"

namespace tovra {
namespace {

constexpr std::uint16_t button(int i) {
    return std::uint16_t(1u << i);
}

TEST(PadReading, ButtonSumsAndSignature) {
    const PadReading all{100, -40, 0xFFFF};
    EXPECT_EQ(padButtonsLow(all), 4095);
    EXPECT_EQ(padButtonsHigh(all), 15);
    EXPECT_EQ(padSignature(all), 100 - 40 + 4095 + 15);
    const PadReading some{0, 0, std::uint16_t(button(0) | button(3) | button(5) | button(8))};
    EXPECT_EQ(padButtonsLow(some), 1 + 8 + 16);
    EXPECT_EQ(padButtonsHigh(some), 2);
    // Extreme axes cannot overflow the sum.
    EXPECT_EQ(padSignature({INT32_MAX, INT32_MAX, 0}), 2 * std::int64_t(INT32_MAX));
}

// Sentinels no table produces: a handle still holding one was left unchanged.
constexpr int K = 6;     // power
constexpr int KB = -10;  // brake

struct GamePad : test::ControllerFixture {
    GamePad() {
        cab.vehicle.Power = 6;
        cab.vehicle.Brake = 10;
    }

    void scan(int x, int y, int buttons = 0) {
        USBScan(cab, PadReading{x, y, std::uint16_t(buttons)});
    }
    // One reading from handles at the sentinels; returns (power, brake).
    std::pair<int, int> fresh(int x, int y, int buttons = 0) {
        cab.state.PowerHandle = K;
        cab.state.BrakeHandle = KB;
        controllers.lastPadSignature.reset();
        scan(x, y, buttons);
        return {cab.state.PowerHandle, cab.state.BrakeHandle};
    }
    std::string posted() {
        std::string text(run.host.posted.begin(), run.host.posted.end());
        run.host.posted.clear();
        return text;
    }

    ExternalControllerState& controllers = cab.external;
};

TEST_F(GamePad, TwoLeverBandsAndTheirLimits) {
    controllers.controllerType = PadType::TwoLever;
    const int ys[] = {100,    0,      -1,     -4999,  -5000,  -5001,  -11999, -12000,
                      -12001, -19999, -20000, -20001, -29999, -30000, -30001, -32768};
    const int powers[] = {0, 0, 1, 1, K, 2, 2, K, 3, 3, K, 4, 4, K, 5, 5};
    for (std::size_t i = 0; i < std::size(ys); ++i)  // X on a limit keeps the brake
        EXPECT_EQ(fresh(1000, ys[i]), std::make_pair(powers[i], KB)) << "Y " << ys[i];

    const int xs[] = {-300, 0,    1,    999,  1000,  1001,  3999,  4000,  4001,  6000,  6001,
                      8000, 8001, 9500, 9501, 11000, 11001, 12000, 12001, 13000, 13001, 32767};
    const int brakes[] = {0,  0,  -1, -1, KB, -2, -2, KB, -3, KB, -4,
                          KB, -5, KB, -6, KB, -7, KB, -8, KB, -9, -9};
    for (std::size_t i = 0; i < std::size(xs); ++i)  // Y on a limit keeps the power
        EXPECT_EQ(fresh(xs[i], -5000), std::make_pair(K, brakes[i])) << "X " << xs[i];

    // Each lever marks its own delays only.
    clearPending();
    fresh(1000, -1);
    EXPECT_TRUE(cab.state.PowerDelayState.pending);
    EXPECT_FALSE(cab.state.BrakeDelayState.pending);
    clearPending();
    fresh(1, -5000);
    EXPECT_FALSE(cab.state.PowerDelayState.pending);
    EXPECT_TRUE(cab.state.BrakeDelayState.pending);
    EXPECT_TRUE(cab.state.SapDelayState.pending);
    EXPECT_TRUE(cab.state.ElecBrakeDelayState.pending);

    cab.vehicle.Brake = 8;  // beyond the emergency position
    EXPECT_EQ(fresh(13001, -5000).second, -8);
}

TEST_F(GamePad, TwoLeverButtonsAndTheCalloutKey) {
    controllers.controllerType = PadType::TwoLever;
    fresh(1000, -5000, button(0) | button(1) | button(2) | button(3) | button(5) | button(15));
    EXPECT_EQ(posted(), "9137s");

    cab.calloutOffer.kankoPending = 900;  // a time check is on offer
    fresh(1000, -5000, button(4));
    EXPECT_EQ(cab.calloutOffer.lastKankoChannel, 900);
    EXPECT_EQ(posted(), "");
}

TEST_F(GamePad, PowerStepsFollowThePowerMode) {
    VehicleSpec& v = cab.vehicle;
    v.Notch.resize(6);
    const int modes[] = {0, 0, 0, 1, 1, 2};
    for (int i = 0; i < 6; ++i) v.Notch[std::size_t(i)].ModeNumber = modes[i];
    v.ModeStart = {3, 5};
    v.PowerModeName = {{"P", "通勤"}, {"S", "快速"}, {"E", "特急"}};
    cab.handles.PowerMode = 1;
    controllers.controllerType = PadType::TwoLever;
    EXPECT_EQ(fresh(1000, -1).first, 4);
    EXPECT_EQ(cab.handleTexts.MasconText, "S1");
    EXPECT_EQ(fresh(1000, -12001).first, 5);
    EXPECT_EQ(fresh(1000, 0).first, 0);
}

TEST_F(GamePad, PsAdapterMatchesTheStoredCodes) {
    controllers.controllerType = PadType::PsAdapter;
    cab.controllerCodes.power = {10, 20, 30, 40, 30, 60};  // P4 repeats P2
    cab.controllerCodes.brake = {15, 14, 13, 12, 11, 10, 9, 8, 7};
    cab.controllerCodes.emergency = 6;
    const auto high = [](int h) { return h << 4; };

    EXPECT_EQ(fresh(5, 5, high(15)), std::make_pair(0, 0));
    EXPECT_EQ(fresh(25, 15, high(12)), std::make_pair(3, -3));
    EXPECT_EQ(fresh(20, 10, high(7)), std::make_pair(2, -8));  // first match wins
    EXPECT_EQ(fresh(70, -10, high(6)), std::make_pair(5, -9));
    EXPECT_EQ(fresh(1, 1, high(0)), std::make_pair(K, KB));
    EXPECT_EQ(posted(), "");

    fresh(1, 1, button(0) | button(1) | button(2) | button(3) | button(8) | button(9));
    EXPECT_EQ(posted(), "1379r");
}

TEST_F(GamePad, OneHandleTableHornAndReverser) {
    controllers.controllerType = PadType::OneHandle;
    // Buttons 4-7 give h; buttons 8 and 9 count 16 and 32 in l.
    const int hs[] = {4, 4, 4, 4, 12, 12, 12, 12, 8, 8, 8, 8, 0, 0, 0, 2, 12};
    const int ls[] = {16, 48, 32, 0, 0, 32, 16, 48, 48, 16, 32, 0, 48, 16, 32, 16, 64};
    const std::pair<int, int> handles[] = {{0, 0},  {1, KB}, {K, -1}, {K, -2}, {2, KB}, {3, KB},
                                           {4, KB}, {5, KB}, {K, -3}, {K, -4}, {K, -5}, {K, -6},
                                           {K, -7}, {K, -8}, {K, -9}, {K, KB}, {K, KB}};
    for (std::size_t i = 0; i < std::size(hs); ++i)
        EXPECT_EQ(fresh(0, 0, (hs[i] << 4) | ((ls[i] >> 4) << 8)), handles[i])
            << hs[i] << "/" << ls[i];
    posted();

    // The horn is held on button 0, and holding it does not freeze the handle.
    EXPECT_EQ(fresh(0, -1, button(0) | (12 << 4) | button(9)).first, 3);
    EXPECT_TRUE(controllers.controllerHorn);
    fresh(0, 1, (12 << 4) | button(9));
    EXPECT_FALSE(controllers.controllerHorn);
    fresh(0, 0, (12 << 4) | button(9));
    EXPECT_EQ(posted(), "fbn");
}

TEST_F(GamePad, AnEqualSignatureIsTheSameStateAndOnlyAChangeActs) {
    controllers.controllerType = PadType::TwoLever;
    cab.protection.vigilanceCount = 50;
    scan(0, -5001);
    EXPECT_EQ(cab.state.PowerHandle, 2);
    EXPECT_EQ(cab.protection.vigilanceCount, 0);

    // Brake 1 as well, but the sum is the same: not told apart.
    cab.protection.vigilanceCount = 50;
    scan(1, -5002);
    EXPECT_EQ(cab.state.BrakeHandle, 0);
    EXPECT_EQ(cab.protection.vigilanceCount, 50);

    scan(1, -5001);
    EXPECT_EQ(cab.state.BrakeHandle, -1);
    EXPECT_EQ(cab.protection.vigilanceCount, 0);
}

struct CountingPad : GamePadInput {
    PadReading read() override {
        ++reads;
        return {};
    }
    int reads = 0;
};

TEST_F(GamePad, AnAbsentControllerActsOnTheFirstPollOnly) {
    CountingPad absent;
    cab.state.PowerHandle = 3;
    pollGamePad(cab, absent);
    EXPECT_EQ(absent.reads, 0);  // no game controller chosen
    EXPECT_EQ(cab.state.PowerHandle, 3);

    controllers.controllerType = PadType::TwoLever;
    pollGamePad(cab, absent);
    EXPECT_EQ(absent.reads, 1);
    EXPECT_EQ(cab.state.PowerHandle, 0);

    cab.state.PowerHandle = 3;  // the keyboard takes over
    cab.state.BrakeHandle = -2;
    for (int i = 0; i < 5; ++i) pollGamePad(cab, absent);
    EXPECT_EQ(absent.reads, 6);
    EXPECT_EQ(cab.state.PowerHandle, 3);
    EXPECT_EQ(cab.state.BrakeHandle, -2);
}

TEST_F(GamePad, DebugOptionShowsTheAxesInTheCaption) {
    controllers.controllerType = PadType::PsAdapter;
    cab.route.LineName = "快速線 下り";
    debug1Click(cab);
    scan(-7, 8);
    EXPECT_EQ(run.host.caption, "X:-7 Y:8");
    run.host.caption = "X:1 Y:2";
    debug1Click(cab);  // off: the line's caption again
    EXPECT_EQ(run.host.caption, "快速線 下り");
    EXPECT_EQ(cab.statusTexts.caption, "快速線 下り");
    scan(5, 5);
    EXPECT_EQ(run.host.caption, "快速線 下り");
}

}  // namespace
}  // namespace tovra
