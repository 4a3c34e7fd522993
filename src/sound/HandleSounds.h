#pragma once

#include <cstdint>

#include "data/VehicleSpec.h"
#include "ports/SoundChannels.h"
#include "sim/TrainState.h"

namespace tovra {

// The effective commands as they stood before a key took effect.
struct NotchesBefore {
    std::int32_t power = 0;
    std::int32_t brake = 0;
};

// The click of the handles after a character event: the handles as they are
// now against the effective commands before the key.
void playHandleSounds(SoundChannels& sound, const TrainState& s, const VehicleSpec& v,
                      NotchesBefore before);

}  // namespace tovra
