#include "data/RouteLoader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/DataError.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

constexpr const char* kVehicle = "train_E231.dat";

RouteSpec load(const test::TempDir& dir, const std::string& text,
               const std::string& vehicle = kVehicle) {
    return loadRouteSpec(dir.writeCp932("line_rapid_down.dat", text), vehicle);
}

// The message a route file fails with, or "" when it loads.
std::string failure(const std::string& text) {
    test::TempDir dir;
    try {
        load(dir, text);
    } catch (const DataError& error) {
        return error.what();
    }
    return "";
}

std::string routeError(const std::string& label, const std::string& line) {
    return std::string("路線ファイルに誤りがあります。") + label + ":" + line;
}

std::string repeated(const std::string& line, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) text += line + "\n";
    return text;
}

const char* kRoute = R"(下り快速 路線データ
[LineName]
快速線 下り
[LineName2]
快速下り
[StartPos]
120
[FrameRate]
15
[Staf]
image\staf_over.bmp

image\staf.bmp
[Friction]
0.123456
[StafSwitch]
10
#
[MovieStop]
9000
9500
#
[MovieSwitch]
2,100,200,sub_station,300,1,108000,20,4
#
[Speed_Signal]
0
25
45
#
[DataName]
rapid_down
[Perspective]
12.5
140
[Pre_Train]
500,8000
0,40,108300
1,45,109200
#
[OneMan]
1
[SoundData]
sound\melody1.wav
sound\arrive.wav
#
[Monitor]
train_E231.dat
600
20
64
32
image\monitor.bmp
[Announce]
3
1,0,0,200
2,1,1,300
#
[Station] 駅一覧
東町,0,1000,4000,1,2,3,108000,90,1,1,5,6,1,50
西町,1,2000,3000,0,0,0,0,100,0,0,0,0,0,0
#
[StopSound]
7
#
[StationKanko]
0,4,12
1,1,999
#
[Time]
100,200,1005
#
[SpeedUnit]
0,300,60,60
300,600,30,30
#
)";

