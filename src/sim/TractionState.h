#pragma once

namespace tovra {

// Run-time state of traction, air brake, compressor and currents beyond the
// core fields of TrainState.
struct TractionState {};

}  // namespace tovra
