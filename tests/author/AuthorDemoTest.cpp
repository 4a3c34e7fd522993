// tovra-author on the quick demo line, whose true frame-to-distance table is
// its route file's: a GPS track is made from that table as a phone would
// record it, and the authored route must agree with the demo route.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <fstream>
#include <memory>
#include <numbers>
#include <random>
#include <sstream>

#include "Author.h"
#include "AutoDrive.h"
#include "common/DataPath.h"
#include "data/ProgramSettings.h"
#include "data/RouteLoader.h"
#include "demo-gen/SpeedProfile.h"
#include "support/QuickDemo.h"
#include "support/SimBinary.h"
#include "support/TempDir.h"

namespace tovra::author {
namespace {

namespace fs = std::filesystem;

// The made-up line's gradients (permil) before and after its 3 km post.
constexpr double kClimb = 12, kFall = -6;
double height(double metres) {
    return 40 + (metres < 3000 ? kClimb * metres : kClimb * 3000 + kFall * (metres - 3000)) / 1000;
}
constexpr double kClockOffset = 0.3;  // s the track's clock is ahead of the film's

// A GPX track of the demo run: one fix a second, 3 m of noise on each axis,
// the height noisy by 2 m, on a line that curves to and fro.
std::string demoTrack(const demo::SpeedProfile& truth, double startTime) {
    const int metres = int(truth.position(truth.lastFrame()) / 100) + 10;
    std::vector<double> x{0}, y{0};
    for (int s = 1; s <= metres; ++s) {
        const double heading = 0.6 * std::sin(s / 3000.0);
        x.push_back(x.back() + std::cos(heading));
        y.push_back(y.back() + std::sin(heading));
    }
    std::mt19937 random(20);
    std::normal_distribution<double> noise(0, 3), heightNoise(0, 2);
    std::ostringstream gpx;
    gpx.precision(10);
    gpx << "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\"><trk><trkseg>\n";
    const double seconds = truth.lastFrame() / 30.0;
    for (int k = 0; k <= int(seconds); ++k) {
        // The fix stamped k seconds after the first shows the train of film time k - 0.3 s.
        const double frame = std::clamp((k - kClockOffset) * 30, 0.0, double(truth.lastFrame()));
        const int whole = int(frame);
        const double w = frame - whole;
        const double cm = (1 - w) * double(truth.position(whole)) +
                          w * double(truth.position(std::min(whole + 1, truth.lastFrame())));
        const double s = cm / 100;
        const int i = std::min(int(s), metres - 1);
        const double px = x[i] + (x[i + 1] - x[i]) * (s - i) + noise(random);
        const double py = y[i] + (y[i + 1] - y[i]) * (s - i) + noise(random);
        const double lat = 35 + py / 6371000 * 180 / std::numbers::pi;
        const double lon =
            139 + px / (6371000 * std::cos(35 * std::numbers::pi / 180)) * 180 / std::numbers::pi;
        const long t = long(startTime) + k;
        gpx << "<trkpt lat=\"" << lat << "\" lon=\"" << lon << "\"><ele>"
            << height(s) + heightNoise(random) << "</ele><time>"
            << "2026-05-01T" << 10 + t / 3600 % 24 << ":" << (t / 60 % 60 < 10 ? "0" : "")
            << t / 60 % 60 << ":" << (t % 60 < 10 ? "0" : "") << t % 60 << "Z</time></trkpt>\n";
    }
    gpx << "</trkseg></trk></gpx>\n";
    return gpx.str();
}

class AuthorOnTheDemo : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<test::TempDir>();
        const fs::path& data = test::quickDemo();
        truth_ = loadRouteSpec(data / "line_rapid_down.dat", "");
        const std::string videoDir = loadProgramSettings(data / "velmoran.dat").VideoDir;
        request_.video = resolveDataPath(data, videoDir + truth_.DataName + ".avi");
        request_.routeFile = *dir_ / "line_own.dat";
        request_.dataDir = data;
        request_.lineName = "試験線 下り";
        for (const StationRecord& s : truth_.Stations)
            if (s.kind != 1) request_.stations.push_back({s.name, s.videoFrame, 0});
        request_.source = SpeedSource::Gps;
        std::ofstream(*dir_ / "track.gpx") << demoTrack(demo::SpeedProfile(truth_.SpeedUnits), 0);
        request_.track = *dir_ / "track.gpx";
        authored_ = authorRoute(request_);
        writeRoute(request_, authored_);
    }
    static void TearDownTestSuite() { dir_.reset(); }

    static std::unique_ptr<test::TempDir> dir_;
    static RouteSpec truth_;
    static AuthorRequest request_;
    static Authored authored_;
};

std::unique_ptr<test::TempDir> AuthorOnTheDemo::dir_;
RouteSpec AuthorOnTheDemo::truth_;
AuthorRequest AuthorOnTheDemo::request_;
Authored AuthorOnTheDemo::authored_;

