#pragma once

namespace tovra {

// The handle state beyond TrainState's core fields, its texts, and the
// keyboard's own switches.
struct ControllerState {};

}  // namespace tovra
