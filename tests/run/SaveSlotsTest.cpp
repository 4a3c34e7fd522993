#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>

#include "run/LoadedRun.h"
#include "run/SaveSlots.h"
#include "sim/ProtectionState.h"

namespace tovra {
namespace {

using test::CabData;
using test::LoadedRun;

constexpr const char* kRoute = CabData::kRouteFile;

// A store whose writes all fail, as a registry key without write access.
struct ReadOnlyStore : MemorySettingsStore {
    bool writeString(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
};

// The fields a refused restore must leave alone.
auto snapshot(const Cab& cab) {
    const TrainState& s = cab.state;
    return std::tuple(s.Speed, s.Position, s.Frame, s.Clock, s.BrakeHandle,
                      cab.stations.currentStation, cab.protection.PreTrainFrame,
                      cab.traction.doorsOpen, cab.stations.announcePos);
}

struct SaveSlots : ::testing::Test {
    LoadedRun loaded;
    Cab& cab = loaded.cab();
    MemorySettingsStore& store = loaded.run->store;
    HeadlessHost& host = loaded.run->host;

    void placeTrain(Extended speed, Extended position, std::int32_t frame, std::int32_t station) {
        cab.state.Speed = speed;
        cab.state.Position = position;
        cab.state.Frame = frame;
        cab.state.Clock = 1082000;
        cab.stations.currentStation = station;
        cab.protection.PreTrainFrame = 820;
    }

    std::string saved(int slot) { return store.strings[{"tovra", "Save" + std::to_string(slot)}]; }
    void putSaved(int slot, const std::string& text) {
        store.strings[{"tovra", "Save" + std::to_string(slot)}] = text;
    }
};

TEST_F(SaveSlots, SaveThenRestoreGivesBackTheSevenFields) {
    placeTrain(57.5L, 12000.25L, 400, 1);
    EXPECT_EQ(saveRunState(cab, store, kRoute, 2), "運転状態を保存しました");
    EXPECT_EQ(saved(2), "line_rapid_down.dat,1,58,400,1082000,12000,820");
    EXPECT_EQ((store.strings[{"tovra", "Save2Title"}]), "快速（通過駅～停車駅）");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages.back(), "運転状態を保存しました");

