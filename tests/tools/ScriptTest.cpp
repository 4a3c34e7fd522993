#include "Script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tovra::sim {
namespace {

std::vector<ScriptCommand> parse(const std::string& text) {
    std::istringstream in(text);
    return parseScript(in);
}

TEST(Script, ReadsCommandsAndSkipsRemarks) {
    const auto commands = parse(
        "# start\n"
        "0 char f\n"
        "\n"
        "0.5 char space\r\n"
        "1 key F2 shift\n"
        "2 keyup F2\n"
        "3 hold 3 on\n"
        "4 wheel down\n"
        "5 serial S01 X\n"
        "6 pad -1000 1000 65535\n"
        "7 menu save 3\n"
        "8 menu move 12\n");
    ASSERT_EQ(commands.size(), 10u);
    EXPECT_EQ(commands[6].args, (std::vector<std::string>{"S01", "X"}));
    EXPECT_EQ(commands[9].args, (std::vector<std::string>{"move", "12"}));
    EXPECT_EQ(commands[1].seconds, 0.5);
    EXPECT_EQ(commands[1].args[0], "space");
    EXPECT_EQ(commands[2].command, "key");
    EXPECT_EQ(commands[2].args, (std::vector<std::string>{"F2", "shift"}));
    EXPECT_EQ(commands[5].line, 8);
}

TEST(Script, RejectsWhatItCannotPlayNamingTheLine) {
    // clang-format off
    for (const char* bad :
         {"x char f", "1 fly", "1 char", "1 char ab", "1 key F13", "1 key F1 ctrl", "1 hold 5 on",
          "1 hold 3 maybe", "1 wheel left", "-1 char f", "1", "1 serial", "1 pad 1 2",
          "1 pad 1 2 65536", "1 pad x 2 3", "1 menu save 4", "1 menu move here", "1 menu",
          "1 menu controller 4", "nan char f", "inf char f", "1e999999 char f"}) {
        // clang-format on
        try {
            parse(std::string("0 char f\n") + bad + "\n");
            ADD_FAILURE() << bad;
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find("line 2"), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(parse("2 char f\n1 char a\n"), std::invalid_argument);
}

}  // namespace
}  // namespace tovra::sim
