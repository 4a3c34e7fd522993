#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>
#include <sstream>

#include "common/DataPath.h"
#include "common/TextCodec.h"
#include "common/TextFields.h"
#include "common/WaveHeader.h"
#include "data/ControllerFiles.h"
#include "data/ProgramSettings.h"
#include "data/RouteLoader.h"
#include "data/RouteSetup.h"
#include "data/VehicleLoader.h"
#include "demo-gen/Alignment.h"
#include "demo-gen/CabCamera.h"
#include "demo-gen/DataText.h"
#include "demo-gen/DemoSet.h"
#include "demo-gen/DriveSounds.h"
#include "demo-gen/JobPool.h"
#include "demo-gen/LinePlan.h"
#include "demo-gen/PanelLayout.h"
#include "demo-gen/PatternStrip.h"
#include "demo-gen/Renderer.h"
#include "demo-gen/RouteSounds.h"
#include "demo-gen/SpeedProfile.h"
#include "demo-gen/VehicleDesign.h"
#include "demo-gen/VehicleSounds.h"
#include "headless/FakeVideoSource.h"
#include "headless/HeaderPictureDecoder.h"
#include "support/TempDir.h"

namespace tovra::demo {
namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DemoSpeedProfile, LegsStopExactlyAndKeepTheirLimits) {
    const FilmStyle style;
    const std::vector<Leg> legs{{1150, 95, {}}, {800, 95, {{300, 500, 45}}}, {25, 8, {}}};
    const PlannedRun run = planRun(legs, style);
    ASSERT_EQ(run.legEndFrames.size(), legs.size());
    std::vector<SpeedUnit> units = run.units;
    computeEndDistances(units);
    EXPECT_EQ(units.front().FirstFrame, 0);
    for (std::size_t i = 0; i + 1 < units.size(); ++i)
        EXPECT_EQ(units[i].LastFrame, units[i + 1].FirstFrame);
    double start = 0;
    for (std::size_t leg = 0; leg < legs.size(); ++leg) {
        // The film stands at the end of each leg, having run its length to the centimetre.
        const int end = run.legEndFrames[leg];
        const auto atEnd = frame_to_position(units, end);
        ASSERT_TRUE(atEnd.has_value());
        start += legs[leg].length;
        EXPECT_NEAR(double(*atEnd), start * 100, 2.0) << "leg " << leg;
        for (const SpeedUnit& u : units) {
            if (u.LastFrame == end) {
                EXPECT_EQ(u.LastSpeed, 0);
            }
        }
    }
    for (const SpeedUnit& u : units) {
        EXPECT_LE(std::max(u.FirstSpeed, u.LastSpeed), 95.5L);
        EXPECT_GE(std::min(u.FirstSpeed, u.LastSpeed), 0.0L);
        // No faster change of speed than the filming driver's strongest rate.
        const double seconds = double(u.LastFrame - u.FirstFrame) / 30.0;
        EXPECT_LE(std::abs(double(u.LastSpeed - u.FirstSpeed)) / seconds, 3.0 * 1.15);
    }
    // Through the 45 km/h zone of the second leg the film is not faster.
    const SpeedProfile profile(run.units);
    const double legStart = 1150 * 100;
    for (int f = run.legEndFrames[0]; f < run.legEndFrames[1]; ++f) {
        const double p = double(profile.position(f)) - legStart;
        if (p > 300 * 100 + 100 && p < 500 * 100 - 100) {
            EXPECT_LE(profile.speed(f), 45.2) << "frame " << f;
        }
    }
}

TEST(DemoSpeedProfile, WrittenSpeedsAreTheSpeedsUsed) {
    // The profile keeps the speeds as they read back from four decimals, so the
    // positions the renderer uses are the simulator's.
    SpeedUnit u;
    u.FirstFrame = 0, u.LastFrame = 300, u.FirstSpeed = 12.345678L, u.LastSpeed = 50.00004L;
    const SpeedProfile p({u});
    EXPECT_EQ(p.units()[0].FirstSpeed, parseDecimal("12.3457"));
    EXPECT_EQ(p.units()[0].LastSpeed, parseDecimal("50.0000"));
}

TEST(DemoLinePlan, StationsStandWhereTheFilmStops) {
    const LinePlan& plan = linePlan();
    for (const RunPlan* run : {&plan.down, &plan.up}) {
        ASSERT_EQ(run->stopFrames.size(), plan.world.stations.size());
        for (std::size_t i = 0; i < run->stopFrames.size(); ++i) {
            const StationSite& st = plan.world.stations[std::size_t(run->stationOrder[i])];
            const double stop = run->dir == Direction::Down ? st.downStop : st.upStop;
            EXPECT_NEAR(run->chainage(run->stopFrames[i]), stop, 0.02)
                << run->videoName << " station " << i;
            EXPECT_EQ(run->profile.speed(run->stopFrames[i]), 0.0)
                << run->videoName << " station " << i;
        }
        // The line ends a little beyond the last stop, inside the video.
        EXPECT_GT(run->endStopFrame, run->stopFrames.back());
        EXPECT_LT(run->endStopFrame, run->frameCount);
        EXPECT_EQ(run->frameCount, run->profile.lastFrame() + 1);
    }
    for (const ServicePlan& s : plan.services) {
        for (std::size_t i = 1; i < s.kinds.size(); ++i) {
            if (s.kinds[i] == 1) continue;
            EXPECT_GT(s.arrivals[i], s.departures[i - 1]) << s.routeFile << " " << i;
            EXPECT_GE(s.departures[i], s.arrivals[i]) << s.routeFile << " " << i;
        }
    }
}

