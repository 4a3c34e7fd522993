#pragma once

#include <cstdint>

#include "data/VehicleSpec.h"
#include "sim/StationState.h"

namespace tovra {

// The clock text and the analogue clock's hands, rebuilt when the second changes.
void timecalc(StationState& st, const VehicleSpec& v, std::int32_t clock);

}  // namespace tovra
