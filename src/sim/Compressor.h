#pragma once

namespace tovra {

class Cab;

// Logic tick, step 5: the compressor charging the main reservoir between
// LowAirPress and HighAirPress, and the voltmeter following the line voltage.
void step_compressor(Cab& cab);

}  // namespace tovra