TEST(RouteLoader, ReadsLineStationAndTimetableSections) {
    test::TempDir dir;
    const RouteSpec r = load(dir, kRoute);
    EXPECT_EQ(r.LineName, "快速線 下り");
    EXPECT_EQ(r.LineName2, "快速下り");
    EXPECT_EQ(r.StartFrame, 120);
    EXPECT_EQ(r.FrameRate, 15);
    EXPECT_EQ(r.StaffOverlayImage, "image\\staf_over.bmp");
    EXPECT_EQ(r.OpeningImage, "");
    EXPECT_EQ(r.StaffImage, "image\\staf.bmp");
    EXPECT_EQ(r.Friction.raw(), 1235);
    EXPECT_EQ(r.StaffSwitchFrames, std::vector<std::int32_t>{10});
    EXPECT_EQ(r.MovieStopFrames[0], 9000);
    EXPECT_EQ(r.MovieStopFrames[1], 9500);
    EXPECT_EQ(r.MovieStopFrames[2], 0);
    ASSERT_EQ(r.MovieSwitches.size(), 1u);
    const MovieSwitch& m = r.MovieSwitches[0];
    EXPECT_EQ(m.Mode, 2);
    EXPECT_EQ(m.LastFrame, 200);
    EXPECT_EQ(m.File, "sub_station");
    EXPECT_EQ(m.Length, 300);
    EXPECT_EQ(m.Target, 1);
    EXPECT_EQ(m.Time, 108000);
    EXPECT_EQ(m.SoundFrame, 20);
    EXPECT_EQ(m.Sound, 4);
    EXPECT_EQ(r.SpeedSignal, (std::vector<std::int32_t>{0, 25, 45}));
    EXPECT_EQ(r.DataName, "rapid_down");
    EXPECT_EQ(r.PerspectiveDistance, 12.5L);
    EXPECT_EQ(r.PerspectiveScale, 140);
    EXPECT_EQ(r.PreTrainStart, 500);
    EXPECT_EQ(r.PreTrainEnd, 8000);
    ASSERT_EQ(r.PreTrain.size(), 2u);
    EXPECT_EQ(r.PreTrain[1].Station, 1);
    EXPECT_EQ(r.PreTrain[1].Step, 45);
    EXPECT_EQ(r.PreTrain[1].DepartTime, 109200);
    EXPECT_EQ(r.OneMan, 1);
    EXPECT_EQ(r.AmbientSounds,
              (std::vector<std::string>{"sound\\melody1.wav", "sound\\arrive.wav"}));
    EXPECT_TRUE(r.Monitor.present);
    EXPECT_EQ(r.Monitor.x, 600);
    EXPECT_EQ(r.Monitor.patternHeight, 32);
    EXPECT_EQ(r.Monitor.image, "image\\monitor.bmp");
    // Entry 0 carries the header value and is not counted.
    EXPECT_EQ(r.AnnouncementCount(), 2u);
    EXPECT_EQ(r.Announcements[0].Sound, 3);
    EXPECT_EQ(r.Announcements[2].Kind, 1);
    EXPECT_EQ(r.Announcements[2].Distance, 300);

    ASSERT_EQ(r.Stations.size(), 2u);
    const StationRecord& s = r.Stations[0];
    EXPECT_EQ(s.name, "東町");
    EXPECT_EQ(s.videoFrame, 1000);
    EXPECT_EQ(s.zoneHalfLength, 4000);
    EXPECT_EQ(s.zoneSound, 3);
    EXPECT_EQ(s.departureTime, 108000);
    EXPECT_EQ(s.sectionLimit, 90);
    EXPECT_EQ(s.stopMarkType, 1);
    EXPECT_EQ(s.field12, 5);
    EXPECT_EQ(s.field13, 6);
    EXPECT_EQ(s.platformSide, 1);
    EXPECT_EQ(s.chimeChance, 50);
    EXPECT_EQ(r.Stations[1].kind, 1);
    // Past the last station every field reads 0.
    EXPECT_EQ(r.stationOrEmpty(2).videoFrame, 0);
    EXPECT_EQ(r.stationOrEmpty(2).name, "");
    EXPECT_EQ(r.StopSounds, std::vector<std::int32_t>{7});
    ASSERT_EQ(r.StationCallouts.size(), 2u);
    EXPECT_EQ(r.StationCallouts[1].Callout, 999);
    ASSERT_EQ(r.TimeCallouts.size(), 1u);
    EXPECT_EQ(r.TimeCallouts[0].Code, 1005);
    ASSERT_EQ(r.SpeedUnits.size(), 2u);
    EXPECT_EQ(r.SpeedUnits[0].EndDistance, 16667);
    EXPECT_EQ(r.SpeedUnits[1].EndDistance, 25000);
    EXPECT_EQ(frame_to_position(r.SpeedUnits, 450), 20834);
}

