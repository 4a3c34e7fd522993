#include "cab/HandleInput.h"

#include <tuple>

#include "cab/KeyInput.h"
#include "input/ControllerFixture.h"

namespace tovra {
namespace {

using test::ControllerFixture;

struct HandleOperations : ControllerFixture {
    // Handle positions as (power, brake, holding brake).
    std::tuple<int, int, bool> handles() const {
        return {cab.state.PowerHandle, cab.state.BrakeHandle, cab.state.HoldBrake};
    }
    using H = std::tuple<int, int, bool>;
};

TEST_F(HandleOperations, OneLeverPassesTheHoldingPositionBothWays) {
    cab.vehicle.Hold = 1;
    cab.state.BrakeHandle = -2;
    type("z");
    EXPECT_EQ(handles(), H(0, -1, false));
    type("z");
    EXPECT_EQ(handles(), H(0, 0, true));
    EXPECT_EQ(cab.handleTexts.BrakeText, "抑速");
    type("z");  // only leaves the holding position
    EXPECT_EQ(handles(), H(0, 0, false));
    EXPECT_EQ(cab.handleTexts.BrakeText, "抜取");
    type("z");
    EXPECT_EQ(handles(), H(1, 0, false));
    EXPECT_EQ(cab.handleTexts.MasconText, "1");

    type("a");
    EXPECT_EQ(handles(), H(0, 0, false));
    type("a");
    EXPECT_EQ(handles(), H(0, 0, true));
    type("a");
    EXPECT_EQ(handles(), H(0, -1, false));
    EXPECT_FALSE(cab.handles.HoldLeft);
    type("a");
    EXPECT_EQ(handles(), H(0, -2, false));
    EXPECT_EQ(cab.handleTexts.BrakeText, "B2");
}

TEST_F(HandleOperations, SteppingStopsAtTheLastServicePositionAndTheWheelGoesBeyond) {
    cab.state.BrakeHandle = -6;
    type("a");
    EXPECT_EQ(cab.state.BrakeHandle, -7);
    cab.controller.panelRefresh = {};
    clearPending();
    type("a2");
    EXPECT_EQ(cab.state.BrakeHandle, -7);
    // A key at the end of its range still refreshes the panel and the delays.
    EXPECT_EQ(cab.controller.panelRefresh, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_TRUE(cab.state.BrakeDelayState.pending);

    WheelU(cab);
    ASSERT_EQ(run.host.posted.size(), 1u);
    EXPECT_EQ(run.host.posted.front(), '0');
    type(std::string(1, run.host.posted.front()));
    EXPECT_EQ(cab.state.BrakeHandle, -8);
    EXPECT_EQ(cab.handleTexts.BrakeText, "非常");

    // Above the last service position the wheel only steps.
    cab.state.BrakeHandle = -3;
    WheelU(cab);
    WheelD(cab);
    EXPECT_EQ(std::string(run.host.posted.begin() + 1, run.host.posted.end()), "28");
}

TEST_F(HandleOperations, TwoHandlesMoveEachHandleWithItsOwnDelays) {
    cab.vehicle.Handle = 1;
    cab.vehicle.Hold = 1;
    cab.state.BrakeHandle = -2;
    type(",,");
    EXPECT_EQ(handles(), H(0, 0, true));
    clearPending();
    type("z");  // the power handle ignores the brake handle
    EXPECT_EQ(handles(), H(1, 0, true));
    EXPECT_TRUE(cab.state.PowerDelayState.pending);
    EXPECT_FALSE(cab.state.BrakeDelayState.pending);
    type(",");
    EXPECT_EQ(handles(), H(1, 0, false));
    clearPending();
    type(".");
    EXPECT_EQ(handles(), H(1, 0, true));
    EXPECT_FALSE(cab.state.PowerDelayState.pending);
    EXPECT_TRUE(cab.state.BrakeDelayState.pending && cab.state.SapDelayState.pending &&
                cab.state.ElecBrakeDelayState.pending);
    type("..");
    EXPECT_EQ(handles(), H(1, -2, false));
    type("q");  // the one-lever emergency key does nothing here
    EXPECT_EQ(handles(), H(1, -2, false));
    type("a/");
    EXPECT_EQ(handles(), H(0, -8, false));
}

TEST_F(HandleOperations, KeypadTwoLowersThePowerOnlyAtBrakeRelease) {
    cab.vehicle.Handle = 1;
    cab.state.PowerHandle = 2;
    cab.state.BrakeHandle = -1;
    type("2");
    EXPECT_EQ(handles(), H(2, -1, false));
    type(",2");
    EXPECT_EQ(handles(), H(1, 0, false));
    type("8");  // with the power on the brake stays released
    EXPECT_EQ(handles(), H(2, 0, false));
}

TEST_F(HandleOperations, PowerModesEnterAtTheirFirstNotch) {
    VehicleSpec& v = cab.vehicle;
    v.Power = 6;
    v.Notch.resize(6);
    const int modes[] = {0, 0, 0, 1, 1, 2};
    for (int i = 0; i < 6; ++i) v.Notch[std::size_t(i)].ModeNumber = modes[i];
    v.ModeStart = {3, 5};
    v.PowerModeName = {{"P", "通勤"}, {"S", "快速"}, {"E", "特急"}};

    type("w9");
    EXPECT_EQ(cab.handles.PowerMode, 2);
    EXPECT_EQ(cab.handleTexts.GearText, "特急");
    type("z");
    EXPECT_EQ(cab.state.PowerHandle, 6);
    EXPECT_EQ(cab.handleTexts.MasconText, "E1");
    type("w");  // no mode change with the power on
    EXPECT_EQ(cab.handles.PowerMode, 2);
    type("a");
    EXPECT_EQ(cab.state.PowerHandle, 0);
    type("w");  // wraps
    EXPECT_EQ(cab.handles.PowerMode, 0);

    type("9zzz");
    EXPECT_EQ(cab.state.PowerHandle, 5);
    EXPECT_EQ(cab.handleTexts.MasconText, "S2");
    type("a");
    EXPECT_EQ(cab.state.PowerHandle, 4);
    type("a");
    EXPECT_EQ(cab.state.PowerHandle, 0);

    operateHandles(cab, {HandleMove::SetPowerPosition, 5});
    EXPECT_EQ(cab.state.PowerHandle, 5);
    operateHandles(cab, {HandleMove::SetPowerPosition, 1});
    EXPECT_EQ(cab.state.PowerHandle, 4);
    cab.handles.PowerMode = 0;
    operateHandles(cab, {HandleMove::SetPowerPosition, 9});
    EXPECT_EQ(cab.state.PowerHandle, 3);
    EXPECT_EQ(cab.handleTexts.MasconText, "P3");
}

TEST_F(HandleOperations, AbsolutePositionsAndEmergency) {
    cab.state.PowerHandle = 3;
    cab.state.BrakeHandle = 0;
    operateHandles(cab, {HandleMove::SetBrakePosition, 3});
    EXPECT_EQ(handles(), H(0, -3, false));
    operateHandles(cab, {HandleMove::SetBrakePosition, 12});
    EXPECT_EQ(cab.state.BrakeHandle, -8);
    operateHandles(cab, {HandleMove::Neutral});
    EXPECT_EQ(handles(), H(0, 0, false));
    operateHandles(cab, {HandleMove::TowardsPower});
    operateHandles(cab, {HandleMove::TowardsPower});
    clearPending();
    operateHandles(cab, {HandleMove::Emergency});
    EXPECT_EQ(handles(), H(0, -8, false));
    EXPECT_TRUE(cab.state.PowerDelayState.pending && cab.state.BrakeDelayState.pending);
}

TEST_F(HandleOperations, ReverserOnlyAtRest) {
    addPatternSprite("img_Lamp_Fwd", 1);
    addPatternSprite("img_Lamp_Bck", 1);
    cab.state.Speed = -1.0L;
    type("f");
    EXPECT_EQ(cab.state.Reverser, 1);
    EXPECT_EQ(cab.handleTexts.ReverserText, "前進");
    EXPECT_TRUE(cab.lamps.forward);
    EXPECT_FALSE(cab.lamps.backward);
    cab.state.Speed = 1.01L;
    type("b");
    EXPECT_EQ(cab.state.Reverser, 1);
    operateHandles(cab, {HandleMove::ReverserNeutral});
    EXPECT_EQ(cab.state.Reverser, 1);
    cab.state.Speed = 0;
    type("b");
    EXPECT_EQ(cab.state.Reverser, -1);
    EXPECT_EQ(cab.handleTexts.ReverserText, "後退");
    EXPECT_TRUE(cab.sprites.find("img_Lamp_Bck")->visible);
    type("n");
    EXPECT_EQ(cab.handleTexts.ReverserText, "中立");
}

}  // namespace
}  // namespace tovra
