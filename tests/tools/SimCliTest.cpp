// Runs the tovra-sim binary as a user would.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "data/CabDataFixture.h"
#include "support/MiniData.h"
#include "support/NumberedVideo.h"
#include "support/QuickDemo.h"
#include "support/SimBinary.h"

namespace tovra {
namespace {

using Result = test::SimResult;
using test::runSim;

TEST(SimCli, HelpAndVersion) {
    const Result help = runSim("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"check", "run", "tables", "--trace", "--seconds", "--trace-every",
                             "--seed", "--script", "--events"})
        EXPECT_NE(help.output.find(word), std::string::npos) << word;
    EXPECT_EQ(runSim("--version").status, 0);
    EXPECT_EQ(runSim("fly").status, 1);
    EXPECT_EQ(runSim("run --bogus 1").status, 1);
}

TEST(SimCli, CheckReportsTheSettingsMessage) {
    test::TempDir dir;
    test::writeProgramSettings(dir);
    EXPECT_EQ(runSim("check --data " + dir.path().string()).status, 0);

    test::writeProgramSettings(dir, "30");
    const Result bad = runSim("check --data " + dir.path().string());
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.output.find("stringファイルに誤りがあります"), std::string::npos) << bad.output;
    EXPECT_NE(bad.output.find("velmoran.dat:2"), std::string::npos) << bad.output;
}

TEST(SimCli, RunWritesATraceOnVirtualTime) {
    test::CabData data;
    const test::TempDir& dir = data.dir();
    const auto trace = dir / "trace.csv";
    const Result r =
        runSim("run --data " + dir.path().string() + " --route " + test::CabData::kRouteFile +
               " --seconds 3 --trace-every 5 --trace " + trace.string());
    ASSERT_EQ(r.status, 0) << r.output;
    std::ifstream in(trace);
    std::string header;
    std::getline(in, header);
    EXPECT_EQ(header.rfind("t,clock,position,speed", 0), 0u) << header;
    std::vector<std::string> rows;
    for (std::string line; std::getline(in, line);) rows.push_back(line);
    ASSERT_EQ(rows.size(), 6u);  // 30 logic ticks, every 5th
    EXPECT_EQ(rows.front().rfind("0.500,", 0), 0u) << rows.front();
    EXPECT_EQ(rows.back().rfind("3.000,", 0), 0u) << rows.back();
    // The clock column advances 15 ticks of 1/30 s between rows.
    const auto clockOf = [](const std::string& row) {
        return std::stol(row.substr(row.find(',') + 1));
    };
    EXPECT_EQ(clockOf(rows.back()) - clockOf(rows.front()), 75);

    const Result missing = runSim("run --data " + (dir / "nowhere").string() + " --route r.dat");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(runSim("run --data " + dir.path().string()).status, 1);  // no route
}

// The route video in MP4: the run opens it with the program's decoder, not
// by an AVI header.
TEST(SimCli, RunOpensAnMp4RouteVideo) {
    test::CabData data;
    const test::TempDir& dir = data.dir();
    data.remove("movie/line1.avi");
    if (!test::writeNumberedVideo(dir / "movie/line1.mp4", {"mpeg4", "mp4", 30, 0}, 40))
        GTEST_SKIP() << "FFmpeg cannot write MPEG-4 in MP4";
    const auto events = dir / "events.jsonl";
    const Result r = runSim("run --data " + dir.path().string() + " --route " +
                            test::CabData::kRouteFile + " --seconds 1 --events " + events.string());
    ASSERT_EQ(r.status, 0) << r.output;
    std::ifstream in(events);
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(log.find("\"type\":\"sound\""), std::string::npos);  // the run did run
    EXPECT_EQ(log.find("映像ファイルを開けません"), std::string::npos) << log;
}

TEST(SimCli, RunOnTheRealSoundDeviceAndBench) {
    test::CabData data;
    const std::string run = "run --data " + data.dir().path().string() + " --route " +
                            test::CabData::kRouteFile + " --seconds 1";
    // Without a sound card the device falls back to silence and the run goes on.
    const Result real = runSim(run + " --sound openal");
    EXPECT_EQ(real.status, 0) << real.output;
    EXPECT_NE(real.output.find("10 logic ticks"), std::string::npos) << real.output;
    EXPECT_EQ(runSim(run + " --sound loud").status, 1);

    const Result bench = runSim("bench --data " + test::quickDemo().string() +
                                " --route line_rapid_down.dat --hours 0.05");
    EXPECT_EQ(bench.status, 0) << bench.output;
    EXPECT_NE(bench.output.find("simulated 180.000 s"), std::string::npos) << bench.output;
    EXPECT_NE(bench.output.find("times real time"), std::string::npos) << bench.output;
    EXPECT_EQ(runSim("bench --data " + test::quickDemo().string()).status, 1);  // no route
}

}  // namespace
}  // namespace tovra
