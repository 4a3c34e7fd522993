// The protection as a driver meets it on the quick demo line: scripts played
// by `tovra-sim run`, read back from its trace and event log.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iomanip>
#include <sstream>

#include "AutoDrive.h"
#include "support/QuickDemo.h"
#include "support/SimBinary.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

constexpr const char* kOldEmu = " --vehicle train_oldemu.dat --vehicle-dir ";

std::string oldEmu() {
    return kOldEmu + (test::quickDemo() / "train_oldemu").string();
}

// Plays `script` on line_rapid_down for `seconds`; `options` go to `run` as
// they are.
struct Drive {
    Drive(const std::string& script, double seconds, const std::string& options = "") {
        std::ofstream(dir.path() / "script.txt") << script;
        std::ostringstream arguments;
        arguments << "run --data " << test::quickDemo().string()
                  << " --route line_rapid_down.dat --seconds " << seconds << " --script "
                  << (dir.path() / "script.txt").string() << " --trace "
                  << (dir.path() / "trace.csv").string() << " --events "
                  << (dir.path() / "events.jsonl").string() << options;
        const test::SimResult result = test::runSim(arguments.str());
        EXPECT_EQ(result.status, 0) << result.output;
        trace = std::make_unique<test::TraceTable>((dir.path() / "trace.csv").string());
    }

    double at(double t, const std::string& column) const { return trace->number(row(t), column); }
    std::size_t row(double t) const { return std::size_t(t * 10 + 0.5) - 1; }
    // The first time from `from` on at which `holds` is true of a row; -1 if never.
    double firstTime(double from, const std::function<bool(std::size_t)>& holds) const {
        for (std::size_t i = row(from); i < trace->size(); ++i)
            if (holds(i)) return trace->number(i, "t");
        return -1;
    }
    double firstSet(double from, const std::string& column) const {
        return firstTime(from, [&](std::size_t i) { return trace->number(i, column) != 0; });
    }
    std::string events() const {
        std::ifstream in(dir.path() / "events.jsonl");
        return {std::istreambuf_iterator<char>(in), {}};
    }

    test::TempDir dir;
    std::unique_ptr<test::TraceTable> trace;
};

// "8" typed n times, a tenth of a second apart, from `t` on.
std::string typed(double t, char key, int n) {
    std::ostringstream out;
    out << std::fixed << std::setprecision(1);
    for (int i = 0; i < n; ++i) out << t + i * 0.1 << " char " << key << "\n";
    return out.str();
}

// The built-in driver of `bench` keeps under every limit the cab shows: no
// train is ever braked by the protection, every stop is worked, and each run
// reaches the end of the line and starts again.
TEST(ProtectionScenario, ADriverUnderEveryLimitShownIsNeverBraked) {
    for (const char* route : {"line_rapid_down.dat", "line_rapid_utl.dat", "line_rapid_up.dat"}) {
        for (const auto& [vehicle, folder] : {std::pair{"train_E231.dat", ""},
                                              {"train_oldemu.dat", "train_oldemu"},
                                              {"train_dmu.dat", "train_dmu"}}) {
            RunChoice choice;
            choice.dataDir = test::quickDemo();
            choice.routeFile = route;
            choice.vehicleFile = vehicle;
            if (*folder) choice.vehicleDir = choice.dataDir / folder;
            const sim::AutoDriveResult r = sim::autoDrive(choice, 1, 0.3 * 3600);
            EXPECT_GE(r.runs, 2) << route << " " << vehicle;
            EXPECT_EQ(r.protectionBrakes, 0) << route << " " << vehicle;
            EXPECT_EQ(r.missedStops, 0) << route << " " << vehicle;
        }
    }
}

// Bell protection (the old EMU): a warning left ringing, then a stop signal
// passed under power, brings the emergency brake with the stop.
TEST(ProtectionScenario, BellBrakesAtAStopSignalPassedWhileItRings) {
    const Drive d("0.1 char f\n" + typed(0.2, ',', 5) + typed(20, 'z', 4), 125, oldEmu());
    const double warned = d.firstSet(1, "ats_alarm");
    const double stop =
        d.firstTime(1, [&](std::size_t i) { return d.trace->number(i, "signal_limit") == 0; });
    ASSERT_GT(warned, 0);
    ASSERT_GT(stop, warned);
    EXPECT_EQ(d.at(stop - 0.1, "ats_alarm"), 1);  // ringing already
    EXPECT_EQ(d.at(stop, "protect_emergency"), 1);
    EXPECT_LT(d.at(stop + 10, "speed"), d.at(stop, "speed") - 20);
}

