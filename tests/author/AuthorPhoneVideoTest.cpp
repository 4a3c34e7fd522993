// Phone videos as they are: any common rate, pictures at irregular times, and
// a rotation the picture must be turned by.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <fstream>

#include "Author.h"
#include "data/RouteLoader.h"
#include "gen/Ground.h"
#include "gen/LineRun.h"
#include "gen/PhoneVideo.h"
#include "support/TempDir.h"

namespace tovra::author {
namespace {

// Rows the ground moved by `t` s: up to 6 rows a frame of 1/30 s in 4 s,
// 2 s at that pace, and down to standing in 4 s.
double groundOffset(double t) {
    const double top = 6 * 30, ramp = 4;  // rows a second
    const double up = std::min(t, ramp), flat = std::clamp(t - ramp, 0.0, 2.0),
                 down = std::clamp(t - ramp - 2, 0.0, ramp);
    return top * (up * up / (2 * ramp) + flat + down - down * down / (2 * ramp));
}

TEST(AuthorPhoneVideo, TurnedAndIrregularPicturesMeasureTheGroundsMotion) {
    const std::vector<float> ground = test::sleeperGround(2400, 3);
    tovra::test::TempDir dir;
    // Turned a quarter either way at a steady 30 a second; upside down at about 30 a
    // second, a few ms early or late, every fifth picture dropped and half a
    // second lost in the fast part.
    std::vector<double> steady, irregular;
    for (int i = 0; i <= 300; ++i) {
        steady.push_back(i / 30.0);
        if (i % 5 != 3 && !(i > 140 && i <= 155))
            irregular.push_back(i / 30.0 + 0.003 * std::sin(i));
    }
    struct Film {
        const char* name;
        const std::vector<double>& times;
        int rotation;
    };
    for (const Film& film : {Film{"turned.mp4", steady, 90}, Film{"turned back.mp4", steady, 270},
                             Film{"irregular.mp4", irregular, 180}}) {
        SCOPED_TRACE(film.name);
        const auto file = dir / film.name;
        ASSERT_TRUE(test::writePhoneVideo(file, film.times, film.rotation, [&](int i) {
            return test::groundFrame(ground, groundOffset(film.times[i]));
        }));
        const VideoFacts facts = probeVideo(file);
        EXPECT_EQ(facts.rotation, film.rotation);
        // The program shows the pictures as stored: the author is told.
        EXPECT_NE(videoNote(file, facts).find(std::to_string(film.rotation) + " degrees"),
                  std::string::npos);
        // Frame numbers cover the time filmed, not only the pictures kept.
        EXPECT_NEAR(facts.frameCount, 10 * facts.fps, 2);
        // Shrunk for the measure, upright whichever way it was stored.
        UprightFrames small(file);
        small.limitSize(80);
        Image picture;
        ASSERT_TRUE(small.decode(0, picture));
        EXPECT_EQ(picture.width, 80);
        EXPECT_EQ(picture.height, 60);
        const std::vector<double> motion = measureMotion(file, {0, 1}, {}, {});
        double moved = 0;  // rows, from the four strips' sum
        for (int f = 0; f < facts.frameCount; ++f) {
            moved += motion[f] / 4;
            // A frame that has no picture of its own shares the motion up to
            // the next one: within a row and a half of the ground's offset.
            ASSERT_NEAR(moved, groundOffset(f / facts.fps), 1.5 + 0.01 * moved) << "frame " << f;
        }
        EXPECT_NEAR(moved, groundOffset(10), 0.01 * groundOffset(10));
    }
}

std::string gpxOf(const std::vector<TrackPoint>& fixes) {
    std::string out = "<?xml version=\"1.0\"?><gpx version=\"1.1\"><trk><trkseg>\n";
    for (const TrackPoint& p : fixes) {
        const std::time_t t = std::time_t(p.time);
        char when[32];
        std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%SZ", std::gmtime(&t));
        char line[160];
        std::snprintf(line, sizeof line,
                      "<trkpt lat=\"%.8f\" lon=\"%.8f\"><time>%s</time></trkpt>\n", p.latitude,
                      p.longitude, when);
        out += line;
    }
    return out + "</trkseg></trk></gpx>\n";
}

TEST(AuthorPhoneVideo, EveryRatePlacesTheStationsWhereTheTrackHasThem) {
    // 1.2 km between two stops, with a GPS track of 3 m noise filmed alongside.
    const test::TrainRun run({{0, 0}, {1200, 0}}, 60, 5);
    tovra::test::TempDir dir;
    std::ofstream(dir / "track.gpx") << gpxOf(test::receiverFixes(run, test::windingLine(), 3, 5));
    const Image plain{64, 48, std::vector<std::uint32_t>(64 * 48, 0xff808080u)};
    struct Rate {
        double fps;
        bool gaps;  // pictures dropped and a few ms early or late
    };
    for (const Rate rate : {Rate{25, false}, Rate{30000.0 / 1001, false}, Rate{50, false},
                            Rate{60, false}, Rate{30, true}}) {
        SCOPED_TRACE(rate.fps);
        SCOPED_TRACE(rate.gaps);
        std::vector<double> times;
        for (int i = 0; i / rate.fps <= run.duration(); ++i)
            if (!rate.gaps || (i % 7 != 2 && (i % 300 < 150 || i % 300 > 170)))
                times.push_back(i / rate.fps + (rate.gaps ? 0.004 * std::sin(i) : 0));
        AuthorRequest request;
        request.video = dir / "film.mp4";
        ASSERT_TRUE(test::writePhoneVideo(request.video, times, 0, [&](int) { return plain; }));
        request.routeFile = dir / "film.dat";
        request.dataDir = dir.path();
        request.lineName = "phone";
        request.source = SpeedSource::Gps;
        request.track = dir / "track.gpx";
        const double fps = probeVideo(request.video).fps;
        EXPECT_NEAR(fps, rate.fps, 0.01);
        request.stations = {{"A", int(std::lround(run.restsAt(0) * fps)), 0},
                            {"B", int(std::lround(run.restsAt(1) * fps)), 0}};
        const Authored authored = authorRoute(request);
        EXPECT_NEAR(authored.video.frameCount, run.duration() * rate.fps, 2);
        writeRoute(request, authored);

        const RouteSpec route = loadRouteSpec(request.routeFile, "");
        EXPECT_EQ(route.FrameRate, int(std::lround(rate.fps)));
        ASSERT_EQ(route.Stations.size(), 2u);
        const auto metres = [&](int frame) {
            return double(*frame_to_position(route.SpeedUnits, frame)) / 100;
        };
        EXPECT_NEAR(metres(route.Stations[1].videoFrame) - metres(route.Stations[0].videoFrame),
                    1200, 5);
        // Half way the train runs at 60 km/h: 100 m in 6 s of film.
        const double mid = (run.restsAt(0) + run.restsAt(1)) / 2;
        EXPECT_NEAR(
            metres(int(std::lround((mid + 3) * fps))) - metres(int(std::lround((mid - 3) * fps))),
            100, 3);
    }
}

}  // namespace
}  // namespace tovra::author
