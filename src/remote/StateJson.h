#pragma once

#include <string>

#include "remote/CabSnapshot.h"

namespace tovra::remote {

// The JSON of GET /api/state and of every message of the stream (README,
// "A second screen and a tablet", lists the fields).
std::string stateJson(const CabSnapshot& snapshot);

}  // namespace tovra::remote
