#include "cab/KeyInput.h"

#include "input/ControllerFixture.h"

namespace tovra {
namespace {

using test::ControllerFixture;

struct KeyCommands : ControllerFixture {};

TEST_F(KeyCommands, EveryCharacterSilencesTheVigilanceAlarmEvenWhenLocked) {
    cab.vehicle.Sound_EBring = 7;
    loadWaves({7});
    addPatternSprite("img_Lamp_EB", 1);
    cab.sound.playOnce(7);
    cab.protection.vigilanceCount = 612;
    cab.KeysLocked = true;
    cab.handleTexts.BrakeText = "before";
    type("z");
    EXPECT_EQ(cab.protection.vigilanceCount, 0);
    EXPECT_FALSE(cab.sound.isPlaying(7));
    EXPECT_FALSE(cab.lamps.emergency);
    // Locked keys are ignored, masconupdate included.
    EXPECT_EQ(cab.state.PowerHandle, 0);
    EXPECT_EQ(cab.handleTexts.BrakeText, "before");
    EXPECT_FALSE(cab.controller.panelRefresh[0]);
}

TEST_F(KeyCommands, ScrollLockSwapsTwoAndEightForKeysAndWheel) {
    cab.state.BrakeHandle = -3;
    keydowns(cab, VirtualKey::ScrollLock, false);
    type("8");
    EXPECT_EQ(cab.state.BrakeHandle, -4);
    type("2");
    EXPECT_EQ(cab.state.BrakeHandle, -3);
    WheelD(cab);  // towards the user: now a step back
    type(std::string(1, run.host.posted.back()));
    EXPECT_EQ(cab.state.BrakeHandle, -4);
    keydowns(cab, VirtualKey::ScrollLock, false);
    WheelD(cab);
    type(std::string(1, run.host.posted.back()));
    EXPECT_EQ(cab.state.BrakeHandle, -3);
}

TEST_F(KeyCommands, HornsAndBuzzer) {
    cab.vehicle.Sound_Horn = 11;
    cab.vehicle.Sound_Horn2 = 12;
    loadWaves({11, 12});
    type("3");
    EXPECT_TRUE(cab.sound.isPlayingOnce(11));
    EXPECT_FALSE(cab.controller.hornHeld);
    type("6");
    EXPECT_TRUE(cab.sound.isPlayingOnce(12));
    type("4");
    EXPECT_TRUE(cab.controller.buzzerHeld);

    // With the held horn the tick plays it; the key only raises the flag.
    cab.vehicle.HasSound_Horn4 = true;
    playedOnce.clear();
    type("3");
    EXPECT_TRUE(cab.controller.hornHeld);
    EXPECT_TRUE(playedOnce.empty());
}

TEST_F(KeyCommands, GearLeverKeysOnlyWithAManualLeverAndNoPowerModes) {
    cab.vehicle.Engine_Type = 0;
    cab.vehicle.Engine.resize(4);
    addPatternSprite("img_gearlever", 3);
    type("w");
    EXPECT_EQ(cab.diesel.GearLever, 0);  // automatic gearbox
    cab.vehicle.Gear_Type = 1;
    type("w");
    EXPECT_EQ(cab.diesel.GearLever, 2);
    EXPECT_EQ(cab.handleTexts.GearText, "直結1");
    EXPECT_EQ(cab.sprites.find("img_gearlever")->patternIndex, 2);
    type("x");
    EXPECT_EQ(cab.diesel.GearLever, 1);
    EXPECT_EQ(cab.handleTexts.GearText, "変速");
    type("s");
    EXPECT_EQ(cab.diesel.GearLever, 0);
    EXPECT_EQ(cab.handleTexts.GearText, "中立");
    cab.vehicle.PowerModeName = {{"P", "P"}};
    type("x");
    EXPECT_EQ(cab.diesel.GearLever, 0);
}

TEST_F(KeyCommands, EngineKeyLastsWhileF2IsHeld) {
    keydowns(cab, VirtualKey::F2, false);
    EXPECT_EQ(cab.diesel.EngineKey, 1);
    keyups(cab, VirtualKey::F3);
    EXPECT_EQ(cab.diesel.EngineKey, 1);
    keyups(cab, VirtualKey::F2);
    EXPECT_EQ(cab.diesel.EngineKey, 0);
    keydowns(cab, VirtualKey::F2, true);
    EXPECT_EQ(cab.diesel.EngineKey, 2);
}

TEST_F(KeyCommands, TestingKeysNeedShiftAndTheirLimits) {
    TrainState& s = cab.state;
    s.Clock = 36000;
    keydowns(cab, VirtualKey::F9, false);
    EXPECT_EQ(s.Clock, 36000);
    keydowns(cab, VirtualKey::F9, true);
    EXPECT_EQ(s.Clock, 35100);
    keydowns(cab, VirtualKey::F10, true);
    keydowns(cab, VirtualKey::F10, true);
    EXPECT_EQ(s.Clock, 36900);

    s.Speed = 10;
    keydowns(cab, VirtualKey::F11, true);
    EXPECT_EQ(s.Speed, 10);
    s.Speed = 15;
    keydowns(cab, VirtualKey::F11, true);
    EXPECT_EQ(s.Speed, 5);
    s.Speed = 1000;
    keydowns(cab, VirtualKey::F12, true);
    EXPECT_EQ(s.Speed, 1000);
    s.Speed = 995;
    keydowns(cab, VirtualKey::F12, true);
    EXPECT_EQ(s.Speed, 1005);
}

TEST_F(KeyCommands, VideoTestingKeysAndFollowingTheVideo) {
    TrainState& s = cab.state;
    s.Frame = 5000;
    keydowns(cab, VirtualKey::F5, false);
    EXPECT_EQ(s.Frame, 5000);
    keydowns(cab, VirtualKey::F5, true);
    keydowns(cab, VirtualKey::F8, true);
    EXPECT_EQ(s.Frame, 5900);
    keydowns(cab, VirtualKey::F7, true);
    keydowns(cab, VirtualKey::F6, true);
    EXPECT_EQ(s.Frame, 5000);
    keydowns(cab, VirtualKey::F1, true);
    EXPECT_TRUE(s.FollowVideoSpeed);
    keydowns(cab, VirtualKey::F1, false);
    EXPECT_FALSE(s.FollowVideoSpeed);
}

// F3 and Shift+Up/Down act on the windows; Shift+F3 skips to the next signal.
TEST_F(KeyCommands, WindowKeysAndTheSignalSkip) {
    keydowns(cab, VirtualKey::F3, false);
    EXPECT_TRUE(run.host.valueDisplayShown);
    keydowns(cab, VirtualKey::F3, false);
    EXPECT_FALSE(run.host.valueDisplayShown);
    keydowns(cab, VirtualKey::Up, true);
    keydowns(cab, VirtualKey::Down, true);
    keydowns(cab, VirtualKey::Up, false);  // without Shift: a handle key
    EXPECT_EQ(run.host.surfaceMoves, (std::vector<int>{-50, 50}));

    SignalRecord near, far;
    near.viewFrame = 300;
    far.viewFrame = 900;
    cab.route.Signals = {near, far};
    cab.state.Frame = 295;  // within the lead of the first: the second is next
    cab.calloutOffer.lastKankoChannel = 7;
    keydowns(cab, VirtualKey::F3, true);
    EXPECT_EQ(cab.state.Frame, 890);
    EXPECT_EQ(cab.calloutOffer.lastKankoChannel, -1);
    EXPECT_FALSE(run.host.valueDisplayShown);
    keydowns(cab, VirtualKey::F3, true);  // no signal further on
    EXPECT_EQ(cab.state.Frame, 890);
}

TEST_F(KeyCommands, BackspaceTurnsBackOnlyAtRestJustBeforeTheEndFrame) {
    TrainState& s = cab.state;
    cab.route.MovieStopFrames[0] = 9000;
    s.Frame = 8800;  // 200 frames before: too early
    keydowns(cab, VirtualKey::Backspace, false);
    EXPECT_EQ(s.Frame, 8800);
    s.Frame = 8801;
    s.Speed = 0.1L;
    keydowns(cab, VirtualKey::Backspace, false);
    EXPECT_EQ(s.VideoMode[1], 0);
    s.Speed = -0.09L;
    keydowns(cab, VirtualKey::Backspace, false);
    EXPECT_EQ(s.Frame, 9002);
    EXPECT_EQ(s.VideoMode[1], 1);
    s.VideoMode[1] = 0;
    s.Frame = 9001;  // already past the end frame
    keydowns(cab, VirtualKey::Backspace, false);
    EXPECT_EQ(s.Frame, 9001);
    EXPECT_EQ(s.VideoMode[1], 0);
}

TEST_F(KeyCommands, DoorSideOnlyWithTheDoorsClosed) {
    keydowns(cab, VirtualKey::PageDown, false);
    EXPECT_EQ(cab.stations.doorSide, 1);
    EXPECT_EQ(cab.statusTexts.doorSideText, "右");
    cab.traction.doorsOpen = true;
    keydowns(cab, VirtualKey::PageUp, false);
    EXPECT_EQ(cab.stations.doorSide, 1);
    cab.traction.doorsOpen = false;
    keydowns(cab, VirtualKey::PageUp, false);
    EXPECT_EQ(cab.stations.doorSide, 0);
    EXPECT_EQ(cab.statusTexts.doorSideText, "左");
}

}  // namespace
}  // namespace tovra
