// The parts of tovra-author on inputs whose answers are known by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "FramePositions.h"
#include "GpsTrack.h"
#include "PictureMotion.h"
#include "SegmentFit.h"
#include "gen/Ground.h"

namespace tovra::author {
namespace {

TEST(AuthorTrack, ReadsNmeaAndGpxFixes) {
    // One second of a receiver: RMC and GGA of the same fix, then sentences
    // to skip: a bad checksum, no fix (status V), no fix quality.
    const auto nmea = parseNmea(
        "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n"
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n"
        "$GPRMC,123520,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6B\r\n"
        "$GPRMC,123521,V,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*7D\r\n"
        "$GPGGA,123522,4807.038,S,01131.000,W,0,08,0.9,545.4,M,46.9,M,,*5E\r\n");
    ASSERT_EQ(nmea.size(), 1u);
    EXPECT_DOUBLE_EQ(nmea[0].time, 764426119);  // 1994-03-23 12:35:19 UTC
    EXPECT_NEAR(nmea[0].latitude, 48.1173, 1e-9);
    EXPECT_NEAR(nmea[0].longitude, 11.0 + 31.0 / 60, 1e-9);
    ASSERT_TRUE(nmea[0].elevation);
    EXPECT_DOUBLE_EQ(*nmea[0].elevation, 545.4);

    const auto gpx = parseGpx(R"(<?xml version="1.0"?><gpx version="1.1"><trk><trkseg>
        <trkpt lat="35.5" lon='-139.25'><ele>12.5</ele><time>2026-05-01T10:00:00+09:00</time></trkpt>
        <trkpt lat="35.6" lon="139.3"><time>2026-05-01T01:00:01.5Z</time></trkpt>
        <trkpt lat="35.7" lon="139.4"></trkpt>
        </trkseg></trk></gpx>)");
    ASSERT_EQ(gpx.size(), 2u);  // the last has no time
    EXPECT_DOUBLE_EQ(gpx[0].time, 1777597200);
    EXPECT_DOUBLE_EQ(gpx[1].time, 1777597201.5);
    EXPECT_DOUBLE_EQ(gpx[0].longitude, -139.25);
    EXPECT_EQ(gpx[0].elevation, 12.5);
    EXPECT_FALSE(gpx[1].elevation);
}

// Positions (cm) of a run at 30 frames a second: 0 to 72 km/h in 300 frames,
// 600 frames at 72 km/h, down to 0 in 200 frames: 100 m, 400 m, 66.67 m.
std::vector<double> plainRun() {
    std::vector<double> p;
    for (int f = 0; f <= 1100; ++f) {
        const double t = f / 30.0;
        if (f <= 300)
            p.push_back(100 * 2.0 * t * t / 2);  // 2 m/s^2
        else if (f <= 900)
            p.push_back(100 * (100 + 20 * (t - 10)));
        else
            p.push_back(100 * (500 + 20 * (t - 30) - 3.0 * (t - 30) * (t - 30) / 2));  // 3 m/s^2
    }
    return p;
}

TEST(AuthorFit, FewSegmentsStayWithinTheTolerance) {
    const std::vector<double> truth = plainRun();
    EXPECT_NEAR(truth.back(), 56666.7, 0.1);
    for (const double tolerance : {100.0, 20.0}) {
        std::vector<SpeedUnit> units = fitSpeedUnits(truth, tolerance);
        EXPECT_LE(units.size(), tolerance == 100 ? 5u : 9u);
        ASSERT_EQ(units.front().FirstFrame, 0);
        ASSERT_EQ(units.back().LastFrame, 1100);
        computeEndDistances(units);
        for (int f = 0; f <= 1100; ++f)
            ASSERT_LE(std::abs(double(*frame_to_position(units, f)) - truth[f]), tolerance + 1)
                << "frame " << f;
        // The middle of the cruise runs at 72 km/h.
        for (const SpeedUnit& u : units) {
            if (u.FirstFrame <= 600 && u.LastFrame >= 600) {
                EXPECT_NEAR(double(u.FirstSpeed), 72, 0.5);
            }
        }
    }
    // Standing still is one segment at 0 km/h.
    const auto standing = fitSpeedUnits(std::vector<double>(50, 0.0));
    ASSERT_EQ(standing.size(), 1u);
    EXPECT_EQ(double(standing[0].LastSpeed), 0);
}

TEST(AuthorStations, EachStretchTakesItsFramesAndItsLength) {
    // 1 km in 120 s at 2.0 and 2.5 km/h/s: cruise v from 1000 = 120 v - 1.62 v^2
    // (1.62 s^2/m = (1/0.5556 + 1/0.6944) / 2): v = 9.570 m/s = 34.45 km/h.
    // Then 0.5 km in 30 s, too short to cruise: a triangle whose peak, 2 x 500 m
    // / 30 s = 120 km/h, comes at 30 s x (1/2.0) / (1/2.0 + 1/2.5) = 16.67 s.
    const std::vector<StationInput> stations{
        {"A", 100, 10.0}, {"B", 3700, 11.0}, {"C", 4600, 11.5}};
    const std::vector<double> p = positionsFromStations(stations, 30, 5000);
    EXPECT_EQ(p[0], 0);
    EXPECT_EQ(p[100], 0);
    EXPECT_NEAR(p[3700], 100000, 1e-6);
    EXPECT_NEAR(p[4600], 150000, 1e-6);
    EXPECT_EQ(p[4999], p[4600]);
    const auto kmh = [&](int f) { return speedOfStep(p[f + 1] - p[f]); };
    EXPECT_NEAR(kmh(1900), 34.45, 0.02);
    EXPECT_NEAR(kmh(4199), 120, 0.3);
    for (int f = 1; f < 5000; ++f) ASSERT_GE(p[f], p[f - 1]);

    EXPECT_THROW(checkStations({{"A", 10, 1}, {"B", 5, 2}}, 100, true), std::invalid_argument);
    EXPECT_THROW(checkStations({{"A", 10, 1}, {"B", 50, 1}}, 100, true), std::invalid_argument);
    EXPECT_THROW(checkStations({{"A", 10, 1}, {"B", 100, 2}}, 100, false), std::invalid_argument);
    EXPECT_NO_THROW(checkStations({{"A", 10, 0}, {"B", 50, 0}}, 100, false));
}

TEST(AuthorPicture, TracksTheGroundPastTheSleeperSpacingAndARoad) {
    std::vector<float> ground = test::sleeperGround(6000, 7);
    // A level crossing's road, taller than the band, passes at full speed.
    std::fill(ground.begin() + 1250 * 160, ground.begin() + 1400 * 160, 90.0f);
    // From standing up to 12 rows a frame, well past half the sleeper
    // spacing, and back to standing.
    std::vector<double> shift;
    for (int f = 0; f < 150; ++f) shift.push_back(12.0 * f / 150);
    for (int f = 0; f < 60; ++f) shift.push_back(12);
    for (int f = 0; f < 150; ++f) shift.push_back(12.0 - 12.0 * f / 150);
    MotionMeter meter({0, 1});
    double offset = 0, measured = 0, truth = 0;
    meter.step(test::groundFrame(ground, 0));
    for (std::size_t f = 1; f < shift.size(); ++f) {
        offset += shift[f];
        const double m = meter.step(test::groundFrame(ground, offset)) / 4;  // four strips
        ASSERT_NEAR(m, shift[f], 0.3) << "frame " << f;
        measured += m;
        truth += shift[f];
    }
    EXPECT_NEAR(measured / truth, 1, 0.01);
}

}  // namespace
}  // namespace tovra::author
