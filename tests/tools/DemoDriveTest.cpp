// Drives the quick demo line from 川端 (station 3) through 南台 to the last
// station 港町 with the built-in driver's inputs played back as a script.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <regex>

#include "AutoDrive.h"
#include "headless/FakeSoundDevice.h"
#include "headless/HeadlessRun.h"
#include "support/QuickDemo.h"
#include "support/SimBinary.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

namespace fs = std::filesystem;

struct Event {
    double t = 0;
    std::string type, op, file;
};

std::vector<Event> readEvents(const fs::path& file) {
    static const std::regex t(R"re("t":([0-9.e+-]+))re"), type(R"re("type":"([^"]*)")re"),
        op(R"re("op":"([^"]*)")re"), name(R"re("file":"([^"]*)")re");
    std::vector<Event> events;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        Event e;
        std::smatch m;
        if (std::regex_search(line, m, t)) e.t = std::stod(m[1]);
        if (std::regex_search(line, m, type)) e.type = m[1];
        if (std::regex_search(line, m, op)) e.op = m[1];
        if (std::regex_search(line, m, name)) e.file = m[1];
        events.push_back(e);
    }
    return events;
}

// Inputs of the built-in driver, recorded as a script and played back by
// `tovra-sim run` on the same data.
class DemoDrive : public ::testing::Test {
  protected:
    static constexpr int kFirst = 3, kMiddle = 4, kLast = 5;

    static void SetUpTestSuite() {
        dir_ = std::make_unique<test::TempDir>();
        RunChoice choice;
        choice.dataDir = test::quickDemo();
        choice.routeFile = "line_rapid_down.dat";
        choice.startStation = kFirst;
        {
            std::ofstream script(*dir_ / "drive.txt");
            sim::autoDrive(choice, 1, 600, &script);
        }
        run_ = test::runSim(
            "run --data " + choice.dataDir.string() +
            " --route line_rapid_down.dat --start-station 3 --until-end --seconds 600"
            " --script " +
            (*dir_ / "drive.txt").string() + " --trace " + (*dir_ / "trace.csv").string() +
            " --events " + (*dir_ / "events.jsonl").string() + " --report " +
            (*dir_ / "report.html").string());
    }
    static void TearDownTestSuite() { dir_.reset(); }

    void SetUp() override { ASSERT_EQ(run_.status, 0) << run_.output; }
    static test::TraceTable trace() { return test::TraceTable((*dir_ / "trace.csv").string()); }
    static std::vector<Event> events() { return readEvents(*dir_ / "events.jsonl"); }

    static std::unique_ptr<test::TempDir> dir_;
    static test::SimResult run_;
};

std::unique_ptr<test::TempDir> DemoDrive::dir_;
test::SimResult DemoDrive::run_;

TEST_F(DemoDrive, PowersToSpeedAndBrakesToTheNextStop) {
    const test::TraceTable t = trace();
    ASSERT_GT(t.size(), 100u);
    EXPECT_EQ(t.number(0, "speed"), 0);

    std::size_t fastest = 0;
    for (std::size_t i = 0; i < t.size() && t.number(i, "station_index") == kFirst; ++i)
        if (t.number(i, "speed") > t.number(fastest, "speed")) fastest = i;
    EXPECT_GT(t.number(fastest, "speed"), 50);
    bool powered = false;
    for (std::size_t i = 0; i < fastest; ++i) powered = powered || t.number(i, "power_notch") > 0;
    EXPECT_TRUE(powered);

    std::size_t stop = fastest;
    bool braked = false;
    while (stop < t.size() && t.number(stop, "speed") > 0) {
        braked = braked || t.number(stop, "brake_notch") < 0;
        ++stop;
    }
    ASSERT_LT(stop, t.size());
    EXPECT_TRUE(braked);
    // At the next stop, inside its 10 m window.
    EXPECT_EQ(t.number(stop, "station_index"), kMiddle);
    EXPECT_LT(std::abs(t.number(stop, "remain")), 1000);
}

TEST_F(DemoDrive, WorksEveryStationToTheEndOfTheRun) {
    const test::TraceTable t = trace();
    const std::size_t last = t.size() - 1;
    EXPECT_EQ(t.number(last, "run_ended"), 1);
    EXPECT_EQ(t.number(last, "station_index"), kLast);
    EXPECT_EQ(t.number(last, "doors_open"), 1);
    EXPECT_EQ(t.number(last, "speed"), 0);

    // At each station the doors open standing and are closed before it moves.
    for (const int station : {kFirst, kMiddle}) {
        bool opened = false, movedClosed = false;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t.number(i, "station_index") != station) continue;
            if (t.number(i, "doors_open") == 1) {
                EXPECT_LT(t.number(i, "speed"), 0.1) << "row " << i;  // standing
                opened = true;
            }
            if (opened && t.number(i, "speed") >= 1) {
                EXPECT_EQ(t.number(i, "doors_open"), 0) << "row " << i;
                movedClosed = true;
            }
        }
        EXPECT_TRUE(opened) << station;
        EXPECT_TRUE(movedClosed) << station;
    }

    const std::vector<Event> e = events();
    const auto played = [&](const std::string& file) {
        return std::count_if(e.begin(), e.end(), [&](const Event& x) {
            return x.type == "sound" && x.op == "play_once" && x.file == file;
        });
    };
    EXPECT_EQ(played("melody_kawabata.wav"), 1);
    EXPECT_EQ(played("melody_minamidai.wav"), 1);
    EXPECT_GE(played("door_open.wav"), 2);
    EXPECT_GE(played("door_close.wav"), 2);
    const auto calloutsPlayed = std::count_if(
        e.begin(), e.end(), [](const Event& x) { return x.type == "callout_played"; });
    const auto calloutsQueued = std::count_if(
        e.begin(), e.end(), [](const Event& x) { return x.type == "callout_queued"; });
    EXPECT_GE(calloutsPlayed, 3);
    EXPECT_GE(calloutsQueued, calloutsPlayed);

    // The run ends only once the arrival announcement at the last station is over.
    const auto arrival = std::find_if(e.rbegin(), e.rend(), [](const Event& x) {
        return x.op == "play_once" && x.file == "stop_minatomachi.wav";
    });
    ASSERT_NE(arrival, e.rend());
    fs::path wave;
    for (const auto& entry : fs::recursive_directory_iterator(test::quickDemo()))
        if (entry.path().filename() == arrival->file) wave = entry.path();
    const auto length = waveDuration(wave);
    ASSERT_TRUE(length);
    EXPECT_GE(t.number(last, "t"), arrival->t + *length - 0.1);
}

