#include "cab/Masconupdate.h"

#include "input/ControllerFixture.h"

namespace tovra {
namespace {

using test::ControllerFixture;

struct Masconupdate : ControllerFixture {
    Masconupdate() {
        cab.vehicle.Power = 5;
        cab.vehicle.NotchBack = 5;  // a notch reduction leaves PowerNotch where it was
    }
    void at(int powerHandle, int powerNotch, long double speed) {
        cab.state.PowerHandle = powerHandle;
        cab.state.PowerNotch = powerNotch;
        cab.state.Speed = speed;
    }
};

TEST_F(Masconupdate, ConstantSpeedEngagesOnlyWhenSteppingBackOntoTheHoldingNotch) {
    cab.vehicle.ConstNotch = 3;
    cab.vehicle.ConstMinSpeed = 40;

    at(2, 2, 60);
    type("z");  // stepping up onto the notch
    EXPECT_EQ(cab.state.ConstSpeed, 0);
    at(4, 4, 39.9L);
    type("a");  // too slow
    EXPECT_EQ(cab.state.ConstSpeed, 0);
    at(5, 5, 60);
    type("t");  // the key serves only vehicles that hold speed on notch 1
    EXPECT_EQ(cab.state.ConstSpeed, 0);

    at(4, 4, 40);
    type("a");
    EXPECT_EQ(cab.state.ConstSpeed, 1);
    EXPECT_EQ(cab.handleTexts.MasconText, "定速");
    EXPECT_EQ(cab.state.PowerNotch, 4);

    type("a");  // any further step leaves it at once
    EXPECT_EQ(cab.state.ConstSpeed, 0);
    EXPECT_EQ(cab.state.PowerNotch, 2);
    EXPECT_EQ(cab.handleTexts.MasconText, "2");

    at(4, 4, 50);
    type("a");
    ASSERT_EQ(cab.state.ConstSpeed, 1);
    cab.state.PowerNotch = 3;  // the power delay has caught up
    masconupdate(cab);
    ASSERT_EQ(cab.state.ConstSpeed, 1);
    cab.state.ProtectService = true;
    masconupdate(cab);
    EXPECT_EQ(cab.state.ConstSpeed, 0);
    EXPECT_EQ(cab.state.PowerNotch, 3);
}

TEST_F(Masconupdate, ConstantSpeedKeyEngagesOnlyAtFullPower) {
    cab.vehicle.ConstNotch = 1;
    cab.vehicle.ConstMinSpeed = 30;
    at(2, 2, 50);
    type("a");  // stepping back onto notch 1 does not engage it
    EXPECT_EQ(cab.state.ConstSpeed, 0);
    at(4, 4, 50);
    type("t");
    EXPECT_EQ(cab.state.ConstSpeed, 0);
    at(5, 5, 29.99L);
    type("t");
    EXPECT_EQ(cab.state.ConstSpeed, 0);
    at(5, 5, 30);
    type("t");
    EXPECT_EQ(cab.state.ConstSpeed, 1);
    EXPECT_EQ(cab.handleTexts.MasconText, "定速");
    type("t6");  // keys that move nothing keep it
    EXPECT_EQ(cab.state.ConstSpeed, 1);
    type("a");
    EXPECT_EQ(cab.state.ConstSpeed, 0);
    EXPECT_EQ(cab.state.PowerNotch, 4);
}

TEST_F(Masconupdate, BrakeTextsForNotchesAndValvePositions) {
    const auto textAt = [this](int brake) {
        cab.state.BrakeHandle = brake;
        masconupdate(cab);
        return cab.handleTexts.BrakeText;
    };
    EXPECT_EQ(textAt(-3), "B3");
    EXPECT_EQ(textAt(-7), "B7");
    EXPECT_EQ(textAt(-8), "非常");
    EXPECT_EQ(textAt(0), "抜取");

    cab.vehicle.BrakeType = 0;
    cab.vehicle.Brake = 4;
    EXPECT_EQ(textAt(-1), "保ち");
    EXPECT_EQ(textAt(-2), "重なり");
    EXPECT_EQ(textAt(-3), "重なり込め");
    EXPECT_EQ(textAt(-4), "非常");
    EXPECT_EQ(textAt(-5), "緩め込め");
}

TEST_F(Masconupdate, NotchLampsFollowHandlesHoldingBrakeAndProtection) {
    cab.vehicle.Hold = 1;
    for (const char* name : {"img_lamp_p", "img_lamp_p2"}) addPatternSprite(name, 6);
    for (const char* name : {"img_lamp_b", "img_lamp_b2"}) addPatternSprite(name, 10);
    const auto pattern = [this](const char* name) { return cab.sprites.find(name)->patternIndex; };
    const auto visible = [this](const char* name) { return cab.sprites.find(name)->visible; };

    cab.state.BrakeHandle = -2;
    masconupdate(cab);
    EXPECT_EQ(pattern("img_lamp_b"), 3);
    EXPECT_EQ(pattern("img_lamp_b2"), 3);
    EXPECT_FALSE(visible("img_lamp_p"));
    EXPECT_FALSE(visible("img_lamp_p2"));

    type("zz");  // B1, then the holding position
    EXPECT_EQ(pattern("img_lamp_b"), 1);
    EXPECT_TRUE(visible("img_lamp_p"));
    type("zzzz");
    EXPECT_EQ(pattern("img_lamp_b"), 0);
    EXPECT_EQ(pattern("img_lamp_p"), 3);
    EXPECT_EQ(pattern("img_lamp_p2"), 3);

    cab.state.ProtectService = true;
    masconupdate(cab);
    EXPECT_EQ(pattern("img_lamp_b2"), 8);
    EXPECT_EQ(pattern("img_lamp_p2"), 0);
    EXPECT_EQ(pattern("img_lamp_b"), 0);
    cab.state.ProtectEmergency = true;
    masconupdate(cab);
    EXPECT_EQ(pattern("img_lamp_b2"), 9);

    cab.vehicle.Handle = 1;
    cab.state.BrakeHandle = -4;
    masconupdate(cab);
    EXPECT_TRUE(visible("img_lamp_p"));
}

TEST_F(Masconupdate, APatternThePictureLacksIsNeverShown) {
    addPatternSprite("img_lamp_b", 3);
    addPatternSprite("img_gearlever", 3);
    cab.state.BrakeHandle = -2;
    cab.diesel.GearLever = 2;
    masconupdate(cab);
    EXPECT_EQ(cab.sprites.find("img_lamp_b")->patternIndex, 2);
    EXPECT_EQ(cab.sprites.find("img_gearlever")->patternIndex, 2);
    cab.state.BrakeHandle = -3;
    cab.diesel.GearLever = 3;
    masconupdate(cab);
    EXPECT_EQ(cab.sprites.find("img_lamp_b")->patternIndex, 2);
    EXPECT_EQ(cab.sprites.find("img_gearlever")->patternIndex, 2);
}

TEST_F(Masconupdate, DepartureCalloutWaitsForPowerWithTheDoorsClosed) {
    cab.stations.departureCalloutPending = true;
    masconupdate(cab);
    EXPECT_TRUE(cab.stations.departureCalloutPending);
    cab.traction.doorsOpen = true;
    type("z");
    EXPECT_TRUE(cab.stations.departureCalloutPending);
    cab.traction.doorsOpen = false;
    type("z");
    EXPECT_FALSE(cab.stations.departureCalloutPending);
}

TEST_F(Masconupdate, DieselGearTextFollowsTheLever) {
    cab.vehicle.Engine_Type = 0;
    cab.vehicle.Engine.resize(2);
    const auto textAt = [this](int lever) {
        cab.diesel.GearLever = lever;
        masconupdate(cab);
        return cab.handleTexts.GearText;
    };
    EXPECT_EQ(textAt(0), "中立");
    EXPECT_EQ(textAt(1), "変速");
    EXPECT_EQ(textAt(2), "直結1");
    EXPECT_EQ(textAt(3), "直結2");
    EXPECT_EQ(textAt(5), "直結4");
    cab.vehicle.Engine.resize(3);
    EXPECT_EQ(textAt(2), "直結");
}

}  // namespace
}  // namespace tovra
