#include "StatusTextsFixture.h"
#include "view/Commentary.h"

namespace tovra {
namespace {

struct CommentaryTest : test::StatusTextsFixture {
    std::string commentary() {
        update_commentary(cab.statusTexts, cab.video,
                          {cab.state, cab.protection, cab.stations, cab.traction, cab.route,
                           cab.settings, cab.options});
        return cab.statusTexts.Commentary;
    }
};

TEST_F(CommentaryTest, OneManDoorSideThenLaterRulesReplaceIt) {
    EXPECT_EQ(commentary(), "");
    cab.route.OneMan = 1;
    StationRecord station;  // kind 0, platform on side 0
    cab.route.Stations = {StationRecord{}, station};
    cab.stations.progress[1].arrived = true;
    cab.stations.doorSide = 1;
    EXPECT_EQ(commentary(), "0L9");
    EXPECT_EQ(cab.statusTexts.noticeText, "L9");
    cab.route.Stations[1].platformSide = 1;
    cab.stations.doorSide = 0;
    EXPECT_EQ(commentary(), "0L10");
    cab.traction.doorsOpen = true;
    EXPECT_EQ(commentary(), "");
    cab.traction.doorsOpen = false;
    cab.stations.doorSide = 1;  // the right side: the code alone
    EXPECT_EQ(commentary(), "0");
    EXPECT_EQ(cab.statusTexts.noticeText, "");

    cab.stations.doorSide = 0;
    cab.state.VideoMode[0] = 1;  // power taken while a station video plays
    cab.state.PowerHandle = 1;
    EXPECT_EQ(commentary(), "0L11");
    cab.state.ProtectEmergency = true;
    EXPECT_EQ(commentary(), "0L13");
    cab.state.EngineState = 0;
    EXPECT_EQ(commentary(),
              "0エンストしました。変速レバーを変速段に入れてエンジンを再始動してください。");
}

TEST_F(CommentaryTest, ProtectionOffAndTheEndOfTheLine) {
    cab.protection.AtsOn = false;  // switched off in the train settings
    cab.state.PowerHandle = 2;
    EXPECT_EQ(commentary(), "0L21");
    cab.options.ATS = 1;  // switched off by the option: nothing to say
    EXPECT_EQ(commentary(), "");

    cab.route.MovieStopFrames[0] = 5000;
    cab.state.Frame = 4800;
    EXPECT_EQ(commentary(), "");
    cab.state.Frame = 4801;
    EXPECT_EQ(commentary(), "0L22");
    cab.state.Frame = 5000;
    EXPECT_EQ(commentary(), "0L22");
    cab.state.Speed = 0.6L;  // rounds to 1
    EXPECT_EQ(commentary(), "");
}

TEST_F(CommentaryTest, ProtectionBrakeBranchesExcludeEachOther) {
    TrainState& s = cab.state;
    ProtectionState& p = cab.protection;
    p.AtsAlarm = true;  // would ask for an acknowledgement, but a brake acts
    s.ProtectService = true;
    p.PatternState = 2;
    s.Speed = 30;
    EXPECT_EQ(commentary(), "0L12");
    s.Speed = 0;
    EXPECT_EQ(commentary(), "0L13");
    p.PatternState = 1;
    EXPECT_EQ(commentary(), "");

    s.ProtectService = false;
    s.ProtectEmergency = true;
    s.Speed = 30;
    EXPECT_EQ(commentary(), "0L12");  // the bell's emergency, still moving
    p.AtsAlarm = false;
    p.PatternState = 0;
    EXPECT_EQ(commentary(), "");
    s.Speed = 0;
    EXPECT_EQ(commentary(), "0L13");
    p.PatternState = 3;
    EXPECT_EQ(commentary(), "0L12");

    s.ProtectEmergency = false;
    p.AtsAlarm = true;
    cab.protection.vigilanceCount = 700;
    EXPECT_EQ(commentary(), "0L14");
    p.AtsOn = false;
    EXPECT_EQ(commentary(), "0L15");
    p.AtsAlarm = false;
    cab.protection.vigilanceCount = 600;
    EXPECT_EQ(commentary(), "");
}

TEST_F(CommentaryTest, SpeedHintsByTheSignalAhead) {
    cab.protection.SignalFace = 8;
    cab.state.Speed = 55.4L;
    EXPECT_EQ(commentary(), "");
    cab.state.Speed = 55.6L;
    EXPECT_EQ(commentary(), "0L16");
    cab.protection.SignalFace = 24;
    EXPECT_EQ(commentary(), "");
    cab.state.Speed = 76;
    EXPECT_EQ(commentary(), "0L17");
    cab.protection.SignalFace = 22;
    cab.state.Speed = 26;
    EXPECT_EQ(commentary(), "0L18");
    cab.protection.vigilanceCount = 601;  // the vigilance warning comes first
    EXPECT_EQ(commentary(), "0L15");
}

TEST_F(CommentaryTest, TooFastForTheNextStopIsAppended) {
    TrainState& s = cab.state;
    s.Speed = 60;  // 60 / 5 x 60 / 3.6 = 200
    s.RemainDistance = 32499;
    EXPECT_EQ(commentary(), "0L19");
    s.RemainDistance = 32510;
    EXPECT_EQ(commentary(), "");
    s.RemainDistance = 30000;
    cab.protection.SignalFace = 8;
    EXPECT_EQ(commentary(), "0L16L19");
    cab.protection.SignalFace = 999;
    s.VideoMode[0] = 1;
    s.PowerHandle = 1;
    EXPECT_EQ(commentary(), "0L11L19");
    s.Speed = 100;
    s.RemainDistance = 25000;  // this close the stop is not judged
    EXPECT_EQ(commentary(), "0L11");
    s.RemainDistance = 30000;  // nor while a protection brake acts
    s.ProtectService = true;
    cab.protection.PatternState = 2;
    EXPECT_EQ(commentary(), "0L12");
}

TEST_F(CommentaryTest, OnlyAChangedMessageAsksForARedraw) {
    TrainState& s = cab.state;
    s.Frame = 1234;
    cab.video.ShownFrame = 1234;
    cab.protection.vigilanceCount = 601;
    EXPECT_EQ(commentary(), "0L15");
    EXPECT_EQ(cab.statusTexts.noticeText, "L15");
    EXPECT_EQ(cab.video.ShownFrame, 1233);
    cab.video.ShownFrame = 1234;
    EXPECT_EQ(commentary(), "0L15");
    EXPECT_EQ(cab.video.ShownFrame, 1234);

    cab.protection.vigilanceCount = 0;
    EXPECT_EQ(commentary(), "");
    EXPECT_EQ(cab.statusTexts.noticeText, "");
    EXPECT_EQ(cab.video.ShownFrame, 1233);

    s.VideoMode[0] = 2;  // a sub-video's own frame is the one drawn
    s.SubFrame = 50;
    cab.protection.vigilanceCount = 601;
    commentary();
    EXPECT_EQ(cab.video.ShownFrame, 49);
}

}  // namespace
}  // namespace tovra
