#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "cab/LoadingSequence.h"
#include "cab/StartState.h"
#include "common/DataError.h"
#include "data/CabDataFixture.h"
#include "data/RouteLoader.h"
#include "data/VehicleLoader.h"
#include "headless/HeadlessRun.h"

namespace tovra {
namespace {

using test::CabData;
using test::replaced;

std::unique_ptr<HeadlessRun> loaded(const CabData& data, int startStation = 0) {
    auto run = std::make_unique<HeadlessRun>(data.choice(startStation), 1);
    run->cab.load();
    return run;
}

// The message loading ends with, or "(loaded)".
std::string failure(const CabData& data) {
    HeadlessRun run(data.choice(), 1);
    try {
        run.cab.load();
    } catch (const DataError& error) {
        EXPECT_FALSE(run.cab.running());
        EXPECT_TRUE(run.cab.keysLocked());
        return error.what();
    }
    return "(loaded)";
}

std::vector<std::string> spriteNames(const SpriteModel& sprites) {
    std::vector<std::string> names;
    for (const Sprite& s : sprites.sprites()) names.push_back(s.name);
    return names;
}

TEST(LoadingSequence, ReportsItsStepsAndMakesThePicturesInOrder) {
    CabData data;
    auto run = loaded(data);
    EXPECT_EQ(
        run->host.progress,
        (std::vector<std::string>{"設定ファイルを読み込んでいます", "運転台を描画しています",
                                  "DirectSoundオブジェクトを作成しています(走行音)",
                                  "DirectSoundオブジェクトを作成しています(環境音)",
                                  "DirectSoundオブジェクトを作成しています(喚呼)",
                                  "サウンドを読み込んでいます", "環境をセットアップしています"}));
    EXPECT_TRUE(run->host.messages.empty());
    EXPECT_TRUE(run->cab.video.mainVideoOpen);
    EXPECT_EQ(run->cab.video.FrameLimit, 1500);  // 1500 frames, factor 1
    EXPECT_TRUE(run->cab.running());
    EXPECT_FALSE(run->cab.keysLocked());

    // Pattern pictures with the vehicle file, the route's pictures with the
    // route file, then the panel and the free pictures.
    const SpriteModel& sprites = run->cab.sprites;
    EXPECT_EQ(spriteNames(sprites),
              (std::vector<std::string>{"img_digi_speed",     "img_mon",
                                        "img_unten_teimoku",  "img_unten_teimokuS",
                                        "img_unten_teimokuM", "img_unten_teimokuE",
                                        "img_unten_slope",    "img_unten_limit",
                                        "img_unten_remain",   "img_unten_other",
                                        "img_unten_signal",   "img_unten_signal_S",
                                        "img_unten_signal_L", "img_unten_signal_R",
                                        "img_Panel",          "img_Panel2",
                                        "img_Lamp_Door",      "img_Lamp_Ats1",
                                        "img_Needle_speed",   "img_Needle_BC_L",
                                        "img_other1"}));

    const Sprite* panel = sprites.find("img_Panel");
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(sprites.pictureOf(*panel).transparentColour.has_value());
    EXPECT_EQ(panel->depth, 0);
    EXPECT_EQ(panel->x, 0);
    EXPECT_EQ(panel->y, 450);
    EXPECT_EQ(panel->width, 80);
    EXPECT_EQ(panel->height, 30);
    EXPECT_FALSE(panel->rotatable);

    const Sprite* lamp = sprites.find("img_lamp_ats1");  // written "Image\LAMP.BMP"
    ASSERT_NE(lamp, nullptr);
    EXPECT_EQ(sprites.pictureOf(*lamp).transparentColour, 0xFF00FF00u);
    EXPECT_EQ(lamp->depth, 57);
    EXPECT_TRUE(lamp->visible);
    EXPECT_TRUE(sprites.find("img_Panel2")->rotatable);
    EXPECT_TRUE(sprites.find("img_Needle_speed")->rotatable);
    EXPECT_EQ(sprites.find("img_Needle_BC_L")->y, 700);  // the gauge's base y
    EXPECT_TRUE(sprites.find("img_Needle_BC_L")->rotatable);

    // The empty first "[Others]" entry keeps its number.
    const Sprite* other = sprites.find("img_other1");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->depth, 21);
    EXPECT_FALSE(other->visible);
    EXPECT_EQ(other->x, 5);

    const Sprite* digits = sprites.find("img_digi_speed");
    EXPECT_EQ(sprites.pictureOf(*digits).patternWidth, 16);
    EXPECT_EQ(digits->width, 16);
    EXPECT_EQ(digits->height, 24);
    EXPECT_EQ(digits->depth, 37);
    EXPECT_EQ(sprites.pictureOf(*digits).transparentColour, 0xFFFF00FFu);