TEST(DemoTrackPath, PointsLeadSmoothlyFromOneTrackToAnother) {
    const TrackPath loop({{100, -1.9}, {160, -5.9}, {400, -5.9}, {460, -1.9}});
    EXPECT_EQ(loop.lateral(50), -1.9);
    EXPECT_NEAR(loop.lateral(130), -3.9, 1e-12);
    EXPECT_NEAR(loop.lateral(300), -5.9, 1e-12);
    EXPECT_EQ(loop.lateral(900), -1.9);
    // No kink where the curve meets the straight, and the slope carries the
    // track across: summing it over the S-curve gives its offset.
    EXPECT_NEAR(loop.slope(100), 0, 1e-12);
    EXPECT_NEAR(loop.slope(160), 0, 1e-12);
    EXPECT_LT(loop.slope(130), 0);
    double sum = 0;
    for (double c = 100; c < 160; c += 0.01) sum += loop.slope(c + 0.005) * 0.01;
    EXPECT_NEAR(sum, -4.0, 1e-4);
}

TEST(DemoAlignment, CurvesTurnAndGradesClimb) {
    const Alignment a({{100, 400, 500, 40}}, {{1000, 1500, 10}}, 0, 2000);
    // The full curvature acts over the curve less one transition length.
    EXPECT_NEAR(a.angle(450) - a.angle(50), (300.0 - 40) / 500, 1e-3);
    EXPECT_NEAR(a.curvature(250), 1 / 500.0, 1e-12);
    EXPECT_NEAR(a.grade(1250), 10, 1e-9);
    EXPECT_NEAR(a.elevation(1800) - a.elevation(900), 5.0, 0.01);
    // Drift is the integral of the heading: straight after the curve it grows
    // by the heading per metre.
    EXPECT_NEAR(a.drift(1900) - a.drift(1800), a.angle(1850) * 100, 1e-6);
}

TEST(DemoFiles, PicturesSoundsAndTextReadBackAsWritten) {
    test::TempDir dir;
    Canvas c(5, 3);
    c.at(1, 0) = rgb(10, 200, 30);
    c.at(4, 2) = rgb(250, 250, 250);
    writeKeyedBmp(dir / "keyed.bmp", c, rgb(0, 0, 0));
    HeaderPictureDecoder decoder;
    const auto image = decoder.decode(dir / "keyed.bmp");
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 5);
    EXPECT_EQ(image->height, 3);
    EXPECT_EQ(image->at(1, 0) & 0xFFFFFFu, 0x0AC81Eu);
    EXPECT_EQ(image->at(4, 2) & 0xFFFFFFu, 0xFAFAFAu);
    // Untouched pixels, and the bottom-left one that names it, are the key.
    EXPECT_EQ(image->bottomLeft() & 0xFFFFFFu, 0xFF00FFu);
    EXPECT_EQ(image->at(2, 1) & 0xFFFFFFu, 0xFF00FFu);

    Samples tone(std::size_t(1.5 * kSampleRate));
    for (std::size_t i = 0; i < tone.size(); ++i) tone[i] = float(std::sin(double(i) * 0.05) * 0.5);
    writeWave(dir / "tone.wav", tone);
    EXPECT_EQ(waveSeconds(dir / "tone.wav"), 1);
    const Samples back = readWave(dir / "tone.wav");
    ASSERT_EQ(back.size(), tone.size());
    for (std::size_t i = 0; i < tone.size(); i += 997) EXPECT_NEAR(back[i], tone[i], 1.0 / 16000);

    EXPECT_EQ(decimal(-0.00004, 4), "0.0000");
    EXPECT_EQ(decimal(12.34567, 4), "12.3457");
    EXPECT_EQ(csv("", 5, "a"), ",5,a");
    DataText text;
    text.line("[LineName]").line("桜ヶ丘");
    text.save(dir / "text.dat");
    EXPECT_EQ(bytesOf(dir / "text.dat"), utf8ToCp932("[LineName]\r\n桜ヶ丘\r\n"));
}

TEST(DemoFiles, PatternsStandInAColumn) {
    const Canvas strip =
        patternStrip(3, 4, 2, [](Canvas& c, int n) { c.at(n, 0) = rgb(255, 255, 255); });
    EXPECT_EQ(strip.width(), 4);
    EXPECT_EQ(strip.height(), 6);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(strip.at(n, 2 * n).a, 1.0f) << n;
        EXPECT_EQ(strip.at(n, 2 * n + 1).a, 0.0f) << n;
    }
}

TEST(DemoJobPool, RunsEveryJobAndPassesOnAFailure) {
    JobPool pool;
    std::atomic<int> ran{0};
    for (int k = 0; k < 20; ++k) pool.add("job", [&] { ++ran; });
    std::atomic<int> done{0};
    pool.run(3, [&](const std::string&) { ++done; });
    EXPECT_EQ(ran, 20);
    EXPECT_EQ(done, 20);
    pool.add("fails", [] { throw std::runtime_error("no disk"); });
    pool.add("later", [&] { ++ran; });
    EXPECT_THROW(pool.run(1, [](const std::string&) {}), std::runtime_error);
    EXPECT_EQ(ran, 20);  // nothing starts after a failure
}

// One quick set for all the tests below: every file, tiny videos.
class DemoSet : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = new test::TempDir();
        std::ostringstream log;
        DemoOptions options{.quick = true};
        options.progress = [](double share) {
            std::lock_guard lock(progressLock_);
            shares_.push_back(share);
        };
        ASSERT_TRUE(writeDemoSet(folder_->path(), options, log)) << log.str();
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }
    static const fs::path& root() { return folder_->path(); }
    static fs::path file(const std::string& dataPath, const std::string& folder = "") {
        return resolveDataPath(root() / folder, dataPath);
    }
    static RouteSpec route(const ServicePlan& s) {
        return loadRouteSpec(root() / s.routeFile, "train_E231.dat");
    }

    static test::TempDir* folder_;
    static std::mutex progressLock_;
    static std::vector<double> shares_;  // the progress reported while writing the set
};

