#include "RunChoiceOptions.h"

#include <stdexcept>

namespace tovra::sim {

namespace {

// A route picked on the title screen offers no crew change.
constexpr int kNoCrewChange = 999;

}  // namespace

RunChoice runChoice(const Options& options) {
    RunChoice choice;
    choice.dataDir = options.required("data");
    choice.routeFile = options.text("route");
    choice.vehicleFile = options.text("vehicle", choice.vehicleFile);
    choice.vehicleDir = options.text("vehicle-dir");
    const long station = options.integer("start-station", 0);
    if (station < 0 || station > 999)
        throw std::invalid_argument("--start-station must be 0 to 999");
    choice.startStation = static_cast<int>(station);
    choice.crewChangeStation = kNoCrewChange;
    return choice;
}

}  // namespace tovra::sim
