#pragma once

#include <cstdint>

#include "data/VehicleSpec.h"
#include "sim/TrainState.h"
#include "view/SpriteModel.h"

namespace tovra {

// The notch lamp and gear lever pictures of the panel after a handle change:
// "img_lamp_p", "img_lamp_p2", "img_lamp_b", "img_lamp_b2", "img_gearlever".
// A pattern the picture does not have is never selected.
void showHandlePanel(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v,
                     std::int32_t gearLever);

}  // namespace tovra
