// tovra-sim's tables and check commands over a small complete data set.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "Commands.h"
#include "common/DataError.h"
#include "data/CabDataFixture.h"

namespace tovra {
namespace {

using test::CabData;

struct Output {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a command with its standard streams captured, without the real video decoder.
template <typename Command>
Output capture(Command command, const std::vector<std::string>& args) {
    std::ostringstream out, err;
    auto* oldOut = std::cout.rdbuf(out.rdbuf());
    auto* oldErr = std::cerr.rdbuf(err.rdbuf());
    Output result;
    try {
        result.status = command(args, VideoMeasure{});
    } catch (...) {
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
        throw;
    }
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    result.out = out.str();
    result.err = err.str();
    return result;
}

std::vector<std::string> choiceArgs(const CabData& data) {
    return {"--data", data.dir().path().string(), "--route", CabData::kRouteFile};
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(SimTables, PrintsTheDerivedTablesAsJson) {
    CabData data;
    const Output r = capture(sim::tablesCommand, choiceArgs(data));
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string& json = r.out;
    EXPECT_EQ(json.front(), '{');
    EXPECT_NE(json.find("\"startClock\": 1079850,"), std::string::npos) << json;
    EXPECT_NE(json.find("\"startFrame\": 100,"), std::string::npos);
    EXPECT_NE(json.find("\"startPosition\": 5000,"), std::string::npos);
    EXPECT_NE(json.find("\"name\": \"中間駅\""), std::string::npos);
    EXPECT_NE(json.find("\"stopPosition\": 25000"), std::string::npos);
    EXPECT_NE(json.find("\"firstSpeed\": 36"), std::string::npos);
    EXPECT_NE(json.find("\"endDistance\": 55000"), std::string::npos);
    EXPECT_NE(json.find("\"callout\": 9,"), std::string::npos);
    EXPECT_NE(json.find("\"name\": \"img_other1\""), std::string::npos);
    // Eleven pattern points: each has a "speed" member, and nothing else does.
    EXPECT_EQ(occurrences(json, "\"speed\": "), 11u);
    // Hidden: the other image, the door-closed lamp while the doors stand
    // open at the start station, and the eight sign and four signal pictures
    // until the ticks show them.
    EXPECT_EQ(occurrences(json, "\"visible\": false"), 14u);
    EXPECT_EQ(json.substr(json.size() - 2), "}\n");

    std::vector<std::string> args = choiceArgs(data);
    args.insert(args.end(), {"--start-station", "3"});
    EXPECT_NE(capture(sim::tablesCommand, args).out.find("\"startClock\": 1090560,"),
              std::string::npos);

    EXPECT_THROW(capture(sim::tablesCommand, {"--data", data.dir().path().string()}),
                 std::invalid_argument);
    args.back() = "-1";
    EXPECT_THROW(capture(sim::tablesCommand, args), std::invalid_argument);
}

TEST(SimTables, MissingVideoIsShownAndTheTablesFollow) {
    CabData data;
    data.remove("movie/line1.avi");
    const Output r = capture(sim::tablesCommand, choiceArgs(data));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("映像ファイルを開けません"), std::string::npos);
    EXPECT_NE(r.out.find("\"patternPoints\""), std::string::npos);
}

TEST(SimCheck, CleanDataPassesAndEveryProblemIsListed) {
    CabData data;
    // Copied from a system that ignores case, the settings files still load.
    std::filesystem::rename(data.dir() / "mascon.dat", data.dir() / "Mascon.dat");
    std::filesystem::rename(data.dir() / "velmoran.dat", data.dir() / "VELMORAN.DAT");
    const Output clean = capture(sim::checkCommand, choiceArgs(data));
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_NE(clean.out.find("no problems found"), std::string::npos);

    // Where the program stops at the first of these, check lists them all.
    data.remove("image/panel2.bmp");
    data.remove("image/teimoku.bmp");
    data.remove("sound/melody.wav");
    data.remove("movie/line1.avi");
    data.writeVehicle(test::replaced(CabData::vehicleText(), "[Brake]\n8", "[Brake]\n2"));
    const Output r = capture(sim::checkCommand, choiceArgs(data));
    EXPECT_EQ(r.status, 2);
    for (const char* message :
         {"image\\panel2.bmpの生成エラー", "停目の生成エラー", "sound\\melody.wavの生成エラー",
          "映像ファイルを開けませんmovie\\line1.avi", "ブレーキの段数を3段以上に設定してください",
          "5 problem(s) found"}) {
        EXPECT_NE(r.err.find(message), std::string::npos) << message << "\n" << r.err;
    }
    EXPECT_NE(r.err.find("train_E231.dat: [Panel2]"), std::string::npos) << r.err;

    // A vehicle file that does not load still leaves the route to be checked.
    data.writeVehicle("[Brake]\nx\n");
    const Output broken = capture(sim::checkCommand, choiceArgs(data));
    EXPECT_EQ(broken.status, 2);
    EXPECT_NE(broken.err.find("車両ファイルに誤りがあります"), std::string::npos);
    EXPECT_NE(broken.err.find("train_E231.dat:2"), std::string::npos) << broken.err;
    EXPECT_NE(broken.err.find("停目の生成エラー"), std::string::npos);
}

TEST(SimCheck, OverlappingSpeedSegmentsAreListedByLine) {
    CabData data;
    const std::string route = CabData::routeText();
    const auto lineOf = [&](const std::string& text) {
        return std::to_string(1 + occurrences(route.substr(0, route.find(text)), "\n"));
    };
    data.writeRoute(test::replaced(route, "300,600,36,72\n", "300,600,36,72\n100,400,36,36\n"));
    const Output r = capture(sim::checkCommand, choiceArgs(data));
    EXPECT_EQ(r.status, 2);
    const std::string added = std::to_string(std::stoi(lineOf("300,600,36,72")) + 1);
    // Sorted by their first frames, 100-400 begins inside 0-300, and 300-600 inside 100-400.
    EXPECT_NE(r.err.find(std::string(CabData::kRouteFile) + ":" + added +
                         ": frames 100-400 overlap frames 0-300 of line " + lineOf("0,300,36,36")),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find(":" + lineOf("300,600,36,72") +
                         ": frames 300-600 overlap frames 100-400 of line " + added),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("2 problem(s) found"), std::string::npos) << r.err;
}

TEST(SimCheck, HelpNamesTheCommandsAndTheirOptions) {
    CabData data;
    const auto file = data.dir() / "help.txt";
    const std::string command = std::string(TOVRA_SIM_BINARY) + " --help > " + file.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(file);
    const std::string help((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* word : {"check", "tables", "--route", "--vehicle", "--vehicle-dir",
                             "--start-station", "patternPoints"}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
}

}  // namespace
}  // namespace tovra
