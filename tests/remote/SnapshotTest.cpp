// The state the remote interface gives against the trace of the same ticks,
// and remote commands against the keys they stand for.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "AutoDrive.h"
#include "Script.h"
#include "ScriptPlayer.h"
#include "Trace.h"
#include "headless/HeadlessRun.h"
#include "cab/KeyInput.h"
#include "remote/CabSnapshot.h"
#include "remote/CommandKeys.h"
#include "remote/StateJson.h"
#include "support/QuickDemo.h"
#include "support/SimBinary.h"
#include "support/TempDir.h"

namespace tovra::remote {
namespace {

using Json = nlohmann::json;

RunChoice demoChoice(const std::string& vehicle = "train_E231.dat", const std::string& dir = "") {
    RunChoice choice;
    choice.dataDir = test::quickDemo();
    choice.routeFile = "line_rapid_down.dat";
    choice.vehicleFile = vehicle;
    if (!dir.empty()) choice.vehicleDir = choice.dataDir / dir;
    return choice;
}

// A number of the trace (written with a fixed count of places) against the
// JSON's full value.
void expectNear(double trace, const Json& json, double places, const std::string& what, long row) {
    ASSERT_TRUE(json.is_number()) << what << " row " << row;
    EXPECT_NEAR(trace, json.get<double>(), 0.5 * std::pow(10.0, -places) + 1e-9)
        << what << " row " << row;
}

// 999 in the trace is null in the JSON.
void expectLimit(double trace, const Json& json, const std::string& what, long row) {
    if (trace >= 999)
        EXPECT_TRUE(json.is_null()) << what << " row " << row;
    else
        EXPECT_EQ(json.get<double>(), trace) << what << " row " << row;
}

TEST(RemoteSnapshot, StateMatchesTheTraceAtTheSameTick) {
    test::TempDir dir;
    const RunChoice choice = demoChoice();
    std::stringstream scriptText;
    sim::autoDrive(choice, 1, 240, &scriptText);
    const std::vector<sim::ScriptCommand> script = sim::parseScript(scriptText);
    ASSERT_FALSE(script.empty());

    HeadlessRun run(choice, 1);
    run.cab.load();
    SnapshotTaker taker(run.cab);
    std::ofstream traceFile(dir / "trace.csv");
    sim::Trace trace(traceFile, false);
    trace.writeHeader();
    std::vector<Json> states;
    std::size_t next = 0;
    for (long i = 0; i < 240 * 30; ++i) {
        while (next < script.size() && script[next].seconds <= run.clock.seconds())
            sim::play(script[next++], run);
        sim::deliverPosted(run);
        run.scheduler.step();
        if (run.clock.periods() % SimClock::kPeriodsPerLogicTick != 0) continue;
        trace.writeRow(run.clock.seconds(), run.cab);
        states.push_back(Json::parse(stateJson(*taker.take(run.cab, run.clock.periods(), 0))));
    }
    traceFile.close();
    const test::TraceTable t((dir / "trace.csv").string());
    ASSERT_EQ(t.size(), states.size());
    bool moved = false, stopped = false;
    for (std::size_t r = 0; r < t.size(); ++r) {
        const Json& s = states[r];
        const long row = long(r);
        EXPECT_NEAR(t.number(r, "t") * 30, s["tick"].get<double>(), 0.02) << row;
        EXPECT_EQ(t.number(r, "clock"), s["clock"].get<double>()) << row;
        expectNear(t.number(r, "position") / 100, s["position"], 5, "position", row);
        expectNear(t.number(r, "speed"), s["speed"], 4, "speed", row);
        EXPECT_EQ(t.number(r, "reverser"), s["reverser"]["position"].get<double>()) << row;
        EXPECT_EQ(t.number(r, "power_handle"), s["power"]["handle"].get<double>()) << row;
        EXPECT_EQ(t.number(r, "power_notch"), s["power"]["notch"].get<double>()) << row;
        EXPECT_EQ(-t.number(r, "brake_handle"), s["brake"]["handle"].get<double>()) << row;
        EXPECT_EQ(-t.number(r, "brake_notch"), s["brake"]["notch"].get<double>()) << row;
        expectNear(t.number(r, "bc_t"), s["pressures"]["bc"], 4, "bc", row);
        expectNear(t.number(r, "bc_m"), s["pressures"]["bc_m"], 4, "bc_m", row);
        for (const char* p : {"er", "bp", "mr", "sap"})
            expectNear(t.number(r, p), s["pressures"][p], 4, p, row);
        EXPECT_EQ(t.number(r, "ammeter"), s["line_current"].get<double>()) << row;
        expectNear(t.number(r, "line_voltage"), s["line_voltage"], 1, "line_voltage", row);
        EXPECT_EQ(t.text(r, "mascon_text"), s["power"]["text"].get<std::string>()) << row;
        EXPECT_EQ(t.text(r, "brake_text"), s["brake"]["text"].get<std::string>()) << row;
        EXPECT_EQ(t.number(r, "doors_open") != 0, s["doors"]["open"].get<bool>()) << row;
        expectNear(t.number(r, "remain") / 100, s["station"]["remaining"], 5, "remain", row);
        EXPECT_EQ(t.text(r, "station_text"), s["station"]["text"].get<std::string>()) << row;
        EXPECT_EQ(t.text(r, "clock_text"), s["station"]["clock_text"].get<std::string>()) << row;
        EXPECT_EQ(t.number(r, "run_ended") != 0, s["run_ended"].get<bool>()) << row;
        expectLimit(t.number(r, "signal_face"), s["signal"]["face"], "signal_face", row);
        expectLimit(t.number(r, "signal_limit"), s["limits"]["signal"], "signal_limit", row);
        EXPECT_EQ(t.number(r, "section_limit"), s["limits"]["section"].get<double>()) << row;
        expectLimit(t.number(r, "pattern_speed"), s["limits"]["pattern"], "pattern_speed", row);
        EXPECT_EQ(t.number(r, "pattern_state"), s["protection"]["pattern_state"].get<double>());
        EXPECT_EQ(t.number(r, "protect_service") != 0, s["protection"]["service"].get<bool>());
        EXPECT_EQ(t.number(r, "protect_emergency") != 0, s["protection"]["emergency"].get<bool>());
        EXPECT_EQ(t.number(r, "ats_alarm") != 0, s["protection"]["alarm"].get<bool>()) << row;
        EXPECT_EQ(t.text(r, "limit_text"), s["limits"]["text"].get<std::string>()) << row;
        // The power lamp lights exactly with a power notch (the doors closed).
        if (s["lamps"].contains("Lamp_Power") && t.number(r, "power_notch") < 1)
            EXPECT_FALSE(s["lamps"]["Lamp_Power"].get<bool>()) << row;
        moved = moved || t.number(r, "speed") > 30;
        if (!s["timetable"][std::size_t(t.number(r, "station_index"))]["arrived"].is_null())
            stopped = true;
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_TRUE(moved);
    EXPECT_TRUE(stopped) << "the drive worked no station";
    // The lamps are the panel's: every "img_Lamp_" picture, and no notch indicator.
    EXPECT_TRUE(states.back()["lamps"].contains("Lamp_Door"));
    EXPECT_FALSE(states.back()["lamps"].contains("lamp_p"));
}

// Two runs alike: one is given keys as the script's "char" lines give them,
// the other the remote command; afterwards their traces agree row by row.
class KeysAgainstCommand : public ::testing::Test {
  protected:
    void start(const RunChoice& choice) {
        byKeys_ = std::make_unique<HeadlessRun>(choice, 7);
        byCommand_ = std::make_unique<HeadlessRun>(choice, 7);
        byKeys_->cab.load();
        byCommand_->cab.load();
        byKeys_->scheduler.runFor(2);
        byCommand_->scheduler.runFor(2);
    }
    void keys(const std::string& typed) {
        for (char c : typed) AsciiDown(byKeys_->cab, c);
    }
    void command(const std::string& body) {
        const ParsedCommand parsed =
            parseCommand(body, SnapshotTaker(byCommand_->cab).facts()->limits);
        ASSERT_TRUE(parsed.command) << parsed.error;
        sim::ScriptKeys path(*byCommand_);
        applyCommand(*parsed.command, path, byCommand_->cab);
    }
    void expectSameFor(double seconds) {
        for (int i = 0; i < int(seconds * 30); ++i) {
            byKeys_->scheduler.step();
            byCommand_->scheduler.step();
            if (i % 3 != 0) continue;
            std::ostringstream a, b;
            sim::Trace(a, true).writeRow(0, byKeys_->cab);
            sim::Trace(b, true).writeRow(0, byCommand_->cab);
            ASSERT_EQ(a.str(), b.str()) << "after " << i << " periods";
        }
    }
    const TrainState& keyed() const { return byKeys_->cab.state; }
    const TrainState& commanded() const { return byCommand_->cab.state; }

    std::unique_ptr<HeadlessRun> byKeys_, byCommand_;
};

TEST_F(KeysAgainstCommand, AKeyMovesTheHandleAsTheKeyboardDoes) {
    start(demoChoice());
    keys("z");
    command(R"({"key":"z"})");
    EXPECT_EQ(keyed().BrakeHandle, commanded().BrakeHandle);
    expectSameFor(3);
    keys("f");
    command(R"({"keys":"f"})");
    expectSameFor(1);
}

TEST_F(KeysAgainstCommand, HandlePositionsAreTheKeysThatStepThere) {
    start(demoChoice());  // one lever, in emergency at the start
    ASSERT_EQ(keyed().BrakeHandle, -8);
    keys("f");
    command(R"({"handles":{"reverser":1}})");
    keys("zzzzzzzzzzz");  // B8 .. B1, N, P1 .. P3
    command(R"({"handles":{"power":3}})");
    EXPECT_EQ(commanded().PowerHandle, 3);
    EXPECT_EQ(commanded().BrakeHandle, 0);
    expectSameFor(10);
    keys("aaaaa");  // P3 .. N, B1, B2
    command(R"({"handles":{"brake":2}})");
    EXPECT_EQ(commanded().BrakeHandle, -2);
    expectSameFor(3);
    keys("q");
    command(R"({"handles":{"brake":8}})");
    expectSameFor(2);
}

TEST_F(KeysAgainstCommand, TwoHandlesUseTheirOwnKeys) {
    start(demoChoice("train_oldemu.dat", "train_oldemu"));
    ASSERT_EQ(byKeys_->cab.vehicle.Handle, 1);
    const int emergency = byKeys_->cab.vehicle.Brake;
    ASSERT_EQ(keyed().BrakeHandle, -emergency);
    keys("f");
    for (int i = 0; i < emergency; ++i) keys(",");
    command(R"({"handles":{"reverser":1,"brake":0}})");
    EXPECT_EQ(commanded().BrakeHandle, keyed().BrakeHandle);
    EXPECT_EQ(commanded().HoldBrake, keyed().HoldBrake);
    keys("zz");
    command(R"({"handles":{"power":2}})");
    EXPECT_EQ(commanded().PowerHandle, 2);
    expectSameFor(5);
}

TEST_F(KeysAgainstCommand, TheHornSoundsWhileItsButtonIsHeld) {
    start(demoChoice());
    command(R"({"button":"horn","down":true})");
    EXPECT_TRUE(byCommand_->host.isKeyHeld(HeldKey::Horn3));
    command(R"({"button":"horn","down":false})");
    EXPECT_FALSE(byCommand_->host.isKeyHeld(HeldKey::Horn3));
}

}  // namespace
}  // namespace tovra::remote