test::TempDir* DemoSet::folder_ = nullptr;
std::mutex DemoSet::progressLock_;
std::vector<double> DemoSet::shares_;

TEST_F(DemoSet, RouteSpeedSegmentsAreThePlanned) {
    const LinePlan& plan = linePlan();
    for (const ServicePlan& s : plan.services) {
        RouteSpec r = route(s);
        const RunPlan& run = plan.run(s.dir);
        const auto& planned = run.profile.units();
        ASSERT_EQ(r.SpeedUnits.size(), planned.size()) << s.routeFile;
        for (std::size_t i = 0; i < planned.size(); ++i) {
            EXPECT_EQ(r.SpeedUnits[i].FirstFrame, planned[i].FirstFrame);
            EXPECT_EQ(r.SpeedUnits[i].LastFrame, planned[i].LastFrame);
            EXPECT_EQ(r.SpeedUnits[i].FirstSpeed, planned[i].FirstSpeed)
                << s.routeFile << " row " << i;
            EXPECT_EQ(r.SpeedUnits[i].LastSpeed, planned[i].LastSpeed)
                << s.routeFile << " row " << i;
            EXPECT_EQ(r.SpeedUnits[i].EndDistance, planned[i].EndDistance);
        }
        // The simulator puts each station where the renderer filmed its stop.
        setUpRoute(r);
        ASSERT_EQ(r.Stations.size(), run.stopFrames.size());
        for (std::size_t i = 0; i < r.Stations.size(); ++i) {
            EXPECT_EQ(r.Stations[i].videoFrame, run.stopFrames[i]);
            EXPECT_NEAR(double(r.Stations[i].stopPosition),
                        double(run.profile.position(run.stopFrames[i])), 0.5);
            EXPECT_NEAR(run.chainage(r.Stations[i].videoFrame),
                        run.origin + run.sign * double(r.Stations[i].stopPosition) / 100, 0.01);
        }
    }
}

TEST_F(DemoSet, VideosHaveTheFramesTheRoutesExpect) {
    const ProgramSettings settings = loadProgramSettings(root() / "velmoran.dat");
    for (const ServicePlan& s : linePlan().services) {
        const RouteSpec r = route(s);
        FakeVideoSource video;
        ASSERT_TRUE(video.open(file(settings.VideoDir + r.DataName + ".avi"))) << r.DataName;
        EXPECT_EQ(video.frameCount(), r.SpeedUnits.back().LastFrame + 1) << r.DataName;
        EXPECT_LT(r.MovieStopFrames[0], video.frameCount());
        for (const StationRecord& st : r.Stations) EXPECT_LT(st.videoFrame, video.frameCount());
        for (const MovieSwitch& m : r.MovieSwitches) {
            FakeVideoSource sub;
            ASSERT_TRUE(sub.open(file(settings.VideoDir + m.File + ".avi"))) << m.File;
            if (m.Mode == 2) {
                EXPECT_EQ(sub.frameCount(), m.Length) << m.File;
            } else {
                // Driving resumes at Target; the sub-video must last until the
                // main frame gets there, and the switch back waits up to 60 frames.
                EXPECT_GT(m.Target, m.LastFrame);
                EXPECT_GE(m.FirstFrame + sub.frameCount(), m.Target) << m.File;
                EXPECT_GE(sub.frameCount(), m.Length + 60) << m.File;
                EXPECT_LT(m.Target, video.frameCount());
            }
        }
    }
}

TEST_F(DemoSet, EveryNamedFileExists) {
    const auto exists = [&](const fs::path& folder, const std::string& name) {
        EXPECT_TRUE(fs::is_regular_file(resolveDataPath(folder, name))) << folder / name;
    };
    for (const VehicleDesign& v : vehicleDesigns()) {
        const fs::path folder =
            file(v.folder.empty() ? "." : v.folder.substr(0, v.folder.size() - 1));
        const VehicleSpec loaded = loadVehicleSpec(folder / v.fileName);
        for (const PlacedImage* i :
             {&loaded.Panel,      &loaded.Panel2,    &loaded.Lamp_Door, &loaded.Lamp_Power,
              &loaded.Lamp_EB,    &loaded.Lamp_Gen,  &loaded.Lamp_Air,  &loaded.Lamp_Fin,
              &loaded.Lamp_Ele,   &loaded.Lamp_Ats1, &loaded.Lamp_Ats2, &loaded.Lamp_ATSP1,
              &loaded.Lamp_ATSP2, &loaded.Lamp_G,    &loaded.Lamp_YG,   &loaded.Lamp_Y,
              &loaded.Lamp_YY,    &loaded.Lamp_R,    &loaded.Lamp_Fwd,  &loaded.Lamp_Back,
              &loaded.Lamp_Const, &loaded.Lamp_Stop})
            exists(folder, i->File);
        for (const RoundNeedle* n :
             {&loaded.Needle_Speed, &loaded.Needle_BC, &loaded.Needle_SAP, &loaded.Needle_ER,
              &loaded.Needle_BP, &loaded.Needle_MR, &loaded.Needle_V, &loaded.Needle_I})
            exists(folder, n->File);
        exists(folder, loaded.Needle_BC_L.File);
        exists(folder, loaded.Needle_MR_L.File);
        for (const PatternImage* p :
             {&loaded.Lamp_signal, &loaded.NotchImageP, &loaded.NotchImageB, &loaded.NotchImageP2,
              &loaded.NotchImageB2, &loaded.GearImageList, &loaded.GearImageList2,
              &loaded.Digi_Speed})
            exists(folder, p->File);
        for (const PlacedImage& o : loaded.Others) exists(folder, o.File);
        EXPECT_EQ(loaded.DriveSound.size(), 48u);
        for (const std::string& s : loaded.DriveSound) exists(folder, s);
        for (const auto& e : loaded.EngineSound1) exists(folder, e.File);
        for (const auto& e : loaded.EngineSound3) exists(folder, e.File);
    }
    for (const ServicePlan& s : linePlan().services) {
        const RouteSpec r = route(s);
        for (const std::string* name : {&r.OpeningImage, &r.StaffImage}) exists(root(), *name);
        for (const std::string& name : r.AmbientSounds) exists(root(), name);
        for (const std::string& name : r.CalloutSounds) {
            if (!name.empty()) exists(root(), name);
        }
        for (const auto* list : {&r.OtherCallouts, &r.LimitCallouts, &r.AnimImages, &r.CrossImages})
            for (const std::string& name : *list) exists(root(), name);
        ASSERT_TRUE(r.SignImages.has_value());
        for (const auto& line : *r.SignImages) exists(root(), line.file);
        ASSERT_TRUE(r.SignalImages.has_value());
        for (const auto& line : r.SignalImages->lines) exists(root(), line.file);
    }
    for (const char* name :
         {"image\\title\\title01.jpg", "image\\title\\title02.jpg", "image\\title\\title03.jpg",
          "image\\title\\title04.jpg", "image\\title\\title2.jpg", "image\\title\\line01.bmp",
          "image\\title\\line02.bmp", "image\\title\\line03.bmp", "image\\title\\train1.bmp",
          "sound\\25829.wav", "sound\\start.wav", "readme.html", "operation.dat", "mascon.dat"})
        exists(root(), name);
}

