#pragma once

#include <istream>
#include <string>
#include <vector>

namespace tovra::sim {

// One line of a driving script: "<seconds> <command> [args]".
struct ScriptCommand {
    double seconds = 0;
    std::string command;
    std::vector<std::string> args;
    int line = 0;
};

// Reads a script; lines beginning with "#" and blank lines are skipped.
// Throws std::invalid_argument naming the line for an unknown command, a
// wrong argument or times that go backwards.
std::vector<ScriptCommand> parseScript(std::istream& in);

}  // namespace tovra::sim
