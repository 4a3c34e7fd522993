#pragma once

#include <cstdint>

namespace tovra {

class Cab;

// The needles and bars the drawing pass turns and moves from the current
// pressures, voltage and current. `ammeterShown` follows the ammeter value a
// little in every pass.
void updateDrawnGauges(Cab& cab, std::int32_t& ammeterShown);

// Logic tick: the speed needle and the digital speedometer (step 1), and
// the lamps whose state the tick decides (after the currents).
void update_speed_gauges(Cab& cab);
void updatePanelLamps(Cab& cab);

}  // namespace tovra