TEST_F(DemoSet, RouteReferencesPointIntoTheirTables) {
    for (const ServicePlan& s : linePlan().services) {
        RouteSpec r = route(s);
        const auto sounds = int(r.AmbientSounds.size());
        for (const StationRecord& st : r.Stations) {
            EXPECT_LT(st.arrivalSound, sounds);
            EXPECT_LT(st.departureSound, sounds);
            EXPECT_LT(st.zoneSound, sounds);
        }
        for (const Announcement& a : r.Announcements) EXPECT_LT(a.Sound, sounds);
        for (const MovieSwitch& m : r.MovieSwitches) EXPECT_LT(m.Sound, sounds);
        for (const SoundZone& z : r.SoundZones) EXPECT_LT(z.sound, sounds);
        for (const StationCallout& c : r.StationCallouts) {
            EXPECT_LT(std::size_t(c.Station), r.Stations.size());
            if (c.Callout < 999) {
                EXPECT_FALSE(r.CalloutSounds[std::size_t(c.Callout)].empty()) << c.Callout;
            }
        }
        for (const SignalCallout& c : r.SignalCallouts) {
            EXPECT_LT(std::size_t(c.signal), r.Signals.size());
            if (c.callout < 999) {
                EXPECT_FALSE(r.CalloutSounds[std::size_t(c.callout)].empty());
            }
        }
        // Every signal has its name call-out at its own index.
        EXPECT_GE(r.CalloutSound2Count, r.Signals.size());
        for (const SignalRecord& sig : r.Signals) {
            EXPECT_LT(sig.viewFrame, sig.signalFrame);
            EXPECT_LE(sig.nearBeaconFrame, sig.signalFrame);
            EXPECT_GT(sig.farBeaconFrame, 15);  // not triggered while standing at the start
        }
        for (std::size_t i = 1; i < r.Signals.size(); ++i)
            EXPECT_GT(r.Signals[i].signalFrame, r.Signals[i - 1].signalFrame);
        const PatternPoints points = setUpRoute(r);
        EXPECT_FALSE(points.empty());
        EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                                   [](auto& a, auto& b) { return a.position < b.position; }));
        // Kinds 0 to 3 all appear over the three routes; the rapid passes one.
        if (s.oneMan) {
            std::set<int> kinds;
            for (const StationRecord& st : r.Stations) kinds.insert(st.kind);
            EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3}));
        }
    }
}

TEST_F(DemoSet, DataFilesAreCodePage932WithCrLf) {
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root())) {
        if (entry.path().extension() != ".dat") continue;
        ++files;
        const std::string bytes = bytesOf(entry.path());
        EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF") << entry.path();
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << entry.path() << " at " << i;
            }
        }
        const std::string text = cp932ToUtf8(bytes);
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << entry.path();
        EXPECT_EQ(utf8ToCp932(text), bytes) << entry.path();
        EXPECT_EQ(text.find('?'), std::string::npos)
            << entry.path();  // nothing lost on the way to CP932
    }
    EXPECT_EQ(files, 9);  // settings, controller, help, three vehicles, three routes
    const ProgramSettings settings = loadProgramSettings(root() / "velmoran.dat");
    EXPECT_EQ(settings.Forward, "前進");
    EXPECT_EQ(settings.StopText, " 停車");
    EXPECT_EQ(loadRouteSpec(root() / "line_rapid_down.dat", "").Stations[2].name, "桜ヶ丘");
}

TEST_F(DemoSet, SettingsFitTheCabSurface) {
    const ProgramSettings s = loadProgramSettings(root() / "velmoran.dat");
    EXPECT_EQ(s.TickRate, 30);
    EXPECT_GE(s.VideoWidth, 800);
    EXPECT_GE(s.VideoHeight, 450);
    EXPECT_EQ(s.VideoHeight + s.FadeExtraHeight, 760);
    EXPECT_EQ(s.InfoLabels.size(), 22u);
    EXPECT_EQ(loadMasconTable(root() / "mascon.dat").entries.size(), 23u);
    const std::string help = cp932ToUtf8(bytesOf(root() / "operation.dat"));
    for (const char* key :
         {"Z ", "Q ", "Backspace", "Scroll Lock", "Page Up", "Enter", "F2", "F12"})
        EXPECT_NE(help.find(key), std::string::npos) << key;
}

