#include <fstream>
#include <iomanip>
#include <iostream>

#include "AutoDrive.h"
#include "Commands.h"
#include "Options.h"
#include "RunChoiceOptions.h"

namespace tovra::sim {

int benchCommand(const std::vector<std::string>& args) {
    std::vector<std::string> known = kRunChoiceOptions;
    known.insert(known.end(), {"hours", "seed", "record"});
    const Options options(args, known, {});
    const RunChoice choice = runChoice(options);
    if (choice.routeFile.empty()) throw std::invalid_argument("--route is required");
    const double hours = options.number("hours", 1);
    if (hours <= 0) throw std::invalid_argument("--hours must be above 0");

    std::ofstream record;
    if (options.has("record")) {
        record.open(options.text("record"));
        if (!record) throw std::invalid_argument("cannot write " + options.text("record"));
    }
    const AutoDriveResult r = autoDrive(choice, unsigned(options.integer("seed", 1)), hours * 3600,
                                        record.is_open() ? &record : nullptr);
    const double ratio = r.tickWallSeconds > 0 ? r.simulatedSeconds / r.tickWallSeconds : 0;
    std::cout << std::fixed << std::setprecision(3) << "bench: " << choice.routeFile << " with "
              << choice.vehicleFile << "\n  simulated " << r.simulatedSeconds << " s ("
              << r.logicTicks << " logic ticks) in " << r.tickWallSeconds
              << " s of wall time: " << std::setprecision(0) << ratio << " times real time\n"
              << std::setprecision(3) << "  loading: " << r.runs << " runs in " << r.loadWallSeconds
              << " s\n  driven: " << std::setprecision(0) << r.distanceMetres << " m, " << r.stops
              << " stops with doors worked, " << r.missedStops << " missed, " << r.protectionBrakes
              << " protection brakes\n";
    return 0;
}

}  // namespace tovra::sim