TEST_F(AuthorOnTheDemo, GpsTrackGivesTheDemoRoutesPositions) {
    const RouteSpec route = loadRouteSpec(request_.routeFile, "");
    EXPECT_EQ(route.LineName, "試験線 下り");
    EXPECT_EQ(route.DataName, truth_.DataName);
    EXPECT_EQ(route.FrameRate, 30);
    const int last = truth_.SpeedUnits.back().LastFrame;
    ASSERT_EQ(route.SpeedUnits.back().LastFrame, authored_.video.frameCount - 1);
    ASSERT_EQ(route.MovieStopFrames.at(0), authored_.video.frameCount - 1);

    ASSERT_EQ(route.Stations.size(), request_.stations.size());
    for (const StationRecord& s : route.Stations) {
        const double own = double(*frame_to_position(route.SpeedUnits, s.videoFrame));
        const double demo = double(*frame_to_position(truth_.SpeedUnits, s.videoFrame));
        EXPECT_NEAR(own, demo, 500) << s.name;
        EXPECT_GT(s.sectionLimit, 0);
    }
    const double length = double(*frame_to_position(truth_.SpeedUnits, last));
    double worst = 0;
    for (int f = 0; f <= last; ++f)
        worst = std::max(worst, std::abs(double(*frame_to_position(route.SpeedUnits, f)) -
                                         double(*frame_to_position(truth_.SpeedUnits, f))));
    EXPECT_LT(worst, 0.01 * length);

    // The line climbs at 12 permil for 3 km and then falls at 6 permil.
    const demo::SpeedProfile profile(truth_.SpeedUnits);
    for (const auto& [metres, grade] : {std::pair{1500.0, kClimb}, std::pair{4500.0, kFall}}) {
        const int frame = profile.frameAt(metres * 100);
        const auto slope = std::find_if(route.Slopes.begin(), route.Slopes.end(), [&](auto& s) {
            return s.firstFrame < frame && frame < s.lastFrame;
        });
        ASSERT_NE(slope, route.Slopes.end()) << metres;
        EXPECT_NEAR(double(slope->gradient), grade, 2) << metres;
    }
}

TEST_F(AuthorOnTheDemo, WrittenRoutePassesTheCheckAndDrivesToTheSecondStation) {
    std::ostringstream summary;
    ASSERT_TRUE(checkRoute(request_.routeFile, summary));
    EXPECT_NE(summary.str().find(request_.stations[1].name), std::string::npos) << summary.str();

    const std::string data = test::quickDemo().string();
    const std::string route = request_.routeFile.string();
    const test::SimResult check = test::runSim("check --data " + data + " --route " + route);
    ASSERT_EQ(check.status, 0) << check.output;

    RunChoice choice;
    choice.dataDir = test::quickDemo();
    choice.routeFile = route;
    {
        std::ofstream script(*dir_ / "drive.txt");
        sim::autoDrive(choice, 1, 400, &script);
    }
    const test::SimResult run =
        test::runSim("run --data " + data + " --route " + route + " --seconds 400 --script " +
                     (*dir_ / "drive.txt").string() + " --trace " + (*dir_ / "trace.csv").string());
    ASSERT_EQ(run.status, 0) << run.output;
    const test::TraceTable t((*dir_ / "trace.csv").string());
    std::size_t moving = 0;
    while (moving < t.size() && t.number(moving, "speed") < 5) ++moving;
    std::size_t stop = moving;
    while (stop < t.size() && t.number(stop, "speed") > 0) ++stop;
    ASSERT_LT(stop, t.size());
    EXPECT_EQ(t.number(stop, "station_index"), 1);
    EXPECT_LT(std::abs(t.number(stop, "remain")), 1000);
}

TEST_F(AuthorOnTheDemo, PreviewsShowTheSpeedsAndTheStationFrames) {
    std::ifstream in(*dir_ / "line_own.svg");
    std::stringstream svg;
    svg << in.rdbuf();
    for (const StationInput& s : request_.stations)
        EXPECT_NE(svg.str().find(">" + s.name + "</text>"), std::string::npos) << s.name;
    EXPECT_NE(svg.str().find("id=\"measured\""), std::string::npos);
    EXPECT_NE(svg.str().find("id=\"fitted\""), std::string::npos);

    const QImage sheet(QString::fromStdString((*dir_ / "line_own-stations.png").string()));
    ASSERT_FALSE(sheet.isNull());
    // Four thumbnails to a row, 240 pixels wide with gaps of 6; each shows its
    // station's frame (the quick demo's frames are plain, a shade each).
    ASSERT_EQ(sheet.width(), 4 * 246 + 6);
    std::vector<int> frames;
    for (const StationInput& s : request_.stations) frames.push_back(s.frame);
    const std::vector<Image> pictures = framePictures(request_.video, frames);
    const int thumbHeight = 240 * pictures[0].height / pictures[0].width;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const QRgb shown = sheet.pixel(6 + int(i % 4) * 246 + 120,
                                       6 + int(i / 4) * (thumbHeight + 28) + thumbHeight / 2);
        const std::uint32_t frame = pictures[i].at(pictures[i].width / 2, pictures[i].height / 2);
        EXPECT_NEAR(qGreen(shown), int(frame >> 8 & 0xff), 2) << request_.stations[i].name;
    }
}

}  // namespace
}  // namespace tovra::author