    const Sprite* monitor = sprites.find("img_mon");
    EXPECT_EQ(monitor->depth, 51);
    EXPECT_EQ(monitor->width, 20);
    EXPECT_EQ(monitor->x, 600);

    EXPECT_EQ(sprites.pictureOf(*sprites.find("img_unten_teimoku")).transparentColour, 0xFFABCDEFu);
    EXPECT_EQ(sprites.pictureOf(*sprites.find("img_unten_teimokuS")).transparentColour,
              kCollectionTransparentColour);
    EXPECT_EQ(sprites.pictureOf(*sprites.find("img_unten_remain")).transparentColour,
              kCollectionTransparentColour);
    EXPECT_EQ(sprites.pictureOf(*sprites.find("img_unten_slope")).transparentColour, 0xFF303030u);
    EXPECT_EQ(sprites.find("img_unten_remain")->height, 64);
    EXPECT_EQ(sprites.find("img_unten_slope")->height, 32);
    EXPECT_EQ(sprites.find("img_unten_signal_S")->depth, 101);
    EXPECT_EQ(sprites.find("img_unten_signal_L")->depth, 100);
    const Sprite* signal = sprites.find("img_unten_signal");
    EXPECT_EQ(signal->width, 16);
    EXPECT_EQ(signal->height, 32);
    EXPECT_EQ(signal->x, 10);
    EXPECT_EQ(signal->y, 20);

    EXPECT_EQ(run->cab.imageLists.anim.size(), 1u);
    ASSERT_TRUE(run->cab.staff.overlay.has_value());
    EXPECT_EQ(run->cab.staff.overlayTransparentColour, 0xFF707070u);
    EXPECT_EQ(run->cab.staff.side->height, 200);
}

TEST(LoadingSequence, LaysOutTheSoundChannels) {
    CabData data;
    auto run = loaded(data);
    const ChannelLayout& c = run->cab.channels;
    EXPECT_EQ(c.drive, 0);
    EXPECT_EQ(c.route, 3);
    EXPECT_EQ(c.motor, 6);
    EXPECT_EQ(c.engine, 7);
    EXPECT_EQ(c.callout, 9);  // one channel left free after the engine sounds
    EXPECT_EQ(c.message, 10);
    const FakeSoundDevice& sound = run->sound;
    EXPECT_EQ(sound.fileName(0), "run0.wav");
    EXPECT_EQ(sound.fileName(2), "run2.wav");
    EXPECT_EQ(sound.fileName(3), "arrive.wav");
    EXPECT_EQ(sound.fileName(4), "melody.wav");
    EXPECT_EQ(sound.fileName(5), "arrive3.wav");
    EXPECT_EQ(sound.fileName(6), "motor.wav");
    EXPECT_EQ(sound.fileName(7), "engine.wav");
    EXPECT_EQ(sound.fileName(8), "");
    for (int channel = 0; channel <= c.message; ++channel)
        EXPECT_EQ(sound.status(channel), SoundDevice::Status::NotPlaying) << channel;

    EXPECT_EQ(run->cab.routeSoundSeconds[0], 2);
    EXPECT_EQ(run->cab.routeSoundSeconds[1], 5);
    EXPECT_EQ(run->cab.routeSoundSeconds[2], 3);
    EXPECT_EQ(run->cab.routeSoundSeconds[3], 0);

    const CalloutWaves& callouts = run->cab.calloutWaves;
    EXPECT_TRUE(callouts.sounds[0].has_value());
    EXPECT_FALSE(callouts.sounds[1].has_value());
    EXPECT_TRUE(callouts.sounds[22].has_value());
    EXPECT_FALSE(callouts.sounds[23].has_value());
    // The queue puts a call-out into its channel when it plays.
    run->sound.assign(c.callout, *callouts.sounds[22]);
    EXPECT_EQ(sound.fileName(c.callout), "k22.wav");

    // A route sound outside the list names no channel, not a motor sound's.
    EXPECT_EQ(c.routeChannel(2), 5);
    EXPECT_EQ(c.routeChannel(3), ChannelLayout::kNoChannel);
    EXPECT_EQ(c.routeChannel(-1), ChannelLayout::kNoChannel);
    EXPECT_TRUE(fitsDevice(c));
    EXPECT_TRUE(fitsDevice(ChannelLayout::of(300, 16, 1, 0)));   // message on 319, the last
    EXPECT_FALSE(fitsDevice(ChannelLayout::of(300, 17, 1, 0)));  // message on 320

    // 3 running + 317 route + 1 motor + 1 engine sounds, a free channel, the
    // call-out and the message channel: 325 channels, refused before any wave.
    std::string many;
    for (int k = 0; k < 314; ++k) many += "sound\\arrive3.wav\n";
    data.writeRoute(
        replaced(CabData::routeText(), "sound\\arrive3.wav\n", "sound\\arrive3.wav\n" + many));
    HeadlessRun refused(data.choice(), 1);
    try {
        refused.cab.load();
        ADD_FAILURE() << "loaded sounds past the device's last channel";
    } catch (const DataError& error) {
        EXPECT_NE(std::string(error.what()).find("need 325 sound channels"), std::string::npos)
            << error.what();
        EXPECT_NE(std::string(error.what()).find("has 320"), std::string::npos);
    }
    EXPECT_EQ(refused.sound.fileName(0), "");
}

TEST(LoadingSequence, DerivesPositionsAndSortedPatternPoints) {
    CabData data;
    auto run = loaded(data);
    const RouteSpec& route = run->cab.route;
    ASSERT_EQ(route.Stations.size(), 5u);
    const Extended stops[] = {5000, 10000, 16250, 25000, 52500};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(route.Stations[i].stopPosition, stops[i]) << i;
        EXPECT_EQ(route.Stations[i].zoneStart, stops[i] - 3000) << i;
        EXPECT_EQ(route.Stations[i].zoneEnd, stops[i] + 3000) << i;
    }
    EXPECT_EQ(route.SpeedUnits.back().EndDistance, 55000);
    EXPECT_EQ(route.SpeedLimits[0].position, 16250);
    EXPECT_EQ(route.SpeedLimits[2].position, 3333);
    EXPECT_EQ(route.SpeedChecks1[0].position, 2500);
    EXPECT_EQ(route.TrafficSignals[0].stopPosition, 5000);
    EXPECT_EQ(route.TrafficSignals[0].secondPosition, 25000);
    EXPECT_EQ(route.DopplerSources[0].position, 35000);
    EXPECT_EQ(route.Tunnels[0].entryPosition, 16250);
    EXPECT_EQ(route.Tunnels[0].exitPosition, 35000);

