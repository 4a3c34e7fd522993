#pragma once

#include <cstdint>

#include "common/Numeric.h"
#include "data/VehicleSpec.h"
#include "sim/TractionState.h"
#include "sim/TrainState.h"
#include "view/SpriteModel.h"

namespace tovra {

// The needles and bars the drawing pass turns and moves from the current
// pressures, voltage and current; the main reservoir's needle dips by the
// horn's air. `ammeterShown` follows the ammeter value a little in every pass.
void updateDrawnGauges(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v,
                       bool hornBlowing, std::int32_t& ammeterShown);

// Logic tick: the speed needle and the digital speedometer (step 1), and
// the lamps whose state the tick decides (after the currents).
void update_speed_gauges(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v);
void updatePanelLamps(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v,
                      const TractionState& traction);

}  // namespace tovra
