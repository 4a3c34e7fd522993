#pragma once

namespace tovra {

class Cab;

// Engine speed, once per physics tick; does nothing for an electric vehicle.
void step_engine_speed(Cab& cab);

}  // namespace tovra
