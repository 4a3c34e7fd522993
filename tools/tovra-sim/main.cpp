// tovra-sim: the headless driver. Loads a data folder with the same loaders
// and the same Cab as the desktop program, drives it on simulated time, writes
// traces, checks data files and measures speed.
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Commands.h"
#include "common/DataError.h"

namespace {

constexpr const char* kUsage = R"(tovra-sim: headless driver, data checker and benchmark of tovra

Usage:
  tovra-sim --help | --version
  tovra-sim check --data DIR
      Read the program settings files of DIR (velmoran.dat, mascon.dat) and
      report every problem with file and line. Exit 0 when clean, 2 otherwise.
  tovra-sim run --data DIR [--seconds S] [--trace FILE] [--trace-every N] [--seed N]
      Load DIR and run the physics (every 33 1/3 ms) and logic (every 100 ms)
      ticks on simulated time for S seconds (default 60).
      --trace FILE      write a CSV trace with a header row; "-" for stdout.
                        Columns: t (seconds), clock (1/30 s ticks since
                        midnight), position (cm), speed (km/h)
      --trace-every N   one row every N logic ticks (default 1)
      --seed N          seed of the cab's random numbers (default 1)

Exit status: 0 success, 1 wrong usage, 2 a data error (its message on stderr).
)";

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 1 : 0;
    }
    if (args[0] == "--version") {
        std::cout << "tovra-sim " TOVRA_VERSION "\n";
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        if (args[0] == "check") return tovra::sim::checkCommand(rest);
        if (args[0] == "run") return tovra::sim::runCommand(rest);
        throw std::invalid_argument("unknown command '" + args[0] + "'");
    } catch (const tovra::DataError& error) {
        std::cerr << error.what() << '\n';
        if (!error.detail().empty()) std::cerr << "  " << error.detail() << '\n';
        return 2;
    } catch (const std::invalid_argument& error) {
        std::cerr << "tovra-sim: " << error.what() << "\nTry 'tovra-sim --help'.\n";
        return 1;
    }
}
