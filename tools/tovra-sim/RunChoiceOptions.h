#pragma once

#include <string>
#include <vector>

#include "Options.h"
#include "cab/Cab.h"

namespace tovra::sim {

// The options that choose what a cab loads, as the title screen would:
// --data DIR, --route FILE, --vehicle FILE, --vehicle-dir DIR, --start-station N.
inline const std::vector<std::string> kRunChoiceOptions = {"data", "route", "vehicle",
                                                           "vehicle-dir", "start-station"};

// The choice the options name; the vehicle defaults to "train_E231.dat" in
// the data folder. Throws std::invalid_argument for a missing --data or a
// start station outside 0 to 999.
RunChoice runChoice(const Options& options);

}  // namespace tovra::sim
