// tovra-demo: writes the demo data set (a fictional line, three vehicles,
// pictures, sounds and videos) that the program and the tests run on.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "demo-gen/DemoSet.h"

namespace {

constexpr const char* kUsage = R"(tovra-demo: writes the demo data set of tovra

Usage:
  tovra-demo [--force] [--quick] OUTPUT_DIR

Writes the settings files, three vehicles, three route variants of one line,
the title pictures, the sounds and the videos into OUTPUT_DIR. When OUTPUT_DIR
already holds a complete set, nothing is done.
  --force   write the set even when it is complete
  --quick   a small set for tests: tiny videos, short sounds, tones for speech
  --help    this text

Progress goes to stderr. Exit status: 0 success, 1 wrong usage, 2 failure.
)";

}  // namespace

int main(int argc, char** argv) {
    tovra::demo::DemoOptions options;
    std::string folder;
    for (const std::string& arg : std::vector<std::string>(argv + 1, argv + argc)) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--force") {
            options.force = true;
        } else if (arg == "--quick") {
            options.quick = true;
        } else if (!arg.empty() && arg[0] != '-' && folder.empty()) {
            folder = arg;
        } else {
            std::fputs(kUsage, stderr);
            return 1;
        }
    }
    if (folder.empty()) {
        std::fputs(kUsage, stderr);
        return 1;
    }
    try {
        if (!tovra::demo::writeDemoSet(folder, options, std::cerr))
            std::cerr << "tovra-demo: " << folder
                      << " holds a complete demo set; nothing to do (--force to write it again)\n";
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "tovra-demo: " << error.what() << '\n';
        return 2;
    }
}