    // Frames 300 and 600 are segment boundaries: signal 0, limit 1 and
    // station 3 each give two points. The pass station and the kind-2 stop
    // give none although both ask for one. Equal positions keep the order in
    // which the points were made: signals, then limits, then stations.
    struct Expected {
        Extended position;
        std::int32_t speed, index, kind;
    };
    const Expected expected[] = {{3333, 25, 2, 1},  {7000, 10, 0, 3},  {10000, 10, 0, 2},
                                 {10000, 10, 0, 2}, {10000, 60, 1, 1}, {10000, 60, 1, 1},
                                 {16250, 45, 0, 1}, {27000, 10, 3, 3}, {27000, 10, 3, 3},
                                 {35000, 10, 1, 2}, {54500, 10, 4, 3}};
    const PatternPoints& points = run->cab.patternPoints;
    ASSERT_EQ(points.size(), std::size(expected));
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(points[i].position, expected[i].position) << i;
        EXPECT_EQ(points[i].speed, expected[i].speed) << i;
        EXPECT_EQ(points[i].index, expected[i].index) << i;
        EXPECT_EQ(points[i].kind, expected[i].kind) << i;
    }
}

TEST(LoadingSequence, StartsAtTheChosenStation) {
    CabData data;
    {
        auto run = loaded(data, 0);
        const Cab& cab = run->cab;
        // Station 0: only its departure melody (route sound 1, 5 s) is taken off.
        EXPECT_EQ(cab.state.Clock, 1080000 - 30 * 5);
        EXPECT_EQ(cab.state.Frame, 100);  // "[StartPos]"
        EXPECT_EQ(cab.state.Position, 5000);
        EXPECT_TRUE(cab.traction.doorsOpen);
        EXPECT_EQ(cab.stations.doorOpening, 1);
        EXPECT_EQ(cab.stations.stationText, "ただいま 始発駅");
        EXPECT_EQ(cab.stations.doorMessage, "10両編成");
        EXPECT_EQ(cab.stations.announcePos, 1);
        EXPECT_EQ(cab.protection.PreTrainFrame, 50);
        EXPECT_TRUE(cab.protection.AtsOn);
        EXPECT_EQ(cab.state.BrakeHandle, -8);
        EXPECT_EQ(cab.state.BrakeNotch, -8);
        EXPECT_EQ(cab.state.SapNotch, -8);
        EXPECT_EQ(cab.state.PowerNotch, 0);
        EXPECT_EQ(cab.state.MrPress.raw(), 880 * 10000);
        EXPECT_EQ(cab.state.BcPressT.raw(), 400 * 10000);
        EXPECT_EQ(cab.stations.speedCheck1Passed, (std::vector<bool>{true, false}));
        EXPECT_EQ(cab.textBand.top, 450 - 36);
        EXPECT_EQ(cab.textBand.right, 800);
        EXPECT_EQ(cab.textBand.bottom, 450);
    }
    {
        auto run = loaded(data, 3);
        const Cab& cab = run->cab;
        // Station 3: its melody (5 s) and its arrival sound (route sound 2, 3 s).
        EXPECT_EQ(cab.state.Clock, 1090800 - 30 * 5 - 30 * 3);
        EXPECT_EQ(cab.state.Frame, 600);
        EXPECT_EQ(cab.state.Position, 25000);
        EXPECT_EQ(cab.stations.announcePos, 4);
        EXPECT_EQ(cab.stations.stationText, "ただいま 中間駅");
        EXPECT_EQ(cab.stations.speedCheck1Passed, (std::vector<bool>{true, false}));
    }
    {
        auto run = loaded(data, 1);  // a pass station: the doors stay shut
        EXPECT_FALSE(run->cab.traction.doorsOpen);
        EXPECT_EQ(run->cab.stations.doorOpening, 0);
    }
}