TEST(RouteLoader, ReadsWaysideSections) {
    test::TempDir dir;
    const RouteSpec r = load(dir, R"([Signal]
1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22
#
[TrafficSignal]
1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26
#
[Slope]
-2.5,10,20
#
[Sign]
1,2,3,4
#
[Anim]
5,6,7,8
#
[SignalKanko]
0,1,1005
#
[SpeedLimit]
45,0,1,700,0,0
#
[SpeedCheck1]
25,0,800,3
#
[SpeedCheck2]
15,1,900,0
#
[OtherKanko]
kanko\other0.wav
#
[LimitKanko]
kanko\limit0.wav
kanko\limit1.wav
#
[Cross]
1,0,100,200,2
#
[Switch]
300,1
#
[Sound]
4,100,0,60,0,1,1,0
#
[Sound2]
5,1,3
#
[Doppler]
6,400,5000,0,2
#
[Tunnel]
500,900,1
#
[Atten]
450,950,0,70
#
[TunnelR]
35
[AnimImageList]
image\anim0.bmp
#
[TrafficSignalImageList]
image\light0.bmp
image\light1.bmp
#
[CrossImageList]
image\cross0.bmp
#
)");
    ASSERT_EQ(r.Signals.size(), 1u);
    const SignalRecord& g = r.Signals[0];
    EXPECT_EQ(g.control, 1);
    EXPECT_EQ(g.signalType, 4);
    EXPECT_EQ(g.signalFrame, 6);
    EXPECT_EQ(g.nearBeaconFrame, 8);
    EXPECT_EQ(g.holdStation, 11);
    EXPECT_EQ(g.headY, 13);
    EXPECT_EQ(g.sub1X, 15);
    EXPECT_EQ(g.sub2Y, 19);
    EXPECT_EQ(g.sub0Y, 21);
    EXPECT_EQ(g.field22, 22);
    ASSERT_EQ(r.TrafficSignals.size(), 1u);
    const TrafficSignalRecord& t = r.TrafficSignals[0];
    EXPECT_EQ(t.viewLastFrame, 3);
    EXPECT_EQ(t.phases[0].image, 4);
    EXPECT_EQ(t.phases[5].image, 19);
    EXPECT_EQ(t.phases[5].proceed, 21);
    EXPECT_EQ(t.secondFrame, 22);
    EXPECT_EQ(t.alwaysMessage, 26);
    EXPECT_EQ(t.phase, 1);
    ASSERT_EQ(r.Slopes.size(), 1u);
    EXPECT_EQ(r.Slopes[0].gradient.raw(), -25000);
    EXPECT_EQ(r.Slopes[0].lastFrame, 20);
    EXPECT_EQ(r.Signs[0].change, 4);
    EXPECT_EQ(r.Anims[0].firstImage, 8);
    EXPECT_EQ(r.SignalCallouts[0].callout, 1005);
    EXPECT_EQ(r.SpeedLimits[0].frame, 700);
    EXPECT_EQ(r.SpeedChecks1[0].signal, 3);
    EXPECT_EQ(r.SpeedChecks2[0].frame, 900);
    EXPECT_EQ(r.OtherCallouts, std::vector<std::string>{"kanko\\other0.wav"});
    EXPECT_EQ(r.LimitCallouts.size(), 2u);
    EXPECT_EQ(r.Crossings[0].station, 2);
    EXPECT_EQ(r.Switches[0].sound, 1);
    EXPECT_EQ(r.SoundZones[0].volumeFollowsSpeed, 1);
    EXPECT_EQ(r.SoundZones2[0].lastStation, 3);
    EXPECT_EQ(r.DopplerSources[0].range, 5000);
    EXPECT_EQ(r.Tunnels[0].exitFrame, 900);
    EXPECT_EQ(r.Attenuations[0].factor, 70);
    EXPECT_EQ(r.TunnelR, 35);
    EXPECT_EQ(r.AnimImages.size(), 1u);
    EXPECT_EQ(r.TrafficSignalImages.size(), 2u);
    EXPECT_EQ(r.CrossImages, std::vector<std::string>{"image\\cross0.bmp"});
    EXPECT_FALSE(r.SignImages.has_value());
    EXPECT_FALSE(r.SignalImages.has_value());
}

TEST(RouteLoader, SpeedUnitsAloneIgnoreTheRestOfTheFile) {
    test::TempDir dir;
    // A section that would stop the whole file does not stop the speed list.
    const auto units = loadSpeedUnits(
        dir.writeCp932("a.dat", "[TunnelR]\nx\n[SpeedUnit]\n0,300,60,60\n300,600,30,30\n#\n"));
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(units[1].EndDistance, 25000);  // 16667 + round((30 + 30) x 300 / 2.16)
    const auto message = [&](const std::string& text) {
        try {
            loadSpeedUnits(dir.writeCp932("b.dat", text));
        } catch (const DataError& error) {
            return std::string(error.what());
        }
        return std::string();
    };
    EXPECT_EQ(message("[SpeedUnit]\n0,300,60\n#\n"), routeError("[SpeedUnit]", "0,300,60"));
    EXPECT_EQ(message("[Station]\n#\n"), routeError("[SpeedUnit]", ""));
}

