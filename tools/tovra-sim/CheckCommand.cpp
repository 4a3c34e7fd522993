#include <filesystem>
#include <functional>
#include <iostream>
#include <vector>

#include "Commands.h"
#include "Options.h"
#include "common/DataError.h"
#include "data/ControllerFiles.h"
#include "data/ProgramSettings.h"

namespace tovra::sim {

namespace {

// Runs every check and reports each failure; true when all passed.
bool runChecks(const std::vector<std::function<void()>>& checks) {
    bool clean = true;
    for (const auto& check : checks) {
        try {
            check();
        } catch (const DataError& error) {
            clean = false;
            std::cerr << error.what() << '\n';
            if (!error.detail().empty()) std::cerr << "  " << error.detail() << '\n';
        }
    }
    return clean;
}

}  // namespace

int checkCommand(const std::vector<std::string>& args) {
    const Options options(args, {"data"}, {});
    const std::filesystem::path data = options.required("data");
    const bool clean = runChecks({
        [&] { loadProgramSettings(data / "velmoran.dat"); },
        [&] { loadMasconTable(data / "mascon.dat"); },
    });
    if (clean) std::cout << "check: " << data.string() << ": no problems found\n";
    return clean ? 0 : 2;
}

}  // namespace tovra::sim
