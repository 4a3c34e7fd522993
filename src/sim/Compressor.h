#pragma once

namespace tovra {

class SoundChannels;
struct TractionState;
struct TrainState;
struct VehicleSpec;

// Logic tick, step 5: the compressor charging the main reservoir between
// LowAirPress and HighAirPress, and the voltmeter following the line voltage.
void step_compressor(TrainState& s, TractionState& traction, const VehicleSpec& veh,
                     SoundChannels& sound);

}  // namespace tovra