TEST(LoadingSequence, StartClockCountsUnknownSoundsAsSilent) {
    RouteSpec route;
    route.Stations.resize(2);
    route.Stations[1].departureTime = 1000;
    route.Stations[1].departureSound = 150;  // past the sounds with a length
    route.Stations[1].arrivalSound = -1;
    RouteSoundSeconds seconds{};
    seconds.fill(7);
    EXPECT_EQ(startClock(route, seconds, 1), 1000);
    // Past the last station the empty record: time 0, both sounds route sound 0.
    EXPECT_EQ(startClock(route, seconds, 5), -30 * 7 * 2);
    route.Stations[0].departureTime = std::numeric_limits<std::int32_t>::min() + 10;
    EXPECT_EQ(startClock(route, seconds, 0), std::numeric_limits<std::int32_t>::min());
}

TEST(LoadingSequence, VehicleWithoutSecondPanelSkipsOnlyThatPicture) {
    CabData data;
    data.writeVehicle(replaced(CabData::vehicleText(), "image\\panel2.bmp", ""));
    data.remove("image/panel2.bmp");
    auto run = loaded(data);
    EXPECT_EQ(run->cab.sprites.find("img_Panel2"), nullptr);
    EXPECT_NE(run->cab.sprites.find("img_Lamp_Door"), nullptr);
    EXPECT_NE(run->cab.sprites.find("img_other1"), nullptr);
    EXPECT_TRUE(run->cab.running());
}

TEST(LoadingSequence, MissingVideoIsReportedAndTheRunStarts) {
    CabData data;
    data.remove("movie/line1.avi");
    auto run = loaded(data);
    EXPECT_EQ(run->host.messages,
              (std::vector<std::string>{"映像ファイルを開けませんmovie\\line1.avi"}));
    EXPECT_TRUE(run->cab.running());
    EXPECT_FALSE(run->cab.video.mainVideoOpen);
    EXPECT_EQ(run->cab.patternPoints.size(), 11u);
}

TEST(LoadingSequence, BrakeStepsAreCheckedAfterAllSounds) {
    CabData data;
    data.writeVehicle(replaced(CabData::vehicleText(), "[Brake]\n8", "[Brake]\n2"));
    {
        HeadlessRun run(data.choice(), 1);
        try {
            run.cab.load();
            ADD_FAILURE() << "loaded with two notched brake steps";
        } catch (const DataError& error) {
            EXPECT_EQ(std::string(error.what()), kBrakeStepsError);
        }
        EXPECT_EQ(run.host.progress.back(), "環境をセットアップしています");
        EXPECT_EQ(run.sound.fileName(7), "engine.wav");  // the last sound loaded
        EXPECT_FALSE(run.cab.running());
        EXPECT_TRUE(run.cab.keysLocked());
    }
    // The automatic air brake always has four steps, whatever the file says.
    data.writeVehicle(replaced(replaced(CabData::vehicleText(), "[Brake]\n8", "[Brake]\n2"),
                               "[BrakeType]\n1", "[BrakeType]\n0"));
    auto run = loaded(data);
    EXPECT_EQ(run->cab.vehicle.Brake, 4);
    EXPECT_EQ(run->cab.state.BrakeHandle, -4);
    EXPECT_TRUE(run->cab.running());
}