TEST_F(DemoSet, EveryVehicleLoadsWithEveryRoute) {
    for (const VehicleDesign& v : vehicleDesigns()) {
        const fs::path folder =
            v.folder.empty() ? root() : file(v.folder.substr(0, v.folder.size() - 1));
        const VehicleSpec loaded = loadVehicleSpec(folder / v.fileName);
        EXPECT_EQ(loaded.Cars, v.cars);
        EXPECT_EQ(loaded.ATS_Type, v.atsType);
        EXPECT_TRUE(loaded.HasSound_Horn4);
        EXPECT_EQ(loaded.Lamp_signalSpeeds.size(), 6u);
        for (const ServicePlan& s : linePlan().services)
            EXPECT_NO_THROW(loadRouteSpec(root() / s.routeFile, v.fileName));
    }
    const VehicleSpec modern = loadVehicleSpec(root() / "train_E231.dat");
    EXPECT_EQ(modern.Notch.size(), 8u);
    EXPECT_EQ(modern.ModeStart, std::vector<std::int32_t>({5}));
    EXPECT_EQ(modern.PowerModeName.size(), 2u);
    const VehicleSpec old = loadVehicleSpec(file("train_oldemu") / "train_oldemu.dat");
    EXPECT_EQ(old.Brake, 4);
    EXPECT_EQ(old.Hold, 1);
    EXPECT_GT(old.CurrentP.size(), 10u);
    const VehicleSpec diesel = loadVehicleSpec(file("train_dmu") / "train_dmu.dat");
    EXPECT_EQ(diesel.Engine_Type, 0);
    EXPECT_EQ(diesel.Engine.size(), 4u);
}

TEST_F(DemoSet, SoundsAreCanonicalWaves) {
    int waves = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root())) {
        if (entry.path().extension() != ".wav") continue;
        ++waves;
        const std::string head = bytesOf(entry.path()).substr(0, 44);
        ASSERT_EQ(head.size(), 44u) << entry.path();
        EXPECT_EQ(head.substr(0, 4), "RIFF");
        EXPECT_EQ(head.substr(36, 4), "data") << entry.path();
        const auto u32 = [&](std::size_t at) {
            return std::uint32_t(static_cast<unsigned char>(head[at])) |
                   std::uint32_t(static_cast<unsigned char>(head[at + 1])) << 8 |
                   std::uint32_t(static_cast<unsigned char>(head[at + 2])) << 16 |
                   std::uint32_t(static_cast<unsigned char>(head[at + 3])) << 24;
        };
        EXPECT_EQ(u32(24), 22050u);
        EXPECT_EQ(u32(28), 44100u);  // byte rate: mono, 16 bits
        EXPECT_EQ(u32(40) + 44, entry.file_size()) << entry.path();
    }
    EXPECT_GT(waves, 3 * 48);  // at least every vehicle's drive sounds
}

TEST_F(DemoSet, PanelPicturesFitTheirVehicleFiles) {
    HeaderPictureDecoder decoder;
    for (const VehicleDesign& v : vehicleDesigns()) {
        const fs::path folder =
            v.folder.empty() ? root() : file(v.folder.substr(0, v.folder.size() - 1));
        const VehicleSpec loaded = loadVehicleSpec(folder / v.fileName);
        const auto picture = [&](const std::string& name) {
            auto image = decoder.decode(resolveDataPath(folder, name));
            EXPECT_TRUE(image) << name;
            return image ? *image : Image{};
        };
        // Needles turn about their picture's centre, which is the dial's.
        for (const RoundNeedle* n :
             {&loaded.Needle_Speed, &loaded.Needle_BC, &loaded.Needle_SAP, &loaded.Needle_ER,
              &loaded.Needle_BP, &loaded.Needle_MR, &loaded.Needle_V, &loaded.Needle_I}) {
            const Image needle = picture(n->File);
            EXPECT_EQ(needle.width, needle.height) << n->File;
            EXPECT_EQ(n->X + needle.width / 2, n->Spare[0]) << n->File;
            EXPECT_EQ(n->Y + needle.height / 2, n->Spare[1]) << n->File;
        }
        // Pattern pictures hold every pattern the program may show.
        const PanelLayout layout = panelLayout(v);
        const struct {
            const PatternImage* image;
            int count;
        } patterns[] = {
            {&loaded.Digi_Speed, 200},
            {&loaded.NotchImageP, loaded.Power + 1},
            {&loaded.NotchImageB, loaded.Brake + 1 + loaded.Hold},
            {&loaded.NotchImageB2, loaded.Brake + 3 + loaded.Hold},
            {&loaded.GearImageList, int(std::max<std::size_t>(loaded.Engine.size(), 1))},
            {&loaded.Lamp_signal, int(loaded.Lamp_signalSpeeds.size())}};
        for (const auto& p : patterns) {
            const Image strip = picture(p.image->File);
            EXPECT_EQ(strip.width, p.image->PatternWidth) << p.image->File;
            EXPECT_GE(strip.height / p.image->PatternHeight, p.count) << p.image->File;
        }
        // Whatever lies below the second panel shows through a window in it.
        const Image panel2 = picture(loaded.Panel2.File);
        EXPECT_EQ(panel2.width, 800);
        EXPECT_EQ(loaded.Panel2.Y + panel2.height, 760);
        const std::uint32_t key = panel2.bottomLeft();
        const auto shows = [&](int x, int y) {
            return panel2.at(x - loaded.Panel2.X, y - loaded.Panel2.Y) == key;
        };
        for (const auto& lamp : layout.lamps)
            EXPECT_EQ(shows(lamp.rect.x + lamp.rect.w / 2, lamp.rect.y + lamp.rect.h / 2),
                      lamp.underPanel2)
                << lamp.key;
        for (const PatternImage* p :
             {&loaded.Digi_Speed, &loaded.NotchImageP, &loaded.NotchImageB, &loaded.NotchImageP2,
              &loaded.NotchImageB2, &loaded.GearImageList, &loaded.GearImageList2,
              &loaded.Lamp_signal})
            EXPECT_TRUE(shows(p->X + p->PatternWidth / 2, p->Y + p->PatternHeight / 2)) << p->File;
        for (const LinearGauge* g : {&loaded.Needle_BC_L, &loaded.Needle_MR_L})
            EXPECT_TRUE(shows(g->X + 2, g->BaseY - 2)) << g->File;
        EXPECT_FALSE(shows(loaded.Needle_Speed.Spare[0] + 60,
                           loaded.Needle_Speed.Spare[1]));  // the dial itself
        // Nothing of the panel lies over another part of it.
        std::vector<std::pair<std::string, Rect>> parts;
        for (const auto& l : layout.lamps) parts.push_back({l.key, l.rect});
        for (const PatternPart* p :
             {&layout.digiSpeed, &layout.notchP, &layout.notchB, &layout.notchP2, &layout.notchB2,
              &layout.gear, &layout.gearLever, &layout.cabSignal})
            parts.push_back({p->file, p->rect});
        parts.push_back({"bc bar", layout.bcBar.window});
        parts.push_back({"mr bar", layout.mrBar.window});
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const Rect& a = parts[i].second;
            EXPECT_TRUE(a.x >= 0 && a.x + a.w <= 800 && a.y >= kPanelTop && a.y + a.h <= 760)
                << parts[i].first;
            for (std::size_t j = i + 1; j < parts.size(); ++j) {
                const Rect& b = parts[j].second;
                EXPECT_TRUE(a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y ||
                            b.y + b.h <= a.y)
                    << parts[i].first << " and " << parts[j].first;
            }
        }
    }
}