TEST(RouteLoader, MessageNamesTheLabelInForceAndTheCurrentLine) {
    EXPECT_EQ(failure("[StartPos]\nabc\n"), routeError("その他", "abc"));
    EXPECT_EQ(failure("[Friction]\n0,5\n"), routeError("その他", "0,5"));
    // Tags that set no label report the last one set before them in the order.
    EXPECT_EQ(failure("[Perspective]\n10\nx\n"), routeError("[Speed_Signal]", "x"));
    EXPECT_EQ(failure("[OneMan]\none\n"), routeError("[Pre_Train]", "one"));
    EXPECT_EQ(failure("[Monitor]\ntrain_E231.dat\n1\n2\nwide\n"),
              routeError(kMonitorErrorLabel, "wide"));
    EXPECT_EQ(failure("[TunnelR]\n\n"), routeError("[TunnelR]", ""));
    const std::string fourteen = "東町,0,1000,4000,1,2,3,108000,90,1,1,5,6,1";
    EXPECT_EQ(failure("[Station]\n" + fourteen + "\n#\n"), routeError("[Station]", fourteen));
    EXPECT_EQ(failure("[MovieSwitch]\n2,100,200\n#\n"), routeError("[MovieSwitch]", "2,100,200"));
    EXPECT_EQ(failure("[SpeedUnit]\n0,300,60\n#\n"), routeError("[SpeedUnit]", "0,300,60"));
    EXPECT_EQ(failure("[SpeedUnit]\n0,300,60,20000\n#\n"),
              routeError("[SpeedUnit]", "0,300,60,20000"));
    EXPECT_EQ(failure("[Slope]\n1e300,0,10\n#\n"), routeError("[Slope]", "1e300,0,10"));
    // A list of numbers fails at a blank entry.
    EXPECT_EQ(failure("[StopSound]\n1\n\n#\n"), routeError("[StopSound]", ""));
    // Each pass starts again from "その他".
    EXPECT_EQ(failure("[Station]\n#\n[StartPos]\n-\n"), routeError("その他", "-"));

    test::TempDir dir;
    try {
        loadRouteSpec(dir / "missing.dat", kVehicle);
        FAIL() << "a missing route file loaded";
    } catch (const DataError& error) {
        EXPECT_EQ(std::string(error.what()), routeError("その他", ""));
        EXPECT_NE(error.detail().find("missing.dat"), std::string::npos);
    }
    try {
        load(dir, "remark\n[StartPos]\n12 \n");
        FAIL() << "a value with a trailing blank loaded";
    } catch (const DataError& error) {
        EXPECT_NE(error.detail().find("line_rapid_down.dat:3"), std::string::npos)
            << error.detail();
    }
}

TEST(RouteLoader, ValueLinesAreReadBlind) {
    test::TempDir dir;
    // A value line is taken as it stands; the last one read is then tested
    // against the tags later in the order.
    RouteSpec r = load(dir, "[LineName]\n[StartPos]\n120\n");
    EXPECT_EQ(r.LineName, "[StartPos]");
    EXPECT_EQ(r.StartFrame, 120);
    r = load(dir, "[Staf]\na.bmp\n[DataName]\nmovie\n");
    EXPECT_EQ(r.OpeningImage, "[DataName]");
    EXPECT_EQ(r.StaffImage, "movie");
    EXPECT_EQ(r.DataName, "");
    // An earlier tag as a value line is only a value.
    r = load(dir, "[DataName]\n[LineName]\n線\n");
    EXPECT_EQ(r.DataName, "[LineName]");
    EXPECT_EQ(r.LineName, "");
    EXPECT_EQ(failure("[StartPos]\n[FrameRate]\n30\n"), routeError("その他", "[FrameRate]"));
    // A header with leading blanks matches nothing.
    r = load(dir, " [StartPos]\n50\n");
    EXPECT_EQ(r.StartFrame, 0);
    // The first StafSwitch line is an entry whatever it holds.
    EXPECT_EQ(failure("[StafSwitch]\n#\n#\n"), routeError("[StafSwitch]", "#"));
}

TEST(RouteLoader, MonitorLinesBelongToTheChosenVehicleOnly) {
    const std::string text = "[Monitor]\ntrain_E231.dat\n[LineName]\n20\n64\n32\nmon.bmp\n線名\n";
    test::TempDir dir;
    // Another vehicle: only the name line is consumed; the rest are ordinary lines.
    RouteSpec other = load(dir, text, "train_205.dat");
    EXPECT_FALSE(other.Monitor.present);
    EXPECT_EQ(other.LineName, "20");
    // The chosen vehicle: the five lines are the picture, "[LineName]" included.
    EXPECT_EQ(failure(text), routeError(kMonitorErrorLabel, "[LineName]"));
    RouteSpec mine = load(dir, "[Monitor]\ntrain_E231.dat\n5\n20\n64\n32\n\n");
    EXPECT_TRUE(mine.Monitor.present);
    EXPECT_EQ(mine.Monitor.y, 20);
    EXPECT_EQ(mine.Monitor.image, "");
    // The name compares as a whole.
    EXPECT_FALSE(load(dir, text, "train_E231.dat2").Monitor.present);
}