TEST(LoadingSequence, EachMissingFileEndsWithItsOwnMessage) {
    const struct {
        const char* missing;
        std::string message;
    } cases[] = {
        {"image/panel2.bmp", "image\\panel2.bmpの生成エラー"},
        {"image/other.bmp", "image\\other.bmpの生成エラー"},
        {"image/digits.bmp", std::string(kVehicleFileError) + "[Digi_Speed]"},
        {"image/teimoku.bmp", "停目の生成エラー"},
        {"image/sub.bmp", "サブ信号機0の生成エラー"},
        {"image/mon.bmp", routeFileMessage("[SoundData]", "image\\mon.bmp")},
        {"image/anim.bmp", routeFileMessage("[AnimImageList]", "image\\anim.bmp")},
        {"image/staf.bmp", "image\\staf.bmpが見つかりません"},
        {"sound/melody.wav", "sound\\melody.wavの生成エラー"},
        {"sound/k22.wav", "sound\\k22.wavの生成エラー"},
        {"sound/engine.wav", "sound\\engine.wavの生成エラー"},
    };
    for (const auto& c : cases) {
        CabData data;
        data.remove(c.missing);
        EXPECT_EQ(failure(data), c.message) << c.missing;
    }
}

// Counts the decodes of each file; with `exhausted` every decode fails for
// want of memory.
struct CountingDecoder : HeaderPictureDecoder {
    std::map<std::filesystem::path, int> decodes;
    bool exhausted = false;
    SharedImage decode(const std::filesystem::path& file) override {
        if (exhausted) throw std::bad_alloc();
        ++decodes[file];
        return HeaderPictureDecoder::decode(file);
    }
};

// A cab over the headless ports with a decoder of the test's own.
struct CabOver {
    CabOver(const CabData& data, PictureDecoder& pictures)
        : sound(clock), cab(CabPorts{host, sound, video, pictures, store}, data.choice(), 1) {}
    SimClock clock;
    HeadlessHost host;
    FakeSoundDevice sound;
    FakeVideoSource video;
    MemorySettingsStore store;
    Cab cab;
};

TEST(LoadingSequence, EachPictureFileIsDecodedOnce) {
    CabData data;
    CountingDecoder pictures;
    CabOver run(data, pictures);
    run.cab.load();
    EXPECT_EQ(pictures.decodes.size(), 15u);  // the distinct files the test set names
    for (const auto& [file, count] : pictures.decodes) EXPECT_EQ(count, 1) << file;
    EXPECT_EQ(pictures.decodes.count(data.dir() / "image/sign.bmp"), 1u);  // seven signs
}

TEST(LoadingSequence, AnyOtherFailureEndsWithAMessageToo) {
    CabData data;
    CountingDecoder pictures;
    pictures.exhausted = true;
    CabOver run(data, pictures);
    try {
        run.cab.load();
        ADD_FAILURE() << "loaded without memory for a picture";
    } catch (const DataError& error) {
        EXPECT_STREQ(error.what(), kLoadingMemoryError);
    }
    EXPECT_FALSE(run.cab.running());
}

TEST(LoadingSequence, UserOptionsAreReadTogether) {
    CabData data;
    {
        HeadlessRun run(data.choice(), 1);
        run.store.writeInteger("tovra", "Kanko", 1);
        run.store.writeInteger("tovra", "Information", 0);
        run.store.writeInteger("tovra", "ATS", 1);
        run.store.writeInteger("tovra", "Tunnel", 1);
        run.store.writeInteger("tovra", "Moji", 1);
        run.cab.load();
        const UserOptions& o = run.cab.options;
        EXPECT_EQ(o.Kanko, 1);
        EXPECT_EQ(o.Information, 0);
        EXPECT_EQ(o.Moji, 1);
        // Protection switched off: its lamp stays dark.
        EXPECT_FALSE(run.cab.protection.AtsOn);
        EXPECT_FALSE(run.cab.sprites.find("img_Lamp_Ats1")->visible);
    }
    {
        HeadlessRun run(data.choice(), 1);
        run.store.writeInteger("tovra", "Kanko", 1);
        run.store.writeInteger("tovra", "ATS", 1);
        run.cab.load();  // three values missing: all five take their defaults
        const UserOptions& o = run.cab.options;
        EXPECT_EQ(o.Kanko, 0);
        EXPECT_EQ(o.Information, 1);
        EXPECT_EQ(o.ATS, 0);
        EXPECT_TRUE(run.cab.protection.AtsOn);
        EXPECT_TRUE(run.cab.sprites.find("img_Lamp_Ats1")->visible);
    }
}

}  // namespace
}  // namespace tovra