TEST_F(DemoSet, RoutePicturesHoldEveryPatternTheRouteShows) {
    HeaderPictureDecoder decoder;
    for (const ServicePlan& s : linePlan().services) {
        const RouteSpec r = route(s);
        const auto patterns = [&](const std::string& name, int height) {
            const auto image = decoder.decode(file(name));
            EXPECT_TRUE(image) << name;
            return image ? image->height / height : 0;
        };
        const auto& signs = *r.SignImages;
        EXPECT_EQ(patterns(signs[4].file, signs[4].size),
                  int(r.Slopes.size()) + 1);  // one post per slope, from 1
        for (const SpeedLimitRecord& l : r.SpeedLimits) {
            // One sign per km/h; the call-out is the entry's own.
            EXPECT_GT(patterns(signs[5].file, signs[5].size), l.targetSpeed);
            EXPECT_GT(r.LimitCallouts.size(), std::size_t(l.field5));
        }
        for (const SignRecord& sign : r.Signs)
            EXPECT_GT(patterns(signs[7].file, signs[7].size), sign.image + 1);
        for (std::size_t k = 1; k <= 3; ++k)
            EXPECT_EQ(patterns(signs[k].file, signs[k].size), 5);  // frames 0..4
        const auto& signal = r.SignalImages->lines;
        for (const auto& line : signal)
            EXPECT_EQ(patterns(line.file, line.patternHeight), 41) << line.file;  // faces 0..40
        for (const AnimRecord& a : r.Anims) EXPECT_GE(int(r.AnimImages.size()), a.firstImage + 14);
        for (const CrossingRecord& c : r.Crossings) EXPECT_GT(int(r.CrossImages.size()), c.image);
        // The other call-outs follow the pictures' indices.
        EXPECT_EQ(r.OtherCallouts.size(), std::size_t(patterns(signs[7].file, signs[7].size)));
    }
}

// The second speed checks hold from each entry's frame to the next entry's,
// so what they check must be what the limit signs show: a zone's speed from
// its entry to its exit (the sign's field 6), nothing outside every zone.
TEST_F(DemoSet, SpeedChecksHoldExactlyTheLimitZonesShown) {
    for (const ServicePlan& s : linePlan().services) {
        const RouteSpec r = route(s);
        ASSERT_FALSE(r.SpeedLimits.empty());
        const int last = r.SpeedUnits.back().LastFrame;
        for (int f = 0; f <= last; ++f) {
            int shown = 999;
            for (const SpeedLimitRecord& l : r.SpeedLimits)
                if (l.frame <= f && f < l.field6) shown = std::min(shown, l.targetSpeed);
            const SpeedCheckRecord* held = nullptr;
            for (const SpeedCheckRecord& c : r.SpeedChecks2)
                if (c.frame <= f && (!held || c.frame >= held->frame)) held = &c;
            ASSERT_EQ(held ? held->targetSpeed : 999, shown) << s.routeFile << " frame " << f;
        }
    }
}

