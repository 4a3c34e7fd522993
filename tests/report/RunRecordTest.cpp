#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "report/ReportFiles.h"
#include "report/RunRecorder.h"
#include "report/RunReport.h"
#include "report/RunSummary.h"
#include "sim/ProtectionState.h"
#include "sim/TrainState.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

class Recording : public testing::Test {
  protected:
    void SetUp() override { recorder.begin(8); }
    // One logic tick later: 0.1 s, with the train at `kmh`.
    void tick(double kmh) {
        s.Position += kmh / 3.6 * 10;  // cm in 0.1 s
        s.Speed = kmh;
        s.Clock += 3;
        recorder.afterLogicTick(s, p, doors);
    }
    std::vector<RunEventKind> kinds() const {
        std::vector<RunEventKind> out;
        for (const RunEvent& e : recorder.record().events) out.push_back(e.kind);
        return out;
    }

    RunRecorder recorder;
    TrainState s;
    ProtectionState p;
    bool doors = false;
};

TEST_F(Recording, EventsEnergyDecelerationAndJerks) {
    s.LineVoltage = 1500;
    s.AmmeterValue = 200;
    s.BrakeHandle = -8;  // where the run starts: no intervention
    tick(36);
    s.BrakeHandle = 0;
    for (int i = 1; i < 10; ++i) tick(36);  // 10 m/s, drawing 300 kW
    s.AmmeterValue = -100;
    // Braking at 1 m/s² (0.36 km/h a tick) to a stand: a jerk in, one out,
    // and one more on starting again.
    for (double v = 36 - 0.36; v > 0.1; v -= 0.36) tick(v);
    s.AmmeterValue = 0;
    tick(0);
    doors = true;
    tick(0);
    doors = false;
    tick(0);
    s.ProtectService = true;
    tick(0);
    tick(0);
    s.ProtectService = false;
    s.BrakeHandle = -8;  // standing: resetting the protection
    tick(0);
    s.BrakeHandle = 0;
    tick(0);
    s.BrakeHandle = -8;  // running: the driver's emergency brake
    tick(1);

    using K = RunEventKind;
    EXPECT_EQ(kinds(), (std::vector<K>{K::Stop, K::DoorsOpened, K::DoorsClosed, K::ProtectionBrake,
                                       K::Departure, K::Emergency}));
    const RunTotals& t = recorder.record().totals;
    EXPECT_NEAR(t.energyUsed, 10 * 300e3 * 0.1, 1);
    EXPECT_NEAR(t.energyRegenerated, 99 * 150e3 * 0.1, 1);
    EXPECT_NEAR(t.peakDeceleration, 1.0, 1e-3);
    EXPECT_EQ(t.jerks, 3);
    // 9 ticks of 1 m, 49.5 m braking, 2.78 cm starting.
    EXPECT_NEAR(t.drivenDistance, 900 + 4950 + 2.78, 0.05);
}

TEST_F(Recording, MovesSplitLegsAndLongRunsAreThinned) {
    tick(0);
    recorder.startLeg(RunEventKind::Move);
    recorder.startLeg(RunEventKind::Restore);  // nothing driven in between: the same leg
    s.Position = 1e6;
    tick(0);
    EXPECT_EQ(recorder.record().legs, 2);
    EXPECT_EQ(recorder.record().samples.back().leg, 1);
    EXPECT_EQ(recorder.record().totals.drivenDistance, 0);  // the move is not driven

    while (recorder.record().samples.size() < RunRecord::kMaxSamples) tick(0);
    tick(0);
    const auto& samples = recorder.record().samples;
    EXPECT_EQ(samples.size(), RunRecord::kMaxSamples / 2 + 1);
    EXPECT_EQ(recorder.record().stride, 2);
    for (int i = 0; i < 10; ++i) tick(0);
    EXPECT_EQ(samples.size(), RunRecord::kMaxSamples / 2 + 6);
    EXPECT_EQ(samples[1].clock - samples[0].clock, 6);  // every second tick
}

// A station 200 m long with its stop mark at 100 m, leaving at 10:00:00.
std::vector<StationRecord> oneStation() {
    StationRecord st;
    st.name = "川端";
    st.zoneStart = 0;
    st.zoneEnd = 20000;
    st.stopPosition = 10000;
    st.departureTime = 10 * 108000;
    return {st};
}