    placeTrain(0, 40000, 900, 3);
    cab.state.Clock = 5;
    cab.protection.PreTrainFrame = 0;
    EXPECT_EQ(restoreRunState(cab, store, kRoute, 2), "");
    EXPECT_EQ(host.messages.size(), 1u);  // the save's only
    EXPECT_EQ(cab.stations.currentStation, 1);
    EXPECT_EQ(cab.state.Speed, 58);
    EXPECT_EQ(cab.state.Frame, 400);
    EXPECT_EQ(cab.state.Clock, 1082000);
    EXPECT_EQ(cab.state.Position, 12000);
    EXPECT_EQ(cab.protection.PreTrainFrame, 820);
}

TEST_F(SaveSlots, RestoreResetsTheRunAroundTheSavedState) {
    putSaved(1, "line_rapid_down.dat,1,58,400,1082000,12000,820");
    // A station video plays, the doors stand open, a stop is half worked.
    cab.state.VideoMode[0] = 1;
    cab.state.SubFrame = 77;
    cab.traction.doorsOpen = true;
    cab.stations.doorOpening = 1;
    cab.sprites.find("img_Lamp_Door")->visible = false;
    cab.stations.progress[2].departureStarted = true;
    cab.stations.progress[3].arrived = true;
    cab.runningSound.pointsSounded[0] = true;
    cab.route.TimeCallouts.push_back({10, 20, 1000, true});
    cab.route.Crossings = {{0, 0, 350, 450, 0}, {0, 0, 100, 399, 0}, {0, 0, 400, 401, 0}};
    cab.protection.SignalFace = 5;
    cab.sprites.find("img_unten_signal")->visible = true;
    const int melody = cab.channels.routeChannel(1);
    cab.sound.playLoop(0);
    cab.sound.playOnce(melody);
    ASSERT_TRUE(cab.sound.isPlaying(melody));
    host.caption = "ヴェルモラン";

    ASSERT_EQ(restoreRunState(cab, store, kRoute, 1), "");
    EXPECT_EQ(cab.state.VideoMode[0], 0);
    EXPECT_EQ(cab.state.SubFrame, 0);
    EXPECT_TRUE(cab.video.mainVideoOpen);
    EXPECT_TRUE(host.physicsRunning);
    EXPECT_EQ(host.caption, "快速線 下り");
    EXPECT_FALSE(cab.traction.doorsOpen);
    EXPECT_EQ(cab.stations.doorOpening, 0);
    EXPECT_TRUE(loaded.spriteVisible("img_Lamp_Door"));
    // The train runs at 120 m, between the pass station and the next stop:
    // the first station lies behind it, worked and departed.
    const StationProgress& first = cab.stations.progress[0];
    EXPECT_TRUE(first.doorsOpenedHere && first.departureStarted && first.departedHere);
    EXPECT_FALSE(cab.stations.progress[2].departureStarted);
    EXPECT_FALSE(cab.stations.progress[3].arrived);
    EXPECT_FALSE(cab.runningSound.pointsSounded[0]);
    EXPECT_FALSE(cab.route.TimeCallouts[0].Done);
    EXPECT_TRUE(cab.sound.isPlaying(0));
    EXPECT_FALSE(cab.sound.isPlaying(melody));
    EXPECT_EQ(cab.video.ShownFrame, 399);
    // Moving: the brake is released.
    EXPECT_EQ(cab.state.BrakeHandle, 0);
    EXPECT_EQ(cab.state.BrakeNotch, 0);
    EXPECT_EQ(cab.state.SapNotch, 0);
    // The next stop after 通過駅 is 停車駅.
    EXPECT_EQ(cab.stations.nextStopIndex, 2);
    EXPECT_EQ(cab.NextStopPosition, 16250);
    EXPECT_EQ(cab.state.RemainDistance, 4250);
    // One station with doors (始発駅) lies before the saved one.
    EXPECT_EQ(cab.stations.announcePos, 3);
    EXPECT_EQ(cab.crossings.crossings[0], 0);
    EXPECT_EQ(cab.crossings.crossings[1], 2);
    EXPECT_EQ(cab.crossings.crossings[2], -1);
    // No signal is in view at frame 400: the signal display is cleared.
    EXPECT_EQ(cab.protection.SignalFace, kNoFace);
    EXPECT_FALSE(loaded.spriteVisible("img_unten_signal"));
    // Frame 400 lies in the section filmed from 36 to 72 km/h over 300..600.
    EXPECT_EQ(cab.film.FilmSpeed, 48);
    EXPECT_EQ(cab.film.CurrentSection, 1);
}

TEST_F(SaveSlots, StandingRestoreBrakesAndKeepsASignalInView) {
    putSaved(1, "line_rapid_down.dat,0,0,200,1079000,5000,0");
    cab.protection.SignalFace = 5;
    cab.state.BrakeHandle = 0;
    ASSERT_EQ(restoreRunState(cab, store, kRoute, 1), "");
    EXPECT_EQ(cab.state.BrakeHandle, 1 - cab.vehicle.Brake);
    EXPECT_EQ(cab.state.BrakeNotch, 1 - cab.vehicle.Brake);
    EXPECT_EQ(cab.state.SapNotch, 1 - cab.vehicle.Brake);
    EXPECT_EQ(cab.stations.announcePos, 1);
    EXPECT_EQ(cab.protection.SignalFace, 5);  // the first signal is in view 100..300

    // Saved at the last station: no stop follows, it stays the target.
    putSaved(1, "line_rapid_down.dat,4,0,1050,1098000,52500,0");
    ASSERT_EQ(restoreRunState(cab, store, kRoute, 1), "");
    EXPECT_EQ(cab.stations.nextStopIndex, 4);
    EXPECT_EQ(cab.state.RemainDistance, 0);
    EXPECT_EQ(cab.stations.announcePos, 5);  // 始発駅 and 中間駅 have doors
}

TEST_F(SaveSlots, RefusedRestoresChangeNothing) {
    placeTrain(33, 20000, 500, 2);
    const auto before = snapshot(cab);
    const std::string caption = host.caption;

    EXPECT_EQ(restoreRunState(cab, store, kRoute, 1), "運転状態が保存されていません");
    putSaved(1, "");
    EXPECT_EQ(restoreRunState(cab, store, kRoute, 1), "運転状態が保存されていません");
    putSaved(1, "line_rapid_up.dat,1,58,400,1082000,12000,820");
    EXPECT_EQ(restoreRunState(cab, store, kRoute, 1), "運転状態を保存したダイヤではありません");
    putSaved(1, "line_rapid_down.dat,1,58,four hundred,1082000,12000,820");
    EXPECT_EQ(restoreRunState(cab, store, kRoute, 1), kUnreadableStateMessage);
    putSaved(1, "line_rapid_down.dat,1,58,400");
    EXPECT_EQ(restoreRunState(cab, store, kRoute, 1), kUnreadableStateMessage);
    putSaved(1, "line_rapid_down.dat,5,58,400,1082000,12000,820");  // no station 5
    EXPECT_EQ(restoreRunState(cab, store, kRoute, 1), kUnreadableStateMessage);

    EXPECT_EQ(host.messages, (std::vector<std::string>{
                                 "運転状態が保存されていません", "運転状態が保存されていません",
                                 "運転状態を保存したダイヤではありません", kUnreadableStateMessage,
                                 kUnreadableStateMessage, kUnreadableStateMessage}));
    EXPECT_EQ(snapshot(cab), before);
    EXPECT_EQ(host.caption, caption);
    EXPECT_THROW(restoreRunState(cab, store, kRoute, 4), std::out_of_range);
}

TEST_F(SaveSlots, AWriteThatFailsSaysSo) {
    ReadOnlyStore readOnly;
    placeTrain(10, 12000, 400, 1);
    EXPECT_EQ(saveRunState(cab, readOnly, kRoute, 1), kStateNotWrittenMessage);
    EXPECT_EQ(host.messages, std::vector<std::string>{kStateNotWrittenMessage});
    EXPECT_TRUE(readOnly.strings.empty());
    EXPECT_THROW(saveRunState(cab, store, kRoute, 0), std::out_of_range);
}

TEST_F(SaveSlots, MenuShowsTitlesAndEmptySlots) {
    placeTrain(0, 4000, 140, 0);  // short of the first stop: no title
    saveRunState(cab, store, kRoute, 1);
    placeTrain(0, 30000, 700, 3);
    saveRunState(cab, store, kRoute, 3);

    const SaveMenu menu = saveMenu(store);
    EXPECT_EQ(menu.save[0].caption, "No Data");
    EXPECT_TRUE(menu.save[0].enabled);
    EXPECT_EQ(menu.restore[0].caption, "No Data");
    EXPECT_FALSE(menu.restore[0].enabled);
    EXPECT_EQ(menu.restore[1].caption, "No Data");
    EXPECT_FALSE(menu.restore[1].enabled);
    EXPECT_EQ(menu.save[2].caption, "快速（中間駅～終着駅）");
    EXPECT_EQ(menu.restore[2].caption, "快速（中間駅～終着駅）");
    EXPECT_TRUE(menu.restore[2].enabled);
    // The state without a title was written all the same and restores.
    EXPECT_EQ(restoreRunState(cab, store, kRoute, 1), "");
    EXPECT_EQ(cab.state.Position, 4000);
}

}  // namespace
}  // namespace tovra