TEST_F(DemoSet, SignalsComeIntoViewOneAfterAnother) {
    for (const ServicePlan& s : linePlan().services) {
        const RouteSpec r = route(s);
        for (std::size_t i = 1; i < r.Signals.size(); ++i) {
            // One signal at a time gives the face shown.
            EXPECT_GE(r.Signals[i].viewFrame, r.Signals[i - 1].signalFrame)
                << s.routeFile << " signal " << i;
            EXPECT_GT(r.Signals[i].farBeaconFrame, r.Signals[i - 1].signalFrame)
                << s.routeFile << " signal " << i;
        }
        // A starting signal where the train calls is held until its melody.
        for (const SignalRecord& sig : r.Signals) {
            if (sig.control != 3) continue;
            ASSERT_LT(std::size_t(sig.holdStation), r.Stations.size());
            const StationRecord& st = r.Stations[std::size_t(sig.holdStation)];
            EXPECT_NE(st.kind, 1);
            EXPECT_GT(sig.signalFrame, st.videoFrame);
        }
        // The preceding train runs ahead through stations in order.
        int last = 0;
        for (const PreTrainLeg& leg : r.PreTrain) {
            EXPECT_GT(leg.Station, 0);
            EXPECT_LT(std::size_t(leg.Station), r.Stations.size());
            EXPECT_GT(leg.DepartTime, last);
            last = leg.DepartTime;
        }
        EXPECT_GT(r.PreTrainStart, r.StartFrame);
    }
}

// The figures of each vehicle, through the traction, resistance and brake
// formulas of the simulator, make the train its class says.
TEST_F(DemoSet, VehicleFiguresMakeEachTrainWhatItIs) {
    const auto resistance = [](const VehicleSpec& v, double kmh) {  // N
        return 9.8 * (double(v.Tons) * (1.32 + 0.0164 * kmh) +
                      (0.028 + 0.0078 * (v.Cars - 1)) * kmh * kmh);
    };
    const auto acceleration = [&](const VehicleSpec& v, double force, double kmh) {  // km/h/s
        return (force - resistance(v, kmh)) / (double(v.Tons) * 1000) * 3.6;
    };
    const auto fullService = [](const VehicleSpec& v) {  // km/h/s, air only, friction factor 1
        const double mass = double(v.Mt) + double(v.Tt) + (v.BrakeType2 >= 1 ? double(v.Tct) : 0);
        // The electric-command brake reaches MAXPress only at the emergency step.
        const double pressure =
            v.BrakeType == 2 ? v.MAXPress * (v.Brake - 1.0) / v.Brake : v.MAXPress;
        return double(v.BrakeRateAir) * pressure / v.EBPress * mass / double(v.Tons);
    };
    const VehicleSpec modern = loadVehicleSpec(root() / "train_E231.dat");
    const auto notchForce = [&](const NotchRecord& n, double v) {
        double a;
        if (v < n.SpeedConst)
            a = n.AccelStart + v * (n.AccelConst - n.AccelStart) / n.SpeedConst;
        else if (v < n.SpeedPower)
            a = n.SpeedConst * n.AccelConst / v;
        else
            a = n.SpeedConst * n.AccelConst / std::pow(n.DecayBase, n.SpeedPower) *
                std::pow(n.DecayBase, std::round(v)) / v;
        return a / 3.6 * double(modern.Tons) * 1000;
    };
    const NotchRecord& top = modern.Notch[4];
    EXPECT_NEAR(acceleration(modern, notchForce(top, 0.5), 0.5), 2.5, 0.15);
    EXPECT_GT(acceleration(modern, notchForce(top, 115), 115),
              0.05);  // reaches its top speed of 120
    EXPECT_NEAR(fullService(modern), 4.2, 0.3);
    EXPECT_EQ(modern.MaxSpeed, 120);

    // The resistor-controlled train, notched up from a standstill.
    const VehicleSpec old = loadVehicleSpec(file("train_oldemu") / "train_oldemu.dat");
    int step = 0;
    double current = 0, startAccel = 0, accelAt80 = 0;
    for (int kmh = 0; kmh <= 80; ++kmh) {
        for (std::size_t j = 0; j < old.CurrentP.size(); ++j) {
            if (step < int(j) && old.Power >= old.CurrentP[j].StepNotch && current < old.MaxCurrent)
                ++step;
            const CurrentPRow& row = old.CurrentP[std::size_t(step)];
            if (kmh != row.StepV0) current = std::round(double(row.StepK / (kmh - row.StepV0)));
        }
        const double a = kmh < old.CurrSpeed ? double(old.CurrAccel)
                                             : double(old.CurrAccel * old.CurrSpeed) / kmh;
        const double force = double(old.Tons) * 1000 * a / 3.6 / old.MaxCurrent * current;
        if (kmh == 1) startAccel = acceleration(old, force, kmh);
        if (kmh == 80) accelAt80 = acceleration(old, force, kmh);
    }
    EXPECT_GT(startAccel, 1.5);
    EXPECT_LT(startAccel, 3.0);
    EXPECT_GT(accelAt80, 0.1);
    EXPECT_NEAR(fullService(old), 3.6, 0.3);

    // The diesel railcar in its top gear still gains speed at 90 km/h.
    const VehicleSpec diesel = loadVehicleSpec(file("train_dmu") / "train_dmu.dat");
    const EngineRow& third = diesel.Engine[3];
    const double effort = third.EffortHigh + (90.0 - third.SpeedHigh) *
                                                 (third.EffortMax - third.EffortHigh) /
                                                 (third.SpeedMax - third.SpeedHigh);
    EXPECT_GT(acceleration(diesel, effort * 9.8, 90), 0.1);
    const EngineRow& first = diesel.Engine[1];
    const double starting = first.EffortLow + 15.0 * (first.EffortHigh - first.EffortLow) /
                                                  (first.SpeedHigh - first.SpeedLow);
    EXPECT_NEAR(acceleration(diesel, starting * 9.8, 15), 1.8, 0.4);
    EXPECT_NEAR(fullService(diesel), 3.6, 0.3);
}