TEST(RouteLoader, CalloutSoundsTakeExactly22LinesThenAList) {
    std::string text = "[KankoSound1]\n";
    for (int i = 0; i < 22; ++i) {
        if (i == 3) {
            text += "#3\n";
        } else if (i != 5) {
            text += 'k';
            text += std::to_string(i) + ".wav\n";
        } else {
            text += '\n';
        }
    }
    text += "[StartPos]\n7\n[KankoSound2]\nsig0.wav\nsig1.wav,remark\n#\n";
    test::TempDir dir;
    const RouteSpec r = load(dir, text);
    EXPECT_EQ(r.CalloutSounds[0], "k0.wav");
    EXPECT_EQ(r.CalloutSounds[3], "#3");
    EXPECT_EQ(r.CalloutSounds[5], "");
    EXPECT_EQ(r.CalloutSounds[21], "k21.wav");
    EXPECT_EQ(r.StartFrame, 7);
    EXPECT_EQ(r.CalloutSound2Count, 2u);
    EXPECT_EQ(r.CalloutSounds[22], "sig0.wav");
    EXPECT_EQ(r.CalloutSounds[23], "sig1.wav");
    EXPECT_EQ(r.CalloutSounds[24], "");
    // 478 entries fill the table to index 499; one more is refused.
    const std::string full = "[KankoSound2]\n" + repeated("s.wav", 478);
    EXPECT_EQ(load(dir, full + "#\n").CalloutSounds[499], "s.wav");
    EXPECT_EQ(failure(full + "s479.wav\n#\n"), routeError("[KankoSound2]", "s479.wav"));
}

TEST(RouteLoader, OnlySoundZoneListsSkipRemarkLines) {
    test::TempDir dir;
    const RouteSpec r = load(dir,
                             "[Sound]\n;4,100,0,60,0,1,1,0\n5,200,0,60,0,1,1,0\n#\n"
                             "[Sound2]\n;old\n7,1,2\n#\n");
    ASSERT_EQ(r.SoundZones.size(), 1u);
    EXPECT_EQ(r.SoundZones[0].sound, 5);
    ASSERT_EQ(r.SoundZones2.size(), 1u);
    EXPECT_EQ(r.SoundZones2[0].sound, 7);
    EXPECT_EQ(failure("[Doppler]\n;6,400,5000,0,2\n#\n"),
              routeError("[Doppler]", ";6,400,5000,0,2"));
    // Remark lines do not count against the capacity.
    const std::string zone = "1,2,3,4,0,0,0,0";
    const std::string zones = "[Sound]\n;x\n" + repeated(zone, 501);
    EXPECT_EQ(load(dir, zones + ";y\n#\n").SoundZones.size(), 501u);
    EXPECT_EQ(failure(zones + zone + "\n#\n"), routeError("[Sound]", zone));
}

struct ListCase {
    const char* tag;
    const char* header;  // lines read before the entries
    const char* entry;
    std::size_t capacity;
    std::function<std::size_t(const RouteSpec&)> count;
};