TEST(RunSummary, StationVisitsAndTheScore) {
    const auto stations = oneStation();
    const std::int32_t due = stations[0].departureTime;
    RunRecord r;
    using K = RunEventKind;
    r.events = {
        {K::Stop, due - 900, 9800, 0, 0},  // 2 m short, then crept up
        {K::Departure, due - 880, 9800, 1, 0},
        {K::Stop, due - 800, 10120, 0, 0},  // 1.2 m beyond: 2 points
        {K::DoorsOpened, due - 700, 10120, 0, 0},
        {K::DoorsClosed, due + 300, 10120, 0, 0},
        {K::Departure, due + 360, 10120, 1, 0},         // 12 s late: 2 points
        {K::Bell, due + 500, 30000, 40, 0},             // 3 points
        {K::ProtectionBrake, due + 600, 40000, 45, 0},  // 10 points
        {K::Stop, due + 900, 50000, 0, 0},              // outside the station
        {K::Departure, due - 30, 10000, 1, 1},          // after a move: 1 s early, 5 points
    };
    r.totals.overspeedTicks = 25;  // 2 whole seconds: 2 points
    r.totals.jerks = 30;           // at most 20 points
    const RunSummary summary = summariseRun(r, stations);

    ASSERT_EQ(summary.visits.size(), 2u);
    const StationVisit& v = summary.visits[0];
    EXPECT_NEAR(*v.stopError, 1.2, 1e-9);
    EXPECT_EQ(*v.arrival, due - 900);
    EXPECT_EQ(*v.doorsOpened, due - 700);
    EXPECT_EQ(*v.departure, due + 360);
    EXPECT_NEAR(*againstTimetable(stations[0], v.departure), 12, 1e-9);
    EXPECT_EQ(summary.visits[1].leg, 1);
    EXPECT_FALSE(summary.visits[1].stopError);
    EXPECT_EQ(summary.interventions.size(), 2u);

    const RunScore& s = summary.score;
    EXPECT_EQ(s.stops, 2);
    EXPECT_EQ(s.departures, 7);
    EXPECT_EQ(s.protection, 13);
    EXPECT_EQ(s.overspeed, 2);
    EXPECT_EQ(s.comfort, 20);
    EXPECT_EQ(s.total, 56);
}

// The best earlier report of the same route and train is the one drawn under
// the new run.
TEST(RunReportFiles, BestEarlierRunOfTheSameRouteAndTrain) {
    test::TempDir dir;
    const auto stations = oneStation();
    RunRecord good, poor;
    good.samples = {{.position = 100, .speed = 10}, {.position = 5000, .speed = 40}};
    poor = good;
    poor.totals.jerks = 10;  // 90 points against 100
    const auto subject = [&](const char* train, const char* when) {
        return ReportSubject{"line.dat", train, "本線", when, stations};
    };
    writeRunReport(dir / "a.html", subject("train_A.dat", "1"), poor);
    writeRunReport(dir / "b.html", subject("train_A.dat", "2"), good);
    writeRunReport(dir / "c.html", subject("train_B.dat", "3"), good);

    const auto best = bestEarlierRun(dir.path(), "line.dat", "train_A.dat", dir / "new.html");
    ASSERT_TRUE(best);
    EXPECT_EQ(best->score, 100);
    EXPECT_EQ(best->when, "2");
    ASSERT_EQ(best->curve.size(), 1u);
    ASSERT_EQ(best->curve[0].size(), 2u);
    EXPECT_DOUBLE_EQ(best->curve[0][1].position, 50);  // metres
    EXPECT_DOUBLE_EQ(best->curve[0][1].speed, 40);
    // A report is not its own earlier run.
    EXPECT_EQ(bestEarlierRun(dir.path(), "line.dat", "train_A.dat", dir / "b.html")->when, "1");
    EXPECT_FALSE(bestEarlierRun(dir.path(), "other.dat", "train_A.dat", {}));

    // A report names the best earlier one and draws it.
    writeRunReport(dir / "e.html", subject("train_A.dat", "5"), poor);
    std::ifstream in(dir / "e.html");
    const std::string html{std::istreambuf_iterator<char>(in), {}};
    EXPECT_NE(html.find("class=\"earlier\""), std::string::npos);
    EXPECT_NE(html.find("これまでの最高 (100点, 2)"), std::string::npos);
    EXPECT_EQ(reportFileName("2026-12-07_153000", "line_rapid_down.dat", "train E231.dat"),
              "2026-12-07_153000_line_rapid_down_train-E231.html");
}

// A train that never moved still gets its charts, with a few ticks across
// the distance it did not cover rather than one every 1e-10 km.
TEST(RunReportFiles, ATrainThatNeverMoved) {
    RunRecord standing;
    standing.samples = {{.position = 111, .speed = 0}, {.position = 111, .speed = 0}};
    const std::string page =
        runReportHtml(ReportSubject{"line.dat", "train_A.dat", "本線", "1", oneStation()}, standing,
                      summariseRun(standing, oneStation()), nullptr);
    std::size_t ticks = 0;
    for (std::size_t at = page.find("xtick"); at != std::string::npos;
         at = page.find("xtick", at + 1))
        ++ticks;
    EXPECT_GE(ticks, 2u);
    EXPECT_LE(ticks, 24u);  // both charts, eleven at most each
}

}  // namespace
}  // namespace tovra