TEST_F(DemoSet, RerunLeavesACompleteSetAlone) {
    std::ostringstream log;
    EXPECT_TRUE(demoSetComplete(root(), true));
    EXPECT_FALSE(demoSetComplete(root(), false));  // a quick set is not a full one
    EXPECT_FALSE(writeDemoSet(root(), {.quick = true}, log));
    // A file that went missing makes the set incomplete.
    const fs::path melody = root() / "sound/line/melody_kitahara.wav";
    const std::string kept = bytesOf(melody);
    fs::remove(melody);
    EXPECT_FALSE(demoSetComplete(root(), true));
    std::ofstream(melody, std::ios::binary) << kept;
    EXPECT_TRUE(demoSetComplete(root(), true));
}

TEST_F(DemoSet, ProgressEndsAtTheWholeAndCancelStopsTheWork) {
    ASSERT_GT(shares_.size(), 10u);
    EXPECT_DOUBLE_EQ(*std::max_element(shares_.begin(), shares_.end()), 1.0);
    EXPECT_GT(*std::min_element(shares_.begin(), shares_.end()), 0.0);

    test::TempDir other;
    std::atomic<int> reports{0};
    DemoOptions options{.quick = true, .threads = 2};
    options.progress = [&](double) { ++reports; };
    options.cancelled = [&] { return reports >= 3; };
    std::ostringstream log;
    EXPECT_THROW(writeDemoSet(other.path(), options, log), DemoCancelled);
    EXPECT_FALSE(demoSetComplete(other.path(), true));
    // Work already begun ends at its next frame: far from the whole set's reports.
    EXPECT_LT(reports, int(shares_.size()) / 2);
}

double rms(const Samples& s) {
    double sum = 0;
    for (float x : s) sum += double(x) * x;
    return std::sqrt(sum / double(std::max<std::size_t>(1, s.size())));
}

double meanStep(const Samples& s) {
    double sum = 0;
    for (std::size_t i = 1; i < s.size(); ++i) sum += std::abs(s[i] - s[i - 1]);
    return sum / double(s.size() - 1);
}

TEST(DemoSounds, RunningSoundsGrowWithSpeedAndLoopSmoothly) {
    for (const VehicleDesign& v : vehicleDesigns()) {
        double previous = 0;
        for (int k : {0, 3, 6, 9, 12}) {
            const Samples s = driveSound(v, kRunning + k, false);
            const double level = rms(s);
            EXPECT_GT(level, previous) << v.fileName << " " << k * 10 << " km/h";
            previous = level;
            // The last sample runs into the first as smoothly as any two neighbours.
            EXPECT_LT(std::abs(s.back() - s.front()), 4 * meanStep(s))
                << v.fileName << " " << k * 10 << " km/h";
            if (k == 0) continue;
            // A whole number of 25 m rails per loop keeps the joints' beat across the loop.
            const double rails = double(s.size()) / kSampleRate * (k * 10 / 3.6) / 25;
            EXPECT_NEAR(rails, std::round(rails), 0.01) << v.fileName << " " << k * 10 << " km/h";
        }
    }
}

TEST(DemoSounds, HornAndMelodiesLastWhatTheirUsersCount) {
    for (const VehicleDesign& v : vehicleDesigns()) {
        // The held horn alternates its two sustains every interval: each must
        // sound at least that long.
        for (int sustain : {kHornSustainA, kHornSustainB})
            EXPECT_GE(double(driveSound(v, sustain, false).size()) / kSampleRate,
                      kHornInterval / 30.0);
    }
    // A melody ends on the departure time: whole seconds, as the program
    // counts a wave's playing time.
    const Speech tones(false);
    for (const AudioItem& item : allRouteAudio(linePlan())) {
        if (item.kind != AudioKind::Melody) continue;
        EXPECT_EQ(routeSound(item, tones, false).size(), std::size_t(8 * kSampleRate)) << item.file;
    }
}

TEST(DemoRenderer, StopMarkersSitOnTheFilmedTrack) {
    // A level straight line with a dark stripe across the track; the row at
    // which the renderer shows it must be the row the route's perspective
    // values give for the stop markers.
    LineWorld world{.alignment = Alignment({}, {}, -100, 2000)};
    world.tracks = {TrackPath(-100, 2000, 0)};
    Scene scene;
    scene.world = &world;
    scene.ground.push_back({-100, 2000, {-1, -50}, {-1, 50}, Surface::Flat, rgb(240, 240, 240)});
    Renderer renderer(scene, 800, 450);
    const double f = kPerspectiveDistance, h = perspectiveScale();
    for (double metres : {6.0, 10.0, 20.0, 30.0}) {
        // A stripe some four picture rows deep, lying on the ground; its rows
        // centre on its middle.
        const double eye = kEyeBehindFront + metres;
        const double width = 4 * eye * eye / (kFocal * kEyeHeight);
        Scene stripe;
        stripe.world = &world;
        stripe.decks.push_back({eye - width / 2,
                                eye + width / 2,
                                {-1, -5},
                                {-1, 5},
                                0.0,
                                Surface::Flat,
                                rgb(0, 0, 0)});
        RgbImage image;
        renderer.render(ViewPoint{}, image, &stripe);
        double sum = 0;
        int rows = 0;
        for (int y = 0; y < image.height; ++y)
            if (const std::uint8_t* p = image.row(y) + 400 * 3; p[0] + p[1] + p[2] < 150)
                sum += y + 0.5, ++rows;
        ASSERT_GT(rows, 0) << metres << " m";
        const double y0 = renderer.horizon() + h;
        EXPECT_NEAR(sum / rows, y0 - metres / (metres + f) * h, 1.0) << metres << " m";
    }
}

}  // namespace
}  // namespace tovra::demo