TEST(RouteLoader, ListsAreRefusedBeyondTheirCapacity) {
    const ListCase cases[] = {
        {"[Station]", "", "駅,0,1,1,0,0,0,0,0,0,0,0,0,0,0", 100,
         [](const RouteSpec& r) { return r.Stations.size(); }},
        {"[StafSwitch]", "", "5", 10,
         [](const RouteSpec& r) { return r.StaffSwitchFrames.size(); }},
        {"[MovieStop]", "", "5", 101,
         [](const RouteSpec& r) { return std::size_t(r.MovieStopFrames[100] == 5 ? 101 : 0); }},
        {"[Speed_Signal]", "", "5", 11, [](const RouteSpec& r) { return r.SpeedSignal.size(); }},
        {"[Pre_Train]", "0,0\n", "1,2,3", 999,
         [](const RouteSpec& r) { return r.PreTrain.size(); }},
        {"[Announce]", "0\n", "1,0,0,100", 499,
         [](const RouteSpec& r) { return r.AnnouncementCount(); }},
        {"[Time]", "", "1,2,3", 100, [](const RouteSpec& r) { return r.TimeCallouts.size(); }},
        {"[Signal]", "", "0,0,0,1,0,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0", 501,
         [](const RouteSpec& r) { return r.Signals.size(); }},
        {"[Slope]", "", "1.5,0,10", 500, [](const RouteSpec& r) { return r.Slopes.size(); }},
        {"[Cross]", "", "1,0,2,3,0", 1000, [](const RouteSpec& r) { return r.Crossings.size(); }},
        {"[LimitKanko]", "", "l.wav", 1000,
         [](const RouteSpec& r) { return r.LimitCallouts.size(); }},
        {"[SoundData]", "", "a.wav", 501,
         [](const RouteSpec& r) { return r.AmbientSounds.size(); }},
        {"[CrossImageList]", "", "c.bmp", 1000,
         [](const RouteSpec& r) { return r.CrossImages.size(); }},
    };
    test::TempDir dir;
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.tag);
        const std::string full =
            std::string(c.tag) + "\n" + c.header + repeated(c.entry, c.capacity);
        EXPECT_EQ(c.count(load(dir, full + "#\n")), c.capacity);
        EXPECT_EQ(failure(full + c.entry + "\n#\n"), routeError(c.tag, c.entry));
    }
}

TEST(RouteLoader, ListsMustBeClosed) {
    EXPECT_EQ(failure("[Signal]\n0,0,0,1,0,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"),
              routeError("[Signal]", "0,0,0,1,0,5,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"));
    EXPECT_EQ(failure("[SpeedUnit]\n0,300,60,60\n300,600,30,30\n"),
              routeError("[SpeedUnit]", "300,600,30,30"));
    EXPECT_EQ(failure("[OtherKanko]\na.wav\n"), routeError("[OtherKanko]", "a.wav"));
    EXPECT_EQ(failure("[Sound]\n;only a remark\n"), routeError("[Sound]", ";only a remark"));
    EXPECT_EQ(failure("[StafSwitch]\n5\n"), routeError("[StafSwitch]", "5"));
    // Closed by a "#" line that carries a remark.
    EXPECT_EQ(failure("[CrossImageList]\nc.bmp\n# end of list\n"), "");
}

TEST(RouteLoader, RepeatedSectionsStartAgain) {
    test::TempDir dir;
    const RouteSpec r = load(dir,
                             "[Station]\n"
                             "東町,0,1,1,0,0,0,0,0,0,0,0,0,0,0\n"
                             "西町,0,2,1,0,0,0,0,0,0,0,0,0,0,0\n#\n"
                             "[StartPos]\n1\n"
                             "[Station]\n北町,2,3,1,0,0,0,0,0,0,0,0,0,0,0\n#\n"
                             "[MovieStop]\n10\n20\n#\n[MovieStop]\n30\n#\n"
                             "[KankoSound2]\na.wav\nb.wav\n#\n[KankoSound2]\nc.wav\n#\n"
                             "[StartPos]\n2\n");
    ASSERT_EQ(r.Stations.size(), 1u);
    EXPECT_EQ(r.Stations[0].name, "北町");
    EXPECT_EQ(r.MovieStopFrames[0], 30);
    EXPECT_EQ(r.MovieStopFrames[1], 0);
    EXPECT_EQ(r.CalloutSound2Count, 1u);
    EXPECT_EQ(r.CalloutSounds[22], "c.wav");
    EXPECT_EQ(r.CalloutSounds[23], "");
    EXPECT_EQ(r.StartFrame, 2);
    // Nothing of an earlier load reaches the next one.
    const RouteSpec fresh = load(dir, "[StartPos]\n3\n");
    EXPECT_TRUE(fresh.Stations.empty());
    EXPECT_EQ(fresh.MovieStopFrames[0], 0);
    EXPECT_EQ(fresh.AnnouncementCount(), 0u);
}

TEST(RouteLoader, ZeroLengthSpeedSegments) {
    test::TempDir dir;
    const RouteSpec r = load(dir, "[SpeedUnit]\n0,100,36,36\n100,100,40,80\n100,160,0,0\n#\n");
    ASSERT_EQ(r.SpeedUnits.size(), 3u);
    EXPECT_EQ(r.SpeedUnits[1].EndDistance, 3333);
    EXPECT_EQ(r.SpeedUnits[2].EndDistance, 3333);
    EXPECT_EQ(frame_to_position(r.SpeedUnits, 100), 3333);
    EXPECT_EQ(frame_to_position(r.SpeedUnits, 130), 3333);
}

