#pragma once

#include <cstdint>
#include <optional>

#include "sim/StationRecords.h"

namespace tovra {

// The next station after `j` where the train stops; none when the search
// runs past the last station.
std::optional<std::int32_t> next_stop_after(const RouteSpec& route, std::int32_t j);

// The station pass of one logic tick: texts, zones, doors, departure and the
// end of the run.
void station_pass(StationRecords& r);

}  // namespace tovra
