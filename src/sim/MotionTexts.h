#pragma once

namespace tovra {

class Cab;

// Logic tick, step 3: SpeedText and RemainText from Speed and RemainDistance.
void update_motion_texts(Cab& cab);

}  // namespace tovra