TEST(RouteLoader, SignAndSignalImageLines) {
    const std::string signs =
        "[SignImageList]\nstop.bmp,40\ns.bmp,8\nm.bmp,8\ne.bmp,8\nslope.bmp,32\nlimit.bmp,32\n"
        "remain.bmp,16\n";
    test::TempDir dir;
    // Seven lines: the next line of the file is the eighth image line.
    RouteSpec r = load(dir, signs + "[StartPos],24\n[StartPos]\n5\n");
    ASSERT_TRUE(r.SignImages.has_value());
    EXPECT_EQ((*r.SignImages)[0].size, 40);
    EXPECT_EQ((*r.SignImages)[4].file, "slope.bmp");
    EXPECT_EQ((*r.SignImages)[7].file, "[StartPos]");
    EXPECT_EQ((*r.SignImages)[7].size, 24);
    EXPECT_EQ(r.StartFrame, 5);
    // A line that cannot be taken apart fails with its picture's own message.
    EXPECT_EQ(failure(signs + "other.bmp\n"), "その他標識の生成エラー");
    EXPECT_EQ(failure("[SignImageList]\nstop.bmp,40\ns.bmp,x\n"), "停止線Sの生成エラー");

    const std::string signal = "[SignalImageList]\n3,4,32,64,signal.bmp\n16,16,s0.bmp\n";
    r = load(dir, signal + "16,16,s1.bmp\n20,20,s2.bmp\n");
    ASSERT_TRUE(r.SignalImages.has_value());
    EXPECT_EQ(r.SignalImages->displayValues[1], 4);
    EXPECT_EQ(r.SignalImages->lines[0].patternHeight, 64);
    EXPECT_EQ(r.SignalImages->lines[0].file, "signal.bmp");
    EXPECT_EQ(r.SignalImages->lines[3].patternWidth, 20);
    EXPECT_EQ(r.SignalImages->lines[3].file, "s2.bmp");
    EXPECT_EQ(failure("[SignalImageList]\n3,4,32,64\n"), "信号機の生成エラー");
    EXPECT_EQ(failure(signal + "16,16\n20,20,s2.bmp\n"), "サブ信号機1の生成エラー");
}

// A long route: 100 stations, 500 signals and 30000 speed segments of 10
// frames each. Also the input of the loading time measurement.
std::string largeRoute() {
    std::string text = "[LineName]\n長い路線\n[Station]\n";
    for (int i = 0; i < 100; ++i) {
        text += "駅" + std::to_string(i) + ",0," + std::to_string(i * 3000) +
                ",4000,1,2,0,108000,100,1,0,0,0,0,0\n";
    }
    text += "#\n[Signal]\n";
    for (int i = 0; i < 500; ++i) {
        text += "0,0,0,1," + std::to_string(i * 600) + "," + std::to_string(i * 600 + 300) +
                ",0,0,0,0,0,10,10,0,20,20,0,30,30,40,40,0\n";
    }
    text += "#\n[SpeedUnit]\n";
    for (int i = 0; i < 30000; ++i) {
        text += std::to_string(i * 10) + "," + std::to_string(i * 10 + 10) + ",54,54\n";
    }
    return text + "#\n";
}

TEST(RouteLoader, LoadsALongRoute) {
    test::TempDir dir;
    const RouteSpec r = load(dir, largeRoute());
    EXPECT_EQ(r.Stations.size(), 100u);
    EXPECT_EQ(r.Stations[99].videoFrame, 297000);
    EXPECT_EQ(r.Signals.size(), 500u);
    EXPECT_EQ(r.Signals[499].signalFrame, 299700);
    ASSERT_EQ(r.SpeedUnits.size(), 30000u);
    // 54 km/h is 15 m/s: each 10-frame segment is exactly 500 cm.
    EXPECT_EQ(r.SpeedUnits.back().EndDistance, 15000000);
    EXPECT_EQ(frame_to_position(r.SpeedUnits, 297000), 14850000);
}

}  // namespace
}  // namespace tovra
