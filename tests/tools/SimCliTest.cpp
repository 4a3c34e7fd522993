// Runs the tovra-sim binary as a user would.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "data/CabDataFixture.h"
#include "support/MiniData.h"
#include "support/SimBinary.h"

namespace tovra {
namespace {

using Result = test::SimResult;
using test::runSim;

TEST(SimCli, HelpAndVersion) {
    const Result help = runSim("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"check", "run", "tables", "--trace", "--seconds", "--trace-every", "--seed",
                             "--script", "--events"})
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
    const Result r = runSim("run --data " + dir.path().string() + " --route " + test::CabData::kRouteFile +
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
    const auto clockOf = [](const std::string& row) { return std::stol(row.substr(row.find(',') + 1)); };
    EXPECT_EQ(clockOf(rows.back()) - clockOf(rows.front()), 75);

    const Result missing = runSim("run --data " + (dir / "nowhere").string() + " --route r.dat");
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(runSim("run --data " + dir.path().string()).status, 1);  // no route
}

}  // namespace
}  // namespace tovra