std::string readText(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The figure in the report's cell of `cssClass`, in the row of `station` or
// in the figures table.
double reportFigure(const std::string& html, const std::string& cssClass, int station = -1) {
    const std::string row = "<tr class=\"visit\" data-station=\"" + std::to_string(station) + "\">";
    const std::string cell = "<td class=\"" + cssClass + "\">";
    const auto at = html.find(cell, station < 0 ? 0 : html.find(row));
    if (at == std::string::npos) throw std::runtime_error("no " + cssClass + " in the report");
    return std::stod(html.substr(at + cell.size(), 16));
}

// The curves drawn in the report's first chart.
long speedCurves(const std::string& html) {
    const std::string chart = html.substr(0, html.find("</svg>"));
    std::size_t n = 0;
    for (auto at = chart.find("class=\"leg\""); at != std::string::npos;
         at = chart.find("class=\"leg\"", at + 1))
        ++n;
    return long(n);
}

// The report's figures agree with the trace of the same run.
TEST_F(DemoDrive, ReportAgreesWithTheTrace) {
    const test::TraceTable t = trace();
    const std::string html = readText(*dir_ / "report.html");
    ASSERT_TRUE(fs::exists(*dir_ / "report.csv"));
    RunChoice choice;
    choice.dataDir = test::quickDemo();
    choice.routeFile = "line_rapid_down.dat";
    HeadlessRun loaded(choice, 1);
    loaded.cab.load();
    const auto& stations = loaded.cab.route.Stations;

    const auto doorsOpened = [&](int station) {
        std::size_t i = 0;
        while (t.number(i, "station_index") != station || t.number(i, "doors_open") != 1) ++i;
        return i;
    };
    for (const int station : {kMiddle, kLast})
        EXPECT_NEAR(reportFigure(html, "stop-error", station),
                    -t.number(doorsOpened(station), "remain") / 100, 0.01);
    for (const int station : {kFirst, kMiddle}) {
        std::size_t i = doorsOpened(station);
        // Under half a km/h the stations count the train as standing.
        while (t.number(i, "doors_open") == 1 || std::abs(t.number(i, "speed")) <= 0.5) ++i;
        const double late = (t.number(i, "clock") - stations[station].departureTime) / 30;
        EXPECT_NEAR(reportFigure(html, "departure-late", station), late, 0.05) << station;
    }
    double used = 0, regenerated = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double joules = t.number(i, "ammeter") * t.number(i, "line_voltage") * 0.1;
        (joules > 0 ? used : regenerated) += std::abs(joules) / 3.6e6;
    }
    EXPECT_GT(used, 0.5);
    EXPECT_NEAR(reportFigure(html, "energy-used"), used, used * 0.01);
    EXPECT_NEAR(reportFigure(html, "energy-regenerated"), regenerated, regenerated * 0.01 + 1e-3);
    EXPECT_EQ(speedCurves(html), 1);
}

// Saved at one station, moved to another, restored: the train stands where
// it was saved and drives on from there.
TEST(DemoMenus, SaveMoveRestoreAndDriveOn) {
    test::TempDir dir;
    std::ofstream(dir / "menus.txt") << "1 menu move 4\n"
                                        "2 menu save 2\n"
                                        "3 menu move 1\n"
                                        "4 menu restore 2\n"
                                        "5 char f\n";
    const test::SimResult r = test::runSim(
        "run --data " + test::quickDemo().string() + " --route line_rapid_down.dat --seconds 8" +
        " --script " + (dir / "menus.txt").string() + " --trace " + (dir / "trace.csv").string() +
        " --trace-every 5 --report " + (dir / "report.html").string());
    ASSERT_EQ(r.status, 0) << r.output;
    const test::TraceTable t((dir / "trace.csv").string());
    const auto row = [&](double seconds) {
        for (std::size_t i = 0; i < t.size(); ++i)
            if (t.number(i, "t") >= seconds) return i;
        return t.size() - 1;
    };
    const double saved = t.number(row(1.5), "position");
    EXPECT_GT(saved, 0);
    EXPECT_EQ(t.number(row(1.5), "next_stop"), 4);
    EXPECT_LT(t.number(row(3.5), "position"), saved);  // moved back to station 1
    EXPECT_EQ(t.number(row(4.5), "position"), saved);
    EXPECT_EQ(t.number(row(4.5), "next_stop"), 5);  // the stop after the saved station
    EXPECT_EQ(t.number(row(5.5), "reverser"), 1);   // and the cab answers again
    // Two moves and a restore: four legs, each its own curve.
    EXPECT_EQ(speedCurves(readText(dir / "report.html")), 4);
}

}  // namespace
}  // namespace tovra