// Vigilance and rollback emergencies brake the default train, and every key
// press, Enter included, restarts the vigilance count.
TEST(ProtectionScenario, EveryProtectionEmergencyBrakes) {
    const Drive vigilance(
        "0.1 char f\n" + typed(0.2, '8', 12) + "26 char 5\n30.5 key Enter\n45.5 key Enter\n", 130);
    const double braked = vigilance.firstSet(1, "protect_emergency");
    EXPECT_NEAR(braked, 45.5 + 65.1, 0.15);  // 65.1 s after the last key, not the last character
    EXPECT_GT(vigilance.at(braked + 3, "bc_m"), 100);
    EXPECT_LT(vigilance.at(braked + 5, "speed"), vigilance.at(braked, "speed") - 5);

    const Drive rollback(
        "0.1 char b\n" + typed(0.2, '8', 8) + "20 key F12 shift\n20.1 key F12 shift\n", 30);
    const double rolled = rollback.firstSet(1, "protect_emergency");
    ASSERT_GT(rolled, 20);
    EXPECT_GT(rollback.at(rolled + 3, "bc_m"), 100);
    EXPECT_LT(rollback.at(rolled + 5, "speed"), rollback.at(rolled, "speed") - 5);
}

// A move and a restore start without the brakes, alarms and holds of the
// place the train left; a state saved just after a departure leaves that
// station's starting signal clear.
TEST(ProtectionScenario, MoveAndRestoreCarryNoProtectionOver) {
    // Full power from the start: the pattern brakes the train before 緑町,
    // the vigilance device then stops it.
    const Drive d("0.1 char f\n" + typed(17, '8', 14) +
                      "46 menu save 1\n105 menu move 2\n110 menu restore 1\n",
                  140);
    ASSERT_EQ(d.at(104, "protect_emergency"), 1);
    ASSERT_EQ(d.at(104, "protect_service"), 1);
    ASSERT_GT(d.at(46, "speed"), 20);  // saved on the way out of 北原
    for (double t = 105.1; t < 140; t += 0.1) {
        EXPECT_EQ(d.at(t, "protect_emergency"), 0) << t;
        EXPECT_EQ(d.at(t, "protect_service"), 0) << t;
        EXPECT_EQ(d.at(t, "ats_alarm"), 0) << t;
    }
    EXPECT_EQ(d.at(109, "brake_notch"), -7);  // the move's own service brake
    // Restored at speed past 北原's platform: its starting signal shows proceed.
    EXPECT_GT(d.at(110.5, "speed"), 20);
    EXPECT_EQ(d.at(110.5, "signal_face"), 12);
    EXPECT_EQ(d.at(139, "signal_limit"), 999);
}

// Standing at a platform the stop-approach alarm stays silent; a paused run
// takes no keys until it resumes.
TEST(ProtectionScenario, StandingAndPausedTrainsStayQuiet) {
    const Drive standing("", 5, " --start-station 1");
    EXPECT_EQ(standing.events().find("stop_alarm.wav"), std::string::npos);

    const Drive paused("0.1 char f\n" + typed(17, '8', 14) +
                           "30 menu start\n31 char a\n31.1 char q\n31.2 key F12 shift\n"
                           "31.3 key Enter\n35 menu start\n36 char a\n",
                       40);
    EXPECT_EQ(paused.at(35, "power_handle"), paused.at(29.9, "power_handle"));
    EXPECT_EQ(paused.at(35, "speed"), paused.at(30, "speed"));
    EXPECT_EQ(paused.at(35, "brake_handle"), 0);
    EXPECT_EQ(paused.at(36.1, "power_handle"), paused.at(29.9, "power_handle") - 1);
}

}  // namespace
}  // namespace tovra
